#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/core/Exception.h"
#include "platform/core/Sound.h"

// One sound at a time, on an audio device of its own. SDL's audio subsystem is
// reference counted by SDL_InitSubSystem / SDL_QuitSubSystem, so this shares
// one SDL instance with the window layer and the player and never ends it.
namespace {

struct TSoundState {
    std::mutex Lock;
    std::condition_variable Wake;
    SDL_AudioDeviceID Device = 0;
    Uint8* Buffer = nullptr;
    Uint32 TailMs = 0;  // what the device still holds after the queue runs dry
    bool SubsystemUp = false;
    bool WatcherRunning = false;
};

// Never destroyed: the watcher thread may still hold it at exit.
TSoundState& State() {
    static auto* state = new TSoundState;
    return *state;
}

void CloseLocked(TSoundState& s) {
    if (s.Device) {
        SDL_CloseAudioDevice(s.Device);
        s.Device = 0;
    }
    if (s.Buffer) {
        SDL_FreeWAV(s.Buffer);
        s.Buffer = nullptr;
    }
    if (s.SubsystemUp) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        s.SubsystemUp = false;
    }
}

// Closes the device once the sound has played out.
void Watch() {
    TSoundState& s = State();
    std::unique_lock lock(s.Lock);
    while (s.Device) {
        if (SDL_GetQueuedAudioSize(s.Device) > 0) {
            s.Wake.wait_for(lock, std::chrono::milliseconds(20));
            continue;
        }
        const SDL_AudioDeviceID device = s.Device;
        s.Wake.wait_for(lock, std::chrono::milliseconds(s.TailMs + 20));
        if (s.Device == device && SDL_GetQueuedAudioSize(s.Device) == 0)
            CloseLocked(s);
    }
    s.WatcherRunning = false;
}

}  // namespace

void PlaySoundAsync(const std::string& wavFile) {
    TSoundState& s = State();
    std::lock_guard lock(s.Lock);
    CloseLocked(s);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        throw EOSError(std::string("Cannot start the audio system: ") + SDL_GetError());
    s.SubsystemUp = true;

    SDL_AudioSpec wanted{};
    Uint32 length = 0;
    if (!SDL_LoadWAV(wavFile.c_str(), &wanted, &s.Buffer, &length)) {
        const std::string reason = SDL_GetError();
        CloseLocked(s);
        throw EOSError("Cannot play " + wavFile + ": " + reason);
    }
    wanted.callback = nullptr;  // fed through the queue
    wanted.userdata = nullptr;
    // A buffer of about 20 ms: a short prompt starts and ends promptly, and
    // closing the device never waits for a long buffer to play out.
    wanted.samples = 256;
    while (wanted.samples < 4096 && wanted.samples * 50 < wanted.freq)
        wanted.samples *= 2;
    SDL_AudioSpec obtained{};
    s.Device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (s.Device == 0) {
        const std::string reason = SDL_GetError();
        CloseLocked(s);
        throw EOSError("Cannot open an audio device for " + wavFile + ": " + reason);
    }
    if (SDL_QueueAudio(s.Device, s.Buffer, length) != 0) {
        const std::string reason = SDL_GetError();
        CloseLocked(s);
        throw EOSError("Cannot play " + wavFile + ": " + reason);
    }
    s.TailMs = obtained.freq > 0 ? static_cast<Uint32>(1000ull * obtained.samples / obtained.freq) : 100;
    SDL_PauseAudioDevice(s.Device, 0);
    if (!s.WatcherRunning) {
        s.WatcherRunning = true;
        std::thread(Watch).detach();
    }
    s.Wake.notify_all();
}

void StopSound() {
    TSoundState& s = State();
    {
        std::lock_guard lock(s.Lock);
        CloseLocked(s);
    }
    s.Wake.notify_all();
}

bool IsSoundPlaying() {
    TSoundState& s = State();
    std::lock_guard lock(s.Lock);
    return s.Device != 0;
}
