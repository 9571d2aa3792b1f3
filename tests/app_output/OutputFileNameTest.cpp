// How the output settings dialog names output files.
#include <gtest/gtest.h>

#include <set>

#include "app/output/OutputFileName.h"

namespace {

TEST(OutputFileName, TakesTheSourcesNameWithThePresetsExtension)
{
    struct TCase {
        const char *Folder, *Source, *Extension, *Name;
    };
    const TCase cases[] = {
        {"out", "/media/v/clip.mkv", ".avi", "out/clip.avi"},
        {"out/", "/media/v/clip.mkv", ".avi", "out/clip.avi"},
        {"out", "/media/v/a.b.mkv", ".avi", "out/a.b.avi"},
        {"out", "/media/v/clip", ".avi", "out/clip.avi"},
        {"out", "/media/v.dir/clip", ".mp3", "out/clip.mp3"},
        {"out", "/media/v/.hidden", ".avi", "out/.hidden.avi"},
        {"", "clip.mkv", ".avi", "clip.avi"},
        {"out", "", ".avi", ""},
        {"out", "/media/v/", ".avi", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OutputFileNameFor(c.Folder, c.Source, c.Extension), c.Name) << c.Folder << " " << c.Source;
}

TEST(OutputFileName, NumbersBeforeTheExtension)
{
    TOutputNameRules rules;
    std::set<std::string> files = {"out/a.b.avi", "out/a.b_1.avi", "out/noext", "out/.avi"};
    rules.FileExists = [&](const std::string& name) { return files.count(name) > 0; };
    EXPECT_EQ(UniqueOutputFileName("out", "/else/a.b.avi", rules), "out/a.b_2.avi");
    EXPECT_EQ(UniqueOutputFileName("out", "noext", rules), "out/noext_1");
    EXPECT_EQ(UniqueOutputFileName("out", ".avi", rules), "out/.avi_1") << "a leading dot is no extension";
    EXPECT_EQ(UniqueOutputFileName("out", "", rules), "");
}

} // namespace
