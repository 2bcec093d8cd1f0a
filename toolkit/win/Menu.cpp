// Menu objects and their items, and a window's menu bar.

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "runtime/AsciiCase.h"
#include "toolkit/win/MenuRecord.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"

namespace {

struct TMenuTable {
  std::unordered_map<HMENU, std::unique_ptr<TMenuRecord>> Menus;
  uintptr_t NextHandle = 0x20000;
};

TMenuTable& Table() {
  static TMenuTable table;
  return table;
}

HMENU NewMenu(bool popup) {
  const auto handle = reinterpret_cast<HMENU>(Table().NextHandle++);
  auto record = std::make_unique<TMenuRecord>();
  record->Popup = popup;
  Table().Menus.emplace(handle, std::move(record));
  return handle;
}

// The item's index in its menu, or -1.
int PositionOf(HMENU menu, UINT item, UINT flags) {
  const TMenuRecord* record = FindMenuRecord(menu);
  if (!record) return -1;
  if (flags & MF_BYPOSITION) return item < record->Items.size() ? static_cast<int>(item) : -1;
  for (size_t i = 0; i < record->Items.size(); ++i)
    if (!record->Items[i].SubMenu && record->Items[i].Id == item) return static_cast<int>(i);
  return -1;
}

TMenuItemRecord ItemFromFlags(UINT flags, UINT_PTR idOrSubMenu, const std::string& text) {
  TMenuItemRecord item;
  item.Type = flags & (MF_SEPARATOR | MF_OWNERDRAW | MF_MENUBREAK | MF_MENUBARBREAK | MF_RIGHTJUSTIFY | MF_BITMAP);
  item.State = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT | MF_HILITE);
  if (item.State & (MF_GRAYED | MF_DISABLED)) item.State |= MFS_GRAYED;
  if (flags & MF_POPUP)
    item.SubMenu = reinterpret_cast<HMENU>(idOrSubMenu);
  else
    item.Id = static_cast<UINT>(idOrSubMenu);
  item.Text = text;
  return item;
}

void ApplyInfo(TMenuItemRecord& item, const MENUITEMINFO& info) {
  if (info.fMask & MIIM_FTYPE) item.Type = info.fType;
  if (info.fMask & MIIM_STATE) item.State = info.fState;
  if (info.fMask & MIIM_ID) item.Id = info.wID;
  if (info.fMask & MIIM_SUBMENU) item.SubMenu = info.hSubMenu;
  if (info.fMask & MIIM_DATA) item.Data = info.dwItemData;
  if (info.fMask & MIIM_STRING) item.Text = info.dwTypeData;
  if (info.fMask & MIIM_BITMAP) item.Bitmap = info.hbmpItem;
}

bool InsertItem(HMENU menu, int position, const TMenuItemRecord& item) {
  TMenuRecord* record = FindMenuRecord(menu);
  if (!record) return false;
  auto& items = record->Items;
  const auto at = position < 0 || position > static_cast<int>(items.size()) ? items.end() : items.begin() + position;
  items.insert(at, item);
  return true;
}

bool RemoveItem(HMENU menu, UINT position, UINT flags, bool destroySubMenu) {
  HMENU holder = nullptr;
  if (!FindMenuItem(menu, position, flags, &holder)) return false;
  const int index = PositionOf(holder, position, flags);
  TMenuRecord* record = FindMenuRecord(holder);
  const HMENU subMenu = record->Items[static_cast<size_t>(index)].SubMenu;
  record->Items.erase(record->Items.begin() + index);
  if (destroySubMenu && subMenu) DestroyMenu(subMenu);
  return true;
}

}  // namespace

TMenuRecord* FindMenuRecord(HMENU menu) {
  const auto found = Table().Menus.find(menu);
  return found == Table().Menus.end() ? nullptr : found->second.get();
}

TMenuItemRecord* FindMenuItem(HMENU menu, UINT item, UINT flags, HMENU* owner) {
  TMenuRecord* record = FindMenuRecord(menu);
  if (!record) return nullptr;
  const int position = PositionOf(menu, item, flags);
  if (position >= 0) {
    if (owner) *owner = menu;
    return &record->Items[static_cast<size_t>(position)];
  }
  if (flags & MF_BYPOSITION) return nullptr;
  for (auto& candidate : record->Items)
    if (candidate.SubMenu)
      if (TMenuItemRecord* found = FindMenuItem(candidate.SubMenu, item, flags, owner)) return found;
  return nullptr;
}

