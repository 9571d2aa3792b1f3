#pragma once
#include "skin/data/SkinDataLink.h"
#include <functional>
#include <memory>
#include <vector>
#include "platform/core/Component.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/ui/WinTypes.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/Menus.h"
#include "skin/controls/MenuLinks.h"
#include "skin/frame/FrameSeams.h"

class TControl;
class TCustomForm;
class TTimer;
class TbsFormFrame;
class TbsSkinData;
class TbsSkinMenuItem;
class TbsSkinPopupWindow;

// The menu engine of a form's frame: shows any TMenuItem tree as a stack of
// skinned popup windows, opens sub-menus (after a rest on their item, or at
// once on a click or key), closes levels as the user moves on, runs the
// chosen command and tells the opener and the form when the menu is gone.
//
// Windows and items are never freed inside their own handlers: a closed
// level's window is destroyed at once and its objects go by a posted
// message.
class TbsSkinMenu : public TComponent, public IbsFrameMenuEngine {
public:
    TbsSkinMenu(TComponent* AOwner, TCustomForm* AForm);
    ~TbsSkinMenu() override;

    // The frame's face.
    bool Visible() const override { return FVisible; }
    void Hide() override;
    void Popup(TMenuItem* Items, const TRect& R, bool PopupUp, TbsSkinData* ASkinData) override;
    void PopupFor(TControl* Opener, TMenuItem* Items, const TRect& R, bool PopupUp, TbsSkinData* ASkinData) override
    {
        Popup(Opener, ASkinData, 0, R, Items, PopupUp);
    }
    void PopupKeyDown(int Key) override;
    int WindowCount() const override { return int(FPopupList.size()); }
    bool TopSelectedHasSubItems() const override;

    void Popup(TControl* APopupCtrl, TbsSkinData* ASkinData, int StartIndex, const TRect& R, TMenuItem* AItem,
               bool PopupUp);
    void Popup2(TControl* APopupCtrl, TbsSkinData* ASkinData, int StartIndex, const TRect& R, TMenuItem* AItem,
                TMenuItem* AItem2, bool PopupUp);
    void CloseFrom(int Level);
    int IndexOfPopup(const TbsSkinPopupWindow* Window) const;
    TbsSkinPopupWindow* PopupWindow(int Level) const { return FPopupList[size_t(Level)].get(); }
    void ItemAction(TbsSkinPopupWindow* Window, TbsSkinMenuItem* Item, bool Click, bool Kb);
    TRect GetWorkArea() const;
    void OpenPopupWindow(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp);
    void OpenPopupWindow2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem,
                          bool PopupUp);

    // For the items: the level above Window closes its own open sub-menus
    // (when two levels are open above Window); waiting for Item stops.
    void CloseAbove(TbsSkinPopupWindow* Window, int Levels);
    void StopWaitingFor(TbsSkinMenuItem* Item);
    // A mouse message a window of the menu got while holding the mouse.
    void MouseMessage(UINT Msg, TPoint Screen);

    bool First() const { return FFirst; }
    TFont& DefaultMenuItemFont() { return FDefaultMenuItemFont; }
    const TFont& DefaultMenuItemFont() const { return FDefaultMenuItemFont; }
    void SetDefaultMenuItemFont(const TFont& Value) { FDefaultMenuItemFont.Assign(Value); }
    int DefaultMenuItemHeight() const { return FDefaultMenuItemHeight; }
    void SetDefaultMenuItemHeight(int Value) { FDefaultMenuItemHeight = Value; }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    TNotifyEvent OnMenuClose;

    TControl* PopupCtrl = nullptr;
    TControl* DCtrl = nullptr;
    TCustomForm* FForm;
    TTimer* WaitTimer = nullptr;
    TbsSkinMenuItem* WItem = nullptr;
    TRect WorkArea;
    TbsSkinData* SkinData = nullptr;
    bool AlphaBlend = false;
    int AlphaBlendValue = 150;
    bool AlphaBlendAnimation = false;
    int MaxMenuItemsInWindow = 0;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void StopWaiting();
    void TakeMouse();
    void FreeClosedWindows();
    static void SendTo(TControl* Ctrl, UINT Msg);

    bool FUseSkinFont = true;
    bool FFirst = false;
    int FDefaultMenuItemHeight = 20;
    TFont FDefaultMenuItemFont;
    bool FVisible = false;
    std::vector<std::unique_ptr<TbsSkinPopupWindow>> FPopupList;
    std::vector<std::unique_ptr<TbsSkinPopupWindow>> FClosed;   // freed by the posted message
    HWND FUtilWindow = nullptr;
    TControl* FAfterCtrl = nullptr;                 // told WM_AFTERDISPATCH after the command
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// The first component owned by Component that is a form frame, or null.
TbsFormFrame* FindSkinForm(TComponent* Component);
// The messages on which a form's frame closes an open skinned menu.
bool IsCloseMenuMessage(UINT Msg);

// A context menu shown by the skinned menu engine of the form it belongs to.
class TbsSkinPopupMenu : public TPopupMenu, public TbsButtonPopupMenu {
public:
    explicit TbsSkinPopupMenu(TComponent* AOwner);

    void Popup(int X, int Y) override;
    void PopupFromRect(const TRect& R, bool APopupUp);
    void Popup2(TControl* ACtrl, int X, int Y);
    void PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp) override;

    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    TCustomForm* ComponentForm() const { return FComponentForm; }
    void SetComponentForm(TCustomForm* Value) { FComponentForm = Value; }
    TComponent* SkinComponent() const { return FSkinComponent; }
    void SetSkinComponent(TComponent* Value) { FSkinComponent = Value; }
    TPoint PopupPoint() const { return FPopupPoint; }
    TNotifyEvent OnMenuClose;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void DoPopup(TControl* ACtrl, const TRect& R, bool APopupUp, bool NeedSkin);
    TbsFormFrame* FindFrame() const;

    TPoint FPopupPoint{-1, -1};
    TbsSkinDataLink FSD{this};
    TCustomForm* FComponentForm = nullptr;
    TComponent* FSkinComponent = nullptr;
};
