// The built-in pictures: every name the program asks for is there with its
// size, is drawn (not blank) and carries the transparency its users expect.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "resources/pictures/ResourcePictures.h"

namespace {

struct TExpected {
    std::string Name;
    int Width, Height;
    TResTransparency Transparency;
};

std::vector<TExpected> NamedBitmaps()
{
    std::vector<TExpected> out = {
        {"Image1", 64, 64, rtAlpha},
        {"BS_HTB", 18, 17, rtKeyed},          {"BS_HRL", 10, 8, rtKeyed},
        {"BS_VTB", 38, 9, rtKeyed},           {"BS_VRL", 8, 10, rtKeyed},
        {"BS_FLOPPY", 16, 16, rtKeyed},       {"BS_HARD", 16, 16, rtKeyed},
        {"BS_NETWORK", 16, 16, rtKeyed},      {"BS_CDROM", 16, 16, rtKeyed},
        {"BS_RAM", 16, 11, rtKeyed},          {"BS_CLOSEDFOLDER", 16, 15, rtKeyed},
        {"BS_OPENFOLDER", 16, 15, rtKeyed},   {"BS_CURRENTFOLDER", 16, 15, rtKeyed},
        {"BS_NEWFOLDER", 16, 16, rtKeyed},    {"BS_BACK", 16, 16, rtKeyed},
        {"BS_UP", 16, 16, rtKeyed},           {"BS_LVSTYLE", 16, 16, rtKeyed},
        {"BS_STRETCH", 16, 16, rtKeyed},
    };
    // The tool bar's glyphs are 32 pixels, the list panel's 16.
    for (int i = 4; i <= 17; ++i)
        out.push_back({"Image" + std::to_string(i), i <= 11 ? 32 : 16, i <= 11 ? 32 : 16, rtKeyed});
    for (const char* name : {"PLAYER_PLAY", "PLAYER_PAUSE", "PLAYER_STOP", "PLAYER_SOUND", "PLAYER_MUTE"})
        out.push_back({name, 16, 16, rtKeyed});
    for (const char* name : {"TOOL_ADD", "TOOL_OPTIONS"})
        out.push_back({name, 32, 32, rtKeyed});
    for (int size : {16, 32, 48})
        out.push_back({"MAINICON_" + std::to_string(size), size, size, rtAlpha});
    return out;
}

const char* const ShellIcons[] = {"SHELL_FOLDER", "SHELL_FOLDER_OPEN", "SHELL_HOME", "SHELL_DESKTOP",
                                  "SHELL_COMPUTER", "SHELL_DISK", "SHELL_REMOVABLE", "SHELL_OPTICAL",
                                  "SHELL_NETWORK", "SHELL_FILE", "SHELL_FILE_VIDEO", "SHELL_FILE_AUDIO",
                                  "SHELL_FILE_IMAGE", "SHELL_FILE_TEXT", "SHELL_FILE_ARCHIVE", "SHELL_FILE_PROGRAM"};

TColor PixelOf(const TBitmap& b, int x, int y) { return b.GetPixel(x, y) & 0xFFFFFF; }

uint8_t AlphaOf(const TBitmap& b, int x, int y) { return b.ScanLine(y)[x * 4 + 3]; }

// The colours a user sees: every pixel of a keyed picture but the key, every
// pixel of an alpha picture that is at least half covered.
std::set<TColor> VisibleColours(const TBitmap& b, TResTransparency t)
{
    std::set<TColor> out;
    const TColor key = PixelOf(b, 0, b.Height() - 1);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            if (t == rtKeyed && PixelOf(b, x, y) == key)
                continue;
            if (t == rtAlpha && AlphaOf(b, x, y) < 128)
                continue;
            out.insert(PixelOf(b, x, y));
        }
    return out;
}

