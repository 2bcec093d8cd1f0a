#include "toolkit/controls/ActionList.h"

#include <algorithm>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Screen.h"

TActionLink::~TActionLink() { SetAction(nullptr); }

void TActionLink::SetAction(TAction* action) {
  if (action == action_) return;
  if (action_) {
    auto& links = action_->links_;
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
  }
  action_ = action;
  if (action_) {
    action_->links_.push_back(this);
    ActionChanged();
  }
}

void TActionLink::ActionChanged() {
  if (action_ && apply_) apply_(*action_);
}

bool TActionLink::Execute(TComponent* client) {
  if (!action_) return false;
  action_->ActionComponent = client;
  TAction* action = action_;
  const bool executed = action->Execute();
  action->ActionComponent = nullptr;
  return executed;
}

TAction::TAction(TComponent* owner) : TComponent(owner) {}

TAction::~TAction() {
  Destroying();
  SetActionList(nullptr);
  for (TActionLink* link : std::vector<TActionLink*>(links_)) link->action_ = nullptr;
}

void TAction::Changed() {
  for (TActionLink* link : std::vector<TActionLink*>(links_)) link->ActionChanged();
}

void TAction::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}

void TAction::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  Changed();
}

void TAction::SetShortCut(TShortCut shortCut) {
  if (shortCut == shortCut_) return;
  shortCut_ = shortCut;
  Changed();
}

void TAction::SetImageIndex(int imageIndex) {
  if (imageIndex == imageIndex_) return;
  imageIndex_ = imageIndex;
  Changed();
}

void TAction::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Changed();
}

void TAction::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed();
}

void TAction::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TAction::SetActionList(TActionList* list) {
  if (list == actionList_) return;
  if (actionList_) {
    auto& actions = actionList_->actions_;
    actions.erase(std::remove(actions.begin(), actions.end(), this), actions.end());
  }
  actionList_ = list;
  if (list) list->actions_.push_back(this);
}

bool TAction::Update() {
  bool handled = false;
  if (actionList_ && actionList_->OnUpdate) actionList_->OnUpdate(this, handled);
  if (handled) return true;
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

bool TAction::Execute() {
  Update();
  if (!enabled_ || !visible_) return false;
  bool handled = false;
  if (actionList_ && actionList_->OnExecute) actionList_->OnExecute(this, handled);
  if (handled) return true;
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

TActionList::~TActionList() {
  Destroying();
  for (TAction* action : std::vector<TAction*>(actions_)) action->SetActionList(nullptr);
}

bool TActionList::IsShortCut(WORD key, TShiftState shift) {
  const TShortCut wanted = ::ShortCut(key, shift & (ssShift | ssCtrl | ssAlt));
  for (TAction* action : std::vector<TAction*>(actions_))
    if (action->ShortCut() == wanted) return action->Execute();
  return false;
}

void TActionList::UpdateActions() {
  for (TAction* action : std::vector<TAction*>(actions_)) action->Update();
}

namespace {

std::vector<TActionList*> ActionListsOf(const TComponent& owner) {
  std::vector<TActionList*> lists;
  for (int i = 0; i < owner.ComponentCount(); ++i)
    if (auto* list = dynamic_cast<TActionList*>(owner.Components(i))) lists.push_back(list);
  return lists;
}

}  // namespace

void UpdateActionsOfVisibleForms() {
  for (int i = 0; i < Screen().FormCount(); ++i)
    if (TForm* form = Screen().Forms(i); form->Visible())
      for (TActionList* list : ActionListsOf(*form)) list->UpdateActions();
}

bool FindShortCut(TWinControl& focused, WORD key, TShiftState shift) {
  for (TControl* control = &focused; control; control = control->Parent())
    if (control->PopupMenu() && control->PopupMenu()->IsShortCut(key, shift)) return true;
  const auto formShortCut = [key, shift](TForm& form) {
    if (form.Menu() && form.Menu()->IsShortCut(key, shift)) return true;
    for (TActionList* list : ActionListsOf(form))
      if (list->IsShortCut(key, shift)) return true;
    return false;
  };
  TForm* form = GetParentForm(&focused);
  if (form && formShortCut(*form)) return true;
  TForm* main = Application().MainForm();
  return main && main != form && formShortCut(*main);
}
