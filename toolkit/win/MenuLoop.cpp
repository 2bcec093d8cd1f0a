// The menu loop and the "#32768" windows it opens. One loop runs at a
// time; while it runs it takes the desktop's keyboard and mouse input (the
// input layer asks it first), dispatches other messages, and sends the
// owner WM_ENTERIDLE whenever the queue runs dry.

#include <algorithm>

#include "runtime/AsciiCase.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MenuRecord.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/SysMetrics.h"

namespace {

constexpr const char* MenuProperty = "MenuWindowMenu";

// One open menu level and its window.
struct TOpenMenu {
  HMENU Menu = nullptr;
  HWND Window = nullptr;
  int Selected = -1;
  TPopupLayout Layout;  // client coordinates of the window
};

struct TMenuLoop {
  HWND Owner = nullptr;
  UINT Flags = 0;
  HWND Bar = nullptr;  // the window whose menu bar is tracked; null for a pop-up menu
  int BarItem = -1;
  std::vector<TOpenMenu> Open;
  bool Ended = false;
  bool Chosen = false;
  UINT Command = 0;
};

TMenuLoop* Running = nullptr;

const TMenuItemRecord* ItemOf(HMENU menu, int position) {
  return position < 0 ? nullptr : FindMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

TRect ToScreen(HWND window, TRect rect) {
  TPoint corners[2] = {rect.TopLeft(), rect.BottomRight()};
  MapWindowPoints(window, nullptr, corners, 2);
  return {corners[0].X, corners[0].Y, corners[1].X, corners[1].Y};
}

TRect ScreenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

std::vector<TRect> BarItemsOnScreen(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return {};
  const TRect bar = MenuBarRect(*record);
  if (IsRectEmpty(bar)) return {};
  const TRect screen = ScreenBounds(*record);
  std::vector<TRect> items = LayoutMenuBar(record->Menu, window, MenuBarRowWidth(*record));
  for (TRect& item : items) {
    OffsetRect(item, screen.Left + bar.Left, screen.Top + bar.Top);
    item.Right = std::min(item.Right, screen.Left + bar.Right);
  }
  return items;
}

void InvalidateItem(const TOpenMenu& level, int item) {
  if (item >= 0 && item < static_cast<int>(level.Layout.Items.size()))
    InvalidateRect(level.Window, &level.Layout.Items[static_cast<size_t>(item)], false);
}

void NotifySelection(const TMenuLoop& loop, HMENU menu, int item) {
  const TMenuItemRecord* record = ItemOf(menu, item);
  if (!record || (loop.Flags & TPM_NONOTIFY)) return;
  const UINT flags = record->Type | record->State | (record->SubMenu ? MF_POPUP : 0);
  const int id = record->SubMenu ? item : static_cast<int>(record->Id);
  SendMessage(loop.Owner, WM_MENUSELECT, MAKEWPARAM(id, static_cast<int>(flags)), reinterpret_cast<LPARAM>(menu));
}

void Select(TMenuLoop& loop, size_t levelIndex, int item) {
  TOpenMenu& level = loop.Open[levelIndex];
  if (level.Selected == item) return;
  InvalidateItem(level, level.Selected);
  level.Selected = item;
  InvalidateItem(level, item);
  UpdateWindow(level.Window);
  NotifySelection(loop, level.Menu, item);
}

// The next item the keyboard can select, going by step and wrapping round.
int NextSelectable(HMENU menu, int from, int step) {
  const int count = GetMenuItemCount(menu);
  for (int i = 1; i <= count; ++i) {
    const int candidate = ((from + step * i) % count + count) % count;
    if (ItemOf(menu, candidate)->IsSelectable()) return candidate;
  }
  return -1;
}

void CloseFrom(TMenuLoop& loop, size_t levelIndex) {
  while (loop.Open.size() > levelIndex) {
    const HWND window = loop.Open.back().Window;
    loop.Open.pop_back();
    DestroyWindow(window);
  }
}

TRect PlaceMenuWindow(TSize size, TPoint at, UINT flags) {
  if (flags & TPM_RIGHTALIGN) at.X -= size.cx;
  if (flags & TPM_CENTERALIGN) at.X -= size.cx / 2;
  if (flags & TPM_BOTTOMALIGN) at.Y -= size.cy;
  if (flags & TPM_VCENTERALIGN) at.Y -= size.cy / 2;
  const TRect screen = ScreenRect();
  if (at.X + size.cx > screen.Right) at.X = std::max(screen.Left, at.X - size.cx);
  if (at.Y + size.cy > screen.Bottom) at.Y = std::max(screen.Top, at.Y - size.cy);
  return Bounds(std::max(at.X, screen.Left), std::max(at.Y, screen.Top), size.cx, size.cy);
}

// Opens a level: Place turns the window's size into its screen rectangle.
template <class Place>
void OpenMenu(TMenuLoop& loop, HMENU menu, int positionInParent, Place place) {
  if (!(loop.Flags & TPM_NONOTIFY))
    SendMessage(loop.Owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(positionInParent, 0));
  if (loop.Ended) return;
  TOpenMenu level;
  level.Menu = menu;
  level.Layout = LayoutPopupMenu(menu, loop.Owner);
  const TSize size{level.Layout.Size.cx + 2 * MenuWindowBorder, level.Layout.Size.cy + 2 * MenuWindowBorder};
  const TRect bounds = place(size);
  level.Window = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, MenuWindowClass, "",
                                WS_POPUP | WS_DLGFRAME, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                                loop.Owner, nullptr, menu);
  if (!level.Window) return;
  loop.Open.push_back(level);
  ShowWindow(level.Window, SW_SHOWNOACTIVATE);
  UpdateWindow(level.Window);
}

void OpenSubmenu(TMenuLoop& loop, size_t levelIndex) {
  const TOpenMenu& parent = loop.Open[levelIndex];
  const TMenuItemRecord* item = ItemOf(parent.Menu, parent.Selected);
  if (!item || !item->SubMenu || !item->IsEnabled()) return;
  TRect parentBounds;
  GetWindowRect(parent.Window, parentBounds);
  const TRect itemRect = ToScreen(parent.Window, parent.Layout.Items[static_cast<size_t>(parent.Selected)]);
  OpenMenu(loop, item->SubMenu, parent.Selected, [&](TSize size) {
    const TRect screen = ScreenRect();
    int x = parentBounds.Right - MenuWindowBorder;
    if (x + size.cx > screen.Right) x = std::max(screen.Left, parentBounds.Left - size.cx + MenuWindowBorder);
    const int y = std::max(screen.Top, std::min(itemRect.Top - MenuWindowBorder, screen.Bottom - size.cy));
    return Bounds(x, y, size.cx, size.cy);
  });
}

void SelectFirst(TMenuLoop& loop) {
  if (loop.Open.empty()) return;
  const size_t last = loop.Open.size() - 1;
  Select(loop, last, NextSelectable(loop.Open[last].Menu, -1, 1));
}

void SetBarItem(TMenuLoop& loop, int item) {
  if (loop.BarItem == item) return;
  loop.BarItem = item;
  RedrawWindow(loop.Bar, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

void Choose(TMenuLoop& loop, UINT command) {
  loop.Command = command;
  loop.Chosen = true;
  loop.Ended = true;
}

// Highlights a bar item and opens its menu, if it has one.
void OpenBarItem(TMenuLoop& loop, int item, bool selectFirst) {
  CloseFrom(loop, 0);
  SetBarItem(loop, item);
  const HMENU subMenu = GetSubMenu(GetMenu(loop.Bar), item);
  const std::vector<TRect> items = BarItemsOnScreen(loop.Bar);
  if (!subMenu || item < 0 || item >= static_cast<int>(items.size())) return;
  const TRect anchor = items[static_cast<size_t>(item)];
  OpenMenu(loop, subMenu, item, [&](TSize size) {
    const TRect screen = ScreenRect();
    const int y = anchor.Bottom + size.cy > screen.Bottom ? anchor.Top - size.cy : anchor.Bottom;
    return Bounds(std::min(anchor.Left, screen.Right - size.cx), std::max(y, screen.Top), size.cx, size.cy);
  });
  if (selectFirst) SelectFirst(loop);
}

void MoveOnBar(TMenuLoop& loop, int step) {
  const int count = GetMenuItemCount(GetMenu(loop.Bar));
  if (count <= 0) return;
  OpenBarItem(loop, ((loop.BarItem + step) % count + count) % count, true);
}

// An item taken by Enter, a mouse release or its mnemonic.
void Activate(TMenuLoop& loop, size_t levelIndex, int item, bool byKeyboard) {
  const TMenuItemRecord* record = ItemOf(loop.Open[levelIndex].Menu, item);
  if (!record || !record->IsSelectable()) return;
  Select(loop, levelIndex, item);
  if (!record->SubMenu) {
    Choose(loop, record->Id);
    return;
  }
  if (loop.Open.size() == levelIndex + 1) OpenSubmenu(loop, levelIndex);
  if (byKeyboard) SelectFirst(loop);
}

// The selectable items whose mnemonic is the character, in order.
std::vector<int> MnemonicItems(HMENU menu, char32_t character) {
  const char32_t wanted = character < 128 ? static_cast<char32_t>(AsciiLower(static_cast<char>(character))) : character;
  std::vector<int> matches;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (const TMenuItemRecord* item = ItemOf(menu, i); item->IsSelectable() && MenuMnemonic(item->Text) == wanted)
      matches.push_back(i);
  return matches;
}

// The owner's answer to a character no item of the menu takes: the action
// and the item, MNC_IGNORE when it names no selectable item.
struct TMenuCharAnswer {
  WORD Action = MNC_IGNORE;
  int Item = -1;
};

TMenuCharAnswer AskMenuChar(HWND owner, HMENU menu, char32_t character, bool popup) {
  const auto answer = static_cast<uintptr_t>(SendMessage(owner, WM_MENUCHAR,
                                                         MAKEWPARAM(static_cast<int>(character), popup ? MF_POPUP : 0),
                                                         reinterpret_cast<LPARAM>(menu)));
  const TMenuCharAnswer given{HIWORD(answer), LOWORD(answer)};
  if (given.Action == MNC_CLOSE) return given;
  const TMenuItemRecord* item = ItemOf(menu, given.Item);
  const bool takesItem = given.Action == MNC_EXECUTE || given.Action == MNC_SELECT;
  return takesItem && item && item->IsSelectable() ? given : TMenuCharAnswer{};
}

// What the owner chose for a character of no mnemonic in the open menu or on the bar.
void TakeOwnersChoice(TMenuLoop& loop, HMENU menu, char32_t character, bool onBar) {
  const TMenuCharAnswer answer = AskMenuChar(loop.Owner, menu, character, !onBar);
  if (answer.Action == MNC_CLOSE) {
    loop.Ended = true;
  } else if (answer.Action != MNC_IGNORE && onBar) {
    OpenBarItem(loop, answer.Item, true);
  } else if (answer.Action == MNC_EXECUTE) {
    Activate(loop, loop.Open.size() - 1, answer.Item, true);
  } else if (answer.Action == MNC_SELECT) {
    Select(loop, loop.Open.size() - 1, answer.Item);
  }
}

// Items whose mnemonic is the character: one is taken at once; among
// several, the next one after the selection is selected; with none, the
// owner is asked.
void TakeMnemonic(TMenuLoop& loop, char32_t character) {
  const bool onBar = loop.Open.empty();
  const HMENU menu = onBar ? GetMenu(loop.Bar) : loop.Open.back().Menu;
  const int current = onBar ? loop.BarItem : loop.Open.back().Selected;
  const std::vector<int> matches = MnemonicItems(menu, character);
  if (matches.empty()) {
    TakeOwnersChoice(loop, menu, character, onBar);
  } else if (onBar) {
    OpenBarItem(loop, matches.front(), true);
  } else if (matches.size() == 1) {
    Activate(loop, loop.Open.size() - 1, matches.front(), true);
  } else {
    const auto next = std::upper_bound(matches.begin(), matches.end(), current);
    Select(loop, loop.Open.size() - 1, next == matches.end() ? matches.front() : *next);
  }
}

void Escape(TMenuLoop& loop) {
  if (loop.Open.size() > 1 || (loop.Open.size() == 1 && loop.Bar)) {
    CloseFrom(loop, loop.Open.size() - 1);
    return;
  }
  loop.Ended = true;
}

void KeyDown(TMenuLoop& loop, WORD key) {
  const bool onBar = loop.Open.empty();
  TOpenMenu* level = onBar ? nullptr : &loop.Open.back();
  const size_t last = loop.Open.size() - 1;
  switch (key) {
    case VK_DOWN:
    case VK_UP:
      if (level)
        Select(loop, last, NextSelectable(level->Menu, level->Selected < 0 && key == VK_UP ? 0 : level->Selected,
                                          key == VK_DOWN ? 1 : -1));
      else if (loop.Bar)
        OpenBarItem(loop, loop.BarItem, true);
      return;
    case VK_RIGHT:
      if (level && ItemOf(level->Menu, level->Selected) && ItemOf(level->Menu, level->Selected)->SubMenu)
        Activate(loop, last, level->Selected, true);
      else if (loop.Bar)
        MoveOnBar(loop, 1);
      return;
    case VK_LEFT:
      if (loop.Open.size() > 1)
        CloseFrom(loop, last);
      else if (loop.Bar)
        MoveOnBar(loop, -1);
      return;
    case VK_RETURN:
      if (level)
        Activate(loop, last, level->Selected, true);
      else if (loop.Bar)
        OpenBarItem(loop, loop.BarItem, true);
      return;
    case VK_ESCAPE: Escape(loop); return;
    case VK_MENU:
    case VK_F10: loop.Ended = true; return;
    default: return;
  }
}

struct TMenuHit {
  int Level = -1;  // index into Open, -1 outside every open menu
  int Item = -1;
};

TMenuHit HitTest(const TMenuLoop& loop, TPoint screenPoint) {
  for (int i = static_cast<int>(loop.Open.size()) - 1; i >= 0; --i) {
    const TOpenMenu& level = loop.Open[static_cast<size_t>(i)];
    TRect bounds;
    GetWindowRect(level.Window, bounds);
    if (!PtInRect(bounds, screenPoint)) continue;
    TPoint client = screenPoint;
    ScreenToClient(level.Window, client);
    for (size_t item = 0; item < level.Layout.Items.size(); ++item)
      if (PtInRect(level.Layout.Items[item], client) && !ItemOf(level.Menu, static_cast<int>(item))->IsSeparator())
        return {i, static_cast<int>(item)};
    return {i, -1};
  }
  return {};
}

void Hover(TMenuLoop& loop, const TMenuHit& hit) {
  if (hit.Item < 0) return;
  const auto levelIndex = static_cast<size_t>(hit.Level);
  const bool keepsSubmenu = loop.Open.size() > levelIndex + 1 && loop.Open[levelIndex].Selected == hit.Item;
  if (keepsSubmenu) {
    CloseFrom(loop, levelIndex + 2);
    Select(loop, levelIndex + 1, -1);
    return;
  }
  CloseFrom(loop, levelIndex + 1);
  Select(loop, levelIndex, hit.Item);
  OpenSubmenu(loop, levelIndex);
}

void Mouse(TMenuLoop& loop, UINT message, TPoint screenPoint) {
  const TMenuHit hit = HitTest(loop, screenPoint);
  const int barItem = loop.Bar ? MenuBarItemAt(loop.Bar, screenPoint) : -1;
  switch (message) {
    case WM_MOUSEMOVE:
      if (hit.Level >= 0)
        Hover(loop, hit);
      else if (barItem >= 0 && barItem != loop.BarItem && !loop.Open.empty())
        OpenBarItem(loop, barItem, false);
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
      if (hit.Level >= 0) return;
      if (barItem >= 0 && (barItem != loop.BarItem || loop.Open.empty()))
        OpenBarItem(loop, barItem, false);
      else
        loop.Ended = true;
      return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (hit.Level >= 0)
        Activate(loop, static_cast<size_t>(hit.Level), hit.Item, false);
      else if (barItem >= 0 && barItem == loop.BarItem && !GetSubMenu(GetMenu(loop.Bar), barItem))
        if (const TMenuItemRecord* item = ItemOf(GetMenu(loop.Bar), barItem); item->IsSelectable()) Choose(loop, item->Id);
      return;
    default: return;
  }
}

void PaintMenuWindow(HWND window, HDC dc) {
  const auto menu = static_cast<HMENU>(GetProp(window, MenuProperty));
  const HWND owner = GetWindow(window, GW_OWNER);
  const TOpenMenu* open = nullptr;
  if (Running)
    for (const TOpenMenu& level : Running->Open)
      if (level.Window == window) open = &level;
  const TPopupLayout layout = open ? open->Layout : LayoutPopupMenu(menu, owner);
  for (size_t i = 0; i < layout.Items.size(); ++i)
    PaintPopupItem(dc, menu, static_cast<int>(i), layout.Items[i], open && open->Selected == static_cast<int>(i), owner);
}

LRESULT MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetProp(window, MenuProperty, reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams);
      break;
    case MN_GETHMENU: return reinterpret_cast<LRESULT>(GetProp(window, MenuProperty));
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, paint);
      PaintMenuWindow(window, dc);
      EndPaint(window, paint);
      return 0;
    }
    case WM_PRINTCLIENT: PaintMenuWindow(window, reinterpret_cast<HDC>(wParam)); return 0;
    default: break;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

void RegisterMenuClass() {
  WNDCLASS windowClass;
  if (GetClassInfo(MenuWindowClass, windowClass)) return;
  windowClass.style = CS_SAVEBITS | CS_DBLCLKS;
  windowClass.lpfnWndProc = &MenuWindowProc;
  windowClass.hbrBackground = COLOR_MENU + 1;
  windowClass.lpszClassName = MenuWindowClass;
  RegisterClass(windowClass);
}

void Run(TMenuLoop& loop) {
  while (!loop.Ended && IsWindow(loop.Owner)) {
    MSG message;
    if (PeekMessage(message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      DispatchMessage(message);
      continue;
    }
    const HWND top = loop.Open.empty() ? nullptr : loop.Open.back().Window;
    SendMessage(loop.Owner, WM_ENTERIDLE, MSGF_MENU, HandleToParam(top));
    if (!loop.Ended) WaitMessage();
  }
}

// Closes every level and tells the owner; answers what TrackPopupMenu answers.
int Finish(TMenuLoop& loop) {
  CloseFrom(loop, 0);
  if (loop.Bar) SetBarItem(loop, -1);
  Running = nullptr;
  SendMessage(loop.Owner, WM_EXITMENULOOP, loop.Bar == nullptr, 0);
  if (!loop.Chosen) return 0;
  if (loop.Flags & TPM_RETURNCMD) return static_cast<int>(loop.Command);
  SendMessage(loop.Owner, WM_COMMAND, MAKEWPARAM(static_cast<int>(loop.Command), 0), 0);
  return 1;
}

void Begin(TMenuLoop& loop) {
  RegisterMenuClass();
  Running = &loop;
  if (GetCapture()) ReleaseCapture();
  SendMessage(loop.Owner, WM_ENTERMENULOOP, loop.Bar == nullptr, 0);
}

}  // namespace

int TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const TRect*) {
  if (Running || !IsMenu(menu) || !IsWindow(owner)) return 0;
  TMenuLoop loop;
  loop.Owner = owner;
  loop.Flags = flags;
  Begin(loop);
  OpenMenu(loop, menu, 0, [&](TSize size) { return PlaceMenuWindow(size, {x, y}, flags); });
  Run(loop);
  return Finish(loop);
}

