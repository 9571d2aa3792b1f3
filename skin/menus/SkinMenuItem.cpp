#include "skin/menus/SkinMenuItem.h"

#include <algorithm>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Ui.h"
#include "platform/ui/Paint.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/Timer.h"
#include "platform/ui/forms/Forms.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBitmap.h"
#include "skin/draw/Marks.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinPopupWindow.h"

namespace {

const unsigned PlainTextFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// The caption between the first and the last character (a header's text).
std::string HeaderText(const std::string& Caption)
{
    return Caption.size() >= 2 ? DropLastCharacter(Caption.substr(1)) : std::string();
}

}  // namespace

void DrawMenuCheckMark(TCanvas& Canvas, int X, int Y, TColor Color)
{
    Canvas.Pen().SetColor(Color);
    for (int i = 0; i < 3; ++i)
        Canvas.Polyline({TPoint{X, Y + 5 - i}, TPoint{X + 2, Y + 7 - i}, TPoint{X + 7, Y + 2 - i}});
}

void DrawMenuArrow(TCanvas& Canvas, int X, int Y, TColor Color)
{
    Canvas.Pen().SetColor(Color);
    for (int i = 0; i < 4; ++i) {
        Canvas.MoveTo(X + i, Y + i);
        Canvas.LineTo(X + i, Y + 7 - i);
    }
}

void DrawMenuRadioMark(TCanvas& Canvas, int X, int Y, TColor Color)
{
    Canvas.Pen().SetColor(Color);
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Color);
    Canvas.Ellipse(X, Y, X + 6, Y + 6);
}

// ------------------------------------------------------------ construction

TbsSkinMenuItem::TbsSkinMenuItem(TbsSkinPopupWindow* AParent, TMenuItem* AMenuItem, TbsDataSkinMenuItem* AData)
    : Parent(AParent), MenuItem(AMenuItem)
{
    if (AData && AParent->SD) {
        auto& pictures = AParent->SD->FActivePictures;
        if (AData->ActivePictureIndex >= 0 && AData->ActivePictureIndex < int(pictures.size())) {
            MI = AData;
            ActivePicture = pictures[size_t(AData->ActivePictureIndex)].get();
        }
    }
}

bool TbsSkinMenuItem::IsDivider() const { return MenuItem->Caption() == "-"; }

bool TbsSkinMenuItem::IsHeader() const
{
    const std::string& c = MenuItem->Caption();
    return !c.empty() && c.front() == '-' && c.back() == '-' && !MenuItem->Enabled() && c != "-";
}

bool TbsSkinMenuItem::Usable() const { return MenuItem->Enabled() && !IsDivider(); }

void TbsSkinMenuItem::SetMorphKf(double Value)
{
    FMorphKf = std::clamp(Value, 0.0, 1.0);
}

// ------------------------------------------------------------ drawing

void TbsSkinMenuItem::Draw(TCanvas& Cnvs)
{
    if (!FVisible)
        return;
    if (!MI) {
        DefaultDraw(Cnvs);
        return;
    }
    TBitmap b;
    if (IsDivider()) {
        CreateHSkinImage(MI->DividerLO, MI->DividerRO, b, *ActivePicture, MI->DividerRect, ObjectRect.Width(),
                         MI->DividerRect.Height(), MI->DividerStretchEffect);
    } else {
        bool act = Active || Down;
        if (EnableAnimation() && CurrentFrame > 0 && CurrentFrame <= MI->FrameCount) {
            DrawItemFace(b, act, true);
        } else if (EnableMorphing()) {
            if (act && FMorphKf == 1) {
                DrawItemFace(b, true, false);
            } else if (act || FMorphKf != 0) {
                DrawItemFace(b, false, false);
                TBitmap b2;
                DrawItemFace(b2, true, false);
                TbsEffectBmp e1(b), e2(b2);
                switch (MI->MorphKind) {
                case mkGradient: e1.MorphGrad(e2, FMorphKf); break;
                case mkLeftGradient: e1.MorphLeftGrad(e2, FMorphKf); break;
                case mkRightGradient: e1.MorphRightGrad(e2, FMorphKf); break;
                case mkLeftSlide: e1.MorphLeftSlide(e2, FMorphKf); break;
                case mkRightSlide: e1.MorphRightSlide(e2, FMorphKf); break;
                case mkPush: e1.MorphPush(e2, FMorphKf); break;
                default: e1.Morph(e2, FMorphKf); break;
                }
                e1.AssignTo(b);
            } else {
                DrawItemFace(b, false, false);
            }
        } else {
            DrawItemFace(b, act, false);
        }
    }
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, b);
}

