#include "platform/shell/ShellChangeNotifier.h"

#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/shell/ShellNamespace.h"

namespace {

constexpr uint32_t NameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

uint32_t InotifyMask(uint32_t flags, bool recursive) {
    uint32_t mask = IN_DELETE_SELF | IN_MOVE_SELF;
    if (flags & (FileNotifyChangeFileName | FileNotifyChangeDirName))
        mask |= NameEvents;
    if (flags & (FileNotifyChangeAttributes | FileNotifyChangeSecurity | FileNotifyChangeLastWrite))
        mask |= IN_ATTRIB;
    if (flags & (FileNotifyChangeSize | FileNotifyChangeLastWrite))
        mask |= IN_MODIFY;
    if (flags & FileNotifyChangeLastWrite)
        mask |= IN_CLOSE_WRITE;
    if (recursive)
        mask |= IN_CREATE | IN_MOVED_TO;  // to follow new folders
    return mask;
}

// Whether one event is a change the filters ask for.
bool Counts(const inotify_event& e, uint32_t flags, bool isRoot) {
    if (e.mask & IN_Q_OVERFLOW)
        return true;
    if (e.mask & (IN_DELETE_SELF | IN_MOVE_SELF))
        return isRoot;  // a sub-folder's own end shows in its parent as a name change
    const bool dir = e.mask & IN_ISDIR;
    if ((e.mask & NameEvents) && (flags & (dir ? FileNotifyChangeDirName : FileNotifyChangeFileName)))
        return true;
    if ((e.mask & IN_ATTRIB) &&
        (flags & (FileNotifyChangeAttributes | FileNotifyChangeSecurity | FileNotifyChangeLastWrite)))
        return true;
    if ((e.mask & IN_MODIFY) && (flags & (FileNotifyChangeSize | FileNotifyChangeLastWrite)))
        return true;
    return (e.mask & IN_CLOSE_WRITE) && (flags & FileNotifyChangeLastWrite);
}

bool IsInOrBelow(const std::string& path, const std::string& folder) {
    return path == folder ||
           (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
            (folder == "/" || path[folder.size()] == '/'));
}

} // namespace

uint32_t NotifyFiltersToFlags(TNotifyFilters filters) {
    uint32_t flags = 0;
    for (int member = nfFileNameChange; member <= nfWriteChange; ++member)
        if (filters.Contains(TNotifyFilter(member)))
            flags |= 1u << member;
    if (filters.Contains(nfSecurityChange))
        flags |= FileNotifyChangeSecurity;
    return flags;
}

// ---- the worker ----

TbsShellChangeThread::TbsShellChangeThread(TThreadMethod ChangeEvent)
    : TThread(true), FChangeEvent(std::move(ChangeEvent)) {
    FWakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (FWakeFd < 0)
        throw EThreadError("Cannot create the wake-up descriptor of the change notifier");
}

TbsShellChangeThread::~TbsShellChangeThread() {
    if (Started() && !Finished()) {
        Stop();
        WaitFor();
    }
    if (FInotifyFd >= 0)
        ::close(FInotifyFd);
    ::close(FWakeFd);
}

void TbsShellChangeThread::SetDirectoryOptions(const std::string& Directory, bool WatchSubTree,
                                               uint32_t NotifyOptionFlags, std::vector<std::string> skipFolders) {
    {
        std::lock_guard lock(FLock);
        FDirectory = Directory;
        FWatchSubTree = WatchSubTree;
        FNotifyOptionFlags = NotifyOptionFlags;
        FSkipFolders = std::move(skipFolders);
        FWaitChanged = true;
    }
    Wake();
}

void TbsShellChangeThread::Stop() {
    Terminate();
    Wake();
}

void TbsShellChangeThread::Wake() {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(FWakeFd, &one, sizeof one);
}

