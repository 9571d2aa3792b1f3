#include "platform/ui/forms/Dialogs.h"
#include <unistd.h>
#include <algorithm>
#include <memory>
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Text.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/Screen.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/forms/Application.h"

namespace {

enum TIconKind { ikNone, ikError, ikQuestion, ikWarning, ikInformation };

// The 32 x 32 picture beside a message: a drawn sign, no bitmap resources.
class TMessageIcon : public TGraphicControl {
public:
    TMessageIcon(TComponent* owner, TIconKind kind) : TGraphicControl(owner), FKind(kind)
    {
        FWidth = 32;
        FHeight = 32;
    }

protected:
    void Paint() override
    {
        TCanvas& c = Canvas();
        c.Pen().SetColor(clBlack);
        const char* sign = "!";
        TColor text = clBlack;
        switch (FKind) {
        case ikWarning:
            c.Brush().SetColor(RGB(255, 210, 0));
            c.Polygon({{16, 1}, {31, 30}, {0, 30}});
            break;
        case ikError:
            c.Brush().SetColor(RGB(210, 30, 30));
            c.Ellipse(1, 1, 31, 31);
            sign = "X";
            text = clWhite;
            break;
        case ikQuestion:
        case ikInformation:
            c.Brush().SetColor(RGB(30, 90, 200));
            c.Ellipse(1, 1, 31, 31);
            sign = FKind == ikQuestion ? "?" : "i";
            text = clWhite;
            break;
        case ikNone:
            return;
        }
        TRect r{0, FKind == ikWarning ? 8 : 0, 32, 32};
        c.Brush().SetStyle(bsClear);
        c.Font().SetStyle(fsBold);
        c.Font().SetHeight(-18);
        c.Font().SetColor(text);
        c.DrawText(sign, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

private:
    TIconKind FKind;
};

// A one-line text field for the file name: characters, backspace, a caret at the end.
class TNameBox : public TCustomControl {
public:
    explicit TNameBox(TComponent* owner) : TCustomControl(owner)
    {
        FControlStyle.Include(csOpaque);
        FColor = clWindow;
        SetTabStop(true);
        SetParentColor(false);
        FColor = clWindow;
    }

protected:
    void WndProc(TMessage& m) override
    {
        switch (m.Msg) {
        case WM_GETDLGCODE:
            m.Result = DLGC_WANTCHARS | DLGC_WANTARROWS;
            return;
        case WM_CHAR: {
            char32_t ch = char32_t(m.WParam);
            std::u32string text = DecodeUtf8(Text());
            if (ch == 8) {
                if (!text.empty())
                    text.pop_back();
            } else if (ch >= 32 && ch != 127) {
                text.push_back(ch);
            } else {
                break;
            }
            SetText(EncodeUtf8(text));
            Invalidate();
            return;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            TCustomControl::WndProc(m);
            Invalidate();
            return;
        default:
            break;
        }
        TCustomControl::WndProc(m);
    }

    void Paint() override
    {
        TCanvas& c = Canvas();
        TRect r = ClientRect();
        c.Brush().SetColor(clWindow);
        c.FillRect(r);
        c.Frame3D(r, clBtnShadow, clBtnHighlight, 1);
        c.Brush().SetStyle(bsClear);
        c.Font().Assign(Font());
        c.Font().SetColor(clWindowText);
        TRect tr{4, 0, r.Right - 2, Height()};
        c.DrawText(Text(), tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (Focused()) {
            int x = 4 + c.TextWidth(Text());
            c.Pen().SetColor(clWindowText);
            c.MoveTo(x, 4);
            c.LineTo(x, Height() - 4);
        }
    }
};

struct TBoxButton {
    const char* Caption;
    int Id;
};

std::vector<TBoxButton> ButtonsFor(UINT flags)
{
    switch (flags & 0x0F) {
    case MB_OKCANCEL: return {{"OK", IDOK}, {"Cancel", IDCANCEL}};
    case MB_ABORTRETRYIGNORE: return {{"&Abort", IDABORT}, {"&Retry", IDRETRY}, {"&Ignore", IDIGNORE}};
    case MB_YESNOCANCEL: return {{"&Yes", IDYES}, {"&No", IDNO}, {"Cancel", IDCANCEL}};
    case MB_YESNO: return {{"&Yes", IDYES}, {"&No", IDNO}};
    case MB_RETRYCANCEL: return {{"&Retry", IDRETRY}, {"Cancel", IDCANCEL}};
    default: return {{"OK", IDOK}};
    }
}

// The answer Esc and the close box give: Cancel when there is one, else the
// "safe" button (No, Abort, or the only OK).
int EscapeAnswer(UINT flags)
{
    switch (flags & 0x0F) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
    }
}

TIconKind IconFor(UINT flags)
{
    switch (flags & 0xF0) {
    case MB_ICONHAND: return ikError;
    case MB_ICONQUESTION: return ikQuestion;
    case MB_ICONEXCLAMATION: return ikWarning;
    case MB_ICONASTERISK: return ikInformation;
    default: return ikNone;
    }
}

std::string CurrentFolder()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string("/");
}

}  // namespace

TForm* CreateMessageBoxForm(const std::string& text, const std::string& caption, UINT flags)
{
    auto* form = NewForm<TForm>(nullptr, TFormCreation::New);
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(caption.empty() ? Application->Title() : caption);
    TIconKind kind = IconFor(flags);
    int textLeft = 16;
    if (kind != ikNone) {
        auto* icon = new TMessageIcon(form, kind);
        icon->SetName("Image");
        icon->SetBounds(16, 16, 32, 32);
        icon->SetParent(form);
        textLeft = 16 + 32 + 12;
    }
    auto* message = new TLabel(form);
    message->SetName("Message");
    message->SetShowAccelChar(false);
    message->SetAutoSize(false);
    message->SetBounds(textLeft, 16, 360, 16);
    message->SetWordWrap(true);
    message->SetParent(form);
    message->SetCaption(text);
    message->SetAutoSize(true);
    if (kind != ikNone && message->Height() < 32)
        message->SetTop(16 + (32 - message->Height()) / 2);

    std::vector<TBoxButton> buttons = ButtonsFor(flags);
    const int bw = 75, bh = 25, gap = 8;
    int row = int(buttons.size()) * bw + (int(buttons.size()) - 1) * gap;
    int contentBottom = std::max(message->Top() + message->Height(), kind != ikNone ? 48 : 0);
    int width = std::max({message->Left() + message->Width() + 16, row + 32, 160});
    form->SetClientWidth(width);
    form->SetClientHeight(contentBottom + 16 + bh + 12);
    int x = (width - row) / 2;
    int escape = EscapeAnswer(flags);
    for (size_t i = 0; i < buttons.size(); ++i) {
        auto* b = new TButton(form);
        b->SetName("Button" + std::to_string(buttons[i].Id));
        b->SetCaption(buttons[i].Caption);
        b->SetModalResult(buttons[i].Id);
        b->SetBounds(x, contentBottom + 16, bw, bh);
        b->SetParent(form);
        b->SetCancel(buttons[i].Id == escape);
        if (i == 0) {
            b->SetDefault(true);
            form->SetActiveControl(b);
        }
        x += bw + gap;
    }
    return form;
}

int MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    std::unique_ptr<TForm> form(CreateMessageBoxForm(text, caption, flags));
    MessageBeep(flags & 0xF0);
    int result = form->ShowModal();
    // The close box and Alt+F4 answer like Esc.
    if (result == mrCancel && (flags & 0x0F) != MB_OKCANCEL && (flags & 0x0F) != MB_YESNOCANCEL &&
        (flags & 0x0F) != MB_RETRYCANCEL)
        result = EscapeAnswer(flags);
    return result;
}

// ---------------------------------------------------------- save dialog

TSavePictureDialog::TSavePictureDialog(TComponent* AOwner) : TComponent(AOwner)
{
}

std::vector<std::pair<std::string, std::string>> TSavePictureDialog::FilterEntries() const
{
    std::vector<std::pair<std::string, std::string>> entries;
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= FFilter.size() && !FFilter.empty()) {
        size_t bar = FFilter.find('|', start);
        parts.push_back(FFilter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        entries.emplace_back(parts[i], parts[i + 1]);
    return entries;
}

std::string TSavePictureDialog::ResolveName(const std::string& typed, int filterIndex) const
{
    std::string path = typed;
    if (path.empty())
        return path;
    if (path[0] != '/') {
        std::string dir = FInitialDir;
        if (dir.empty())
            dir = ExtractFilePath(FFileName).empty() || FFileName[0] != '/' ? CurrentFolder() : ExtractFilePath(FFileName);
        path = IncludeTrailingPathDelimiter(dir) + path;
    }
    if (!ExtractFileExt(path).empty())
        return path;
    std::vector<std::pair<std::string, std::string>> entries = FilterEntries();
    if (filterIndex >= 1 && filterIndex <= int(entries.size())) {
        std::string first = entries[size_t(filterIndex - 1)].second;
        first = first.substr(0, first.find(';'));
        if (first.size() > 2 && first.compare(0, 2, "*.") == 0 && first.find_first_of("*?", 2) == std::string::npos)
            return path + first.substr(1);
    }
    if (!FDefaultExt.empty())
        path += "." + FDefaultExt;
    return path;
}

bool TSavePictureDialog::AcceptName(const std::string& path)
{
    if (path.empty() || path.back() == '/')
        return false;
    std::string title = FTitle.empty() ? "Save As" : FTitle;
    if (FOptions.Contains(ofPathMustExist) && !DirectoryExists(ExtractFileDir(path))) {
        MessageBox(path + "\nThe path does not exist.\nCheck the path and try again.", title, MB_OK | MB_ICONWARNING);
        return false;
    }
    if (FOptions.Contains(ofOverwritePrompt) && FileExists(path))
        return MessageBox(ExtractFileName(path) + " already exists.\nDo you want to replace it?", "Confirm " + title,
                          MB_YESNO | MB_ICONWARNING) == IDYES;
    return true;
}

bool TSavePictureDialog::Execute()
{
    std::unique_ptr<TForm> holder(NewForm<TForm>(nullptr, TFormCreation::New));
    TForm* form = holder.get();
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(FTitle.empty() ? "Save As" : FTitle);
    std::vector<std::pair<std::string, std::string>> entries = FilterEntries();
    int groupHeight = 24 + 22 * std::max<int>(1, int(entries.size()));
    form->SetClientWidth(380);
    form->SetClientHeight(96 + groupHeight + 40);

    auto* folder = new TLabel(form);
    folder->SetName("Folder");
    folder->SetShowAccelChar(false);
    folder->SetBounds(12, 12, 356, 16);
    folder->SetParent(form);
    folder->SetCaption(ExtractFileDir(ResolveName("x", 0)));

    auto* nameLabel = new TLabel(form);
    nameLabel->SetBounds(12, 40, 80, 16);
    nameLabel->SetParent(form);
    nameLabel->SetCaption("File &name:");
    auto* name = new TNameBox(form);
    name->SetName("FileNameBox");
    name->SetBounds(96, 36, 272, 22);
    name->SetParent(form);
    name->SetText(ExtractFileName(FFileName));
    nameLabel->SetFocusControl(name);

    auto* kinds = new TGroupBox(form);
    kinds->SetBounds(12, 68, 356, groupHeight);
    kinds->SetCaption("Save as &type");
    kinds->SetParent(form);
    std::vector<TRadioButton*> radios;
    for (size_t i = 0; i < entries.size(); ++i) {
        auto* r = new TRadioButton(form);
        r->SetBounds(10, 20 + int(i) * 22, 330, 18);
        r->SetCaption(entries[i].first);
        r->SetParent(kinds);
        r->SetChecked(int(i) + 1 == FFilterIndex);
        radios.push_back(r);
    }

    auto chosenIndex = [&radios, this] {
        for (size_t i = 0; i < radios.size(); ++i)
            if (radios[i]->Checked())
                return int(i) + 1;
        return FFilterIndex;
    };
    std::string accepted;
    auto* save = new TButton(form);
    save->SetName("SaveButton");
    save->SetCaption("&Save");
    save->SetDefault(true);
    save->SetBounds(212, 68 + groupHeight + 12, 75, 25);
    save->SetParent(form);
    save->OnClick = [&, f = form](TObject*) {
        std::string path = ResolveName(name->Text(), chosenIndex());
        if (AcceptName(path)) {
            accepted = path;
            f->SetModalResult(mrOk);
        }
    };
    auto* cancel = new TButton(form);
    cancel->SetName("CancelButton");
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    cancel->SetBounds(293, 68 + groupHeight + 12, 75, 25);
    cancel->SetParent(form);
    form->SetActiveControl(name);

    if (form->ShowModal() != mrOk)
        return false;
    FFileName = accepted;
    FFilterIndex = chosenIndex();
    std::string ext = ExtractFileExt(accepted);
    bool differs = !SameText(ext.empty() ? ext : ext.substr(1), FDefaultExt);
    if (differs)
        FOptions.Include(ofExtensionDifferent);
    else
        FOptions.Exclude(ofExtensionDifferent);
    return true;
}
