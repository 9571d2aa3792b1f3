#pragma once
#include <functional>
#include <string>

#include "platform/core/Thread.h"
#include "skin/dialogs/OpenDialog.h"
#include "skin/dialogs/OpenDialogForm.h"
#include "tests/skin_shell/ShellViewsFixture.h"

class TFileDialogTest : public TShellViewsTest {
protected:
    // Runs Steps inside the dialog's modal loop, once the form is up.
    template <class TDialog, class TDlgForm>
    void During(TDialog& d, std::function<void(TDlgForm&)> Steps)
    {
        d.OnShow = [this, &d, Steps](TObject*) {
            TThread::ForceQueue(nullptr, [this, &d, Steps] {
                Pump();
                Steps(static_cast<TDlgForm&>(*d.DialogForm()));
            });
        };
    }
    void ClickControl(TControl* c);
    // Selects the list's entry of that name (the only selected one).
    void SelectEntry(TbsOpenDlgForm& f, const std::string& Name, bool Add = false);
    // The form as the screen shows it.
    TBitmap Shot(TForm& f);
};
