#include "skin/draw/RectUtils.h"
#include "tests/skin_controls/ControlsFixture.h"

namespace {

using namespace TestSkin;

std::string RectKey(const char* Key, const TRect& R)
{
    return std::string(Key) + "=" + std::to_string(R.Left) + "," + std::to_string(R.Top) + "," +
           std::to_string(R.Right) + "," + std::to_string(R.Bottom) + "\n";
}

void Box(TCanvas& C, const TRect& R, TColor Face)
{
    C.Brush().SetColor(Border);
    C.FillRect(R);
    C.Brush().SetColor(Face);
    C.FillRect(TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1});
}

// A bar of 100 along with 17-pixel buttons at its ends; Corner adds a
// 19-pixel square at the right end.
std::string Bar(TCanvas& C, int Index, const char* Name, const TRect& Cell, bool Vertical, const TRect& States,
                const TRect& Thumbs)
{
    C.Brush().SetColor(BarTrack);
    C.FillRect(Cell);
    const int len = 100;
    const TRect dec = Vertical ? TRect{0, 0, 19, 17} : TRect{0, 0, 17, 19};
    const TRect inc = Vertical ? TRect{0, len - 17, 19, len} : TRect{len - 17, 0, len, 19};
    Box(C, TRect{Cell.Left + dec.Left, Cell.Top + dec.Top, Cell.Left + dec.Right, Cell.Top + dec.Bottom}, Normal);
    Box(C, TRect{Cell.Left + inc.Left, Cell.Top + inc.Top, Cell.Left + inc.Right, Cell.Top + inc.Bottom}, Normal);
    if (RectWidth(Cell) > len && !Vertical) {
        C.Brush().SetColor(Disabled);
        C.FillRect(TRect{Cell.Left + len, Cell.Top, Cell.Right, Cell.Bottom});
    }
    const int sw = dec.Right - dec.Left, sh = dec.Bottom - dec.Top;
    auto state = [&](int i) {
        return Vertical ? TRect{States.Left + i * sw, States.Top, States.Left + (i + 1) * sw, States.Top + sh}
                        : TRect{States.Left + i * sw, States.Top, States.Left + (i + 1) * sw, States.Top + sh};
    };
    const TColor faces[] = {Active, Down, Active, Down};
    for (int i = 0; i < 4; ++i)
        Box(C, state(i), faces[i]);
    const int tw = Vertical ? 15 : 20, th = Vertical ? 20 : 15;
    auto thumb = [&](int i) { return TRect{Thumbs.Left + i * tw, Thumbs.Top, Thumbs.Left + (i + 1) * tw, Thumbs.Top + th}; };
    const TColor thumbs[] = {Focused, Active, Down};
    for (int i = 0; i < 3; ++i)
        Box(C, thumb(i), thumbs[i]);
    std::string s = std::string("[") + Name + "]\npictureindex=" + std::to_string(Index) + "\nmaskpictureindex=-1\n";
    s += RectKey("skinrect", Cell);
    if (Vertical)
        s += "lefttoppoint=0,17\nrighttoppoint=0,0\nleftbottompoint=0,82\nrightbottompoint=0,0\n" +
             RectKey("clientrect", TRect{0, 17, 19, 83}) + RectKey("trackarea", TRect{0, 17, 19, 83});
    else
        s += "lefttoppoint=17,0\nrighttoppoint=82,0\nleftbottompoint=0,0\nrightbottompoint=0,0\n" + RectKey("clientrect", TRect{17, 0, 83, 19}) +
             RectKey("trackarea", TRect{17, 0, 83, 19});
    s += RectKey("upbuttonrect", inc) + RectKey("activeupbuttonrect", state(0)) +
         RectKey("downupbuttonrect", state(1)) + RectKey("downbuttonrect", dec) +
         RectKey("activedownbuttonrect", state(2)) + RectKey("downdownbuttonrect", state(3)) +
         RectKey("thumbrect", thumb(0)) + RectKey("activethumbrect", thumb(1)) + RectKey("downthumbrect", thumb(2)) +
         "thumboffset1=3\nthumboffset2=3\nthumbstretcheffect=1\nstretcheffect=1\n";
    return s;
}

}  // namespace

std::string WriteViewsPicture(const std::string& Path, int PictureIndex)
{
    TBitmap pic(240, 160);
    pic.Fill(RGB(255, 255, 255));
    TCanvas& c = *pic.Canvas();
    c.Brush().SetStyle(bsSolid);
    std::string ini;
    ini += Bar(c, PictureIndex, "hscrollbar", TRect{0, 0, 100, 19}, false, TRect{0, 20, 68, 39}, TRect{0, 40, 60, 55});
    ini += Bar(c, PictureIndex, "vscrollbar", TRect{100, 0, 119, 100}, true, TRect{120, 0, 196, 17},
               TRect{120, 20, 165, 40});
    ini += Bar(c, PictureIndex, "bothhscrollbar", TRect{0, 60, 119, 79}, false, TRect{0, 80, 68, 99},
               TRect{0, 100, 60, 115});
    // Slider: rulers with dark caps, thumbs of two states side by side.
    const TRect hRuler{0, 120, 40, 128}, vRuler{50, 120, 58, 160}, hThumb{70, 120, 100, 135}, vThumb{110, 120, 140, 135};
    for (const TRect& r : {hRuler, vRuler}) {
        c.Brush().SetColor(Border);
        c.FillRect(r);
        c.Brush().SetColor(SliderRuler);
        c.FillRect(TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
    }
    for (const TRect& r : {hThumb, vThumb}) {
        c.Brush().SetColor(Key);
        c.FillRect(r);
        Box(c, TRect{r.Left + 1, r.Top, r.Left + 14, r.Bottom}, Normal);
        Box(c, TRect{r.Left + 16, r.Top, r.Left + 29, r.Bottom}, Down);
    }
    ini += "[slider]\npictureindex=" + std::to_string(PictureIndex) + "\nmaskpictureindex=-1\nskinrect=0,0,0,0\n" +
           "bgcolor=" + std::to_string(SliderBack) + "\n" + RectKey("hrulerrect", hRuler) +
           RectKey("hthumbrect", hThumb) + RectKey("vrulerrect", vRuler) + RectKey("vthumbrect", vThumb) +
           "edgesize=3\npointscolor=" + std::to_string(SliderPoints) + "\n";
    for (const char* name : {"treeview", "listview"})
        ini += std::string("[") + name + "]\npictureindex=-1\nmaskpictureindex=-1\nskinrect=0,0,0,0\n" +
               "fontname=Arial\nfontheight=14\nfontcolor=" + std::to_string(ViewText) +
               "\nbgcolor=" + std::to_string(ViewBack) + "\n";
    pic.SaveToFile(Path);
    return ini;
}
