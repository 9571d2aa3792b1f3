#include "platform/gfx/FontEngine.h"

#include <cmath>
#include <map>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include "platform/core/Exception.h"

namespace {

// The family that supplies glyphs the chosen font lacks (see fonts.conf).
const char* const FallbackFamily = "zarvo-cjk-fallback";

FcConfig* FontConfig()
{
    static FcConfig* config = [] {
        FcConfig* c = FcConfigCreate();
        if (!c || !FcConfigParseAndLoadFromMemory(c, reinterpret_cast<const FcChar8*>(FontAliasXml()), FcTrue) ||
            !FcConfigBuildFonts(c))
            throw EExternalException("The font configuration cannot be loaded");
        return c;
    }();
    return config;
}

FT_Library FreeType()
{
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0)
            throw EExternalException("The font renderer cannot be started");
        return lib;
    }();
    return library;
}

// A font file mapped into memory once for all its faces and sizes. Opening a
// face by file name maps the file again each time, and every mapping counts
// the pages it touched: a large CJK collection opened for five sizes showed
// as five times its size in resident memory. Kept for the program's life.
struct TMappedFontFile {
    const FT_Byte* Base = nullptr;
    FT_Long Size = 0;
};

TMappedFontFile MappedFontFile(const std::string& file)
{
    std::lock_guard<std::recursive_mutex> lock(gfx_detail::TextMutex());
    static std::map<std::string, TMappedFontFile> files;
    auto it = files.find(file);
    if (it != files.end())
        return it->second;
    TMappedFontFile mapped;
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st{};
    if (fd >= 0 && fstat(fd, &st) == 0 && st.st_size > 0) {
        void* base = mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (base != MAP_FAILED) {
            mapped.Base = static_cast<const FT_Byte*>(base);
            mapped.Size = FT_Long(st.st_size);
        }
    }
    if (fd >= 0)
        close(fd);
    if (mapped.Base)
        files[file] = mapped;
    return mapped;
}

std::string LowerAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

}  // namespace

