#include "resources/skingen/SkinOut.h"
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include "platform/core/Exception.h"

const char* const SkinFontName = "WenQuanYi Micro Hei";

namespace {

constexpr int CellGap = 2;
constexpr int MaxSheetHeight = 2048;

std::string ColorValue(TRgb c)
{
    // Colours are written as their signed 32-bit value.
    return std::to_string(static_cast<std::int32_t>(ToColor(c)));
}

void AppendSection(std::string& out, const TIniSection& s, const TColorShift& Shift)
{
    out += "[" + s.Name + "]\r\n";
    for (const auto& [key, value] : s.Keys) {
        out += key + "=";
        if (const auto* text = std::get_if<std::string>(&value))
            out += *text;
        else {
            const TRgb c = std::get<TRgb>(value);
            out += ColorValue(Shift ? Shift(c) : c);
        }
        out += "\r\n";
    }
    out += "\r\n";
}

void SaveShifted(const TBitmap& Source, const std::string& FileName, const TColorShift& Shift)
{
    TBitmap copy(Source);
    if (Shift) {
        TArt art(copy);
        for (int y = 0; y < copy.Height(); ++y)
            for (int x = 0; x < copy.Width(); ++x) {
                const TRgb c = art.Pixel(x, y);
                if (!(c == KeyRgb))
                    art.SetPixel(x, y, Shift(c));
            }
    }
    copy.SaveToFile(FileName);
}

}  // namespace

TSheet::TSheet(std::string FileName, int Width, TRgb Background)
    : FFileName(std::move(FileName)), FBitmap(std::make_unique<TBitmap>(Width, MaxSheetHeight, pf24bit)),
      FArt(*FBitmap)
{
    FArt.Fill(::Rect(0, 0, Width, MaxSheetHeight), Background);
}

TRect TSheet::Place(int w, int h)
{
    if (w > FBitmap->Width())
        throw std::logic_error("cell wider than its sheet: " + FFileName);
    if (FX + w > FBitmap->Width()) {
        FY += FRowHeight + CellGap;
        FX = 0;
        FRowHeight = 0;
    }
    const TRect r = Bounds(FX, FY, w, h);
    FX += w + CellGap;
    FRowHeight = std::max(FRowHeight, h);
    FUsedHeight = std::max(FUsedHeight, FY + h);
    if (FUsedHeight > MaxSheetHeight)
        throw std::logic_error("sheet full: " + FFileName);
    return r;
}

std::vector<TRect> TSheet::PlaceRow(int w, int h, int count)
{
    if (FX + (w + CellGap) * count > FBitmap->Width() && FX > 0) {
        FY += FRowHeight + CellGap;
        FX = 0;
        FRowHeight = 0;
    }
    std::vector<TRect> cells;
    for (int i = 0; i < count; ++i)
        cells.push_back(Place(w, h));
    return cells;
}

void TSheet::Finish() { FBitmap->SetSize(FBitmap->Width(), std::max(1, FUsedHeight)); }

void TIniSection::Rect(const std::string& Key, const TRect& R)
{
    if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0)
        throw std::logic_error("negative rectangle for " + Name + "." + Key);
    Text(Key, std::to_string(R.Left) + "," + std::to_string(R.Top) + "," + std::to_string(R.Right) + "," +
                  std::to_string(R.Bottom));
}

void TIniSection::Point(const std::string& Key, const TPoint& P)
{
    if (P.X < 0 || P.Y < 0)
        throw std::logic_error("negative point for " + Name + "." + Key);
    Text(Key, std::to_string(P.X) + "," + std::to_string(P.Y));
}

void TIniSection::Font(TRgb FontColor, bool Bold, int Height, const std::string& Prefix)
{
    Text(Prefix + "fontname", SkinFontName);
    Int(Prefix + "fontheight", Height);
    Text(Prefix + "fontstyle", Bold ? "fsbold" : "");
    Color(Prefix + "fontcolor", FontColor);
}

TSheet& TSkinOut::AddSheet(const std::string& FileName, int Width, TRgb Background)
{
    Sheets.push_back(std::make_unique<TSheet>(FileName, Width, Background));
    return *Sheets.back();
}

int TSkinOut::SheetIndex(const TSheet& Sheet) const
{
    for (size_t i = 0; i < Sheets.size(); ++i)
        if (Sheets[i].get() == &Sheet)
            return static_cast<int>(i);
    throw std::logic_error("sheet of another skin");
}

TIniSection& TSkinOut::Section(const std::string& Name)
{
    for (TIniSection& s : FSections)
        if (s.Name == Name)
            return s;
    FSections.push_back(TIniSection{Name, {}});
    return FSections.back();
}

TIniSection& TSkinOut::AddObject(const std::string& Name, const std::string& Kind)
{
    FObjects.push_back(TEntry{Kind, TIniSection{Name, {}}});
    return FObjects.back().Section;
}

TIniSection& TSkinOut::AddControl(const std::string& Name, const std::string& Kind)
{
    FControls.push_back(TEntry{Kind, TIniSection{Name, {}}});
    return FControls.back().Section;
}

std::string TSkinOut::IniText(const TColorShift& Shift, const std::string& SkinName, const std::string& Comments) const
{
    std::string out;
    for (TIniSection s : FSections) {
        if (s.Name == "VERSION")
            for (auto& [key, value] : s.Keys) {
                if (key == "skinname" && !SkinName.empty())
                    value = SkinName;
                else if (key == "skincomments" && !Comments.empty())
                    value = Comments;
            }
        AppendSection(out, s, Shift);
    }
    for (const auto* list : {&FObjects, &FControls}) {
        TIniSection index{list == &FObjects ? "SKINOBJECTS" : "SKINCONTROLS", {}};
        index.Int("count", static_cast<int>(list->size()));
        for (size_t i = 0; i < list->size(); ++i)
            index.Text(std::to_string(i), (*list)[i].Section.Name + ":" + (*list)[i].Kind);
        AppendSection(out, index, Shift);
        for (const TEntry& e : *list)
            AppendSection(out, e.Section, Shift);
    }
    return out;
}

void TSkinOut::Save(const std::string& Folder, const TColorShift& Shift, const std::string& SkinName,
                    const std::string& Comments) const
{
    std::filesystem::create_directories(Folder);
    std::ofstream ini(Folder + "/skin.ini", std::ios::binary | std::ios::trunc);
    ini << IniText(Shift, SkinName, Comments);
    if (!ini)
        throw std::runtime_error("cannot write " + Folder + "/skin.ini");
    SaveShifted(*Picture, Folder + "/frame.bmp", Shift);
    if (InActivePicture && !InActivePicture->Empty())
        SaveShifted(*InActivePicture, Folder + "/frameinactive.bmp", Shift);
    for (const auto& sheet : Sheets)
        SaveShifted(sheet->Bitmap(), Folder + "/" + sheet->FileName(), Shift);
}
