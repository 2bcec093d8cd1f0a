#include "toolkit/controls/Menus.h"

#include <algorithm>
#include <unordered_map>

#include "runtime/AsciiCase.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"

namespace {

// Command ids in use, so that WM_COMMAND finds its item. Ids stay within
// the 16 bits WM_COMMAND carries; freed ones are taken again.
class TCommandPool {
public:
  UINT Allocate(TMenuItem* item) {
    do next_ = next_ >= 0xFFFF ? 1 : next_ + 1;
    while (items_.count(next_));
    items_[next_] = item;
    return next_;
  }
  void Release(UINT command) { items_.erase(command); }
  TMenuItem* Find(UINT command) const {
    const auto found = items_.find(command);
    return found == items_.end() ? nullptr : found->second;
  }

private:
  std::unordered_map<UINT, TMenuItem*> items_;
  UINT next_ = 0;
};

TCommandPool& Commands() {
  static TCommandPool pool;
  return pool;
}

std::unordered_map<HMENU, TMenuItem*>& ItemsOfHandles() {
  static std::unordered_map<HMENU, TMenuItem*> items;
  return items;
}

std::string StripAmpersands(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    result += text[i];
  }
  return result;
}

std::string KeyName(WORD key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) return "Num " + std::to_string(key - VK_NUMPAD0);
  static const std::unordered_map<WORD, const char*> names = {
      {VK_BACK, "BkSp"},     {VK_TAB, "Tab"},        {VK_RETURN, "Enter"},   {VK_ESCAPE, "Esc"},
      {VK_SPACE, "Space"},   {VK_PRIOR, "PgUp"},     {VK_NEXT, "PgDn"},      {VK_END, "End"},
      {VK_HOME, "Home"},     {VK_LEFT, "Left"},      {VK_UP, "Up"},          {VK_RIGHT, "Right"},
      {VK_DOWN, "Down"},     {VK_INSERT, "Ins"},     {VK_DELETE, "Del"},     {VK_MULTIPLY, "Num *"},
      {VK_ADD, "Num +"},     {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num Del"}, {VK_DIVIDE, "Num /"},
      {VK_OEM_1, ";"},       {VK_OEM_PLUS, "="},     {VK_OEM_COMMA, ","},    {VK_OEM_MINUS, "-"},
      {VK_OEM_PERIOD, "."},  {VK_OEM_2, "/"},        {VK_OEM_3, "`"},        {VK_OEM_4, "["},
      {VK_OEM_5, "\\"},      {VK_OEM_6, "]"},        {VK_OEM_7, "'"},
  };
  const auto found = names.find(key);
  return found == names.end() ? std::string() : found->second;
}

// A device context with the menu font for measuring owner-drawn items.
class TMeasureCanvas : public TCanvas {
public:
  TMeasureCanvas() : dc_(CreateCompatibleDC(nullptr)) {
    SetHandle(dc_);
    Font().Assign(Screen().MenuFont());
  }
  ~TMeasureCanvas() override {
    SetHandle(nullptr);
    DeleteDC(dc_);
  }

private:
  HDC dc_;
};

}  // namespace

HWND PopupList() {
  static HWND window = nullptr;
  if (!IsWindow(window))
    window = AllocateHWnd([](TMessage& message) {
      if (message.Msg == WM_ENTERIDLE) {
        Application().DoIdle();
        return;
      }
      if (!TMenuItem::DispatchMenuMessage(message))
        message.Result = DefWindowProc(window, message.Msg, message.WParam, message.LParam);
    });
  return window;
}

TShortCut ShortCut(WORD key, TShiftState shift) {
  TShortCut result = key & 0xFF;
  if (shift & ssShift) result |= scShift;
  if (shift & ssCtrl) result |= scCtrl;
  if (shift & ssAlt) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = 0;
  if (shortCut & scShift) shift |= ssShift;
  if (shortCut & scCtrl) shift |= ssCtrl;
  if (shortCut & scAlt) shift |= ssAlt;
}

