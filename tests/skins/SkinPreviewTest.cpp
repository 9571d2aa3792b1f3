// Renders every embedded skin through the composition routines the frame and
// the controls use: the frame at the main window's size and at a dialog size,
// active and inactive, and every control element's state looks at three
// sizes. The pictures land in the build folder for a person to look at; the
// assertions guard the structure (caption bar, client area, borders).
#include "Contrast.h"
#include <gtest/gtest.h>
#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <tuple>
#include <string>
#include <vector>
#include "platform/core/Stream.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Png.h"
#include "resources/skins/EmbeddedSkins.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinImage.h"

namespace {

const TEmbeddedSkin& SkinAt(int i) { return i < MainSkinCount ? MainSkins()[i] : ToolBarSkins()[i - MainSkinCount]; }

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

void SaveImage(const TBitmap& B, const std::string& Name)
{
    TPngImage png;
    png.Assign(B);
    png.SaveToFile(PreviewFolder() + "/" + Name + ".png");
}

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

// An element's state rect composed at w x h the way its control composes it:
// nine slices, three slices across or down, or the picture as it is.
TBitmap Compose(const TbsDataSkinCustomControl& e, const TBitmap& pic, const TRect& state, int w, int h)
{
    const bool across = e.RBPoint.X != 0 && e.RBPoint.Y != 0;
    const bool horizontal = !across && (e.RTPoint.X != 0 || e.RTPoint.Y != 0);
    const bool vertical = !across && !horizontal && (e.LBPoint.X != 0 || e.LBPoint.Y != 0);
    TBitmap img;
    if (across) {
        TbsSkinGeometry g;
        g.LTPt = e.LTPoint;
        g.RTPt = e.RTPoint;
        g.LBPt = e.LBPoint;
        g.RBPt = e.RBPoint;
        g.ClRect = e.ClRect;
        const int dx = w - state.Width(), dy = h - state.Height();
        g.NewLTPt = e.LTPoint;
        g.NewRTPt = Point(e.RTPoint.X + dx, e.RTPoint.Y);
        g.NewLBPt = Point(e.LBPoint.X, e.LBPoint.Y + dy);
        g.NewRBPt = Point(e.RBPoint.X + dx, e.RBPoint.Y + dy);
        g.NewClRect = Rect(e.ClRect.Left, e.ClRect.Top, e.ClRect.Right + dx, e.ClRect.Bottom + dy);
        CreateSkinImage(g, img, pic, state, w, h, true, e.LeftStretch, e.TopStretch, e.RightStretch, e.BottomStretch,
                        e.StretchEffect, e.StretchType);
    } else if (horizontal) {
        CreateHSkinImage(e.LTPoint.X, state.Width() - e.RTPoint.X, img, pic, state, w, state.Height(), e.StretchEffect);
    } else if (vertical) {
        CreateVSkinImage(e.LTPoint.Y, state.Height() - e.LBPoint.Y, img, pic, state, state.Width(), h, e.StretchEffect);
    } else {
        img.SetSize(state.Width(), state.Height(), false);
        CopyPiece(img, Rect(0, 0, state.Width(), state.Height()), pic, state);
    }
    return img;
}

// Pictures laid out in rows, each row under the name of what it shows, on a
// sheet as tall as its content.
class TSheetLayout {
public:
    explicit TSheetLayout(int Width) : FWidth(Width) {}

    void Row(const std::string& Label)
    {
        NewLine();
        FLabels.push_back({Point(4, FY), Label});
        FY += 16;
    }
    // Places an image; pixels of Key (when given) stay the sheet's colour.
    TPoint Add(const TBitmap& Image, std::optional<TColor> Key = std::nullopt)
    {
        if (FX + Image.Width() + 4 > FWidth && FX > 4)
            NewLine();
        const TPoint at = Point(FX, FY);
        FPieces.push_back({at, Image, Key});
        FX += Image.Width() + 6;
        FRowHeight = std::max(FRowHeight, Image.Height());
        return at;
    }
    void Text(TPoint At, const std::string& T, TColor Color, int Height = 14)
    {
        FTexts.push_back({At, T, Color, Height});
    }

