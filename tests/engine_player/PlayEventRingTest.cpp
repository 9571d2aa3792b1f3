#include <gtest/gtest.h>

#include <vector>

#include "engine/player/PlayEventRing.h"

namespace {

std::vector<TPlayEventRing::TEntry> Drain(TPlayEventRing& ring) {
    std::vector<TPlayEventRing::TEntry> entries;
    for (TPlayEventRing::TEntry e = ring.Pop(); e.Kind != TPlayEventRing::ekNone; e = ring.Pop())
        entries.push_back(e);
    return entries;
}

} // namespace

TEST(PlayEventRing, SameKindAsTheNewestReplacesIt) {
    TPlayEventRing ring;
    ring.Push(TPlayEventRing::ekPosition, 1);
    ring.Push(TPlayEventRing::ekPosition, 2);
    ring.Push(TPlayEventRing::ekState, 3);
    ring.Push(TPlayEventRing::ekPosition, 4);
    ring.Push(TPlayEventRing::ekPosition, 5);
    const auto entries = Drain(ring);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Value, 2);
    EXPECT_EQ(entries[1].Value, 3);
    EXPECT_EQ(entries[2].Value, 5);
}

TEST(PlayEventRing, StatesAreNeverReplaced) {
    TPlayEventRing ring;
    ring.Push(TPlayEventRing::ekState, 0);
    ring.Push(TPlayEventRing::ekState, 1);
    ring.Push(TPlayEventRing::ekPosition, 7);
    ring.Push(TPlayEventRing::ekState, 4);
    const auto entries = Drain(ring);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].Value, 0);
    EXPECT_EQ(entries[1].Value, 1);
    EXPECT_EQ(entries[3].Value, 4);
}

TEST(PlayEventRing, KeepsTheNineNewestOfAlternatingKinds) {
    TPlayEventRing ring;
    for (int i = 0; i < 10; ++i)
        ring.Push(i % 2 ? TPlayEventRing::ekState : TPlayEventRing::ekPosition, i);
    const auto entries = Drain(ring);
    ASSERT_EQ(entries.size(), 9u);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(entries[size_t(i)].Value, i + 1);
}

TEST(PlayEventRing, SignalStaysSetUntilTheRingIsEmpty) {
    TPlayEventRing ring;
    EXPECT_FALSE(ring.Signal().IsSet());
    EXPECT_EQ(ring.Pop().Kind, TPlayEventRing::ekNone);
    ring.Push(TPlayEventRing::ekPosition, 1);
    ring.Push(TPlayEventRing::ekEnd, 0);
    EXPECT_TRUE(ring.Signal().IsSet());
    ring.Pop();
    EXPECT_TRUE(ring.Signal().IsSet());
    ring.Pop();
    EXPECT_FALSE(ring.Signal().IsSet());
}
