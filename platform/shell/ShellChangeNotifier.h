#pragma once
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Set.h"
#include "platform/core/Thread.h"
#include "platform/shell/ShellFolder.h"

enum TNotifyFilter { nfFileNameChange, nfDirNameChange, nfAttributeChange, nfSizeChange, nfWriteChange, nfSecurityChange };
using TNotifyFilters = TSet<TNotifyFilter>;

// The filter flags of a set: members 0 to 4 keep their bit, nfSecurityChange
// is 0x100. The worker turns them into inotify events.
uint32_t NotifyFiltersToFlags(TNotifyFilters filters);
constexpr uint32_t FileNotifyChangeFileName = 0x1, FileNotifyChangeDirName = 0x2, FileNotifyChangeAttributes = 0x4,
                   FileNotifyChangeSize = 0x8, FileNotifyChangeLastWrite = 0x10, FileNotifyChangeSecurity = 0x100;

// Watches a folder, and with WatchSubTree every folder below it (new ones
// too), with inotify. Wakes through an event descriptor for new options and
// for its end. Each read batch that holds a change of interest posts one call
// of ChangeEvent to the main thread, and never a second while one is pending.
class TbsShellChangeThread : public TThread {
public:
    explicit TbsShellChangeThread(TThreadMethod ChangeEvent);
    ~TbsShellChangeThread() override;

    // Takes new options; the worker drops its watches and adds them again.
    // skipFolders are never entered when watching a sub-tree (network mounts).
    void SetDirectoryOptions(const std::string& Directory, bool WatchSubTree, uint32_t NotifyOptionFlags,
                             std::vector<std::string> skipFolders = {});
    // Terminates and wakes the worker.
    void Stop();
    // The folders being watched, and how many times options were taken up
    // (for tests and diagnostics).
    size_t WatchCount() const { return FWatchCount; }
    int OptionsApplied() const { return FOptionsApplied; }

protected:
    void Execute() override;

private:
    void Wake();
    void ApplyOptions();
    void AddWatches(const std::string& folder, bool recursive);
    void ReadEvents();

    TThreadMethod FChangeEvent;
    int FWakeFd = -1;
    int FInotifyFd = -1;
    std::mutex FLock;                          // guards the options below
    std::string FDirectory;
    bool FWatchSubTree = false;
    uint32_t FNotifyOptionFlags = 0;
    std::vector<std::string> FSkipFolders;
    bool FWaitChanged = false;
    std::atomic<bool> FPending{false};         // a call is posted and has not run yet
    std::atomic<size_t> FWatchCount{0};
    std::atomic<int> FOptionsApplied{0};
    // Worker only.
    std::map<int, std::string> FWatches;     // watch descriptor -> folder
    int FRootWd = -1;
    bool FRecursive = false;
    uint32_t FFlags = 0;
    unsigned long FDevice = 0;
    std::vector<std::string> FSkip;
};

// Calls OnChange in the main thread when the folder Root changes. No thread
// runs until a handler is set; the handler never runs once the notifier is gone.
class TbsCustomShellChangeNotifier : public TComponent {
public:
    explicit TbsCustomShellChangeNotifier(TComponent* AOwner);
    ~TbsCustomShellChangeNotifier() override;

    TNotifyFilters NotifyFilters() const { return FFilters; }
    void SetNotifyFilters(TNotifyFilters value);
    const TRoot& Root() const { return FRoot; }
    void SetRoot(const TRoot& value);
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool value);
    const TThreadMethod& OnChange() const { return FOnChange; }
    // Starts watching when no worker runs yet; an empty handler keeps the worker but calls nothing.
    void SetOnChange(TThreadMethod value);

    // True while a worker runs.
    bool Watching() const { return FThread != nullptr; }
    TbsShellChangeThread* Thread() const { return FThread.get(); }

protected:
    void StartWatching();
    void ApplyThreadOptions();

private:
    void Changed();

    TNotifyFilters FFilters{nfFileNameChange, nfDirNameChange};
    bool FWatchSubTree = true;
    TRoot FRoot = "/";
    std::unique_ptr<TbsShellChangeThread> FThread;
    TThreadMethod FOnChange;
    bool FDestroying = false;
};

// The published form.
class TbsShellChangeNotifier : public TbsCustomShellChangeNotifier {
public:
    using TbsCustomShellChangeNotifier::TbsCustomShellChangeNotifier;
};
