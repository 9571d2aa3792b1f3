// The user's files through the job list and the real converter: an output
// never reaches an input (by its name, a link or the folder switched before
// the start), an existing file is left alone until a conversion replaces it
// on purpose, write errors fail the job with the system's reason, and every
// row says how its job ended.
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <tuple>

#include "tests/app_jobs/JobTestSupport.h"

extern char** environ;

namespace {

using namespace jobtest;

std::string Contents(const std::string& APath) {
    std::ifstream in(APath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool StartsWith(const std::string& AText, const std::string& APrefix) {
    return AText.compare(0, APrefix.size(), APrefix) == 0;
}

class JobFileSafetyTest : public JobControlTest {
protected:
    // A clip under any name: the probe goes by the contents, so "x.mpg" may hold MP4.
    void MakeClip(const std::string& APath, int AFrames = 10, int AWidth = 64, int AHeight = 48) {
        const std::string made = APath + ".made.mp4";
        WriteClip(made, AFrames, AWidth, AHeight);
        std::filesystem::rename(made, APath);
    }
    void Add(const std::vector<std::string>& AFiles) {
        std::vector<std::string> chosen(AFiles.rbegin(), AFiles.rend());  // added last chosen first
        Dialogs.Answers.push_back(chosen);
        Control->AddFiles();
    }
    // Every file the test made before, byte for byte, as it was.
    void Remember(const std::vector<std::string>& AFiles) {
        for (const std::string& file : AFiles)
            Kept[file] = Contents(file);
    }
    // Clips under these names, remembered as they are and added.
    void AddClips(const std::vector<std::string>& AFiles) {
        for (const std::string& file : AFiles)
            MakeClip(file);
        Remember(AFiles);
        Add(AFiles);
    }
    void ExpectKept(const std::string& ACase) {
        for (const auto& [file, bytes] : Kept) {
            EXPECT_TRUE(std::filesystem::exists(file)) << ACase << ": " << file;
            EXPECT_TRUE(Contents(file) == bytes) << ACase << ": " << file << " was changed";
        }
    }
    std::string Shown() const {
        std::string text;
        for (const TShownMessage& m : Messages.Shown)
            text += m.Text + "\n";
        return text;
    }
    std::map<std::string, std::string> Kept;
};

// Each case builds its files, adds, may change the settings, starts and
// converts; no input and no file that was there before is changed, and each
// row got an output of its own.
TEST_F(JobFileSafetyTest, AnOutputNeverReachesAnInput) {
    struct TCase {
        const char* Name;
        bool Overwrite;
        std::function<void()> Build;     // makes the files, adds them
        std::function<void()> BeforeStart;
        std::vector<std::string> Outputs;                   // the rows' output names after the start
    };
    auto intoInputFolder = [this] { Options.OutputFolder = InFolder.Path(); };
    auto sameInInputFolder = [&] {
        intoInputFolder();
        AddClips({In("same.mpg")});
    };
    const TCase cases[] = {
        {"output = input, overwrite on", true, sameInInputFolder, nullptr, {"same_1.mpg"}},
        {"output = input, overwrite off", false, sameInInputFolder, nullptr, {"same_1.mpg"}},
        {"output folder switched to the input's before the start", true,
         [&] {
             AddClips({In("same.mpg")});
             EXPECT_EQ(Cell(0, 3), "same.mpg");
         },
         intoInputFolder, {"same_1.mpg"}},
        {"a symbolic link to the input as output", true,
         [&] {
             MakeClip(In("same.mpg"));
             std::filesystem::create_symlink(In("same.mpg"), OutFolder.File("same.mpg"));
             Remember({In("same.mpg")});
             Add({In("same.mpg")});
         },
         nullptr, {"same_1.mpg"}},
        {"a hard link to the input as output", true,
         [&] {
             MakeClip(In("same.mpg"));
             std::filesystem::create_hard_link(In("same.mpg"), OutFolder.File("same.mpg"));
             Remember({In("same.mpg"), OutFolder.File("same.mpg")});
             Add({In("same.mpg")});
         },
         nullptr, {"same_1.mpg"}},
        {"the input of row 1 as the output name of row 2", true,
         [&] {
             intoInputFolder();
             AddClips({In("b.mpg"), In("b.mp4")});
         },
         nullptr, {"b_1.mpg", "b_2.mpg"}},
        {"the input of row 1 as the output of row 2 once the folder is switched", true,
         [&] { AddClips({In("b.mpg"), In("b.mp4")}); },
         // Named "b.mpg" and "b_1.mpg" at the add; at the start both are taken.
         intoInputFolder, {"b_1.mpg", "b_1_1.mpg"}},
    };
    for (const TCase& c : cases) {
        Control->Clear();
        Messages.Shown.clear();
        Kept.clear();
        std::filesystem::remove_all(InFolder.Path());
        std::filesystem::remove_all(OutFolder.Path());
        std::filesystem::create_directories(InFolder.Path());
        std::filesystem::create_directories(OutFolder.Path());
        Options.OutputFolder = OutFolder.Path();
        Options.Overwrite = c.Overwrite;
        c.Build();
        ASSERT_EQ(Rows(), int(c.Outputs.size())) << c.Name << "\n" << Shown();
        ExpectKept(std::string(c.Name) + ", after the add");
        if (c.BeforeStart)
            c.BeforeStart();
        ASSERT_TRUE(Control->Start()) << c.Name << "\n" << Shown();
        ASSERT_TRUE(WaitDone()) << c.Name;
        ExpectKept(std::string(c.Name) + ", after the conversion");
        for (int i = 0; i < Rows(); ++i) {
            EXPECT_EQ(Cell(i, 3), c.Outputs[size_t(i)]) << c.Name << " row " << i;
            EXPECT_EQ(Cell(i, 4), "100%") << c.Name << " row " << i << "\n" << Shown();
            EXPECT_GT(FileSizeByName(IncludeTrailingPathDelimiter(Options.OutputFolder) + Cell(i, 3)), 0)
                << c.Name << " row " << i;
        }
        EXPECT_TRUE(Messages.Shown.empty()) << c.Name << "\n" << Shown();
    }
}

// With overwrite on, a file of the output's name keeps its name, but adding
// and removing the row leaves it as it was: only the conversion replaces it.
TEST_F(JobFileSafetyTest, AnExistingOutputSurvivesAddAndRemove) {
    Options.Overwrite = true;
    MakeClip(In("clip.mp4"));
    const std::string existing = OutFolder.File("clip.mpg");
    std::ofstream(existing) << "the user's own clip.mpg";
    Remember({In("clip.mp4"), existing});
    Add({In("clip.mp4")});
    ASSERT_EQ(Rows(), 1) << Shown();
    EXPECT_EQ(Cell(0, 3), "clip.mpg");
    ExpectKept("after the add");
    Control->SelectRow(0);
    Control->Remove();
    EXPECT_EQ(Rows(), 0);
    ExpectKept("after the remove");
    // Added again and converted: now it is replaced, on purpose.
    Add({In("clip.mp4")});
    ASSERT_TRUE(Control->Start());
    ASSERT_TRUE(WaitDone());
    EXPECT_EQ(Cell(0, 4), "100%") << Shown();
    EXPECT_NE(Contents(existing), "the user's own clip.mpg");
    EXPECT_EQ(Contents(In("clip.mp4")), Kept[In("clip.mp4")]);
}

// With overwrite off, a file made under a row's output name after the start,
// before that row's job begins, is left alone: the job fails instead.
TEST_F(JobFileSafetyTest, AFileMadeAfterTheStartIsNotWrittenOver) {
    Options.Overwrite = false;
    Options.ThreadCount = "1";
    MakeClip(In("first.mp4"), 250, 640, 480);
    MakeClip(In("second.mp4"));
    Add({In("first.mp4"), In("second.mp4")});
    ASSERT_TRUE(Control->Start());
    ASSERT_TRUE(WaitUntil([&] { return !Cell(0, 4).empty(); }));
    Control->Pause();
    ASSERT_EQ(Cell(1, 4), "") << "the second job has not begun";
    const std::string made = OutFolder.File(Cell(1, 3));
    std::ofstream(made) << "made meanwhile";
    Control->Resume();
    ASSERT_TRUE(WaitDone());
    EXPECT_EQ(Cell(0, 4), "100%");
    EXPECT_EQ(Cell(1, 4), "失败");
    EXPECT_EQ(Contents(made), "made meanwhile");
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_NE(Messages.Shown[0].Text.find(made + ": File exists"), std::string::npos) << Messages.Shown[0].Text;
}

// Every file an add refuses is named with the system's reason in one message,
// and the other files are added.
TEST_F(JobFileSafetyTest, RefusalsOfOneAddShareOneMessage) {
    MakeClip(In("good.mp4"));
    MakeClip(In("locked.mp4"));
    std::ofstream(In("text.mp4")) << "no media";
    chmod(In("locked.mp4").c_str(), 0);
    const bool rootReads = access(In("locked.mp4").c_str(), R_OK) == 0;  // root reads anyway
    Add({In("good.mp4"), In("locked.mp4"), In("text.mp4")});
    chmod(In("locked.mp4").c_str(), 0644);
    EXPECT_EQ(Rows(), rootReads ? 2 : 1);
    ASSERT_EQ(Messages.Shown.size(), 1u) << Shown();
    const std::string text = Messages.Shown[0].Text;
    EXPECT_TRUE(StartsWith(text, "以下文件无法添加：\n")) << text;
    EXPECT_NE(text.find(In("text.mp4") + " ("), std::string::npos) << text;
    if (!rootReads)
        EXPECT_NE(text.find(In("locked.mp4") + " (Permission denied)"), std::string::npos) << text;
    EXPECT_EQ(text.find("Error number"), std::string::npos) << text;

    // An output folder that is a plain file takes nothing: every file is named, with the reason.
    Messages.Shown.clear();
    const std::string notFolder = OutFolder.File("plain");
    std::ofstream(notFolder) << "x";
    Options.OutputFolder = notFolder;
    MakeClip(In("more.mp4"));
    Add({In("more.mp4"), In("good.mp4")});
    ASSERT_EQ(Messages.Shown.size(), 1u) << Shown();
    EXPECT_NE(Messages.Shown[0].Text.find(In("more.mp4") + " ("), std::string::npos) << Messages.Shown[0].Text;
    EXPECT_NE(Messages.Shown[0].Text.find("Not a directory"), std::string::npos) << Messages.Shown[0].Text;
    EXPECT_EQ(Contents(notFolder), "x");
}

// An output folder that takes no file refuses every file of the add, each
// named with the system's reason: a read-only mount where mounting works, a
// folder without write permission where the test does not run as root.
TEST_F(JobFileSafetyTest, AReadOnlyOutputFolderIsNamedWithTheSystemsReason) {
    MakeClip(In("one.mp4"));
    MakeClip(In("two.mp4"));
    const std::string folder = OutFolder.File("locked");
    std::filesystem::create_directory(folder);
    std::string reason;
    bool mounted = false;
    if (mount("tmpfs", folder.c_str(), "tmpfs", MS_RDONLY, "size=64k") == 0) {
        mounted = true;
        reason = "Read-only file system";
    } else {
        chmod(folder.c_str(), 0555);
        if (access(folder.c_str(), W_OK) == 0)
            GTEST_SKIP() << "neither a read-only mount nor a folder without write permission here";
        reason = "Permission denied";
    }
    Options.OutputFolder = folder;
    Add({In("one.mp4"), In("two.mp4")});
    if (mounted)
        umount2(folder.c_str(), MNT_DETACH);
    chmod(folder.c_str(), 0755);
    EXPECT_EQ(Rows(), 0);
    ASSERT_EQ(Messages.Shown.size(), 1u) << Shown();
    const std::string text = Messages.Shown[0].Text;
    for (const char* name : {"one", "two"})
        EXPECT_NE(text.find(In(std::string(name) + ".mp4") + " (" + folder + "/" + name + ".mpg: " + reason + ")"),
                  std::string::npos)
            << text;
    EXPECT_EQ(text.find("Error number"), std::string::npos) << text;
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

// A failed row shows "失败" and its warning names the file; a stopped row
// shows how far it got; a finished row "100%". The texts stay until the next start.
TEST_F(JobFileSafetyTest, EveryRowSaysHowItsJobEnded) {
    MakeClip(In("a.mp4"));
    MakeClip(In("b.mp4"));
    Add({In("a.mp4"), In("b.mp4")});
    ASSERT_EQ(Rows(), 2);
    // The encoder refuses the size as the conversion opens it.
    Control->List().Row(1).SetSubItem(JobColumnVideoCodec, "h263");
    Control->List().Row(1).SetSubItem(JobColumnFrameSize, "100*100");
    ASSERT_TRUE(Control->Start());
    ASSERT_TRUE(WaitDone());
    EXPECT_EQ(Cell(0, 4), "100%");
    EXPECT_EQ(Cell(1, 4), "失败");
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_TRUE(StartsWith(Messages.Shown[0].Text, "转换失败：" + In("b.mp4") + "\n输出文件：" + OutFolder.File("b.mpg")))
        << Messages.Shown[0].Text;
    EXPECT_FALSE(std::filesystem::exists(OutFolder.File("b.mpg"))) << "the failed job created it and left nothing of use";

    // A stop while a job is held paused after its first progress: it did not finish.
    Control->Clear();
    Messages.Shown.clear();
    MakeClip(In("long.mp4"), 250, 640, 480);
    Add({In("long.mp4"), In("a.mp4")});
    ASSERT_TRUE(Control->Start());
    ASSERT_TRUE(WaitUntil([&] { return !Cell(0, 4).empty(); }));
    Control->Pause();
    const std::string reached = Cell(0, 4);
    Control->Stop();
    ASSERT_TRUE(WaitDone());
    EXPECT_TRUE(StartsWith(Cell(0, 4), "已停止 ")) << Cell(0, 4);
    EXPECT_EQ(Cell(0, 4).back(), '%') << Cell(0, 4);
    EXPECT_EQ(Cell(1, 4), "") << "a job that never started";
    EXPECT_TRUE(Messages.Shown.empty()) << Shown();
    (void)reached;
}

// ---- write errors ----

// The name of a row's output, as the warning gives it.
class JobWriteErrorTest : public JobFileSafetyTest {
protected:
    // Adds the clip, converts, and checks that the row failed with the reason.
    void ExpectFailedWith(const std::string& AInput, const std::string& AOutput, const std::string& AReason) {
        ASSERT_EQ(Rows(), 1) << Shown();
        ASSERT_TRUE(Control->Start()) << Shown();
        ASSERT_TRUE(WaitDone());
        EXPECT_EQ(Cell(0, 4), "失败");
        ASSERT_EQ(Messages.Shown.size(), 1u);
        const std::string text = Messages.Shown[0].Text;
        EXPECT_NE(text.find(AInput), std::string::npos) << text;
        EXPECT_NE(text.find(AOutput + ": " + AReason), std::string::npos) << text;
    }
};

// A full device: the output name is a link to /dev/full, replaced with overwrite
// on. A long clip fails while its packets are written; a short one fits the
// write buffer, so only its trailer and the close meet the full device.
TEST_F(JobWriteErrorTest, AFullDeviceFailsTheJob) {
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    Options.Overwrite = true;
    std::filesystem::create_symlink("/dev/full", OutFolder.File("full.mpg"));
    for (const auto& [frames, width, height] : {std::tuple{25, 320, 240}, std::tuple{1, 64, 48}}) {
        SCOPED_TRACE(std::to_string(frames) + " frames");
        Control->Clear();
        Messages.Shown.clear();
        MakeClip(In("full.mp4"), frames, width, height);
        Add({In("full.mp4")});
        EXPECT_EQ(Cell(0, 3), "full.mpg");
        ExpectFailedWith(In("full.mp4"), OutFolder.File("full.mpg"), "No space left on device");
    }
}

// A file system that fills up during the conversion; only where mounting works.
TEST_F(JobWriteErrorTest, AFileSystemThatFillsUpFailsTheJob) {
    const std::string small = OutFolder.File("small");
    std::filesystem::create_directory(small);
    if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "mounting is not allowed here";
    struct TUnmount {
        std::string Path;
        ~TUnmount() { umount2(Path.c_str(), MNT_DETACH); }
    } unmount{small};
    Options.OutputFolder = small;
    MakeClip(In("big.mp4"), 100, 320, 240);
    Add({In("big.mp4")});
    ExpectFailedWith(In("big.mp4"), small + "/big.mpg", "No space left on device");
}

// The process's file size limit, in a child process that runs the case below.
TEST_F(JobWriteErrorTest, AFileSizeLimitFailsTheJob) {
#if defined(__SANITIZE_THREAD__)
    // The thread sanitizer's runtime itself dies at start under a 64 KB limit
    // (bus error before main), so the child could never run the case.
    GTEST_SKIP() << "the thread sanitizer cannot start under a file size limit";
#endif
    MakeClip(In("limited.mp4"), 100, 320, 240);
    // Everything the child needs is made before the fork: between fork and
    // exec a child of a threaded process may only make plain system calls.
    std::vector<std::string> texts = {"ZARVO_LIMITED_INPUT=" + In("limited.mp4"),
                                      "ZARVO_LIMITED_OUTPUT=" + OutFolder.Path()};
    for (char** e = environ; *e; ++e)
        texts.push_back(*e);
    std::vector<char*> env;
    for (std::string& text : texts)
        env.push_back(text.data());
    env.push_back(nullptr);
    std::string arg0 = "/proc/self/exe", arg1 = "--gtest_also_run_disabled_tests",
                arg2 = "--gtest_filter=JobWriteErrorTest.DISABLED_UnderAFileSizeLimit";
    char* argv[] = {arg0.data(), arg1.data(), arg2.data(), nullptr};
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    limit.rlim_cur = 64 * 1024;  // the hard limit stays as it is
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead of the process ending
        execve(argv[0], argv, env.data());
        _exit(127);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the case under the limit failed (its output is above)";
}

TEST_F(JobWriteErrorTest, DISABLED_UnderAFileSizeLimit) {
    const char* input = getenv("ZARVO_LIMITED_INPUT");
    const char* output = getenv("ZARVO_LIMITED_OUTPUT");
    ASSERT_TRUE(input && output);
    Options.OutputFolder = output;
    Add({input});
    ExpectFailedWith(input, std::string(output) + "/limited.mpg", "File too large");
}

} // namespace
