#include "skin/dialogs/SkinMessage.h"
#include <algorithm>
#include <memory>
#include "platform/gfx/Bitmap.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/forms/Application.h"
#include "resources/pictures/ResourcePictures.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinLabels.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "skin/frame/FormFrame.h"

namespace {

struct TButtonKind {
    TMsgDlgBtn Kind;
    const char* Name;
    const char* Key;   // nullptr: always the built-in caption
    TModalResult Result;
};

constexpr TButtonKind ButtonKinds[] = {
    {mbYes, "Yes", "MSG_BTN_YES", mrYes},
    {mbNo, "No", "MSG_BTN_NO", mrNo},
    {mbOK, "OK", "MSG_BTN_OK", mrOk},
    {mbCancel, "Cancel", "MSG_BTN_CANCEL", mrCancel},
    {mbAbort, "Abort", "MSG_BTN_ABORT", mrAbort},
    {mbRetry, "Retry", "MSG_BTN_RETRY", mrRetry},
    {mbIgnore, "Ignore", "MSG_BTN_IGNORE", mrIgnore},
    {mbAll, "All", "MSG_BTN_ALL", mrAll},
    {mbNoToAll, "NoToAll", "MSG_BTN_NOTOALL", mrNoToAll},
    {mbYesToAll, "YesToAll", "MSG_BTN_YESTOALL", mrYesToAll},
    {mbHelp, "Help", "MSG_BTN_HELP", mrNone},
    {mbClose, "Close", nullptr, mrClose},
};

constexpr int ButtonWidth = 70;
constexpr int ButtonGap = 10;
constexpr int PlainButtonHeight = 25;
constexpr int LabelLeft = 50;
constexpr int LabelTop = 15;
constexpr int IconSize = 32;

const TButtonKind& KindOf(TMsgDlgBtn Kind) { return ButtonKinds[Kind]; }

// The width of the row of the asked buttons with the gaps between them.
int ButtonRowWidth(TMsgDlgButtons Buttons)
{
    int n = 0;
    for (const auto& k : ButtonKinds)
        if (Buttons.Contains(k.Kind))
            ++n;
    return n > 0 ? ButtonWidth * n + ButtonGap * (n - 1) : 0;
}

}  // namespace

std::string GetMsgButtonCaption(TMsgDlgBtn Kind, const TbsSkinData* CtrlSkinData)
{
    if (!KindOf(Kind).Key)
        return "Close";
    return SkinResStr(CtrlSkinData, KindOf(Kind).Key);
}

std::string GetMsgCaption(TMsgDlgType Type, const TbsSkinData* CtrlSkinData)
{
    switch (Type) {
    case mtWarning: return SkinResStr(CtrlSkinData, "MSG_CAP_WARNING");
    case mtError: return SkinResStr(CtrlSkinData, "MSG_CAP_ERROR");
    case mtInformation: return SkinResStr(CtrlSkinData, "MSG_CAP_INFORMATION");
    case mtConfirmation: return SkinResStr(CtrlSkinData, "MSG_CAP_CONFIRM");
    case mtCustom: break;
    }
    return {};
}

TModalResult MsgButtonResult(TMsgDlgBtn Kind) { return KindOf(Kind).Result; }

int MsgTypeIcon(TMsgDlgType Type)
{
    switch (Type) {
    case mtWarning: return IconExclamation;
    case mtError: return IconHand;
    case mtInformation: return IconAsterisk;
    case mtConfirmation: return IconQuestion;
    case mtCustom: break;
    }
    return 0;
}

// ------------------------------------------------------------ TbsMessageForm

TbsMessageForm::TbsMessageForm(TComponent* AOwner, int X, int Y) : TForm(AOwner, TFormCreation::New)
{
    SetBorderStyle(bsDialog);
    SetKeyPreview(true);
    if (X < -10000) {
        SetPosition(poScreenCenter);
    } else {
        SetLeft(X);
        SetTop(Y);
    }
    BSF = new TbsFormFrame(this);
    BSF->SetBorderIcons(TbsBorderIcons{});
}

void TbsMessageForm::HelpBtnClick(TObject*)
{
    if (OnHelp)
        OnHelp(this);
}

// ------------------------------------------------------------ TbsSkinMessage

TbsSkinMessage::TbsSkinMessage(TComponent* AOwner) : TbsSkinPairHolder(AOwner)
{
    for (TFont* f : {&FDefaultFont, &FDefaultButtonFont}) {
        f->SetName("Arial");
        f->SetStyle(0);
        f->SetHeight(14);
    }
}