char32_t MenuMnemonic(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char32_t>(static_cast<unsigned char>(AsciiLower(text[i + 1])));
  }
  return 0;
}

HMENU CreateMenu() { return NewMenu(false); }

HMENU CreatePopupMenu() { return NewMenu(true); }

bool DestroyMenu(HMENU menu) {
  const auto found = Table().Menus.find(menu);
  if (found == Table().Menus.end()) return false;
  const std::unique_ptr<TMenuRecord> record = std::move(found->second);
  Table().Menus.erase(found);
  for (const auto& item : record->Items)
    if (item.SubMenu) DestroyMenu(item.SubMenu);
  return true;
}

bool IsMenu(HMENU menu) { return FindMenuRecord(menu) != nullptr; }

bool AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, const std::string& text) {
  return InsertItem(menu, -1, ItemFromFlags(flags, idOrSubMenu, text));
}

bool InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, const std::string& text) {
  const int index = (flags & MF_BYPOSITION) ? static_cast<int>(position) : PositionOf(menu, position, flags);
  return InsertItem(menu, index, ItemFromFlags(flags & ~MF_BYPOSITION, idOrSubMenu, text));
}

bool InsertMenuItem(HMENU menu, UINT item, bool byPosition, const MENUITEMINFO& info) {
  TMenuItemRecord record;
  ApplyInfo(record, info);
  const int index = byPosition ? static_cast<int>(item) : PositionOf(menu, item, MF_BYCOMMAND);
  return InsertItem(menu, index, record);
}

bool GetMenuItemInfo(HMENU menu, UINT item, bool byPosition, MENUITEMINFO& info) {
  const TMenuItemRecord* found = FindMenuItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
  if (!found) return false;
  info.fType = found->Type;
  info.fState = found->State;
  info.wID = found->Id;
  info.hSubMenu = found->SubMenu;
  info.dwItemData = found->Data;
  info.dwTypeData = found->Text;
  info.hbmpItem = found->Bitmap;
  return true;
}

bool SetMenuItemInfo(HMENU menu, UINT item, bool byPosition, const MENUITEMINFO& info) {
  TMenuItemRecord* found = FindMenuItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
  if (!found) return false;
  ApplyInfo(*found, info);
  return true;
}

bool DeleteMenu(HMENU menu, UINT position, UINT flags) { return RemoveItem(menu, position, flags, true); }

bool RemoveMenu(HMENU menu, UINT position, UINT flags) { return RemoveItem(menu, position, flags, false); }

int GetMenuItemCount(HMENU menu) {
  const TMenuRecord* record = FindMenuRecord(menu);
  return record ? static_cast<int>(record->Items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  const TMenuItemRecord* item = position < 0 ? nullptr : FindMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
  return !item || item->SubMenu ? static_cast<UINT>(-1) : item->Id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  const TMenuItemRecord* item = position < 0 ? nullptr : FindMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
  return item ? item->SubMenu : nullptr;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  const TMenuItemRecord* found = FindMenuItem(menu, item, flags);
  if (!found) return 0xFFFFFFFF;
  UINT state = found->Type | found->State;
  if (found->SubMenu) state |= MF_POPUP | (static_cast<UINT>(GetMenuItemCount(found->SubMenu)) << 8);
  return state;
}

int EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  TMenuItemRecord* found = FindMenuItem(menu, item, enable & MF_BYPOSITION);
  if (!found) return -1;
  const int previous = static_cast<int>(found->State & MFS_GRAYED);
  found->State = (found->State & ~MFS_GRAYED) | (enable & (MF_GRAYED | MF_DISABLED) ? MFS_GRAYED : 0);
  return previous;
}

int CheckMenuItem(HMENU menu, UINT item, UINT check) {
  TMenuItemRecord* found = FindMenuItem(menu, item, check & MF_BYPOSITION);
  if (!found) return -1;
  const int previous = static_cast<int>(found->State & MF_CHECKED);
  found->State = (found->State & ~MF_CHECKED) | (check & MF_CHECKED);
  return previous;
}

bool SetMenu(HWND window, HMENU menu) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record || record->IsChild() || (menu && !IsMenu(menu))) return false;
  record->Menu = menu;
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return true;
}

HMENU GetMenu(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  return record && !record->IsChild() ? record->Menu : nullptr;
}

bool DrawMenuBar(HWND window) {
  if (!GetMenu(window)) return false;
  return RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}
