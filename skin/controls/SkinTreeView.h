#pragma once
#include "platform/ui/controls/TreeView.h"
#include "skin/controls/SkinViewLink.h"
#include "skin/frame/SkinChangeRelay.h"

// The tree view with a skin's font and colours, no border and no scroll
// bars of its own: its scroll state is mirrored into two external skinned
// bars, and moving them scrolls the view.
class TbsSkinCustomTreeView : public TCustomTreeView, public IbsSkinChangeTarget, public TbsViewSkinLink {
public:
    explicit TbsSkinCustomTreeView(TComponent* AOwner);
    ~TbsSkinCustomTreeView() override;

    TbsSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TbsSkinData* Value);

    void ChangeSkinData() override;
    void UpDateScrollBars() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Change(TTreeNode* Node) override;
    void Loaded() override;

private:
    TWinControl& LinkedView() override { return *this; }
    void VScrollBarChange() override;
    void HScrollBarChange() override;
};

class TbsSkinTreeView : public TbsSkinCustomTreeView {
public:
    using TbsSkinCustomTreeView::TbsSkinCustomTreeView;
};
