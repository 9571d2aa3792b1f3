#include "tests/skin_controls/ControlsFixture.h"
#include <cstdio>
#include "platform/gfx/Text.h"

namespace {

using namespace TestSkin;

void FillCell(TBitmap& B, const TRect& R, TColor Face, bool Bordered = true)
{
    TCanvas& c = *B.Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Bordered ? Border : Face);
    c.FillRect(R);
    if (Bordered) {
        c.Brush().SetColor(Face);
        c.FillRect(TRect{R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2});
    }
}

// A check image: key colour around, the mark colour inside.
void KeyedCell(TBitmap& B, const TRect& R, TColor Inner)
{
    TCanvas& c = *B.Canvas();
    c.Brush().SetColor(Key);
    c.FillRect(R);
    c.Brush().SetColor(Border);
    c.FillRect(TRect{R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2});
    c.Brush().SetColor(Inner);
    c.FillRect(TRect{R.Left + 3, R.Top + 3, R.Right - 3, R.Bottom - 3});
}

std::string NineSlice(const TRect& R, int Corner, int RightBand = 0)
{
    const int w = R.Width(), h = R.Height();
    const int right = w - (RightBand ? RightBand : Corner);
    return "pictureindex=0\nmaskpictureindex=-1\nskinrect=" + RectText(R) + "\nlefttoppoint=" +
           std::to_string(Corner) + "," + std::to_string(Corner) + "\nrighttoppoint=" + std::to_string(right) + "," +
           std::to_string(Corner) + "\nleftbottompoint=" + std::to_string(Corner) + "," +
           std::to_string(h - Corner) + "\nrightbottompoint=" + std::to_string(right) + "," +
           std::to_string(h - Corner) + "\nclientrect=" +
           RectText(TRect{Corner, Corner, right, h - Corner}) +
           "\nleftstretch=1\ntopstretch=1\nrightstretch=1\nbottomstretch=1\nstretcheffect=1\nstretchtype=stfull\n";
}

std::string Colors(TColor Font, TColor Active, TColor Down, TColor Disabled)
{
    return "fontname=Arial\nfontheight=14\nfontcolor=" + std::to_string(Font) + "\nactivefontcolor=" +
           std::to_string(Active) + "\ndownfontcolor=" + std::to_string(Down) +
           "\ndisabledfontcolor=" + std::to_string(Disabled) + "\n";
}

}  // namespace

