#pragma once
#include <cstdint>
#include <functional>

// The one clock of the program. Milliseconds from an arbitrary start (the
// monotonic clock); GetTickCount wraps at 2^32 like the classic counter.
uint64_t GetTickCount64();
uint32_t GetTickCount();
// Blocks the calling thread for ms milliseconds (or lets the clock hook advance).
void Sleep(uint32_t ms);

// Lets a test back end drive time: while set, GetTickCount64 returns now() and
// Sleep calls sleep(ms) (or only waits in real time when sleep is empty).
// Pass an empty now to return to the real clock.
void SetClockHook(std::function<uint64_t()> now, std::function<void(uint32_t)> sleep = {});