TRect TbsSkinMenuItem::GetFrameRect() const
{
    const TRect& a = MI->AnimateSkinRect;
    int k = CurrentFrame;
    int n = std::max(1, MI->FrameCount);
    if (MI->SkinRect.Height() < a.Height()) {
        int h = a.Height() / n;
        return TRect{a.Left, a.Top + h * (k - 1), a.Right, a.Top + h * k};
    }
    int w = a.Width() / n;
    return TRect{a.Left + w * (k - 1), a.Top, a.Left + w * k, a.Bottom};
}

bool TbsSkinMenuItem::HasGlyph() const
{
    if (!MenuItem->Bitmap().Empty())
        return true;
    TImageList* il = Parent->ImgL;
    return il && MenuItem->ImageIndex() >= 0 && MenuItem->ImageIndex() < il->Count();
}

void TbsSkinMenuItem::DrawGlyph(TCanvas& C, int X, int Y, TColor Color, bool)
{
    int w = MenuItem->Bitmap().Empty() ? Parent->ImgL->Width() : MenuItem->Bitmap().Width();
    int h = MenuItem->Bitmap().Empty() ? Parent->ImgL->Height() : MenuItem->Bitmap().Height();
    if (MenuItem->Checked()) {
        C.Brush().SetStyle(bsClear);
        C.Pen().SetColor(Color);
        C.Rectangle(X - 1, Y - 1, X + w + 1, Y + h + 1);
    }
    if (!MenuItem->Bitmap().Empty())
        C.Draw(X, Y, MenuItem->Bitmap());
    else
        Parent->ImgL->Draw(C, X, Y, MenuItem->ImageIndex(), MenuItem->Enabled());
}

bool TbsSkinMenuItem::DrawSystemGlyph(TCanvas& C, int X, int Y, TColor Color)
{
    const std::string& n = MenuItem->Name();
    if (n == "BSF_CLOSE" || n == "TRAY_BSF_CLOSE")
        DrawCloseGlyph(C, X, Y, Color);
    else if (n == "BSF_MINITEM")
        DrawMinimizeGlyph(C, X, Y, Color);
    else if (n == "BSF_MAXITEM")
        DrawMaximizeGlyph(C, X, Y, Color);
    else if (n == "BSF_RESTORE" || n == "TRAY_BSF_RESTORE")
        DrawRestoreGlyph(C, X, Y, Color);
    else if (n == "BSF_ROLLUP")
        DrawRollUpGlyph(C, X, Y, Color);
    else if (n == "BSF_MINTOTRAY")
        DrawMinimizeToTrayGlyph(C, X, Y, Color);
    else
        return false;
    return true;
}

void TbsSkinMenuItem::DrawImage(TCanvas& Canvas, const TRect& R, const TRect& Src)
{
    TBitmap piece(Src.Width(), Src.Height());
    CopyPiece(piece, TRect{0, 0, Src.Width(), Src.Height()}, *ActivePicture, Src);
    piece.SetTransparent(true);
    int x = std::max(R.Left, R.Left + R.Width() / 2 - Src.Width() / 2);
    int y = std::max(R.Top, R.Top + R.Height() / 2 - Src.Height() / 2);
    Canvas.Draw(x, y, piece);
}

