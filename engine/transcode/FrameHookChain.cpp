#include "engine/transcode/FrameHookChain.h"

#include <array>
#include <cstring>
#include <mutex>
#include <utility>

#include "engine/loader/EntryPoints.h"
#include "platform/core/DynLib.h"

namespace {

// Elements of the argument vector a plug-in's "Configure" gets.
constexpr int HookArgumentSlots = 64;

// The plug-in libraries loaded by this process, by the name they were given
// (compared exactly: file names are case-sensitive). Never unloaded: a job
// of another thread may be inside one.
class TPluginCache {
public:
    // The library's handle, loading it on first use; null with the reason.
    HMODULE Find(const std::string& AName, std::string& AError) {
        std::lock_guard lock(FLock);
        for (const auto& [name, handle] : FItems)
            if (name == AName)
                return handle;
        HMODULE handle = LoadLibrary(AName);
        if (!handle) {
            AError = LastLibraryError();
            return nullptr;
        }
        FItems.emplace_back(AName, handle);
        return handle;
    }

private:
    std::mutex FLock;
    std::vector<std::pair<std::string, HMODULE>> FItems;
};

TPluginCache& Plugins() {
    static TPluginCache cache;
    return cache;
}

void LogError(const std::string& AText) { AVLib.av_log(nullptr, AV_LOG_ERROR, "%s", AText.c_str()); }

} // namespace

int TFrameHookChain::AddFrameHook(const std::vector<std::string>& AArguments) {
    if (AArguments.empty() || AArguments.size() > size_t(HookArgumentSlots))
        return -2;
    const std::string& name = AArguments[0];
    std::string error;
    HMODULE library = Plugins().Find(name, error);
    if (!library) {
        LogError(error + "\n");
        return -1;
    }
    auto entry = std::make_unique<TFrameHookEntry>();
    entry->Configure = reinterpret_cast<TFrameHookConfigure>(GetProcAddress(library, "Configure"));
    entry->Process = reinterpret_cast<TFrameHookProcess>(GetProcAddress(library, "Process"));
    entry->Release = reinterpret_cast<TFrameHookRelease>(GetProcAddress(library, "Release"));
    if (!entry->Process) {
        LogError("Failed to find Process entrypoint in " + name + "\n");
        return -2;
    }
    if (!entry->Configure && AArguments.size() > 1) {
        LogError("Failed to find Configure entrypoint in " + name + "\n");
        return -2;
    }
    if (entry->Configure) {
        entry->Arguments = AArguments;
        std::array<char*, HookArgumentSlots> argv{};
        for (size_t i = 0; i < entry->Arguments.size(); ++i)
            argv[i] = entry->Arguments[i].data();
        if (entry->Configure(&entry->ctx, int(AArguments.size()), argv.data(), HookArgumentSlots - 1) != 0) {
            LogError("Failed to Configure " + name + "\n");
            return -22;
        }
    }
    FEntries.push_back(std::move(entry));
    return 0;
}

void TFrameHookChain::ProcessFrameHooks(AVFrame* APicture, int64_t APTS) const {
    const AVPixelFormat format = AVPixelFormat(APicture->format);
    for (const auto& entry : FEntries) {
        TFrameHookPicture picture;
        for (int i = 0; i < 4; ++i) {
            picture.data[i] = APicture->data[i];
            picture.linesize[i] = APicture->linesize[i];
        }
        entry->Process(entry->ctx, &picture, int(format), APicture->width, APicture->height, APTS);
        // A plug-in that answers with planes of its own has its pixels taken
        // into the picture: what follows sees one picture whatever it did.
        if (std::memcmp(picture.data, APicture->data, sizeof picture.data) != 0 ||
            std::memcmp(picture.linesize, APicture->linesize, sizeof picture.linesize) != 0)
            AVLib.av_image_copy(APicture->data, APicture->linesize, const_cast<const uint8_t**>(picture.data),
                                picture.linesize, format, APicture->width, APicture->height);
    }
}

void TFrameHookChain::ReleaseFrameHooks() {
    for (const auto& entry : FEntries)
        if (entry->Release)
            entry->Release(entry->ctx);
    FEntries.clear();
}
