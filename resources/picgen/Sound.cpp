#include <algorithm>
#include <cmath>
#include "resources/picgen/Catalog.h"

namespace {

constexpr int Rate = 44100;
constexpr double Seconds = 1.5;

void Put16(std::vector<std::uint8_t>& v, unsigned x) { v.push_back(x & 0xFF); v.push_back((x >> 8) & 0xFF); }
void Put32(std::vector<std::uint8_t>& v, unsigned x) { Put16(v, x & 0xFFFF); Put16(v, x >> 16); }
void PutTag(std::vector<std::uint8_t>& v, const char* t)
{
    for (int i = 0; i < 4; ++i)
        v.push_back(std::uint8_t(t[i]));
}

// One struck note: the fundamental with a soft octave and a faint bell
// partial, a 6 ms attack and an exponential decay.
double Note(double t, double freq, double decay)
{
    if (t < 0)
        return 0;
    const double attack = std::min(1.0, t / 0.006);
    const double tau = 2 * M_PI * t;
    const double tone = std::sin(tau * freq) + 0.28 * std::sin(tau * freq * 2) * std::exp(-t * 3) +
                        0.08 * std::sin(tau * freq * 2.76) * std::exp(-t * 6);
    return attack * std::exp(-t * decay) * tone;
}

}  // namespace

// "Ding-dong": G5 then E5, a falling major third, the second note 0.32 s
// after the first and both fading out within the 1.5 seconds.
std::vector<std::uint8_t> PromptSoundWav()
{
    const int frames = int(Rate * Seconds);
    std::vector<double> mix(frames);
    double peak = 0;
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / Rate;
        const double fadeOut = std::min(1.0, (Seconds - t) / 0.05);   // no click at the end
        mix[i] = fadeOut * (Note(t, 783.99, 3.2) + 0.9 * Note(t - 0.32, 659.25, 2.8));
        peak = std::max(peak, std::fabs(mix[i]));
    }
    const double gain = peak > 0 ? 0.55 * 32767 / peak : 0;

    std::vector<std::uint8_t> v;
    const unsigned dataBytes = unsigned(frames) * 2;
    PutTag(v, "RIFF");
    Put32(v, 36 + dataBytes);
    PutTag(v, "WAVE");
    PutTag(v, "fmt ");
    Put32(v, 16);
    Put16(v, 1);          // PCM
    Put16(v, 1);          // mono
    Put32(v, Rate);
    Put32(v, Rate * 2);   // bytes per second
    Put16(v, 2);          // block align
    Put16(v, 16);         // bits per sample
    PutTag(v, "data");
    Put32(v, dataBytes);
    for (double s : mix)
        Put16(v, unsigned(std::uint16_t(std::int16_t(std::lround(s * gain)))));
    return v;
}
