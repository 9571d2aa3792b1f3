// Drawing speed at full HD and at the main window's size (839x527). Each
// benchmark reports frames per second ("fps") for one full-surface operation;
// Composition draws a whole main window the way the skinned frame does.
#include <benchmark/benchmark.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Blit.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Draw.h"
#include "platform/gfx/Text.h"

namespace {

TBitmap Pattern(int w, int h, TPixelFormat format)
{
    TBitmap b(w, h, format);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = b.ScanLine(y);
        for (int x = 0; x < b.Stride(); ++x)
            row[x] = uint8_t(x * 7 + y * 3);
    }
    return b;
}

void Report(benchmark::State& state)
{
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void Fill(benchmark::State& state)
{
    TBitmap target(int(state.range(0)), int(state.range(1)), pf32bit);
    TDeviceContext dc(&target);
    int i = 0;
    for (auto _ : state)
        FillRect(dc, Rect(0, 0, target.Width(), target.Height()), RGB(i++ & 0xFF, 80, 120));
    Report(state);
}

void Blit(benchmark::State& state)
{
    TBitmap target(int(state.range(0)), int(state.range(1)), pf32bit);
    TBitmap source = Pattern(target.Width(), target.Height(), pf32bit);
    TDeviceContext dc(&target);
    for (auto _ : state)
        BitBlt(dc, 0, 0, target.Width(), target.Height(), source, 0, 0);
    Report(state);
}

void BlitFrom24(benchmark::State& state)
{
    TBitmap target(int(state.range(0)), int(state.range(1)), pf32bit);
    TBitmap source = Pattern(target.Width(), target.Height(), pf24bit);
    TDeviceContext dc(&target);
    for (auto _ : state)
        BitBlt(dc, 0, 0, target.Width(), target.Height(), source, 0, 0);
    Report(state);
}

void Stretch(benchmark::State& state)
{
    TBitmap target(int(state.range(0)), int(state.range(1)), pf32bit);
    TBitmap source = Pattern(640, 360, pf24bit);  // a video frame scaled up
    TDeviceContext dc(&target);
    for (auto _ : state)
        StretchBlt(dc, Rect(0, 0, target.Width(), target.Height()), source, Rect(0, 0, 640, 360));
    Report(state);
}

void AlphaBlendPerPixel(benchmark::State& state)
{
    TBitmap target = Pattern(int(state.range(0)), int(state.range(1)), pf32bit);
    TBitmap source = Pattern(target.Width(), target.Height(), pf32bit);
    PremultiplyAlpha(source);
    TDeviceContext dc(&target);
    const TRect all = Rect(0, 0, target.Width(), target.Height());
    for (auto _ : state)
        AlphaBlend(dc, all, source, all, TBlendFunction{255, true});
    Report(state);
}

void AlphaBlendConstant(benchmark::State& state)
{
    TBitmap target = Pattern(int(state.range(0)), int(state.range(1)), pf32bit);
    TBitmap source = Pattern(target.Width(), target.Height(), pf32bit);
    TDeviceContext dc(&target);
    const TRect all = Rect(0, 0, target.Width(), target.Height());
    for (auto _ : state)
        AlphaBlend(dc, all, source, all, TBlendFunction{128, false});
    Report(state);
}

void TextLines(benchmark::State& state)
{
    TBitmap target(int(state.range(0)), int(state.range(1)), pf32bit);
    TCanvas& canvas = *target.Canvas();
    canvas.Font().SetName("Tahoma");
    canvas.Font().SetHeight(-12);
    canvas.Brush().SetStyle(bsClear);
    const int line = canvas.TextHeight("A");
    for (auto _ : state)
        for (int y = 0; y + line <= target.Height(); y += line)
            canvas.TextOut(2, y, "ZarvoMPG格式转换器 00:01:23.45 video.mp4 -> output.avi 1920x1080 25fps");
    Report(state);
    state.counters["lines"] = double(target.Height() / line);
}

// One repaint of the main window: background, frame pieces stretched from a
// skin bitmap, buttons with key-colour glyphs, a translucent panel, the job
// list text and a focus rectangle, clipped around a child window.
void Composition(benchmark::State& state)
{
    const int w = 839, h = 527;
    TBitmap backing(w, h, pf32bit);
    TBitmap skin = Pattern(200, 100, pf24bit), glyph = Pattern(24, 24, pf24bit), panel = Pattern(300, 120, pf32bit);
    glyph.SetTransparent(true);
    PremultiplyAlpha(panel);
    TRegion visible = TRegion(Rect(0, 0, w, h)).Subtract(TRegion(Rect(560, 300, 800, 445)));
    auto dc = TDeviceContext::ForWindow(&backing, Point(0, 0), visible);
    TCanvas canvas;
    canvas.SetHandle(dc.get());
    canvas.Font().SetName("Arial");
    canvas.Font().SetHeight(14);
    for (auto _ : state) {
        canvas.Brush().SetColor(clBtnFace);
        canvas.FillRect(Rect(0, 0, w, h));
        StretchBlt(*dc, Rect(0, 0, w, 30), skin, Rect(0, 0, 200, 30));
        StretchBlt(*dc, Rect(0, 30, 4, h), skin, Rect(0, 30, 4, 70));
        StretchBlt(*dc, Rect(w - 4, 30, w, h), skin, Rect(196, 30, 200, 70));
        for (int i = 0; i < 12; ++i)
            canvas.Draw(10 + i * 34, 40, glyph);
        AlphaBlend(*dc, Rect(500, 80, 800, 200), panel, Rect(0, 0, 300, 120), TBlendFunction{255, true});
        canvas.Brush().SetStyle(bsClear);
        for (int row = 0; row < 18; ++row) {
            TRect r = Rect(12, 80 + row * 18, 480, 98 + row * 18);
            canvas.DrawText("clip_" + std::to_string(row) + ".mp4   00:12:34   AVI  转换完成", r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        }
        canvas.DrawFocusRect(Rect(12, 80, 480, 98));
    }
    Report(state);
}

}  // namespace

#define SIZES ->Args({1920, 1080})->Args({839, 527})->Unit(benchmark::kMillisecond)
BENCHMARK(Fill) SIZES;
BENCHMARK(Blit) SIZES;
BENCHMARK(BlitFrom24) SIZES;
BENCHMARK(Stretch) SIZES;
BENCHMARK(AlphaBlendPerPixel) SIZES;
BENCHMARK(AlphaBlendConstant) SIZES;
BENCHMARK(TextLines) SIZES;
BENCHMARK(Composition)->Unit(benchmark::kMillisecond);
