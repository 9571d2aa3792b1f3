#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>
#include "platform/gfx/Bitmap.h"
#include "resources/skingen/Art.h"

// One picture of a skin being generated. Cells are placed in rows from the
// top (a shelf layout), so element rectangles come from the placement and
// never from hand-typed coordinates; Finish cuts the picture to what was used.
class TSheet {
public:
    TSheet(std::string FileName, int Width, TRgb Background);

    const std::string& FileName() const { return FFileName; }
    TBitmap& Bitmap() { return *FBitmap; }
    const TBitmap& Bitmap() const { return *FBitmap; }
    TArt& Art() { return FArt; }

    // A free cell of w x h, 2 pixels apart from its neighbours.
    TRect Place(int w, int h);
    // Cells of w x h side by side in one row.
    std::vector<TRect> PlaceRow(int w, int h, int count);
    void Finish();

private:
    std::string FFileName;
    std::unique_ptr<TBitmap> FBitmap;
    TArt FArt;
    int FX = 0, FY = 0, FRowHeight = 0, FUsedHeight = 0;
};

// A value of the skin ini: text as written, or a colour that the colour
// variants shift before it is written.
using TColorShift = std::function<TRgb(TRgb)>;

using TIniValue = std::variant<std::string, TRgb>;

struct TIniSection {
    std::string Name;
    std::vector<std::pair<std::string, TIniValue>> Keys;

    void Text(const std::string& Key, const std::string& Value) { Keys.emplace_back(Key, Value); }
    void Int(const std::string& Key, int Value) { Text(Key, std::to_string(Value)); }
    void Bool(const std::string& Key, bool Value) { Text(Key, Value ? "1" : "0"); }
    void Rect(const std::string& Key, const TRect& R);
    void Point(const std::string& Key, const TPoint& P);
    void Color(const std::string& Key, TRgb C) { Keys.emplace_back(Key, C); }
    // fontname, fontheight, fontstyle, fontcolor, with an optional key prefix.
    void Font(TRgb Color, bool Bold = false, int Height = 13, const std::string& Prefix = "");
};

// Everything one skin consists of before it is packed: the frame pictures,
// the active pictures and the ini sections in file order.
class TSkinOut {
public:
    std::string Name;          // skinname, also the folder name
    std::string DisplayName;   // the name a skin list shows

    std::unique_ptr<TBitmap> Picture;
    std::unique_ptr<TBitmap> InActivePicture;
    std::vector<std::unique_ptr<TSheet>> Sheets;   // the active pictures, in index order

    // Adds an active picture and returns it; its index is its position.
    TSheet& AddSheet(const std::string& FileName, int Width, TRgb Background);
    int SheetIndex(const TSheet& Sheet) const;

    TIniSection& Section(const std::string& Name);   // created on first use, kept in order
    // A SKINOBJECTS / SKINCONTROLS entry and its own section.
    TIniSection& AddObject(const std::string& Name, const std::string& Kind);
    TIniSection& AddControl(const std::string& Name, const std::string& Kind);

    // The ini text, sections in file order, lines ended by CR LF; every colour
    // value and every picture pixel passes through Shift when one is given
    // (the key colour of transparent cells never does).
    // A variant passes its own skin name and display name for section VERSION.
    std::string IniText(const TColorShift& Shift = {}, const std::string& SkinName = "",
                        const std::string& Comments = "") const;
    // Writes skin.ini and every picture as BMP into Folder (created when missing).
    void Save(const std::string& Folder, const TColorShift& Shift = {}, const std::string& SkinName = "",
              const std::string& Comments = "") const;

private:
    struct TEntry {
        std::string Kind;
        TIniSection Section;
    };
    std::deque<TIniSection> FSections;   // the fixed sections (deque: references stay valid)
    std::deque<TEntry> FObjects;
    std::deque<TEntry> FControls;
};

// The font every caption of our skins uses: a family fontconfig finds with
// Chinese coverage.
extern const char* const SkinFontName;