// Checks size, that the picture is drawn and that its transparency is usable.
void ExpectPicture(const TBitmap& b, int w, int h, TResTransparency t, const std::string& what)
{
    SCOPED_TRACE(what);
    ASSERT_EQ(b.Width(), w);
    ASSERT_EQ(b.Height(), h);
    EXPECT_GT(VisibleColours(b, t).size(), 1u) << "blank picture";
    if (t == rtKeyed) {
        ASSERT_EQ(b.PixelFormat(), pf24bit);
        EXPECT_EQ(b.TransparentMode(), tmAuto);
        const TColor key = PixelOf(b, 0, h - 1);
        EXPECT_EQ(b.TransparentColor() & 0xFFFFFF, key);
        int holes = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                holes += PixelOf(b, x, y) == key ? 1 : 0;
        EXPECT_LT(holes, w * h) << "nothing but the key colour";
    } else if (t == rtAlpha) {
        ASSERT_EQ(b.PixelFormat(), pf32bit);
        EXPECT_EQ(b.AlphaFormat(), afDefined);
        int clear = 0, solid = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                clear += AlphaOf(b, x, y) == 0 ? 1 : 0;
                solid += AlphaOf(b, x, y) == 255 ? 1 : 0;
            }
        EXPECT_GT(clear, 0) << "no transparent pixel";
        EXPECT_GT(solid, 0) << "no opaque pixel";
    }
}

double MeanSaturation(const TBitmap& b)
{
    const TColor key = PixelOf(b, 0, b.Height() - 1);
    double sum = 0;
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = PixelOf(b, x, y);
            if (c == key)
                continue;
            const int hi = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
            const int lo = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
            sum += hi - lo;
            ++n;
        }
    return n ? sum / n : 0;
}

}  // namespace

TEST(ResourcePictures, NamedBitmapsLoadWithTheirSizeAndTransparency)
{
    for (const TExpected& e : NamedBitmaps()) {
        ExpectPicture(LoadResBitmap(e.Name), e.Width, e.Height, e.Transparency, e.Name);
        TBitmap found;
        EXPECT_TRUE(FindResBitmap(e.Name, found)) << e.Name;
    }
}

TEST(ResourcePictures, ListingMatchesWhatLoads)
{
    for (const TResPictureInfo& info : ResPictures()) {
        const TBitmap b = LoadResBitmap(info.Name);
        EXPECT_EQ(b.Width(), info.Width) << info.Name;
        EXPECT_EQ(b.Height(), info.Height) << info.Name;
    }
}

TEST(ResourcePictures, MessageBoxIconsLoadByNumber)
{
    for (int id : {IconHand, IconQuestion, IconExclamation, IconAsterisk}) {
        ExpectPicture(LoadResIcon(id), 32, 32, rtAlpha, "icon " + std::to_string(id));
        ExpectPicture(LoadResIcon(id, 16), 16, 16, rtAlpha, "small icon " + std::to_string(id));
    }
    // Four distinct pictures, not one picture four times.
    std::set<std::vector<uint8_t>> distinct;
    for (int id : {IconHand, IconQuestion, IconExclamation, IconAsterisk}) {
        const TBitmap b = LoadResIcon(id);
        distinct.insert(std::vector<uint8_t>(b.Bits(), b.Bits() + b.Stride() * b.Height()));
    }
    EXPECT_EQ(distinct.size(), 4u);
}

TEST(ResourcePictures, ShellIconsComeAtSixteenAndThirtyTwoPixels)
{
    for (const char* name : ShellIcons)
        for (int size : {16, 32}) {
            ExpectPicture(LoadResIcon(name, size), size, size, rtAlpha, name + std::string(" ") + std::to_string(size));
            // The suffixed name is the same picture.
            EXPECT_TRUE(ResBitmapExists(std::string(name) + "_" + std::to_string(size)));
        }
}

