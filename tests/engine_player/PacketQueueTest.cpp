#include <gtest/gtest.h>

#include <thread>

#include "engine/loader/EntryPoints.h"
#include "engine/player/PacketQueue.h"
#include "tests/engine_base/EngineTestSupport.h"

namespace {

class PacketQueueTest : public ::testing::Test {
protected:
    void SetUp() override { BindMediaLibraries(); }
    // A packet of `size` bytes of its own.
    static AVPacket* MakePacket(int size) {
        AVPacket* packet = av_packet_alloc();  // test code links the libraries itself
        av_new_packet(packet, size);
        return packet;
    }
};

} // namespace

TEST_F(PacketQueueTest, CountsBytesWithNodeOverheadThroughPutsAndGets) {
    TPacketQueue queue;
    struct Step {
        char Op;  // 'p' put data, 'f' flush marker, 'e' end marker, 'g' get
        int Size;
        int WantSize, WantCount;
    };
    const Step steps[] = {
        {'p', 100, 172, 1}, {'f', 0, 244, 2}, {'p', 1000, 1316, 3}, {'e', 0, 1388, 4},
        {'g', 0, 1216, 3},  {'g', 0, 1144, 2}, {'g', 0, 72, 1},    {'g', 0, 0, 0},
    };
    const TPacketQueue::TKind wantKinds[] = {TPacketQueue::pkData, TPacketQueue::pkFlush, TPacketQueue::pkData,
                                             TPacketQueue::pkEnd};
    AVPacket* out = AVLib.av_packet_alloc();
    int got = 0;
    for (const Step& step : steps) {
        if (step.Op == 'p') {
            AVPacket* packet = MakePacket(step.Size);
            ASSERT_EQ(queue.Put(packet), 0);
            EXPECT_EQ(packet->size, 0) << "the queue takes the packet's reference";
            AVLib.av_packet_free(&packet);
        } else if (step.Op == 'f') {
            queue.PutFlush();
        } else if (step.Op == 'e') {
            queue.PutEnd();
        } else {
            TPacketQueue::TKind kind;
            ASSERT_EQ(queue.Get(out, kind, false), 1);
            EXPECT_EQ(kind, wantKinds[got++]);
            AVLib.av_packet_unref(out);
        }
        EXPECT_EQ(queue.Size(), step.WantSize) << step.Op;
        EXPECT_EQ(queue.Count(), step.WantCount) << step.Op;
    }
    TPacketQueue::TKind kind;
    EXPECT_EQ(queue.Get(out, kind, false), 0) << "empty and not blocking";
    queue.Abort();
    EXPECT_EQ(queue.Get(out, kind, false), -1);
    queue.Start();
    EXPECT_EQ(queue.Get(out, kind, false), 0);
    AVLib.av_packet_free(&out);
}

TEST_F(PacketQueueTest, AbortWakesABlockedGetAndFlushFreesWaitingPackets) {
    TPacketQueue queue;
    int result = 0;
    std::thread reader([&] {
        AVPacket* out = AVLib.av_packet_alloc();
        TPacketQueue::TKind kind;
        result = queue.Get(out, kind, true);
        AVLib.av_packet_free(&out);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    queue.Abort();
    reader.join();
    EXPECT_EQ(result, -1);

    for (int i = 0; i < 3; ++i) {
        AVPacket* packet = MakePacket(50);
        queue.Put(packet);
        AVLib.av_packet_free(&packet);
    }
    queue.Flush();  // the leak checker sees any packet left behind
    EXPECT_EQ(queue.Size(), 0);
    EXPECT_EQ(queue.Count(), 0);
}
