// The main window's components, created in stored order.
#include "app/jobs/JobColumns.h"
#include "app/main/FormBuilding.h"
#include "app/main/MainForm.h"
#include "app/jobs/JobPreset.h"
#include "app/main/MainFaces.h"
#include "app/main/MainOutputHost.h"
#include "app/main/MainPreviewHost.h"
#include "app/preview/PreviewPanel.h"
#include "app/presets/PresetCascade.h"
#include "engine/task/FFConverter.h"
#include "app/main/ProgramSkins.h"
#include "app/main/ProgramTexts.h"
#include "skin/data/ResourceStrings.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/controls/TabControl.h"
#include "platform/ui/forms/Dialogs.h"
#include "platform/ui/Keys.h"
#include "resources/pictures/ResourcePictures.h"
#include "resources/skins/EmbeddedSkins.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSlider.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinList.h"
#include "skin/frame/FormFrame.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/dialogs/OpenDialog.h"
#include "skin/dialogs/PictureDialogs.h"
#include "skin/dialogs/SkinMessage.h"
#include "skin/dialogs/SelectDirectoryDialog.h"
#include "skin/dialogs/SkinPicker.h"
#include "skin/menus/SkinMainMenuBar.h"
#include "skin/menus/SkinMenu.h"

namespace {

TMenuItem* AddItem(TComponent* AOwner, TMenuItem* AParent, const std::string& AName, const std::string& ACaption)
{
    auto* item = MakeComponent<TMenuItem>(AOwner, AName);
    item->SetCaption(ACaption);
    AParent->Add(item);
    return item;
}

// A divider: the menus draw "-" as a line and the keyboard passes over it.
void AddSeparator(TComponent* AOwner, TMenuItem* AParent)
{
    auto* item = new TMenuItem(AOwner);
    item->SetCaption("-");
    AParent->Add(item);
}

}  // namespace

void TForm1::BuildMenus()
{
    MainMenu1 = MakeComponent<TbsSkinMainMenu>(this, "MainMenu1");
    MainMenu1->SetSkinData(bsSkinData1);
    TMenuItem* root = MainMenu1->Items();
    N1 = AddItem(this, root, "N1", "文件");
    Item111 = AddItem(this, N1, "Item111", "添加一个文件");
    Item121 = AddItem(this, N1, "Item121", "添加多个文件");
    N21 = AddItem(this, N1, "N21", "添加整个目录");
    AddSeparator(this, N1);
    N4 = AddItem(this, N1, "N4", "退出");
    N6 = AddItem(this, root, "N6", "编辑");
    N111 = AddItem(this, N6, "N111", "上移文件");
    N2221 = AddItem(this, N6, "N2221", "下移文件");
    AddSeparator(this, N6);
    N13 = AddItem(this, N6, "N13", "删除选择");
    N14 = AddItem(this, N6, "N14", "清空文件");
    AddSeparator(this, N6);
    N26 = AddItem(this, N6, "N26", "重新命名");
    N9 = AddItem(this, root, "N9", "动作");
    N7 = AddItem(this, N9, "N7", "开始转换");
    N8 = AddItem(this, N9, "N8", "停止转换");
    AddSeparator(this, N9);
    N10 = AddItem(this, N9, "N10", "暂停转换");
    N11 = AddItem(this, N9, "N11", "继续继续");
    N22 = AddItem(this, root, "N22", "功能");
    N24 = AddItem(this, N22, "N24", "转换设置");
    N23 = AddItem(this, N22, "N23", "软件皮肤");
    N3 = AddItem(this, root, "N3", "帮助");
    N15 = AddItem(this, N3, "N15", "帮助系统");
    N15->SetShortCut(VK_F1);
    AddSeparator(this, N3);
    N19 = AddItem(this, N3, "N19", "官方网站");
    N5 = AddItem(this, N3, "N5", "关于软件");
    for (TMenuItem* item : {N13, N14, N26, N7, N8, N10, N11})
        item->SetEnabled(false);

    bsSkinPopupMenu1 = MakeComponent<TbsSkinPopupMenu>(this, "bsSkinPopupMenu1");
    N11111 = AddItem(this, bsSkinPopupMenu1->Items(), "N11111", "添加一个文件");
    N2222 = AddItem(this, bsSkinPopupMenu1->Items(), "N2222", "添加多个文件");
    N3331 = AddItem(this, bsSkinPopupMenu1->Items(), "N3331", "添加整个目录");

    bsSkinPopupMenu2 = MakeComponent<TbsSkinPopupMenu>(this, "bsSkinPopupMenu2");
    N27 = AddItem(this, bsSkinPopupMenu2->Items(), "N27", "打开快照目录");
    N28 = AddItem(this, bsSkinPopupMenu2->Items(), "N28", "设置快照目录");
    AddSeparator(this, bsSkinPopupMenu2->Items());
    N30 = AddItem(this, bsSkinPopupMenu2->Items(), "N30", "快照保存类型");
    BMP1 = AddItem(this, N30, "BMP1", "BMP文件");
    JPG1 = AddItem(this, N30, "JPG1", "JPG文件");
    GIF1 = AddItem(this, N30, "GIF1", "GIF文件");
    PNG1 = AddItem(this, N30, "PNG1", "PNG文件");
    for (TMenuItem* item : {BMP1, JPG1, GIF1, PNG1}) {
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
    }
    BMP1->SetChecked(true);

    bsSkinMainMenuBar1 = MakeControl<TbsSkinMainMenuBar>(this, this, "bsSkinMainMenuBar1", 0, 0, 839, 24);
    bsSkinMainMenuBar1->SetAlign(alTop);
    bsSkinMainMenuBar1->SetFormFrame(bsBusinessSkinForm1);
    bsSkinMainMenuBar1->SetMainMenu(MainMenu1);
    bsSkinMainMenuBar1->SetSkinData(bsSkinData1);
    bsBusinessSkinForm1->SetMainMenuBar(bsSkinMainMenuBar1);
}

