// libFuzzer target for the picture readers: BMP, PNG, JPEG, GIF and ICO
// through the picture's recognition of the first bytes, and PCX through the
// skin bitmap's reader. Any input may raise an error; none may crash, read or
// write out of bounds, hang, or allocate far beyond what the input can fill.
// Built only in the fuzz configuration (scripts/fuzz.sh).
#include <cstddef>
#include <cstdint>
#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/gfx/Picture.h"
#include "skin/draw/AlphaBitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    try {
        TPicture picture;
        picture.LoadFromBuffer(Data, Size);
    } catch (const Exception&) {
    }
    if (Size > 0 && (Data[0] == 10 || Data[0] == 205)) {
        try {
            TMemoryStream pcx;
            pcx.WriteBuffer(Data, static_cast<int64_t>(Size));
            pcx.SetPosition(0);
            TbsBitmap bitmap;
            bitmap.LoadFromPcxStream(pcx);
        } catch (const Exception&) {
        }
    }
    return 0;
}
