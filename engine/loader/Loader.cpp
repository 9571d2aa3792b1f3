#include "engine/loader/Loader.h"

#include "engine/log/Logger.h"
#include "engine/util/FileNames.h"
#include "engine/util/MiscUtils.h"
#include "platform/core/DynLib.h"
#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"

TCriticalSection GlobalCodecLock;

TFFmpegLoader& GlobalLoader() {
    static TFFmpegLoader loader;
    return loader;
}

TFFmpegLoader::TFFmpegLoader() : TFFmpegLoader(DefaultLibraryTable()) {}

TFFmpegLoader::TFFmpegLoader(const TLibraryTable& table) : FTable(table), FLibraryPath(GetExePath() + "LibAV") {}

TFFmpegLoader::~TFFmpegLoader() = default;

void TFFmpegLoader::CheckNotEmpty(TLibraries ALibraries) {
    if (ALibraries.Empty())
        throw EAssertionFailed("Assertion failure: empty library set");
}

bool TFFmpegLoader::Loaded(TLibrary ALibrary) const {
    return FStatus[ALibrary].Handle && FStatus[ALibrary].Fixuped;
}

bool TFFmpegLoader::Loaded(TLibraries ALibraries) const {
    CheckNotEmpty(ALibraries);
    for (int i = 0; i < LibraryCount; ++i)
        if (ALibraries.Contains(TLibrary(i)) && !Loaded(TLibrary(i)))
            return false;
    return true;
}

// The folder first, when the file is there, then the system's library path.
// SDL2 is never taken from the folder: the platform layer's sounds link the
// process's own copy, and a second copy beside it would run a second audio
// subsystem; the system's search by name finds the copy already loaded.
// The reason reported is the system's, for the attempt that failed last.
void TFFmpegLoader::OpenFile(TLibrary ALibrary) {
    const std::string fileName = GetLibraryFileName(FTable[ALibrary]);
    const std::string folder = FLibraryPath.empty() ? "" : IncludeTrailingPathDelimiter(FLibraryPath);
    void* handle = nullptr;
    if (ALibrary != lbSDL && !folder.empty() && FileExists(folder + fileName))
        handle = LoadLibrary(folder + fileName);
    else
        handle = LoadLibrary(fileName);
    if (!handle)
        throw EExternalException(
            Format("Load library %s error: %s", folder + fileName, LastLibraryError()));
    FStatus[ALibrary].Handle = handle;
}

void TFFmpegLoader::Fixup(TLibrary ALibrary) {
    const TLibraryItem& item = FTable[ALibrary];
    const std::string fileName = GetLibraryFileName(item);
    for (const TEntryBinding& entry : item.Entries) {
        void* address = GetProcAddress(FStatus[ALibrary].Handle, entry.Name);
        if (!address)
            throw EExternalException(
                Format("Load function %s@%s error: %s", entry.Name, fileName, LastLibraryError()));
        entry.Store(address);
    }
    if (item.RuntimeMajor && item.HeaderMajor >= 0) {
        const int runtime = item.RuntimeMajor();
        if (runtime != item.HeaderMajor)
            throw EExternalException(Format("Load library %s error: major version %d found, %d expected",
                                             fileName, runtime, item.HeaderMajor));
    }
}

bool TFFmpegLoader::Bind(TLibrary ALibrary) {
    TLibraryStatus& status = FStatus[ALibrary];
    try {
        if (!status.Handle)
            OpenFile(ALibrary);
        if (!status.Fixuped) {
            Fixup(ALibrary);
            status.Fixuped = true;
        }
    } catch (const Exception& e) {
        FLastErrMsg = e.Message();
    }
    if (!status.Fixuped)
        Unbind(ALibrary);
    return status.Fixuped;
}

void TFFmpegLoader::Unbind(TLibrary ALibrary) {
    for (const TEntryBinding& entry : FTable[ALibrary].Entries)
        entry.Store(nullptr);
    FStatus[ALibrary].Fixuped = false;
    FStatus[ALibrary].Handle = nullptr;
    FStatus[ALibrary].Users = 0;
}

// Runs after every successful load, also when the library was bound already:
// the logger's callback is (re)installed and the file-name scheme checked.
void TFFmpegLoader::AfterLoad(TLibrary ALibrary) {
    if (ALibrary == avUtil && FInstallLogger)
        GetFFLogger()->InstallAVLogCallback();
    if (ALibrary == avFormat)
        RegisterUnicodeProtocol();
}

bool TFFmpegLoader::Load(TLibrary ALibrary) {
    if (!Bind(ALibrary))
        return false;
    ++FStatus[ALibrary].Users;
    AfterLoad(ALibrary);
    return true;
}

bool TFFmpegLoader::Load(TLibraries ALibraries) {
    CheckNotEmpty(ALibraries);
    TLibraries boundHere;
    for (int i = 0; i < LibraryCount; ++i) {
        const TLibrary lib = TLibrary(i);
        if (!ALibraries.Contains(lib))
            continue;
        const bool wasLoaded = Loaded(lib);
        if (!Bind(lib)) {
            // Only what this call bound goes again; members that other
            // components loaded earlier stay bound for them.
            for (int j = 0; j < i; ++j)
                if (boundHere.Contains(TLibrary(j)))
                    Unbind(TLibrary(j));
            return false;
        }
        if (!wasLoaded)
            boundHere.Include(lib);
        AfterLoad(lib);
    }
    for (int i = 0; i < LibraryCount; ++i)
        if (ALibraries.Contains(TLibrary(i)))
            ++FStatus[i].Users;
    return true;
}

void TFFmpegLoader::Unload(TLibrary ALibrary) {
    TLibraryStatus& status = FStatus[ALibrary];
    if (status.Users > 1) {
        --status.Users;
        return;
    }
    Unbind(ALibrary);
}

void TFFmpegLoader::Unload(TLibraries ALibraries) {
    CheckNotEmpty(ALibraries);
    for (int i = 0; i < LibraryCount; ++i)
        if (ALibraries.Contains(TLibrary(i)))
            Unload(TLibrary(i));
}

const char* MissingCodecLibraryText() {
    const struct {
        TLibrary Library;
        const char* Text;
    } needed[] = {
        {avCodec, "LibAVCodec not loaded."},
        {avFormat, "LibAVFormat not loaded."},
        {avUtil, "LibAVUtil not loaded."},
        {swScale, "LibSwScale not loaded."},
    };
    for (const auto& n : needed)
        if (!GlobalLoader().Loaded(n.Library))
            return n.Text;
    return nullptr;
}