void TForm1::BuildToolBar()
{
    bsSkinToolBar1 = MakeControl<TbsSkinToolBar>(this, this, "bsSkinToolBar1", 0, 24, 839, 52);
    bsSkinToolBar1->SetSkinDataName("resizetoolpanel");
    bsSkinToolBar1->SetAlign(alTop);
    // Should the window ever be too narrow for its tools, arrows scroll them.
    bsSkinToolBar1->SetCanScroll(true);
    bsSkinToolBar1->SetHotScroll(true);
    bsSkinToolBar1->SetScrollOffset(30);
    bsSkinToolBar1->SetScrollTimerInterval(50);
    bsSkinToolBar1->SetAdjustControls(true);
    bsSkinToolBar1->SetShowCaptions(true);
    ImageList3 = MakeComponent<TImageList>(this, "ImageList3");
    ImageList3->SetWidth(32);
    ImageList3->SetHeight(32);
    for (const char* name : {"TOOL_ADD", "TOOL_OPTIONS"})
        if (TBitmap picture; FindResBitmap(name, picture))
            ImageList3->Add(picture);
    bsSkinToolBar1->SetImages(ImageList3);
    bsSkinToolBar1->SetSkinData(bsSkinData1);
    auto tool = [&](const std::string& AName, const std::string& ACaption, int ALeft) {
        auto* b = MakeControl<TbsSkinButton>(this, bsSkinToolBar1, AName, ALeft, 3, 68, 46);
        b->SetCaption(ACaption);
        b->SetSkinDataName("resizetoolbutton");
        b->SetLayout(blGlyphTop);
        b->SetSpacing(1);
        b->SetCanFocused(false);
        b->SetSkinData(bsSkinData2);
        return b;
    };
    bsSkinMenuSpeedButton1 = MakeControl<TbsSkinMenuSpeedButton>(this, bsSkinToolBar1, "bsSkinMenuSpeedButton1", 6,
                                                                 3, 80, 46);
    bsSkinMenuSpeedButton1->SetCaption("添加");
    bsSkinMenuSpeedButton1->SetSkinDataName("resizetoolbutton");
    bsSkinMenuSpeedButton1->SetLayout(blGlyphTop);
    bsSkinMenuSpeedButton1->SetSkinPopupMenu(bsSkinPopupMenu1);
    bsSkinMenuSpeedButton1->SetSkinData(bsSkinData2);
    // The always-enabled tools carry pictures like the conversion commands.
    if (TBitmap glyph; FindResBitmap("TOOL_ADD", glyph))
        bsSkinMenuSpeedButton1->SetGlyph(glyph);
    bsSkinButton2 = tool("bsSkinButton2", "开始", 92);
    bsSkinButton10 = tool("bsSkinButton10", "停止", 164);
    bsSkinButton11 = tool("bsSkinButton11", "暂停", 236);
    bsSkinButton12 = tool("bsSkinButton12", "继续", 236);
    bsSkinButton12->SetVisible(false);
    bsSkinButton19 = tool("bsSkinButton19", "选项", 308);
    if (TBitmap glyph; FindResBitmap("TOOL_OPTIONS", glyph))
        bsSkinButton19->SetGlyph(glyph);
    bsSkinButton9 = tool("bsSkinButton9", "皮肤", 380);
    bsSkinButton9->SetVisible(false);
}

