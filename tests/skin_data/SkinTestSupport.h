#pragma once
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/IniFile.h"
#include "platform/gfx/Bitmap.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/PackedSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/ZlibStreams.h"
#include "skin/data/SkinFormLink.h"

// A folder of its own for one test, removed with everything in it afterwards.
class TTempFolder {
public:
    TTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "skindata-XXXXXX").string();
        FPath = mkdtemp(pattern.data());
        FPath += "/";
    }
    ~TTempFolder() { std::filesystem::remove_all(FPath); }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string Path(const std::string& Name = {}) const { return FPath + Name; }
    void WriteBytes(const std::string& Name, const std::string& Bytes) const {
        std::ofstream(Path(Name), std::ios::binary) << Bytes;
    }
    std::string ReadBytes(const std::string& Name) const {
        std::ifstream in(Path(Name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::string FPath;
};

// A 24-bit picture with a pattern of its own for each seed.
// The bytes a memory stream holds.
inline std::string Contents(const TMemoryStream& M) {
    return std::string(reinterpret_cast<const char*>(M.Memory()), static_cast<size_t>(M.Size()));
}

inline std::unique_ptr<TBitmap> MakePicture(int Width, int Height, int Seed) {
    auto picture = std::make_unique<TBitmap>(Width, Height, pf24bit);
    for (int y = 0; y < Height; ++y) {
        uint8_t* row = picture->ScanLine(y);
        for (int x = 0; x < Width * 3; ++x)
            row[x] = static_cast<uint8_t>(x * 7 + y * 13 + Seed * 31);
    }
    return picture;
}

inline bool SamePixels(const TBitmap& A, const TBitmap& B) {
    if (A.Width() != B.Width() || A.Height() != B.Height() || A.PixelFormat() != B.PixelFormat())
        return false;
    const int rowBytes = A.Width() * A.BitsPerPixel() / 8;
    for (int y = 0; y < A.Height(); ++y)
        if (!std::equal(A.ScanLine(y), A.ScanLine(y) + rowBytes, B.ScanLine(y)))
            return false;
    return true;
}

inline std::unique_ptr<TMemIniFile> IniOf(const std::string& Text) {
    auto ini = std::make_unique<TMemIniFile>();
    ini->SetText(Text);
    return ini;
}

// Stands in for the application's forms: records every message the skin
// containers send, with the sender's state at that moment.
class TMessageRecorder {
public:
    struct TRecord {
        TbsFormHandle Form;
        unsigned Msg;
        std::intptr_t WParam;
        std::intptr_t LParam;
        bool Empty;
        bool ChangeSkinDataProcess;
        int Controls;   // descriptions present when the message arrived
    };

    TMessageRecorder() {
        TbsSkinFormLink link;
        link.OwnerForm = [this](TComponent* Owner) -> TbsFormHandle {
            for (const auto& [component, handle] : OwnerForms)
                if (component == Owner)
                    return handle;
            return 0;
        };
        link.Forms = [this] { return Forms; };
        link.SendMessage = [this](TbsFormHandle Form, unsigned Msg, std::intptr_t WParam, std::intptr_t LParam) {
            const auto* data = reinterpret_cast<const TbsSkinData*>(WParam);
            Log.push_back({Form, Msg, WParam, LParam, data->Empty, data->ChangeSkinDataProcess,
                           static_cast<int>(data->CtrlList.size())});
            if (OnMessage)
                OnMessage(Log.back());
        };
        SetSkinFormLink(link);
    }
    ~TMessageRecorder() { SetSkinFormLink({}); }
    TMessageRecorder(const TMessageRecorder&) = delete;
    TMessageRecorder& operator=(const TMessageRecorder&) = delete;

    std::vector<unsigned> Messages() const {
        std::vector<unsigned> out;
        for (const auto& r : Log)
            out.push_back(r.Msg);
        return out;
    }
    std::vector<TbsFormHandle> Targets() const {
        std::vector<TbsFormHandle> out;
        for (const auto& r : Log)
            out.push_back(r.Form);
        return out;
    }

    std::vector<TbsFormEntry> Forms{{1, "TForm1"}};
    std::vector<std::pair<TComponent*, TbsFormHandle>> OwnerForms;
    std::function<void(const TRecord&)> OnMessage;
    std::vector<TRecord> Log;
};

// A complete small skin: an ini text naming a main picture, a mask and two
// active pictures, written into a folder with those pictures.
inline const char* SampleSkinIni() {
    return "[VERSION]\r\n"
           "ver=1\r\n"
           "skinname=Sample\r\n"
           "skinauthor=Zarvo\r\n"
           "[PICTURES]\r\n"
           "picture=main.bmp\r\n"
           "inactivepicture=\r\n"
           "mask=mask.bmp\r\n"
           "activepicturescount=2\r\n"
           "0=a.bmp\r\n"
           "1=b.bmp\r\n"
           "[FORMINFO]\r\n"
           "lefttoppoint=10,20\r\n"
           "righttoppoint=50,20\r\n"
           "leftbottompoint=10,40\r\n"
           "rightbottompoint=50,40\r\n"
           "clientrect=5,18,55,45\r\n"
           "maskrectarea=0,0,0,0\r\n"
           "stretchtype=sthorz\r\n"
           "[SKINCOLORS]\r\n"
           "cbtnface=12632256\r\n"
           "[SKINOBJECTS]\r\n"
           "count=3\r\n"
           "0=caption:caption\r\n"
           "1=close:stdbutton\r\n"
           "2=menuitem:menuitem\r\n"
           "[caption]\r\n"
           "textrect=1,2,30,12\r\n"
           "fontname=宋体\r\n"
           "[close]\r\n"
           "hint=Close\r\n"
           "command=cmclose\r\n"
           "skinrect=0,0,10,10\r\n"
           "[menuitem]\r\n"
           "checkimagerect=1,1,5,5\r\n"
           "[SKINCONTROLS]\r\n"
           "count=4\r\n"
           "0=button:button\r\n"
           "1=toolmenubutton:menubutton\r\n"
           "2=listbox:listbox\r\n"
           "3=vscrollbar:scrollbar\r\n"
           "[button]\r\n"
           "pictureindex=0\r\n"
           "skinrect=0,0,20,10\r\n"
           "activeskinrect=0,10,20,20\r\n"
           "[toolmenubutton]\r\n"
           "pictureindex=1\r\n"
           "trackbuttonrect=1,2,3,4\r\n"
           "[listbox]\r\n"
           "vscrollbarname=vscrollbar\r\n"
           "[vscrollbar]\r\n"
           "pictureindex=1\r\n"
           "thumbrect=2,2,8,8\r\n";
}

inline std::string WriteSampleSkin(const TTempFolder& Folder, const std::string& IniText = SampleSkinIni()) {
    MakePicture(60, 50, 1)->SaveToFile(Folder.Path("main.bmp"));
    MakePicture(60, 50, 2)->SaveToFile(Folder.Path("mask.bmp"));
    MakePicture(20, 20, 3)->SaveToFile(Folder.Path("a.bmp"));
    MakePicture(12, 8, 4)->SaveToFile(Folder.Path("b.bmp"));
    Folder.WriteBytes("skin.ini", IniText);
    return Folder.Path("skin.ini");
}

// A stored skin holding exactly these packed bytes.
inline std::unique_ptr<TbsCompressedStoredSkin> StoredSkinOf(const std::string& Packed) {
    auto stored = std::make_unique<TbsCompressedStoredSkin>(nullptr);
    TMemoryStream source;
    source.WriteBuffer(Packed.data(), static_cast<int64_t>(Packed.size()));
    CompressStream(source, *stored->CompressedStream());
    return stored;
}

inline std::string PackedInt(int32_t V) {
    TMemoryStream s;
    WritePackedInt(s, V);
    return std::string(reinterpret_cast<const char*>(s.Memory()), 4);
}

inline std::string PackedPicture(const TBitmap& Picture) {
    const std::vector<uint8_t> bmp = Picture.SaveToBuffer();
    return std::string(bmp.begin(), bmp.end());
}

// Packed bytes of a skin without pictures: version, three empty flags, no active pictures, the ini text.
inline std::string PackedIniOnly(const std::string& IniText, int32_t Version = 3) {
    return PackedInt(Version) + std::string("\x01\x01\x01", 3) + PackedInt(0) + IniText;
}
