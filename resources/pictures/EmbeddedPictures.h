#pragma once
#include <cstddef>
#include <cstdint>

// The generated tables behind ResourcePictures.h (written by picgen).
struct TEmbeddedPicture {
    const char* Name;
    int Width;
    int Height;
    int Transparency;            // TResTransparency
    const std::uint8_t* Data;    // PNG, or a 4-bit BMP for the 16-colour pictures
    std::size_t Size;
};

struct TEmbeddedPictureList {
    const char* Name;
    const char* const* Members;
    int Count;
};

const TEmbeddedPicture* EmbeddedPictures(int& Count);
const TEmbeddedPictureList* EmbeddedPictureLists(int& Count);
