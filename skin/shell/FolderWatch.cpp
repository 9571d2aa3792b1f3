#include "skin/shell/FolderWatch.h"

#include "platform/shell/ShellChangeNotifier.h"
#include "platform/shell/ShellFolder.h"

void RewatchFolder(TComponent* Owner, TbsShellChangeNotifier*& Notifier, bool Watch, const TbsShellFolder* Folder,
                   std::function<void()> OnChange)
{
    delete Notifier;
    Notifier = nullptr;
    if (!Watch)
        return;
    Notifier = new TbsShellChangeNotifier(Owner);
    Notifier->SetWatchSubTree(false);
    if (Folder)
        Notifier->SetRoot(Folder->FullObjectName());
    if (!Notifier->Root().empty())
        Notifier->SetOnChange(std::move(OnChange));
}