int TbsSkinMessage::ButtonHeight() const
{
    const TbsSkinData* skin = CtrlSkinData();
    if (!skin || skin->Empty)
        return PlainButtonHeight;
    const int i = skin->GetControlIndex(FButtonSkinDataName);
    if (i < 0)
        return PlainButtonHeight;
    const auto* e = dynamic_cast<const TbsDataSkinButtonControl*>(skin->CtrlList[size_t(i)].get());
    return e ? RectHeight(e->SkinRect) : PlainButtonHeight;
}

TbsMessageForm* TbsSkinMessage::BuildForm(const std::string& Msg, const std::string& Title, const TIconRequest& Icon,
                                          TMsgDlgButtons Buttons, bool OfferCheckBox, int X, int Y)
{
    auto form = std::unique_ptr<TbsMessageForm>(NewForm<TbsMessageForm>(Application, X, Y));
    ApplyFrameLook(*form);
    form->SetCaption(Title);
    AddMessageLabel(*form, Msg);
    AddIcon(*form, Icon);

    const int rowWidth = ButtonRowWidth(Buttons);
    form->SetClientHeight(ButtonHeight() + form->Message->Height() + 50);
    form->SetClientWidth(std::max(rowWidth, form->Message->Left() + form->Message->Width()) + 40);
    if (OfferCheckBox && FShowAgainFlag)
        AddShowAgainBox(*form);
    KeepWithinFrameWidths(*form);
    AddButtons(*form, Buttons, rowWidth);
    return form.release();
}

// The frame takes this component's skins and blending; client sizes set after
// this count on the frame the skin gives the window.
void TbsSkinMessage::ApplyFrameLook(TbsMessageForm& Form)
{
    TbsFormFrame& frame = *Form.BSF;
    frame.SetSkinData(SkinData());
    frame.SetMenusSkinData(CtrlSkinData());
    frame.SetAlphaBlend(FAlphaBlend);
    frame.AlphaBlendAnimation = FAlphaBlendAnimation;
    frame.SetAlphaBlendValue(FAlphaBlendValue);
    Form.HandleNeeded();
}

void TbsSkinMessage::AddMessageLabel(TbsMessageForm& Form, const std::string& Msg)
{
    auto* label = new TbsSkinStdLabel(&Form);
    Form.Message = label;
    label->Font().Assign(FDefaultFont);
    label->SetDefaultFont(FDefaultFont);
    label->SetUseSkinFont(FUseSkinFont);
    label->SetSkinDataName(FMessageLabelSkinDataName);
    label->SetSkinData(CtrlSkinData());
    label->SetName("Message");
    label->SetParent(&Form);
    label->SetAutoSize(true);
    label->SetCaption(Msg);
    label->SetLeft(LabelLeft);
    label->SetTop(LabelTop);
}

// The picture left of the message: a system icon, or a picture of an image
// list when the index is within it; none otherwise.
void TbsSkinMessage::AddIcon(TbsMessageForm& Form, const TIconRequest& Icon)
{
    const TbsSkinStdLabel& label = *Form.Message;
    if (Icon.SystemIcon != 0) {
        auto* image = new TImage(&Form);
        image->SetName("Image");
        image->SetParent(&Form);
        image->Picture().Bitmap().Assign(LoadResIcon(Icon.SystemIcon, IconSize));
        image->SetTransparent(true);
        const int top = std::max(10, label.Top() + label.Height() / 2 - IconSize / 2);
        image->SetBounds(5, top, IconSize, IconSize);
        Form.Image = image;
    } else if (Icon.Images && Icon.ImageIndex >= 0 && Icon.ImageIndex <= Icon.Images->Count() - 1) {
        auto* image = new TImage(&Form);
        image->SetName("Image");
        image->SetParent(&Form);
        image->SetTransparent(true);
        TBitmap& b = image->Picture().Bitmap();
        b.SetSize(Icon.Images->Width(), Icon.Images->Height(), false);
        b.Fill(clBtnFace);
        Icon.Images->Draw(*b.Canvas(), 0, 0, Icon.ImageIndex, true);
        image->SetBounds(5, label.Top() + label.Height() / 2 - IconSize / 2, Icon.Images->Width(),
                         Icon.Images->Height());
        Form.Image = image;
    }
}

