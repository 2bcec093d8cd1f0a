#include "shell/ActionBars.h"

#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/ToolBar.h"

void AddToolButtons(TToolBar& bar, std::initializer_list<TAction*> actions) {
  for (TAction* action : actions) {
    auto* button = new TToolButton(&bar);
    if (action)
      button->SetAction(action);
    else
      button->SetStyle(tbsSeparator);
    button->SetParent(&bar);
  }
}

void AddMenuItems(TMenuItem& parent, std::initializer_list<TAction*> actions) {
  for (TAction* action : actions) {
    auto* item = new TMenuItem(nullptr);
    if (action)
      item->SetAction(action);
    else
      item->SetCaption("-");
    parent.Add(item);
  }
}

void OnUpdateEnabled(TAction* action, std::function<bool()> enabled) {
  action->OnUpdate = [action, enabled = std::move(enabled)](TObject*) { action->SetEnabled(enabled()); };
}
