// Composing a skinned main-window frame (839 x 527) from nine-slice parts of a
// skin picture, and drawing a caption with glow, each reported in frames per
// second.
#include <benchmark/benchmark.h>

#include <exception>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/draw/AlphaBitmap.h"
#include "skin/draw/GlowText.h"
#include "skin/draw/SkinImage.h"

namespace {

constexpr int FrameWidth = 839, FrameHeight = 527;

// A 300 x 200 frame picture: caption bar, borders and a textured client.
TBitmap FramePicture() {
    TBitmap picture(300, 200, pf24bit);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) {
            const bool border = x < 6 || x >= 294 || y < 30 || y >= 194;
            picture.SetPixel(x, y, border ? RGB(40 + y / 2, 60, 120 + x / 4) : RGB(230 - (x ^ y) % 16, 232, 236));
        }
    return picture;
}

TbsSkinGeometry FrameGeometry() {
    TbsSkinGeometry g;
    g.ClRect = TRect{6, 30, 294, 194};
    g.LTPt = {40, 40};
    g.RTPt = {260, 40};
    g.LBPt = {40, 180};
    g.RBPt = {260, 180};
    const int dw = FrameWidth - 300, dh = FrameHeight - 200;
    g.NewClRect = TRect{6, 30, 294 + dw, 194 + dh};
    g.NewLTPt = g.LTPt;
    g.NewRTPt = {260 + dw, 40};
    g.NewLBPt = {40, 180 + dh};
    g.NewRBPt = {260 + dw, 180 + dh};
    return g;
}

void ReportFps(benchmark::State& state) {
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ComposeFrame(benchmark::State& state) {
    const TBitmap picture = FramePicture();
    const TbsSkinGeometry g = FrameGeometry();
    const bool stretch = state.range(0) != 0;
    TBitmap frame;
    for (auto _ : state) {
        CreateSkinImage(g, frame, picture, TRect{0, 0, 300, 200}, FrameWidth, FrameHeight, true, stretch, stretch,
                        stretch, stretch, stretch, bsstFull);
        benchmark::DoNotOptimize(frame.ScanLine(0));
    }
    ReportFps(state);
}
BENCHMARK(BM_ComposeFrame)->Arg(0)->Arg(1)->ArgName("stretched")->Unit(benchmark::kMillisecond);

void BM_ComposeFrameWithGlowCaption(benchmark::State& state) {
    const TBitmap picture = FramePicture();
    const TbsSkinGeometry g = FrameGeometry();
    TBitmap frame;
    try {
        for (auto _ : state) {
            CreateSkinImage(g, frame, picture, TRect{0, 0, 300, 200}, FrameWidth, FrameHeight, true, false, false,
                            false, false, false, bsstFull);
            TCanvas& canvas = *frame.Canvas();
            canvas.Font().SetName("Arial");
            canvas.Font().SetHeight(16);
            canvas.Font().SetColor(clWhite);
            DrawGlowText(canvas, TRect{10, 6, 400, 28}, "ZarvoMPG格式转换器", 0, 0, clNavy, 4);
            benchmark::DoNotOptimize(frame.ScanLine(0));
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    ReportFps(state);
}
BENCHMARK(BM_ComposeFrameWithGlowCaption)->Unit(benchmark::kMillisecond);

void BM_AlphaTileOverFrame(benchmark::State& state) {
    TbsBitmap glow, target;
    glow.SetSize(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            glow.SetPixel(x, y, bsRGBA(255, 255, 255, (x * y) % 256));
    glow.SetAlphaBlend(true);
    target.SetSize(FrameWidth, FrameHeight);
    for (auto _ : state) {
        glow.Tile(target, TRect{0, 0, FrameWidth, FrameHeight}, TRect{0, 0, 64, 64});
        benchmark::DoNotOptimize(target.Bits());
    }
    ReportFps(state);
}
BENCHMARK(BM_AlphaTileOverFrame)->Unit(benchmark::kMillisecond);

}  // namespace
