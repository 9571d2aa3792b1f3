#include "engine/log/LogLevel.h"

int LogLevelToAVLevel(TLogLevel ALogLevel) {
    return int(ALogLevel) * 8 - 8;
}

TLogLevel AVLevelToLogLevel(int AVLevel) {
    int level = AVLevel / 8 + 1;  // C++ division truncates toward zero
    if (level < int(llQuiet))
        level = llQuiet;
    if (level > int(llDebug))
        level = llDebug;
    return TLogLevel(level);
}
