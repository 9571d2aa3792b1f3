#pragma once
#include <functional>
#include <memory>
#include "platform/ui/controls/Edit.h"

class TbsSkinPopupMenu;

using TbsOnEditCancelMode = std::function<void(TControl* C)>;

// The single-line editor under every skinned edit: no border of its own (its
// owners draw the frames), an optional transparent mode that lets the
// parent's background show through the text, a read-only mode that filters
// the editing messages, a 2-pixel left margin, Esc and Enter handed to the
// form as dialog keys, and a skinned context menu.
class TbsCustomEdit : public TCustomMaskEdit {
public:
    explicit TbsCustomEdit(TComponent* AOwner);
    ~TbsCustomEdit() override;

    // Our own flag: the window never gets ES_READONLY, the filters below do the work.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool EditTransparent() const { return FEditTransparent; }
    void SetEditTransparent(bool Value);

    void Invalidate() override;

    // The context menu of the last right click (null when none).
    TbsSkinPopupMenu* SysPopupMenu() const { return FSysPopupMenu.get(); }

    TbsOnEditCancelMode OnEditCancelMode;
    TNotifyEvent OnUp;
    TNotifyEvent OnDown;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Change() override;

    bool FDown = false;

private:
    void WMChar(TMessage& Message);
    void WMPaste(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    void CreateSysPopupMenu();
    void InvalidateIfTransparent()
    {
        if (FEditTransparent)
            Invalidate();
    }

    bool FReadOnly = false;
    bool FEditTransparent = false;
    bool FFreeMenuPending = false;
    std::unique_ptr<TbsSkinPopupMenu> FSysPopupMenu;
};
