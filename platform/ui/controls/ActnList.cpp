#include "platform/ui/controls/ActnList.h"
#include <algorithm>
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/ImageList.h"

TAction::TAction(TComponent* AOwner) : TComponent(AOwner) {}

TAction::~TAction()
{
    Destroying();
    // Linked controls forget the action; they keep what it last showed.
    for (TControl* c : std::vector<TControl*>(FClients))
        c->SetAction(nullptr);
    SetActionList(nullptr);
}

void TAction::SetCaption(const std::string& value)
{
    if (value != FCaption) {
        FCaption = value;
        Change();
    }
}

void TAction::SetEnabled(bool value)
{
    if (value != FEnabled) {
        FEnabled = value;
        Change();
    }
}

void TAction::SetChecked(bool value)
{
    if (value != FChecked) {
        FChecked = value;
        Change();
    }
}

void TAction::SetHint(const std::string& value)
{
    if (value != FHint) {
        FHint = value;
        Change();
    }
}

void TAction::SetVisible(bool value)
{
    if (value != FVisible) {
        FVisible = value;
        Change();
    }
}

void TAction::SetImageIndex(int value)
{
    if (value != FImageIndex) {
        FImageIndex = value;
        Change();
    }
}

void TAction::SetActionList(TActionList* value)
{
    if (value == FActionList)
        return;
    if (FActionList) {
        auto& v = FActionList->FActions;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    FActionList = value;
    if (value)
        value->FActions.push_back(this);
    Change();
}

bool TAction::Update()
{
    if (!OnUpdate)
        return false;
    OnUpdate(this);
    return true;
}

bool TAction::Execute()
{
    Update();
    if (!FEnabled)
        return false;
    if (FAutoCheck)
        SetChecked(!FChecked);
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

void TAction::RegisterClient(TControl* c)
{
    if (std::find(FClients.begin(), FClients.end(), c) == FClients.end())
        FClients.push_back(c);
}

void TAction::UnRegisterClient(TControl* c)
{
    FClients.erase(std::remove(FClients.begin(), FClients.end(), c), FClients.end());
}

void TAction::Change()
{
    if (ComponentState().Contains(csDestroying))
        return;
    for (TControl* c : std::vector<TControl*>(FClients))
        c->ActionChange(this, false);
}

// ------------------------------------------------------------------ TActionList

TActionList::TActionList(TComponent* AOwner) : TComponent(AOwner) {}

TActionList::~TActionList()
{
    Destroying();
    for (TAction* a : std::vector<TAction*>(FActions))
        a->SetActionList(nullptr);
    SetImages(nullptr);
}

void TActionList::SetImages(TImageList* value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = value;
    if (value)
        value->FreeNotification(this);
    for (TAction* a : FActions)
        a->Change();
}

void TActionList::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
}
