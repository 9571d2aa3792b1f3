#include "skin/frame/QuickButtons.h"
#include <algorithm>
#include "platform/ui/MessageLoop.h"
#include "skin/frame/FormFrame.h"

void TbsQuickButtonItem::SetImageIndex(int Value)
{
    FImageIndex = Value;
    FCollection->Changed();
}

void TbsQuickButtonItem::SetEnabled(bool Value)
{
    FEnabled = Value;
    FCollection->Changed();
}

void TbsQuickButtonItem::SetVisible(bool Value)
{
    FVisible = Value;
    FCollection->Changed();
}

void TbsQuickButtonItem::Assign(const TbsQuickButtonItem& Source)
{
    FImageIndex = Source.FImageIndex;
    Hint = Source.Hint;
    FEnabled = Source.FEnabled;
    FVisible = Source.FVisible;
    FCollection->Changed();
}

TbsQuickButtonItem& TbsQuickButtonItems::Add() { return Insert(Count()); }

TbsQuickButtonItem& TbsQuickButtonItems::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    FItems.insert(FItems.begin() + Index, std::make_unique<TbsQuickButtonItem>(this));
    Changed();
    return *FItems[size_t(Index)];
}

void TbsQuickButtonItems::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TbsQuickButtonItems::Clear()
{
    FItems.clear();
    Changed();
}

void TbsQuickButtonItems::Assign(const TbsQuickButtonItems& Source)
{
    FItems.clear();
    for (const auto& i : Source.FItems) {
        FItems.push_back(std::make_unique<TbsQuickButtonItem>(this));
        FItems.back()->Assign(*i);
    }
    Changed();
}

void TbsQuickButtonItems::Changed()
{
    if (!FBSF)
        return;
    const TComponentState state = FBSF->ComponentState();
    if (state.Contains(csLoading) || state.Contains(csDesigning))
        return;
    TCustomForm* form = FBSF->Form();
    if (form && form->HandleAllocated())
        SendMessage(form->Handle(), WM_NCPAINT, 0, 0);
}
