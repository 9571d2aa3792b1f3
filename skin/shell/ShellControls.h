#pragma once
#include <functional>

#include "platform/core/Object.h"
#include "platform/shell/ShellFolder.h"

class TbsCustomShellTreeView;
class TbsCustomShellListView;
class TbsCustomShellComboBox;

// Asked once per item a shell control is about to show; false leaves it out.
using TAddFolderEvent = std::function<void(TObject* Sender, TbsShellFolder* AFolder, bool& CanAdd)>;

class TComponent;

// What the folder tree and the file list ask of a linked "look in" box (the
// shell combo box implements it).
class IbsShellComboLink {
public:
    virtual ~IbsShellComboLink() = default;
    virtual TComponent* LinkComponent() = 0;
    // Shows the folder unless it is shown already.
    virtual void FollowFolder(const TItemIDList& AbsoluteID) = 0;
    virtual void SetRoot(const TRoot& Value) = 0;
    // The back links, set without echo.
    virtual void LinkTreeView(TbsCustomShellTreeView* Value) = 0;
    virtual void LinkListView(TbsCustomShellListView* Value) = 0;
};