void TForm1::BuildPreviewGroup()
{
    TbsSkinData* skin = bsSkinData1;
    bsSkinGroupBox1 = MakeControl<TbsSkinGroupBox>(this, this, "bsSkinGroupBox1", 6, 80, 262, 258);
    bsSkinGroupBox1->SetCaption("视频预览");
    bsSkinGroupBox1->SetSkinData(skin);
    Panel6 = MakeControl<TPanel>(this, bsSkinGroupBox1, "Panel6", 11, 30, 240, 145);
    Panel6->SetBevelOuter(bvNone);
    Panel6->SetColor(RGB(16, 16, 20));
    Panel6->SetShowCaption(false);
    bsSkinSlider1 = MakeControl<TbsSkinSlider>(this, bsSkinGroupBox1, "bsSkinSlider1", 10, 180, 241, 20);
    bsSkinSlider1->SetSkinData(skin);
    bsSkinSlider1->SetMaxValue(241);
    auto small = [&](const std::string& AName, const std::string& AHint, const std::string& AGlyph, int ALeft,
                     int AWidth, const std::string& ACaption) {
        auto* b = MakeControl<TbsSkinButton>(this, bsSkinGroupBox1, AName, ALeft, 206, AWidth, 26);
        b->SetCaption(ACaption);
        b->SetHint(AHint);
        b->SetShowHint(true);
        b->SetCanFocused(false);
        TBitmap glyph;
        if (!AGlyph.empty() && FindResBitmap(AGlyph, glyph))
            b->SetGlyph(glyph);
        b->SetSkinData(skin);
        return b;
    };
    bsSkinButton13 = small("bsSkinButton13", "播放", "PLAYER_PLAY", 10, 30, "");
    bsSkinButton14 = small("bsSkinButton14", "暂停", "PLAYER_PAUSE", 42, 30, "");
    bsSkinButton15 = small("bsSkinButton15", "停止", "PLAYER_STOP", 74, 30, "");
    bsSkinButton16 = small("bsSkinButton16", "静音", "PLAYER_SOUND", 106, 30, "");
    bsSkinButton20 = small("bsSkinButton20", "静音", "PLAYER_MUTE", 106, 30, "");
    bsSkinButton20->SetVisible(false);
    bsSkinButton22 = small("bsSkinButton22", "快照", "", 146, 50, "快照");
    bsSkinButton23 = small("bsSkinButton23", "设置", "", 200, 50, "设置");
    for (TbsSkinButton* b : {bsSkinButton13, bsSkinButton14, bsSkinButton15, bsSkinButton16, bsSkinButton20})
        if (b->Caption().empty() && b->Glyph().Empty())
            b->SetCaption(b->Hint() == "播放" ? "▶" : b->Hint() == "暂停" ? "Ⅱ" : b->Hint() == "停止" ? "■" : "♪");
}

