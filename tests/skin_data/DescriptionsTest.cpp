#include <gtest/gtest.h>
#include <set>
#include <string>
#include "platform/core/SysUtils.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/WindowDescriptions.h"
#include "SkinTestSupport.h"

namespace {

// Every key a description kind reads, written out by hand from the format's
// key lists, each set to a value that differs from its default. Reading one
// of these must leave no field at its default. A kind's list is its base
// kind's list followed by its own keys, as the format reads them.
struct TKindFixture {
    const char* Kind;       // the keyword, or the section of a window description
    const char* ClassName;
    std::string Keys;
};

// The key lists of the base kinds.

const std::string kControlKeys =
    "pictureindex=7\n"
    "maskpictureindex=7\n"
    "skinrect=1,2,3,4\n";
const std::string kCustomControlKeys = kControlKeys +
    "lefttoppoint=5,6\n"
    "righttoppoint=5,6\n"
    "leftbottompoint=5,6\n"
    "rightbottompoint=5,6\n"
    "clientrect=1,2,3,4\n"
    "leftstretch=1\n"
    "topstretch=1\n"
    "rightstretch=1\n"
    "bottomstretch=1\n"
    "stretcheffect=1\n"
    "stretchtype=sthorz\n";
const std::string kEditControlKeys = kCustomControlKeys +
    "activeskinrect=1,2,3,4\n"
    "fontname=zz\n"
    "fontheight=7\n"
    "fontstyle=fsbold\n"
    "fontcolor=123\n"
    "disabledfontcolor=123\n"
    "activefontcolor=123\n"
    "buttonrect=1,2,3,4\n"
    "activebuttonrect=1,2,3,4\n"
    "downbuttonrect=1,2,3,4\n"
    "unenabledbuttonrect=1,2,3,4\n";
const std::string kListBoxKeys = kCustomControlKeys +
    "itemrect=1,2,3,4\n"
    "activeitemrect=1,2,3,4\n"
    "focusitemrect=1,2,3,4\n"
    "itemleftoffset=7\n"
    "itemrightoffset=7\n"
    "itemtextrect=1,2,3,4\n"
    "fontname=zz\n"
    "fontheight=7\n"
    "fontstyle=fsbold\n"
    "fontcolor=123\n"
    "activefontcolor=123\n"
    "focusfontcolor=123\n"
    "captionrect=1,2,3,4\n"
    "captionfontname=zz\n"
    "captionfontheight=7\n"
    "captionfontstyle=fsbold\n"
    "captionfontcolor=123\n"
    "upbuttonrect=1,2,3,4\n"
    "activeupbuttonrect=1,2,3,4\n"
    "downupbuttonrect=1,2,3,4\n"
    "downbuttonrect=1,2,3,4\n"
    "activedownbuttonrect=1,2,3,4\n"
    "downdownbuttonrect=1,2,3,4\n"
    "checkbuttonrect=1,2,3,4\n"
    "activecheckbuttonrect=1,2,3,4\n"
    "downcheckbuttonrect=1,2,3,4\n"
    "vscrollbarname=zz\n"
    "hscrollbarname=zz\n"
    "bothhscrollbarname=zz\n"
    "showfocus=1\n"
    "disabledbuttonsrect=1,2,3,4\n"
    "buttonsarea=1,2,3,4\n";
const std::string kButtonControlKeys = kCustomControlKeys +
    "fontname=zz\n"
    "fontheight=7\n"
    "fontstyle=fsbold\n"
    "fontcolor=123\n"
    "activefontcolor=123\n"
    "downfontcolor=123\n"
    "disabledfontcolor=123\n"
    "activeskinrect=1,2,3,4\n"
    "downskinrect=1,2,3,4\n"
    "focusedskinrect=1,2,3,4\n"
    "disabledskinrect=1,2,3,4\n"
    "morphing=1\n"
    "morphkind=mkpush\n"
    "animateskinrect=1,2,3,4\n"
    "framecount=7\n"
    "animateinterval=7\n"
    "showfocus=1\n"
    "menumarkerflatrect=1,2,3,4\n"
    "menumarkerrect=1,2,3,4\n"
    "menumarkeractiverect=1,2,3,4\n"
    "menumarkerdownrect=1,2,3,4\n"
    "menumarkertransparentcolor=123\n"
    "glowlayerpictureindex=7\n"
    "glowlayermaskpictureindex=7\n"
    "glowlayeroffsetleft=7\n"
    "glowlayeroffsetright=7\n"
    "glowlayeroffsettop=7\n"
    "glowlayeroffsetbottom=7\n"
    "glowlayershowoffsetx=7\n"
    "glowlayershowoffsety=7\n"
    "glowlayeralphablendvalue=7\n";

const TKindFixture kControlFixtures[] = {
    {"panel", "TbsDataSkinPanelControl",
     kCustomControlKeys +
     "bgpictureindex=7\n"
     "captionrect=1,2,3,4\n"
     "alignment=taleftjustify\n"
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "checkimagerect=1,2,3,4\n"
     "uncheckimagerect=1,2,3,4\n"
     "markframerect=1,2,3,4\n"
     "framerect=1,2,3,4\n"
     "frametextrect=1,2,3,4\n"
     "frameleftoffset=7\n"
     "framerightoffset=7\n"
     "gripperrect=1,2,3,4\n"
     "grippertransparent=1\n"
     "grippertransparentcolor=123\n"},
    {"expanel", "TbsDataSkinExPanelControl",
     kCustomControlKeys +
     "rollhskinrect=1,2,3,4\n"
     "rollvskinrect=1,2,3,4\n"
     "rollleftoffset=7\n"
     "rollrightoffset=7\n"
     "rolltopoffset=7\n"
     "rollbottomoffset=7\n"
     "rollvcaptionrect=1,2,3,4\n"
     "rollhcaptionrect=1,2,3,4\n"
     "closebuttonrect=1,2,3,4\n"
     "closebuttonactiverect=1,2,3,4\n"
     "closebuttondownrect=1,2,3,4\n"
     "hrollbuttonrect=1,2,3,4\n"
     "hrollbuttonactiverect=1,2,3,4\n"
     "hrollbuttondownrect=1,2,3,4\n"
     "hrestorebuttonrect=1,2,3,4\n"
     "hrestorebuttonactiverect=1,2,3,4\n"
     "hrestorebuttondownrect=1,2,3,4\n"
     "vrollbuttonrect=1,2,3,4\n"
     "vrollbuttonactiverect=1,2,3,4\n"
     "vrollbuttondownrect=1,2,3,4\n"
     "vrestorebuttonrect=1,2,3,4\n"
     "vrestorebuttonactiverect=1,2,3,4\n"
     "vrestorebuttondownrect=1,2,3,4\n"
     "captionrect=1,2,3,4\n"
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "buttonstransparent=1\n"
     "buttonstransparentcolor=123\n"},
    {"menubutton", "TbsDataSkinMenuButtonControl",
     kButtonControlKeys +
     "trackbuttonrect=1,2,3,4\n"},
    {"button", "TbsDataSkinButtonControl",
     kButtonControlKeys},
    {"checkradio", "TbsDataSkinCheckRadioControl",
     kCustomControlKeys +
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "framefontcolor=123\n"
     "activefontcolor=123\n"
     "unenabledfontcolor=123\n"
     "activeskinrect=1,2,3,4\n"
     "checkimagearea=1,2,3,4\n"
     "textarea=1,2,3,4\n"
     "checkimagerect=1,2,3,4\n"
     "uncheckimagerect=1,2,3,4\n"
     "activecheckimagerect=1,2,3,4\n"
     "activeuncheckimagerect=1,2,3,4\n"
     "unenabledcheckimagerect=1,2,3,4\n"
     "unenableduncheckimagerect=1,2,3,4\n"
     "grayedcheckimagerect=1,2,3,4\n"
     "activegrayedcheckimagerect=1,2,3,4\n"
     "morphing=1\n"
     "morphkind=mkpush\n"},
    {"gauge", "TbsDataSkinGaugeControl",
     kCustomControlKeys +
     "progressarea=1,2,3,4\n"
     "progressrect=1,2,3,4\n"
     "beginoffset=7\n"
     "endoffset=7\n"
     "vertical=1\n"
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "progresstransparent=1\n"
     "progresstransparentcolor=123\n"
     "progressstretch=1\n"
     "animationskinrect=1,2,3,4\n"
     "animationcountframes=7\n"
     "animationtimerinterval=7\n"
     "progressanimationskinrect=1,2,3,4\n"
     "progressanimationcountframes=7\n"
     "progressanimationtimerinterval=7\n"
     "animationbeginoffset=7\n"
     "animationendoffset=7\n"},
    {"splitter", "TbsDataSkinSplitterControl",
     kCustomControlKeys +
     "gripperrect=1,2,3,4\n"
     "grippertransparent=1\n"
     "grippertransparentcolor=123\n"},
    {"trackbar", "TbsDataSkinTrackBarControl",
     kCustomControlKeys +
     "activeskinrect=1,2,3,4\n"
     "trackarea=1,2,3,4\n"
     "buttonrect=1,2,3,4\n"
     "activebuttonrect=1,2,3,4\n"
     "vertical=1\n"
     "buttontransparent=1\n"
     "buttontransparentcolor=123\n"},
    {"label", "TbsDataSkinLabelControl",
     kCustomControlKeys +
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"},
    {"stdlabel", "TbsDataSkinStdLabelControl",
     kControlKeys +
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "activefontcolor=123\n"},
    {"updown", "TbsDataSkinUpDownControl",
     kCustomControlKeys +
     "upbuttonrect=1,2,3,4\n"
     "activeupbuttonrect=1,2,3,4\n"
     "downupbuttonrect=1,2,3,4\n"
     "downbuttonrect=1,2,3,4\n"
     "activedownbuttonrect=1,2,3,4\n"
     "downdownbuttonrect=1,2,3,4\n"},
    {"grid", "TbsDataSkinGridControl",
     kControlKeys +
     "fixedcellrect=1,2,3,4\n"
     "selectcellrect=1,2,3,4\n"
     "focuscellrect=1,2,3,4\n"
     "fixedcellleftoffset=7\n"
     "fixedcellrightoffset=7\n"
     "fixedcelltextrect=1,2,3,4\n"
     "cellleftoffset=7\n"
     "cellrightoffset=7\n"
     "celltextrect=1,2,3,4\n"
     "linescolor=123\n"
     "bgcolor=123\n"
     "bgpictureindex=7\n"
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "selectfontcolor=123\n"
     "focusfontcolor=123\n"
     "fixedfontname=zz\n"
     "fixedfontheight=7\n"
     "fixedfontstyle=fsbold\n"
     "fixedfontcolor=123\n"
     "cellstretcheffect=1\n"
     "fixedcellstretcheffect=1\n"
     "showfocus=1\n"},
    {"tab", "TbsDataSkinTabControl",
     kControlKeys +
     "tabrect=1,2,3,4\n"
     "activetabrect=1,2,3,4\n"
     "focustabrect=1,2,3,4\n"
     "mouseintabrect=1,2,3,4\n"
     "clientrect=1,2,3,4\n"
     "bgpictureindex=7\n"
     "lefttoppoint=5,6\n"
     "righttoppoint=5,6\n"
     "leftbottompoint=5,6\n"
     "rightbottompoint=5,6\n"
     "tableftoffset=7\n"
     "tabrightoffset=7\n"
     "tabsbgrect=1,2,3,4\n"
     "tabstretcheffect=1\n"
     "leftstretch=1\n"
     "topstretch=1\n"
     "rightstretch=1\n"
     "bottomstretch=1\n"
     "stretcheffect=1\n"
     "stretchtype=sthorz\n"
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "activefontcolor=123\n"
     "focusfontcolor=123\n"
     "mouseinfontcolor=123\n"
     "updown=zz\n"
     "showfocus=1\n"
     "focusoffsetx=7\n"
     "focusoffsety=7\n"
     "closebuttonrect=1,2,3,4\n"
     "closebuttonactiverect=1,2,3,4\n"
     "closebuttondownrect=1,2,3,4\n"
     "buttontransparent=1\n"
     "buttontransparentcolor=123\n"},
    {"mainmenubar", "TbsDataSkinMainMenuBar",
     kControlKeys +
     "itemsrect=1,2,3,4\n"
     "menubaritem=zz\n"
     "closebutton=zz\n"
     "minbutton=zz\n"
     "maxbutton=zz\n"
     "sysmenubutton=zz\n"
     "trackmarkcolor=7\n"
     "trackmarkactivecolor=7\n"
     "stretcheffect=1\n"
     "itemtransparent=1\n"},
    {"controlbar", "TbsDataSkinControlBar",
     kCustomControlKeys +
     "itemrect=1,2,3,4\n"
     "bgpictureindex=7\n"
     "hgriprect=1,2,3,4\n"
     "vgriprect=1,2,3,4\n"
     "gripoffset1=7\n"
     "gripoffset2=7\n"
     "itemoffset1=7\n"
     "itemoffset2=7\n"
     "itemstretcheffect=1\n"
     "itemtransparent=1\n"
     "itemtransparentcolor=123\n"
     "griptransparent=1\n"
     "griptransparentcolor=123\n"},
    {"memo", "TbsDataSkinMemoControl",
     kEditControlKeys +
     "bgcolor=123\n"
     "activebgcolor=123\n"},
    {"edit", "TbsDataSkinEditControl",
     kEditControlKeys},
    {"checklistbox", "TbsDataSkinCheckListBox",
     kListBoxKeys +
     "itemcheckrect=1,2,3,4\n"
     "uncheckimagerect=1,2,3,4\n"
     "checkimagerect=1,2,3,4\n"},
    {"listbox", "TbsDataSkinListBox",
     kListBoxKeys},
    {"combobox", "TbsDataSkinComboBox",
     kCustomControlKeys +
     "activeskinrect=1,2,3,4\n"
     "itemrect=1,2,3,4\n"
     "activeitemrect=1,2,3,4\n"
     "focusitemrect=1,2,3,4\n"
     "itemleftoffset=7\n"
     "itemrightoffset=7\n"
     "itemtextrect=1,2,3,4\n"
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "focusfontcolor=123\n"
     "activefontcolor=123\n"
     "buttonrect=1,2,3,4\n"
     "activebuttonrect=1,2,3,4\n"
     "downbuttonrect=1,2,3,4\n"
     "unenabledbuttonrect=1,2,3,4\n"
     "listboxname=zz\n"
     "itemstretcheffect=1\n"
     "focusitemstretcheffect=1\n"
     "showfocus=1\n"},
    {"scrollbar", "TbsDataSkinScrollBarControl",
     kCustomControlKeys +
     "trackarea=1,2,3,4\n"
     "upbuttonrect=1,2,3,4\n"
     "activeupbuttonrect=1,2,3,4\n"
     "downupbuttonrect=1,2,3,4\n"
     "downbuttonrect=1,2,3,4\n"
     "activedownbuttonrect=1,2,3,4\n"
     "downdownbuttonrect=1,2,3,4\n"
     "thumbrect=1,2,3,4\n"
     "activethumbrect=1,2,3,4\n"
     "downthumbrect=1,2,3,4\n"
     "thumboffset1=7\n"
     "thumboffset2=7\n"
     "thumbtransparent=1\n"
     "thumbtransparentcolor=123\n"
     "thumbstretcheffect=1\n"
     "thumbminsize=7\n"
     "thumbminpagesize=7\n"
     "glyphrect=1,2,3,4\n"
     "activeglyphrect=1,2,3,4\n"
     "downglyphrect=1,2,3,4\n"
     "glyphtransparent=1\n"
     "glyphtransparentcolor=123\n"},
    {"spinedit", "TbsDataSkinSpinEditControl",
     kCustomControlKeys +
     "activeskinrect=1,2,3,4\n"
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "activefontcolor=123\n"
     "disabledfontcolor=123\n"
     "upbuttonrect=1,2,3,4\n"
     "activeupbuttonrect=1,2,3,4\n"
     "downupbuttonrect=1,2,3,4\n"
     "downbuttonrect=1,2,3,4\n"
     "activedownbuttonrect=1,2,3,4\n"
     "downdownbuttonrect=1,2,3,4\n"},
    {"scrollbox", "TbsDataSkinScrollBoxControl",
     kCustomControlKeys +
     "bgpictureindex=7\n"},
    {"treeview", "TbsDataSkinTreeView",
     kControlKeys +
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "bgcolor=123\n"},
    {"bevel", "TbsDataSkinBevel",
     kControlKeys +
     "lightcolor=123\n"
     "darkcolor=123\n"},
    {"slider", "TbsDataSkinSlider",
     kControlKeys +
     "bgcolor=123\n"
     "hrulerrect=1,2,3,4\n"
     "hthumbrect=1,2,3,4\n"
     "vrulerrect=1,2,3,4\n"
     "vthumbrect=1,2,3,4\n"
     "edgesize=7\n"
     "pointscolor=123\n"},
    {"listview", "TbsDataSkinListView",
     kControlKeys +
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "bgcolor=123\n"},
    {"richedit", "TbsDataSkinRichEdit",
     kControlKeys +
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "bgcolor=123\n"},
};

const std::string kObjectKeys =
    "hint=zz\n"
    "activepictureindex=7\n"
    "activemaskpictureindex=7\n"
    "skinrectinapicture=1\n"
    "skinrect=1,2,3,4\n"
    "activeskinrect=1,2,3,4\n"
    "inactiveskinrect=1,2,3,4\n"
    "morphing=1\n"
    "morphkind=mkpush\n"
    "glowlayerpictureindex=7\n"
    "glowlayermaskpictureindex=7\n"
    "glowlayeroffsetx=7\n"
    "glowlayeroffsety=7\n"
    "glowlayeralphablendvalue=7\n";
const std::string kMainMenuItemKeys = kObjectKeys +
    "itemleftoffset=7\n"
    "itemrightoffset=7\n"
    "downrect=1,2,3,4\n"
    "textrect=1,2,3,4\n"
    "fontname=zz\n"
    "fontheight=7\n"
    "fontstyle=fsbold\n"
    "fontcolor=123\n"
    "activefontcolor=123\n"
    "downfontcolor=123\n"
    "unenabledfontColor=123\n"
    "stretcheffect=1\n"
    "animateskinrect=1,2,3,4\n"
    "framecount=7\n"
    "animateinterval=7\n"
    "inactiveanimation=1\n";
const std::string kButtonKeys = kObjectKeys +
    "downrect=1,2,3,4\n"
    "disableskinrsect=1,2,3,4\n";
const std::string kStdButtonKeys = kButtonKeys +
    "command=cmclose\n"
    "restorerect=1,2,3,4\n"
    "restoreactiverect=1,2,3,4\n"
    "restoredownrect=1,2,3,4\n"
    "restoreinactiverect=1,2,3,4\n"
    "restorehint=zz\n";

const TKindFixture kObjectFixtures[] = {
    {"menuitem", "TbsDataSkinMenuItem",
     kObjectKeys +
     "itemleftoffset=7\n"
     "itemrightoffset=7\n"
     "dividerrect=1,2,3,4\n"
     "dividerleftoffset=7\n"
     "dividerrightoffset=7\n"
     "textrect=1,2,3,4\n"
     "imagerect=1,2,3,4\n"
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "activefontcolor=123\n"
     "unenabledfontcolor=123\n"
     "stretcheffect=1\n"
     "inactivestretcheffect=1\n"
     "dividerstretcheffect=1\n"
     "animateskinrect=1,2,3,4\n"
     "framecount=7\n"
     "animateinterval=7\n"
     "inactiveanimation=1\n"
     "useimagecolor=1\n"
     "imagecolor=123\n"
     "activeimagecolor=123\n"
     "inactivetransparent=1\n"
     "checkimagerect=1,2,3,4\n"
     "activecheckimagerect=1,2,3,4\n"
     "radioimagerect=1,2,3,4\n"
     "activeradioimagerect=1,2,3,4\n"
     "arrowimagerect=1,2,3,4\n"
     "activearrowimagerect=1,2,3,4\n"},
    {"mainmenubaritem", "TbsDataSkinMainMenuBarItem",
     kMainMenuItemKeys},
    {"stdbutton", "TbsDataSkinStdButton",
     kStdButtonKeys},
    {"mainmenubarbutton", "TbsDataSkinMainMenuBarButton",
     kStdButtonKeys},
    {"button", "TbsDataSkinButton",
     kButtonKeys},
    {"caption", "TbsDataSkinCaption",
     kObjectKeys +
     "textrect=1,2,3,4\n"
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "activefontcolor=123\n"
     "alignment=taleftjustify\n"
     "light=1\n"
     "lightcolor=123\n"
     "activelightcolor=123\n"
     "shadow=1\n"
     "shadowcolor=123\n"
     "activeshadowcolor=123\n"
     "framerect=1,2,3,4\n"
     "activeframerect=1,2,3,4\n"
     "frametextrect=1,2,3,4\n"
     "frameleftoffset=7\n"
     "framerightoffset=7\n"
     "stretcheffect=1\n"
     "animateskinrect=1,2,3,4\n"
     "framecount=7\n"
     "animateinterval=7\n"
     "inactiveanimation=1\n"
     "fullframe=1\n"
     "vistagloweffect=1\n"
     "vistaglowinactiveeffect=1\n"
     "gloweffect=1\n"
     "glowinactiveeffect=1\n"
     "glowsize=7\n"
     "glowcolor=123\n"
     "glowactivecolor=123\n"
     "glowoffset=7\n"
     "reflectioneffect=1\n"
     "reflactioncolor=123\n"
     "reflactionactivecolor=123\n"
     "reflectionoffset=7\n"},
    {"animate", "TbsDataSkinAnimate",
     kObjectKeys +
     "countframes=7\n"
     "cycle=1\n"
     "buttonstyle=1\n"
     "timerinterval=7\n"
     "command=cmclose\n"
     "downskinrect=1,2,3,4\n"
     "restorerect=1,2,3,4\n"
     "restoreactiverect=1,2,3,4\n"
     "restoredownrect=1,2,3,4\n"
     "restoreinactiverect=1,2,3,4\n"
     "restorehint=zz\n"},
    {"userobject", "TbsDataUserObject",
     "skinrect=1,2,3,4\n"},
};

const TKindFixture kWindowFixtures[] = {
    {"POPUPWINDOW", "TbsDataSkinPopupWindow",
     "windowpictureindex=7\n"
     "maskpictureindex=7\n"
     "lefttoppoint=5,6\n"
     "righttoppoint=5,6\n"
     "leftbottompoint=5,6\n"
     "rightbottompoint=5,6\n"
     "itemsrect=1,2,3,4\n"
     "scrollmarkercolor=7\n"
     "scrollmarkeractivecolor=7\n"
     "leftstretch=1\n"
     "rightstretch=1\n"
     "topstretch=1\n"
     "bottomstretch=1\n"
     "stretcheffect=1\n"
     "stretchtype=sthorz\n"
    },
    {"LAYERFRAME", "TbsDataSkinLayerFrame",
     "pictureindex=7\n"
     "maskpictureindex=7\n"
     "inactivepictureindex=7\n"
     "inactivemaskpictureindex=7\n"
     "lefttoppoint=5,6\n"
     "righttoppoint=5,6\n"
     "leftbottompoint=5,6\n"
     "rightbottompoint=5,6\n"
     "clientrect=1,2,3,4\n"
     "alphablendvalue=7\n"
     "inactivealphablendvalue=7\n"
     "borderrect=1,2,3,4\n"
     "hittestenable=1\n"
    },
    {"HINTWINDOW", "TbsDataSkinHintWindow",
     "windowpictureindex=7\n"
     "maskpictureindex=7\n"
     "lefttoppoint=5,6\n"
     "righttoppoint=5,6\n"
     "leftbottompoint=5,6\n"
     "rightbottompoint=5,6\n"
     "clientrect=1,2,3,4\n"
     "fontname=zz\n"
     "fontheight=7\n"
     "fontstyle=fsbold\n"
     "fontcolor=123\n"
     "leftstretch=1\n"
     "rightstretch=1\n"
     "topstretch=1\n"
     "bottomstretch=1\n"
     "stretcheffect=1\n"
     "stretchtype=sthorz\n"
    },
    {"SKINCOLORS", "TbsSkinColors",
     "cbtnface=123\n"
     "cbtntext=123\n"
     "cwindow=123\n"
     "cwindowtext=123\n"
     "chighlight=123\n"
     "chighlighttext=123\n"
     "cbtnhighlight=123\n"
     "cbtnshadow=123\n"
    },
};

std::vector<std::string> FixtureKeys(const TKindFixture& F) {
    TStringList lines;
    lines.SetText(F.Keys);
    std::vector<std::string> keys;
    for (int i = 0; i < lines.Count(); ++i)
        keys.push_back(lines.Names(i));
    return keys;
}

std::vector<std::string> KeysOf(const std::vector<TbsKeyState>& Report) {
    std::vector<std::string> keys;
    for (const auto& k : Report)
        keys.push_back(k.Key);
    return keys;
}

std::vector<std::string> KeysAtDefault(const std::vector<TbsKeyState>& Report) {
    std::vector<std::string> keys;
    for (const auto& k : Report)
        if (k.AtDefault)
            keys.push_back(k.Key);
    return keys;
}

std::vector<std::string> SectionKeys(TCustomIniFile& Ini, const std::string& Section) {
    TStringList keys;
    Ini.ReadSection(Section, keys);
    std::vector<std::string> out;
    for (int i = 0; i < keys.Count(); ++i)
        out.push_back(keys[i]);
    return out;
}

// Fields that a kind derives from others whatever its section says.
std::vector<std::string> ForcedToDefault(const std::string& Kind) {
    if (Kind == "updown")
        return {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint", "clientrect"};
    if (Kind == "animate")
        return {"morphing"};
    return {};
}

// Loads a fixture, checks every key was read, then writes it back and reads
// the written section again: the keys come out in the same order and spelling
// and the second read gives the same values.
template <class D, class Create>
void CheckKind(const TKindFixture& F, Create Make) {
    SCOPED_TRACE(F.Kind);
    auto ini = IniOf(std::string("[sec]\n") + F.Keys);
    std::unique_ptr<D> d = Make(F.Kind, "sec");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->ClassName(), F.ClassName);
    EXPECT_STREQ(d->Kind(), F.Kind);
    d->LoadFromFile(*ini);

    std::vector<TbsKeyState> report;
    d->ReportKeys(report);
    EXPECT_EQ(KeysOf(report), FixtureKeys(F));
    EXPECT_EQ(KeysAtDefault(report), ForcedToDefault(F.Kind));

    TMemIniFile written;
    written.WriteString("sec", "stale", "1");   // writing starts by erasing the section
    d->SaveToFile(written);
    EXPECT_EQ(SectionKeys(written, "sec"), FixtureKeys(F));
    std::unique_ptr<D> again = Make(F.Kind, "sec");
    again->LoadFromFile(written);
    TMemIniFile rewritten;
    again->SaveToFile(rewritten);
    EXPECT_EQ(rewritten.Text(), written.Text());
}

template <class W>
void CheckWindow(const TKindFixture& F) {
    SCOPED_TRACE(F.Kind);
    W w;
    EXPECT_STREQ(W::Section, F.Kind);
    auto ini = IniOf(std::string("[") + F.Kind + "]\n" + F.Keys);
    w.LoadFromFile(*ini);
    std::vector<TbsKeyState> report;
    w.ReportKeys(report);
    EXPECT_EQ(KeysOf(report), FixtureKeys(F));
    EXPECT_EQ(KeysAtDefault(report), std::vector<std::string>{});
    TMemIniFile written;
    w.SaveToFile(written);
    EXPECT_EQ(SectionKeys(written, F.Kind), FixtureKeys(F));
}

}  // namespace

TEST(ControlDescriptions, EveryKindReadsAndWritesEveryKey) {
    std::set<std::string> kinds;
    for (const auto& f : kControlFixtures) {
        CheckKind<TbsDataSkinControl>(f, CreateSkinControl);
        kinds.insert(f.Kind);
    }
    EXPECT_EQ(kinds.size(), 28u);
    EXPECT_FALSE(CreateSkinControl("Button", "x"));
    EXPECT_FALSE(CreateSkinControl("", "x"));
}

TEST(ObjectDescriptions, EveryKindReadsAndWritesEveryKey) {
    for (const auto& f : kObjectFixtures)
        CheckKind<TbsDataSkinObject>(f, CreateSkinObject);
    EXPECT_FALSE(CreateSkinObject("mainmenuitem", "x"));
}

TEST(WindowDescriptions, EverySectionReadsAndWritesEveryKey) {
    CheckWindow<TbsDataSkinPopupWindow>(kWindowFixtures[0]);
    CheckWindow<TbsDataSkinLayerFrame>(kWindowFixtures[1]);
    CheckWindow<TbsDataSkinHintWindow>(kWindowFixtures[2]);
    CheckWindow<TbsSkinColors>(kWindowFixtures[3]);
}
