#include "engine/player/PacketQueue.h"

#include "engine/loader/EntryPoints.h"

int TPacketQueue::NodeSize(const TNode& ANode) { return (ANode.Packet ? ANode.Packet->size : 0) + NodeOverhead; }

int TPacketQueue::Put(AVPacket* APacket) {
    TNode node;
    node.Packet = AVLib.av_packet_alloc();
    if (!node.Packet)
        return -1;
    AVLib.av_packet_move_ref(node.Packet, APacket);
    {
        std::lock_guard<std::mutex> lock(FLock);
        FNodes.push_back(node);
        FSize += NodeSize(node);
    }
    FCond.notify_one();
    return 0;
}

void TPacketQueue::PutMarker(TKind AKind) {
    TNode node;
    node.Kind = AKind;
    {
        std::lock_guard<std::mutex> lock(FLock);
        FNodes.push_back(node);
        FSize += NodeSize(node);
    }
    FCond.notify_one();
}

void TPacketQueue::Flush() {
    std::lock_guard<std::mutex> lock(FLock);
    for (TNode& node : FNodes)
        if (node.Packet)
            AVLib.av_packet_free(&node.Packet);
    FNodes.clear();
    FSize = 0;
}

void TPacketQueue::Abort() {
    {
        std::lock_guard<std::mutex> lock(FLock);
        FAbort = true;
    }
    FCond.notify_all();
}

void TPacketQueue::Start() {
    std::lock_guard<std::mutex> lock(FLock);
    FAbort = false;
}

bool TPacketQueue::Aborted() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FAbort;
}

int TPacketQueue::Get(AVPacket* APacket, TKind& AKind, bool ABlock) {
    std::unique_lock<std::mutex> lock(FLock);
    for (;;) {
        if (FAbort)
            return -1;
        if (!FNodes.empty()) {
            TNode node = FNodes.front();
            FNodes.pop_front();
            FSize -= NodeSize(node);
            AKind = node.Kind;
            if (node.Packet) {
                AVLib.av_packet_move_ref(APacket, node.Packet);
                AVLib.av_packet_free(&node.Packet);
            }
            return 1;
        }
        if (!ABlock)
            return 0;
        FCond.wait(lock);
    }
}

int TPacketQueue::Size() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FSize;
}

int TPacketQueue::Count() const {
    std::lock_guard<std::mutex> lock(FLock);
    return int(FNodes.size());
}