// The "do not show again" box above the buttons; the form grows to hold it
// and widens to its caption.
void TbsSkinMessage::AddShowAgainBox(TbsMessageForm& Form)
{
    const int bh = ButtonHeight();
    Form.SetClientHeight(Form.ClientHeight() + 40);
    auto* box = new TbsSkinCheckRadioBox(&Form);
    Form.DisplayCheckBox = box;
    box->SetName("checkbox");
    box->SetDefaultHeight(30);
    box->SetChecked(!FShowAgainFlagValue);
    box->SetParent(&Form);
    box->SetDefaultFont(FDefaultFont);
    box->SetUseSkinFont(FUseSkinFont);
    box->SetSkinData(CtrlSkinData());
    const int top = Form.ClientHeight() - bh - 50;
    const std::string caption = SkinResStr(CtrlSkinData(), "MSG_CAP_SHOWFLAG");
    box->SetCaption(caption);
    TBitmap measure(1, 1);
    TCanvas& c = *measure.Canvas();
    c.Font().Assign(FDefaultFont);
    if (FUseSkinFont && box->SkinIndex() != -1)
        if (const auto* e = dynamic_cast<const TbsDataSkinCheckRadioControl*>(
                CtrlSkinData()->CtrlList[size_t(box->SkinIndex())].get())) {
            c.Font().SetName(e->FontName);
            c.Font().SetHeight(e->FontHeight);
        }
    const int tw = c.TextWidth(caption);
    if (Form.ClientWidth() < tw + 60)
        Form.SetClientWidth(tw + 60);
    box->SetBounds(5, top, tw + 55, box->DefaultHeight());
}

void TbsSkinMessage::KeepWithinFrameWidths(TbsMessageForm& Form)
{
    const TbsFormFrame& frame = *Form.BSF;
    if (frame.GetMaxWidth() < Form.Width())
        Form.SetWidth(frame.GetMaxWidth());
    else if (Form.Width() < frame.GetMinWidth())
        Form.SetWidth(frame.GetMinWidth());
}

// The asked buttons in their fixed order, centred along the bottom; OK (else
// Yes, else Retry) is the default, Cancel (else No, else OK) the cancel one.
void TbsSkinMessage::AddButtons(TbsMessageForm& Form, TMsgDlgButtons Buttons, int RowWidth)
{
    const int bh = ButtonHeight();
    const TMsgDlgBtn defaultKind = Buttons.Contains(mbOK) ? mbOK : Buttons.Contains(mbYes) ? mbYes : mbRetry;
    const TMsgDlgBtn cancelKind = Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;
    int x = (Form.ClientWidth() - RowWidth) / 2;
    for (const auto& k : ButtonKinds) {
        if (!Buttons.Contains(k.Kind))
            continue;
        auto* b = new TbsSkinButton(&Form);
        b->SetParent(&Form);
        b->SetName(k.Name);
        b->SetCanFocused(true);
        b->SetCaption(GetMsgButtonCaption(k.Kind, CtrlSkinData()));
        b->SetModalResult(k.Result);
        b->SetDefault(k.Kind == defaultKind);
        b->SetCancel(k.Kind == cancelKind);
        b->SetDefaultHeight(bh);
        b->SetBounds(x, Form.ClientHeight() - bh - 10, ButtonWidth, bh);
        b->SetDefaultFont(FDefaultButtonFont);
        b->SetUseSkinFont(FUseSkinFont);
        x += ButtonWidth + ButtonGap;
        if (k.Kind == mbHelp) {
            TbsMessageForm* f = &Form;
            b->OnClick = [f](TObject* Sender) { f->HelpBtnClick(Sender); };
        }
        b->SetSkinDataName(FButtonSkinDataName);
        b->SetSkinData(CtrlSkinData());
    }
}

TbsMessageForm* TbsSkinMessage::CreateMessageForm(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                                  int X, int Y)
{
    const std::string title = DlgType == mtCustom ? Application->Title() : GetMsgCaption(DlgType, CtrlSkinData());
    return BuildForm(Msg, title, TIconRequest{MsgTypeIcon(DlgType)}, Buttons, true, X, Y);
}

TbsMessageForm* TbsSkinMessage::CreateMessageForm2(const std::string& Msg, const std::string& ACaption,
                                                   TMsgDlgType DlgType, TMsgDlgButtons Buttons, int X, int Y)
{
    return BuildForm(Msg, ACaption, TIconRequest{MsgTypeIcon(DlgType)}, Buttons, true, X, Y);
}

