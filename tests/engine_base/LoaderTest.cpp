#include <gtest/gtest.h>

#include <dlfcn.h>

#include <fstream>

#include "engine/loader/EntryPoints.h"
#include "engine/loader/Loader.h"
#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"
#include "tests/media/TempFolder.h"

namespace {

// Stored by the fake library's row.
int (*FakePresent)() = nullptr;
void* FakeMissing = nullptr;

TLibraryItem FakeRow(TLibrary lib, std::vector<TEntryBinding> entries) {
    TLibraryItem row;
    row.Lib = lib;
    row.Name = "fakemedia";
    row.Version = 3;
    row.Entries = std::move(entries);
    return row;
}

const TEntryBinding FakePresentEntry{"fake_present", [](void* p) { FakePresent = reinterpret_cast<int (*)()>(p); }};
const TEntryBinding FakeMissingEntry{"fake_missing", [](void* p) { FakeMissing = p; }};

TLibraryTable TableWith(TLibrary lib, TLibraryItem row) {
    TLibraryTable table = DefaultLibraryTable();
    table[lib] = std::move(row);
    return table;
}

}  // namespace

TEST(Loader, NamesTheLibraryFilesOfTheSystem) {
    const std::pair<TLibrary, const char*> cases[] = {
        {avUtil, "libavutil.so.57"},     {swResample, "libswresample.so.4"}, {swScale, "libswscale.so.6"},
        {avCodec, "libavcodec.so.59"},   {avFormat, "libavformat.so.59"},    {avFilter, "libavfilter.so.8"},
        {avDevice, "libavdevice.so.59"}, {myUtil, "libc.so.6"},              {lbSDL, "libSDL2-2.0.so.0"},
    };
    for (const auto& [lib, name] : cases)
        EXPECT_EQ(GetLibraryFileName(DefaultLibraryTable()[lib]), name) << lib;
    TLibraryItem unversioned;
    unversioned.Name = "plain";
    EXPECT_EQ(GetLibraryFileName(unversioned), "libplain.so");
}

TEST(Loader, LoadsEverySetFromTheSystemPath) {
    testmedia::TTempFolder emptyFolder;
    TFFmpegLoader loader;
    loader.SetLibraryPath(emptyFolder.Path());
    for (TLibraries set : {ProbeLibraries, ConversionLibraries, PlayerLibraries}) {
        ASSERT_TRUE(loader.Load(set)) << loader.LastErrMsg();
        EXPECT_TRUE(loader.Loaded(set));
    }
    EXPECT_FALSE(loader.Loaded(avDevice));
    EXPECT_EQ(AVLib.avdevice_version, nullptr);
    EXPECT_EQ(loader.LastErrMsg(), "");
    ASSERT_NE(AVLib.avcodec_version, nullptr);
    EXPECT_EQ(int(AV_VERSION_MAJOR(AVLib.avcodec_version())), LIBAVCODEC_VERSION_MAJOR);
    ASSERT_NE(AVLib.snprintf, nullptr);
    char text[16];
    AVLib.snprintf(text, sizeof text, "%d", 42);
    EXPECT_STREQ(text, "42");
}

TEST(Loader, StartsWithTheFolderBesideTheProgram) {
    TFFmpegLoader loader;
    EXPECT_EQ(loader.LibraryPath().substr(loader.LibraryPath().size() - 6), "/LibAV");
    EXPECT_TRUE(loader.InstallLogger());
}

TEST(Loader, ReportsAFileFoundNowhereAndReleasesWhatItBound) {
    TLibraryItem missing = DefaultLibraryTable()[avCodec];
    missing.Name = "zarvo-nowhere";
    TFFmpegLoader loader(TableWith(avCodec, missing));
    loader.SetLibraryPath("/nonexistent/folder");
    EXPECT_FALSE(loader.Load(ProbeLibraries));
    EXPECT_EQ(loader.LastErrMsg().rfind("Load library /nonexistent/folder/libzarvo-nowhere.so.59 error: ", 0), 0u)
        << loader.LastErrMsg();
    EXPECT_NE(loader.LastErrMsg().find("libzarvo-nowhere.so.59: cannot open shared object file"), std::string::npos)
        << loader.LastErrMsg();
    EXPECT_FALSE(loader.Loaded(avUtil));
    EXPECT_FALSE(loader.Loaded(ProbeLibraries));
    EXPECT_EQ(AVLib.av_log, nullptr);
}

TEST(Loader, ReportsAMissingEntryPointAndUnbindsTheLibrary) {
    TFFmpegLoader loader(TableWith(avFilter, FakeRow(avFilter, {FakePresentEntry, FakeMissingEntry})));
    loader.SetLibraryPath(FAKE_MEDIA_LIBRARY_DIR);
    EXPECT_FALSE(loader.Load(ConversionLibraries));
    const std::string expected = "Load function fake_missing@libfakemedia.so.3 error: ";
    EXPECT_EQ(loader.LastErrMsg().rfind(expected, 0), 0u) << loader.LastErrMsg();
    EXPECT_NE(loader.LastErrMsg().find("undefined symbol: fake_missing"), std::string::npos) << loader.LastErrMsg();
    EXPECT_EQ(FakePresent, nullptr);
    EXPECT_FALSE(loader.Loaded(avFilter));
    EXPECT_FALSE(loader.Loaded(avCodec));  // bound by this call, released with it
}

