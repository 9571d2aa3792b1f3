#pragma once
#include <functional>
#include <memory>
#include <vector>
#include "platform/gfx/Font.h"
#include "skin/controls/SkinControl.h"

class TCustomForm;
class TbsFormFrame;
class TbsSkinMDITabsBar;
class TbsDataSkinTabControl;
class TbsSkinMenuSpeedButton;
class TbsSkinPopupMenu;

enum TbsSkinMDITabKind { bstkTab, bstkButton };

// One tab of the tab bar: a child form and where its tab lies.
class TbsMDITab {
public:
    TbsMDITab(TbsSkinMDITabsBar* AParentBar, TCustomForm* AChild) : TabsBar(AParentBar), Child(AChild) {}

    TbsSkinMDITabsBar* TabsBar;
    bool Active = false;
    bool MouseIn = false;
    TRect ObjectRect{0, 0, 0, 0};   // bar client coordinates; empty while not laid out
    TCustomForm* Child;
    bool Visible = false;
    TRect ButtonRect{0, 0, 0, 0};   // the close button, tab coordinates
    bool ButtonMouseIn = false;
    bool ButtonMouseDown = false;
};

using TbsTabMouseEvent = std::function<void(TbsMDITab* MDITab)>;
using TbsTabMouseButtonEvent = std::function<void(TMouseButton Button, TShiftState Shift, TbsMDITab* MDITab)>;
using TbsTabDrawParamsEvent = std::function<void(TbsMDITab* MDITab, TCanvas& Cnvs)>;

// A bar of one tab per child form of a multi-document main form: clicking a
// tab shows its child, a tab's close button closes it, tabs can be dragged
// to a new order. The main form's frame adds and removes the tabs as MDI
// children come and go; it also works for any forms given to AddTab.
class TbsSkinMDITabsBar : public TbsSkinControl {
public:
    explicit TbsSkinMDITabsBar(TComponent* AOwner);
    ~TbsSkinMDITabsBar() override;

    void AddTab(TCustomForm* Child);
    void DeleteTab(TCustomForm* Child);
    // Marks the tab of the main form's active MDI child.
    void UpdateActiveTab();
    int GetTabIndex(int X, int Y) const;
    TbsMDITab* GetTab(int X, int Y) const;
    int GetCloseSize() const;
    int TabCount() const { return int(ObjectList.size()); }
    TbsMDITab* Tabs(int Index) const { return ObjectList[size_t(Index)].get(); }
    int InVisibleCount() const { return FInVisibleCount; }
    void CalcTabRects();
    int GetDropIndex() const;

    bool ShowCloseButtons() const { return FShowCloseButtons; }
    void SetShowCloseButtons(bool Value);
    TbsSkinMDITabKind TabKind() const { return FTabKind; }
    void SetTabKind(TbsSkinMDITabKind Value);
    TbsFormFrame* BSF = nullptr;
    bool SupportChildMenus = true;
    bool UseSkinSize = true;
    bool UseSkinFont = true;
    bool MoveTabs = true;
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    int DefaultTabWidth = 100;
    int MinTabWidth = 0;

    TbsTabMouseEvent OnTabMouseEnter;
    TbsTabMouseEvent OnTabMouseLeave;
    TbsTabMouseButtonEvent OnTabMouseUp;
    TbsTabMouseButtonEvent OnTabMouseDown;
    TbsTabDrawParamsEvent OnTabGetDrawParamsEvent;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetSkinData(TbsSkinData* Value) override;
    static constexpr int ListButtonWidth = 15;

    // The buttons listing all tabs (while there are tabs) and the tabs that
    // do not fit (while there are such).
    TbsSkinMenuSpeedButton* ListButton() const { return FListButton; }
    TbsSkinMenuSpeedButton* HideListButton() const { return FHideListButton; }
    TbsSkinPopupMenu* ListMenu() const { return FListMenu; }
    TbsSkinPopupMenu* HideListMenu() const { return FHideListMenu; }
    void FillListMenu();
    void FillHideListMenu();

protected:
    // A child form going away takes its tab along.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    const TbsDataSkinTabControl* Entry() const;
    void DrawTabs(TBitmap& B);
    void DrawTab(TbsMDITab& Tab, TCanvas& Cnvs);
    // The three looks of a tab: each composes B at the tab's size and says
    // where its caption goes. ButtonDraw answers false without a skin button.
    void TabDraw(TbsMDITab& Tab, TBitmap& B, TRect& Text);
    bool ButtonDraw(TbsMDITab& Tab, TBitmap& B, TRect& Text);
    void ResizeDraw(TbsMDITab& Tab, TBitmap& B, TRect& Text);
    void SetTabFont(TCanvas& C, TColor Color) const;
    // How much taller the skin's active tab image is than the others.
    int ActiveTabOffset() const;
    void DrawCloseButton(TbsMDITab& Tab, TCanvas& Cnvs, const TRect& R);
    void TestActive(int X, int Y);
    void UpdateListButtons();
    TbsSkinMenuSpeedButton* NewListButton(TAlign Align, int ArrowType, TbsSkinPopupMenu* Menu);
    void FillMenu(TbsSkinPopupMenu* Menu, bool HiddenOnly);
    int TabHeight() const;

    std::vector<std::unique_ptr<TbsMDITab>> ObjectList;
    bool FShowCloseButtons = false;
    TbsSkinMDITabKind FTabKind = bstkTab;
    int FDefaultHeight = 21;
    TFont FDefaultFont;
    int FCloseSize = 14;
    int FInVisibleCount = 0;
    int FBottomOffset = 0;
    bool FDown = false;
    bool IsDrag = false;
    int DX = 0;
    int TabDX = 0;
    int DragIndex = -1;
    int ActiveTabIndex = -1;
    int OldTabIndex = -1;
    bool FUpdatingListButtons = false;
    TbsSkinMenuSpeedButton* FListButton = nullptr;
    TbsSkinMenuSpeedButton* FHideListButton = nullptr;
    TbsSkinPopupMenu* FListMenu = nullptr;
    TbsSkinPopupMenu* FHideListMenu = nullptr;
};
