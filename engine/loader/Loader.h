#pragma once
#include <string>

#include "engine/loader/Library.h"
#include "engine/loader/LibraryTable.h"
#include "platform/core/Sync.h"

// Loads the media libraries at run time and binds their entry points into
// AVLib. Used from the main thread only.
//
// Libraries are counted per user: every successful Load (of one library or of
// a set) takes one use of each member and every Unload gives one back; a
// library is unbound only when its last use is given back, so a component that
// unloads its set never pulls entry points from under a running job or the
// player. Files are never closed again (dlclose): the libraries keep threads
// and exit handlers of their own, and a new Load of the same file gets the
// same module back from the system.
class TFFmpegLoader {
public:
    TFFmpegLoader();                                  // the default table
    explicit TFFmpegLoader(const TLibraryTable& table);  // tests: fake or missing rows
    TFFmpegLoader(const TFFmpegLoader&) = delete;
    TFFmpegLoader& operator=(const TFFmpegLoader&) = delete;
    ~TFFmpegLoader();  // unloads nothing

    bool Load(TLibrary ALibrary);
    bool Load(TLibraries ALibraries);  // every member in loading order; all or none
    bool Loaded(TLibrary ALibrary) const;
    bool Loaded(TLibraries ALibraries) const;
    void Unload(TLibrary ALibrary);
    void Unload(TLibraries ALibraries);

    // The folder looked in first; "LibAV" beside the program at start.
    const std::string& LibraryPath() const { return FLibraryPath; }
    void SetLibraryPath(const std::string& path) { FLibraryPath = path; }
    // The reason of the last failed load; a later success keeps it.
    const std::string& LastErrMsg() const { return FLastErrMsg; }
    // Whether loading avutil installs the logger's callback.
    bool InstallLogger() const { return FInstallLogger; }
    void SetInstallLogger(bool value) { FInstallLogger = value; }

    const TLibraryItem& Item(TLibrary ALibrary) const { return FTable[ALibrary]; }
    int UseCount(TLibrary ALibrary) const { return FStatus[ALibrary].Users; }

private:
    struct TLibraryStatus {
        void* Handle = nullptr;
        bool Fixuped = false;
        int Users = 0;
    };

    bool Bind(TLibrary ALibrary);  // opens the file and binds; false with LastErrMsg
    void Unbind(TLibrary ALibrary);
    void AfterLoad(TLibrary ALibrary);
    void OpenFile(TLibrary ALibrary);
    void Fixup(TLibrary ALibrary);
    static void CheckNotEmpty(TLibraries ALibraries);

    TLibraryTable FTable;
    TLibraryStatus FStatus[LibraryCount];
    std::string FLibraryPath;
    std::string FLastErrMsg;
    bool FInstallLogger = true;
};

// The process's loader, made on first use.
TFFmpegLoader& GlobalLoader();

// The text for the first of avcodec, avformat, avutil and swscale that is not
// bound ("LibAVCodec not loaded."), or nullptr when all are: what every
// component that decodes or converts checks before it reaches the table.
const char* MissingCodecLibraryText();

// Taken around every codec open and close of the engine, the probe and the player.
extern TCriticalSection GlobalCodecLock;
