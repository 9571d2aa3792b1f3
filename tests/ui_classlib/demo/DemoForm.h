#pragma once
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/controls/Timer.h"
#include "platform/ui/forms/Forms.h"

// A form with one of each plain control, built in code like a stored form.
class TDemoForm : public TForm {
public:
    explicit TDemoForm(TComponent* AOwner);

    TPanel* Top = nullptr;
    TLabel* Title = nullptr;
    TPanel* Side = nullptr;
    TSplitter* Split = nullptr;
    TGroupBox* Options = nullptr;
    TCheckBox* Check = nullptr;
    TRadioButton* RadioA = nullptr;
    TRadioButton* RadioB = nullptr;
    TTrackBar* Volume = nullptr;
    TLabel* VolumeText = nullptr;
    TBevel* Line = nullptr;
    TImage* Picture = nullptr;
    TScrollBox* Box = nullptr;
    TButton* Ok = nullptr;
    TButton* Cancel = nullptr;
    TMainMenu* MainMenu = nullptr;
    TImageList* Images = nullptr;
    TTimer* Clock = nullptr;
};
