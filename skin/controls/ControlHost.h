#pragma once
#include "platform/gfx/Geometry.h"

class TImageList;

// What a skinned control asks of a bar that holds it: whether the bar
// centres its controls, the bar's client part inside its skin frame, and
// the image lists its tool buttons draw from. Tool bars answer it; any other
// parent is a plain parent.
class TbsSkinControlHost {
public:
    virtual ~TbsSkinControlHost() = default;
    virtual bool AdjustControls() const = 0;
    virtual TRect GetSkinClientRect() = 0;
    virtual TImageList* Images() const = 0;
    virtual TImageList* HotImages() const = 0;
    virtual TImageList* DisabledImages() const = 0;
};
