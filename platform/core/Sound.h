#pragma once
#include <string>

// Plays a WAV file once, without waiting, on an audio device of its own (a
// new sound replaces one still playing). Raises EOSError with the reason when
// the file cannot be read or no audio device can be opened.
void PlaySoundAsync(const std::string& wavFile);
// Stops a sound still playing; true while one plays.
void StopSound();
bool IsSoundPlaying();