TbsMessageForm* TbsSkinMessage::CreateCustomMessageForm(const std::string& Msg, const std::string& ACaption,
                                                        TImageList* AImages, int AImageIndex, TMsgDlgButtons Buttons,
                                                        int X, int Y)
{
    return BuildForm(Msg, ACaption, TIconRequest{0, AImages, AImageIndex}, Buttons, true, X, Y);
}

TbsMessageForm* TbsSkinMessage::CreateWideMessageForm(const std::string& Msg, TMsgDlgType DlgType,
                                                      TMsgDlgButtons Buttons, int X, int Y)
{
    const std::string title = DlgType == mtCustom ? Application->Title() : GetMsgCaption(DlgType, CtrlSkinData());
    return BuildForm(Msg, title, TIconRequest{MsgTypeIcon(DlgType)}, Buttons, false, X, Y);
}

int TbsSkinMessage::Show(TbsMessageForm* Form, int HelpCtx, const std::string& HelpFileName, bool AskPosition)
{
    std::unique_ptr<TbsMessageForm> form(Form);
    // The box's answer, whatever ends the call.
    struct TReadBack {
        TbsSkinMessage* Self;
        TbsMessageForm* Form;
        ~TReadBack()
        {
            if (Form->DisplayCheckBox)
                Self->FShowAgainFlagValue = !Form->DisplayCheckBox->Checked();
        }
    } readBack{this, Form};
    Form->HelpContext = HelpCtx;
    Form->HelpFile = HelpFileName;
    if (AskPosition && OnSetShowPos) {
        int x = Form->Left(), y = Form->Top();
        OnSetShowPos(x, y, Form->Width(), Form->Height());
        Form->SetLeft(x);
        Form->SetTop(y);
    }
    if (OnBoxShow)
        OnBoxShow(Form);
    return Form->ShowModal();
}

int TbsSkinMessage::MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    return Show(CreateMessageForm(Msg, DlgType, Buttons), HelpCtx, {}, false);
}

int TbsSkinMessage::MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                                  int X, int Y)
{
    return Show(CreateMessageForm(Msg, DlgType, Buttons, X, Y), HelpCtx, {}, true);
}

int TbsSkinMessage::MessageDlgHelp(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                                   const std::string& HelpFileName)
{
    return Show(CreateMessageForm(Msg, DlgType, Buttons), HelpCtx, HelpFileName, false);
}

int TbsSkinMessage::MessageDlg2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                                TMsgDlgButtons Buttons, int HelpCtx)
{
    return Show(CreateMessageForm2(Msg, ACaption, DlgType, Buttons), HelpCtx, {}, false);
}

int TbsSkinMessage::MessageDlgHelp2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                                    TMsgDlgButtons Buttons, int HelpCtx, const std::string& HelpFileName)
{
    return Show(CreateMessageForm2(Msg, ACaption, DlgType, Buttons), HelpCtx, HelpFileName, false);
}

int TbsSkinMessage::CustomMessageDlg(const std::string& Msg, const std::string& ACaption, TImageList* AImages,
                                     int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx)
{
    return Show(CreateCustomMessageForm(Msg, ACaption, AImages, AImageIndex, Buttons), HelpCtx, {}, false);
}

int TbsSkinMessage::CustomMessageDlgPos(const std::string& Msg, const std::string& ACaption, TImageList* AImages,
                                        int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y)
{
    return Show(CreateCustomMessageForm(Msg, ACaption, AImages, AImageIndex, Buttons, X, Y), HelpCtx, {}, true);
}

int TbsSkinMessage::CustomMessageDlgHelp(const std::string& Msg, const std::string& ACaption, TImageList* AImages,
                                         int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx,
                                         const std::string& HelpFileName)
{
    return Show(CreateCustomMessageForm(Msg, ACaption, AImages, AImageIndex, Buttons), HelpCtx, HelpFileName, false);
}

int TbsSkinMessage::WideMessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    return Show(CreateWideMessageForm(Msg, DlgType, Buttons), HelpCtx, {}, false);
}

int TbsSkinMessage::WideMessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                      int HelpCtx, int X, int Y)
{
    return Show(CreateWideMessageForm(Msg, DlgType, Buttons, X, Y), HelpCtx, {}, false);
}
