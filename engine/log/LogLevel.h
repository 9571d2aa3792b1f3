#pragma once

// Log levels, most severe first. Each has a library level: ordinal × 8 − 8.
enum TLogLevel { llQuiet, llPanic, llFatal, llError, llWarning, llInfo, llVerbose, llDebug };

int LogLevelToAVLevel(TLogLevel ALogLevel);
// Library level / 8 (toward zero) + 1, limited to llQuiet..llDebug.
TLogLevel AVLevelToLogLevel(int AVLevel);
