#include "platform/ui/controls/ActnList.h"
#include <algorithm>
#include "platform/ui/controls/ImageList.h"

// ----------------------------------------------------------------- TActionLink

TActionLink::TActionLink(TComponent* AClient, std::function<void(TAction*, bool)> AChange)
    : FClient(AClient), FChange(std::move(AChange))
{
}

TActionLink::~TActionLink() { SetAction(nullptr); }

void TActionLink::SetAction(TAction* value)
{
    if (value == FAction)
        return;
    if (FAction) {
        auto& v = FAction->FClients;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    FAction = value;
    if (value) {
        value->FClients.push_back(this);
        // Linking while loading keeps what the client already has.
        Change(FClient->ComponentState().Contains(csLoading));
    }
}

void TActionLink::Link(std::unique_ptr<TActionLink>& ALink, TComponent* AClient,
                       std::function<void(TAction* Action, bool CheckDefaults)> AChange, TAction* value)
{
    if (!ALink && !value)
        return;
    if (!ALink)
        ALink = std::make_unique<TActionLink>(AClient, std::move(AChange));
    ALink->SetAction(value);
}

bool TActionLink::Execute()
{
    if (!FAction || FClient->ComponentState().Contains(csDesigning))
        return false;
    FAction->Execute();
    return true;
}

bool TActionLink::Update() { return FAction && FAction->Update(); }

void TActionLink::Change(bool CheckDefaults)
{
    if (FChange && !FClient->ComponentState().Contains(csDestroying))
        FChange(FAction, CheckDefaults);
}

// --------------------------------------------------------------------- TAction

TAction::TAction(TComponent* AOwner) : TComponent(AOwner) {}

TAction::~TAction()
{
    Destroying();
    // Linked clients forget the action; they keep what it last showed.
    for (TActionLink* link : std::vector<TActionLink*>(FClients))
        link->SetAction(nullptr);
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

void TAction::SetShortCut(TShortCut value)
{
    if (value != FShortCut) {
        FShortCut = value;
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

bool TAction::HasExecuteHandler() const
{
    return OnExecute || (FActionList && FActionList->OnExecute);
}

bool TAction::Update()
{
    if (FActionList && FActionList->OnUpdate) {
        bool handled = false;
        FActionList->OnUpdate(this, handled);
        if (handled)
            return true;
    }
    if (OnUpdate) {
        OnUpdate(this);
        return true;
    }
    // Nothing decides the state: what nobody can run is shown disabled.
    if (FDisableIfNoHandler && FEnabled && !HasExecuteHandler())
        SetEnabled(false);
    return false;
}

bool TAction::Execute()
{
    Update();
    if (!FEnabled)
        return false;
    if (FAutoCheck)
        SetChecked(!FChecked);
    if (FActionList && FActionList->OnExecute) {
        bool handled = false;
        FActionList->OnExecute(this, handled);
        if (handled)
            return true;
    }
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

void TAction::Change()
{
    if (ComponentState().Contains(csDestroying))
        return;
    // A client's change may free another client: only links still here hear it.
    for (TActionLink* link : std::vector<TActionLink*>(FClients))
        if (std::find(FClients.begin(), FClients.end(), link) != FClients.end())
            link->Change(false);
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
