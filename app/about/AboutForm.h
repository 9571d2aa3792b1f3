#pragma once
#include "platform/ui/forms/Forms.h"

class TbsFormFrame;
class TbsSkinButton;
class TbsSkinLinkLabel;
class TbsSkinPanel;
class TbsSkinStdLabel;
class TImage;
class TLabel;

// The about dialog "关于软件": the program picture, name and version, the
// help page and the contact address, and "确定".
class TForm2 : public TForm {
public:
    explicit TForm2(TComponent* AOwner);
    static constexpr int DesignWidth = 338, DesignHeight = 267;

    TbsFormFrame* bsBusinessSkinForm1 = nullptr;
    TbsSkinPanel* bsSkinPanel1 = nullptr;
    TImage* Image1 = nullptr;
    TbsSkinStdLabel* Label1 = nullptr;   // the program name
    TbsSkinStdLabel* Label2 = nullptr;   // the version
    TbsSkinStdLabel* Label3 = nullptr;   // "官方网站："
    TbsSkinLinkLabel* bsSkinLinkLabel1 = nullptr;
    TbsSkinStdLabel* Label4 = nullptr;   // "支持E-Mail："
    TbsSkinLinkLabel* bsSkinLinkLabel2 = nullptr;
    TbsSkinButton* bsSkinButton1 = nullptr;   // "确定"
protected:
    void DoShow() override;
};

extern TForm2* Form2;