    TBitmap Render(TColor Background, TColor LabelColor)
    {
        NewLine();
        TBitmap sheet(FWidth, FY + 4, pf24bit);
        sheet.Fill(Background);
        for (const auto& p : FPieces)
            for (int y = 0; y < p.Image.Height(); ++y)
                for (int x = 0; x < p.Image.Width(); ++x) {
                    const TColor c = p.Image.GetPixel(x, y);
                    if (!p.Key || c != *p.Key)
                        sheet.SetPixel(p.At.X + x, p.At.Y + y, c);
                }
        TCanvas& cv = *sheet.Canvas();
        cv.Brush().SetStyle(bsClear);
        cv.Font().SetName("WenQuanYi Micro Hei");
        for (const auto& [at, text] : FLabels) {
            cv.Font().SetHeight(12);
            cv.Font().SetColor(LabelColor);
            cv.TextOut(at.X, at.Y, text);
        }
        for (const auto& t : FTexts) {
            cv.Font().SetHeight(t.Height);
            cv.Font().SetColor(t.Color);
            cv.TextOut(t.At.X, t.At.Y, t.Text);
        }
        return sheet;
    }

private:
    void NewLine()
    {
        if (FRowHeight > 0)
            FY += FRowHeight + 6;
        FX = 4;
        FRowHeight = 0;
    }
    struct TPiece {
        TPoint At;
        TBitmap Image;
        std::optional<TColor> Key;
    };
    struct TText {
        TPoint At;
        std::string Text;
        TColor Color;
        int Height;
    };
    int FWidth;
    int FX = 4, FY = 4, FRowHeight = 0;
    std::vector<TPiece> FPieces;
    std::vector<std::pair<TPoint, std::string>> FLabels;
    std::vector<TText> FTexts;
};

TBitmap Piece(const TBitmap& Pic, const TRect& R)
{
    TBitmap img;
    img.SetSize(R.Width(), R.Height(), false);
    CopyPiece(img, Rect(0, 0, R.Width(), R.Height()), Pic, R);
    return img;
}

// A picture stretched to w x h by its four corner points, as windows compose theirs.
TBitmap ComposeWindow(const TBitmap& Pic, const TRect& R, TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect Cl,
                      int w, int h)
{
    TbsSkinGeometry g;
    g.LTPt = g.NewLTPt = LT;
    g.RTPt = RT;
    g.LBPt = LB;
    g.RBPt = RB;
    g.ClRect = Cl;
    const int dx = w - R.Width(), dy = h - R.Height();
    g.NewRTPt = Point(RT.X + dx, RT.Y);
    g.NewLBPt = Point(LB.X, LB.Y + dy);
    g.NewRBPt = Point(RB.X + dx, RB.Y + dy);
    g.NewClRect = Rect(Cl.Left, Cl.Top, Cl.Right + dx, Cl.Bottom + dy);
    TBitmap img;
    CreateSkinImage(g, img, Pic, R, w, h, true, true, true, true, true, true, bsstFull);
    return img;
}

TColor KeyOf(const TBitmap& Pic, const TRect& R) { return Pic.GetPixel(R.Left, R.Bottom - 1); }

// Every control element with a skin picture, in each of its state rects,
// composed at three sizes as the controls compose them; then the glyphs of
// check boxes, radio buttons, slider and track bar, the menus with a popup,
// and the hint.
TEST_P(SkinPreview, ElementStatesComposeAtEverySize)
{
    const TbsSkinData& d = S->Data;
    const TSize sizes[] = {{0, 0}, {40, 16}, {150, 44}};   // {0,0}: the skin's own size
    TSheetLayout sheet(640);
    int composed = 0;
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
        sheet.Row(c->IDName);
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
                const TBitmap img = Compose(*e, *pic, state, w, h);
                ASSERT_EQ(img.Width(), w) << c->IDName;
                ASSERT_EQ(img.Height(), h) << c->IDName;
                // The fixed corners come through unchanged.
                EXPECT_EQ(img.GetPixel(0, 0), pic->GetPixel(state.Left, state.Top)) << c->IDName;
                EXPECT_EQ(img.GetPixel(w - 1, h - 1), pic->GetPixel(state.Right - 1, state.Bottom - 1)) << c->IDName;
                sheet.Add(img);
                ++composed;
            }
        }
        if (const auto* cr = dynamic_cast<const TbsDataSkinCheckRadioControl*>(e)) {
            sheet.Row(c->IDName + ": glyphs");
            for (const TRect* r : {&cr->CheckImageRect, &cr->UnCheckImageRect, &cr->ActiveCheckImageRect,
                                   &cr->ActiveUnCheckImageRect, &cr->UnEnabledCheckImageRect,
                                   &cr->UnEnabledUnCheckImageRect, &cr->GrayedCheckImageRect,
                                   &cr->ActiveGrayedCheckImageRect})
                if (!r->IsEmpty())
                    sheet.Add(Piece(*pic, *r), KeyOf(*pic, *r));
        }
        if (const auto* tb = dynamic_cast<const TbsDataSkinTrackBarControl*>(e)) {
            sheet.Row(c->IDName + ": thumbs");
            for (const TRect* r : {&tb->ButtonRect, &tb->ActiveButtonRect})
                if (!r->IsEmpty())
                    sheet.Add(Piece(*pic, *r), KeyOf(*pic, *r));
        }
    }
    EXPECT_GT(composed, 100);

    // The slider: rulers stretched between their edges, and the thumbs.
    const int si = d.GetControlIndex("slider");
    ASSERT_GE(si, 0);
    const auto* slider = dynamic_cast<const TbsDataSkinSlider*>(d.CtrlList[si].get());
    ASSERT_NE(slider, nullptr);
    const TBitmap* sliderPic = d.ActivePicture(slider->PictureIndex);
    ASSERT_NE(sliderPic, nullptr);
    sheet.Row("slider");
    {
        TBitmap h, v;
        CreateHSkinImage(slider->EdgeSize, slider->EdgeSize, h, *sliderPic, slider->HRulerRect, 200,
                         slider->HRulerRect.Height(), true);
        CreateVSkinImage(slider->EdgeSize, slider->EdgeSize, v, *sliderPic, slider->VRulerRect,
                         slider->VRulerRect.Width(), 80, true);
        sheet.Add(h, KeyOf(*sliderPic, slider->HRulerRect));
        sheet.Add(v, KeyOf(*sliderPic, slider->VRulerRect));
        for (const TRect& r : {slider->HThumbRect, slider->VThumbRect})
            for (int half = 0; half < 2; ++half) {
                const TRect t = Rect(r.Left + half * r.Width() / 2, r.Top, r.Left + (half + 1) * r.Width() / 2, r.Bottom);
                sheet.Add(Piece(*sliderPic, t), KeyOf(*sliderPic, t));
            }
    }

    // The menu bar's item in its three states, and a popup menu with its items.
    const int mi = d.GetIndex("menuitem"), bi = d.GetIndex("menubaritem");
    ASSERT_GE(mi, 0);
    ASSERT_GE(bi, 0);
    const auto* item = dynamic_cast<const TbsDataSkinMenuItem*>(d.ObjectList[mi].get());
    const auto* barItem = dynamic_cast<const TbsDataSkinMainMenuItem*>(d.ObjectList[bi].get());
    ASSERT_NE(item, nullptr);
    ASSERT_NE(barItem, nullptr);
    sheet.Row("menubaritem: normal, hover, down");
    const TBitmap* barPic = d.ActivePicture(barItem->ActivePictureIndex);
    const std::pair<const TRect*, TColor> barStates[] = {{&barItem->SkinRect, barItem->FontColor},
                                                         {&barItem->ActiveSkinRect, barItem->ActiveFontColor},
                                                         {&barItem->DownRect, barItem->DownFontColor}};
    for (const auto& [r, color] : barStates) {
        TBitmap img;
        CreateHSkinImage(barItem->ItemLO, barItem->ItemRO, img, *barPic, *r, 60, r->Height(), true);
        const TPoint at = sheet.Add(img);
        sheet.Text(Point(at.X + 14, at.Y + 4), "文件", color);
    }
    sheet.Row("popup menu, hint");
    const TbsDataSkinPopupWindow& pw = *d.PopupWindow;
    const TBitmap* popupPic = d.ActivePicture(pw.WindowPictureIndex);
    ASSERT_NE(popupPic, nullptr);
    const TRect popupRect = Rect(0, 0, popupPic->Width(), popupPic->Height());
    const int itemH = item->SkinRect.Height(), menuW = 200;
    const int menuH = pw.ItemsRect.Top + (popupRect.Height() - pw.ItemsRect.Bottom) + itemH * 4 + item->DividerRect.Height();
    TBitmap menu = ComposeWindow(*popupPic, popupRect, pw.LTPoint, pw.RTPoint, pw.LBPoint, pw.RBPoint, pw.ItemsRect,
                                 menuW, menuH);
    const TBitmap* itemPic = d.ActivePicture(item->ActivePictureIndex);
    const int itemW = menuW - pw.ItemsRect.Left - (popupRect.Width() - pw.ItemsRect.Right);
    struct TMenuRow {
        const char* Text;
        bool Active;
        const TRect* Mark;
    };
    const TMenuRow rows[] = {{"打开文件", false, &item->CheckImageRect},
                             {"高质量", true, &item->ActiveRadioImageRect},
                             {nullptr, false, nullptr},
                             {"最近的文件", false, &item->ArrowImageRect},
                             {"退出", false, nullptr}};
    int my = pw.ItemsRect.Top;
    std::vector<std::tuple<TPoint, std::string, TColor>> menuTexts;
    for (const TMenuRow& row : rows) {
        TBitmap img;
        const TRect& src = row.Text ? (row.Active ? item->ActiveSkinRect : item->SkinRect) : item->DividerRect;
        CreateHSkinImage(row.Text ? item->ItemLO : item->DividerLO, row.Text ? item->ItemRO : item->DividerRO, img,
                         *itemPic, src, itemW, src.Height(), true);
        CopyPiece(menu, Bounds(pw.ItemsRect.Left, my, itemW, img.Height()), img, Rect(0, 0, itemW, img.Height()));
        if (row.Mark && !row.Mark->IsEmpty()) {
            const TBitmap mark = Piece(*itemPic, *row.Mark);
            const TColor key = KeyOf(*itemPic, *row.Mark);
            const int mx = row.Mark == &item->ArrowImageRect ? pw.ItemsRect.Left + itemW - mark.Width() - 4
                                                              : pw.ItemsRect.Left + 6;
            for (int y = 0; y < mark.Height(); ++y)
                for (int x = 0; x < mark.Width(); ++x)
                    if (mark.GetPixel(x, y) != key)
                        menu.SetPixel(mx + x, my + (img.Height() - mark.Height()) / 2 + y, mark.GetPixel(x, y));
        }
        if (row.Text)
            menuTexts.emplace_back(Point(pw.ItemsRect.Left + 24, my + 4), row.Text,
                                   row.Active ? item->ActiveFontColor : item->FontColor);
        my += img.Height();
    }
    const TPoint menuAt = sheet.Add(menu);
    for (const auto& [at, text, color] : menuTexts)
        sheet.Text(Point(menuAt.X + at.X, menuAt.Y + at.Y), text, color);

    const TbsDataSkinHintWindow& hw = *d.HintWindow;
    const TBitmap* hintPic = d.ActivePicture(hw.WindowPictureIndex);
    ASSERT_NE(hintPic, nullptr);
    const TRect hintRect = Rect(0, 0, hintPic->Width(), hintPic->Height());
    const TPoint hintAt = sheet.Add(
        ComposeWindow(*hintPic, hintRect, hw.LTPoint, hw.RTPoint, hw.LBPoint, hw.RBPoint, hw.ClRect, 150, 28));
    sheet.Text(Point(hintAt.X + hw.ClRect.Left + 2, hintAt.Y + hw.ClRect.Top + 1), "添加要转换的文件", hw.FontColor);

    SaveImage(sheet.Render(d.SkinColors()->cBtnFace(), d.SkinColors()->cBtnText()), Prefix() + "_elements");
}