void TbsSkinMenuItem::DrawItemFace(TBitmap& B, bool Act, bool Frame)
{
    PaintFaceBackground(B, Act, Frame);
    TRect t = MI->TextRct;
    t.Right = B.Width() - (MI->SkinRect.Width() - MI->TextRct.Right);
    TCanvas& c = *B.Canvas();
    const TColor color = SetFaceFont(c, Act);

    if (MenuItem->OnDrawItem) {
        MenuItem->OnDrawItem(this, c, t, Act);
        return;
    }
    if (IsHeader()) {
        DrawHeaderItem(c, TRect{0, 0, B.Width(), B.Height()}, MenuItem->Caption());
        return;
    }
    int g = Parent->ImgL ? Parent->GlyphWidth : 16;
    if (!MI->ImageRct.IsEmpty())
        g = 0;
    DrawCaptionAndShortCut(c, t, g, 16);
    if (MenuItem->Count() > 0)
        DrawSubmenuArrow(c, t, Act, color);
    DrawFaceMark(c, t, Act, MI->UseImageColor ? (Act ? MI->ActiveImageColor : MI->ImageColor) : color);
}

// The skin's item picture (active, inactive or the animation frame), or the
// window's own background under a transparent inactive item.
void TbsSkinMenuItem::PaintFaceBackground(TBitmap& B, bool Act, bool Frame)
{
    TRect src = Act ? MI->ActiveSkinRect : MI->SkinRect;
    bool stretch = Act ? MI->StretchEffect : MI->InActiveStretchEffect;
    if (!Act && !MI->InActiveStretchEffect && MI->StretchEffect)
        stretch = Frame;
    if (Frame)
        src = GetFrameRect();

    if (!Act && MI->InActiveTransparent && Parent->FPaintBuffer) {
        B.SetSize(ObjectRect.Width(), ObjectRect.Height(), false);
        B.Canvas()->CopyRect(TRect{0, 0, ObjectRect.Width(), ObjectRect.Height()}, *Parent->FPaintBuffer->Canvas(),
                             ObjectRect);
    } else {
        CreateHSkinImage(MI->ItemLO, MI->ItemRO, B, *ActivePicture, src, ObjectRect.Width(), src.Height(), stretch);
    }
}

// The skin's item font (or the menu's own) in the colour of the item's state;
// answers that colour.
TColor TbsSkinMenuItem::SetFaceFont(TCanvas& C, bool Act)
{
    TbsSkinMenu* menu = Parent->ParentMenu;
    C.Brush().SetStyle(bsClear);
    if (menu->UseSkinFont()) {
        C.Font().SetName(MI->FontName);
        C.Font().SetStyle(MI->FontStyle);
        C.Font().SetHeight(MI->FontHeight);
    } else {
        C.Font().Assign(menu->DefaultMenuItemFont());
    }
    if (menu->SkinData && menu->SkinData->ResourceStrData())
        C.Font().SetCharset(menu->SkinData->ResourceStrData()->CharSet());
    else
        C.Font().SetCharset(menu->DefaultMenuItemFont().Charset());
    TColor color = Act ? MI->ActiveFontColor : MenuItem->Enabled() ? MI->FontColor : MI->UnEnabledFontColor;
    C.Font().SetColor(color);
    return color;
}

unsigned TbsSkinMenuItem::TextFlags() const
{
    TCustomForm* form = Parent->ParentMenu->FForm;
    return form ? form->DrawTextBiDiModeFlags(PlainTextFlags) : PlainTextFlags;
}

bool TbsSkinMenuItem::RightToLeft() const
{
    TCustomForm* form = Parent->ParentMenu->FForm;
    return form && form->UseRightToLeftAlignment();
}