void TrackMenuBar(HWND window, int item, bool selectFirst) {
  const HMENU bar = GetMenu(window);
  if (Running || !bar || GetMenuItemCount(bar) <= 0) return;
  TMenuLoop loop;
  loop.Owner = window;
  loop.Bar = window;
  Begin(loop);
  SendMessage(window, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
  if (item >= 0)
    OpenBarItem(loop, item, selectFirst);
  else
    SetBarItem(loop, 0);
  Run(loop);
  Finish(loop);
}

void KeyMenu(HWND window, char32_t character) {
  const HMENU bar = GetMenu(window);
  if (!bar) return;
  if (character == 0) {
    TrackMenuBar(window, -1, false);
    return;
  }
  const std::vector<int> matches = MnemonicItems(bar, character);
  if (!matches.empty()) {
    TrackMenuBar(window, matches.front(), true);
    return;
  }
  const TMenuCharAnswer answer = AskMenuChar(window, bar, character, false);
  if (answer.Action == MNC_EXECUTE || answer.Action == MNC_SELECT) TrackMenuBar(window, answer.Item, true);
}

bool EndMenu() {
  if (!Running) return false;
  Running->Ended = true;
  PostMessage(nullptr, WM_NULL, 0, 0);
  return true;
}

int MenuBarItemAt(HWND window, TPoint screenPoint) {
  const std::vector<TRect> items = BarItemsOnScreen(window);
  for (size_t i = 0; i < items.size(); ++i)
    if (PtInRect(items[i], screenPoint)) return static_cast<int>(i);
  return -1;
}

int MenuBarHotItem(HWND window) { return Running && Running->Bar == window ? Running->BarItem : -1; }

bool GetMenuItemRect(HWND window, HMENU menu, UINT position, TRect& rect) {
  if (Running)
    for (const TOpenMenu& level : Running->Open)
      if (level.Menu == menu && position < level.Layout.Items.size()) {
        rect = ToScreen(level.Window, level.Layout.Items[position]);
        return true;
      }
  if (!menu || GetMenu(window) != menu) return false;
  const std::vector<TRect> items = BarItemsOnScreen(window);
  if (position >= items.size()) return false;
  rect = items[position];
  return true;
}

bool MenuLoopTakesMouse(UINT message, TPoint screenPoint) {
  if (!Running) return false;
  Mouse(*Running, message, screenPoint);
  return true;
}

bool MenuLoopTakesKey(WORD key, bool down, const std::u32string& characters) {
  if (!Running) return false;
  if (!down) return true;
  TMenuLoop& loop = *Running;
  if (key == VK_SHIFT || key == VK_CONTROL) return true;
  KeyDown(loop, key);
  if (key == VK_MENU || key == VK_F10 || key == VK_ESCAPE || key == VK_RETURN) return true;
  for (char32_t character : characters)
    if (!loop.Ended && character > ' ') TakeMnemonic(loop, character);
  return true;
}
