#include "platform/core/Component.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"

namespace {

bool IsValidIdent(const std::string& s) {
    if (s.empty())
        return false;
    auto alpha = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(s[0]))
        return false;
    return std::all_of(s.begin() + 1, s.end(), [&](unsigned char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    FComponentState.Include(csDestroying);
    // Tell every holder first, while the owned components still exist.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        other->RemoveNotificationLink(this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError(Format("List index out of bounds (%d)", index));
    return FComponents[index];
}

int TComponent::ComponentIndex() const {
    if (!FOwner)
        return -1;
    const auto& list = FOwner->FComponents;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name))
            return c;
    return nullptr;
}

void TComponent::SetName(const std::string& value) {
    if (value == FName)
        return;
    if (!value.empty() && !IsValidIdent(value))
        throw EComponentError(Format("''%s'' is not a valid component name", value.c_str()));
    if (!value.empty() && FOwner) {
        TComponent* same = FOwner->FindComponent(value);
        if (same && same != this)
            throw EComponentError(Format("A component named %s already exists", value.c_str()));
    }
    FName = value;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    if (!AComponent->FName.empty()) {
        TComponent* same = FindComponent(AComponent->FName);
        if (same)
            throw EComponentError(Format("A component named %s already exists", AComponent->FName.c_str()));
    }
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    const auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it == FComponents.end())
        return;
    Notification(AComponent, opRemove);
    const auto still = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (still != FComponents.end())
        FComponents.erase(still);
    AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        // The child's destructor removes it from this list through RemoveComponent.
        delete last;
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    auto& theirs = AComponent->FFreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
        theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent)
        return;
    RemoveNotificationLink(AComponent);
    AComponent->RemoveNotificationLink(this);
}

void TComponent::RemoveNotificationLink(TComponent* AComponent) {
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
}

void TComponent::Loaded() {
    FComponentState.Exclude(csLoading);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // The owner passes every insertion and removal on to what it owns, so that
    // siblings holding each other are told too. Iterate by index from the end:
    // a handler may delete components.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount())
            continue;
        TComponent* c = FComponents[i];
        if (c != AComponent)
            c->Notification(AComponent, Operation);
    }
}

void TComponent::SetComponentStateFlag(TComponentStateItem flag, bool on) {
    if (on)
        FComponentState.Include(flag);
    else
        FComponentState.Exclude(flag);
}
