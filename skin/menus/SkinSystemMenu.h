#pragma once
// The system menu of a skinned form: a skinned caption has no system menu
// of the desktop's, so the form provider shows this popup instead. Its six
// items send the form the usual system commands; which of them are shown
// and enabled follows the form's border style, border icons and window
// state. The menu can also list the available skins to switch to.

#include <string>

#include "toolkit/controls/Menus.h"

class TForm;
class TSkinProvider;

class TSkinSystemMenu : public TPopupMenu {
public:
  // The menu of the provider, named "SysMenu" (the menu painter then draws
  // the items' system command glyphs); its items carry their commands as Tag.
  explicit TSkinSystemMenu(TSkinProvider* provider);

  TSkinProvider* Provider() const { return provider_; }
  // The provider's form, set by the provider after construction.
  TForm* Form = nullptr;

  TMenuItem* ItemRestore;
  TMenuItem* ItemMove;
  TMenuItem* ItemSize;
  TMenuItem* ItemMinimize;
  TMenuItem* ItemMaximize;
  TMenuItem* ItemClose;

  // Shows and enables every item by the tests below; nothing without Form.
  void UpdateItems();
  // Puts an item "Available skins" (named "SkinSelectItem") and a separator
  // first, with a radio sub-item per skin of the provider's manager (a new
  // column every 20); choosing one makes it the manager's skin. Nothing
  // without a manager or without skins.
  void AddSkinList();

  // The provider took WS_SYSMENU off the form, so its caption shows a close button.
  bool CloseShown() const;
  bool RestoreShown() const;
  bool SizeShown() const;
  bool MinimizeShown() const;
  bool MaximizeShown() const;
  bool RestoreEnabled() const;
  bool MoveEnabled() const;
  bool SizeEnabled() const;
  bool MinimizeEnabled() const;
  bool MaximizeEnabled() const;

private:
  TMenuItem* AddItem(int textId, const char* name, unsigned command);
  // The command to the form's window; Restore and Maximize refresh the items after.
  void SendCommand(unsigned command);
  void MinimizeClicked();
  void ChooseSkin(const std::string& name);
  bool IsMdiChild() const;
  // BorderStyle bsSingle or bsSizeable.
  bool HasSystemFrame() const;
  bool Iconic() const;

  TSkinProvider* provider_;
};