// The caption from GlyphGap past the left of T, centred on T's height, and
// the shortcut text ending RightGap before T's right; on a right-to-left
// form the two trade places, the caption ending RightGap before T's right.
void TbsSkinMenuItem::DrawCaptionAndShortCut(TCanvas& C, const TRect& T, int GlyphGap, int RightGap)
{
    const unsigned flags = TextFlags();
    const int areaLeft = T.Left + GlyphGap, areaRight = T.Right - RightGap;
    TRect r{areaLeft, 0, areaRight, 0};
    DrawSkinText(C, MenuItem->Caption(), r, flags | DT_CALCRECT);
    int rh = r.Height();
    r.Top = T.Top + T.Height() / 2 - rh / 2;
    r.Bottom = r.Top + rh;
    r.Right += 2;
    if (RightToLeft()) {
        const int w = r.Width();
        r.Right = areaRight;
        r.Left = areaRight - w;
    }
    DrawSkinText(C, MenuItem->Caption(), r, flags);
    if (!MenuItem->ShortCut())
        return;
    const std::string s = ShortCutToText(MenuItem->ShortCut());
    TRect m{0, 0, 0, 0};
    DrawSkinText(C, s, m, flags | DT_CALCRECT);
    TRect sr{areaRight - m.Width(), r.Top, areaRight, r.Bottom};
    if (RightToLeft())
        sr = TRect{areaLeft, r.Top, areaLeft + m.Width(), r.Bottom};
    DrawSkinText(C, s, sr, flags);
}

void TbsSkinMenuItem::DrawSubmenuArrow(TCanvas& C, const TRect& T, bool Act, TColor Color)
{
    if (MI->ArrowImageRect.IsEmpty())
        DrawMenuArrow(C, T.Right - 7, T.Top + T.Height() / 2 - 4, Color);
    else
        DrawImage(C, TRect{T.Right - MI->ArrowImageRect.Width() - 5, T.Top, T.Right, T.Bottom},
                  Act ? MI->ActiveArrowImageRect : MI->ArrowImageRect);
}

// In the image place (the skin's, else the left of T): the item's glyph, a
// system command's glyph, or the check or radio mark of a checked item.
void TbsSkinMenuItem::DrawFaceMark(TCanvas& C, const TRect& T, bool Act, TColor Color)
{
    const bool noImageRect = MI->ImageRct.IsEmpty();
    if (HasGlyph()) {
        int w = MenuItem->Bitmap().Empty() ? Parent->ImgL->Width() : MenuItem->Bitmap().Width();
        int h = MenuItem->Bitmap().Empty() ? Parent->ImgL->Height() : MenuItem->Bitmap().Height();
        int x = noImageRect ? T.Left + 2 : MI->ImageRct.Left + MI->ImageRct.Width() / 2 - w / 2;
        int y = noImageRect ? T.Top + T.Height() / 2 - h / 2 : MI->ImageRct.Top + MI->ImageRct.Height() / 2 - h / 2;
        DrawGlyph(C, x, y, Color, true);
        return;
    }
    int x = noImageRect ? T.Left + 2 : MI->ImageRct.Left + MI->ImageRct.Width() / 2 - 4;
    int y = noImageRect ? T.Top + T.Height() / 2 - 4 : MI->ImageRct.Top + MI->ImageRct.Height() / 2 - 4;
    if (DrawSystemGlyph(C, x, y, Color) || !MenuItem->Checked())
        return;
    TRect area = noImageRect ? TRect{T.Left + 2, T.Top, T.Left + 16, T.Bottom} : MI->ImageRct;
    if (MenuItem->RadioItem()) {
        if (MI->RadioImageRect.IsEmpty())
            DrawMenuRadioMark(C, x, y + 1, Color);
        else
            DrawImage(C, area, Act ? MI->ActiveRadioImageRect : MI->RadioImageRect);
    } else {
        if (MI->CheckImageRect.IsEmpty())
            DrawMenuCheckMark(C, x, y, Color);
        else
            DrawImage(C, area, Act ? MI->ActiveCheckImageRect : MI->CheckImageRect);
    }
}

