#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Component.h"
#include "platform/core/Set.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WinConsts.h"
#include "platform/ui/WinTypes.h"

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TAction;
class TActionLink;

// A message as the controls see it: number, parameters and the answer.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
inline const TAnchors AnchorsTopLeft{akLeft, akTop};

enum TMouseButton { mbLeft, mbRight, mbMiddle };
// Reading order and alignment of a control's text. The right-to-left modes
// mirror the alignment (bdRightToLeft) and ask for right-to-left reading;
// the text itself is not reordered (that would take a bidi library).
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
// What the input method should do while a control has the focus (kept for
// the form's sake; the desktop's input method decides).
enum TImeMode { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese,
                imSHanguel, imHanguel };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TControlStyleItem {
    csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
    csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
    csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
    csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
    csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking
};
using TControlState = TSet<TControlStateItem>;

// Cursors by the classic numbers; the window layer shows them as IDC_* shapes.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
HCURSOR CursorShape(TCursor cursor);

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Dragging one control's content onto another with the mouse.
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
// What is being dragged; a start-drag handler may supply its own.
class TDragObject : public TObject {
public:
    TControl* Control = nullptr;   // the source
};
// What a dock drag carries: the control being docked (Control) and, while
// over a dock site, where it would land.
class TDragDockObject : public TDragObject {
public:
    TRect DockRect;   // screen rectangle the control would take
};
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDockOverEvent =
    std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDockDropEvent = std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y)>;
using TUnDockEvent = std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// The shift state of a key message (from the key state) or a mouse message
// (from its wParam).
TShiftState KeyboardStateToShiftState();
TShiftState KeysToShiftState(WORD keys);
// Whether text holds "&" followed by the character (case-insensitive).
bool IsAccel(char32_t key, const std::string& caption);

// Minimum and maximum size of a control; 0 means no limit.
struct TSizeConstraints {
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

// The base of every control: a rectangle in its parent's client area,
// visibility, text, font, colour, mouse handling and the control
// notifications. Messages reach a control through WindowProc, which is
// WndProc unless someone replaces it.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    virtual TRect ClientRect() const { return TRect{0, 0, FWidth, FHeight}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int v);
    void SetClientHeight(int v);
    virtual TPoint ClientOrigin() const;        // client (0,0) on the screen
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value);
    TSizeConstraints& Constraints() { return FConstraints; }
    void SetConstraints(const TSizeConstraints& c);

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible with every parent up to a shown form.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    const std::string& Caption() const { return FText; }
    void SetCaption(const std::string& value) { SetText(value); }
    const std::string& Text() const { return FText; }
    void SetText(const std::string& value);

    TFont& Font() { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);

    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);

    // Inherited from the parent while ParentBiDiMode is on (the default);
    // setting BiDiMode turns that off, as with fonts and colours.
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool value);
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    // DrawText flags with left and right swapped under right-to-left
    // alignment and the right-to-left reading flag where it applies.
    unsigned DrawTextBiDiModeFlags(unsigned flags) const;
    // The three-dimensional look of borders, inherited like BiDiMode.
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState value) { FControlState = value; }

    virtual void Invalidate();
    void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // The replaceable entry point; by default it is WndProc.
    std::function<void(TMessage&)> WindowProc;
    virtual void WndProc(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    TCustomForm* GetParentForm() const;
    // Runs OnClick, or the linked action when there is no OnClick
    // (overridden by buttons to do their own part first).
    virtual void Click();

    // The linked action: the control shows its caption, enabled, hint and
    // visible state (ActionChange) and a click executes it. Linking while
    // loading keeps what the control already has (defaults are checked).
    TAction* Action() const;
    void SetAction(TAction* value);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)> OnContextPopup;

    // Dragging (Drag.cpp). With dmAutomatic a left press starts a drag that
    // begins once the mouse moves Threshold pixels; BeginDrag starts one by
    // hand (at once with Immediate). The control under the mouse is asked
    // through DragOver (OnDragOver; no handler, no acceptance) and gets
    // DragDrop (OnDragDrop) on release when it accepted; the source then gets
    // OnEndDrag with that target, or nullptr when nothing took it.
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode v) { FDragMode = v; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind v) { FDragKind = v; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor v) { FDragCursor = v; }
    void BeginDrag(bool Immediate, int Threshold = -1);
    void EndDrag(bool Drop);
    // This control is the source of a drag under way (started or waiting for the threshold).
    bool Dragging() const;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;

    // Docking: with DragKind dkDock the same drag moves the control itself
    // into a windowed control whose DockSite is on. OnStartDock and
    // OnEndDock take the place of OnStartDrag and OnEndDrag; the site is asked
    // through OnDockOver (accepting unless told otherwise), the old site may
    // refuse through OnUnDock, and the new one gets OnDockDrop after the
    // control moved in. Dropped elsewhere, the control stays where it was
    // and OnEndDock gets nullptr (there are no floating dock windows).
    TStartDockEvent OnStartDock;
    TEndDragEvent OnEndDock;
    // Moves the control into NewDockSite at its client point At; false when
    // the old site refused to let it go.
    bool ManualDock(TWinControl* NewDockSite, TPoint At);

