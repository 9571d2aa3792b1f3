#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Exception.h"

namespace {

std::vector<std::string>* GLog = nullptr;

// Logs its destruction and holds a plain pointer to a component it does not own.
class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, std::string name) : TComponent(owner) { SetName(name); }
    ~TProbe() override {
        if (GLog)
            GLog->push_back("free " + Name());
    }
    void SetPeer(TComponent* peer) {
        FPeer = peer;
        if (peer)
            peer->FreeNotification(this);
    }
    TComponent* Peer() const { return FPeer; }
    void Loaded() override {
        TComponent::Loaded();
        LoadedCalls++;
    }
    int LoadedCalls = 0;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FPeer)
            FPeer = nullptr;
    }

private:
    TComponent* FPeer = nullptr;
};

}  // namespace

TEST(Component, OwnerFreesOwnedInReverseOrder) {
    std::vector<std::string> log;
    GLog = &log;
    auto* owner = new TProbe(nullptr, "Owner");
    new TProbe(owner, "A");
    auto* b = new TProbe(owner, "B");
    new TProbe(b, "B1");
    new TProbe(owner, "C");
    EXPECT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(owner->FindComponent("b"), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    delete owner;
    GLog = nullptr;
    EXPECT_EQ(log, (std::vector<std::string>{"free Owner", "free C", "free B", "free B1", "free A"}));
}

TEST(Component, DeletingAnOwnedComponentLeavesItsOwner) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    delete a;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
    EXPECT_THROW(owner.Components(1), EListError);
}

TEST(Component, DestroyedComponentIsClearedFromEveryHolder) {
    // Holders under another owner, without owner, and a sibling of the target.
    TComponent formA(nullptr), formB(nullptr);
    auto* target = new TProbe(&formA, "Target");
    auto* sibling = new TProbe(&formA, "Sibling");
    auto* elsewhere = new TProbe(&formB, "Elsewhere");
    TProbe loose(nullptr, "Loose");
    for (TProbe* holder : {sibling, elsewhere, &loose})
        holder->SetPeer(target);
    delete target;
    EXPECT_EQ(sibling->Peer(), nullptr);
    EXPECT_EQ(elsewhere->Peer(), nullptr);
    EXPECT_EQ(loose.Peer(), nullptr);
}

TEST(Component, AHolderDestroyedFirstIsNotNotifiedLater) {
    auto* target = new TProbe(nullptr, "Target");
    auto* holder = new TProbe(nullptr, "Holder");
    holder->SetPeer(target);
    delete holder;
    delete target;  // must not reach the freed holder (the sanitizer pass catches it)
    SUCCEED();
}

TEST(Component, OwnerTearDownClearsSiblingReferences) {
    // B holds A; both owned by the same form; A is freed first when the form goes
    // (reverse order: C, B, A) and B must not be touched after it is gone.
    auto* form = new TComponent(nullptr);
    auto* a = new TProbe(form, "A");
    auto* b = new TProbe(form, "B");
    auto* c = new TProbe(form, "C");
    b->SetPeer(a);
    c->SetPeer(b);
    delete form;
    SUCCEED();
}

TEST(Component, NamesAreIdentifiersUniqueUnderTheOwner) {
    TComponent owner(nullptr);
    TProbe a(&owner, "Button1");
    EXPECT_THROW(TProbe(&owner, "button1"), EComponentError);
    EXPECT_THROW(a.SetName("1abc"), EComponentError);
    EXPECT_THROW(a.SetName("has space"), EComponentError);
    a.SetName("");
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(Component, LoadingStateUntilLoaded) {
    TProbe probe(nullptr, "P");
    EXPECT_FALSE(probe.ComponentState().Contains(csLoading));
    probe.Loading();
    EXPECT_TRUE(probe.ComponentState().Contains(csLoading));
    probe.Loaded();
    EXPECT_FALSE(probe.ComponentState().Contains(csLoading));
    EXPECT_EQ(probe.LoadedCalls, 1);
    EXPECT_EQ(probe.ClassName(), "TProbe");
}

TEST(Persistent, AssignBetweenUnrelatedClassesRaises) {
    TComponent a(nullptr), b(nullptr);
    EXPECT_THROW(a.Assign(&b), EConvertError);
    EXPECT_THROW(a.Assign(nullptr), EConvertError);
}