void TbsShellChangeThread::Execute() {
    while (!Terminated()) {
        ApplyOptions();
        pollfd fds[2] = {{FWakeFd, POLLIN, 0}, {FInotifyFd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents & POLLIN) {
            uint64_t count = 0;
            [[maybe_unused]] const ssize_t n = ::read(FWakeFd, &count, sizeof count);
        }
        if (FInotifyFd >= 0 && (fds[1].revents & POLLIN) && !Terminated())
            ReadEvents();
    }
}

void TbsShellChangeThread::ApplyOptions() {
    std::string directory;
    {
        std::lock_guard lock(FLock);
        if (!FWaitChanged)
            return;
        FWaitChanged = false;
        directory = FDirectory;
        FRecursive = FWatchSubTree;
        FFlags = FNotifyOptionFlags;
        FSkip = FSkipFolders;
    }
    // A fresh descriptor drops every old watch and every event not read yet.
    if (FInotifyFd >= 0)
        ::close(FInotifyFd);
    FWatches.clear();
    FWatchCount = 0;
    FRootWd = -1;
    FInotifyFd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    struct stat st{};
    // A folder that cannot be watched leaves the worker quiet until new options come.
    if (FInotifyFd >= 0 && !directory.empty() && ::stat(directory.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        FDevice = st.st_dev;
        AddWatches(directory, FRecursive);
    }
    ++FOptionsApplied;
}

// Watches folder and, when recursive, every folder below it on the same file
// system, leaving out links and the folders to skip. Stops early when the
// worker is to end or new options wait, and when the system has no watches left.
void TbsShellChangeThread::AddWatches(const std::string& folder, bool recursive) {
    const uint32_t mask = InotifyMask(FFlags, recursive) | IN_ONLYDIR;
    std::vector<std::string> pending{folder};
    bool first = FWatches.empty();  // the root may be a link; nothing below it is followed
    while (!pending.empty() && !Terminated()) {
        const std::string path = std::move(pending.back());
        pending.pop_back();
        const int wd = ::inotify_add_watch(FInotifyFd, path.c_str(), first ? mask : mask | IN_DONT_FOLLOW);
        first = false;
        if (wd < 0) {
            if (errno == ENOSPC)
                return;
            continue;
        }
        if (FWatches.empty())
            FRootWd = wd;
        FWatches[wd] = path;
        FWatchCount = FWatches.size();
        if (!recursive)
            continue;
        {
            std::lock_guard lock(FLock);
            if (FWaitChanged)
                return;
        }
        std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.c_str()), ::closedir);
        if (!dir)
            continue;
        while (dirent* e = ::readdir(dir.get())) {
            const std::string name = e->d_name;
            if (name == "." || name == ".." || (e->d_type != DT_DIR && e->d_type != DT_UNKNOWN))
                continue;
            const std::string child = path == "/" ? "/" + name : path + "/" + name;
            bool skip = false;
            for (const auto& s : FSkip)
                skip = skip || IsInOrBelow(child, s);
            struct stat st{};
            if (skip || ::lstat(child.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_dev != FDevice)
                continue;
            pending.push_back(child);
        }
    }
}

void TbsShellChangeThread::ReadEvents() {
    alignas(inotify_event) char buffer[16384];
    bool changed = false;
    for (;;) {
        const ssize_t n = ::read(FInotifyFd, buffer, sizeof buffer);
        if (n <= 0)
            break;  // EAGAIN: the batch is read
        for (ssize_t offset = 0; offset < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + e->len);
            if (e->mask & IN_IGNORED) {
                FWatches.erase(e->wd);
                FWatchCount = FWatches.size();
                continue;
            }
            const auto it = FWatches.find(e->wd);
            changed = Counts(*e, FFlags, e->wd == FRootWd) || changed;
            if (FRecursive && it != FWatches.end() && (e->mask & IN_ISDIR) && (e->mask & (IN_CREATE | IN_MOVED_TO)) &&
                e->len > 0) {
                const std::string& parent = it->second;
                AddWatches(parent == "/" ? "/" + std::string(e->name) : parent + "/" + e->name, true);
            }
        }
    }
    if (changed && !FPending.exchange(true)) {
        ForceQueue(this, [this] {
            FPending = false;
            FChangeEvent();
        });
    }
}

// ---- the component ----

TbsCustomShellChangeNotifier::TbsCustomShellChangeNotifier(TComponent* AOwner) : TComponent(AOwner) {
    StartWatching();
}

TbsCustomShellChangeNotifier::~TbsCustomShellChangeNotifier() {
    FDestroying = true;
    // Joins the worker; calls it posted are dropped with it, and one that runs
    // meanwhile sees FDestroying.
    FThread.reset();
}

void TbsCustomShellChangeNotifier::SetNotifyFilters(TNotifyFilters value) {
    FFilters = value;
    ApplyThreadOptions();
}

void TbsCustomShellChangeNotifier::SetRoot(const TRoot& value) {
    // Paths differ by case here, so the comparison is exact.
    if (value == FRoot)
        return;
    FRoot = value;
    ApplyThreadOptions();
}

void TbsCustomShellChangeNotifier::SetWatchSubTree(bool value) {
    FWatchSubTree = value;
    ApplyThreadOptions();
}

void TbsCustomShellChangeNotifier::SetOnChange(TThreadMethod value) {
    FOnChange = std::move(value);
    if (!FThread)
        StartWatching();
}

void TbsCustomShellChangeNotifier::StartWatching() {
    if (!FOnChange || FThread)
        return;
    FThread = std::make_unique<TbsShellChangeThread>([this] { Changed(); });
    ApplyThreadOptions();
    FThread->Start();
}

void TbsCustomShellChangeNotifier::ApplyThreadOptions() {
    if (!FThread)
        return;
    std::vector<std::string> networkMounts;
    for (const auto& m : ShellMounts())
        if (m.Kind == mkNetwork)
            networkMounts.push_back(m.MountPoint);
    FThread->SetDirectoryOptions(FRoot, FWatchSubTree, NotifyFiltersToFlags(FFilters), std::move(networkMounts));
}

void TbsCustomShellChangeNotifier::Changed() {
    if (FDestroying)
        return;
    // A copy: the handler may free this notifier (a reload makes a new one).
    const TThreadMethod handler = FOnChange;
    if (handler)
        handler();
}
