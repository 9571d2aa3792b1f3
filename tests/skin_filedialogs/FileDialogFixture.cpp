#include "tests/skin_filedialogs/FileDialogFixture.h"

#include "skin/shell/ShellListView.h"

void TFileDialogTest::ClickControl(TControl* c)
{
    const TPoint p = c->ClientToScreen(TPoint{c->Width() / 2, c->Height() / 2});
    Backend->Click(p.X, p.Y);
    Pump();
}

void TFileDialogTest::SelectEntry(TbsOpenDlgForm& f, const std::string& Name, bool Add)
{
    TbsCustomShellListView* lv = f.FileListView;
    for (int i = 0; i < lv->EntryCount(); ++i)
        if (lv->EntryFolder(i)->DisplayName() == Name) {
            if (Add)
                lv->Items()[i]->SetSelected(true);
            else
                lv->SetItemIndex(i);
            Pump();
            return;
        }
    ADD_FAILURE() << "no entry " << Name;
}

TBitmap TFileDialogTest::Shot(TForm& f)
{
    Pump();
    auto screen = Backend->CaptureScreen();
    TBitmap shot(f.Width(), f.Height());
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            shot.SetPixel(x, y, screen->GetPixel(f.Left() + x, f.Top() + y));
    return shot;
}
