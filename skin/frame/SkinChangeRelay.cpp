#include "skin/frame/SkinChangeRelay.h"

#include "platform/ui/controls/Controls.h"

namespace {

template <class Step>
void Walk(TControl* AControl, Step step)
{
    if (!AControl)
        return;
    step(AControl);
    auto* win = dynamic_cast<TWinControl*>(AControl);
    if (!win)
        return;
    // A step may re-create children of a control; walk by index, as counted now.
    for (int i = 0; i < win->ControlCount(); ++i) {
        TControl* child = win->Controls(i);
        if (dynamic_cast<TWinControl*>(child))
            Walk(child, step);
        else
            step(child);
    }
}

}  // namespace

void BeforeChangeControlsSkinData(TbsSkinData* ASkinData, TControl* AControl)
{
    Walk(AControl, [ASkinData](TControl* c) {
        auto* target = dynamic_cast<IbsSkinChangeTarget*>(c);
        if (target && target->TakesBeforeChange() && (!ASkinData || target->SkinData() == ASkinData))
            target->BeforeChangeSkinData();
    });
}

void ChangeControlsSkinData(TbsSkinData* ASkinData, TControl* AControl)
{
    Walk(AControl, [ASkinData](TControl* c) {
        auto* target = dynamic_cast<IbsSkinChangeTarget*>(c);
        if (target && (!ASkinData || target->SkinData() == ASkinData))
            target->ChangeSkinData();
    });
}
