#include <gtest/gtest.h>
#include <memory>
#include "skin/data/SkinData.h"
#include "skin/data/SkinDataLink.h"

namespace {

// A holder as every skinned control and component is one: it hands each
// removal to its link and counts the times the link let go.
class TLinkHolder : public TComponent {
public:
    TLinkHolder() : TComponent(nullptr) {}
    TbsSkinDataLink Link{this};
    int Dropped = 0;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Link.Drop(AComponent, Operation))
            ++Dropped;
    }
};

}  // namespace

TEST(SkinDataLink, FollowsOnlyTheContainerItNamesNow) {
    TLinkHolder holder;
    auto first = std::make_unique<TbsSkinData>(nullptr);
    auto second = std::make_unique<TbsSkinData>(nullptr);

    holder.Link.Set(first.get());
    holder.Link.Set(second.get());
    first.reset();   // no longer linked: the holder is not told
    EXPECT_EQ(holder.Dropped, 0);
    EXPECT_EQ(holder.Link.Get(), second.get());

    second.reset();
    EXPECT_EQ(holder.Dropped, 1);
    EXPECT_EQ(holder.Link.Get(), nullptr);
}

TEST(SkinDataLink, AnotherComponentsRemovalLeavesTheLink) {
    TLinkHolder holder;
    TbsSkinData data(nullptr);
    holder.Link.Set(&data);
    {
        TLinkHolder other;
        holder.FreeNotification(&other);
    }
    EXPECT_EQ(holder.Dropped, 0);
    EXPECT_EQ(holder.Link.Get(), &data);
    holder.Link.Set(nullptr);
}
