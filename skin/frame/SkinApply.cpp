#include "platform/ui/Ui.h"
#include "platform/ui/forms/MDIClient.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/data/WindowDescriptions.h"
#include "platform/ui/controls/Timer.h"
#include "skin/draw/LayerWindow.h"
#include "skin/draw/PlatformCaps.h"
#include "skin/frame/FormFrame.h"
#include "skin/frame/SkinChangeRelay.h"

// Applying a skin (or none) to the frame, switching the skinned frame on and
// off, and the frame objects made for it.

void TbsFormFrame::ApplySkinData()
{
    if (FUseRibbon)
        FSkinnableForm = false;
    OldActiveObject = ActiveObject = MouseCaptureObject = -1;
    FSkinSupport = FSD && !FSD->Empty;
    HideLayerManagers();
    if (FBorderLayer && FBorderLayer->Visible())
        FBorderLayer->Hide();

    if (FSkinSupport && FSkinnableForm) {
        CreateObjectsFromSkin();
        UpdateCaptionButtons();
    } else {
        ClearObjects();
        FFormWidth = FForm->Width();
        FFormHeight = FForm->Height();
        UpdateFormRegion();
    }
    if (FSkinnableForm) {
        if (!FForm->BorderIcons().Empty())
            FForm->SetBorderIcons({});
    } else {
        UpdateFormBorderIcons();
    }

    FInChangeSkinData = true;
    int minW = GetMinWidth(), minH = GetMinHeight();
    bool narrow = FForm->Width() < minW, low = FForm->Height() < minH;
    if (narrow && low)
        FForm->SetBounds(FForm->Left(), FForm->Top(), minW, minH);
    else if (low)
        FForm->SetHeight(minH);
    else if (narrow)
        FForm->SetWidth(minW);
    else
        ForceResize();
    if (FRollUpState || FWindowState == wsMinimized) {
        if (FForm->Height() != GetMinHeight())
            FForm->SetHeight(GetMinHeight());
    }
    if (FWindowState == wsMinimized && FForm->Width() != GetMinWidth())
        FForm->SetWidth(GetMinWidth());
    FFormWidth = FForm->Width();
    FFormHeight = FForm->Height();
    if (FSkinSupport)
        UpdateSkinFrame();
    if (IsMDIForm()) {
        // The client window paints the background the children stand on.
        if (TMDIClient* client = FForm->MDIClient(); client && client->HandleAllocated())
            RedrawWindow(client->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
        RefreshMDIChildren();
    } else if (FForm->HandleAllocated()) {
        RepaintFrame();
        FForm->Invalidate();
    }
    // A maximized child has no caption of its own to animate.
    UpdateCaptionActiveState(!(IsMDIChild() && FWindowState == wsMaximized));
    MouseTimer->SetEnabled(true);
    if (OnChangeSkinData)
        OnChangeSkinData(this);
    FInChangeSkinData = false;

    if (!FRollUpState) {
        if (ClientWidth > 0)
            FForm->SetClientWidth(ClientWidth);
        if (ClientHeight > 0)
            FForm->SetClientHeight(ClientHeight);
    }
    if (FBorderLayer) {
        FBorderLayer->InitFrame();
        if (IsLayeredBorderEnabled() && FForm->Visible()) {
            FBorderLayer->ShowWithForm();
            FForm->Show();
            FBorderLayer->SetBoundsWithForm();
        }
    }
}

void TbsFormFrame::SetSkinnableForm(bool Value)
{
    FFormActive = GetFormActive();
    if (ComponentState().Contains(csDesigning))
        return;
    // The maximized look survives the switch: leave it here, take it up again below.
    bool remaximize = false;
    if (FWindowState == wsMaximized && FSkinnableForm) {
        FForm->Hide();
        SetWindowState(wsNormal);
        remaximize = true;
    } else if (FForm->WindowState() == wsMaximized && !FSkinnableForm) {
        FForm->SetWindowState(wsNormal);
        FForm->Hide();
        remaximize = true;
    }
    FSkinnableForm = Value && !FUseRibbon;
    ApplySkinData();
    ChangeControlsSkinData(nullptr, FForm);
    InstallWindowProc();
    if (remaximize) {
        if (!FSkinnableForm)
            FForm->SetWindowState(wsMaximized);
        else
            SetWindowState(wsMaximized);
        FForm->Show();
    }
}

void TbsFormFrame::UpdateFormBorderIcons()
{
    TBorderIcons icons;
    if (!HideCaptionButtons || FSkinnableForm)
        icons.Include(biSystemMenu);
    if (FBorderIcons.Contains(TbsBorderIcon::biMinimize))
        icons.Include(biMinimize);
    if (FBorderIcons.Contains(TbsBorderIcon::biMaximize))
        icons.Include(biMaximize);
    FForm->SetBorderIcons(icons);
}

void TbsFormFrame::CreateObjectsFromSkin()
{
    ClearObjects();
    TbsFrameObjectMaker make = FrameObjectMaker();
    if (!make || !FSD)
        return;
    for (auto& d : FSD->ObjectList) {
        // Menu items and bar buttons belong to the menus and the menu bar.
        if (dynamic_cast<TbsDataSkinMainMenuItem*>(d.get()) || dynamic_cast<TbsDataSkinMenuItem*>(d.get()) ||
            dynamic_cast<TbsDataSkinMainMenuBarButton*>(d.get()))
            continue;
        if (TbsActiveSkinObject* o = make(this, d.get()))
            ObjectList.emplace_back(o);
    }
}

void TbsFormFrame::CreateDefaultButtons()
{
    ClearObjects();
    static const std::pair<const char*, TbsStdCommand> buttons[] = {
        {"closebutton", cmClose},   {"maxbutton", cmMaximize},     {"minbutton", cmMinimize},
        {"rollupbutton", cmRollUp}, {"sysmenubutton", cmSysMenu}, {"traybutton", cmMinimizeToTray},
    };
    for (auto [name, command] : buttons) {
        auto b = std::make_unique<TbsSkinStdButtonObject>(this, nullptr, command);
        b->IDName = name;
        b->SkinRectInAPicture = true;
        b->SkinRect = b->ActiveSkinRect = b->DownRect = TRect{0, 0, 1, 1};
        ObjectList.push_back(std::move(b));
    }
    UpdateCaptionButtons();
}

void TbsFormFrame::UpdateCaptionButtons()
{
    for (auto& o : ObjectList) {
        // Standard buttons, and animations that act as buttons, follow BorderIcons.
        TbsStdCommand command;
        if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()))
            command = b->Command;
        else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()))
            command = HideCaptionButtons || a->ButtonStyle ? a->Command : cmClose;
        else
            continue;
        if (HideCaptionButtons) {
            o->Enabled = false;
            o->Visible = !o->SkinRectInAPicture;
            continue;
        }
        bool enabled;
        switch (command) {
        case cmMaximize: enabled = FBorderIcons.Contains(TbsBorderIcon::biMaximize); break;
        case cmMinimize: enabled = FBorderIcons.Contains(TbsBorderIcon::biMinimize); break;
        case cmRollUp: enabled = FBorderIcons.Contains(TbsBorderIcon::biRollUp); break;
        case cmMinimizeToTray: enabled = FBorderIcons.Contains(TbsBorderIcon::biMinimizeToTray); break;
        case cmSysMenu: enabled = FBorderIcons.Contains(TbsBorderIcon::biSystemMenu) && !DisableSystemMenu; break;
        case cmDefault: {
            bool visible = false;
            if (OnActivateCustomObject)
                OnActivateCustomObject(o->IDName, visible);
            o->Visible = visible;
            continue;
        }
        default: continue;   // cmClose stays as it is
        }
        o->Enabled = enabled;
        o->Visible = o->SkinRectInAPicture ? enabled : true;
    }
    UpdateObjectHints();
}

void TbsFormFrame::HideLayerManagers()
{
    if (FLayerManager->IsVisible())
        FLayerManager->Hide();
    if (FMenuLayerManager->IsVisible())
        FMenuLayerManager->Hide();
}

bool TbsFormFrame::IsLayeredBorderEnabled() const
{
    return FBorderLayer && FSD && !FSD->Empty && FSD->ShowLayeredBorders() && FSD->LayerFrame &&
           FSD->LayerFrame->PictureIndex != -1 && FIsLayerEnabled && FSkinnableForm &&
           !AlwaysDisableLayeredFrames && !PreviewMode && FForm->BorderStyle() != bsNone && !IsMDIChild() &&
           !FSmartEffectsShow;
}

bool TbsFormFrame::AlphaFadeRequested() const
{
    return CanUseLayeredWindows() &&
           (FAlphaBlend || AlphaBlendAnimation || (FSD && FSD->AnimationForAllWindows()));
}

bool TbsFormFrame::NeedLayeredShowTimer() const
{
    return FIsVistaOs && IsLayeredBorderEnabled() && !FAlphaBlend && !AlphaBlendAnimation &&
           (!FSD || FSD->Empty || !FSD->AnimationForAllWindows());
}
