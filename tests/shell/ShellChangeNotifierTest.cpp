#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>

#include "ShellFixture.h"
#include "platform/core/Thread.h"
#include "platform/shell/ShellChangeNotifier.h"

namespace {

using namespace std::chrono_literals;

// Runs the main thread's queued calls until done() holds or the time is up.
// Each turn waits for a call, so real time passes while the worker works.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        TThread::CheckSynchronize(10);
    }
    return true;
}

// Runs queued calls for a while: time for a call that should not come.
void PumpFor(std::chrono::milliseconds span) {
    PumpUntil([] { return false; }, span);
}

class TNotifierTest : public TShellFixture {
protected:
    // A notifier on folder with its handler counting main-thread calls; waits
    // until the worker has its watches.
    std::unique_ptr<TbsShellChangeNotifier> Watch(const std::string& folder, bool subTree) {
        auto n = std::make_unique<TbsShellChangeNotifier>(nullptr);
        n->SetWatchSubTree(subTree);
        n->SetRoot(folder);
        n->SetOnChange([this] {
            ++Calls;
            OnMainThread = OnMainThread && IsMainThread();
        });
        EXPECT_TRUE(PumpUntil([&] { return n->Thread()->OptionsApplied() > 0; }));
        return n;
    }
    // Waits for the worker to take up options set after `before` applications.
    static void Applied(TbsShellChangeNotifier& n, int before) {
        EXPECT_TRUE(PumpUntil([&] { return n.Thread()->OptionsApplied() > before; }));
    }

    int Calls = 0;
    bool OnMainThread = true;
};

} // namespace

TEST_F(TNotifierTest, StartsNoThreadWithoutHandler) {
    TbsShellChangeNotifier n(nullptr);
    EXPECT_FALSE(n.Watching());
    EXPECT_EQ(n.Root(), "/");
    EXPECT_TRUE(n.WatchSubTree());
    EXPECT_EQ(n.NotifyFilters(), (TNotifyFilters{nfFileNameChange, nfDirNameChange}));
    n.SetRoot(Home);
    n.SetWatchSubTree(false);
    EXPECT_FALSE(n.Watching());
    n.SetOnChange([] {});
    EXPECT_TRUE(n.Watching());
    EXPECT_EQ(NotifyFiltersToFlags({nfFileNameChange, nfDirNameChange, nfAttributeChange, nfSizeChange,
                                    nfWriteChange, nfSecurityChange}),
              0x11Fu);
}

TEST_F(TNotifierTest, NewFileGivesExactlyOneMainThreadCall) {
    auto n = Watch(Home, false);
    EXPECT_EQ(n->Thread()->WatchCount(), 1u);
    WriteFile(Home + "/new.mp4", "data");
    EXPECT_TRUE(PumpUntil([&] { return Calls >= 1; }));
    PumpFor(300ms);
    EXPECT_EQ(Calls, 1);
    EXPECT_TRUE(OnMainThread);
}

TEST_F(TNotifierTest, RenameIsReported) {
    auto n = Watch(Home, false);
    ASSERT_EQ(std::rename((Home + "/a.txt").c_str(), (Home + "/b.txt").c_str()), 0);
    EXPECT_TRUE(PumpUntil([&] { return Calls >= 1; }));
}

TEST_F(TNotifierTest, SubFoldersOnlyWithWatchSubTree) {
    auto n = Watch(Home, false);
    WriteFile(Home + "/b folder/x.txt", "");
    PumpFor(300ms);
    EXPECT_EQ(Calls, 0);

    const int before = n->Thread()->OptionsApplied();
    n->SetWatchSubTree(true);
    Applied(*n, before);
    EXPECT_GT(n->Thread()->WatchCount(), 3u);
    WriteFile(Home + "/b folder/inner/y.txt", "");
    EXPECT_TRUE(PumpUntil([&] { return Calls >= 1; }));

    // A folder made now is watched as well, from before its call is posted.
    const size_t watches = n->Thread()->WatchCount();
    std::filesystem::create_directory(Home + "/fresh");
    EXPECT_TRUE(PumpUntil([&] { return Calls >= 2; }));
    EXPECT_EQ(n->Thread()->WatchCount(), watches + 1);
    const int calls = Calls;
    WriteFile(Home + "/fresh/z.txt", "");
    EXPECT_TRUE(PumpUntil([&] { return Calls > calls; }));
}

TEST_F(TNotifierTest, ChangedRootKeepsReporting) {
    auto n = Watch(Home, false);
    const int before = n->Thread()->OptionsApplied();
    n->SetRoot(Usb);
    Applied(*n, before);
    WriteFile(Home + "/old-root.txt", "");
    PumpFor(300ms);
    EXPECT_EQ(Calls, 0);
    WriteFile(Usb + "/new-root.txt", "");
    EXPECT_TRUE(PumpUntil([&] { return Calls == 1; }));

    // Other filters: a write now counts, a new name no longer does.
    const int applied = n->Thread()->OptionsApplied();
    n->SetNotifyFilters({nfWriteChange});
    Applied(*n, applied);
    WriteFile(Usb + "/photo.jpg", "changed");
    EXPECT_TRUE(PumpUntil([&] { return Calls >= 2; }));
}

TEST_F(TNotifierTest, MissingRootIsSilentUntilARealOne) {
    auto n = Watch(Tmp + "/none", false);
    EXPECT_EQ(n->Thread()->WatchCount(), 0u);
    std::filesystem::create_directory(Tmp + "/none");
    WriteFile(Tmp + "/none/f", "");
    PumpFor(200ms);
    EXPECT_EQ(Calls, 0);
    const int before = n->Thread()->OptionsApplied();
    n->SetRoot(Home);
    Applied(*n, before);
    WriteFile(Home + "/f", "");
    EXPECT_TRUE(PumpUntil([&] { return Calls == 1; }));
}

TEST_F(TNotifierTest, NoCallAfterDestruction) {
    auto n = Watch(Home, false);
    WriteFile(Home + "/late.txt", "");
    // The worker posts its call meanwhile; the main thread does not run it.
    std::this_thread::sleep_for(300ms);
    n.reset();
    PumpFor(300ms);
    EXPECT_EQ(Calls, 0);
}

TEST_F(TNotifierTest, HandlerMayFreeItsNotifier) {
    auto* n = new TbsShellChangeNotifier(nullptr);
    n->SetWatchSubTree(false);
    n->SetRoot(Home);
    bool freed = false;
    n->SetOnChange([&] {
        delete n;  // as a list does when it reloads and makes a new notifier
        freed = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return n->Thread()->OptionsApplied() > 0; }));
    WriteFile(Home + "/x.txt", "");
    EXPECT_TRUE(PumpUntil([&] { return freed; }));
}