TEST(ResourcePictures, PictureListsHoldOnePicturePerCategoryCode)
{
    const std::pair<const char*, int> lists[] = {{"CATEGORIES", 48}, {"FORMATS", 32}};
    for (const auto& [name, size] : lists) {
        const std::vector<TBitmap> pictures = LoadResPictureList(name);
        ASSERT_EQ(pictures.size(), 35u) << name;
        std::set<std::vector<uint8_t>> distinct;
        for (size_t code = 0; code < pictures.size(); ++code) {
            ExpectPicture(pictures[code], size, size, rtAlpha, name + std::string(" ") + std::to_string(code));
            distinct.insert(std::vector<uint8_t>(pictures[code].Bits(),
                                                 pictures[code].Bits() + pictures[code].Stride() * size));
            // Picture index = category code.
            const TBitmap byName = LoadResIcon("CATEGORY_" + std::to_string(code), size);
            EXPECT_TRUE(std::equal(byName.Bits(), byName.Bits() + byName.Stride() * size, pictures[code].Bits()))
                << name << " " << code;
        }
        EXPECT_EQ(distinct.size(), 35u) << name << ": two categories share a picture";
    }
}

TEST(ResourcePictures, DisabledGlyphsAreFadedTwinsOfTheEnabledOnes)
{
    // Enabled, disabled (the pairs the main window swaps).
    const std::pair<int, int> pairs[] = {{5, 4}, {11, 10}, {7, 6}, {9, 8}, {15, 14}, {16, 17}, {13, 12}};
    for (const auto& [enabled, disabled] : pairs) {
        const TBitmap on = LoadResBitmap("Image" + std::to_string(enabled));
        const TBitmap off = LoadResBitmap("Image" + std::to_string(disabled));
        EXPECT_LT(MeanSaturation(off), MeanSaturation(on) / 2) << "Image" << disabled;
        // Same outline: the holes are the same pixels.
        for (int y = 0; y < on.Height(); ++y)
            for (int x = 0; x < on.Width(); ++x)
                EXPECT_EQ(PixelOf(on, x, y) == PixelOf(on, 0, on.Height() - 1),
                          PixelOf(off, x, y) == PixelOf(off, 0, off.Height() - 1))
                    << "Image" << disabled << " at " << x << "," << y;
    }
}

TEST(ResourcePictures, SliderBitmapsUseTheSixteenClassicColours)
{
    const std::set<TColor> classic = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                                      0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (const char* name : {"BS_HTB", "BS_HRL", "BS_VTB", "BS_VRL"}) {
        const TBitmap b = LoadResBitmap(name);
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                EXPECT_TRUE(classic.count(PixelOf(b, x, y))) << name << " at " << x << "," << y;
    }
    // Two thumb states side by side: the halves differ.
    for (const char* name : {"BS_HTB", "BS_VTB"}) {
        const TBitmap b = LoadResBitmap(name);
        const int half = b.Width() / 2;
        int differ = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < half; ++x)
                differ += PixelOf(b, x, y) != PixelOf(b, x + half, y) ? 1 : 0;
        EXPECT_GT(differ, 0) << name;
    }
}

TEST(ResourcePictures, NamesAreFoundWhateverTheirCase)
{
    EXPECT_EQ(LoadResBitmap("bs_back").Width(), 16);
    EXPECT_EQ(LoadResBitmap("IMAGE5").Width(), 32);
    EXPECT_EQ(LoadResPictureList("formats").size(), 35u);
}

TEST(ResourcePictures, UnknownNamesAnswerNotFound)
{
    TBitmap untouched(3, 2);
    EXPECT_FALSE(FindResBitmap("BS_NOSUCHGLYPH", untouched));
    EXPECT_EQ(untouched.Width(), 3);
    EXPECT_FALSE(ResBitmapExists(""));
    for (const char* name : {"BS_NOSUCHGLYPH", "", "Image2", "Image18", "SHELL_FOLDER"}) {
        try {
            LoadResBitmap(name);
            ADD_FAILURE() << "'" << name << "' was found";
        } catch (const EResNotFound& e) {
            EXPECT_NE(std::string(e.what()).find("not found"), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(LoadResIcon(32512), EResNotFound);
    EXPECT_THROW(LoadResIcon(32517), EResNotFound);
    EXPECT_THROW(LoadResIcon("SHELL_FOLDER", 24), EResNotFound);
    EXPECT_THROW(LoadResIcon("SHELL_NOTHING", 16), EResNotFound);
    EXPECT_THROW(LoadResPictureList("NOLIST"), EResNotFound);
}
