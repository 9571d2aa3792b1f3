#pragma once
#include <condition_variable>
#include <deque>
#include <mutex>

#include "engine/loader/LibraryHeaders.h"

// Packets from the reader to one decoder. The flush marker tells the decoder
// that a seek happened; the end marker (an empty packet) that the input ended.
// Both are markers, never library packets, so nothing frees them.
class TPacketQueue {
public:
    enum TKind { pkData, pkFlush, pkEnd };
    // Node overhead counted into Size, as the reading limits assume it.
    static constexpr int NodeOverhead = 72;

    TPacketQueue() = default;
    TPacketQueue(const TPacketQueue&) = delete;
    TPacketQueue& operator=(const TPacketQueue&) = delete;
    ~TPacketQueue() { Flush(); }

    // Takes over the packet's reference (the caller's packet is left empty).
    // -1 when no packet can be had.
    int Put(AVPacket* APacket);
    void PutFlush() { PutMarker(pkFlush); }
    void PutEnd() { PutMarker(pkEnd); }
    void Flush();
    void Abort();
    void Start();  // clears the abort state
    bool Aborted() const;

    // 1: a packet (APacket receives it; its kind in AKind), 0: none and not
    // blocking, -1: aborted.
    int Get(AVPacket* APacket, TKind& AKind, bool ABlock);

    int Size() const;
    int Count() const;

private:
    struct TNode {
        TKind Kind = pkData;
        AVPacket* Packet = nullptr;
    };
    void PutMarker(TKind AKind);
    static int NodeSize(const TNode& ANode);

    mutable std::mutex FLock;
    std::condition_variable FCond;
    std::deque<TNode> FNodes;
    int FSize = 0;
    bool FAbort = false;
};
