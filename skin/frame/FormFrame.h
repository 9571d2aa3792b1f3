#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Component.h"
#include "platform/core/Set.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Region.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"
#include "skin/frame/FrameObjects.h"
#include "skin/frame/FrameSeams.h"

class TbsSkinData;
class TPopupMenu;
class TTimer;
class TbsLayerManager;
class TbsClientInActivePanel;
class TImageList;
class TbsQuickButtonItems;
class TbsSkinMDITabsBar;

// Which commands a framed form offers. Scoped: the class library's form
// border icons use three of the same names.
enum class TbsBorderIcon { biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray };
using TbsBorderIcons = TSet<TbsBorderIcon>;
enum TbsPositionInMonitor { bspDefault, bspScreenCenter, bspDesktopCenter };
enum TbsClientInActiveEffect { bsieSemiTransparent, bsieBlur };

using TbsCaptionPaintEvent = std::function<void(TCanvas& Cnvs, const TRect& R, bool AActive)>;
using TbsPaintEvent = std::function<void(const std::string& IDName, TCanvas& Canvas, const TRect& ObjectRect)>;
using TbsMouseEnterEvent = std::function<void(const std::string& IDName)>;
using TbsMouseLeaveEvent = std::function<void(const std::string& IDName)>;
using TbsMouseUpEvent =
    std::function<void(const std::string& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button)>;
using TbsMouseDownEvent = TbsMouseUpEvent;
using TbsMouseMoveEvent = std::function<void(const std::string& IDName, int X, int Y, const TRect& ObjectRect)>;
using TbsActivateCustomObjectEvent = std::function<void(const std::string& IDName, bool& ObjectVisible)>;
using TbsOnAcceptToMDITabsBar = std::function<void(bool& Accept)>;

// The non-visual component that frames a whole form: one on each form, owned
// by it. From its creation it puts its window procedure in front of the
// form's (FormWindowProc), takes the form's shortcut handler, clears the
// form's own border icons and draws the non-client area itself: from the
// skin of its SkinData container or, without a skin, as a plain frame in
// system colours. It relays skin changes to the form's skinned controls and
// closes its skinned menus on the messages that end a menu.
class TbsFormFrame : public TComponent {
public:
    explicit TbsFormFrame(TComponent* AOwner);
    ~TbsFormFrame() override;

    TCustomForm* Form() const { return FForm; }

