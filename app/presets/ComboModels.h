#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/presets/PresetFormats.h"

// What the preset cascade needs of the main window's combo boxes. The real skinned
// combos implement these faces; the memory models below hold the same rules for tests
// and for code that runs without windows.

// An option combo (fixed list of texts). Rules the cascade relies on:
// clearing empties the list (ItemIndex -1) but keeps Text and raises nothing; adding
// raises nothing; SetItemIndex copies the entry into Text and raises OnChange, once and
// before it returns, only when that text differs from Text; -1 or an empty list changes
// no text; enabling and disabling raise nothing.
class TOptionComboModel {
public:
    virtual ~TOptionComboModel() = default;
    virtual void ClearItems() = 0;
    virtual void AddItem(const std::string& text) = 0;
    virtual int ItemCount() const = 0;
    virtual std::string Item(int index) const = 0;
    virtual int ItemIndex() const = 0;
    virtual void SetItemIndex(int index) = 0;
    virtual std::string Text() const = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;

    // The entry the face shows: the one at the item index, nothing when none is selected.
    bool HasShownEntry() const { return ItemIndex() >= 0 && ItemIndex() < ItemCount(); }

    std::function<void()> OnChange;
};

// A category or format list (office-style items). SetItemIndex raises OnChange on every
// assignment, also of the index it already has.
class TPresetListComboModel {
public:
    virtual ~TPresetListComboModel() = default;
    virtual void ClearItems() = 0;
    virtual void AddItem(const TPresetListItem& item) = 0;
    virtual int ItemCount() const = 0;
    virtual TPresetListItem Item(int index) const = 0;
    virtual int ItemIndex() const = 0;
    virtual void SetItemIndex(int index) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;

    std::function<void()> OnChange;
};

class TMemoryOptionCombo : public TOptionComboModel {
public:
    explicit TMemoryOptionCombo(std::string name = {}) : FName(std::move(name)) {}
    void ClearItems() override;
    void AddItem(const std::string& text) override;
    int ItemCount() const override { return static_cast<int>(FItems.size()); }
    std::string Item(int index) const override;
    int ItemIndex() const override { return FItemIndex; }
    void SetItemIndex(int index) override;
    std::string Text() const override { return FText; }
    bool Enabled() const override { return FEnabled; }
    void SetEnabled(bool enabled) override { FEnabled = enabled; }

    const std::string& Name() const { return FName; }
    const std::vector<std::string>& Items() const { return FItems; }
    // Called with the name each time OnChange is raised, before it runs.
    std::function<void(const std::string&)> OnRaise;

private:
    std::string FName;
    std::vector<std::string> FItems;
    int FItemIndex = -1;
    std::string FText;
    bool FEnabled = true;
};

class TMemoryPresetListCombo : public TPresetListComboModel {
public:
    void ClearItems() override;
    void AddItem(const TPresetListItem& item) override { FItems.push_back(item); }
    int ItemCount() const override { return static_cast<int>(FItems.size()); }
    TPresetListItem Item(int index) const override;
    int ItemIndex() const override { return FItemIndex; }
    void SetItemIndex(int index) override;
    bool Enabled() const override { return FEnabled; }
    void SetEnabled(bool enabled) override { FEnabled = enabled; }

private:
    std::vector<TPresetListItem> FItems;
    int FItemIndex = -1;
    bool FEnabled = true;
};
