#pragma once
#include <functional>
#include <string>
#include "platform/gfx/Font.h"
#include "platform/ui/forms/Dialogs.h"
#include "platform/ui/forms/Forms.h"
#include "skin/dialogs/SkinPairHolder.h"

class TbsFormFrame;
class TbsSkinButton;
class TbsSkinCheckRadioBox;
class TbsSkinData;
class TbsSkinStdLabel;
class TImage;
class TImageList;

// Moves a message box before it shows: AX and AY in and out.
using TbsMessageSetShowPosEvent = std::function<void(int& AX, int& AY, int AWidth, int AHeight)>;

// X (and Y) value asking the box to centre itself on the screen.
constexpr int MessageCentred = -10001;

// The caption of a button kind: the skin's text table, else the built-in
// English text; "Close" in every case for mbClose.
std::string GetMsgButtonCaption(TMsgDlgBtn Kind, const TbsSkinData* CtrlSkinData);
// The title of a dialog type likewise; empty for mtCustom.
std::string GetMsgCaption(TMsgDlgType Type, const TbsSkinData* CtrlSkinData);
TModalResult MsgButtonResult(TMsgDlgBtn Kind);
// The system icon number of a dialog type; 0 for mtCustom.
int MsgTypeIcon(TMsgDlgType Type);

// The form of one message box, built in code for one call.
class TbsMessageForm : public TForm {
public:
    // X below -10000 centres the form on the screen.
    TbsMessageForm(TComponent* AOwner, int X, int Y);

    void HelpBtnClick(TObject* Sender);

    TbsFormFrame* BSF = nullptr;                       // owned by the form
    TbsSkinCheckRadioBox* DisplayCheckBox = nullptr;   // nil without the check box
    TbsSkinStdLabel* Message = nullptr;
    TImage* Image = nullptr;                           // nil without an icon
    int HelpContext = 0;
    std::string HelpFile;
    // Runs for the Help button; the box stays open.
    std::function<void(TbsMessageForm* Form)> OnHelp;
};

// Shows modal message boxes on a skinned form built for each call: the text,
// an icon, a row of buttons and on request a "do not display this message
// again" check box. The frame takes SkinData; label, buttons, check box and
// every caption take CtrlSkinData.
class TbsSkinMessage : public TbsSkinPairHolder {
public:
    explicit TbsSkinMessage(TComponent* AOwner);

    const std::string& ButtonSkinDataName() const { return FButtonSkinDataName; }
    void SetButtonSkinDataName(const std::string& Value) { FButtonSkinDataName = Value; }
    const std::string& MessageLabelSkinDataName() const { return FMessageLabelSkinDataName; }
    void SetMessageLabelSkinDataName(const std::string& Value) { FMessageLabelSkinDataName = Value; }
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    TFont& DefaultButtonFont() { return FDefaultButtonFont; }
    void SetDefaultButtonFont(const TFont& Value) { FDefaultButtonFont.Assign(Value); }
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int Value) { FAlphaBlendValue = Value; }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    bool ShowAgainFlag() const { return FShowAgainFlag; }
    void SetShowAgainFlag(bool Value) { FShowAgainFlag = Value; }
    // In: the check box starts ticked when false. Out: true when the user
    // left it unticked.
    bool ShowAgainFlagValue() const { return FShowAgainFlagValue; }
    void SetShowAgainFlagValue(bool Value) { FShowAgainFlagValue = Value; }

    TbsMessageSetShowPosEvent OnSetShowPos;

    // Each shows the box modally and answers the modal result.
    int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
    int MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X,
                      int Y);
    int MessageDlgHelp(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                       const std::string& HelpFileName);
    int MessageDlg2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                    int HelpCtx);
    int MessageDlgHelp2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                        TMsgDlgButtons Buttons, int HelpCtx, const std::string& HelpFileName);
    int CustomMessageDlg(const std::string& Msg, const std::string& ACaption, TImageList* AImages, int AImageIndex,
                         TMsgDlgButtons Buttons, int HelpCtx);
    int CustomMessageDlgPos(const std::string& Msg, const std::string& ACaption, TImageList* AImages,
                            int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
    int CustomMessageDlgHelp(const std::string& Msg, const std::string& ACaption, TImageList* AImages,
                             int AImageIndex, TMsgDlgButtons Buttons, int HelpCtx, const std::string& HelpFileName);
    // Wide variants: never a check box; the position one skips OnSetShowPos.
    int WideMessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
    int WideMessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X,
                          int Y);

    // The finished, not yet shown forms of the operations above, with this
    // component's settings. The caller frees them.
    TbsMessageForm* CreateMessageForm(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                      int X = MessageCentred, int Y = MessageCentred);
    TbsMessageForm* CreateMessageForm2(const std::string& Msg, const std::string& ACaption, TMsgDlgType DlgType,
                                       TMsgDlgButtons Buttons, int X = MessageCentred, int Y = MessageCentred);
    TbsMessageForm* CreateCustomMessageForm(const std::string& Msg, const std::string& ACaption,
                                            TImageList* AImages, int AImageIndex, TMsgDlgButtons Buttons,
                                            int X = MessageCentred, int Y = MessageCentred);
    TbsMessageForm* CreateWideMessageForm(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                          int X = MessageCentred, int Y = MessageCentred);

    // Runs while a box is shown (after it is built, before the modal loop):
    // tests and callers that drive a box look at it here.
    std::function<void(TbsMessageForm* Form)> OnBoxShow;

private:
    struct TIconRequest {
        int SystemIcon = 0;              // a system icon number, 0 for none
        TImageList* Images = nullptr;    // or a picture of an image list
        int ImageIndex = -1;
    };
    TbsMessageForm* BuildForm(const std::string& Msg, const std::string& Title, const TIconRequest& Icon,
                              TMsgDlgButtons Buttons, bool OfferCheckBox, int X, int Y);
    // BuildForm's steps.
    void ApplyFrameLook(TbsMessageForm& Form);
    void AddMessageLabel(TbsMessageForm& Form, const std::string& Msg);
    void AddIcon(TbsMessageForm& Form, const TIconRequest& Icon);
    void AddShowAgainBox(TbsMessageForm& Form);
    void KeepWithinFrameWidths(TbsMessageForm& Form);
    void AddButtons(TbsMessageForm& Form, TMsgDlgButtons Buttons, int RowWidth);
    int Show(TbsMessageForm* Form, int HelpCtx, const std::string& HelpFileName, bool AskPosition);
    int ButtonHeight() const;

    std::string FButtonSkinDataName = "button";
    std::string FMessageLabelSkinDataName = "stdlabel";
    TFont FDefaultFont;
    TFont FDefaultButtonFont;
    bool FAlphaBlend = false;
    bool FAlphaBlendAnimation = false;
    int FAlphaBlendValue = 200;
    bool FUseSkinFont = true;
    bool FShowAgainFlag = false;
    bool FShowAgainFlagValue = false;
};
