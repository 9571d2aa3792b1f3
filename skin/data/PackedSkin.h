#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/IniFile.h"
#include "platform/core/Stream.h"
#include "platform/gfx/Bitmap.h"

// The byte layout of a packed skin (the data inside a stored skin's zlib
// stream), little-endian:
//   version                 int32, 3 when written; readers take any value up to 3
//   main picture            flag byte (1 = empty, nothing follows; 0 = a BMP file follows)
//   inactive picture, mask  flag and BMP each
//   two extra pictures      flag and BMP each, only in version 2; read and discarded
//   active picture count    int32
//   active pictures         count BMP files, no flags
//   ini text                the rest of the data
// A BMP file is as long as the size in its file header; every length read is
// checked against the bytes that remain.

constexpr int32_t PackedSkinVersion = 3;

int32_t ReadPackedInt(TStream& S);   // EReadError when the data ends
void WritePackedInt(TStream& S, int32_t Value);

// One BMP file of exactly the length its header declares.
void ReadPackedPicture(TStream& S, TBitmap& Picture);
void WritePackedPicture(TStream& S, const TBitmap& Picture);

// A flag byte and, when the flag is 0, a BMP file. Any other flag value is a broken skin.
void ReadFlaggedPicture(TStream& S, TBitmap& Picture);
void WriteFlaggedPicture(TStream& S, const TBitmap& Picture);

// The rest of the stream as a skin ini, parsed in the stream's own memory:
// the inflated text is not copied (skins may hold megabytes of it).
std::unique_ptr<TMemIniFile> ReadRemainingIni(TMemoryStream& S);

struct TbsPackedSkinParts {
    const TBitmap* Picture = nullptr;       // nullptr or empty: flagged empty
    const TBitmap* InActivePicture = nullptr;
    const TBitmap* Mask = nullptr;
    std::vector<const TBitmap*> ActivePictures;
    std::string IniText;                    // written as it is
};
void WritePackedSkin(TStream& S, const TbsPackedSkinParts& Parts);
