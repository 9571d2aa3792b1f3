#include "platform/shell/ShellPropertySheet.h"
#include <algorithm>
#include "platform/core/DateTime.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/ShellFolder.h"
#include "platform/shell/ShellTexts.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/forms/Forms.h"

std::vector<std::pair<std::string, std::string>> ShellPropertyRows(const TbsShellFolder& item)
{
    // Type and size come from the details the lists show (columns 1 and 2).
    TbsShellFolder& it = const_cast<TbsShellFolder&>(item);
    it.LoadColumnDetails(nullptr, 3);
    const TShellFindData& data = item.FindData();
    std::vector<std::pair<std::string, std::string>> rows;
    rows.push_back({ShellText::PropName, item.DisplayName()});
    rows.push_back({ShellText::PropType, item.DetailText(2)});
    const std::string path = item.PathName();
    if (!path.empty())
        rows.push_back({ShellText::PropLocation, ExtractFileDir(ExcludeTrailingPathDelimiter(path))});
    if (!data.IsDirectory && !path.empty())
        rows.push_back({ShellText::PropSize, Format(ShellText::PropBytes, item.DetailText(1).c_str(),
                                                    std::to_string(data.Size).c_str())});
    if (data.Modified != 0)
        rows.push_back({ShellText::PropModified, FormatDateTime("yyyy-mm-dd hh:nn:ss", data.Modified)});
    return rows;
}

TForm* ShowShellPropertySheet(const TbsShellFolder& item)
{
    const auto rows = ShellPropertyRows(item);
    auto* form = NewForm<TForm>(nullptr, TFormCreation::New);
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(Format(ShellText::PropCaption, item.DisplayName().c_str()));
    form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    const int labelWidth = 80, rowHeight = 22, top = 16;
    int valueWidth = 200;
    int y = top;
    for (const auto& [label, value] : rows) {
        auto* l = new TLabel(form);
        l->SetBounds(16, y, labelWidth, 16);
        l->SetShowAccelChar(false);
        l->SetParent(form);
        l->SetCaption(label);
        auto* v = new TLabel(form);
        v->SetShowAccelChar(false);
        v->SetLeft(16 + labelWidth);
        v->SetTop(y);
        v->SetParent(form);
        v->SetCaption(value);
        valueWidth = std::clamp(v->Width(), valueWidth, 480);
        y += rowHeight;
    }
    const int width = 16 + labelWidth + valueWidth + 16;
    auto* ok = new TButton(form);
    ok->SetName("OK");
    ok->SetCaption(ShellText::PropOK);
    ok->SetBounds(width - 16 - 75, y + 8, 75, 25);
    ok->SetParent(form);
    ok->SetDefault(true);
    ok->SetCancel(true);
    ok->OnClick = [form](TObject*) { form->Close(); };
    form->SetClientWidth(width);
    form->SetClientHeight(y + 8 + 25 + 12);
    form->Show();
    return form;
}
