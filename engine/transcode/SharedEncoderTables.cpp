#include "engine/transcode/SharedEncoderTables.h"

#include <condition_variable>
#include <cstring>
#include <mutex>

// The tables of one library: many encoding calls at once, or one opening.
// Openings go first: a call that begins while one waits waits behind it, so
// jobs that keep encoding cannot hold an opening off for good.
class TSharedTables {
public:
    void BeginOpen()
    {
        std::unique_lock lock(FLock);
        ++FOpenersWaiting;
        FChanged.wait(lock, [this] { return !FOpening && FEncoding == 0; });
        --FOpenersWaiting;
        FOpening = true;
    }
    void EndOpen()
    {
        {
            std::lock_guard lock(FLock);
            FOpening = false;
        }
        FChanged.notify_all();
    }
    void BeginEncode()
    {
        std::unique_lock lock(FLock);
        FChanged.wait(lock, [this] { return !FOpening && FOpenersWaiting == 0; });
        ++FEncoding;
    }
    void EndEncode()
    {
        bool last = false;
        {
            std::lock_guard lock(FLock);
            last = --FEncoding == 0;
        }
        if (last)
            FChanged.notify_all();
    }

private:
    std::mutex FLock;
    std::condition_variable FChanged;
    int FEncoding = 0;
    int FOpenersWaiting = 0;
    bool FOpening = false;
};

namespace {

TSharedTables& XvidTables()
{
    static TSharedTables tables;
    return tables;
}

}  // namespace

bool RebuildsSharedTables(const AVCodec* AEncoder)
{
    return AEncoder && AEncoder->name && std::strcmp(AEncoder->name, "libxvid") == 0;
}

TSharedTablesLock::TSharedTablesLock(const AVCodec* AEncoder, TUse AUse) : FUse(AUse)
{
    if (!RebuildsSharedTables(AEncoder))
        return;
    FTables = &XvidTables();
    if (FUse == tuOpen)
        FTables->BeginOpen();
    else
        FTables->BeginEncode();
}

TSharedTablesLock::~TSharedTablesLock()
{
    if (!FTables)
        return;
    if (FUse == tuOpen)
        FTables->EndOpen();
    else
        FTables->EndEncode();
}
