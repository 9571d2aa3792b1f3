#include "tests/skin_combo/BoxesFixture.h"
#include <algorithm>
#include <filesystem>
#include "platform/core/Stream.h"
#include "platform/gfx/Picture.h"
#include "resources/skins/EmbeddedSkins.h"

void TBoxesTest::SetUp()
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

void TBoxesTest::TearDown()
{
    delete Form;
    Form = nullptr;
    Pump();
}

TbsSkinData* TBoxesTest::BaseSkinData()
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

void TBoxesTest::MoveTo(TControl* c, int x, int y)
{
    const TPoint p = At(c, x, y);
    Backend->MouseMove(p.X, p.Y);
    Pump();
}

void TBoxesTest::Press(TControl* c, int x, int y, int Button)
{
    MoveTo(c, x, y);
    const TPoint p = At(c, x, y);
    Backend->MouseDown(p.X, p.Y, Button);
    Pump();
}

void TBoxesTest::Release(TControl* c, int x, int y, int Button)
{
    const TPoint p = At(c, x, y);
    Backend->MouseUp(p.X, p.Y, Button);
    Pump();
}

void TBoxesTest::Click(TControl* c, int x, int y, int Button)
{
    Press(c, x, y, Button);
    Release(c, x, y, Button);
}

void TBoxesTest::Key(int Vk, const std::string& Text)
{
    Backend->KeyPress(Vk, Text);
    Pump();
}

void TBoxesTest::Wait(int Ms, int Step)
{
    const uint64_t end = Backend->Now() + uint64_t(Ms);
    while (Backend->Now() < end) {
        Backend->Advance(uint32_t(std::min<uint64_t>(uint64_t(Step), end - Backend->Now())));
        Pump();
    }
}

std::unique_ptr<TBitmap> TBoxesTest::Capture()
{
    Form->Update();
    Pump();
    return Backend->CaptureWindow(Form->Handle());
}

TColor TBoxesTest::PixelOf(TControl* c, int x, int y)
{
    const TPoint p = Form->ScreenToClient(At(c, x, y));
    return Capture()->GetPixel(p.X, p.Y);
}

TBitmap TBoxesTest::Snapshot(TControl* c)
{
    auto all = Capture();
    const TPoint p = Form->ScreenToClient(At(c, 0, 0));
    TBitmap out(c->Width(), c->Height());
    for (int y = 0; y < c->Height(); ++y)
        for (int x = 0; x < c->Width(); ++x)
            out.SetPixel(x, y, all->GetPixel(p.X + x, p.Y + y));
    return out;
}

std::string TBoxesTest::SaveForm(const std::string& Name)
{
    const std::string dir = std::string(BOXES_RENDER_DIR);
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/" + Name + ".png";
    Form->Update();
    Pump();
    // The form and what pops up below it, twice the size so that single
    // pixels can be judged.
    auto screen = Backend->CaptureScreen();
    const TRect r{Form->Left(), Form->Top(), std::min(screen->Width(), Form->Left() + Form->Width()),
                  std::min(screen->Height(), Form->Top() + Form->Height() + 120)};
    TBitmap out(2 * r.Width(), 2 * r.Height());
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            out.SetPixel(x, y, screen->GetPixel(r.Left + x / 2, r.Top + y / 2));
    TPicture picture;
    picture.SetGraphic(&out);
    picture.SaveToFile(path);
    return path;
}

std::string TBoxesTest::Joined() const
{
    std::string s;
    for (const auto& e : Events)
        s += (s.empty() ? "" : " ") + e;
    return s;
}
