// libFuzzer target for the skin loader: the input is used both as a compressed
// skin file (".skn") and as the packed skin inside a stored skin. Any input
// may raise an error; none may crash, read or write out of bounds, or hang.
// Built only with -DZARVO_FUZZ=ON and clang.
#include <cstddef>
#include <cstdint>
#include "platform/core/Exception.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/ZlibStreams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TbsSkinData data(nullptr);
    try {
        TMemoryStream skn;
        skn.WriteBuffer(Data, static_cast<int64_t>(Size));
        TbsCompressedStoredSkin stored(nullptr);
        stored.LoadFromCompressStream(skn);
        data.LoadCompressedStoredSkin(&stored);
    } catch (const Exception&) {
    }
    try {
        TMemoryStream packed;
        packed.WriteBuffer(Data, static_cast<int64_t>(Size));
        TbsCompressedStoredSkin stored(nullptr);
        CompressStream(packed, *stored.CompressedStream());
        data.LoadCompressedStoredSkin(&stored);
    } catch (const Exception&) {
    }
    return 0;
}