TFontMatch MatchFont(const std::string& name, TFontStyles style)
{
    std::lock_guard<std::recursive_mutex> lock(gfx_detail::TextMutex());
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, (style & fsBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, (style & fsItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(FontConfig(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(FontConfig(), pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        throw EExternalException("No font is installed for \"" + name + "\"");
    TFontMatch m;
    FcChar8* s = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &s) == FcResultMatch)
        m.Family = reinterpret_cast<const char*>(s);
    if (FcPatternGetString(match, FC_FILE, 0, &s) == FcResultMatch)
        m.File = reinterpret_cast<const char*>(s);
    int value = 0;
    if (FcPatternGetInteger(match, FC_INDEX, 0, &value) == FcResultMatch)
        m.Index = value;
    if (FcPatternGetInteger(match, FC_WEIGHT, 0, &value) == FcResultMatch)
        m.Bold = value >= FC_WEIGHT_DEMIBOLD;
    if (FcPatternGetInteger(match, FC_SLANT, 0, &value) == FcResultMatch)
        m.Italic = value != FC_SLANT_ROMAN;
    FcPatternDestroy(match);
    if (m.File.empty())
        throw EExternalException("No font file is installed for \"" + name + "\"");
    return m;
}

namespace gfx_detail {

std::recursive_mutex& TextMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

struct TFontFace::TFace {
    FT_Face Face = nullptr;
    bool SyntheticBold = false;
    bool SyntheticItalic = false;

    TFace(const TFontMatch& m, TFontStyles style, double emPixels)
    {
        const TMappedFontFile mapped = MappedFontFile(m.File);
        const bool opened = mapped.Base ? FT_New_Memory_Face(FreeType(), mapped.Base, mapped.Size, m.Index, &Face) == 0
                                        : FT_New_Face(FreeType(), m.File.c_str(), m.Index, &Face) == 0;
        if (!opened)
            throw EExternalException("The font file \"" + m.File + "\" cannot be read");
        FT_Select_Charmap(Face, FT_ENCODING_UNICODE);
        FT_Set_Char_Size(Face, 0, FT_F26Dot6(std::lround(emPixels * 64)), 72, 72);
        SyntheticBold = (style & fsBold) && !m.Bold;
        SyntheticItalic = (style & fsItalic) && !m.Italic;
    }
    ~TFace() { FT_Done_Face(Face); }
};

namespace {

// Cell height of a face in font units: the ascent and descent the classic
// desktop used (the OS/2 "Windows" metrics) where the font has them.
void CellUnits(FT_Face face, int& ascent, int& descent)
{
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    } else {
        ascent = face->ascender;
        descent = -face->descender;
    }
    if (ascent + descent <= 0) {
        ascent = face->units_per_EM * 4 / 5;
        descent = face->units_per_EM / 5;
    }
}

}  // namespace

TFontFace::TFontFace(const TFontData& data) : FStyle(data.Style)
{
    TFontMatch primary = MatchFont(data.Name, data.Style);
    // Size the font once to read its units.
    FPrimary = std::make_unique<TFace>(primary, data.Style, 12);
    FT_Face f = FPrimary->Face;
    int ascentUnits = 0, descentUnits = 0;
    CellUnits(f, ascentUnits, descentUnits);
    const double upem = f->units_per_EM ? f->units_per_EM : 2048;
    double em;
    if (data.Height < 0)
        em = -data.Height;
    else if (data.Height > 0)
        em = data.Height * upem / (ascentUnits + descentUnits);
    else
        em = 12;  // the classic default for a zero height
    em = std::min(em, 2000.0);
    FT_Set_Char_Size(f, 0, FT_F26Dot6(std::lround(em * 64)), 72, 72);
    const double scale = em / upem;

    FMetrics.Ascent = int(std::lround(ascentUnits * scale));
    FMetrics.Descent = data.Height > 0 ? data.Height - FMetrics.Ascent : int(std::lround(descentUnits * scale));
    FMetrics.Height = FMetrics.Ascent + FMetrics.Descent;
    FMetrics.InternalLeading = std::max(0, FMetrics.Height - int(std::lround(em)));
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    FMetrics.AveCharWidth = os2 && os2->xAvgCharWidth > 0 ? int(std::lround(os2->xAvgCharWidth * scale)) : int(std::lround(em / 2));
    FMetrics.MaxCharWidth = int(std::lround(f->max_advance_width * scale));

    FLineThickness = std::max(1, int(std::lround(f->underline_thickness * scale)));
    FUnderlineOffset = std::max(1, int(std::lround(-f->underline_position * scale)));
    FUnderlineOffset = std::max(1, std::min(FUnderlineOffset, FMetrics.Descent - FLineThickness));
    if (os2 && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0)
        FStrikeOutOffset = -int(std::lround(os2->yStrikeoutPosition * scale));
    else
        FStrikeOutOffset = -FMetrics.Ascent / 3;

    TFontMatch fallback = MatchFont(FallbackFamily, data.Style);
    if (fallback.File != primary.File || fallback.Index != primary.Index)
        FFallback = std::make_unique<TFace>(fallback, data.Style, em);
}

TFontFace::~TFontFace() = default;

bool TFontFace::HasGlyph(char32_t ch) const
{
    return FT_Get_Char_Index(FPrimary->Face, ch) != 0 || (FFallback && FT_Get_Char_Index(FFallback->Face, ch) != 0);
}

const TGlyph& TFontFace::Glyph(char32_t ch)
{
    auto found = FGlyphs.find(ch);
    if (found != FGlyphs.end())
        return found->second;
    TGlyph& g = FGlyphs[ch];
    if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0))
        return g;  // control characters take no room
    TFace* face = FPrimary.get();
    FT_UInt index = FT_Get_Char_Index(face->Face, ch);
    if (index == 0 && FFallback) {
        FT_UInt other = FT_Get_Char_Index(FFallback->Face, ch);
        if (other != 0) {
            face = FFallback.get();
            index = other;
        }
    }
    if (FT_Load_Glyph(face->Face, index, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP) != 0)
        return g;
    FT_GlyphSlot slot = face->Face->glyph;
    if (face->SyntheticBold)
        FT_GlyphSlot_Embolden(slot);
    if (face->SyntheticItalic)
        FT_GlyphSlot_Oblique(slot);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return g;
    const FT_Bitmap& bm = slot->bitmap;
    g.Advance = int(std::lround(slot->advance.x / 64.0));
    g.Left = slot->bitmap_left;
    g.Top = slot->bitmap_top;
    if (bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.width > 0 && bm.rows > 0) {
        g.Width = int(bm.width);
        g.Height = int(bm.rows);
        g.Coverage.resize(size_t(g.Width) * size_t(g.Height));
        const int pitch = bm.pitch < 0 ? -bm.pitch : bm.pitch;
        for (int y = 0; y < g.Height; ++y) {
            const unsigned char* src = bm.pitch < 0 ? bm.buffer + (g.Height - 1 - y) * pitch : bm.buffer + y * pitch;
            std::copy(src, src + g.Width, g.Coverage.begin() + ptrdiff_t(y) * g.Width);
        }
    }
    return g;
}

TFontFace& RealiseFont(const TFontData& data)
{
    // Realised fonts live as long as the program: the set a program uses is small.
    static std::map<std::tuple<std::string, int, TFontStyles>, std::unique_ptr<TFontFace>> faces;
    auto key = std::make_tuple(LowerAscii(data.Name), data.Height, data.Style & (fsBold | fsItalic | fsUnderline | fsStrikeOut));
    auto it = faces.find(key);
    if (it == faces.end())
        it = faces.emplace(key, std::make_unique<TFontFace>(data)).first;
    return *it->second;
}

}  // namespace gfx_detail