void TbsSkinMenuItem::DrawHeaderItem(TCanvas& Canvas, const TRect& R, const std::string& Text)
{
    TbsSkinData* sd = Parent->SD;
    if (!sd)
        return;
    int i = sd->GetControlIndex("menuheader");
    if (i == -1)
        i = sd->GetControlIndex("label");
    if (i == -1)
        return;
    auto* label = dynamic_cast<TbsDataSkinLabelControl*>(sd->CtrlList[size_t(i)].get());
    if (!label || label->PictureIndex < 0 || label->PictureIndex >= int(sd->FActivePictures.size()))
        return;
    const TBitmap& pic = *sd->FActivePictures[size_t(label->PictureIndex)];
    TBitmap h;
    CreateHSkinImage(label->LTPoint.X, label->SkinRect.Width() - label->RTPoint.X, h, pic, label->SkinRect,
                     R.Width(), label->SkinRect.Height(), label->StretchEffect);
    TCanvas& hc = *h.Canvas();
    hc.Font().SetColor(label->FontColor);
    hc.Font().SetName(label->FontName);
    hc.Font().SetHeight(label->FontHeight);
    hc.Font().SetStyle(label->FontStyle);
    hc.Font().SetCharset(Canvas.Font().Charset());
    hc.Brush().SetStyle(bsClear);
    TRect tr{label->ClRect.Left, label->ClRect.Top, h.Width() - (label->SkinRect.Width() - label->ClRect.Right),
             h.Height()};
    DrawSkinText(hc, HeaderText(Text), tr, TextFlags());
    Canvas.Draw(R.Left, R.Top + R.Height() / 2 - h.Height() / 2, h);
}

void TbsSkinMenuItem::DefaultDraw(TCanvas& Cnvs)
{
    int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap b(w, h);
    TCanvas& c = *b.Canvas();
    TbsSkinMenu* menu = Parent->ParentMenu;
    int g = Parent->ImgL ? Parent->GlyphWidth : 19;
    c.Font().Assign(menu->DefaultMenuItemFont());
    if (menu->SkinData && menu->SkinData->ResourceStrData())
        c.Font().SetCharset(menu->SkinData->ResourceStrData()->CharSet());

    TColor text;
    if ((Active || Down) && !IsDivider()) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(TColor(0x800000));
        c.FillRect(TRect{0, 0, w, h});
        c.Brush().SetColor(TColor(0xD2BDB6));
        c.FillRect(TRect{1, 1, w - 1, h - 1});
        text = clWindowText;
    } else {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clBtnFace);
        c.FillRect(TRect{0, 0, g, h});
        c.Brush().SetColor(clWindow);
        c.FillRect(TRect{g, 0, w, h});
        text = MenuItem->Enabled() ? clWindowText : clBtnShadow;
    }
    c.Font().SetColor(text);

    if (IsDivider()) {
        c.Pen().SetColor(clBtnShadow);
        c.MoveTo(g, h / 2);
        c.LineTo(w, h / 2);
        Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, b);
        return;
    }
    TRect r2{2, 2, w - 2, h - 2};
    if (IsHeader()) {
        c.Brush().SetColor(clBtnShadow);
        c.FillRect(TRect{0, 0, w, h});
        c.Font().SetColor(clBtnHighlight);
        c.Brush().SetStyle(bsClear);
        DrawSkinText(c, HeaderText(MenuItem->Caption()), r2, TextFlags());
        Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, b);
        return;
    }
    c.Brush().SetStyle(bsClear);
    DrawCaptionAndShortCut(c, r2, g, 19);
    int cy = r2.Top + r2.Height() / 2;
    if (MenuItem->Count() > 0)
        DrawMenuArrow(c, r2.Right - 7, cy - 4, text);
    if (HasGlyph()) {
        int gh = MenuItem->Bitmap().Empty() ? Parent->ImgL->Height() : MenuItem->Bitmap().Height();
        DrawGlyph(c, r2.Left + 2, cy - gh / 2, text, false);
    } else if (!DrawSystemGlyph(c, r2.Left + 2, cy - 4, text) && MenuItem->Checked()) {
        if (MenuItem->RadioItem())
            DrawMenuRadioMark(c, r2.Left + 3, cy - 4, text);
        else
            DrawMenuCheckMark(c, r2.Left + 3, cy - 4, text);
    }
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, b);
}

