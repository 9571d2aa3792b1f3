// skingen: draws the program's skins and writes each as an ini file with its
// BMP pictures into <out>/<skin>/ (the base skin, its six colour variants and
// the tool-bar skin), then packs every skin with the skin layer's packer and
// writes the packed skins as byte arrays into <out>/EmbeddedSkinData.cpp.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>
#include "resources/skingen/BaseSkin.h"
#include "resources/skingen/Variants.h"

namespace {

struct TWrittenSkin {
    std::string Folder;
    std::string DisplayName;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen <output folder>\n");
        return 2;
    }
    try {
        const std::string out = argv[1];
        const TPalette palette;
        auto base = BuildBaseSkin(palette);

        std::vector<TWrittenSkin> mainList;
        base->Save(out + "/" + base->Name);
        mainList.push_back({out + "/" + base->Name, base->DisplayName});
        for (const TSkinVariant& v : SkinVariants()) {
            base->Save(out + "/" + v.Name, [&v](TRgb c) { return v.Shift(c); }, v.Name, v.DisplayName);
            mainList.push_back({out + "/" + v.Name, v.DisplayName});
        }
        // The tool bar, its menu button and the two format lists share the base look.
        const std::string toolBar = "ZarvoToolBar";
        base->Save(out + "/" + toolBar, {}, toolBar, "工具栏");

        std::ofstream stamp(out + "/skins.stamp", std::ios::trunc);
        for (const TWrittenSkin& s : mainList)
            stamp << s.Folder << "\n";
        stamp << out + "/" + toolBar << "\n";
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