// A sketch of the main window built from the skin's elements, to judge the
// skin as a whole: menu bar, tool bar, panels, a list with its scroll bar and
// the settings page with its boxes.
class TMockPainter {
public:
    TMockPainter(const TbsSkinData& Data, TBitmap& Target, TPoint Origin) : D(Data), B(Target), O(Origin) {}

    const TbsDataSkinCustomControl* Element(const std::string& Name) const
    {
        const int i = D.GetControlIndex(Name);
        return i >= 0 ? dynamic_cast<const TbsDataSkinCustomControl*>(D.CtrlList[i].get()) : nullptr;
    }

    // Draws the element's state rect composed to R; returns the rect drawn.
    TRect Face(const std::string& Name, TRect R, const TRect* State = nullptr)
    {
        const auto* e = Element(Name);
        EXPECT_NE(e, nullptr) << Name;
        if (!e)
            return R;
        const TBitmap img = Compose(*e, *D.ActivePicture(e->PictureIndex), State ? *State : e->SkinRect, R.Width(),
                                    R.Height());
        R = Bounds(R.Left, R.Top, img.Width(), img.Height());
        CopyPiece(B, R.Offsetted(O.X, O.Y), img, Rect(0, 0, img.Width(), img.Height()));
        return R;
    }

    // A picture rect of the element's picture, drawn with its key colour left out.
    void Keyed(const std::string& Name, const TRect& Src, int x, int y)
    {
        const auto* e = Element(Name);
        if (!e)
            return;
        const TBitmap* pic = D.ActivePicture(e->PictureIndex);
        const TColor key = pic->GetPixel(Src.Left, Src.Bottom - 1);
        for (int j = 0; j < Src.Height(); ++j)
            for (int i = 0; i < Src.Width(); ++i) {
                const TColor c = pic->GetPixel(Src.Left + i, Src.Top + j);
                if (c != key)
                    B.SetPixel(O.X + x + i, O.Y + y + j, c);
            }
    }

