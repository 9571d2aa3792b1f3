#pragma once
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Component.h"
#include "platform/ui/controls/Controls.h"
#include "platform/gfx/Geometry.h"

class TbsFormFrame;
class TbsQuickButtonItems;

// A small image button in a skinned form's caption, left of the title. The
// caption object lays it out, draws it and clicks it.
class TbsQuickButtonItem {
public:
    explicit TbsQuickButtonItem(TbsQuickButtonItems* ACollection) : FCollection(ACollection) {}

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    std::string Hint;
    TNotifyEvent OnClick;
    // Copies the look and hint, not the click handler.
    void Assign(const TbsQuickButtonItem& Source);

    // Set by the caption object: where it lies (window coordinates), hovered, pressed.
    TRect ItemRect;
    bool Active = false;
    bool Down = false;

private:
    TbsQuickButtonItems* FCollection;
    int FImageIndex = -1;
    bool FEnabled = true;
    bool FVisible = true;
};

// The form frame's quick buttons. Any change repaints the caption.
class TbsQuickButtonItems {
public:
    explicit TbsQuickButtonItems(TbsFormFrame* ABSF) : FBSF(ABSF) {}

    TbsFormFrame* BSF() const { return FBSF; }
    int Count() const { return int(FItems.size()); }
    TbsQuickButtonItem& Items(int Index) { return *FItems[size_t(Index)]; }
    TbsQuickButtonItem& Add();
    TbsQuickButtonItem& Insert(int Index);
    void Delete(int Index);
    void Clear();
    void Assign(const TbsQuickButtonItems& Source);
    // An item changed: the caption shows it.
    void Changed();

private:
    TbsFormFrame* FBSF;
    std::vector<std::unique_ptr<TbsQuickButtonItem>> FItems;
};
