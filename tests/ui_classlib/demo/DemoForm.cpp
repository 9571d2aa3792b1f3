#include "DemoForm.h"

TDemoForm::TDemoForm(TComponent* AOwner) : TForm(AOwner)
{
    SetCaption("Plain controls");
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetClientWidth(480);
    SetClientHeight(320);
    Font().SetName("Tahoma");
    Font().SetHeight(-11);

    Top = new TPanel(this);
    Top->SetParent(this);
    Top->SetAlign(alTop);
    Top->SetHeight(36);
    Top->SetColor(RGB(40, 60, 110));
    Top->SetShowCaption(false);

    Title = new TLabel(this);
    Title->SetParent(Top);
    Title->SetBounds(10, 8, 200, 20);
    Title->SetTransparent(true);
    Title->Font().SetColor(clWhite);
    Title->Font().SetStyle(fsBold);
    Title->SetCaption("格式转换 &Demo");

    Side = new TPanel(this);
    Side->SetParent(this);
    Side->SetAlign(alLeft);
    Side->SetWidth(140);
    Side->SetCaption("Side panel");
    Side->SetBevelOuter(bvLowered);

    Split = new TSplitter(this);
    Split->SetParent(this);
    Split->SetLeft(150);

    Options = new TGroupBox(this);
    Options->SetParent(this);
    Options->SetBounds(156, 44, 200, 110);
    Options->SetCaption("&Options");

    Check = new TCheckBox(this);
    Check->SetParent(Options);
    Check->SetBounds(10, 20, 170, 18);
    Check->SetCaption("Stay on top");
    Check->SetChecked(true);

    RadioA = new TRadioButton(this);
    RadioA->SetParent(Options);
    RadioA->SetBounds(10, 44, 170, 18);
    RadioA->SetCaption("Thread mode");
    RadioA->SetChecked(true);

    RadioB = new TRadioButton(this);
    RadioB->SetParent(Options);
    RadioB->SetBounds(10, 66, 170, 18);
    RadioB->SetCaption("Open paused");

    Volume = new TTrackBar(this);
    Volume->SetParent(this);
    Volume->SetBounds(156, 164, 200, 36);
    Volume->SetRange(0, 128);
    Volume->SetFrequency(16);
    Volume->SetPosition(96);

    VolumeText = new TLabel(this);
    VolumeText->SetParent(this);
    VolumeText->SetBounds(362, 172, 60, 16);
    VolumeText->SetCaption("96");
    Volume->OnChange = [this](TObject*) { VolumeText->SetCaption(std::to_string(Volume->Position())); };

    Line = new TBevel(this);
    Line->SetParent(this);
    Line->SetShape(bsTopLine);
    Line->SetBounds(156, 208, 316, 2);

    Picture = new TImage(this);
    Picture->SetParent(this);
    Picture->SetBounds(366, 50, 100, 100);
    Picture->SetStretch(true);
    TBitmap b(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            b.SetPixel(x, y, ((x / 5 + y / 5) % 2) ? RGB(230, 120, 20) : RGB(250, 240, 200));
    Picture->Picture().SetGraphic(&b);

    Box = new TScrollBox(this);
    Box->SetParent(this);
    Box->SetBounds(156, 216, 200, 60);
    for (int i = 0; i < 4; ++i) {
        auto* l = new TLabel(this);
        l->SetParent(Box);
        l->SetBounds(6, 4 + i * 22, 150, 16);
        l->SetCaption("Row " + std::to_string(i + 1));
    }

    Ok = new TButton(this);
    Ok->SetParent(this);
    Ok->SetBounds(316, 288, 75, 25);
    Ok->SetCaption("OK");
    Ok->SetDefault(true);
    Ok->SetModalResult(1);
    Ok->SetAnchors(TAnchors{akRight, akBottom});

    Cancel = new TButton(this);
    Cancel->SetParent(this);
    Cancel->SetBounds(398, 288, 75, 25);
    Cancel->SetCaption("Cancel");
    Cancel->SetCancel(true);
    Cancel->SetModalResult(2);
    Cancel->SetAnchors(TAnchors{akRight, akBottom});
    Cancel->SetHint("Close the demo");
    Cancel->SetShowHint(true);

    MainMenu = new TMainMenu(this);
    auto* file = new TMenuItem(this);
    file->SetCaption("&File");
    MainMenu->Items()->Add(file);
    auto* quit = new TMenuItem(this);
    quit->SetCaption("E&xit");
    quit->SetShortCut(ShortCut(VK_F4, false, false, true));
    quit->OnClick = [this](TObject*) { Close(); };
    file->Add(quit);
    SetMenu(MainMenu);

    Images = new TImageList(this);
    Images->SetSize(16, 16);

    Clock = new TTimer(this);
    Clock->SetInterval(1000);
}
