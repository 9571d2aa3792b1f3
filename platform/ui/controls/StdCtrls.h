#pragma once
#include "platform/ui/controls/ControlTypes.h"
#include "platform/ui/controls/Controls.h"

// A push button. Click from code runs the handler whatever the state; a
// ModalResult closes a modal form. Default answers Enter, Cancel Esc.
class TButton : public TCustomControl {
public:
    explicit TButton(TComponent* AOwner);
    void Click() override;
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int v) { FModalResult = v; }
    bool Pressed() const { return FPressed; }

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;        // answers Enter now: the default button, or the focused one
    bool FPressed = false;
    int FModalResult = 0;
};

// Text on the parent: auto size, word wrap, alignment, layout, transparency
// and the "&" accelerator that focuses FocusControl.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* c);

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void AdjustBounds() override;
    virtual void DoDrawText(TRect& r, unsigned flags);
    unsigned DrawTextFlags() const;

private:
    bool FAutoSize = true;
    bool FWordWrap = false;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// A check box: writing Checked raises OnClick (not while loading).
class TCheckBox : public TCustomControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    virtual void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v) { FAllowGrayed = v; }
    virtual void Toggle();

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void DoMouseClick() override { Toggle(); }
    // Also takes the action's Checked (without a click of its own).
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void PaintMark(TCanvas& c, const TRect& box, bool radio);
    void PaintCaption(TCanvas& c);  // the text beside the mark and, when focused, its focus rectangle
    bool FClicksDisabled = false;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
};

// A radio button: checking one unchecks the others of the same parent.
class TRadioButton : public TCheckBox {
public:
    explicit TRadioButton(TComponent* AOwner);
    void SetState(TCheckBoxState v) override;
    void Toggle() override { SetChecked(true); }

protected:
    void Paint() override;
};

// A frame with a caption holding other controls.
class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* AOwner);

protected:
    void AdjustClientRect(TRect& r) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
};
