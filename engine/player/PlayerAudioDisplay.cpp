// The audio display that stands in for the picture: a waveform, or a
// spectrum that scrolls one column per refresh.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "engine/loader/EntryPoints.h"
#include "engine/player/Player.h"
#include "engine/player/VideoState.h"
#include "platform/gfx/Color.h"

namespace {

constexpr int TriggerSearch = 1000;

int Wrap(int AIndex) {
    const int n = TVideoState::SampleArraySize;
    return ((AIndex % n) + n) % n;
}

void FillColumn(TBitmap& ASurface, int AX, int ATop, int AHeight, uint8_t AValue) {
    for (int y = ATop; y < ATop + AHeight; ++y)
        std::memset(ASurface.ScanLine(y) + 3 * AX, AValue, 3);
}

} // namespace

void UpdateSampleDisplay(TVideoState* is, const uint8_t* ASamples, int ASize) {
    const auto* samples = reinterpret_cast<const int16_t*>(ASamples);
    int count = ASize / 2;
    std::lock_guard<std::mutex> lock(is->sample_lock);
    while (count > 0) {
        const int n = std::min(count, TVideoState::SampleArraySize - is->sample_array_index);
        std::memcpy(is->sample_array.data() + is->sample_array_index, samples, size_t(n) * 2);
        samples += n;
        count -= n;
        is->sample_array_index = (is->sample_array_index + n) % TVideoState::SampleArraySize;
    }
}

void TCustomPlayer::SetShowAudio(TShowAudio AValue) {
    FShowAudio = AValue;
    if (OpenedFile() && FVideoState->audio_stream >= 0 && !Fdisplay_disable)
        FVideoState->show_audio = int(AValue);
}

void TCustomPlayer::ToggleAudioDisplay() {
    if (!OpenedFile())
        return;
    FVideoState->show_audio = (FVideoState->show_audio + 1) % 3;
    {
        std::lock_guard<std::mutex> lock(FSurfaceLock);
        FSurface.Fill(clBlack);
    }
    if (FHost)
        FHost->SurfaceChanged();
}

// Where in the sample ring the shown samples start: what the device plays
// now, less what the display takes; the waveform starts at a rising edge.
// Called with the ring locked.
int TCustomPlayer::AudioDisplayStart(TVideoState* is, int AWidth, int ANbFreq) {
    if (is->paused)
        return is->last_i_start;
    const int channels = std::max(is->audio_channels, 1);
    const int dataUsed = is->show_audio == saWave ? AWidth : 2 * ANbFreq;
    int64_t delay = std::max(is->audio_buf_size - is->audio_buf_index, 0) / (2 * channels);
    const int64_t callbackTime = Faudio_callback_time;
    if (callbackTime)
        delay -= (WallClockUS() - callbackTime) * is->audio_freq / 1000000;
    delay = std::max<int64_t>(delay + 2 * dataUsed, dataUsed);
    int start = Wrap(int(is->sample_array_index - delay * channels));
    if (is->show_audio == saWave) {
        const std::vector<int16_t>& s = is->sample_array;
        int best = INT_MIN;
        const int from = start;
        for (int i = 0; i < TriggerSearch; i += channels) {
            const int idx = Wrap(from - i);
            const int a = s[idx], b = s[Wrap(idx + 4 * channels)], c = s[Wrap(idx + 5 * channels)];
            const int d = s[Wrap(idx + 9 * channels)];
            const int score = a - d;
            if (best < score && (b ^ c) < 0) {
                best = score;
                start = idx;
            }
        }
    }
    is->last_i_start = start;
    return start;
}