TTestSkinFolder::TTestSkinFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "skincontrols-XXXXXX").string();
    FPath = mkdtemp(pattern.data());

    TBitmap pic(200, 200);
    pic.Fill(RGB(255, 255, 255));
    // Push button faces 40 x 20 at the top, the animation strip below them.
    const TColor faces[] = {Normal, Active, Down, Focused, Disabled};
    for (int i = 0; i < 5; ++i)
        FillCell(pic, Cell(i, 0, 40, 20), faces[i]);
    for (int i = 0; i < 4; ++i)
        FillCell(pic, Cell(i, 20, 40, 20), Frame(i + 1));
    // Check box face and its check images.
    FillCell(pic, TRect{0, 40, 100, 60}, RGB(230, 230, 230), false);
    const TColor checks[] = {Check, UnCheck, ActiveCheck, RGB(200, 255, 200), Disabled, RGB(210, 210, 210)};
    for (int i = 0; i < 6; ++i)
        KeyedCell(pic, Cell(i, 60, 14, 14), checks[i]);
    // Tool button faces 30 x 30.
    for (int i = 0; i < 4; ++i)
        FillCell(pic, Cell(i, 80, 30, 30), i == 3 ? Disabled : faces[i]);
    // Tool menu button faces 45 x 30 with a track band of 15 at the right.
    for (int i = 0; i < 4; ++i) {
        const TRect r = Cell(i, 110, 45, 30);
        FillCell(pic, r, i == 3 ? Disabled : faces[i]);
        FillCell(pic, TRect{r.Right - 15, r.Top, r.Right, r.Bottom}, i == 2 ? Track : faces[i]);
    }
    // Menu markers 7 x 7 on the key colour.
    for (int i = 0; i < 4; ++i) {
        const TRect r = Cell(i, 140, 7, 7);
        TCanvas& c = *pic.Canvas();
        c.Brush().SetColor(Key);
        c.FillRect(r);
        c.Brush().SetColor(RGB(0, 0, 0));
        c.FillRect(TRect{r.Left + 1, r.Top + 2, r.Right - 1, r.Top + 5});
    }
    // Track parts of the new style.
    for (int i = 0; i < 3; ++i)
        FillCell(pic, Cell(i, 150, 30, 15), i == 2 ? Track : faces[i]);
    for (int i = 0; i < 3; ++i)
        FillCell(pic, TRect{100 + i * 15, 150, 115 + i * 15, 180}, i == 2 ? Track : faces[i]);
    pic.SaveToFile(FPath + "/controls.bmp");
    std::string viewsIni = WriteViewsPicture(FPath + "/views.bmp", 4);

    // The masked button's mask: black inside, its 3 x 3 corners cut away.
    TBitmap shape(40, 20);
    shape.Fill(RGB(0, 0, 0));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            for (TPoint p : {TPoint{x, y}, TPoint{39 - x, y}, TPoint{x, 19 - y}, TPoint{39 - x, 19 - y}})
                shape.SetPixel(p.X, p.Y, RGB(255, 255, 255));
    shape.SaveToFile(FPath + "/shape.bmp");

    TBitmap glow(48, 28), mask(48, 28), main(60, 50);
    glow.Fill(RGB(255, 255, 0));
    mask.Fill(RGB(128, 128, 128));
    main.Fill(RGB(100, 100, 100));
    glow.SaveToFile(FPath + "/glow.bmp");
    mask.SaveToFile(FPath + "/glowmask.bmp");
    main.SaveToFile(FPath + "/main.bmp");

    std::string ini =
        "[VERSION]\nver=1\nskinname=Controls test\n"
        "[PICTURES]\npicture=main.bmp\ninactivepicture=\nmask=\nactivepicturescount=5\n0=controls.bmp\n1=glow.bmp\n"
        "2=glowmask.bmp\n3=shape.bmp\n4=views.bmp\n"
        "[FORMINFO]\nlefttoppoint=10,20\nrighttoppoint=50,20\nleftbottompoint=10,40\nrightbottompoint=50,40\n"
        "clientrect=5,18,55,45\n"
        "[SKINCOLORS]\ncbtnface=12632256\ncbtntext=0\ncbtnshadow=8421504\ncbtnhighlight=16777215\n"
        "[SKINOBJECTS]\ncount=0\n"
        "[SKINCONTROLS]\ncount=16\n10=hscrollbar:scrollbar\n11=vscrollbar:scrollbar\n"
        "12=bothhscrollbar:scrollbar\n13=slider:slider\n14=treeview:treeview\n15=listview:listview\n0=button:button\n1=checkbox:checkradio\n2=radiobox:checkradio\n"
        "3=toolbutton:button\n4=resizetoolbutton:button\n5=toolmenubutton:menubutton\n"
        "6=htracktoolbutton:button\n7=vtracktoolbutton:button\n8=stdlabel:stdlabel\n9=maskedbutton:button\n";
    ini += "[button]\n" + NineSlice(Cell(0, 0, 40, 20), 4) +
           Colors(RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 0, 0)) +
           "activeskinrect=" + RectText(Cell(1, 0, 40, 20)) + "\ndownskinrect=" + RectText(Cell(2, 0, 40, 20)) +
           "\nfocusedskinrect=" + RectText(Cell(3, 0, 40, 20)) + "\ndisabledskinrect=" +
           RectText(Cell(4, 0, 40, 20)) +
           "\nmorphing=1\nmorphkind=mkdefault\nanimateskinrect=0,20,160,40\nframecount=4\nanimateinterval=30\n"
           "showfocus=1\nglowlayerpictureindex=1\nglowlayermaskpictureindex=2\nglowlayeroffsetleft=4\n"
           "glowlayeroffsetright=4\nglowlayeroffsettop=4\nglowlayeroffsetbottom=4\nglowlayershowoffsetx=4\n"
           "glowlayershowoffsety=4\nglowlayeralphablendvalue=200\n";
    {
        std::string masked = NineSlice(Cell(0, 0, 40, 20), 4);
        masked.replace(masked.find("maskpictureindex=-1"), 19, "maskpictureindex=3");
        ini += "[maskedbutton]\n" + masked;
    }
    for (const char* name : {"checkbox", "radiobox"})
        ini += std::string("[") + name + "]\npictureindex=0\nmaskpictureindex=-1\nskinrect=0,40,100,60\n"
               "lefttoppoint=22,0\nrighttoppoint=96,0\nleftbottompoint=0,0\nrightbottompoint=0,0\n"
               "clientrect=22,0,96,20\nstretcheffect=1\nfontname=Arial\nfontheight=14\nfontcolor=0\n"
               "framefontcolor=" + std::to_string(RGB(0, 0, 120)) + "\nactivefontcolor=" +
               std::to_string(RGB(0, 0, 200)) + "\nunenabledfontcolor=" + std::to_string(RGB(128, 128, 128)) +
               "\ncheckimagearea=0,0,20,20\ntextarea=22,0,98,20\ncheckimagerect=" + RectText(Cell(0, 60, 14, 14)) +
               "\nuncheckimagerect=" + RectText(Cell(1, 60, 14, 14)) + "\nactivecheckimagerect=" +
               RectText(Cell(2, 60, 14, 14)) + "\nactiveuncheckimagerect=" + RectText(Cell(3, 60, 14, 14)) +
               "\nunenabledcheckimagerect=" + RectText(Cell(4, 60, 14, 14)) + "\nmorphing=0\n";
    for (const char* name : {"toolbutton", "resizetoolbutton"})
        ini += std::string("[") + name + "]\n" + NineSlice(Cell(0, 80, 30, 30), 3) +
               Colors(RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 0, 0)) + "activeskinrect=" +
               RectText(Cell(1, 80, 30, 30)) + "\ndownskinrect=" + RectText(Cell(2, 80, 30, 30)) +
               "\ndisabledskinrect=" + RectText(Cell(3, 80, 30, 30)) + "\nmorphing=0\n";
    ini += "[toolmenubutton]\n" + NineSlice(Cell(0, 110, 45, 30), 3, 15) +
           Colors(RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 0, 0)) + "activeskinrect=" +
           RectText(Cell(1, 110, 45, 30)) + "\ndownskinrect=" + RectText(Cell(2, 110, 45, 30)) +
           "\ndisabledskinrect=" + RectText(Cell(3, 110, 45, 30)) + "\nmorphing=0\ntrackbuttonrect=30,0,45,30\n" +
           "menumarkerflatrect=" + RectText(Cell(0, 140, 7, 7)) + "\nmenumarkerrect=" + RectText(Cell(1, 140, 7, 7)) +
           "\nmenumarkeractiverect=" + RectText(Cell(2, 140, 7, 7)) + "\nmenumarkerdownrect=" +
           RectText(Cell(3, 140, 7, 7)) + "\nmenumarkertransparentcolor=" + std::to_string(Key) + "\n";
    ini += "[htracktoolbutton]\n" + NineSlice(Cell(0, 150, 30, 15), 3) +
           "activeskinrect=" + RectText(Cell(1, 150, 30, 15)) + "\ndownskinrect=" + RectText(Cell(2, 150, 30, 15)) +
           "\n";
    ini += "[vtracktoolbutton]\n" + NineSlice(TRect{100, 150, 115, 180}, 3) +
           "activeskinrect=115,150,130,180\ndownskinrect=130,150,145,180\n";
    ini += "[stdlabel]\npictureindex=-1\nfontname=Arial\nfontheight=14\nfontcolor=" + std::to_string(LabelText) +
           "\nactivefontcolor=" + std::to_string(LabelActive) + "\n";
    ini += viewsIni;
    AddPanelElements(ini, FPath);
    std::ofstream(FPath + "/skin.ini", std::ios::binary) << ini;
}

