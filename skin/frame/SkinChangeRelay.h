#pragma once

class TControl;
class TbsSkinData;

// The face a skinned control shows to its form's frame when a skin changes.
// Every skinned control kind implements it; the frame finds it on a control
// by a cast, so a control without it is left alone.
class IbsSkinChangeTarget {
public:
    virtual ~IbsSkinChangeTarget() = default;
    // The container the control takes its look from; null when none.
    virtual TbsSkinData* SkinData() const = 0;
    // True for the windowed control base and its descendants, the only ones
    // told before a change.
    virtual bool TakesBeforeChange() const { return false; }
    virtual void BeforeChangeSkinData() {}
    // Looks the element up again, fits the size and repaints.
    virtual void ChangeSkinData() = 0;
};

// The walks over a control tree in pre-order: AControl itself, then each of
// its Controls in index order, a windowed one with its own children first.
// ASkinData null means every control whatever its skin.
void BeforeChangeControlsSkinData(TbsSkinData* ASkinData, TControl* AControl);
void ChangeControlsSkinData(TbsSkinData* ASkinData, TControl* AControl);