protected:
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    virtual void DoStartDock(TDragObject*& DragObject);
    virtual void DoEndDock(TObject* Target, int X, int Y);
    // Mouse messages of the drag source while a drag runs; true when taken.
    bool DragMouseMessage(TMessage& m);
    // The drag has begun (the mouse moved far enough or it began at once).
    void StartDragSession();
    void AskDragTarget(TControl* over, TPoint screen, TDragState state, bool& accept);

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    // The linked action changed (or was just linked): takes its caption,
    // enabled, hint and visible state; with CheckDefaults only where the
    // control still has its default (empty caption or hint, enabled, visible).
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    // Runs the linked action; false without one.
    bool ExecuteAction();

    virtual void DblClick();
    // A completed click of the mouse; check boxes toggle here.
    virtual void DoMouseClick() { Click(); }
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void Resize();
    virtual void Changed() { Perform(CM_CHANGED, 0, LPARAM(this)); }
    // Fits the control to its content (labels); called when text or font change.
    virtual void AdjustBounds() {}
    // Whether the size may be changed to w, h (constraints applied by the caller).
    virtual bool CanResize(int& /*w*/, int& /*h*/) { return true; }
    virtual void RequestAlign();
    virtual void VisibleChanging() {}
    virtual void FontChanged();
    // Whether the control is shown when its parent paints (windowless kinds).
    bool IsVisibleForPaint() const { return FVisible; }
    // The nearest parent with a window handle (the one that paints us).
    TWinControl* ParentWithHandle() const;
    void InvalidateControl(bool isVisible, bool isOpaque);
    // Moves without any notification (alignment and anchors use it).
    void UpdateBoundsRect(const TRect& r);
    void ApplyConstraints(int& w, int& h) const;
    void SendCancelMode(TControl* Sender);
    bool IsLoading() const { return ComponentState().Contains(csLoading); }

    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FText;
    TFont FFont;
    TColor FColor = clWindow;
    TCursor FCursor = crDefault;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TCursor FDragCursor = crDrag;

private:
    friend class TWinControl;
    void HandleMouse(TMessage& m);
    void HandleControlMessage(TMessage& m);
    void ParentFontChanged();
    void ParentColorChanged();

    TAlign FAlign = alNone;
    TAnchors FAnchors = AnchorsTopLeft;
    TSizeConstraints FConstraints;
    TRect FAnchorRules;          // distances to the parent's right and bottom edges when anchored
    bool FParentFont = true;
    bool FParentColor = true;
    bool FShowHint = false;
    bool FParentShowHint = true;
    bool FSettingFont = false;
    std::string FHint;
    TPopupMenu* FPopupMenu = nullptr;
    std::unique_ptr<TActionLink> FActionLink;   // made when an action is first linked
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
};

// A windowless control: its parent paints it in z-order and hands it the
// mouse. It draws on the canvas in Paint.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas& Canvas() { return *FCanvas; }

protected:
    void WndProc(TMessage& Message) override;
    virtual void Paint() {}

private:
    std::unique_ptr<TCanvas> FCanvas;
};