void TCustomPlayer::DisplayAudio(TVideoState* is) {
    int width = 0, height = 0;
    OutputSize(Fis_full_screen, 0, 0, width, height);
    int bits = 1;
    while ((1 << bits) < 2 * height)
        ++bits;
    const int nbFreq = 1 << (bits - 1);
    {
        std::lock_guard<std::mutex> surfaceLock(FSurfaceLock);
        if (FSurface.Width() != width || FSurface.Height() != height || FSurface.PixelFormat() != pf24bit) {
            FSurface.SetPixelFormat(pf24bit);
            FSurface.SetSize(width, height, false);
            FSurface.Fill(clBlack);
            is->xpos = 0;
        }
        is->width = width;
        is->height = height;
        std::lock_guard<std::mutex> samplesLock(is->sample_lock);
        const int start = AudioDisplayStart(is, width, nbFreq);
        if (is->show_audio == saWave)
            DrawWaveform(is, start);
        else
            DrawSpectrum(is, start, bits);
    }
    if (FHost)
        FHost->SurfaceChanged();
}

// One white bar per column from each channel's centre line, the channels
// one above the other with a white line between them.
void TCustomPlayer::DrawWaveform(TVideoState* is, int AStart) {
    TBitmap& surface = FSurface;
    const int width = surface.Width(), height = surface.Height();
    const int channels = std::max(is->audio_channels, 1);
    surface.Fill(clBlack);
    const int h = height / channels, h2 = (h * 9) / 20;
    for (int ch = 0; ch < channels; ++ch) {
        int i = Wrap(AStart + ch);
        const int centre = ch * h + h / 2;
        for (int x = 0; x < width; ++x) {
            int y = (is->sample_array[i] * h2) >> 15;
            int top = centre;
            if (y < 0) {
                y = -y;
                top = centre - y;
            }
            FillColumn(surface, x, std::max(top, 0), std::min(y, height - std::max(top, 0)), 0xFF);
            i = Wrap(i + channels);
        }
    }
    for (int ch = 1; ch < channels; ++ch)
        std::memset(surface.ScanLine(ch * h), 0xFF, size_t(width) * 3);
}

// One column of the spectrum at xpos: the lowest frequency at the bottom,
// red from the first channel, green from the second (the first again for
// mono), blue their mean.
void TCustomPlayer::DrawSpectrum(TVideoState* is, int AStart, int ABits) {
    TBitmap& surface = FSurface;
    const int width = surface.Width(), height = surface.Height();
    const int channels = std::max(is->audio_channels, 1);
    const int nbFreq = 1 << (ABits - 1);
    if (ABits != is->rdft_bits || !is->rdft) {
        if (is->rdft)
            AVLib.av_rdft_end(is->rdft);
        is->rdft = AVLib.av_rdft_init(ABits, DFT_R2C);
        is->rdft_bits = ABits;
        for (float*& data : is->rdft_data) {
            AVLib.av_freep(&data);
            data = static_cast<float*>(AVLib.av_malloc(sizeof(float) * 2 * nbFreq));
        }
    }
    if (!is->rdft || !is->rdft_data[0] || !is->rdft_data[1])
        return;
    const int shown = std::min(channels, 2);
    float* const* data = is->rdft_data;
    for (int ch = 0; ch < shown; ++ch) {
        int i = Wrap(AStart + ch);
        for (int x = 0; x < 2 * nbFreq; ++x) {
            const double w = double(x - nbFreq) / nbFreq;
            data[ch][x] = float(is->sample_array[i] * (1.0 - w * w));
            i = Wrap(i + channels);
        }
        AVLib.av_rdft_calc(is->rdft, data[ch]);
    }
    const float* second = shown > 1 ? data[1] : data[0];
    const double scale = 1.0 / std::sqrt(double(nbFreq));
    auto level = [scale](const float* AData, int y) {
        const double magnitude = std::sqrt(double(AData[2 * y]) * AData[2 * y] + double(AData[2 * y + 1]) * AData[2 * y + 1]);
        return int(std::min<long>(std::lround(std::sqrt(scale * magnitude)), 255));
    };
    const int x = std::min(is->xpos, width - 1);
    for (int y = 0; y < height && y < nbFreq; ++y) {
        const int a = level(data[0], y), b = level(second, y);
        uint8_t* pixel = surface.ScanLine(height - 1 - y) + 3 * x;
        pixel[0] = uint8_t((a + b) / 2);  // blue
        pixel[1] = uint8_t(b);
        pixel[2] = uint8_t(a);
    }
    is->xpos = x + 1 >= width ? 0 : x + 1;
}
