#pragma once
// Menus: menu objects holding items, a window's menu bar (drawn in its
// non-client area by DefWindowProc) and pop-up menus tracked by a modal menu
// loop. Every open menu level is a top-level window of class "#32768" made
// by CreateWindowEx, so hooks and subclasses see it; the class's procedure
// paints the classic look from the system colours and the menu font.
// While a menu loop runs it takes the keyboard and mouse; the owner window
// hears of it through WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_MEASUREITEM and
// WM_DRAWITEM of owner-drawn items, WM_ENTERIDLE, WM_EXITMENULOOP, and gets
// the chosen item's id as WM_COMMAND once the menu windows are gone. A
// character that is no item's mnemonic, typed in an open menu or with Alt
// over a menu bar, is offered to the owner as WM_MENUCHAR (the character,
// MF_POPUP for an open menu; the menu), which may name the item to take.

#include <string>

#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Messages.h"

constexpr UINT WM_INITMENU = 0x0116;
constexpr UINT WM_MENUSELECT = 0x011F;
constexpr UINT WM_MENUCHAR = 0x0120;
// What the owner answers to WM_MENUCHAR in its high word (the low word is an item position).
constexpr WORD MNC_IGNORE = 0;
constexpr WORD MNC_CLOSE = 1;
constexpr WORD MNC_EXECUTE = 2;
constexpr WORD MNC_SELECT = 3;
constexpr UINT WM_UNINITMENUPOPUP = 0x0125;
// Asks a "#32768" window for the menu it shows.
constexpr UINT MN_GETHMENU = 0x01E1;
// The WParam of WM_ENTERIDLE sent by the menu loop.
constexpr WPARAM MSGF_MENU = 2;
constexpr const char* MenuWindowClass = "#32768";

// Item flags of AppendMenu/InsertMenu, and the state answered by GetMenuState.
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_RIGHTJUSTIFY = 0x4000;

// MENUITEMINFO's type and state bits.
constexpr UINT MFT_STRING = MF_STRING;
constexpr UINT MFT_BITMAP = MF_BITMAP;
constexpr UINT MFT_MENUBARBREAK = MF_MENUBARBREAK;
constexpr UINT MFT_MENUBREAK = MF_MENUBREAK;
constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
constexpr UINT MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;
constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = MF_CHECKED;
constexpr UINT MFS_HILITE = MF_HILITE;
constexpr UINT MFS_ENABLED = MF_ENABLED;
constexpr UINT MFS_DEFAULT = MF_DEFAULT;

// Which fields of MENUITEMINFO are read or filled.
constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;

struct MENUITEMINFO {
  UINT fMask = 0;
  UINT fType = 0;
  UINT fState = 0;
  UINT wID = 0;
  HMENU hSubMenu = nullptr;
  uintptr_t dwItemData = 0;
  // The text; a tab separates the shortcut shown at the right.
  std::string dwTypeData;
  // A picture drawn in the check column (the menu keeps no reference count on it).
  HBITMAP hbmpItem = nullptr;
};

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and its submenus.
bool DestroyMenu(HMENU menu);
bool IsMenu(HMENU menu);

// Flags: MF_* above; with MF_POPUP, idOrSubMenu is the submenu's handle.
bool AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, const std::string& text);
bool InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, const std::string& text);
bool InsertMenuItem(HMENU menu, UINT item, bool byPosition, const MENUITEMINFO& info);
bool GetMenuItemInfo(HMENU menu, UINT item, bool byPosition, MENUITEMINFO& info);
bool SetMenuItemInfo(HMENU menu, UINT item, bool byPosition, const MENUITEMINFO& info);
// DeleteMenu destroys a removed item's submenu, RemoveMenu leaves it.
bool DeleteMenu(HMENU menu, UINT position, UINT flags);
bool RemoveMenu(HMENU menu, UINT position, UINT flags);
int GetMenuItemCount(HMENU menu);
// -1 for a submenu item or a position out of range.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// The item's MF_* flags; 0xFFFFFFFF when it does not exist.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Both answer the previous state, or -1 when the item does not exist.
int EnableMenuItem(HMENU menu, UINT item, UINT enable);
int CheckMenuItem(HMENU menu, UINT item, UINT check);

// A window's menu bar (top-level windows only); DrawMenuBar repaints it after changes.
bool SetMenu(HWND window, HMENU menu);
HMENU GetMenu(HWND window);
bool DrawMenuBar(HWND window);

// TrackPopupMenu flags.
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

// Shows the menu at the screen point and runs the menu loop until an item is
// chosen or the menu is dismissed. With TPM_RETURNCMD the chosen id is
// answered (0: none) and no WM_COMMAND is sent; otherwise the owner gets
// WM_COMMAND and the answer is non-zero when an item was chosen.
int TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const TRect* notUsed);
// Ends the running menu loop with no command.
bool EndMenu();
// The item's rectangle in screen coordinates: of a menu bar item of the
// window, or of an item of a menu now open on the screen.
bool GetMenuItemRect(HWND window, HMENU menu, UINT position, TRect& rect);

// How a menu bar wraps into rows: an item whose right end would pass
// RowWidth starts a new row, unless it starts one already. X runs from the
// bar's left end. The window core lays bars out by it, and a skinned form's
// menu line counts its rows by it, so that both agree.
struct TMenuRowWrap {
  int RowWidth = 0;
  int X = 0;  // the right end of the row's last item
  int Rows = 1;
  // Places an item of the width after the last one; answers its left end.
  int Place(int width);
};

// Owner-drawn items (MFT_OWNERDRAW): WM_MEASUREITEM asks their size and
// WM_DRAWITEM paints them, with CtlType ODT_MENU and the menu's handle as hwndItem.

// The classic painting of one item, for owner-drawn items that want the
// standard look (State: ODS_* bits). Draws text, shortcut, check mark or
// picture and submenu arrow with the menu font.
void DrawMenuItemStandard(HDC dc, HMENU menu, UINT position, const TRect& rect, UINT state);
