#pragma once
#include <functional>
#include <string>
#include "platform/ui/controls/Controls.h"

// The small one-line editor that list and tree views put over a label while
// it is being renamed: typing, Backspace, Delete, arrows, Home and End.
// Enter or losing the focus accepts, Escape cancels; either way OnDone runs
// once per session and the editor hides itself.
class TInplaceEdit : public TCustomControl {
public:
    explicit TInplaceEdit(TComponent* AOwner);

    // Shows the editor at r (parent client coordinates) with the text all
    // selected, and takes the focus.
    void Start(const TRect& r, const std::string& text);
    // Ends the session as if Enter (accept) or Escape was pressed.
    void Finish(bool accept);
    bool Editing() const { return FEditing; }

    std::function<void(bool Accepted, const std::string& Text)> OnDone;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;

private:
    void DeleteSelection();
    std::u32string FText;
    int FCaret = 0;
    int FAnchor = 0;                 // the other end of the selection
    bool FEditing = false;
};
