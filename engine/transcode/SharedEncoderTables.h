#pragma once
#include "engine/loader/LibraryHeaders.h"

// Some encoder libraries rebuild process-wide tables each time one of their
// encoders is opened: the Xvid library runs its global set-up again, which
// first blanks and then refills its VLC and DCT tables and function pointers
// in place. An encoder of another job that reads them meanwhile writes a
// damaged picture and never knows. So opening such an encoder excludes every
// encoder of the same library while it encodes; encoders of one library still
// encode side by side, and every other encoder is not held up at all.

// True when the encoder's library sets up shared tables as it opens.
bool RebuildsSharedTables(const AVCodec* AEncoder);

class TSharedTables;

// Held exclusively around opening such an encoder, shared around each call
// that encodes with one; an opening waits only for the calls under way, never
// behind calls that begin after it asked. Empty (holds nothing) for any other
// encoder.
class TSharedTablesLock {
public:
    enum TUse { tuOpen, tuEncode };
    TSharedTablesLock(const AVCodec* AEncoder, TUse AUse);
    ~TSharedTablesLock();
    TSharedTablesLock(const TSharedTablesLock&) = delete;
    TSharedTablesLock& operator=(const TSharedTablesLock&) = delete;

private:
    TSharedTables* FTables = nullptr;
    TUse FUse = tuEncode;
};
