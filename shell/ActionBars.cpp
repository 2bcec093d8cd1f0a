#include "shell/ActionBars.h"

#include <utility>

#include "shell/Images.h"
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

TToolBar* MakeFlatToolBar(TComponent* owner, TWinControl& parent) {
  auto* bar = new TToolBar(owner);
  bar->SetFlat(true);
  bar->SetAutoSize(true);
  bar->SetImages(Images ? &Images->SNorm : nullptr);
  bar->SetHotImages(Images ? &Images->SHot : nullptr);
  bar->SetDisabledImages(Images ? &Images->SDis : nullptr);
  bar->SetParent(&parent);
  return bar;
}

void EnableWhen(TAction* action, std::function<bool()> condition) {
  action->OnUpdate = [action, condition = std::move(condition)](TObject*) { action->SetEnabled(condition()); };
}

TAction* MakeAction(TComponent* owner, TActionList* list, const TActionLook& look) {
  auto* action = new TAction(owner);
  action->SetCaption(look.Caption);
  action->SetHint(look.Hint);
  action->SetShortCut(TextToShortCut(look.ShortCut));
  action->SetImageIndex(look.Image);
  action->SetActionList(list);
  return action;
}

void OnExecute(TAction* action, std::function<void()> run) {
  action->OnExecute = [run = std::move(run)](TObject*) { run(); };
}