    void Text(const std::string& T, int x, int y, TColor Color, int Height = 14, bool Bold = false)
    {
        TCanvas& cv = *B.Canvas();
        cv.Brush().SetStyle(bsClear);
        cv.Font().SetName("WenQuanYi Micro Hei");
        cv.Font().SetHeight(Height);
        cv.Font().SetStyle(Bold ? TFontStyles(fsBold) : TFontStyles());
        cv.Font().SetColor(Color);
        cv.TextOut(O.X + x, O.Y + y, T);
    }
    void CentredText(const std::string& T, const TRect& R, TColor Color)
    {
        TCanvas& cv = *B.Canvas();
        cv.Font().SetName("WenQuanYi Micro Hei");
        cv.Font().SetHeight(14);
        const TSize ext = cv.TextExtent(T);
        Text(T, R.Left + (R.Width() - ext.cx) / 2, R.Top + (R.Height() - ext.cy) / 2, Color);
    }

private:
    const TbsSkinData& D;
    TBitmap& B;
    TPoint O;
};

TEST_P(SkinPreview, MainWindowSketch)
{
    const TbsSkinData& d = S->Data;
    TFramePreview f = RenderFrame(d, 839, 527, true, "ZarvoMPG格式转换器", {cmClose, cmMinimize});
    TMockPainter m(d, f.Image, Point(f.Client.Left, f.Client.Top));
    const TColor text = d.SkinColors()->cBtnText();

    // Menu bar with one item hovered.
    const auto* bar = dynamic_cast<const TbsDataSkinMainMenuBar*>(d.CtrlList[d.GetControlIndex("mainmenubar")].get());
    ASSERT_NE(bar, nullptr);
    const TBitmap* barPic = d.ActivePicture(bar->PictureIndex);
    CopyPiece(f.Image, Rect(f.Client.Left, f.Client.Top, f.Client.Right, f.Client.Top + bar->SkinRect.Height()),
              *barPic, bar->SkinRect);
    const auto* item = dynamic_cast<const TbsDataSkinMainMenuItem*>(d.ObjectList[d.GetIndex(bar->MenuBarItem)].get());
    ASSERT_NE(item, nullptr);
    int x = 4;
    for (const char* caption : {"文件", "编辑", "动作", "功能", "帮助"}) {
        const TRect r = Bounds(x, 1, 44, item->SkinRect.Height());
        if (std::string(caption) == "编辑")
            CopyPiece(f.Image, r.Offsetted(f.Client.Left, f.Client.Top), *d.ActivePicture(item->ActivePictureIndex),
                      item->ActiveSkinRect);
        m.CentredText(caption, r, text);
        x += 46;
    }

    // Tool bar: the menu button, tool buttons at rest, hovered and pressed.
    const int barH = bar->SkinRect.Height();
    m.Face("resizetoolpanel", Rect(0, barH, 839, barH + 52));
    const auto* tool = dynamic_cast<const TbsDataSkinButtonControl*>(m.Element("resizetoolbutton"));
    ASSERT_NE(tool, nullptr);
    x = 6;
    const TRect menuFace = m.Face("toolmenubutton", Bounds(x, barH + 4, 70, 44));
    m.CentredText("添加", Rect(menuFace.Left, menuFace.Top, menuFace.Right - 16, menuFace.Bottom), text);
    x += 76;
    const std::pair<const char*, const TRect*> tools[] = {
        {"开始", &tool->SkinRect}, {"停止", &tool->ActiveSkinRect}, {"暂停", &tool->DownSkinRect}, {"选项", &tool->SkinRect}};
    for (const auto& [caption, state] : tools) {
        const TRect r = m.Face("resizetoolbutton", Bounds(x, barH + 4, 60, 44), state);
        m.CentredText(caption, r, text);
        x += 64;
    }

    // The preview panel and the job list with a vertical scroll bar.
    const int top = barH + 60;
    const TRect preview = m.Face("panel", Rect(8, top, 300, top + 250));
    m.CentredText("视频预览", Rect(preview.Left, preview.Top, preview.Right, preview.Top + 28), text);
    const TRect list = m.Face("listbox", Rect(308, top, 831, top + 250));
    const auto* lb = dynamic_cast<const TbsDataSkinListBox*>(m.Element("listbox"));
    ASSERT_NE(lb, nullptr);
    const char* files[] = {"家庭聚会.mp4", "旅行记录.avi", "毕业典礼.mkv", "会议录像.wmv"};
    for (int i = 0; i < 4; ++i) {
        const TRect row = Rect(list.Left + 2, list.Top + 2 + i * 22, list.Right - 20, list.Top + 24 + i * 22);
        const TRect& st = i == 1 ? lb->FocusItemRect : (i == 2 ? lb->ActiveItemRect : lb->SItemRect);
        TBitmap rowImg;
        CreateHSkinImage(lb->ItemLeftOffset, lb->ItemRightOffset, rowImg, *d.ActivePicture(lb->PictureIndex), st,
                         row.Width(), st.Height(), true);
        CopyPiece(f.Image, row.Offsetted(f.Client.Left, f.Client.Top), rowImg, Rect(0, 0, rowImg.Width(), rowImg.Height()));
        m.Text(files[i], row.Left + 8, row.Top + 3, i == 1 ? lb->FocusFontColor : lb->FontColor);
    }
    m.Face("vscrollbar", Rect(list.Right - 18, list.Top + 2, list.Right - 2, list.Bottom - 2));
    const auto* vs = dynamic_cast<const TbsDataSkinScrollBarControl*>(m.Element("vscrollbar"));
    ASSERT_NE(vs, nullptr);
    CopyPiece(f.Image,
              Bounds(list.Right - 18, list.Top + 22, vs->ThumbRect.Width(), 60).Offsetted(f.Client.Left, f.Client.Top),
              *d.ActivePicture(vs->PictureIndex), vs->ThumbRect);

    // The settings page with its tabs and boxes.
    const int pageTop = top + 286;
    const auto* tab = dynamic_cast<const TbsDataSkinTabControl*>(d.CtrlList[d.GetControlIndex("tab")].get());
    ASSERT_NE(tab, nullptr);
    const TBitmap* tabPic = d.ActivePicture(tab->PictureIndex);
    {
        const TRect page = Rect(8, pageTop, 831, 519);
        const int dx = page.Width() - tab->SkinRect.Width(), dy = page.Height() - tab->SkinRect.Height();
        TbsSkinGeometry g;
        g.LTPt = g.NewLTPt = tab->LTPoint;
        g.RTPt = tab->RTPoint;
        g.LBPt = tab->LBPoint;
        g.RBPt = tab->RBPoint;
        g.ClRect = tab->ClRect;
        g.NewRTPt = Point(tab->RTPoint.X + dx, tab->RTPoint.Y);
        g.NewLBPt = Point(tab->LBPoint.X, tab->LBPoint.Y + dy);
        g.NewRBPt = Point(tab->RBPoint.X + dx, tab->RBPoint.Y + dy);
        g.NewClRect = Rect(tab->ClRect.Left, tab->ClRect.Top, tab->ClRect.Right + dx, tab->ClRect.Bottom + dy);
        TBitmap img;
        CreateSkinImage(g, img, *tabPic, tab->SkinRect, page.Width(), page.Height(), true, tab->LeftStretch,
                        tab->TopStretch, tab->RightStretch, tab->BottomStretch, tab->StretchEffect, tab->StretchType);
        CopyPiece(f.Image, page.Offsetted(f.Client.Left, f.Client.Top), img, Rect(0, 0, img.Width(), img.Height()));
    }
    x = 12;
    for (const auto& [caption, state] : {std::pair{"常规设置", &tab->ActiveTabRect}, std::pair{"音视频高级设置", &tab->TabRect}}) {
        const TRect r = Bounds(x, pageTop - state->Height() + 1, 120, state->Height());
        TBitmap t;
        CreateHSkinImage(tab->TabLeftOffset, tab->TabRightOffset, t, *tabPic, *state, r.Width(), state->Height(), true);
        CopyPiece(f.Image, r.Offsetted(f.Client.Left, f.Client.Top), t, Rect(0, 0, t.Width(), t.Height()));
        m.CentredText(caption, r, state == &tab->ActiveTabRect ? tab->ActiveFontColor : tab->FontColor);
        x += 122;
    }
    m.Text("输出文件夹：", 24, pageTop + 24, text);
    m.Face("edit", Rect(110, pageTop + 20, 520, pageTop + 44));
    m.Text("/home/user/视频/输出", 116, pageTop + 24, text);
    const auto* push = dynamic_cast<const TbsDataSkinButtonControl*>(m.Element("button"));
    ASSERT_NE(push, nullptr);
    m.CentredText("浏览", m.Face("button", Rect(530, pageTop + 19, 600, pageTop + 45), &push->ActiveSkinRect), text);
    m.CentredText("打开", m.Face("button", Rect(608, pageTop + 19, 678, pageTop + 45)), text);
    m.Text("输出格式：", 24, pageTop + 64, text);
    m.Face("combobox", Rect(110, pageTop + 60, 330, pageTop + 84));
    m.Text("MP4 视频 (H.264)", 116, pageTop + 64, text);
    const auto* check = dynamic_cast<const TbsDataSkinCheckRadioControl*>(m.Element("checkbox"));
    ASSERT_NE(check, nullptr);
    m.Keyed("checkbox", check->CheckImageRect, 350, pageTop + 64);
    m.Text("转换完成后打开文件夹", 372, pageTop + 63, text);
    const auto* radio = dynamic_cast<const TbsDataSkinCheckRadioControl*>(m.Element("radiobox"));
    ASSERT_NE(radio, nullptr);
    m.Keyed("radiobox", radio->CheckImageRect, 560, pageTop + 64);
    m.Text("高质量", 582, pageTop + 63, text);
    m.Keyed("radiobox", radio->UnCheckImageRect, 650, pageTop + 64);
    m.Text("快速", 672, pageTop + 63, text);
    const auto* disabled = push;
    m.CentredText("开始转换", m.Face("button", Rect(700, pageTop + 100, 800, pageTop + 128), &disabled->DisabledSkinRect),
                  push->DisabledFontColor);
    SaveImage(f.Image, Prefix() + "_main_sketch");
}