TEST(Loader, TakesAFileFromTheFolderFirst) {
    TFFmpegLoader loader(TableWith(avFilter, FakeRow(avFilter, {FakePresentEntry})));
    loader.SetLibraryPath(FAKE_MEDIA_LIBRARY_DIR);
    ASSERT_TRUE(loader.Load(avFilter)) << loader.LastErrMsg();
    ASSERT_NE(FakePresent, nullptr);
    EXPECT_EQ(FakePresent(), 7);
    loader.Unload(avFilter);
    EXPECT_EQ(FakePresent, nullptr);
}

TEST(Loader, KeepsTheLastErrorAfterASuccess) {
    TLibraryItem missing = DefaultLibraryTable()[lbSDL];
    missing.Name = "zarvo-nowhere";
    TFFmpegLoader loader(TableWith(lbSDL, missing));
    EXPECT_FALSE(loader.Load(PlayerLibraries));
    const std::string failure = loader.LastErrMsg();
    EXPECT_NE(failure.find("libzarvo-nowhere.so.0"), std::string::npos) << failure;
    EXPECT_TRUE(loader.Load(ProbeLibraries));
    EXPECT_EQ(loader.LastErrMsg(), failure);
}

TEST(Loader, AFailedSetKeepsWhatAnotherSetHolds) {
    TLibraryItem missing = DefaultLibraryTable()[lbSDL];
    missing.Name = "zarvo-nowhere";
    TFFmpegLoader loader(TableWith(lbSDL, missing));
    ASSERT_TRUE(loader.Load(ProbeLibraries));
    EXPECT_FALSE(loader.Load(PlayerLibraries));
    EXPECT_TRUE(loader.Loaded(ProbeLibraries));
    EXPECT_NE(AVLib.avformat_open_input, nullptr);
    EXPECT_FALSE(loader.Loaded(swResample));  // bound only for the failed set
    EXPECT_FALSE(loader.Loaded(avFilter));
    EXPECT_FALSE(loader.Loaded(PlayerLibraries));
}

TEST(Loader, UnloadsALibraryOnlyWithItsLastUser) {
    TFFmpegLoader loader;
    ASSERT_TRUE(loader.Load(ProbeLibraries));
    ASSERT_TRUE(loader.Load(ConversionLibraries));
    EXPECT_EQ(loader.UseCount(avCodec), 2);
    loader.Unload(ConversionLibraries);
    EXPECT_TRUE(loader.Loaded(ProbeLibraries));
    EXPECT_FALSE(loader.Loaded(avFilter));
    EXPECT_NE(AVLib.avcodec_open2, nullptr);
    loader.Unload(ProbeLibraries);
    EXPECT_FALSE(loader.Loaded(avCodec));
    EXPECT_EQ(AVLib.avcodec_open2, nullptr);
    ASSERT_TRUE(loader.Load(ProbeLibraries));  // binds again after a full unload
    EXPECT_NE(AVLib.avcodec_open2, nullptr);
}

TEST(Loader, RefusesALibraryOfAnotherMajorVersion) {
    TLibraryItem newer = DefaultLibraryTable()[avUtil];
    newer.HeaderMajor = LIBAVUTIL_VERSION_MAJOR + 1;
    TFFmpegLoader loader(TableWith(avUtil, newer));
    EXPECT_FALSE(loader.Load(avUtil));
    EXPECT_EQ(loader.LastErrMsg(), Format("Load library libavutil.so.%d error: major version %d found, %d expected",
                                          LIBAVUTIL_VERSION_MAJOR, LIBAVUTIL_VERSION_MAJOR,
                                          LIBAVUTIL_VERSION_MAJOR + 1));
    EXPECT_FALSE(loader.Loaded(avUtil));
}

TEST(Loader, RefusesAnEmptySet) {
    TFFmpegLoader loader;
    EXPECT_THROW(loader.Load(TLibraries{}), EAssertionFailed);
    EXPECT_THROW(loader.Loaded(TLibraries{}), EAssertionFailed);
    EXPECT_THROW(loader.Unload(TLibraries{}), EAssertionFailed);
}

// The platform layer's sounds link SDL2 from the system: a copy of it in the
// library folder must not be loaded beside that one.
TEST(Loader, BindsTheSystemsSDLEvenWithACopyInTheFolder) {
    TFFmpegLoader loader;
    const std::string name = GetLibraryFileName(loader.Item(lbSDL));
    void* system = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);  // the copy the platform layer links
    ASSERT_NE(system, nullptr) << dlerror();
    void* own = dlsym(system, "SDL_GetVersion");
    Dl_info info{};
    ASSERT_NE(dladdr(own, &info), 0);
    testmedia::TTempFolder folder;
    std::ifstream in(info.dli_fname, std::ios::binary);
    std::ofstream(folder.File(name), std::ios::binary) << in.rdbuf();
    loader.SetLibraryPath(folder.Path());
    ASSERT_TRUE(loader.Load(lbSDL)) << loader.LastErrMsg();
    EXPECT_EQ(reinterpret_cast<void*>(AVLib.SDL_GetVersion), own);
    loader.Unload(lbSDL);
}