void TForm1::BuildJobPanel()
{
    TbsSkinData* skin = bsSkinData1;
    bsSkinPanel1 = MakeControl<TbsSkinPanel>(this, this, "bsSkinPanel1", 274, 80, 559, 258);
    bsSkinPanel1->SetSkinData(skin);
    // The list fills a holder with its two skinned bars, which show whenever
    // rows or columns overflow.
    bsSkinPanel2 = MakeControl<TbsSkinPanel>(this, bsSkinPanel1, "bsSkinPanel2", 6, 6, 547, 210);
    bsSkinPanel2->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    bsSkinPanel2->SetSkinData(skin);
    bsSkinScrollBar2 = MakeControl<TbsSkinScrollBar>(this, bsSkinPanel2, "bsSkinScrollBar2", 0, 191, 547, 19);
    bsSkinScrollBar2->SetBothMarkerWidth(19);
    bsSkinScrollBar2->SetAlign(alBottom);
    bsSkinScrollBar2->SetDefaultHeight(19);
    bsSkinScrollBar2->SetSkinDataName("hscrollbar");
    bsSkinScrollBar2->SetVisible(false);
    bsSkinScrollBar2->SetSkinData(skin);
    bsSkinScrollBar1 = MakeControl<TbsSkinScrollBar>(this, bsSkinPanel2, "bsSkinScrollBar1", 528, 0, 19, 210);
    bsSkinScrollBar1->SetKind(sbVertical);
    bsSkinScrollBar1->SetAlign(alRight);
    bsSkinScrollBar1->SetDefaultWidth(19);
    bsSkinScrollBar1->SetSkinDataName("vscrollbar");
    bsSkinScrollBar1->SetVisible(false);
    bsSkinScrollBar1->SetSkinData(skin);
    lvFiles = MakeControl<TbsSkinListView>(this, bsSkinPanel2, "lvFiles", 0, 0, 547, 210);
    lvFiles->SetAlign(alClient);
    lvFiles->SetVScrollBar(bsSkinScrollBar1);
    lvFiles->SetHScrollBar(bsSkinScrollBar2);
    lvFiles->SetViewStyle(vsReport);
    lvFiles->SetGridLines(true);
    lvFiles->SetRowSelect(true);
    lvFiles->SetMultiSelect(false);
    lvFiles->SetReadOnly(true);
    lvFiles->SetHideSelection(false);
    for (const TJobColumn& c : JobColumns) {
        TListColumn* column = lvFiles->Columns().Add();
        column->SetCaption(c.Caption);
        column->SetWidth(c.Width);
        if (c.MaxWidth > 0)
            column->SetMaxWidth(c.MaxWidth);
    }
    // The narrow input column keeps the file name of a long path in view;
    // the row's hint shows the whole path.
    lvFiles->Columns().Items(JobColumnInputFile)->SetPathEllipsis(true);
    lvFiles->SetShowHint(true);
    lvFiles->SetSkinData(skin);

    bsSkinPanel5 = MakeControl<TbsSkinPanel>(this, bsSkinPanel1, "bsSkinPanel5", 6, 6, 547, 210);
    bsSkinPanel5->SetSkinData(skin);
    bsSkinStdLabel5 = MakeControl<TbsSkinStdLabel>(this, bsSkinPanel5, "bsSkinStdLabel5", 20, 86, 507, 40);
    bsSkinStdLabel5->SetAlignment(taCenter);
    bsSkinStdLabel5->SetWordWrap(true);
    bsSkinStdLabel5->SetCaption("点击工具栏上的“添加”按钮，把要转换的视频或音频文件加入列表");
    bsSkinStdLabel5->SetSkinData(skin);

    auto button = [&](const std::string& AName, const std::string& ACaption, int ALeft, const char* AGlyph) {
        auto* b = MakeControl<TbsSkinButton>(this, bsSkinPanel1, AName, ALeft, 222, 84, 28);
        b->SetCaption(ACaption);
        b->SetCanFocused(false);
        if (AGlyph) {
            TBitmap glyph;
            if (FindResBitmap(AGlyph, glyph))
                b->SetGlyph(glyph);
        }
        b->SetSkinData(skin);
        return b;
    };
    bsSkinButton3 = button("bsSkinButton3", "上移", 109, nullptr);
    bsSkinButton4 = button("bsSkinButton4", "下移", 198, nullptr);
    bsSkinButton21 = button("bsSkinButton21", "重命名", 287, "Image17");
    bsSkinButton7 = button("bsSkinButton7", "删除", 376, "Image14");
    bsSkinButton8 = button("bsSkinButton8", "清空", 465, "Image12");
    for (TbsSkinButton* b : {bsSkinButton21, bsSkinButton7, bsSkinButton8})
        b->SetEnabled(false);

    edt = MakeControl<TEdit>(this, lvFiles, "edt", 0, 0, 80, 20);
    edt->SetVisible(false);
}

