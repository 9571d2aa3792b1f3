#include "engine/transcode/SharedEncoderTables.h"

#include <cstring>

namespace {

std::shared_mutex& XvidTables() {
    static std::shared_mutex lock;
    return lock;
}

} // namespace

bool RebuildsSharedTables(const AVCodec* AEncoder) {
    return AEncoder && AEncoder->name && std::strcmp(AEncoder->name, "libxvid") == 0;
}

TSharedTablesLock::TSharedTablesLock(const AVCodec* AEncoder, TUse AUse) : FUse(AUse) {
    if (!RebuildsSharedTables(AEncoder))
        return;
    FMutex = &XvidTables();
    if (FUse == tuOpen)
        FMutex->lock();
    else
        FMutex->lock_shared();
}

TSharedTablesLock::~TSharedTablesLock() {
    if (!FMutex)
        return;
    if (FUse == tuOpen)
        FMutex->unlock();
    else
        FMutex->unlock_shared();
}
