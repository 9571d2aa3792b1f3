#pragma once
#include <cstdint>
#include <string>

// The texts the job list shows.

// Whole seconds as "hh:mm:ss". Hours are not wrapped at a day: 25 hours show
// "25:00:00". A negative count shows "00:00:00".
std::string SecToDate(int64_t ASeconds);

// A byte count in MiB, rounded to hundredths, in the shortest decimal form,
// followed by "MB": 1,572,864 bytes give "1.5MB". A negative count gives "0MB".
std::string SizeText(int64_t ABytes);

// The progress of a job: the done share of the total in whole percent, never
// above 100 (a report can run past its total) nor below 0; "N/A" when the
// total is not known (0 or less).
std::string ProgressText(int64_t ACurrentDuration, int64_t ATotalDuration);

// One line of the engine log: "#" thread id "." level ": " message.
std::string EngineLogLine(uint32_t AThreadId, int ALevel, const std::string& AMessage);
