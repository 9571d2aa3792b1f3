#include "skin/shell/ShellContextMenu.h"

#include "platform/shell/ShellFolder.h"
#include "platform/ui/controls/Controls.h"
#include "skin/menus/SkinMenu.h"

TbsShellContextMenu::TbsShellContextMenu(TWinControl* Control, IbsVerbHandler* Handler, TSelectedFolder Selected)
    : FControl(Control), FHandler(Handler), FSelected(std::move(Selected))
{
}

bool TbsShellContextMenu::Show(int X, int Y)
{
    if (!FSelected())
        return false;
    if (!FMenu) {
        FMenu = new TbsSkinPopupMenu(FControl);
        for (auto [caption, verb] : {std::pair{ShellMenuText::Open, "open"}, std::pair{ShellMenuText::Rename, "rename"}}) {
            auto* item = new TMenuItem(nullptr);
            item->SetCaption(caption);
            item->OnClick = [this, verb = verb](TObject*) { RunVerb(verb); };
            FMenu->Items()->Add(item);
        }
    }
    FMenu->SetPopupComponent(FControl);
    FMenu->Popup(X, Y);
    return true;
}

bool TbsShellContextMenu::ShowForMessage(LPARAM LParam)
{
    TPoint p = LParamToPoint(LParam);
    if (p.X == -1 && p.Y == -1)
        p = FControl->ClientToScreen(TPoint{FControl->Width() / 2, FControl->Height() / 2});
    return Show(p.X, p.Y);
}

void TbsShellContextMenu::RunVerb(const char* Verb)
{
    bool handled = false;
    if (FHandler)
        FHandler->ExecuteCommand(Verb, handled);
    bool succeeded = handled;
    if (!handled && std::string(Verb) == "open")
        if (TbsShellFolder* folder = FSelected())
            succeeded = folder->ExecuteDefault() != 0;
    if (FHandler)
        FHandler->CommandCompleted(Verb, succeeded);
}
