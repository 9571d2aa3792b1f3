#include "engine/util/Texts.h"

#include <cerrno>

#include "engine/loader/EntryPoints.h"
#include "engine/util/FileSafety.h"
#include "platform/core/SysUtils.h"

std::string FormatByteSize(int64_t ASize) {
    if (ASize > 1073741824)
        return Format("%.2f GB", double(ASize) / 1073741824.0);
    if (ASize > 1048576)
        return Format("%.2f MB", double(ASize) / 1048576.0);
    if (ASize > 1024)
        return Format("%.2f KB", double(ASize) / 1024.0);
    return Format("%d Byte", ASize);
}

std::string FormatAVTime(int64_t ATime) {
    if (ATime == AV_NOPTS_VALUE)
        return "N/A";
    // The sign goes in front once; the fields are formed from the magnitude.
    const char* sign = ATime < 0 ? "-" : "";
    const uint64_t t = ATime < 0 ? uint64_t(0) - uint64_t(ATime) : uint64_t(ATime);
    const uint64_t seconds = t / 1000000;
    return Format("%s%.2d:%.2d:%.2d.%.3d", sign, seconds / 3600, seconds / 60 % 60, seconds % 60,
                  t % 1000000 / 1000);
}

namespace {

const char* ErrorReason(int code) {
    // Keyed on the libraries' symbolic codes; texts as the program has always shown them.
    switch (code) {
    case AVERROR_PATCHWELCOME:
        return "Not yet implemented in FFmpeg";
    case AVERROR_PROTOCOL_NOT_FOUND:
        return "Unsupported network protocol";
    case AVERROR(EILSEQ):
    case AVERROR_DEMUXER_NOT_FOUND:
        return "Unknown format";
    case AVERROR(EDOM):
        return "Number syntax expected in filename";
    case AVERROR_EOF:
        return "End of file";
    case AVERROR_INVALIDDATA:
    case AVERROR(EINVAL):
        return "Invalid data found when processing input";
    case AVERROR(ENOMEM):
        return "Not enough memory";
    case AVERROR(EIO):
        return "I/O error";
    case AVERROR(ENOENT):
        return "No such file or directory";
    default:
        return nullptr;
    }
}

}  // namespace

std::string AVErrorText(const std::string& AFileName, int AErrorCode) {
    if (const char* reason = ErrorReason(AErrorCode))
        return AFileName + ": " + reason;
    // The libraries pass the system's errors on as negative error numbers:
    // "No space left on device" tells the user more than a number.
    if (AErrorCode < 0 && AErrorCode > -4096) {
        const std::string text = SystemErrorText(-AErrorCode);
        if (text.rfind("Unknown error", 0) != 0)
            return AFileName + ": " + text;
    }
    return AFileName + ": " + Format("Error number %d occurred", AErrorCode);
}

std::string MediaTypeName(int AMediaType) {
    switch (AMediaType) {
    case AVMEDIA_TYPE_VIDEO:
        return "Video";
    case AVMEDIA_TYPE_AUDIO:
        return "Audio";
    case AVMEDIA_TYPE_DATA:
        return "Data";
    case AVMEDIA_TYPE_SUBTITLE:
        return "Subtitle";
    case AVMEDIA_TYPE_ATTACHMENT:
        return "Attachment";
    default:
        return "Unknown";
    }
}

std::string CodecDescription(AVCodecID ACodecID, uint32_t ACodecTag, bool AEncoder) {
    const AVCodec* codec = AEncoder ? AVLib.avcodec_find_encoder(ACodecID) : AVLib.avcodec_find_decoder(ACodecID);
    if (codec) {
        const std::string longName = Trim(codec->long_name ? codec->long_name : "");
        return longName.empty() ? std::string(codec->name) : Format("%s(%s)", codec->name, longName);
    }
    if (ACodecID == AV_CODEC_ID_MPEG2TS)
        return "mpeg2ts";
    const unsigned char c[4] = {static_cast<unsigned char>(ACodecTag & 0xFF),
                                static_cast<unsigned char>((ACodecTag >> 8) & 0xFF),
                                static_cast<unsigned char>((ACodecTag >> 16) & 0xFF),
                                static_cast<unsigned char>((ACodecTag >> 24) & 0xFF)};
    for (unsigned char ch : c)
        if (ch < 32 || ch > 126)
            return Format("0x%04x", ACodecTag);
    return Format("%s / 0x%04X", std::string(reinterpret_cast<const char*>(c), 4), ACodecTag);
}

std::string CodecDescription(const AVCodecContext* ACodecContext, bool AEncoder) {
    return CodecDescription(ACodecContext->codec_id, ACodecContext->codec_tag, AEncoder);
}

std::string GetMetadataText(const AVDictionary* AMetadata, const std::string& AKey, const std::string& ADefault) {
    const AVDictionaryEntry* e = AMetadata ? AVLib.av_dict_get(AMetadata, AKey.c_str(), nullptr, 0) : nullptr;
    return e && e->value ? std::string(e->value) : ADefault;
}
