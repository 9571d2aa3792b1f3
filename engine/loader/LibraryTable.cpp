#include "engine/loader/LibraryTable.h"

TEntryPoints AVLib;

namespace {

#define ZARVO_ENTRY_BINDING(name) \
    {#name, [](void* address) { AVLib.name = reinterpret_cast<decltype(AVLib.name)>(address); }},

std::vector<TEntryBinding> AVUtilEntries() { return {ZARVO_AVUTIL_ENTRIES(ZARVO_ENTRY_BINDING)}; }
std::vector<TEntryBinding> SwResampleEntries() { return {ZARVO_SWRESAMPLE_ENTRIES(ZARVO_ENTRY_BINDING)}; }
std::vector<TEntryBinding> SwScaleEntries() { return {ZARVO_SWSCALE_ENTRIES(ZARVO_ENTRY_BINDING)}; }
std::vector<TEntryBinding> AVCodecEntries() { return {ZARVO_AVCODEC_ENTRIES(ZARVO_ENTRY_BINDING)}; }
std::vector<TEntryBinding> AVFormatEntries() { return {ZARVO_AVFORMAT_ENTRIES(ZARVO_ENTRY_BINDING)}; }
std::vector<TEntryBinding> AVFilterEntries() { return {ZARVO_AVFILTER_ENTRIES(ZARVO_ENTRY_BINDING)}; }
std::vector<TEntryBinding> AVDeviceEntries() { return {ZARVO_AVDEVICE_ENTRIES(ZARVO_ENTRY_BINDING)}; }
std::vector<TEntryBinding> LibCEntries() { return {ZARVO_LIBC_ENTRIES(ZARVO_ENTRY_BINDING)}; }
std::vector<TEntryBinding> SDLEntries() { return {ZARVO_SDL_ENTRIES(ZARVO_ENTRY_BINDING)}; }

#undef ZARVO_ENTRY_BINDING

int SDLRuntimeMajor() {
    SDL_version v{};
    AVLib.SDL_GetVersion(&v);
    return v.major;
}

TLibraryTable MakeDefaultTable() {
    TLibraryTable t;
    t[avUtil] = {avUtil, "avutil", LIBAVUTIL_VERSION_MAJOR, AVUtilEntries(), LIBAVUTIL_VERSION_MAJOR,
                 [] { return int(AV_VERSION_MAJOR(AVLib.avutil_version())); }};
    t[swResample] = {swResample, "swresample", LIBSWRESAMPLE_VERSION_MAJOR, SwResampleEntries(),
                     LIBSWRESAMPLE_VERSION_MAJOR, [] { return int(AV_VERSION_MAJOR(AVLib.swresample_version())); }};
    t[swScale] = {swScale, "swscale", LIBSWSCALE_VERSION_MAJOR, SwScaleEntries(), LIBSWSCALE_VERSION_MAJOR,
                  [] { return int(AV_VERSION_MAJOR(AVLib.swscale_version())); }};
    t[avCodec] = {avCodec, "avcodec", LIBAVCODEC_VERSION_MAJOR, AVCodecEntries(), LIBAVCODEC_VERSION_MAJOR,
                  [] { return int(AV_VERSION_MAJOR(AVLib.avcodec_version())); }};
    t[avFormat] = {avFormat, "avformat", LIBAVFORMAT_VERSION_MAJOR, AVFormatEntries(), LIBAVFORMAT_VERSION_MAJOR,
                   [] { return int(AV_VERSION_MAJOR(AVLib.avformat_version())); }};
    t[avFilter] = {avFilter, "avfilter", LIBAVFILTER_VERSION_MAJOR, AVFilterEntries(), LIBAVFILTER_VERSION_MAJOR,
                   [] { return int(AV_VERSION_MAJOR(AVLib.avfilter_version())); }};
    t[avDevice] = {avDevice, "avdevice", LIBAVDEVICE_VERSION_MAJOR, AVDeviceEntries(), -1, nullptr};
    t[myUtil] = {myUtil, "c", 6, LibCEntries(), -1, nullptr};
    t[lbSDL] = {lbSDL, "SDL2-2.0", 0, SDLEntries(), SDL_MAJOR_VERSION, SDLRuntimeMajor};
    return t;
}

}  // namespace

const TLibraryTable& DefaultLibraryTable() {
    static const TLibraryTable table = MakeDefaultTable();
    return table;
}

std::string GetLibraryFileName(const TLibraryItem& item) {
    std::string name = "lib" + item.Name + ".so";
    if (item.Version >= 0)
        name += "." + std::to_string(item.Version);
    return name;
}
