// Renders every embedded skin through the composition routines the frame and
// the controls use: the frame at the main window's size and at a dialog size,
// active and inactive, and every control element's state looks at three
// sizes. The pictures land in the build folder for a person to look at; the
// assertions guard the structure (caption bar, client area, borders).
#include <gtest/gtest.h>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Stream.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "resources/skins/EmbeddedSkins.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinImage.h"

namespace {

const TEmbeddedSkin& SkinAt(int i) { return i < MainSkinCount ? MainSkins()[i] : ToolBarSkin(); }

std::string PreviewFolder()
{
    const std::string dir = std::string(SKIN_PREVIEW_DIR);
    std::filesystem::create_directories(dir);
    return dir;
}

struct TLoadedSkin {
    TbsCompressedStoredSkin Stored{nullptr};
    TbsSkinData Data{nullptr};
};

std::unique_ptr<TLoadedSkin> Load(const TEmbeddedSkin& Skin)
{
    auto s = std::make_unique<TLoadedSkin>();
    TMemoryStream data;
    data.Write(Skin.Data, static_cast<int64_t>(Skin.Size));
    s->Stored.LoadFromCompressStream(data);
    s->Data.LoadCompressedStoredSkin(&s->Stored);
    return s;
}

// The frame at a window size, composed as the skinned frame composes it, with
// the caption buttons laid out from the right and the caption text drawn.
struct TFramePreview {
    TBitmap Image;
    TRect Client;
};

TFramePreview RenderFrame(const TbsSkinData& d, int ClientW, int ClientH, bool Active, const std::string& Title,
                          const std::vector<TbsStdCommand>& Buttons)
{
    const TBitmap& pic = Active || d.FInActivePicture->Empty() ? *d.FPicture : *d.FInActivePicture;
    const int pw = pic.Width(), ph = pic.Height();
    const int W = ClientW + d.ClRect.Left + (pw - d.ClRect.Right);
    const int H = ClientH + d.ClRect.Top + (ph - d.ClRect.Bottom);
    const int dW = W - pw, dH = H - ph;
    TbsSkinGeometry g;
    g.LTPt = d.LTPoint;
    g.RTPt = d.RTPoint;
    g.LBPt = d.LBPoint;
    g.RBPt = d.RBPoint;
    g.ClRect = d.ClRect;
    g.NewLTPt = d.LTPoint;
    g.NewRTPt = Point(d.RTPoint.X + dW, d.RTPoint.Y);
    g.NewLBPt = Point(d.LBPoint.X, d.LBPoint.Y + dH);
    g.NewRBPt = Point(d.RBPoint.X + dW, d.RBPoint.Y + dH);
    g.NewClRect = Rect(d.ClRect.Left, d.ClRect.Top, d.ClRect.Right + dW, d.ClRect.Bottom + dH);
    TFramePreview out;
    CreateSkinImage(g, out.Image, pic, Rect(0, 0, pw, ph), W, H, true, d.LeftStretch, d.TopStretch, d.RightStretch,
                    d.BottomStretch, true, d.StretchType);
    out.Client = g.NewClRect;

    // Caption buttons right to left in the caption rect; the caption text in what is left.
    const TRect caption = Rect(d.CaptionRect.Left, d.CaptionRect.Top, d.CaptionRect.Right + dW, d.CaptionRect.Bottom);
    int x = caption.Right;
    for (TbsStdCommand c : Buttons)
        for (const auto& o : d.ObjectList) {
            const auto* b = dynamic_cast<const TbsDataSkinStdButton*>(o.get());
            if (!b || b->Command != c || !b->SkinRectInAPicture)
                continue;
            const TBitmap* src = d.ActivePicture(b->ActivePictureIndex);
            const TRect r = Active ? b->SkinRect : b->InActiveSkinRect;
            if (src) {
                CopyPiece(out.Image, Rect(x - r.Width(), caption.Top, x, caption.Top + r.Height()), *src, r);
                x -= r.Width();
            }
            break;
        }
    const int ci = d.GetIndex("caption");
    if (ci >= 0) {
        const auto* cap = dynamic_cast<const TbsDataSkinCaption*>(d.ObjectList[ci].get());
        TCanvas& cv = *out.Image.Canvas();
        cv.Brush().SetStyle(bsClear);
        cv.Font().SetName(cap->FontName);
        cv.Font().SetHeight(cap->FontHeight);
        cv.Font().SetColor(Active ? cap->ActiveFontColor : cap->FontColor);
        const int th = cv.TextHeight(Title);
        cv.TextOut(caption.Left + cap->TextRct.Left + 8, caption.Top + (caption.Height() - th) / 2, Title);
    }
    return out;
}

void SaveImage(const TBitmap& B, const std::string& Name) { B.SaveToFile(PreviewFolder() + "/" + Name + ".bmp"); }

class SkinPreview : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { S = Load(SkinAt(GetParam())); }
    std::string Prefix() const { return SkinAt(GetParam()).Name; }
    std::unique_ptr<TLoadedSkin> S;
};

