#pragma once
// Tool bars and menus made from a list of actions, in order, a nil entry
// standing for a separator. The bar owns its buttons; a menu item frees
// its items.

#include <functional>
#include <initializer_list>

class TAction;
class TMenuItem;
class TToolBar;

void AddToolButtons(TToolBar& bar, std::initializer_list<TAction*> actions);
void AddMenuItems(TMenuItem& parent, std::initializer_list<TAction*> actions);
// The action is enabled whenever its update asks and enabled() holds.
void OnUpdateEnabled(TAction* action, std::function<bool()> enabled);