    // ---- properties (plain ones are public fields of the frame's state below)
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    TbsSkinData* MenusSkinData() const { return FMSD; }
    void SetMenusSkinData(TbsSkinData* Value);
    TbsBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TbsBorderIcons Value);
    bool UseRibbon() const { return FUseRibbon; }
    void SetUseRibbon(bool Value);
    bool ShowIcon() const { return FShowIcon; }
    void SetShowIcon(bool Value);
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int Value);
    TFont& DefCaptionFont() { return FDefCaptionFont; }
    void SetDefCaptionFont(const TFont& Value);
    TFont& DefInActiveCaptionFont() { return FDefInActiveCaptionFont; }
    void SetDefInActiveCaptionFont(const TFont& Value);
    TBitmap& LogoBitMap() { return FLogoBitMap; }

    // Kept here for the menu engine, which reads them when it opens a menu.
    int MaxMenuItemsInWindow() const { return FMaxMenuItemsInWindow; }
    void SetMaxMenuItemsInWindow(int Value);
    int DefMenuItemHeight() const { return FDefMenuItemHeight; }
    void SetDefMenuItemHeight(int Value);
    TFont& DefMenuItemFont() { return FDefMenuItemFont; }
    void SetDefMenuItemFont(const TFont& Value) { FDefMenuItemFont.Assign(Value); }
    bool UseSkinFontInMenu() const { return FUseSkinFontInMenu; }
    void SetUseSkinFontInMenu(bool Value) { FUseSkinFontInMenu = Value; }
    bool MenusAlphaBlend() const { return FMenusAlphaBlend; }
    void SetMenusAlphaBlend(bool Value) { FMenusAlphaBlend = Value; }
    bool MenusAlphaBlendAnimation() const { return FMenusAlphaBlendAnimation; }
    void SetMenusAlphaBlendAnimation(bool Value) { FMenusAlphaBlendAnimation = Value; }
    int MenusAlphaBlendValue() const { return FMenusAlphaBlendValue; }
    void SetMenusAlphaBlendValue(int Value) { FMenusAlphaBlendValue = Value; }

    // Components the frame refers to (cleared when they are removed).
    TPopupMenu* SystemMenu() const { return FSystemMenu; }
    void SetSystemMenu(TPopupMenu* Value);
    TComponent* StatusBar() const { return FStatusBar; }
    void SetStatusBar(TComponent* Value);
    TImageList* QuickImageList() const { return FQuickImageList; }
    void SetQuickImageList(TImageList* Value);
    // The caption's quick buttons (owned; setting copies).
    TbsQuickButtonItems& QuickButtons() { return *FQuickButtons; }
    void SetQuickButtons(const TbsQuickButtonItems& Value);
    // Quick buttons are shown: some exist and have an image list.
    bool HasQuickButtons() const;
    TbsSkinMDITabsBar* MDITabsBar() const { return FMDITabsBar; }
    void SetMDITabsBar(TbsSkinMDITabsBar* Value);
    // The seams: each is an interface of a component (the bar, hint and tray)
    // or an owned part (the menu engine, the layered border).
    IbsFrameMenuBar* MainMenuBar() const { return FMainMenuBar; }
    void SetMainMenuBar(IbsFrameMenuBar* Value);
    IbsFrameHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(IbsFrameHint* Value);
    IbsFrameTray* TrayIcon() const { return FTrayIcon; }
    void SetTrayIcon(IbsFrameTray* Value);
    IbsFrameMenuEngine* SkinMenu() const { return FSkinMenu.get(); }
    void SetSkinMenu(std::unique_ptr<IbsFrameMenuEngine> Value) { FSkinMenu = std::move(Value); }
    IbsLayeredBorder* BorderLayer() const { return FBorderLayer.get(); }
    void SetBorderLayer(std::unique_ptr<IbsLayeredBorder> Value) { FBorderLayer = std::move(Value); }

    // ---- public state
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool Value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    int RealHeight() const;
    void SetRealHeight(int Value);
    bool SkinnableForm() const { return FSkinnableForm; }
    bool GetSkinnableForm() const { return FSkinnableForm; }
    void SetSkinnableForm(bool Value);
    bool SkinSupport() const { return FSkinSupport; }

    // ---- operations
    void ApplySkinData();
    bool GetFormActive() const;
    bool CanResize() const;
    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    void ForceResize();

    void ClearObjects();
    void CreateObjectsFromSkin();
    void CreateDefaultButtons();
    void UpdateCaptionButtons();
    int GetIndex(const std::string& AIDName) const;
    void SetEnabled(const std::string& AIDName, bool Value);
    void UserObjectDraw(const std::string& AIDName);
    void ResetObjectsState();
    void UpdateActiveObject(int X, int Y, bool AActivate);
    void DrawSkinObject(TbsActiveSkinObject* AObject);
    void SetFormStyle(TFormStyle FS);
    void SetFormBorderStyle(TBorderStyle BS);
    HWND FindStayOnTopFormHandle() const;
    void MinimizeToTray();

    // The system menu, the tray menu and the caption-button hints (SystemMenu.cpp).
    TMenuItem* GetSystemMenuItems();
    void PopupSystemMenuFromRect(const TRect& R);
    void PopupSysMenuFromButton();
    void RestoreFromTray();
    void UpdateObjectHints();
    TPopupMenu* SysTrayMenu() const { return FSysTrayMenu; }
    // The frame object named AIDName opens AMenu when pressed.
    void LinkMenu(const std::string& AIDName, TPopupMenu* AMenu, bool APopupUp);
    // The drop shadow is the window layer's; this keeps only the state.
    void EnableShadow(bool AShowShadow, bool AHideFormBefore);
    // A text of the skin's text table, else the built-in one.
    std::string FrameText(const std::string& Key, const std::string& BuiltIn) const;

    // The plain frame.
    int GetDefCaptionHeight() const;
    int GetDefButtonSize() const;
    void CalcDefRects();
    void GetDefCaptionRect(TRect& R);
    void PaintNCDefault(HDC ADC, bool AUseExternalDC);
    void PaintBGDefault(HDC DC);
    void PaintMDIBGDefault(HDC DC);
    int NCHitTestDefault(TPoint P);
    // A screen point in frame coordinates (a child form: relative to its own window).
    TPoint ScreenToFrame(TPoint P) const;

    // The skinned frame (SkinnedFrame.cpp): painting, hit testing, region.
    void CalcSkinRects();
    void CalcObjectRects();
    // A rectangle of the skin picture at the frame's current size.
    void CalcObjectRect(const TRect& R, TRect& Result) const;
    bool PointInMask(TPoint P) const;
    void UpdateSkinFrame();
    void CheckControlsParentBackground();
    void PaintNCSkin(HDC ADC, bool AUseExternalDC);
    int NCHitTestSkin(TPoint P);
    void PaintBG(HDC DC);
    void PaintBG2(HDC DC);
    void PaintBG3(HDC DC);
    void UpdateFormRegion();
    void UpdateCaptionActiveState(bool Animate);

    // Window states, position and snapping (WindowStates.cpp).
    TPoint GetPositionInMonitor(int AX, int AY, int AW, int AH) const;
    void ApplyPositionInMonitor();
    TPoint GetMinimizedPosition() const;
    void MagneticPosition(int& L, int& T, int W, int H);

    // Menus and the application hook.
    void SkinMenuOpen();
    void SkinMenuClose();
    void ReleaseMenuObject();

    // Multi-document forms (MDIFrame.cpp): the arrangements of an MDI form's
    // children, the window menu's child entries and the tab bar's tabs.
    void Tile();
    void Cascade();
    void MinimizeAll();
    void MaximizeAll();
    void RestoreAll();
    void CloseAll();
    void AddChildToMenu(TCustomForm* Child);
    void DeleteChildFromMenu(TCustomForm* Child);
    void UpDateChildCaptionInMenu(TCustomForm* Child);
    void UpDateChildActiveInMenu();
    void MDIItemClick(TObject* Sender);
    void AddChildToBar(TCustomForm* Child);
    void DeleteChildFromBar(TCustomForm* Child);
    void RefreshMDIBarTab(TCustomForm* Child);
    void UpdateMainMenuBarItems();
    void UpdateMDITabsBar();
    // The client area children live in, in the main form's client coordinates.
    TRect GetMDIWorkArea() const;
    TCustomForm* GetMaximizedMDIChild() const;
    void RefreshMDIChildren();
    bool MDIChildMaximized() const { return FMDIChildMaximized; }
    // The caption the frame shows: an MDI form with a maximized child adds
    // " - [" + the child's caption + "]".
    std::string CaptionText() const;
    TbsOnAcceptToMDITabsBar OnAcceptToMDITabsBar;
    void MainMenuExit();
    void MainMenuSkinMenuClose();
    void HookApp();
    void UnHookApp();
    void MenuKeyDown(TMsg& Msg);
    void CloseMenusOnMessage(const TMessage& Message);
    void PopupSkinMenu(TMenuItem* Menu, TPoint P);
    void PopupSkinMenu1(TMenuItem* Menu, const TRect& R, bool PopupUp);
    void DoPopupMenu(TPopupMenu* Menu, int X, int Y);

    // The inactive form's covered client area (ClientInActiveEffect).
    void ShowClientInActiveEffect();
    void HideClientInActiveEffect();
    TbsClientInActivePanel* InActivePanel() const { return FInActivePanel; }

    // The small form icon of the system-menu button.
    const TBitmap* CreateFormIcon();
    void DrawFormIcon(TCanvas& Canvas, int X, int Y);
    static TSize GetSmallIconSize();

    void DoPaintEvent(const std::string& IDName, TCanvas& Canvas, const TRect& ObjectRect);
    void DoMouseUpEvent(const std::string& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button);
    void DoMouseDownEvent(const std::string& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button);
    void DoMouseMoveEvent(const std::string& IDName, int X, int Y, const TRect& ObjectRect);
    void DoMouseEnterEvent(const std::string& IDName);
    void DoMouseLeaveEvent(const std::string& IDName);

    // ---- plain properties
    bool QuickButtonsShowHint = false;
    bool ClientInActiveEffect = false;
    TbsClientInActiveEffect ClientInActiveEffectType = bsieSemiTransparent;
    bool DisableSystemMenu = false;
    bool AlwaysResize = false;
    TbsPositionInMonitor PositionInMonitor = bspDefault;
    bool UseFormCursorInNCArea = false;
    int ClientWidth = 0;
    int ClientHeight = 0;
    bool HideCaptionButtons = false;
    bool AlwaysShowInTray = false;
    bool LogoBitMapTransparent = false;
    bool AlwaysMinimizeToTray = false;
    bool MaximizeOnFullScreen = false;
    bool AlphaBlendAnimation = false;
    bool ShowObjectHint = false;
    bool UseDefaultObjectHint = true;
    bool UseDefaultSysMenu = true;
    int MinHeight = 0;
    int MinWidth = 0;
    int MaxHeight = 0;
    int MaxWidth = 0;
    bool Magnetic = false;
    int MagneticSize = 5;
    bool MinimizeDefault = false;
    bool AlwaysDisableLayeredFrames = false;
    bool PreviewMode = false;

    // ---- events
    TbsCaptionPaintEvent OnCaptionPaint;
    TNotifyEvent OnChangeSkinData;
    TNotifyEvent OnBeforeChangeSkinData;
    TNotifyEvent OnAfterChangeSkinData;
    TbsMouseUpEvent OnMouseUpEvent;
    TbsMouseDownEvent OnMouseDownEvent;
    TbsMouseMoveEvent OnMouseMoveEvent;
    TbsMouseEnterEvent OnMouseEnterEvent;
    TbsMouseLeaveEvent OnMouseLeaveEvent;
    TbsPaintEvent OnPaintEvent;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeActivate;
    TNotifyEvent OnSkinMenuOpen;
    TNotifyEvent OnSkinMenuClose;
    TNotifyEvent OnChangeRollUpState;
    TNotifyEvent OnMainMenuEnter;
    TNotifyEvent OnMainMenuExit;
    TNotifyEvent OnMinimizeToTray;
    TNotifyEvent OnRestoreFromTray;
    TbsActivateCustomObjectEvent OnActivateCustomObject;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnMaximize;
    TShortCutEvent OnShortCut;

    // ---- state shared with the frame objects, menus and bars
    std::vector<std::unique_ptr<TbsActiveSkinObject>> ObjectList;
    int ActiveObject = -1;
    int OldActiveObject = -1;
    int MouseCaptureObject = -1;
    TRect NewDefCaptionRect;
    TRect NewClRect;
    // The skin's geometry at the frame's current size (CalcSkinRects).
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewCaptionRect, NewButtonsRect, NewMaskRectArea;
    bool NewButtonsInLeft = false;
    int NewButtonsOffset = 0;
    TPoint NewHitTestLTPoint, NewHitTestRTPoint, NewHitTestLBPoint, NewHitTestRBPoint;
    // The mask's border strips at the current size, for PointInMask.
    TBitmap RMTop, RMBottom, RMLeft, RMRight;
    bool FRgn = false;   // a region of ours is set on the window
    // Window state bookkeeping.
    bool MaxRollUpState = false;
    bool FRollUpBeforeMaximize = false;
    TRect OldBoundsRect;
    bool HMagnetized = false, VMagnetized = false, HMagnetized2 = false, VMagnetized2 = false;
    TPoint FOnMouseDownCoord;
    bool InMenu = false;
    bool InMainMenu = false;
    bool FFormActive = false;
    bool FSizeMove = false;
    bool FSizing = false;
    bool FFullDrag = false;
    bool FBorderLayerChangeSize = false;
    int FFormWidth = 0;
    int FFormHeight = 0;
    int FFormLeft = 0;
    int FFormTop = 0;
    int FOldFormLeft = 0;
    int FOldFormTop = 0;
    TTimer* MouseTimer = nullptr;
    TTimer* MorphTimer = nullptr;
    TTimer* AnimateTimer = nullptr;
    TbsLayerManager* FLayerManager = nullptr;
    TbsLayerManager* FMenuLayerManager = nullptr;
    TPopupMenu* FSysMenu = nullptr;
    bool FStopPainting = false;
    bool FClientInActiveDraw = false;

    // The form window procedure, in front of the form's own one.
    void FormWindowProc(TMessage& Message);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TbsFormFrameTestAccess;
    void InstallWindowProc();
    bool FrameShown() const;
    bool IsMDIForm() const;
    bool IsMDIChild() const;
    // MDI (MDIFrame.cpp): the client window's procedure, child window states
    // and the private messages between children and the main form.
    void SubclassMDIClient();
    void MDIClientWindowProc(TMessage& Message);
    bool HandleMDIMessage(TMessage& Message);
    // A child restored, hidden or freed: the main form drops the maximized
    // child's caption name and menu-bar buttons when no shown child is left maximized.
    void MDIChildRestored();
    void ArrangeMinimizedChildren();
    TPoint GetMDIMinimizedPosition() const;
    // The main form's frame (nullptr when it has none).
    TbsFormFrame* MainFrame() const;
    std::function<void(TMessage&)> FPrevClientProc;
    bool FMDIClientSubclassed = false;
    bool FMDIChildMaximized = false;
    bool IsLayeredBorderEnabled() const;
    bool AlphaFadeRequested() const;
    bool NeedLayeredShowTimer() const;
    void RepaintFrame();
    void UpdateFormBorderIcons();
    void HideLayerManagers();
    void FormShortCut(TMessage& Msg, bool& Handled);
    void MenuMessageFilter(TMsg& Msg, bool& Handled);
    void MouseTimerProc(TObject* Sender);
    void MorphTimerProc(TObject* Sender);
    void AnimateTimerProc(TObject* Sender);
    void ObjectsMouseMove(int X, int Y);
    void ObjectsDblClick();
    void ObjectsMouseDown(TMouseButton Button, int X, int Y);
    void ObjectsMouseUp(TMouseButton Button, int X, int Y);
    void CallOldWindowProc(TMessage& Message);
    // Closes the open drop-downs of the skinned combo boxes and edits placed on a shown MDI form.
    void CancelMDIFormDropDowns();

    // Message handlers of the first and second phase.
    bool FirstPhase(TMessage& Message);
    // One first-phase handler per message: true when the message is handled.
    bool WMDestroy(TMessage& Message);
    bool WMSize(TMessage& Message);
    bool WMActivate(TMessage& Message);
    bool WMSetText(TMessage& Message);
    bool WMEraseBkgnd(TMessage& Message);
    bool WMShowWindow(TMessage& Message);
    bool WMSetCursor(TMessage& Message);
    bool WMMouseActivate(TMessage& Message);
    bool WMGetMinMaxInfo(TMessage& Message);
    bool WMWindowPosChanged(TMessage& Message);
    bool WMCompositionChanged(TMessage& Message);
    bool WMDisplayChange(TMessage& Message);
    bool WMNCCalcSize(TMessage& Message);
    bool WMNCHitTest(TMessage& Message);
    bool WMNCPaint(TMessage& Message);
    bool WMNCActivate(TMessage& Message);
    bool WMSyncPaint(TMessage& Message);
    bool WMSysCommand(TMessage& Message);
    bool WMTimer(TMessage& Message);
    bool WMSizing(TMessage& Message);
    bool WMMoving(TMessage& Message);
    bool WMEnterSizeMove(TMessage& Message);
    bool WMExitSizeMove(TMessage& Message);
    bool WMSkinChange(TMessage& Message);
    bool WMCloseSkinMenu(TMessage& Message);
    bool WMShowMainFormFromTray(TMessage& Message);
    bool WMQuerySkinFrame(TMessage& Message);
    bool WMBeginSmartEffects(TMessage& Message);
    bool WMEndSmartEffects(TMessage& Message);
    bool WMPrintSkinFrame(TMessage& Message);
    bool WMPrintSkinFrameEx(TMessage& Message);
    void SecondPhase(TMessage& Message);
    void HandleSkinMessage(TMessage& Message);
    void HandleSize(TMessage& Message);
    void HandleSizing(TMessage& Message);
    void HandleWindowPosChanged(TMessage& Message);
    void HandleNCActivate(TMessage& Message);
    void HandleNCCalcSize(TMessage& Message);
    void HandleShowBefore(TMessage& Message);
    void HandleShowAfter(TMessage& Message);
    void HandleFadeTimer();
    void HandleCaptionDblClick();
    void HandleMoving(TMessage& Message);
    void PaintBG3Like(HDC DC, int Index, bool MDI);
    void SetRegion(const TRegion& Rgn);
    bool FRgnChanged = false;
    void DoMinimize();
    void DoMaximize();
    void DoNormal();
    void ShowStatusBarGrip(bool Value);
    // Sends a child's window-state news to the main form.
    void TellMainForm(UINT Msg);
    void PopupSystemMenu(TPoint P);
    void CreateSysMenu();
    void UpdateUserSystemMenu();
    void CreateSysTrayMenu();
    TMenuItem* NewSysItem(const std::string& Name, const std::string& Key, const std::string& BuiltIn,
                          std::function<void()> Click);
    bool FInShortCut = false;
    bool FHaveShadow = false;
    TPopupMenu* FSysTrayMenu = nullptr;
    void PrintFrame(HDC DC);

    TCustomForm* FForm = nullptr;
    TbsSkinData* FSD = nullptr;
    TbsSkinData* FMSD = nullptr;
    TbsBorderIcons FBorderIcons;
    bool FUseRibbon = false;
    bool FShowIcon = false;
    bool FAlphaBlend = false;
    int FAlphaBlendValue = 200;
    TFont FDefCaptionFont;
    TFont FDefInActiveCaptionFont;
    TBitmap FLogoBitMap;
    int FMaxMenuItemsInWindow = 0;
    int FDefMenuItemHeight = 20;
    TFont FDefMenuItemFont;
    bool FUseSkinFontInMenu = true;
    bool FMenusAlphaBlend = false;
    bool FMenusAlphaBlendAnimation = false;
    int FMenusAlphaBlendValue = 200;

    TPopupMenu* FSystemMenu = nullptr;
    TComponent* FStatusBar = nullptr;
    TImageList* FQuickImageList = nullptr;
    std::unique_ptr<TbsQuickButtonItems> FQuickButtons;
    TbsSkinMDITabsBar* FMDITabsBar = nullptr;
    TbsClientInActivePanel* FInActivePanel = nullptr;
    // Each seam with its component, which the removal notice names.
    IbsFrameMenuBar* FMainMenuBar = nullptr;
    TComponent* FMainMenuBarComponent = nullptr;
    IbsFrameHint* FSkinHint = nullptr;
    TComponent* FSkinHintComponent = nullptr;
    IbsFrameTray* FTrayIcon = nullptr;
    TComponent* FTrayIconComponent = nullptr;
    std::unique_ptr<IbsFrameMenuEngine> FSkinMenu;
    std::unique_ptr<IbsLayeredBorder> FBorderLayer;

    bool FSkinSupport = false;
    bool FSkinnableForm = true;
    bool FIsVistaOs = true;
    bool FIsLayerEnabled = false;
    bool FStartShow = true;
    // Where each magnetized edge sticks (the work area's or another form's edge).
    int FMagnetL = 0, FMagnetT = 0, FMagnetR = 0, FMagnetB = 0;
    bool FSmartEffectsShow = false;
    bool FInChangeSkinData = false;
    bool FRollUpState = false;
    int OldHeight = 0;
    TWindowState FWindowState = wsNormal;
    bool FInAppHook = false;
    TMessageEvent OldAppMessage;
    std::function<void(TMessage&)> OldWindowProc;
    TShortCutEvent OldShortCut;
    std::unique_ptr<TBitmap> FIcon;
};
