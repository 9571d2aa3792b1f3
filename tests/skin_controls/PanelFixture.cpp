// The test skin's panel-like elements: one picture of their own, appended
// to the skin's picture list and control list wherever those end.
#include "tests/skin_controls/ControlsFixture.h"

namespace {

using namespace TestSkin;

std::string PointText(int X, int Y) { return std::to_string(X) + "," + std::to_string(Y); }

void Fill(TBitmap& B, const TRect& R, TColor C)
{
    B.Canvas()->Brush().SetStyle(bsSolid);
    B.Canvas()->Brush().SetColor(C);
    B.Canvas()->FillRect(R);
}

// A face with a border of Thick pixels.
void Framed(TBitmap& B, const TRect& R, TColor Face, int Thick)
{
    Fill(B, R, PanelBorder);
    Fill(B, TRect{R.Left + Thick, R.Top + Thick, R.Right - Thick, R.Bottom - Thick}, Face);
}

std::string Element(int Picture, const TRect& Skin, TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& Client)
{
    return "pictureindex=" + std::to_string(Picture) + "\nmaskpictureindex=-1\nskinrect=" + RectText(Skin) +
           "\nlefttoppoint=" + PointText(LT.X, LT.Y) + "\nrighttoppoint=" + PointText(RT.X, RT.Y) +
           "\nleftbottompoint=" + PointText(LB.X, LB.Y) + "\nrightbottompoint=" + PointText(RB.X, RB.Y) +
           "\nclientrect=" + RectText(Client) +
           "\nleftstretch=0\ntopstretch=0\nrightstretch=0\nbottomstretch=0\nstretcheffect=0\n";
}

// Adds Lines at the end of Section (before the next section), and raises
// the section's counter key Counter by Added.
void AppendToSection(std::string& Ini, const std::string& Section, const std::string& Counter, int& First,
                     const std::vector<std::string>& Lines)
{
    const size_t at = Ini.find("[" + Section + "]\n");
    const size_t key = Ini.find(Counter + "=", at);
    const size_t valueEnd = Ini.find('\n', key);
    const size_t valueStart = key + Counter.size() + 1;
    First = std::stoi(Ini.substr(valueStart, valueEnd - valueStart));
    Ini.replace(valueStart, valueEnd - valueStart, std::to_string(First + int(Lines.size())));
    size_t end = Ini.find("\n[", at + 1);
    end = end == std::string::npos ? Ini.size() : end + 1;
    std::string add;
    for (size_t i = 0; i < Lines.size(); ++i)
        add += std::to_string(First + int(i)) + "=" + Lines[i] + "\n";
    Ini.insert(end, add);
}

}  // namespace

void AddPanelElements(std::string& Ini, const std::string& Folder)
{
    TBitmap pic(200, 100);
    pic.Fill(RGB(255, 255, 255));
    // Panel 40 x 40, border 4.
    Framed(pic, TRect{0, 0, 40, 40}, PanelFace, 4);
    // Group box 40 x 40 with a caption band at the top.
    Framed(pic, TRect{40, 0, 80, 40}, PanelFace, 4);
    Fill(pic, TRect{44, 0, 76, 16}, PanelCaption);
    // Tool panel 40 x 34, client 30 high from 2.
    Fill(pic, TRect{80, 0, 120, 34}, PanelBorder);
    Fill(pic, TRect{83, 2, 117, 32}, ToolFace);
    // Status bar 40 x 22 and its 12 x 12 grip on the key colour.
    Fill(pic, TRect{120, 0, 160, 22}, PanelBorder);
    Fill(pic, TRect{122, 1, 158, 21}, StatusFace);
    Fill(pic, TRect{160, 0, 172, 12}, Key);
    Fill(pic, TRect{164, 4, 172, 12}, Grip);
    // Vertical splitter 8 x 40 with caps of 4, horizontal 40 x 8; gripper 4 x 6.
    Fill(pic, TRect{0, 40, 8, 80}, PanelBorder);
    Fill(pic, TRect{0, 44, 8, 76}, SplitterFace);
    Fill(pic, TRect{20, 40, 60, 48}, PanelBorder);
    Fill(pic, TRect{24, 40, 56, 48}, SplitterFace);
    Fill(pic, TRect{70, 40, 76, 46}, Key);
    Fill(pic, TRect{71, 41, 75, 45}, Gripper);
    pic.SaveToFile(Folder + "/panels.bmp");

    int picture = 0, first = 0;
    AppendToSection(Ini, "PICTURES", "activepicturescount", picture, {"panels.bmp"});
    AppendToSection(Ini, "SKINCONTROLS", "count", first,
                    {"panel:panel", "groupbox:panel", "toolpanel:panel", "bigtoolpanel:panel",
                     "resizetoolpanel:panel", "statusbar:panel", "label:label", "bevel:bevel", "vsplitter:splitter",
                     "hsplitter:splitter"});

    const std::string font = "fontname=Arial\nfontheight=14\nfontcolor=" + std::to_string(PanelText) + "\n";
    Ini += "[panel]\n" + Element(picture, TRect{0, 0, 40, 40}, {4, 4}, {36, 4}, {4, 36}, {36, 36}, {4, 4, 36, 36}) +
           font + "alignment=taleftjustify\n";
    Ini += "[groupbox]\n" +
           Element(picture, TRect{40, 0, 80, 40}, {4, 18}, {36, 18}, {4, 36}, {36, 36}, {4, 18, 36, 36}) + font +
           "alignment=taleftjustify\ncaptionrect=4,0,36,16\n";
    for (const char* name : {"toolpanel", "bigtoolpanel", "resizetoolpanel"})
        Ini += std::string("[") + name + "]\n" +
               Element(picture, TRect{80, 0, 120, 34}, {3, 0}, {37, 0}, {0, 0}, {0, 0}, {3, 2, 37, 32}) + font;
    Ini += "[statusbar]\n" +
           Element(picture, TRect{120, 0, 160, 22}, {2, 0}, {38, 0}, {0, 0}, {0, 0}, {2, 1, 38, 21}) + font +
           "gripperrect=160,0,172,12\ngrippertransparent=1\ngrippertransparentcolor=" + std::to_string(Key) + "\n";
    Ini += "[label]\n" + Element(picture, TRect{0, 0, 40, 40}, {4, 4}, {36, 4}, {4, 36}, {36, 36}, {4, 4, 36, 36}) +
           font;
    Ini += "[bevel]\nlightcolor=" + std::to_string(BevelLight) + "\ndarkcolor=" + std::to_string(BevelDark) + "\n";
    Ini += "[vsplitter]\n" + Element(picture, TRect{0, 40, 8, 80}, {0, 4}, {0, 0}, {0, 36}, {0, 0}, {0, 4, 8, 36}) +
           "gripperrect=70,40,76,46\ngrippertransparent=1\ngrippertransparentcolor=" + std::to_string(Key) + "\n";
    Ini += "[hsplitter]\n" + Element(picture, TRect{20, 40, 60, 48}, {4, 0}, {36, 0}, {0, 0}, {0, 0}, {4, 0, 36, 8}) +
           "gripperrect=70,40,76,46\ngrippertransparent=1\ngrippertransparentcolor=" + std::to_string(Key) + "\n";
}
