#pragma once
// Tool bars and menus made from a list of actions, in order, a nil entry
// standing for a separator. The bar owns its buttons; a menu item frees
// its items. Actions made from a window's table, what they run, and an
// enabled state that follows a condition.

#include <cstddef>
#include <functional>
#include <initializer_list>

class TAction;
class TActionList;
class TComponent;
class TMenuItem;
class TToolBar;
class TWinControl;

void AddToolButtons(TToolBar& bar, std::initializer_list<TAction*> actions);
void AddMenuItems(TMenuItem& parent, std::initializer_list<TAction*> actions);
// A flat tool bar on parent, as large as its buttons, showing the tool
// windows' small pictures (Images.h).
TToolBar* MakeFlatToolBar(TComponent* owner, TWinControl& parent);
// The action is enabled while the condition holds, as each idle update finds it.
void EnableWhen(TAction* action, std::function<bool()> condition);

// What an action shows: "" for no hint or short cut, -1 for no picture.
struct TActionLook {
  const char* Caption;
  const char* Hint = "";
  const char* ShortCut = "";
  int Image = -1;
};
// An action of owner's, in list.
TAction* MakeAction(TComponent* owner, TActionList* list, const TActionLook& look);

// A row of a window's action table: the field that keeps the action, and its look.
template <class TOwner>
struct TActionSpec {
  TAction* TOwner::*Field;
  TActionLook Look;
};
template <class TOwner, std::size_t Count>
void MakeActions(TOwner& owner, TActionList* list, const TActionSpec<TOwner> (&specs)[Count]) {
  for (const TActionSpec<TOwner>& spec : specs) owner.*spec.Field = MakeAction(&owner, list, spec.Look);
}

void OnExecute(TAction* action, std::function<void()> run);
