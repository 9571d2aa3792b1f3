#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinElementBaseImpl.h"

template class TbsSkinElementBase<TGraphicControl>;
template class TbsSkinSizedBase<TbsGraphicSkinControl>;

TbsGraphicSkinControl::TbsGraphicSkinControl(TComponent* AOwner) : TbsSkinElementBase(AOwner)
{
    FControlStyle.Include(csOpaque);
}