// ------------------------------------------------------------ effects

bool TbsSkinMenuItem::EnableMorphing() const
{
    TbsSkinData* sd = Parent->SD;
    return MI && MI->Morphing && sd && !sd->Empty && sd->EnableSkinEffects();
}

bool TbsSkinMenuItem::EnableAnimation() const
{
    TbsSkinData* sd = Parent->SD;
    return MI && !MI->AnimateSkinRect.IsEmpty() && MI->FrameCount > 0 && sd && !sd->Empty && sd->EnableSkinEffects();
}

bool TbsSkinMenuItem::CanMorphing()
{
    if (!FVisible) {
        if (FMorphKf != 0) {
            Active = Down = false;
            FMorphKf = 0;
        }
        return false;
    }
    return ((Active || Down) && FMorphKf < 1) || (!Active && !Down && FMorphKf > 0);
}

void TbsSkinMenuItem::DoMorphing()
{
    SetMorphKf(FMorphKf + ((Active || Down) ? 0.2 : -0.2));
    DrawOnWindow();
}

void TbsSkinMenuItem::DrawOnWindow()
{
    HWND h = Parent->Handle();
    if (!h || !FVisible)
        return;
    HDC dc = GetDC(h);
    TCanvas c;
    c.SetHandle(dc);
    Draw(c);
    c.SetHandle(nullptr);
    ReleaseDC(h, dc);
}

void TbsSkinMenuItem::ReDraw()
{
    TTimer* t = Parent->MorphTimer;
    if (EnableAnimation()) {
        if (t->Interval() != unsigned(MI->AnimateInterval))
            t->SetInterval(unsigned(std::max(1, MI->AnimateInterval)));
        if (!Active && !MI->InActiveAnimation) {
            CurrentFrame = 0;
            DrawOnWindow();
        } else {
            t->SetEnabled(true);
        }
    } else if (EnableMorphing()) {
        if (t->Interval() != 20)
            t->SetInterval(20);
        t->SetEnabled(true);
    } else {
        DrawOnWindow();
    }
}

// ------------------------------------------------------------ mouse and keys

void TbsSkinMenuItem::MouseDown(int, int)
{
    WaitCommand = false;
    if (!Down && MenuItem->Enabled())
        Parent->ParentMenu->ItemAction(Parent, this, true, false);
}

void TbsSkinMenuItem::MouseEnter(bool Kb)
{
    Active = true;
    if (EnableAnimation())
        CurrentFrame = 0;
    for (TbsSkinMenuItem* other : Parent->Items())
        if (other != this && other->Down) {
            other->Down = false;
            other->ReDraw();
        }
    if (WaitCommand && !Kb) {
        ReDraw();
    } else if (Down) {
        Parent->ParentMenu->CloseAbove(Parent, 2);
    } else {
        ReDraw();
        Parent->ParentMenu->ItemAction(Parent, this, false, Kb);
    }
    if (Parent->Hint != MenuItem->Hint())
        Parent->Hint = MenuItem->Hint();
}

void TbsSkinMenuItem::MouseLeave()
{
    Active = false;
    if (EnableAnimation())
        CurrentFrame = MI->FrameCount + 1;
    WaitCommand = false;
    if (!Down)
        ReDraw();
    Parent->ParentMenu->StopWaitingFor(this);
}
