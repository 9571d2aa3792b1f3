#include "platform/gfx/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <jerror.h>
#include "platform/gfx/BmpCodec.h"

namespace {

// libjpeg reports errors by calling error_exit, which must not return: it
// jumps back to the call below, which then raises. Nothing with a destructor
// lives in the frames it jumps over.
struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX] = {};
};

void OnError(j_common_ptr info)
{
    auto* err = reinterpret_cast<TJpegError*>(info->err);
    info->err->format_message(info, err->Message);
    std::longjmp(err->Jump, 1);
}

// Warnings are ignored except a file that ends early, which is an error here.
void OnMessage(j_common_ptr info, int level)
{
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        OnError(info);
}

struct TDecodeState {
    jpeg_decompress_struct Info;
    TJpegError Error;
    TBitmap* Pixels = nullptr;
    std::vector<uint8_t>* Row = nullptr;
};

// Returns false with Error.Message set on failure.
bool Decode(TDecodeState& s, const uint8_t* data, size_t size)
{
    s.Info.err = jpeg_std_error(&s.Error.Manager);
    s.Error.Manager.error_exit = OnError;
    s.Error.Manager.emit_message = OnMessage;
    if (setjmp(s.Error.Jump)) {
        jpeg_destroy_decompress(&s.Info);
        return false;
    }
    jpeg_create_decompress(&s.Info);
    jpeg_mem_src(&s.Info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&s.Info, TRUE);
    if (s.Info.image_width == 0 || s.Info.image_height == 0 || s.Info.image_width > 65535 || s.Info.image_height > 65535 ||
        int64_t(s.Info.image_width) * s.Info.image_height > MaxPicturePixels) {
        std::snprintf(s.Error.Message, sizeof(s.Error.Message), "size %ux%u is not supported", s.Info.image_width,
                      s.Info.image_height);
        jpeg_destroy_decompress(&s.Info);
        return false;
    }
    const bool cmyk = s.Info.jpeg_color_space == JCS_CMYK || s.Info.jpeg_color_space == JCS_YCCK;
    s.Info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(&s.Info);
    s.Pixels->SetSize(int(s.Info.output_width), int(s.Info.output_height), false);
    s.Row->resize(size_t(s.Info.output_width) * 4);
    while (s.Info.output_scanline < s.Info.output_height) {
        const int y = int(s.Info.output_scanline);
        uint8_t* target = s.Pixels->ScanLine(y);
        JSAMPROW row = cmyk ? s.Row->data() : target;
        if (jpeg_read_scanlines(&s.Info, &row, 1) != 1)
            break;
        if (cmyk) {
            // Adobe files store CMYK inverted.
            const bool inverted = s.Info.saw_Adobe_marker;
            for (unsigned x = 0; x < s.Info.output_width; ++x) {
                const uint8_t* p = s.Row->data() + x * 4;
                int c = p[0], m = p[1], yl = p[2], k = p[3];
                if (!inverted) { c = 255 - c; m = 255 - m; yl = 255 - yl; k = 255 - k; }
                target[x * 3 + 0] = uint8_t(yl * k / 255);
                target[x * 3 + 1] = uint8_t(m * k / 255);
                target[x * 3 + 2] = uint8_t(c * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&s.Info);
    jpeg_destroy_decompress(&s.Info);
    return true;
}

struct TEncodeState {
    jpeg_compress_struct Info;
    TJpegError Error;
    const TBitmap* Pixels = nullptr;
    unsigned char* Buffer = nullptr;
    unsigned long Size = 0;
};

bool Encode(TEncodeState& s, int quality, bool grayscale, bool progressive)
{
    s.Info.err = jpeg_std_error(&s.Error.Manager);
    s.Error.Manager.error_exit = OnError;
    s.Error.Manager.emit_message = OnMessage;
    if (setjmp(s.Error.Jump)) {
        jpeg_destroy_compress(&s.Info);
        return false;
    }
    jpeg_create_compress(&s.Info);
    jpeg_mem_dest(&s.Info, &s.Buffer, &s.Size);
    s.Info.image_width = JDIMENSION(s.Pixels->Width());
    s.Info.image_height = JDIMENSION(s.Pixels->Height());
    const bool wide = s.Pixels->PixelFormat() == pf32bit;
    s.Info.input_components = wide ? 4 : 3;
    s.Info.in_color_space = wide ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&s.Info);
    jpeg_set_quality(&s.Info, quality, TRUE);
    if (grayscale)
        jpeg_set_colorspace(&s.Info, JCS_GRAYSCALE);
    if (progressive)
        jpeg_simple_progression(&s.Info);
    jpeg_start_compress(&s.Info, TRUE);
    while (s.Info.next_scanline < s.Info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(s.Pixels->ScanLine(int(s.Info.next_scanline)));
        jpeg_write_scanlines(&s.Info, &row, 1);
    }
    jpeg_finish_compress(&s.Info);
    jpeg_destroy_compress(&s.Info);
    return true;
}

}  // namespace

void TJPEGImage::SetCompressionQuality(int value)
{
    FQuality = value < 1 ? 1 : (value > 100 ? 100 : value);
}

void TJPEGImage::LoadFromBuffer(const uint8_t* data, size_t size)
{
    TBitmap pixels(0, 0, pf24bit);
    std::vector<uint8_t> row;
    TDecodeState state{};
    state.Pixels = &pixels;
    state.Row = &row;
    if (size == 0 || !Decode(state, data, size))
        throw EInvalidGraphic(std::string("Invalid JPEG picture: ") + (size ? state.Error.Message : "the file is empty"));
    SetPixels(pixels);
}

std::vector<uint8_t> TJPEGImage::SaveToBuffer() const
{
    if (Empty())
        throw EInvalidGraphicOperation("Cannot save an empty JPEG picture");
    TBitmap converted;
    const TBitmap* pixels = &FBitmap;
    if (FBitmap.PixelFormat() == pf1bit) {
        converted = FBitmap;
        converted.SetPixelFormat(pf24bit);
        pixels = &converted;
    }
    TEncodeState state{};
    state.Pixels = pixels;
    const bool ok = Encode(state, FQuality, FGrayscale, FProgressive);
    std::vector<uint8_t> out;
    if (ok && state.Buffer)
        out.assign(state.Buffer, state.Buffer + state.Size);
    std::free(state.Buffer);
    if (!ok)
        throw EInvalidGraphic(std::string("Cannot write JPEG picture: ") + state.Error.Message);
    return out;
}