TEST_P(SkinPreview, FrameShowsCaptionBarClientAreaAndBorders)
{
    const TbsSkinData& d = S->Data;
    const TColor face = d.FPicture->GetPixel((d.ClRect.Left + d.ClRect.Right) / 2, (d.ClRect.Top + d.ClRect.Bottom) / 2);
    struct TCase {
        const char* Name;
        int W, H;
        bool Active;
        std::vector<TbsStdCommand> Buttons;
    };
    const TCase cases[] = {
        {"main", 839, 527, true, {cmClose, cmMinimize}},
        {"main_inactive", 839, 527, false, {cmClose, cmMinimize}},
        {"dialog", 420, 300, true, {cmRollUp}},
        {"dialog_inactive", 420, 300, false, {cmRollUp}},
    };
    TColor activeCaption = 0;
    for (const TCase& c : cases) {
        const TFramePreview f = RenderFrame(d, c.W, c.H, c.Active, "ZarvoMPG格式转换器", c.Buttons);
        SaveImage(f.Image, Prefix() + "_frame_" + c.Name);
        ASSERT_EQ(f.Client.Width(), c.W) << c.Name;
        ASSERT_EQ(f.Client.Height(), c.H) << c.Name;
        // The client area is the skin's client colour right up to its edges.
        for (TPoint p : {Point(f.Client.Left, f.Client.Top), Point(f.Client.Right - 1, f.Client.Bottom - 1),
                         Point(f.Client.Left + c.W / 2, f.Client.Top + c.H / 2)})
            EXPECT_EQ(f.Image.GetPixel(p.X, p.Y), face) << c.Name << " at " << p.X << "," << p.Y;
        // A caption bar of another colour above it, and a border around it.
        const TColor bar = f.Image.GetPixel(f.Client.Left + c.W / 2, f.Client.Top / 2);
        EXPECT_NE(bar, face) << c.Name;
        EXPECT_NE(f.Image.GetPixel(0, f.Client.Top + c.H / 2), face) << c.Name;
        EXPECT_NE(f.Image.GetPixel(f.Image.Width() - 1, f.Client.Top + c.H / 2), face) << c.Name;
        if (c.Active)
            activeCaption = bar;
        else
            EXPECT_NE(bar, activeCaption) << "inactive caption looks like the active one";
    }
}