// The share of pixels of two equally sized images whose colours differ
// plainly (by more than 40 over the three channels).
double Difference(const TBitmap& a, const TBitmap& b)
{
    int differing = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const TColor p = a.GetPixel(x, y), q = b.GetPixel(x, y);
            if (std::abs(GetRValue(p) - GetRValue(q)) + std::abs(GetGValue(p) - GetGValue(q)) +
                    std::abs(GetBValue(p) - GetBValue(q)) > 40)
                ++differing;
        }
    return double(differing) / (a.Width() * a.Height());
}

TColor Centre(const TBitmap& B) { return B.GetPixel(B.Width() / 2, B.Height() / 2); }

constexpr double MinTextContrast = 4.5;
constexpr double MinDisabledContrast = 2.5;   // dimmed on purpose, yet readable
constexpr double MinStateDifference = 0.05;   // of the face's pixels

// Over the rendered pictures of the skin: every caption and control text
// reaches 4.5:1 against what it is drawn on, and the states of every
// pressable element are plainly different from each other.
TEST_P(SkinPreview, TextsReachTheirContrastAndStatesDiffer)
{
    const TbsSkinData& d = S->Data;
    auto expectText = [](TColor text, TColor under, double min, const std::string& what) {
        EXPECT_GE(Contrast(text, under), min) << what;
    };

    // Caption text on the caption bar, active and inactive.
    const int ci = d.GetIndex("caption");
    ASSERT_GE(ci, 0);
    const auto* cap = dynamic_cast<const TbsDataSkinCaption*>(d.ObjectList[ci].get());
    ASSERT_NE(cap, nullptr);
    for (bool active : {true, false}) {
        const TFramePreview f = RenderFrame(d, 839, 527, active, "", {cmClose, cmMinimize});
        expectText(active ? cap->ActiveFontColor : cap->FontColor,
                   f.Image.GetPixel(f.Client.Left + 200, f.Client.Top / 2), MinTextContrast,
                   active ? "active caption" : "inactive caption");
    }

    // Pressable faces: text in each state, and the five states apart.
    for (const char* name : {"button", "resizetoolbutton", "toolmenubutton", "combobutton"}) {
        const int i = d.GetControlIndex(name);
        ASSERT_GE(i, 0) << name;
        const auto* b = dynamic_cast<const TbsDataSkinButtonControl*>(d.CtrlList[i].get());
        ASSERT_NE(b, nullptr) << name;
        const TBitmap& pic = *d.ActivePicture(b->PictureIndex);
        const TSize size = b->SkinRect.Width() > 30 ? TSize{90, 32} : TSize{b->SkinRect.Width(), b->SkinRect.Height()};
        const std::pair<const char*, const TRect*> states[] = {{"normal", &b->SkinRect},
                                                               {"hover", &b->ActiveSkinRect},
                                                               {"down", &b->DownSkinRect},
                                                               {"focused", &b->FocusedSkinRect},
                                                               {"disabled", &b->DisabledSkinRect}};
        const TColor texts[] = {b->FontColor, b->ActiveFontColor, b->DownFontColor, b->FontColor, b->DisabledFontColor};
        std::vector<TBitmap> faces;
        for (size_t k = 0; k < std::size(states); ++k) {
            faces.push_back(Compose(*b, pic, *states[k].second, size.cx, size.cy));
            const std::string what = std::string(name) + " " + states[k].first;
            expectText(texts[k], Centre(faces.back()), k == 4 ? MinDisabledContrast : MinTextContrast, what + " text");
        }
        EXPECT_NE(b->DisabledFontColor, b->FontColor) << name;
        for (size_t k = 0; k < faces.size(); ++k)
            for (size_t l = k + 1; l < faces.size(); ++l)
                EXPECT_GE(Difference(faces[k], faces[l]), MinStateDifference)
                    << name << ": " << states[k].first << " and " << states[l].first << " look alike";
    }

    // Items of lists, menus, the menu bar and tabs, each on its own face.
    auto piece = [&](int Picture, const TRect& R) { return Piece(*d.ActivePicture(Picture), R); };
    const auto* lb = dynamic_cast<const TbsDataSkinListBox*>(d.CtrlList[d.GetControlIndex("listbox")].get());
    ASSERT_NE(lb, nullptr);
    const TBitmap item = piece(lb->PictureIndex, lb->SItemRect), focus = piece(lb->PictureIndex, lb->FocusItemRect),
                  hot = piece(lb->PictureIndex, lb->ActiveItemRect);
    expectText(lb->FontColor, Centre(item), MinTextContrast, "list item");
    expectText(lb->FocusFontColor, Centre(focus), MinTextContrast, "focused list item");
    expectText(lb->ActiveFontColor, Centre(hot), MinTextContrast, "selected list item");
    EXPECT_GE(Difference(item, hot), 0.5) << "list item selection";
    EXPECT_GE(Difference(hot, focus), 0.5) << "list item focus";

    const auto* mi = dynamic_cast<const TbsDataSkinMenuItem*>(d.ObjectList[d.GetIndex("menuitem")].get());
    ASSERT_NE(mi, nullptr);
    expectText(mi->FontColor, Centre(piece(mi->ActivePictureIndex, mi->SkinRect)), MinTextContrast, "menu item");
    expectText(mi->ActiveFontColor, Centre(piece(mi->ActivePictureIndex, mi->ActiveSkinRect)), MinTextContrast,
               "hovered menu item");
    const auto* bi = dynamic_cast<const TbsDataSkinMainMenuItem*>(d.ObjectList[d.GetIndex("menubaritem")].get());
    ASSERT_NE(bi, nullptr);
    const TBitmap barFaces[] = {piece(bi->ActivePictureIndex, bi->SkinRect),
                                piece(bi->ActivePictureIndex, bi->ActiveSkinRect),
                                piece(bi->ActivePictureIndex, bi->DownRect)};
    const TColor barTexts[] = {bi->FontColor, bi->ActiveFontColor, bi->DownFontColor};
    for (int k = 0; k < 3; ++k) {
        expectText(barTexts[k], Centre(barFaces[k]), MinTextContrast, "menu bar item " + std::to_string(k));
        EXPECT_GE(Difference(barFaces[k], barFaces[(k + 1) % 3]), MinStateDifference) << "menu bar item " << k;
    }

    const auto* tab = dynamic_cast<const TbsDataSkinTabControl*>(d.CtrlList[d.GetControlIndex("tab")].get());
    ASSERT_NE(tab, nullptr);
    expectText(tab->FontColor, Centre(piece(tab->PictureIndex, tab->TabRect)), MinTextContrast, "tab");
    expectText(tab->ActiveFontColor, Centre(piece(tab->PictureIndex, tab->ActiveTabRect)), MinTextContrast, "active tab");
    expectText(tab->MouseInFontColor, Centre(piece(tab->PictureIndex, tab->MouseInTabRect)), MinTextContrast,
               "hovered tab");

    for (const char* name : {"edit", "combobox"}) {
        const auto* e = dynamic_cast<const TbsDataSkinCustomControl*>(d.CtrlList[d.GetControlIndex(name)].get());
        ASSERT_NE(e, nullptr) << name;
        const TColor text = name == std::string("edit") ? dynamic_cast<const TbsDataSkinEditControl*>(e)->FontColor
                                                        : dynamic_cast<const TbsDataSkinComboBox*>(e)->FontColor;
        expectText(text, Centre(Compose(*e, *d.ActivePicture(e->PictureIndex), e->SkinRect, 200, 24)), MinTextContrast,
                   name);
    }

    const auto* header = dynamic_cast<const TbsDataSkinLabelControl*>(d.CtrlList[d.GetControlIndex("menuheader")].get());
    ASSERT_NE(header, nullptr);
    expectText(header->FontColor, Centre(piece(header->PictureIndex, header->SkinRect)), MinTextContrast, "menu header");
    const auto* link = dynamic_cast<const TbsDataSkinStdLabelControl*>(d.CtrlList[d.GetControlIndex("stdlabel")].get());
    ASSERT_NE(link, nullptr);
    expectText(link->FontColor, d.SkinColors()->cBtnFace(), MinTextContrast, "label");
    expectText(link->ActiveFontColor, d.SkinColors()->cBtnFace(), MinTextContrast, "hovered label");

    const TbsDataSkinHintWindow& hw = *d.HintWindow;
    expectText(hw.FontColor, Centre(*d.ActivePicture(hw.WindowPictureIndex)), MinTextContrast, "hint");
    const auto* check = dynamic_cast<const TbsDataSkinCheckRadioControl*>(d.CtrlList[d.GetControlIndex("checkbox")].get());
    ASSERT_NE(check, nullptr);
    const TbsSkinColors& colors = *d.SkinColors();
    expectText(check->FontColor, colors.cBtnFace(), MinTextContrast, "check box");
    expectText(colors.cBtnText(), colors.cBtnFace(), MinTextContrast, "text on faces");
    expectText(colors.cWindowText(), colors.cWindow(), MinTextContrast, "text in windows");
    expectText(colors.cHighLightText(), colors.cHighLight(), MinTextContrast, "selected text");
}

std::string SkinLabel(const ::testing::TestParamInfo<int>& info) { return SkinAt(info.param).Name; }

INSTANTIATE_TEST_SUITE_P(EverySkin, SkinPreview, ::testing::Range(0, MainSkinCount + ToolBarSkinCount), SkinLabel);

}  // namespace
