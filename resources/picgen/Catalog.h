#pragma once
#include <string>
#include <vector>
#include "platform/gfx/Bitmap.h"
#include "resources/picgen/Ink.h"

// How a built-in picture is transparent; the lookup hands it on.
enum TPictureTransparency { ptOpaque, ptKeyed, ptAlpha };

struct TPictureOut {
    std::string Name;
    TBitmap Bitmap;
    TPictureTransparency Transparency = ptOpaque;
    bool SixteenColours = false;   // stored as a 4-bit BMP of the classic palette
};

struct TPictureListOut {
    std::string Name;
    std::vector<std::string> Members;
};

// Everything the generator draws, in the order it is embedded.
class TCatalog {
public:
    void AddAlpha(const std::string& Name, const TInk& Ink);
    // Keyed over the light button face, key colour at the bottom-left.
    void AddKeyed(const std::string& Name, const TInk& Ink);
    // A keyed picture cut down to the 16 colours of the classic palette.
    void AddSixteen(const std::string& Name, const TInk& Ink);
    void AddList(const std::string& Name, std::vector<std::string> Members);

    const std::vector<TPictureOut>& Pictures() const { return FPictures; }
    const std::vector<TPictureListOut>& Lists() const { return FLists; }

private:
    std::vector<TPictureOut> FPictures;
    std::vector<TPictureListOut> FLists;
};

// The drawing parts; each adds its pictures to the catalogue.
void AddButtonGlyphs(TCatalog& Catalog);     // Image4 .. Image17, PLAYER_ and TOOL_ glyphs
void AddProgramPictures(TCatalog& Catalog);  // program icon, Image1, message-box icons
void AddControlGlyphs(TCatalog& Catalog);    // the BS_ bitmaps of sliders, file boxes and dialogs
void AddShellIcons(TCatalog& Catalog);       // SHELL_ icons at 16 and 32
void AddCategoryPictures(TCatalog& Catalog); // CATEGORY_<code> at 48 and 32, and their two lists

// The prompt sound: a two-tone chime, 16-bit PCM mono at 44.1 kHz.
std::vector<std::uint8_t> PromptSoundWav();
