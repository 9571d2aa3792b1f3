#include "resources/skingen/BaseSkin.h"
#include "resources/skingen/Parts.h"

std::unique_ptr<TSkinOut> BuildBaseSkin(const TPalette& P, const std::string& Name, const std::string& DisplayName)
{
    auto skin = std::make_unique<TSkinOut>();
    skin->Name = Name;
    skin->DisplayName = DisplayName;

    // The fixed sections in file order; the parts fill them.
    TIniSection& version = skin->Section("VERSION");
    TIniSection& pictures = skin->Section("PICTURES");
    skin->Section("FORMINFO");
    skin->Section("POPUPWINDOW");
    skin->Section("HINTWINDOW");
    TIniSection& colors = skin->Section("SKINCOLORS");

    TSheet& caption = skin->AddSheet("caption.bmp", 240, P.Face);
    TSheet& controls = skin->AddSheet("controls.bmp", 320, P.Face);
    TSheet& lists = skin->AddSheet("lists.bmp", 320, P.Face);
    TSkinParts parts{*skin, P, caption, controls, lists};
    BuildFrame(parts);
    BuildMenus(parts);
    BuildButtons(parts);
    BuildBoxes(parts);
    BuildPanels(parts);
    for (auto& sheet : skin->Sheets)
        sheet->Finish();

    version.Int("ver", 1);
    version.Text("skinname", skin->Name);
    version.Text("skinauthor", "ZarvoMPG");
    version.Text("authoremail", "");
    version.Text("authorurl", "");
    version.Text("skincomments", skin->DisplayName);

    pictures.Text("picture", "frame.bmp");
    pictures.Text("inactivepicture", "frameinactive.bmp");
    pictures.Text("mask", "");
    pictures.Int("activepicturescount", static_cast<int>(skin->Sheets.size()));
    for (size_t i = 0; i < skin->Sheets.size(); ++i)
        pictures.Text(std::to_string(i), skin->Sheets[i]->FileName());

    colors.Color("cbtnface", P.Face);
    colors.Color("cbtntext", P.Text);
    colors.Color("cwindow", P.Window);
    colors.Color("cwindowtext", P.Text);
    colors.Color("chighlight", P.Accent);
    colors.Color("chighlighttext", P.HighlightText);
    colors.Color("cbtnhighlight", P.Light);
    colors.Color("cbtnshadow", P.Shadow);
    return skin;
}