// Every control element with a skin picture, in each of its state rects,
// composed at three sizes as the controls compose them.
TEST_P(SkinPreview, ElementStatesComposeAtEverySize)
{
    const TbsSkinData& d = S->Data;
    const TSize sizes[] = {{0, 0}, {40, 16}, {150, 44}};   // {0,0}: the skin's own size
    std::vector<std::pair<TRect, const TBitmap*>> rows;   // composed images, placed below each other
    TBitmap sheet(640, 2400, pf24bit);
    sheet.Fill(RGB(255, 255, 255));
    int y = 4, composed = 0;
    for (const auto& c : d.CtrlList) {
        const auto* e = dynamic_cast<const TbsDataSkinCustomControl*>(c.get());
        if (!e || e->SkinRect.IsEmpty())
            continue;
        const TBitmap* pic = d.ActivePicture(e->PictureIndex);
        ASSERT_NE(pic, nullptr) << c->IDName;
        std::vector<TRect> states = {e->SkinRect};
        if (const auto* b = dynamic_cast<const TbsDataSkinButtonControl*>(e))
            states.insert(states.end(), {b->ActiveSkinRect, b->DownSkinRect, b->FocusedSkinRect, b->DisabledSkinRect});
        if (const auto* ed = dynamic_cast<const TbsDataSkinEditControl*>(e))
            states.push_back(ed->ActiveSkinRect);
        if (const auto* cb = dynamic_cast<const TbsDataSkinComboBox*>(e))
            states.push_back(cb->ActiveSkinRect);
        const bool across = e->RBPoint.X != 0 && e->RBPoint.Y != 0;
        const bool horizontal = !across && (e->RTPoint.X != 0 || e->RTPoint.Y != 0);
        const bool vertical = !across && !horizontal && (e->LBPoint.X != 0 || e->LBPoint.Y != 0);
        int x = 4, rowHeight = 0;
        for (const TRect& state : states) {
            if (state.IsEmpty())
                continue;
            for (TSize size : sizes) {
                int w = size.cx ? size.cx : state.Width(), h = size.cy ? size.cy : state.Height();
                if (horizontal)
                    h = state.Height();
                if (vertical)
                    w = state.Width(), h = size.cy ? size.cx * 2 : state.Height();
                if (!across && !horizontal && !vertical)
                    w = state.Width(), h = state.Height();
                TBitmap img;
                if (across) {
                    TbsSkinGeometry g;
                    g.LTPt = e->LTPoint;
                    g.RTPt = e->RTPoint;
                    g.LBPt = e->LBPoint;
                    g.RBPt = e->RBPoint;
                    g.ClRect = e->ClRect;
                    const int dx = w - state.Width(), dy = h - state.Height();
                    g.NewLTPt = e->LTPoint;
                    g.NewRTPt = Point(e->RTPoint.X + dx, e->RTPoint.Y);
                    g.NewLBPt = Point(e->LBPoint.X, e->LBPoint.Y + dy);
                    g.NewRBPt = Point(e->RBPoint.X + dx, e->RBPoint.Y + dy);
                    g.NewClRect = Rect(e->ClRect.Left, e->ClRect.Top, e->ClRect.Right + dx, e->ClRect.Bottom + dy);
                    CreateSkinImage(g, img, *pic, state, w, h, true, e->LeftStretch, e->TopStretch, e->RightStretch,
                                    e->BottomStretch, e->StretchEffect, e->StretchType);
                } else if (horizontal) {
                    CreateHSkinImage(e->LTPoint.X, state.Width() - e->RTPoint.X, img, *pic, state, w, h, e->StretchEffect);
                } else if (vertical) {
                    CreateVSkinImage(e->LTPoint.Y, state.Height() - e->LBPoint.Y, img, *pic, state, w, h, e->StretchEffect);
                } else {
                    img.SetSize(w, h, false);
                    CopyPiece(img, Rect(0, 0, w, h), *pic, state);
                }
                ASSERT_EQ(img.Width(), w) << c->IDName;
                ASSERT_EQ(img.Height(), h) << c->IDName;
                // The fixed corners come through unchanged.
                EXPECT_EQ(img.GetPixel(0, 0), pic->GetPixel(state.Left, state.Top)) << c->IDName;
                EXPECT_EQ(img.GetPixel(w - 1, h - 1), pic->GetPixel(state.Right - 1, state.Bottom - 1)) << c->IDName;
                if (x + w + 4 > sheet.Width()) {
                    x = 4;
                    y += rowHeight + 4;
                    rowHeight = 0;
                }
                if (y + h < sheet.Height())
                    CopyPiece(sheet, Rect(x, y, x + w, y + h), img, Rect(0, 0, w, h));
                x += w + 6;
                rowHeight = std::max(rowHeight, h);
                ++composed;
            }
        }
        y += rowHeight + 10;
    }
    sheet.SetSize(sheet.Width(), std::min(y, sheet.Height()));
    SaveImage(sheet, Prefix() + "_elements");
    EXPECT_GT(composed, 100);
}

std::string SkinLabel(const ::testing::TestParamInfo<int>& info) { return SkinAt(info.param).Name; }

INSTANTIATE_TEST_SUITE_P(EverySkin, SkinPreview, ::testing::Range(0, MainSkinCount + 1), SkinLabel);

}  // namespace
