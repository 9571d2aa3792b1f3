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
#include "platform/gfx/Png.h"
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
                const TBitmap img = Compose(*e, *pic, state, w, h);
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

std::string SkinLabel(const ::testing::TestParamInfo<int>& info) { return SkinAt(info.param).Name; }

INSTANTIATE_TEST_SUITE_P(EverySkin, SkinPreview, ::testing::Range(0, MainSkinCount + 1), SkinLabel);

}  // namespace
