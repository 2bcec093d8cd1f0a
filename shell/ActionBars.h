#pragma once
// Tool bars and menus made from a list of actions, in order, a nil entry
// standing for a separator. The bar owns its buttons; a menu item frees
// its items. Actions whose enabled state follows a condition.

#include <functional>
#include <initializer_list>

class TAction;
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
