// Our region arithmetic and blits against the system's pixman on the same
// work, with a check that both give the same rectangles and pixels ("equal"
// is 1 when they do). The drawing tests are pixel-exact, so pixman could
// only stand in where it answers exactly as we do: TRegion's set operations
// now run on it (their rectangle lists are equal); our blits keep their own
// nearest-neighbour rule and alpha byte, which pixman's differ from.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Blit.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Region.h"

static_assert(sizeof(TRect) == sizeof(pixman_box32_t), "a rectangle is a pixman box");

namespace {

// The window rectangles of the composition scene's n x n grid.
std::vector<TRect> Grid(int side)
{
    std::vector<TRect> out;
    const int stepX = 820 / side, stepY = 510 / side;
    for (int row = 0; row < side; ++row)
        for (int col = 0; col < side; ++col)
            out.push_back(Bounds(8 + col * stepX, 8 + row * stepY, stepX + 6, stepY + 5));
    return out;
}

// The form's client area less every child, one subtraction at a time.
TRegion OursCutAll(const std::vector<TRect>& cuts)
{
    TRegion rgn(Bounds(0, 0, 839, 527));
    for (const TRect& r : cuts)
        rgn = rgn.Subtract(TRegion(r));
    return rgn;
}

std::vector<TRect> PixmanCutAll(const std::vector<TRect>& cuts)
{
    pixman_region32_t rgn, cut;
    pixman_region32_init_rect(&rgn, 0, 0, 839, 527);
    for (const TRect& r : cuts) {
        pixman_region32_init_rect(&cut, r.Left, r.Top, unsigned(r.Width()), unsigned(r.Height()));
        pixman_region32_subtract(&rgn, &rgn, &cut);
        pixman_region32_fini(&cut);
    }
    int n = 0;
    pixman_box32_t* boxes = pixman_region32_rectangles(&rgn, &n);
    std::vector<TRect> out;
    for (int i = 0; i < n; ++i)
        out.push_back(TRect{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
    pixman_region32_fini(&rgn);
    return out;
}

// Pixman behind our rectangle lists: each subtraction converts both sides
// and the answer, as a TRegion built on it would.
std::vector<TRect> PixmanBehindLists(const std::vector<TRect>& cuts)
{
    std::vector<TRect> rgn{Bounds(0, 0, 839, 527)};
    for (const TRect& r : cuts) {
        pixman_region32_t a, b, out;
        pixman_region32_init_rects(&a, reinterpret_cast<const pixman_box32_t*>(rgn.data()), int(rgn.size()));
        pixman_region32_init_rect(&b, r.Left, r.Top, unsigned(r.Width()), unsigned(r.Height()));
        pixman_region32_init(&out);
        pixman_region32_subtract(&out, &a, &b);
        int n = 0;
        const pixman_box32_t* boxes = pixman_region32_rectangles(&out, &n);
        rgn.assign(reinterpret_cast<const TRect*>(boxes), reinterpret_cast<const TRect*>(boxes) + n);
        pixman_region32_fini(&a);
        pixman_region32_fini(&b);
        pixman_region32_fini(&out);
    }
    return rgn;
}

void RegionSubtractPixmanBehindLists(benchmark::State& state)
{
    const std::vector<TRect> cuts = Grid(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(PixmanBehindLists(cuts).data());
    state.counters["equal"] = OursCutAll(cuts).Rects() == PixmanBehindLists(cuts);
}

void RegionSubtractOurs(benchmark::State& state)
{
    const std::vector<TRect> cuts = Grid(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(OursCutAll(cuts).Rects().data());
    state.counters["equal"] = OursCutAll(cuts).Rects() == PixmanCutAll(cuts);
}

void RegionSubtractPixman(benchmark::State& state)
{
    const std::vector<TRect> cuts = Grid(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(PixmanCutAll(cuts).data());
    state.counters["equal"] = OursCutAll(cuts).Rects() == PixmanCutAll(cuts);
}

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

pixman_format_code_t PixmanFormat(const TBitmap& b)
{
    return b.PixelFormat() == pf32bit ? PIXMAN_a8r8g8b8 : PIXMAN_r8g8b8;
}

pixman_image_t* Wrap(TBitmap& b)
{
    return pixman_image_create_bits(PixmanFormat(b), b.Width(), b.Height(), reinterpret_cast<uint32_t*>(b.ScanLine(0)),
                                    b.Stride());
}

// A 300 x 200 picture drawn into an 839 x 527 surface: copied at its size
// (range 1 = 0) or stretched to the whole surface (range 1 = 1), from a 24-bit
// (range 0 = 24) or 32-bit picture.
struct TBlitCase {
    TBitmap Picture, Ours, Theirs;
    bool Stretch;
    explicit TBlitCase(const benchmark::State& state)
        : Picture(Pattern(300, 200, state.range(0) == 24 ? pf24bit : pf32bit)), Ours(839, 527, pf32bit),
          Theirs(839, 527, pf32bit), Stretch(state.range(1) != 0)
    {
    }
    TRect Target() const { return Stretch ? Bounds(0, 0, 839, 527) : Bounds(0, 0, 300, 200); }
    void DrawOurs()
    {
        TDeviceContext dc(&Ours);
        StretchBlt(dc, Target(), Picture, Bounds(0, 0, 300, 200));
    }
    void DrawPixman()
    {
        pixman_image_t* src = Wrap(Picture);
        pixman_image_t* dst = Wrap(Theirs);
        if (Stretch) {
            pixman_transform_t t;
            pixman_transform_init_scale(&t, pixman_double_to_fixed(300.0 / 839.0), pixman_double_to_fixed(200.0 / 527.0));
            pixman_image_set_transform(src, &t);
            pixman_image_set_filter(src, PIXMAN_FILTER_NEAREST, nullptr, 0);
        }
        const TRect r = Target();
        pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, r.Width(), r.Height());
        pixman_image_unref(src);
        pixman_image_unref(dst);
    }
    bool Equal() const
    {
        for (int y = 0; y < Ours.Height(); ++y)
            if (std::memcmp(Ours.ScanLine(y), Theirs.ScanLine(y), size_t(Ours.Width()) * 4) != 0)
                return false;
        return true;
    }
};

void BlitOurs(benchmark::State& state)
{
    TBlitCase c(state);
    for (auto _ : state)
        c.DrawOurs();
    c.DrawPixman();
    state.counters["equal"] = c.Equal();
}

void BlitPixman(benchmark::State& state)
{
    TBlitCase c(state);
    for (auto _ : state)
        c.DrawPixman();
    c.DrawOurs();
    state.counters["equal"] = c.Equal();
}

} // namespace

BENCHMARK(RegionSubtractOurs)->ArgName("side")->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);
BENCHMARK(RegionSubtractPixman)->ArgName("side")->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);
BENCHMARK(RegionSubtractPixmanBehindLists)->ArgName("side")->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);
BENCHMARK(BlitOurs)->ArgNames({"bits", "stretch"})->ArgsProduct({{24, 32}, {0, 1}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BlitPixman)->ArgNames({"bits", "stretch"})->ArgsProduct({{24, 32}, {0, 1}})->Unit(benchmark::kMicrosecond);
