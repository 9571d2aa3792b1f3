#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/Collection.h"
#include "platform/core/Exception.h"

namespace {

class TColumn : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    void SetWidth(int w) {
        Width = w;
        Changed(false);
    }
    void Assign(const TPersistent* Source) override {
        if (auto* c = dynamic_cast<const TColumn*>(Source)) {
            Width = c->Width;
            return;
        }
        TCollectionItem::Assign(Source);
    }
    int Width = 0;
};

class TColumns : public TTypedCollection<TColumn> {
public:
    std::vector<std::string> Log;

protected:
    void Update(TCollectionItem* item) override {
        Log.push_back(item ? "item " + std::to_string(item->Index()) : "all");
    }
};

}  // namespace

TEST(Collection, ItemsKnowTheirPlaceAndChangesAreAnnounced) {
    TColumns columns;
    TColumn* a = columns.Add();
    TColumn* b = columns.Add();
    EXPECT_EQ(columns.Log, (std::vector<std::string>{"all", "all"}));
    EXPECT_EQ(b->Index(), 1);
    EXPECT_NE(a->ID(), b->ID());
    EXPECT_EQ(columns.FindItemID(b->ID()), b);

    columns.Log.clear();
    b->SetWidth(5);
    EXPECT_EQ(columns.Log, (std::vector<std::string>{"item 1"}));

    columns.Log.clear();
    columns.BeginUpdate();
    a->SetWidth(1);
    columns.Add();
    columns.BeginUpdate();
    columns.EndUpdate();
    EXPECT_TRUE(columns.Log.empty());
    columns.EndUpdate();
    EXPECT_EQ(columns.Log, (std::vector<std::string>{"all"}));  // once, for everything

    TColumn* c = columns.Insert(0);
    EXPECT_EQ(c->Index(), 0);
    EXPECT_EQ(a->Index(), 1);
    delete a;  // an item destroyed leaves its collection
    EXPECT_EQ(columns.Count(), 3);
    EXPECT_EQ(b->Index(), 1);
    columns.Delete(0);
    EXPECT_EQ(columns.Items(0), b);
    EXPECT_THROW(columns.Items(5), EListError);
}

TEST(Collection, AssignCopiesThroughTheItems) {
    TColumns source, target;
    source.Add()->Width = 10;
    source.Add()->Width = 20;
    target.Add();
    target.Assign(&source);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(target.Items(1)->Width, 20);
    source.Clear();
    EXPECT_EQ(source.Count(), 0);
    EXPECT_EQ(target.Items(0)->DisplayName(), "TColumn");
}
