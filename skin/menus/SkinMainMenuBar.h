#pragma once
#include "skin/data/SkinDataLink.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "platform/gfx/Font.h"
#include "platform/ui/controls/Menus.h"
#include "skin/controls/SkinControl.h"
#include "skin/frame/FrameSeams.h"
#include "skin/menus/MenuBarButton.h"

class TTimer;
class TbsFormFrame;
class TbsSkinMenu;

// A form's main menu with a skin of its own for the menus it drops.
class TbsSkinMainMenu : public TMainMenu {
public:
    explicit TbsSkinMainMenu(TComponent* AOwner) : TMainMenu(AOwner) {}
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* Value);

    TbsFormFrame* BSF = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TbsSkinDataLink FSD{this};
};

using TbsMenuItemEvent = std::function<void(TMenuItem* MenuItem)>;

// The skinned main menu bar: shows the top-level items of a TMainMenu in a
// row, drops their sub-menus through the form frame's menu engine, follows
// the keyboard's menu mode that the frame drives, and hides what does not
// fit behind an overflow marker that lists the rest.
class TbsSkinMainMenuBar : public TbsSkinControl, public IbsFrameMenuBar {
public:
    explicit TbsSkinMainMenuBar(TComponent* AOwner);
    ~TbsSkinMainMenuBar() override;

    TMainMenu* MainMenu() const { return FMainMenu; }
    void SetMainMenu(TMainMenu* Value);
    TbsFormFrame* FormFrame() const { return BSF; }
    void SetFormFrame(TbsFormFrame* Value);
    // A second menu whose items join the bar's by GroupIndex.
    void Merge(TMainMenu* Menu);
    void UnMerge();
    void UpDateItems();
    void UpDateEnabledItems();
    TMainMenu* GetChildMainMenu() const;

    bool ScrollMenu() const { return FScrollMenu; }
    void SetScrollMenu(bool Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    const TFont& DefItemFont() const { return FDefItemFont; }
    void SetDefItemFont(const TFont& Value);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    bool PopupToUp() const { return FPopupToUp; }
    void SetPopupToUp(bool Value) { FPopupToUp = Value; }

    // The frame's keyboard menu mode.
    void EnterMenuMode() override;
    void LeaveMenuMode() override;
    void ReleaseDownItem() override;
    bool ProcessAccelerator(int Key) override;
    void PriorMainMenuItem() override;
    void NextMainMenuItem() override;
    bool OpenActiveItem() override;
    bool IsShortCut(TMessage& Msg) override;
    TMainMenu* ChildMainMenu() const override { return GetChildMainMenu(); }
    // A maximized MDI child's caption buttons on the bar (MenuBarMDIButtons.cpp).
    void MDIChildMaximize() override;
    void MDIChildRestore() override;
    void UpdateChildMenu() override;

    void SetSkinData(TbsSkinData* Value) override;
    void GetSkinData() override;
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // For the items.
    TbsSkinMenu* MenuEngine() const;
    TbsSkinData* MenuSkinData() const;
    void DrawObject(TbsMenuBarObject* O);
    void StartMorphTimer();
    void StartAnimateTimer(int Interval);
    // The item font's settings on Canvas (skin charset when there is one).
    void SetItemFont(TCanvas& Canvas, const TbsSkinMainMenuBarItem* Item) const;
    // The width of an item's caption in its font.
    int ItemTextWidth(const TbsSkinMainMenuBarItem* Item);
    void TestActive(int X, int Y);
    void CalcItemsRect();
    void PopupHiddenItems();
    TbsSkinMainMenuBarItem* Item(int Index) const;
    int ItemCount() const { return int(ObjectList.size()); }
    TRect MarkerRect() const;

    TbsMenuItemEvent OnItemMouseEnter;
    TbsMenuItemEvent OnItemMouseLeave;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // State the items share.
    bool FSkinSupport = false;
    bool MenuActive = false;
    bool Scroll = false;
    bool MarkerActive = false;
    bool ChildMenuIn = false;
    int ActiveObject = -1;
    int OldActiveObject = -1;
    int MouseCaptureObject = -1;
    TRect NewItemsRect;
    std::vector<std::unique_ptr<TbsSkinMainMenuBarItem>> ObjectList;
    // The maximized child's buttons, in the order system menu, close,
    // restore, minimize; the system menu at the bar's left end, the others
    // from its right end leftwards. Empty while no child is maximized.
    std::vector<std::unique_ptr<TbsSkinMainMenuBarButton>> MDIButtons;
    int ActiveButton = -1;            // the button under the pointer
    int ButtonCaptureObject = -1;     // the button pressed, until the release
    bool FMDIChildMax = false;
    int ButtonsCount() const { return int(MDIButtons.size()); }

    // From the skin's "mainmenubar" entry.
    TRect SkinRect, ItemsRect;
    std::string MenuBarItem, MaxButton, MinButton, SysMenuButton, CloseButton;
    TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;
    const TBitmap* Picture = nullptr;
    bool StretchEffect = false;
    bool ItemTransparent = false;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void ReleaseSkinElement() override;

private:
    void CreateMDIButtons();
    void ApplyMDIBorderIcons();
    // Shrinks NewItemsRect by the buttons placed at its ends.
    void PlaceMDIButtons();
    void DeleteMDIButtons();
    void DrawMDIButtons(TCanvas& Canvas);
    // Hover of the buttons follows the pointer (X -1: it left the bar).
    void TestMDIButtons(int X, int Y);
    int MDIButtonAt(int X, int Y) const;
    // The press and release of the buttons; false when no button takes it.
    bool MDIButtonsMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    bool MDIButtonsMouseUp(TMouseButton Button, int X, int Y);
    // A menu of the bar closed: a pressed system-menu button comes up.
    void WMCloseSkinMenu();
    void CreateMenu();
    // The top-level items the bar stands for, merged by GroupIndex with a
    // child menu, hidden ones included.
    std::vector<TMenuItem*> BarMenuItems() const;
    // The menu changed: the same items take their new state in place,
    // anything else rebuilds the bar.
    void MenuChanged();
    void ClearObjects();
    void PaintBar(TCanvas& Canvas);
    void DrawMarker(TCanvas& Canvas);
    void MouseTimerProc();
    void MorphTimerProc();
    void AnimateTimerProc();
    int ShownItemCount() const;
    bool Usable(int Index) const;

    bool FScrollMenu = true;
    bool FUseSkinFont = true;
    bool FPopupToUp = false;
    TFont FDefItemFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 22;
    TbsFormFrame* BSF = nullptr;
    TMainMenu* FMainMenu = nullptr;
    TMainMenu* FMergeMenu = nullptr;
    TTimer* MouseTimer;
    TTimer* MorphTimer;
    TTimer* AnimateTimer;
    bool FUpdatingActions = false;   // the menu's changes are the bar's own doing
};
