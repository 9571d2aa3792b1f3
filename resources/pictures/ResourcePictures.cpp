#include "resources/pictures/ResourcePictures.h"
#include <strings.h>
#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/Png.h"
#include "resources/pictures/EmbeddedPictures.h"

namespace {

const TEmbeddedPicture* FindPicture(const std::string& Name)
{
    int count = 0;
    const TEmbeddedPicture* all = EmbeddedPictures(count);
    for (int i = 0; i < count; ++i)
        if (strcasecmp(all[i].Name, Name.c_str()) == 0)
            return &all[i];
    return nullptr;
}

TBitmap Decode(const TEmbeddedPicture& Entry)
{
    TBitmap out;
    if (Entry.Size >= 2 && Entry.Data[0] == 'B' && Entry.Data[1] == 'M') {
        DecodeBmp(Entry.Data, Entry.Size, out);
    } else {
        TPngImage png;
        png.LoadFromBuffer(Entry.Data, Entry.Size);
        out = png.Bitmap();
    }
    if (Entry.Transparency == rtKeyed) {
        out.SetTransparentMode(tmAuto);
    } else if (Entry.Transparency == rtAlpha && out.PixelFormat() == pf32bit) {
        out.SetAlphaFormat(afDefined);
    }
    return out;
}

std::string NotFound(const std::string& What) { return "Resource " + What + " not found"; }

}  // namespace

bool FindResBitmap(const std::string& Name, TBitmap& Picture)
{
    const TEmbeddedPicture* entry = FindPicture(Name);
    if (!entry)
        return false;
    Picture = Decode(*entry);
    return true;
}

TBitmap LoadResBitmap(const std::string& Name)
{
    TBitmap out;
    if (!FindResBitmap(Name, out))
        throw EResNotFound(NotFound("\"" + Name + "\""));
    return out;
}

bool ResBitmapExists(const std::string& Name) { return FindPicture(Name) != nullptr; }

TBitmap LoadResIcon(const std::string& Name, int Size) { return LoadResBitmap(Name + "_" + std::to_string(Size)); }

TBitmap LoadResIcon(int Id, int Size)
{
    const char* name = nullptr;
    switch (Id) {
        case IconHand: name = "ICON_HAND"; break;
        case IconQuestion: name = "ICON_QUESTION"; break;
        case IconExclamation: name = "ICON_EXCLAMATION"; break;
        case IconAsterisk: name = "ICON_ASTERISK"; break;
        default: throw EResNotFound(NotFound("icon " + std::to_string(Id)));
    }
    return LoadResIcon(name, Size);
}

std::vector<TBitmap> LoadResPictureList(const std::string& Name)
{
    int count = 0;
    const TEmbeddedPictureList* lists = EmbeddedPictureLists(count);
    for (int i = 0; i < count; ++i)
        if (strcasecmp(lists[i].Name, Name.c_str()) == 0) {
            std::vector<TBitmap> out;
            out.reserve(lists[i].Count);
            for (int m = 0; m < lists[i].Count; ++m)
                out.push_back(LoadResBitmap(lists[i].Members[m]));
            return out;
        }
    throw EResNotFound(NotFound("picture list \"" + Name + "\""));
}

std::vector<TResPictureInfo> ResPictures()
{
    int count = 0;
    const TEmbeddedPicture* all = EmbeddedPictures(count);
    std::vector<TResPictureInfo> out;
    for (int i = 0; i < count; ++i)
        out.push_back({all[i].Name, all[i].Width, all[i].Height, TResTransparency(all[i].Transparency)});
    return out;
}

std::vector<std::string> ResPictureLists()
{
    int count = 0;
    const TEmbeddedPictureList* lists = EmbeddedPictureLists(count);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i)
        out.push_back(lists[i].Name);
    return out;
}
