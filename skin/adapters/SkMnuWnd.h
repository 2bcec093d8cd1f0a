#pragma once
// The pop-up menu window adapter: while the skinnable menus paint a menu
// (MenuMeasured), the "#32768" window's background and 3-pixel frame come
// from the skin, the frame from the menu's image when it has the window's
// size, else from the adapter's own cache. Outside menu painting it is the
// scroll-window adapter. It frees itself when its window goes: whoever
// makes it releases its TSkAdapterPtr.

#include "skin/adapters/SkScrollWnd.h"

class TSkMnuWnd : public TSkScrollWnd {
public:
  void AdapterWndProc(TMessage& message) override;
  // The cache: the section over the window, filled, frame 0, without a
  // background, its key corners repaired; rebuilt only when stale.
  virtual void PrepareCache();

  // The skinnable menus drew the border (sub-command 14); cleared by the
  // next background repaint and when the window goes.
  bool BorderDrawn = false;

private:
  bool MenusActive() const;
  bool HandleMenuSkinCommand(TMessage& message);
  void EraseBackground(TMessage& message);
  void PaintFrame();
  void WindowGoes(TMessage& message);
};
