#pragma once
// The window core's own record of menus, shared by the menu sources and the
// non-client code only.

#include <string>
#include <vector>

#include "toolkit/win/Menu.h"
#include "toolkit/win/WindowRecord.h"

struct TMenuItemRecord {
  UINT Type = 0;   // MFT_* bits
  UINT State = 0;  // MFS_* bits
  UINT Id = 0;
  HMENU SubMenu = nullptr;
  uintptr_t Data = 0;
  std::string Text;
  HBITMAP Bitmap = nullptr;

  bool IsSeparator() const { return (Type & MFT_SEPARATOR) != 0; }
  bool IsEnabled() const { return !(State & MFS_GRAYED); }
  // What a user can select with the keyboard.
  bool IsSelectable() const { return !IsSeparator() && IsEnabled(); }
};

struct TMenuRecord {
  bool Popup = false;
  std::vector<TMenuItemRecord> Items;
};

TMenuRecord* FindMenuRecord(HMENU menu);
// The item at a position, or (MF_BYCOMMAND) with the id, searching submenus;
// Owner is set to the menu holding it.
TMenuItemRecord* FindMenuItem(HMENU menu, UINT item, UINT flags, HMENU* owner = nullptr);
// The mnemonic character of an item's text ("&F" gives 'f'), 0 when none.
char32_t MenuMnemonic(const std::string& text);

// Layout, in the coordinates of the menu window's client area or of the bar.
struct TPopupLayout {
  std::vector<TRect> Items;
  TSize Size;
};
// Asks the owner for the size of owner-drawn items (WM_MEASUREITEM).
TPopupLayout LayoutPopupMenu(HMENU menu, HWND owner);
// The bar's items, left to right from (0, 0), each SM_CYMENU high; the
// window is asked for the width of owner-drawn ones; rows wrap at RowWidth
// as TMenuRowWrap places them.
std::vector<TRect> LayoutMenuBar(HMENU menu, HWND window, int rowWidth);
// The border of a menu window on every side.
constexpr int MenuWindowBorder = 3;

// Paints one item of an open menu (owner-drawn ones through WM_DRAWITEM).
void PaintPopupItem(HDC dc, HMENU menu, int position, const TRect& rect, bool selected, HWND owner);
// The bar's background and items (owner-drawn ones by the window through
// WM_DRAWITEM); Hot is the item shown pressed (-1: none).
void PaintMenuBar(HDC dc, HMENU menu, const TRect& bar, int hot, HWND window, int rowWidth);

// The menu bar of a window in window coordinates, or an empty rectangle.
TRect MenuBarRect(const TWindowRecord& record);
// How wide the rows of the window's menu bar are: a bar on a frame of the
// window's own wraps where an item, from the window's left edge, passes the
// width less both frames; the desktop-framed bar keeps one row.
int MenuBarRowWidth(const TWindowRecord& record);
// The bar item under a screen point, or -1.
int MenuBarItemAt(HWND window, TPoint screenPoint);
// The bar item shown pressed while the menu loop runs on the bar.
int MenuBarHotItem(HWND window);

// Starts the menu loop on the window's menu bar with the item open (-1:
// only the first item highlighted, as F10 does); SelectFirst also selects
// the first item of its menu, as the keyboard does.
void TrackMenuBar(HWND window, int item, bool selectFirst);
// SC_KEYMENU: the bar's item of the mnemonic character, or the bar itself (0).
void KeyMenu(HWND window, char32_t character);