void TForm1::BuildPages()
{
    TbsSkinData* skin = bsSkinData1;
    bsSkinPageControl1 = MakeControl<TbsSkinPageControl>(this, this, "bsSkinPageControl1", 6, 344, 827, 177);
    bsSkinPageControl1->SetSkinData(skin);
    bsSkinTabSheet1 = MakeComponent<TbsSkinTabSheet>(this, "bsSkinTabSheet1");
    bsSkinTabSheet1->SetPageControl(bsSkinPageControl1);
    bsSkinTabSheet1->SetCaption("常规设置");
    auto label = [&](TWinControl* AParent, const std::string& AName, const std::string& ACaption, int ALeft,
                     int ATop) {
        auto* l = MakeControl<TbsSkinStdLabel>(this, AParent, AName, ALeft, ATop, 86, 18);
        l->SetCaption(ACaption);
        l->SetSkinData(skin);
        return l;
    };
    auto pictures = [&](const std::string& AName, const char* AList, int ASize) {
        auto* list = MakeComponent<TImageList>(this, AName);
        list->SetWidth(ASize);
        list->SetHeight(ASize);
        for (const TBitmap& picture : LoadResPictureList(AList))
            list->Add(picture);
        return list;
    };
    ImageList1 = pictures("ImageList1", "CATEGORIES", 48);
    ImageList2 = pictures("ImageList2", "FORMATS", 32);
    // The lists show their item on the face: a bold title over a picture of
    // up to 48 pixels, inside the box's frame and the item's margins.
    auto office = [&](const std::string& AName, int ALeft, int AWidth, TImageList* AImages, int ARows,
                      int ARowHeight) {
        auto* c = MakeControl<TbsSkinOfficeComboBox>(this, bsSkinTabSheet1, AName, ALeft, 6, AWidth, 76);
        c->SetImages(AImages);
        c->SetDropDownCount(ARows);
        c->SetListBoxShowItemTitles(true);
        c->SetListBoxItemHeight(ARowHeight);
        c->SetListBoxWidth(AWidth + 60);
        c->SetSkinData(bsSkinData2);
        return c;
    };
    bsSkinStdLabel1 = label(bsSkinTabSheet1, "bsSkinStdLabel1", "输出类别：", 12, 36);
    bsSkinOfficeComboBox2 = office("bsSkinOfficeComboBox2", 100, 300, ImageList1, 6, 66);
    bsSkinStdLabel2 = label(bsSkinTabSheet1, "bsSkinStdLabel2", "输出格式：", 416, 36);
    bsSkinOfficeComboBox1 = office("bsSkinOfficeComboBox1", 504, 306, ImageList2, 8, 52);
    bsSkinStdLabel3 = label(bsSkinTabSheet1, "bsSkinStdLabel3", "输出文件夹：", 12, 98);
    Video_OutPut_Folder_Edit =
        MakeControl<TbsSkinEdit>(this, bsSkinTabSheet1, "Video_OutPut_Folder_Edit", 100, 94, 530, 24);
    Video_OutPut_Folder_Edit->SetReadOnly(true);
    Video_OutPut_Folder_Edit->SetSkinData(skin);
    bsSkinButton5 = MakeControl<TbsSkinButton>(this, bsSkinTabSheet1, "bsSkinButton5", 640, 92, 82, 28);
    bsSkinButton5->SetCaption("浏览");
    bsSkinButton5->SetSkinData(skin);
    bsSkinButton6 = MakeControl<TbsSkinButton>(this, bsSkinTabSheet1, "bsSkinButton6", 728, 92, 82, 28);
    bsSkinButton6->SetCaption("打开");
    bsSkinButton6->SetSkinData(skin);

    bsSkinTabSheet2 = MakeComponent<TbsSkinTabSheet>(this, "bsSkinTabSheet2");
    bsSkinTabSheet2->SetPageControl(bsSkinPageControl1);
    bsSkinTabSheet2->SetCaption("音视频高级设置");
    struct TOptionPlace {
        TbsSkinComboBox** Combo;
        const char* Name;
        const char* Caption;
    } places[] = {{&bsSkinComboBox1, "bsSkinComboBox1", "视频分辨率："}, {&bsSkinComboBox2, "bsSkinComboBox2", "视频比特率："},
                  {&bsSkinComboBox9, "bsSkinComboBox9", "视频帧率："},   {&bsSkinComboBox3, "bsSkinComboBox3", "音频比特率："},
                  {&bsSkinComboBox10, "bsSkinComboBox10", "音频采样率："}, {&bsSkinComboBox4, "bsSkinComboBox4", "视频缩放："}};
    for (int i = 0; i < 6; ++i) {
        const int left = 12 + (i % 3) * 272, top = 20 + (i / 3) * 54;
        OptionLabels[i] = label(bsSkinTabSheet2, "bsSkinStdLabel" + std::to_string(10 + i), places[i].Caption, left,
                                top + 4);
        auto* combo = MakeControl<TbsSkinComboBox>(this, bsSkinTabSheet2, places[i].Name, left + 90, top, 164, 24);
        combo->SetStyle(bscbFixedStyle);
        combo->SetDropDownCount(8);
        combo->SetSkinData(skin);
        *places[i].Combo = combo;
    }
    bsSkinPageControl1->SetActivePageIndex(0);
}

