#pragma once
#include <functional>
#include <string>
#include "platform/gfx/Geometry.h"

class TControl;
class TImageList;

// What a skinned button needs of the skinned popup menu it opens: show the
// menu below a screen rectangle. The menu later sends WM_CLOSESKINMENU to
// the opener when it closes.
class TbsButtonPopupMenu {
public:
    virtual ~TbsButtonPopupMenu() = default;
    virtual void PopupFromRect2(TControl* Opener, const TRect& R, bool AFromMenuBar) = 0;
};

// What a skinned button needs of an images menu: the selected item's image
// and caption to show on its face, the popup below a screen rectangle, and
// two notifications the menu raises (its selection changed, it closed).
class TbsButtonImagesMenu {
public:
    virtual ~TbsButtonImagesMenu() = default;
    virtual bool HasSelectedItem() const = 0;
    virtual int SelectedImageIndex() const = 0;
    virtual std::string SelectedCaption() const = 0;
    virtual TImageList* Images() const = 0;
    virtual void PopupFromRect(const TRect& R) = 0;

    std::function<void()> OnInternalChange;
    std::function<void()> OnInternalMenuClose;
};
