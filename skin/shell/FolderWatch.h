#pragma once
#include <functional>

class TComponent;
class TbsShellChangeNotifier;
class TbsShellFolder;

// Drops Notifier (owned by Owner) and, when Watch is set, makes a fresh one
// over Folder's own entries (not its subfolders) that calls OnChange. A
// folder without a path (the virtual ones) or none at all gets a notifier
// that never fires.
void RewatchFolder(TComponent* Owner, TbsShellChangeNotifier*& Notifier, bool Watch, const TbsShellFolder* Folder,
                   std::function<void()> OnChange);