void TControlsTest::SetUp()
{
    Backend = &UseHeadlessBackend();
    Application->Initialize();
    Form = NewForm<TForm>(nullptr, TFormCreation::New);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(50, 50, 400, 300);
    Form->SetColor(RGB(240, 240, 240));
    Form->Show();
    Pump();
}

void TControlsTest::TearDown()
{
    delete Form;
    Form = nullptr;
    FTestSkin.reset();
    FBaseSkin.reset();
    FStored.reset();
    UseHeadlessBackend();
}

TbsSkinData* TControlsTest::TestSkinData()
{
    if (!FTestSkin) {
        FSkinFolder = std::make_unique<TTestSkinFolder>();
        FTestSkin = std::make_unique<TbsSkinData>(nullptr);
        FTestSkin->LoadFromFile(FSkinFolder->IniPath());
    }
    return FTestSkin.get();
}

TbsSkinData* TControlsTest::BaseSkinData()
{
    if (!FBaseSkin) {
        const TEmbeddedSkin& skin = MainSkins()[0];
        FStored = std::make_unique<TbsCompressedStoredSkin>(nullptr);
        TMemoryStream data;
        data.Write(skin.Data, static_cast<int64_t>(skin.Size));
        FStored->LoadFromCompressStream(data);
        FBaseSkin = std::make_unique<TbsSkinData>(nullptr);
        FBaseSkin->LoadCompressedStoredSkin(FStored.get());
    }
    return FBaseSkin.get();
}

