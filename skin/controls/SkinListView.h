#pragma once
#include <functional>
#include "platform/ui/controls/ListView.h"
#include "skin/controls/SkinViewLink.h"
#include "skin/data/SkinTypes.h"
#include "skin/frame/SkinChangeRelay.h"

class TBitmap;

// Owner-draw hook of a header section: draws the content on Cnvs within R.
using TbsDrawHeaderSectionEvent = std::function<void(TCanvas& Cnvs, TListColumn* Column, bool Pressed, TRect R)>;

// The list view with a skin's font and colours, no border and no scroll
// bars of its own (two external skinned bars mirror and drive its scroll
// state), and a column header painted from a skin button element.
class TbsSkinCustomListView : public TCustomListView, public IbsSkinChangeTarget, public TbsViewSkinLink {
public:
    explicit TbsSkinCustomListView(TComponent* AOwner);
    ~TbsSkinCustomListView() override;

    TbsSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    const std::string& HeaderSkinDataName() const { return FHeaderSkinDataName; }
    void SetHeaderSkinDataName(const std::string& Value) { FHeaderSkinDataName = Value; }
    int HeaderSkinIndex() const { return FHIndex; }
    // The subclassed header; 0 when none.
    HWND SkinnedHeader() const { return FHeaderHandle; }
    int ActiveSection() const { return FActiveSection; }
    bool HeaderDown() const { return FHeaderDown; }
    bool DividerDown() const { return FDevDown; }

    void ChangeSkinData() override;
    void UpDateScrollBars() override;

    TbsDrawHeaderSectionEvent OnDrawHeaderSection;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Change(TListItem* Item, TItemChange AChange) override;
    void GetSelectionColors(bool AFocused, TColor& AFace, TColor& AText) const override;
    TColor GridLineColor() override;
    void Loaded() override;

private:
    TWinControl& LinkedView() override { return *this; }
    void VScrollBarChange() override;
    void HScrollBarChange() override;
    LRESULT HeaderWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    void ReleaseHeader();
    void PaintHeader(HDC DC);
    void DrawHeaderSection(TCanvas& Cnvs, TListColumn* Column, const TRect& R, bool Pressed);
    TRect GetHeaderSectionRect(int Index);
    void GetHeaderSkinData();
    void RedrawHeader();
    int ItemZeroHeight();
    int ItemZeroWidth();
    void UpdateReportScrollBars();
    void UpdateListScrollBars();
    void UpdateIconScrollBars();

    bool FDevDown = false;
    std::string FHeaderSkinDataName = "resizetoolbutton";
    bool FromSB = false;
    int FOldVScrollBarPos = 0, FOldHScrollBarPos = 0;
    HWND FHeaderHandle = nullptr;
    TWndProc FDefHeaderProc;
    int FActiveSection = -1;
    bool FHeaderDown = false;
    int FHIndex = -1;
    TPoint HLTPt, HRTPt, HLBPt, HRBPt;
    TRect HSkinRect, HClRect;
    TBitmap* HPicture = nullptr;   // the skin's, never owned
    TColor HFontColor = 0, HActiveFontColor = 0, HDownFontColor = 0;
    TRect HActiveSkinRect, HDownSkinRect;
    bool HStretchEffect = false, HLeftStretch = false, HTopStretch = false, HRightStretch = false,
         HBottomStretch = false;
    TbsStretchType HStretchType = bsstFull;
};

class TbsSkinListView : public TbsSkinCustomListView {
public:
    using TbsSkinCustomListView::TbsSkinCustomListView;
};
