#pragma once
#include "skin/boxes/InnerEdit.h"

// The inner edit for numbers: an integer, or with Float one "." as the
// decimal separator, and one minus sign. Refused characters beep. The Up
// and Down keys and the wheel become OnUpClick and OnDownClick for an owner
// that steps the value.
class TbsSkinNumEdit : public TbsCustomEdit {
public:
    explicit TbsSkinNumEdit(TComponent* AOwner) : TbsCustomEdit(AOwner) {}

    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    bool IsValidChar(char32_t Key);

    bool Float = false;
    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void WndProc(TMessage& Message) override;

private:
    bool FEditorEnabled = true;
    int FWheelDelta = 0;
};
