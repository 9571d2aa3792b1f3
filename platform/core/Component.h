#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Object.h"
#include "platform/core/Set.h"

enum TOperation { opInsert, opRemove };

enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateItem>;

// A named object with an owner. The owner deletes what it owns, in reverse
// order of creation. Anyone holding a plain pointer to a component it does not
// own calls FreeNotification on it and clears the pointer in Notification(opRemove).
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }

    const std::string& Name() const { return FName; }
    // Raises EComponentError for a name that is not an identifier or that
    // another component of the same owner already has (case-insensitive).
    virtual void SetName(const std::string& value);

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    TComponent* FindComponent(const std::string& name) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Deletes every owned component, the last created first.
    void DestroyComponents();

    // Asks for Notification(AComponent, opRemove) when AComponent is destroyed
    // (and tells AComponent the same about this one).
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    TComponentState ComponentState() const { return FComponentState; }
    // Marks the component as being loaded: its properties are applied in stored
    // order without events until Loaded() runs.
    void Loading() { FComponentState.Include(csLoading); }
    // Called once every component of a form has its properties; clears csLoading.
    virtual void Loaded();

    intptr_t Tag() const { return FTag; }
    void SetTag(intptr_t value) { FTag = value; }

protected:
    // Called for every component inserted into or removed from the owner, and
    // for components this one asked FreeNotification about.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    void SetComponentStateFlag(TComponentStateItem flag, bool on);
    // Sets csDestroying; a derived destructor calls it first when its own
    // teardown raises events that handlers should ignore.
    void Destroying() { FComponentState.Include(csDestroying); }

private:
    void RemoveNotificationLink(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    std::string FName;
    std::vector<TComponent*> FComponents;     // owned, in order of creation
    std::vector<TComponent*> FFreeNotifies;   // mutual removal links, not owned
    TComponentState FComponentState;
    intptr_t FTag = 0;
};