std::string ShortCutToText(TShortCut shortCut) {
  const std::string name = KeyName(shortCut & 0xFF);
  if (name.empty()) return {};
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

TShortCut TextToShortCut(const std::string& text) {
  for (int modifiers = 0; modifiers <= (scShift | scCtrl | scAlt); modifiers += scShift)
    for (int key = 1; key < 0x100; ++key) {
      const auto shortCut = static_cast<TShortCut>(modifiers | key);
      if (SameAsciiText(ShortCutToText(shortCut), text)) return shortCut;
    }
  return scNone;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) { command_ = Commands().Allocate(this); }

TMenuItem::~TMenuItem() {
  Destroying();
  if (parent_) parent_->Remove(this);
  while (!items_.empty()) delete items_.back();
  Commands().Release(command_);
  if (handle_) {
    ItemsOfHandles().erase(handle_);
    // The children's menus belong to the children, which are gone.
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    DestroyMenu(handle_);
  }
}

TAction* TMenuItem::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TMenuItem::SetAction(TAction* action) {
  if (!actionLink_)
    actionLink_ = std::make_unique<TActionLink>([this](const TAction& source) {
      SetCaption(source.Caption());
      SetHint(source.Hint());
      SetEnabled(source.Enabled());
      SetChecked(source.Checked());
      SetImageIndex(source.ImageIndex());
      SetShortCut(source.ShortCut());
      SetVisible(source.Visible());
    });
  actionLink_->SetAction(action);
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (checked && radioItem_) UncheckGroup();
  Changed();
}

void TMenuItem::UncheckGroup() {
  if (!parent_) return;
  for (TMenuItem* sibling : parent_->items_)
    if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->SetChecked(false);
}

void TMenuItem::SetRadioItem(bool radioItem) {
  if (radioItem == radioItem_) return;
  radioItem_ = radioItem;
  if (checked_ && radioItem) UncheckGroup();
  Changed();
}

void TMenuItem::SetGroupIndex(int groupIndex) {
  if (groupIndex == groupIndex_) return;
  groupIndex_ = groupIndex;
  if (checked_ && radioItem_) UncheckGroup();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TMenuItem::SetDefault(bool isDefault) {
  if (isDefault == default_) return;
  if (isDefault && parent_)
    for (TMenuItem* sibling : parent_->items_) sibling->default_ = false;
  default_ = isDefault;
  Changed();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut == shortCut_) return;
  shortCut_ = shortCut;
  Changed();
}

void TMenuItem::SetImageIndex(int imageIndex) {
  if (imageIndex == imageIndex_) return;
  imageIndex_ = imageIndex;
  Changed();
}

void TMenuItem::SetBreak(TMenuBreak value) {
  if (value == break_) return;
  break_ = value;
  Changed();
}

TBitmap& TMenuItem::Bitmap() {
  if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
  return *bitmap_;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  if (item->checked_ && item->radioItem_) item->UncheckGroup();
  RebuildHandle();
  Changed();
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = items_.at(static_cast<size_t>(index));
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
  RebuildHandle();
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
}

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
  for (TMenuItem* item : items_)
    if (SameAsciiText(StripAmpersands(item->caption_), StripAmpersands(caption))) return item;
  return nullptr;
}

HMENU TMenuItem::Handle() {
  if (!handle_) {
    handle_ = menuBar_ ? CreateMenu() : CreatePopupMenu();
    ItemsOfHandles()[handle_] = this;
    RebuildHandle();
  }
  return handle_;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

bool TMenuItem::IsOwnerDraw() const {
  const TMenu* menu = GetParentMenu();
  return menu && menu->OwnerDraw() && parent_;
}

// The picture of the check column: the menu's image, else the item's bitmap.
HBITMAP TMenuItem::Picture() {
  const TMenu* menu = GetParentMenu();
  TImageList* images = menu ? menu->Images() : nullptr;
  if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
    TBitmap drawn(images->Width(), images->Height());
    drawn.Canvas().Brush().SetColor(clMenu);
    drawn.Canvas().FillRect({0, 0, images->Width(), images->Height()});
    images->Draw(drawn.Canvas(), 0, 0, imageIndex_, enabled_);
    // The menu draws the picture through a device context of its own, so
    // the item keeps a copy that no canvas holds.
    if (!picture_) picture_ = std::make_unique<TBitmap>();
    picture_->Assign(drawn);
    return picture_->Handle();
  }
  return bitmap_ && !bitmap_->Empty() ? bitmap_->Handle() : nullptr;
}

