#pragma once
#include <functional>
#include <string>
#include "platform/ui/controls/Edit.h"

// The edit control that list and tree views put over a label while it is
// being renamed. Enter or losing the focus accepts, Escape cancels; either
// way OnDone runs once per session and the editor hides itself.
class TInplaceEdit : public TCustomEdit {
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
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    bool FEditing = false;
};
