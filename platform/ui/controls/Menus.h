#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Component.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/WinTypes.h"

struct TMessage;
class TAction;
class TActionLink;
class TCanvas;
class TImageList;
class TMenu;

// A shortcut: a virtual key with modifier bits.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;
TShortCut ShortCut(WORD key, bool shift, bool ctrl, bool alt);
// "Ctrl+F4", "Alt+F4", "F1", "Shift+Ctrl+A"; "" for none.
std::string ShortCutToText(TShortCut shortCut);
TShortCut TextToShortCut(const std::string& text);
// The shortcut a key-down message stands for (with the keyboard's modifiers).
TShortCut ShortCutFromMessage(const TMessage& keyMsg);
// Removes the accelerator marks of a caption ("&&" stays one "&").
std::string StripHotkey(const std::string& caption);

// One entry of a menu, holding its sub-items. A caption of "-" is a line.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v) { if (v != FCaption) { FCaption = v; Changed(); } }
    bool IsLine() const { return FCaption == "-"; }
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the other radio items of its group.
    void SetChecked(bool v);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v) { FRadioItem = v; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v) { FGroupIndex = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { if (v != FEnabled) { FEnabled = v; Changed(); } }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { if (v != FVisible) { FVisible = v; Changed(); } }
    bool Default() const { return FDefault; }
    void SetDefault(bool v) { if (v != FDefault) { FDefault = v; Changed(); } }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut v) { if (v != FShortCut) { FShortCut = v; Changed(); } }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& v) { FHint = v; }
    TBitmap& Bitmap() { return FBitmap; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { if (v != FImageIndex) { FImageIndex = v; Changed(); } }
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool v) { FAutoCheck = v; }
    // A number unique in the program, for DispatchCommand.
    UINT Command() const { return FCommand; }

    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems[size_t(index)]; }
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Delete(int index);
    void Clear();
    TMenuItem* Find(const std::string& caption) const;
    TMenu* GetParentMenu() const;

    // Runs OnClick, or the linked action when there is no OnClick (with an
    // action the action's AutoCheck counts, not the item's).
    virtual void Click();
    std::function<void(TObject* Sender)> OnClick;

    // The linked action: the item shows its caption, enabled, checked,
    // visible, hint, shortcut and image (ActionChange) and a click executes
    // it. Linking while loading keeps what the item already has.
    TAction* Action() const;
    void SetAction(TAction* value);
    // Lets the linked action refresh its state before the item is shown.
    void InitiateAction();
    // Draws the item in place of the menu's own look (the skinned menus call it).
    std::function<void(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected)> OnDrawItem;
    // Hides lines at the start, at the end and after another line, and shows
    // the others; true when a line changed.
    bool RethinkLines();

protected:
    // The linked action changed (or was just linked); with CheckDefaults
    // only what the item still has at its default is taken.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);

private:
    void Changed();

    std::unique_ptr<TActionLink> FActionLink;   // made when an action is first linked
    std::string FCaption;
    bool FChecked = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FAutoCheck = false;
    TShortCut FShortCut = 0;
    std::string FHint;
    TBitmap FBitmap;
    int FImageIndex = -1;
    UINT FCommand = 0;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;                // set on the root item
    std::vector<TMenuItem*> FItems;        // owned
    friend class TMenu;
};

// A tree of items under an invisible root.
class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    TMenuItem* Items() const { return FItems.get(); }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);
    // Runs the enabled, visible item whose shortcut the key message is.
    bool IsShortCut(TMessage& keyMsg);
    // Runs the item with that command number.
    bool DispatchCommand(UINT command);
    TMenuItem* FindItem(UINT command) const;
    TMenuItem* FindShortCut(TShortCut sc) const;
    // Whether showing the menu tidies its lines first (RethinkLines).
    bool AutoLineReduction() const { return FAutoLineReduction; }
    void SetAutoLineReduction(bool v) { FAutoLineReduction = v; }
    // Raised when items change (the skin's menu bar redraws on it).
    std::function<void(TObject* Sender)> OnChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::unique_ptr<TMenuItem> FItems;
    TImageList* FImages = nullptr;
    bool FAutoLineReduction = true;
};

// The menu of a form. No bar is drawn here: the form routes its shortcuts
// through it and the skin layer draws the bar.
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

// A menu shown at a screen point. The plain Popup runs a simple list window
// until an item is chosen or the menu is dismissed; the skin layer overrides it.
class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
    virtual void Popup(int X, int Y);
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* c) { FPopupComponent = c; }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool v) { FAutoPopup = v; }
    // The item the last plain popup ran (null when dismissed).
    TMenuItem* LastChosen() const { return FLastChosen; }
    std::function<void(TObject* Sender)> OnPopup;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TComponent* FPopupComponent = nullptr;
    TMenuItem* FLastChosen = nullptr;
    bool FAutoPopup = true;
};
