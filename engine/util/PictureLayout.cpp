#include "engine/util/PictureLayout.h"

#include "engine/loader/EntryPoints.h"

namespace {

// The alignment the libraries ask for: that of the widest vector unit the
// processor has, as their own frame allocator uses.
int LibraryAlignment() {
    const size_t align = AVLib.av_cpu_max_align ? AVLib.av_cpu_max_align() : 64;
    return align >= 16 ? int(align) : 16;
}

// Spare bytes after the last line, as the libraries' frame allocator leaves them.
constexpr size_t TailPadding = 16;

}  // namespace

bool LibraryPictureLayout(AVPixelFormat AFormat, int AWidth, int AHeight, TPictureLayout& ALayout) {
    if (AWidth <= 0 || AHeight <= 0)
        return false;
    const int align = LibraryAlignment();
    // Round the width up by growing steps until every line size is a multiple
    // of the alignment (the libraries' own frame allocator does the same).
    int linesize[4] = {};
    uint8_t* data[4] = {};
    int size = -1, width = AWidth;
    for (int step = 1; step <= align; step += step) {
        width = (AWidth + step - 1) / step * step;
        size = AVLib.av_image_fill_arrays(data, linesize, nullptr, AFormat, width, AHeight, 1);
        if (size < 0)
            return false;
        bool aligned = true;
        for (int i = 0; i < 4; ++i)
            aligned = aligned && linesize[i] % align == 0;
        if (aligned)
            break;
    }
    ALayout = TPictureLayout{};
    ALayout.Format = AFormat;
    ALayout.PaddedWidth = width;
    ALayout.Height = AHeight;
    for (int i = 0; i < 4; ++i)
        ALayout.Linesize[i] = linesize[i];
    ALayout.Size = size_t(size) + size_t(align) + TailPadding;
    ALayout.Alignment = align;
    return true;
}

void FillPicture(const TPictureLayout& ALayout, uint8_t* ABuffer, TAVPicture& APicture) {
    APicture = TAVPicture{};
    AVLib.av_image_fill_arrays(APicture.data, APicture.linesize, ABuffer, ALayout.Format, ALayout.PaddedWidth,
                               ALayout.Height, 1);
}

bool TPictureBuffer::Layout(AVPixelFormat AFormat, int AWidth, int AHeight) {
    TPictureLayout layout;
    if (!LibraryPictureLayout(AFormat, AWidth, AHeight, layout))
        return false;
    const size_t needed = layout.Size + size_t(layout.Alignment);
    if (FBytes.size() < needed)
        FBytes.assign(needed, 0);
    const auto address = reinterpret_cast<uintptr_t>(FBytes.data());
    const size_t skip = (layout.Alignment - address % layout.Alignment) % layout.Alignment;
    FillPicture(layout, FBytes.data() + skip, FPicture);
    return true;
}