void TForm1::BuildOffScreenPanels()
{
    Panel1 = MakeControl<TPanel>(this, this, "Panel1", 1265, 0, 400, 600);
    Panel3 = MakeControl<TPanel>(this, this, "Panel3", 1275, 620, 400, 400);
    mmoLog = MakeControl<TMemo>(this, Panel1, "mmoLog", 200, 4, 190, 200);
    ListBox1 = MakeControl<TListBox>(this, Panel1, "ListBox1", 200, 210, 190, 80);
    chkThreadMode = MakeControl<TCheckBox>(this, Panel1, "chkThreadMode", 200, 296, 190, 20);
    chkThreadMode->SetCaption("chkThreadMode");
    chkThreadMode->SetChecked(true);
    for (int n = 4; n <= 17; ++n) {
        Images[n] = MakeControl<TImage>(this, Panel1, "Image" + std::to_string(n), 200 + (n - 4) % 5 * 36,
                                        330 + (n - 4) / 5 * 36, 32, 32);
        TBitmap picture;
        if (FindResBitmap("Image" + std::to_string(n), picture))
            Images[n]->Picture().Bitmap().Assign(&picture);
    }

    // The player's settings: what they hold at start-up is what counts.
    Panel5 = MakeControl<TPanel>(this, this, "Panel5", 1700, 0, 300, 400);
    auto combo = [&](const std::string& AName, int ATop, std::initializer_list<const char*> AItems) {
        auto* c = MakeControl<TComboBox>(this, Panel5, AName, 8, ATop, 200, 22);
        c->SetStyle(csDropDownList);
        for (const char* item : AItems)
            c->Items().Add(item);
        if (AItems.size())
            c->SetItemIndex(0);
        return c;
    };
    cboScreens = combo("cboScreens", 8, {});
    cboVideoDriver = combo("cboVideoDriver", 36, {"Default", "DDraw", "GDI"});
    cboAudioDriver = combo("cboAudioDriver", 64, {"Default", "DSound", "waveOut"});
    chkOpenPaused = MakeControl<TCheckBox>(this, Panel5, "chkOpenPaused", 8, 92, 200, 20);
    chkOpenPaused->SetCaption("Open Paused");
    chkOpenPaused->SetChecked(true);
    chkStayOnTop = MakeControl<TCheckBox>(this, Panel5, "chkStayOnTop", 8, 116, 200, 20);
    chkStayOnTop->SetCaption("Stay On Top");
    TrackBar2 = MakeControl<TTrackBar>(this, Panel5, "TrackBar2", 8, 140, 200, 30);
    TrackBar2->SetRange(0, 128);
    TrackBar2->SetPosition(128);
    TrackBar2->SetFrequency(20);
    TrackBar2->SetPageSize(10);
    Label2 = MakeControl<TLabel>(this, Panel5, "Label2", 8, 176, 100, 16);
    Label2->SetCaption("N/A");
    Label3 = MakeControl<TLabel>(this, Panel5, "Label3", 120, 176, 100, 16);
    Label3->SetCaption("N/A");
    cboVideo = combo("cboVideo", 200, {});
    cboAudio = combo("cboAudio", 228, {});
    cboSubtitle = combo("cboSubtitle", 256, {});

    SavePictureDialog1 = MakeComponent<TSavePictureDialog>(this, "SavePictureDialog1");
    bsSelectSkinDialog1 = MakeComponent<TbsSelectSkinDialog>(this, "bsSelectSkinDialog1");
    bsSelectSkinDialog1->SetTitle("Select skin");
    bsSelectSkinDialog1->SetSkinList(bsCompressedSkinList1);
    bsSelectSkinDialog1->SetSkinData(bsSkinData1);
    bsSelectSkinDialog1->SetCtrlSkinData(bsSkinData1);
    auto open = [&](const std::string& AName, bool AMany) {
        auto* d = MakeComponent<TbsSkinOpenDialog>(this, AName);
        d->SetTitle(OpenTitle);
        d->MultiSelection = AMany;
        d->CheckFileExists = true;
        d->ToolButtonsTransparent = true;
        // Room for the name, size, type and date columns of the details view.
        d->DialogWidth = 600;
        d->DialogHeight = 360;
        d->SetSkinData(bsSkinData1);
        d->SetCtrlSkinData(bsSkinData1);
        return d;
    };
    OpenDialog1 = open("OpenDialog1", false);
    OpenDialog2 = open("OpenDialog2", true);
    bsSkinOpenDialog1 = MakeComponent<TbsSkinOpenDialog>(this, "bsSkinOpenDialog1");
    bsSkinOpenDialog1->SetTitle("Open file");
    bsSkinOpenDialog1->CheckFileExists = true;
    bsSkinOpenDialog1->SetSkinData(bsSkinData1);
    bsSkinSavePictureDialog1 = MakeComponent<TbsSkinSavePictureDialog>(this, "bsSkinSavePictureDialog1");
    bsSkinSavePictureDialog1->SetTitle("Save file");
    bsSkinSavePictureDialog1->Filter = "BMP文件 (*.bmp)|*.bmp|JPEG文件 (*jpg)|*.jpg";
    bsSkinSavePictureDialog1->SetSkinData(bsSkinData1);
    bsSkinSavePictureDialog1->SetCtrlSkinData(bsSkinData1);
    bsSkinMessage1 = MakeComponent<TbsSkinMessage>(this, "bsSkinMessage1");
    bsSkinMessage1->SetSkinData(bsSkinData1);
    bsSkinMessage1->SetCtrlSkinData(bsSkinData1);
    // Two folder dialogs, each with its own memory: the folder to add, and
    // the output folder, which starts at the computer's top level.
    auto folder = [&](const std::string& AName, const std::string& ATitle) {
        auto* d = MakeComponent<TbsSkinSelectDirectoryDialog>(this, AName);
        d->SetTitle(ATitle);
        d->ToolButtonsTransparent = true;
        d->SetSkinData(bsSkinData1);
        d->SetCtrlSkinData(bsSkinData1);
        return d;
    };
    bsSkinSelectDirectoryDialog1 = folder("bsSkinSelectDirectoryDialog1", "选择目录");
    bsSkinSelectDirectoryDialog2 = folder("bsSkinSelectDirectoryDialog2", "选择输出目录");
}

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner)
{
    BeginProgramForm(*this, "Form1", ApplicationTitle, {biSystemMenu, biMinimize}, poScreenCenter, DesignWidth,
                     DesignHeight);

    bsCompressedSkinList1 = MakeComponent<TbsCompressedSkinList>(this, "bsCompressedSkinList1");
    FillMainSkinList(*bsCompressedSkinList1);
    bsCompressedSkinList2 = MakeComponent<TbsCompressedSkinList>(this, "bsCompressedSkinList2");
    FillToolBarSkinList(*bsCompressedSkinList2);
    bsSkinData1 = MakeComponent<TbsSkinData>(this, "bsSkinData1");
    bsSkinData1->SetSkinIndex(1);
    bsSkinData1->SetSkinList(bsCompressedSkinList1);
    // The skin layer's own texts in Chinese, for every dialog, menu and box.
    bsResourceStrData1 = MakeComponent<TbsResourceStrData>(this, "bsResourceStrData1");
    PutProgramTexts(*bsResourceStrData1);
    bsSkinData1->SetResourceStrData(bsResourceStrData1);
    bsSkinData2 = MakeComponent<TbsSkinData>(this, "bsSkinData2");
    bsSkinData2->SetSkinList(bsCompressedSkinList2);
    ProgramSkins() = TProgramSkins{bsSkinData1, bsSkinData2};

    bsBusinessSkinForm1 = MakeComponent<TbsFormFrame>(this, "bsBusinessSkinForm1");
    bsBusinessSkinForm1->SetBorderIcons({TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize});
    bsBusinessSkinForm1->SetSkinData(bsSkinData1);

    BuildMenus();
    BuildToolBar();
    BuildPreviewGroup();
    BuildJobPanel();
    BuildPages();
    BuildOffScreenPanels();
    WireLogic();
    // The keyboard starts on the job list, the window's main work.
    SetActiveControl(lvFiles);
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnCloseQuery = [this](TObject*, bool& ACanClose) { ACanClose = FormCloseQuery(); };
}