void TControlsTest::MoveTo(TControl* c, int x, int y)
{
    const TPoint p = At(c, x, y);
    Backend->MouseMove(p.X, p.Y);
    Pump();
}

void TControlsTest::Press(TControl* c, int x, int y)
{
    MoveTo(c, x, y);
    const TPoint p = At(c, x, y);
    Backend->MouseDown(p.X, p.Y);
    Pump();
}

void TControlsTest::Release(TControl* c, int x, int y)
{
    const TPoint p = At(c, x, y);
    Backend->MouseUp(p.X, p.Y);
    Pump();
}

void TControlsTest::Click(TControl* c, int x, int y)
{
    Press(c, x, y);
    Release(c, x, y);
}

void TControlsTest::MoveAway()
{
    Backend->MouseMove(Form->Left() + 395, Form->Top() + 295);
    Pump();
}

void TControlsTest::Wait(int Ms, int Step)
{
    // Pumping moves the headless clock a little too; the end time holds.
    const uint64_t end = Backend->Now() + uint64_t(Ms);
    while (Backend->Now() < end) {
        Backend->Advance(uint32_t(std::min<uint64_t>(uint64_t(Step), end - Backend->Now())));
        Pump();
    }
}

std::unique_ptr<TBitmap> TControlsTest::Capture()
{
    Form->Update();
    Pump();
    return Backend->CaptureWindow(Form->Handle());
}

TColor TControlsTest::PixelOf(TControl* c, int x, int y)
{
    const TPoint p = Form->ScreenToClient(At(c, x, y));
    return Capture()->GetPixel(p.X, p.Y);
}

TBitmap TControlsTest::Snapshot(TControl* c)
{
    auto all = Capture();
    const TPoint p = Form->ScreenToClient(At(c, 0, 0));
    TBitmap out(c->Width(), c->Height());
    for (int y = 0; y < c->Height(); ++y)
        for (int x = 0; x < c->Width(); ++x)
            out.SetPixel(x, y, all->GetPixel(p.X + x, p.Y + y));
    return out;
}

std::string TControlsTest::RenderFolder()
{
    const std::string dir = std::string(SKIN_CONTROLS_RENDER_DIR);
    std::filesystem::create_directories(dir);
    return dir;
}

void TRenderSheet::Add(const std::string& Label, const TBitmap& Picture) { FRows.back().push_back({Label, Picture}); }

void TRenderSheet::NewRow() { FRows.emplace_back(); }

void TRenderSheet::Save(const std::string& Name)
{
    constexpr int Gap = 8, LabelH = 16;
    TBitmap measure(1, 1);
    TCanvas& m = *measure.Canvas();
    m.Font().SetName("Arial");
    m.Font().SetHeight(12);
    auto cellWidth = [&](const TItem& item) { return std::max(item.Picture.Width(), m.TextWidth(item.Label)); };
    int width = Gap, height = Gap;
    for (const auto& row : FRows) {
        int w = Gap, h = 0;
        for (const auto& item : row) {
            w += cellWidth(item) + Gap;
            h = std::max(h, item.Picture.Height());
        }
        width = std::max(width, w);
        height += h + LabelH + Gap;
    }
    TBitmap sheet(width, height);
    sheet.Fill(RGB(240, 240, 240));
    TCanvas& c = *sheet.Canvas();
    c.Font().SetName("Arial");
    c.Font().SetHeight(12);
    c.Font().SetColor(RGB(60, 60, 60));
    c.Brush().SetStyle(bsClear);
    int y = Gap;
    for (const auto& row : FRows) {
        int x = Gap, h = 0;
        for (const auto& item : row) {
            c.TextOut(x, y, item.Label);
            c.Draw(x, y + LabelH, item.Picture);
            x += cellWidth(item) + Gap;
            h = std::max(h, item.Picture.Height());
        }
        y += h + LabelH + Gap;
    }
    TPngImage png;
    png.Assign(sheet);
    png.SaveToFile(TControlsTest::RenderFolder() + "/" + Name + ".png");
}
