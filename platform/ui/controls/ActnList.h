#pragma once
#include <memory>
#include <functional>
#include <string>
#include <vector>
#include "platform/core/Component.h"
#include "platform/ui/controls/Menus.h"

class TImageList;
class TAction;
class TActionList;
using TNotifyEvent = std::function<void(TObject* Sender)>;

// The tie between an action and one client that shows it (a control or a
// menu item). The action tells every link of a change; the link hands it to
// the client's own ActionChange, which takes what the client shows.
class TActionLink {
public:
    // AClient is asked whether it is loading (defaults are then checked) or
    // designing (the action does not run); AChange is its ActionChange.
    TActionLink(TComponent* AClient, std::function<void(TAction* Action, bool CheckDefaults)> AChange);
    ~TActionLink();
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    TAction* Action() const { return FAction; }
    // Links to value (null unlinks); a new action is shown at once. The
    // client keeps what it showed when it is unlinked.
    void SetAction(TAction* value);
    // Links a client's link slot to value, making the link on first use; a
    // null value on a client without a link leaves it without one.
    static void Link(std::unique_ptr<TActionLink>& ALink, TComponent* AClient,
                     std::function<void(TAction* Action, bool CheckDefaults)> AChange, TAction* value);
    // Runs the action; false without one (or while designing).
    bool Execute();
    // Lets the action refresh its state; false without one.
    bool Update();

private:
    friend class TAction;
    void Change(bool CheckDefaults);

    TComponent* FClient;
    std::function<void(TAction*, bool)> FChange;
    TAction* FAction = nullptr;
};

// A command that several controls and menu items share: its caption,
// enabled, checked, hint, visible, shortcut and image are shown by every
// client linked to it, and a click on any of them runs OnExecute. A change of
// one of its properties reaches each client through its link.
class TAction : public TComponent {
public:
    explicit TAction(TComponent* AOwner);
    ~TAction() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    // With AutoCheck each execution toggles Checked first.
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool value) { FAutoCheck = value; }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value);
    // An update that nobody handles disables an action that nothing can run
    // (no OnExecute of its own or of its list).
    bool DisableIfNoHandler() const { return FDisableIfNoHandler; }
    void SetDisableIfNoHandler(bool value) { FDisableIfNoHandler = value; }

    // The list the action belongs to; its Images hold the action's picture.
    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* value);

    // Updates the action, then, when it is enabled, toggles Checked with
    // AutoCheck and runs the list's OnExecute or else its own. True when a
    // handler ran.
    virtual bool Execute();
    // Lets the list's OnUpdate, else the action's own, set its state; with
    // neither, DisableIfNoHandler applies. True when a handler ran.
    bool Update();

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    // The links of the clients that show the action.
    const std::vector<TActionLink*>& Clients() const { return FClients; }

protected:
    // Tells every linked client that the action changed.
    void Change();

private:
    friend class TActionList;
    friend class TActionLink;
    bool HasExecuteHandler() const;

    std::string FCaption;
    std::string FHint;
    bool FEnabled = true;
    bool FChecked = false;
    bool FAutoCheck = false;
    bool FVisible = true;
    bool FDisableIfNoHandler = true;
    int FImageIndex = -1;
    TShortCut FShortCut = 0;
    TActionList* FActionList = nullptr;
    std::vector<TActionLink*> FClients;
};

// A set of actions with a common image list. Its OnExecute and OnUpdate see
// every action of the list first; setting Handled keeps the action's own
// handler from running.
class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* AOwner);
    ~TActionList() override;

    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);
    int ActionCount() const { return int(FActions.size()); }
    TAction* Actions(int index) const { return FActions[size_t(index)]; }

    std::function<void(TAction* Action, bool& Handled)> OnExecute;
    std::function<void(TAction* Action, bool& Handled)> OnUpdate;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TAction;
    TImageList* FImages = nullptr;
    std::vector<TAction*> FActions;
};