MENUITEMINFO TMenuItem::ItemInfo() {
  MENUITEMINFO info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING | MIIM_BITMAP;
  if (IsLine()) info.fType |= MFT_SEPARATOR;
  if (radioItem_) info.fType |= MFT_RADIOCHECK;
  if (break_ == mbBreak) info.fType |= MFT_MENUBREAK;
  if (break_ == mbBarBreak) info.fType |= MFT_MENUBARBREAK;
  if (IsOwnerDraw()) info.fType |= MFT_OWNERDRAW;
  if (!enabled_) info.fState |= MFS_GRAYED;
  if (checked_) info.fState |= MFS_CHECKED;
  if (default_) info.fState |= MFS_DEFAULT;
  info.wID = command_;
  info.hSubMenu = items_.empty() ? nullptr : Handle();
  info.dwItemData = reinterpret_cast<uintptr_t>(this);
  info.dwTypeData = caption_;
  if (shortCut_ != scNone && !menuBar_) info.dwTypeData += "\t" + ShortCutToText(shortCut_);
  info.hbmpItem = Picture();
  return info;
}

// The menu of the children is made again from the visible ones.
void TMenuItem::RebuildHandle() {
  if (!handle_ || IsDestroying()) return;
  while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
  UINT position = 0;
  for (TMenuItem* item : items_)
    if (item->visible_) InsertMenuItem(handle_, position++, true, item->ItemInfo());
}

// The item's entry in its parent's menu is made again; the bar is drawn
// again when the item is on it.
void TMenuItem::Changed() {
  if (IsDestroying()) return;
  if (parent_ && parent_->handle_) {
    const auto position = static_cast<UINT>(parent_->VisiblePosition(this));
    MENUITEMINFO entry;
    const bool shown = GetMenuItemInfo(parent_->handle_, position, true, entry) &&
                       entry.dwItemData == reinterpret_cast<uintptr_t>(this);
    if (visible_ && shown)
      SetMenuItemInfo(parent_->handle_, position, true, ItemInfo());
    else
      parent_->RebuildHandle();
  }
  if (!parent_ || !parent_->parent_)
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

int TMenuItem::VisiblePosition(const TMenuItem* child) const {
  int position = 0;
  for (const TMenuItem* item : items_) {
    if (item == child) return position;
    if (item->visible_) ++position;
  }
  return -1;
}

void TMenuItem::Click() {
  if (Action())
    actionLink_->Execute(this);
  else if (enabled_ && OnClick)
    OnClick(this);
}

void TMenuItem::MeasureItem(MEASUREITEMSTRUCT& measure) {
  TMeasureCanvas canvas;
  const bool onBar = parent_ && parent_->menuBar_;
  int width = canvas.TextWidth(StripAmpersands(caption_)) + (onBar ? 14 : 40);
  if (shortCut_ != scNone && !onBar) width += canvas.TextWidth(ShortCutToText(shortCut_)) + 24;
  int height = IsLine() ? 9 : static_cast<int>(measure.itemHeight);
  if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
  measure.itemWidth = static_cast<UINT>(std::max(width, 0));
  measure.itemHeight = static_cast<UINT>(std::max(height, 0));
}

void TMenuItem::DrawItem(const DRAWITEMSTRUCT& draw) {
  if (!OnAdvancedDrawItem && parent_->menuBar_) {
    TRect rect = draw.rcItem;
    FillRect(draw.hDC, rect, GetSysColorBrush(COLOR_MENU));
    SetBkMode(draw.hDC, TRANSPARENT);
    SetTextColor(draw.hDC, GetSysColor(enabled_ ? COLOR_MENUTEXT : COLOR_GRAYTEXT));
    SelectObject(draw.hDC, Screen().MenuFont().Handle());
    DrawText(draw.hDC, caption_, rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    return;
  }
  if (!OnAdvancedDrawItem) {
    DrawMenuItemStandard(draw.hDC, parent_->handle_, static_cast<UINT>(parent_->VisiblePosition(this)), draw.rcItem,
                         draw.itemState);
    return;
  }
  TCanvas canvas;
  canvas.SetHandle(draw.hDC);
  canvas.Font().Assign(Screen().MenuFont());
  canvas.Brush().SetColor((draw.itemState & ODS_SELECTED) ? clHighlight : clMenu);
  OnAdvancedDrawItem(this, canvas, draw.rcItem, draw.itemState);
  canvas.SetHandle(nullptr);
}

bool TMenuItem::DispatchMenuMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_COMMAND: {
      if (message.LParam != 0 || HIWORD(message.WParam) != 0) return false;
      TMenuItem* item = Commands().Find(LOWORD(message.WParam));
      if (!item) return false;
      item->Click();
      return true;
    }
    case WM_INITMENUPOPUP: {
      // The actions of the items are brought up to date before the menu opens.
      const auto found = ItemsOfHandles().find(reinterpret_cast<HMENU>(message.WParam));
      if (found == ItemsOfHandles().end()) return false;
      for (TMenuItem* item : std::vector<TMenuItem*>(found->second->items_))
        if (TAction* action = item->Action()) action->Update();
      return true;
    }
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
      if (measure->CtlType != ODT_MENU) return false;
      reinterpret_cast<TMenuItem*>(measure->itemData)->MeasureItem(*measure);
      message.Result = 1;
      return true;
    }
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
      if (draw->CtlType != ODT_MENU) return false;
      reinterpret_cast<TMenuItem*>(draw->itemData)->DrawItem(*draw);
      message.Result = 1;
      return true;
    }
    default: return false;
  }
}

