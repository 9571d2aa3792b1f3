#pragma once
#include <functional>
#include <string>
#include <vector>
#include "platform/core/Component.h"

class TControl;
class TImageList;
class TActionList;
using TNotifyEvent = std::function<void(TObject* Sender)>;

// A command that several controls share: its caption, enabled, checked,
// hint, visible and image are shown by every control linked to it (the
// control's Action), and a click on any of them runs OnExecute. A change of
// one of its properties reaches each linked control as ActionChange.
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

    // The list the action belongs to; its Images hold the action's picture.
    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* value);

    // Runs OnUpdate, then, when the action is enabled, toggles Checked with
    // AutoCheck and runs OnExecute. True when OnExecute ran.
    virtual bool Execute();
    // Lets OnUpdate set the action's state (enabled, checked...).
    bool Update();

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    // The controls linked to the action (the link keeps this in step).
    const std::vector<TControl*>& Clients() const { return FClients; }
    void RegisterClient(TControl* c);
    void UnRegisterClient(TControl* c);

protected:
    // Tells every linked control that the action changed.
    void Change();

private:
    friend class TActionList;
    std::string FCaption;
    std::string FHint;
    bool FEnabled = true;
    bool FChecked = false;
    bool FAutoCheck = false;
    bool FVisible = true;
    int FImageIndex = -1;
    TActionList* FActionList = nullptr;
    std::vector<TControl*> FClients;
};

// A set of actions with a common image list.
class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* AOwner);
    ~TActionList() override;

    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);
    int ActionCount() const { return int(FActions.size()); }
    TAction* Actions(int index) const { return FActions[size_t(index)]; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TAction;
    TImageList* FImages = nullptr;
    std::vector<TAction*> FActions;
};
