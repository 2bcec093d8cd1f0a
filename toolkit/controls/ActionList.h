#pragma once
// Actions: commands with a caption, hint, shortcut, image and state that
// several clients (buttons, tool buttons, menu items) show and execute.
// A client holds a TActionLink; the action tells its links whenever a
// property changes and each link applies the action to its client.
// Executing runs OnUpdate first and OnExecute only when the action is then
// enabled, so an action updated at the last idle pass is never stale. The
// idle pass (UpdateActions) runs OnUpdate for the action lists of the
// visible forms.

#include <functional>
#include <string>
#include <vector>

#include "toolkit/controls/Component.h"
#include "toolkit/controls/Control.h"
#include "toolkit/controls/Menus.h"

class TAction;
class TActionList;
class TImageList;
class TWinControl;

// A client's tie to its action; Apply takes the action's properties.
class TActionLink {
public:
  explicit TActionLink(std::function<void(const TAction&)> apply) : apply_(std::move(apply)) {}
  ~TActionLink();
  TActionLink(const TActionLink&) = delete;
  TActionLink& operator=(const TActionLink&) = delete;

  TAction* Action() const { return action_; }
  // Links to the action (null: none) and applies it at once.
  void SetAction(TAction* action);
  // The action changed (or goes away: Action is then null and nothing is applied).
  void ActionChanged();
  // Runs the action for the client; false when it did not execute.
  bool Execute(TComponent* client);

private:
  friend class TAction;
  TAction* action_ = nullptr;
  std::function<void(const TAction&)> apply_;
};

// The standard edit commands a focused control may carry out for an action of that kind.
enum TEditActionKind { eakNone, eakSelectAll, eakCopy, eakCut, eakPaste, eakDelete };

class TAction : public TComponent {
public:
  explicit TAction(TComponent* owner);
  ~TAction() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int imageIndex);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  std::string Category;
  TEditActionKind EditKind = eakNone;

  TActionList* ActionList() const { return actionList_; }
  void SetActionList(TActionList* list);

  // OnUpdate (or the list's), then OnExecute (or the list's) when the
  // action is then enabled and visible; true when it executed.
  virtual bool Execute();
  // Runs OnUpdate (or the list's OnUpdate); true when a handler ran.
  virtual bool Update();
  // The client that executes the action now.
  TComponent* ActionComponent = nullptr;

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

private:
  friend class TActionLink;
  void Changed();

  std::string caption_;
  std::string hint_;
  TShortCut shortCut_ = scNone;
  int imageIndex_ = -1;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  TActionList* actionList_ = nullptr;
  std::vector<TActionLink*> links_;
};

// Handled: the list's handler took care of the action.
using TActionEvent = std::function<void(TAction* action, bool& handled)>;

class TActionList : public TComponent {
public:
  explicit TActionList(TComponent* owner);
  ~TActionList() override;

  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TAction* Actions(int index) const { return actions_.at(static_cast<size_t>(index)); }
  TImageList* Images = nullptr;

  // The action of the shortcut executes (true); a disabled one lets the key pass.
  bool IsShortCut(WORD key, TShiftState shift);
  // Runs OnUpdate of every action.
  void UpdateActions();

  TActionEvent OnExecute;
  TActionEvent OnUpdate;

private:
  friend class TAction;
  std::vector<TAction*> actions_;
};

// The idle pass: OnUpdate of the actions of every visible form's action lists.
void UpdateActionsOfVisibleForms();
// Finds the shortcut of a key for the focused control: the pop-up menus on
// its way up, then its form's menu and action lists, then those of the
// application's main form, whose shortcuts work in every window (the key
// search the controls run before a key reaches the focused control).
bool FindShortCut(TWinControl& focused, WORD key, TShiftState shift);