TMenu::TMenu(TComponent* owner) : TMenu(owner, false) {}

TMenu::TMenu(TComponent* owner, bool menuBar) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
  items_->menuBar_ = menuBar;
}

TMenu::~TMenu() {
  Destroying();
  if (window_ && GetMenu(window_) == items_->handle_) SetMenu(window_, nullptr);
}

void TMenu::SetImages(TImageList* images) {
  images_ = images;
  items_->RebuildHandle();
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
  if (ownerDraw == ownerDraw_) return;
  ownerDraw_ = ownerDraw;
  std::function<void(TMenuItem&)> rebuild = [&rebuild](TMenuItem& item) {
    item.RebuildHandle();
    for (TMenuItem* child : item.items_) rebuild(*child);
  };
  rebuild(*items_);
}

void TMenu::SetWindowHandle(HWND window) {
  window_ = window;
  if (window && items_->menuBar_) SetMenu(window, Handle());
}

TMenuItem* TMenu::FindItemByCommand(UINT command) {
  TMenuItem* item = Commands().Find(command);
  return item && item->GetParentMenu() == this ? item : nullptr;
}

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
  const TShortCut wanted = ::ShortCut(key, shift & (ssShift | ssCtrl | ssAlt));
  std::function<TMenuItem*(TMenuItem&)> find = [&](TMenuItem& parent) -> TMenuItem* {
    for (TMenuItem* item : parent.items_) {
      if (item->shortCut_ == wanted && item->visible_) return item;
      if (TMenuItem* found = find(*item)) return found;
    }
    return nullptr;
  };
  TMenuItem* item = find(*items_);
  if (!item) return false;
  if (item->Action()) return item->actionLink_->Execute(item);
  if (!item->enabled_) return false;
  item->Click();
  return true;
}

void TMenu::MenuChanged() {
  if (window_ && items_->menuBar_ && !IsDestroying()) DrawMenuBar(window_);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner, false) {}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  const UINT alignment = Alignment == paRight ? TPM_RIGHTALIGN : Alignment == paCenter ? TPM_CENTERALIGN : TPM_LEFTALIGN;
  SetWindowHandle(PopupList());
  TrackPopupMenu(Handle(), alignment | TPM_RIGHTBUTTON, x, y, 0, WindowHandle(), nullptr);
}