// Window creation parameters a control may change in CreateParams.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    UINT WindowClassStyle = CS_DBLCLKS;
    std::string WinClassName;
};

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// A control with a window of its own, created when first needed. It holds
// other controls, takes the focus and paints windowless children.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window and makes a new one, keeping text, bounds and state.
    void RecreateWnd();
    static TWinControl* FindControl(HWND h);

    int ControlCount() const { return int(FControls.size()); }
    // Children in z-order, the bottom one first.
    TControl* Controls(int index) const { return FControls[size_t(index)]; }
    TControl* ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls = false) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(const TControl* c) const;

    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign();
    bool AlignDisabled() const { return FAlignLevel > 0; }

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    int TabOrder() const;
    void SetTabOrder(int value);
    // Windowed children in tab order.
    std::vector<TWinControl*> GetTabOrderList() const;
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    void Invalidate() override;
    void Update() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Showing() const override;
    void SetEnabled(bool value) override;
    void ScrollBy(int dx, int dy);
    // Paints the control and its children into dc with its (0,0) at (x, y).
    void PaintTo(HDC dc, int x, int y);

    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { FBorderWidth = v; Realign(); }

    // A dock site takes controls dragged with DragKind dkDock (see TControl).
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool v) { FDockSite = v; }
    TImeMode ImeMode() const { return FImeMode; }
    void SetImeMode(TImeMode v) { FImeMode = v; }
    const std::string& ImeName() const { return FImeName; }
    void SetImeName(const std::string& v) { FImeName = v; }

    TDockOverEvent OnDockOver;
    TDockDropEvent OnDockDrop;
    TUnDockEvent OnUnDock;
    virtual void DockOver(TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DockDrop(TDragDockObject* Source, int X, int Y);
    virtual bool DoUnDock(TWinControl* NewTarget, TControl* Client);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    // The wheel: OnMouseWheel first; when that leaves it unhandled,
    // OnMouseWheelDown (towards the user) or OnMouseWheelUp. MousePos is in
    // screen coordinates; a handled turn does not scroll the control.
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

protected:
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual void CreateHandle();
    void DestroyHandle();
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    // The client area the children align in.
    virtual void AdjustClientRect(TRect& r);
    virtual void AlignControls(TControl* AControl, TRect& r);
    // Paints the window's own face (the default procedure's painting).
    virtual void PaintWindow(HDC dc);
    void PaintHandler(TMessage& m);
    void PaintControls(HDC dc, TControl* first);
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char32_t& Key);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void DoEnter();
    virtual void DoExit();
    void RequestAlign() override;
    void FontChanged() override;
    // Aligns the children that were placed while loading.
    void Loaded() override;
    void UpdateStyle(DWORD add, DWORD remove);
    bool DoKeyDown(TMessage& m);
    void ChildAligned(TControl* child);
    void SetZOrderOf(TControl* c, bool top);

    std::vector<TControl*> FControls;       // every child, z-order bottom first
    HWND FHandle = nullptr;
    int FBorderWidth = 0;

private:
    friend class TControl;
    friend class TCustomForm;
    void UpdateShowing();
    void UpdateAnchorRules(TSize oldClient);
    void RouteMouse(TMessage& m);
    void TrackMouseControl(TPoint clientPt);
    void ReadBackBounds();
    // WndProc's handlers, one per message.
    void WMNCDestroy(TMessage& m);
    void WMEraseBkgnd(TMessage& m);
    void WMWindowPosChanged(TMessage& m);
    void WMSize(TMessage& m);
    void WMSetFocus(TMessage& m);
    void WMSetCursor(TMessage& m);
    void WMMouseWheel(TMessage& m);
    void WMKeyDown(TMessage& m);
    void WMKeyUp(TMessage& m);
    void WMChar(TMessage& m);
    void CNKeyDown(TMessage& m);
    void CNChar(TMessage& m);
    void CMDialogKey(TMessage& m);
    void CMFocusChanged(TMessage& m);
    void CMColorChanged(TMessage& m);
    void CMShowHintChanged(TMessage& m);
    void CMEnabledChanged(TMessage& m);
    void CMVisibleChanged(TMessage& m);
    void WMSetText(TMessage& m);
    void CMTextChanged(TMessage& m);
    void WMContextMenu(TMessage& m);
    void CMMouseLeave(TMessage& m);

    TWndProc FDefWndProc;
    std::vector<TWinControl*> FTabList;    // windowed children in tab order
    bool FTabStop = false;
    int FAlignLevel = 0;
    bool FAligning = false;
    TSize FLastClient{-1, -1};
    TControl* FMouseControl = nullptr;      // the windowless child under the mouse
    bool FInBoundsUpdate = false;
    bool FDockSite = false;
    TImeMode FImeMode = imDontCare;
    std::string FImeName;
};

// A windowed control that paints its own face on its canvas in Paint.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas& Canvas() { return *FCanvas; }

protected:
    void PaintWindow(HDC dc) override;
    virtual void Paint() {}

private:
    std::unique_ptr<TCanvas> FCanvas;
};

// The control that has the mouse captured (windowless ones included).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* c);
// The control (windowless included) under a screen point.
TControl* FindDragTarget(TPoint screen, bool allowDisabled);
// A control going away stops being a drag's source or target.
void ForgetDragControl(TControl* c);
// The short or long part of "short|long" hint text.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);
