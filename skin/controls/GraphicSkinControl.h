#pragma once
#include "platform/ui/controls/Controls.h"
#include "skin/controls/SkinElementBase.h"

extern template class TbsSkinElementBase<TGraphicControl>;

// The windowless twins of TbsSkinControl and TbsSkinCustomControl: the same
// skin link, look-up, size rules and composition, painted on the parent's
// window; no focus, no window region, no piecewise panel painting.
// Windowless controls are not told before a change; the relay asks only the
// windowed base.
class TbsGraphicSkinControl : public TbsSkinElementBase<TGraphicControl> {
public:
    explicit TbsGraphicSkinControl(TComponent* AOwner);
};

extern template class TbsSkinSizedBase<TbsGraphicSkinControl>;

class TbsGraphicSkinCustomControl : public TbsSkinSizedBase<TbsGraphicSkinControl> {
public:
    explicit TbsGraphicSkinCustomControl(TComponent* AOwner) : TbsSkinSizedBase(AOwner) {}
};
