#include "toolkit/controls/ListView.h"

#include <algorithm>

#include "runtime/AsciiCase.h"
#include "toolkit/win/WindowBackend.h"

// TListColumn

void TListColumn::SetCaption(const std::string& caption) {
  caption_ = caption;
  view_.RebuildItems(view_.Selected());
}

void TListColumn::SetWidth(int width) {
  width_ = width;
  if (view_.HandleAllocated()) view_.Perform(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index_), width);
}

TListColumn* TListColumns::Add() {
  columns_.push_back(std::make_unique<TListColumn>(view_, Count()));
  TListColumn* column = columns_.back().get();
  view_.InsertColumn(*column);
  return column;
}

// TListItem

TListItem::TListItem(TListView& view) : view_(view) {
  subItems_.OnChange = [this](TObject*) { view_.UpdateTexts(*this); };
}

void TListItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  view_.UpdateTexts(*this);
  view_.KeepSorted();
}

int TListItem::Index() const { return view_.items_.IndexOf(this); }

void TListItem::SetStateIndex(int index) {
  stateIndex_ = index;
  view_.UpdateStateImage(*this);
}

bool TListItem::Selected() const {
  if (!view_.HandleAllocated()) return false;
  return view_.Perform(LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool selected) {
  view_.HandleNeeded();
  LVITEM state;
  state.stateMask = LVIS_SELECTED | (selected ? LVIS_FOCUSED : 0);
  state.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  view_.Perform(LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&state));
}

// TListItems

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, std::make_unique<TListItem>(view_));
  TListItem* item = items_[static_cast<size_t>(index)].get();
  view_.InsertItem(*item);
  return item;
}

void TListItems::Delete(int index) {
  TStrings::CheckIndex(index, Count());
  if (view_.HandleAllocated()) view_.Perform(LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
  items_.erase(items_.begin() + index);
}

void TListItems::Clear() {
  if (view_.HandleAllocated()) view_.Perform(LVM_DELETEALLITEMS, 0, 0);
  items_.clear();
}

int TListItems::IndexOf(const TListItem* item) const {
  const auto found = std::find_if(items_.begin(), items_.end(), [item](const auto& i) { return i.get() == item; });
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

// TListView

TListView::TListView(TComponent* owner) : TWinControl(owner), columns_(*this), items_(*this) {
  TabStop = true;
  SetColor(clWindow);
  ControlStyle = csCaptureMouse | csDoubleClicks;
  SetBounds(0, 0, 250, 150);
  stateImagesLink_.OnChange = [this] { SetStateImages(StateImages()); };
}

TListView::~TListView() {
  Destroying();
  if (HandleAllocated()) DestroyWindow(Handle());
  items_.items_.clear();
}

void TListView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style |= LVS_REPORT | LVS_SINGLESEL;
  if (!hideSelection_) params.Style |= LVS_SHOWSELALWAYS;
  if (!readOnly_) params.Style |= LVS_EDITLABELS;
  params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.lpfnWndProc = &NativeWindowProc;
  params.WindowClass.NativeWidget = "QTreeWidget:report";
}

void TListView::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyRowSelect();
  Perform(LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(StateImages()));
  for (const auto& column : columns_.columns_) InsertColumn(*column);
  for (const auto& item : items_.items_) InsertItem(*item);
}

void TListView::InsertColumn(TListColumn& column) {
  if (!HandleAllocated()) return;
  LVCOLUMN values;
  values.pszText = column.caption_.data();
  values.cx = column.width_;
  Perform(LVM_INSERTCOLUMN, static_cast<WPARAM>(column.index_), reinterpret_cast<LPARAM>(&values));
}

void TListView::InsertItem(TListItem& item) {
  if (!HandleAllocated()) return;
  LVITEM values;
  values.iItem = item.Index();
  values.pszText = item.caption_.data();
  values.lParam = reinterpret_cast<LPARAM>(&item);
  Perform(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&values));
  UpdateTexts(item);
  UpdateStateImage(item);
}

void TListView::UpdateStateImage(TListItem& item) {
  if (!HandleAllocated() || item.Index() < 0) return;
  LVITEM state;
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = static_cast<UINT>(std::max(item.stateIndex_, 0)) << 12;
  Perform(LVM_SETITEMSTATE, static_cast<WPARAM>(item.Index()), reinterpret_cast<LPARAM>(&state));
}

void TListView::SetRowSelect(bool value) {
  rowSelect_ = value;
  ApplyRowSelect();
}

void TListView::ApplyRowSelect() {
  if (HandleAllocated())
    Perform(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, rowSelect_ ? LVS_EX_FULLROWSELECT : 0);
}

void TListView::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  RecreateWnd();
}

void TListView::SetStateImages(TImageList* images) {
  if (images != StateImages()) stateImagesLink_.Attach(images);
  if (HandleAllocated()) Perform(LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(images));
}

void TListView::UpdateTexts(TListItem& item) {
  if (!HandleAllocated()) return;
  const int index = item.Index();
  if (index < 0) return;
  for (int column = 0; column <= item.subItems_.Count(); ++column) {
    std::string text = column == 0 ? item.caption_ : item.subItems_.Strings(column - 1);
    LVITEM values;
    values.iSubItem = column;
    values.pszText = text.data();
    Perform(LVM_SETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&values));
  }
}

void TListView::RebuildItems(TListItem* chosen) {
  if (!HandleAllocated()) return;
  Perform(LVM_DELETEALLITEMS, 0, 0);
  while (Perform(LVM_DELETECOLUMN, 0, 0)) {
  }
  for (const auto& column : columns_.columns_) InsertColumn(*column);
  for (const auto& item : items_.items_) InsertItem(*item);
  if (chosen) chosen->SetSelected(true);
}

int TListView::ItemIndex() {
  if (!HandleAllocated()) return -1;
  return static_cast<int>(Perform(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TListView::SetItemIndex(int index) {
  if (index >= 0 && index < items_.Count()) {
    items_.Item(index)->SetSelected(true);
    return;
  }
  HandleNeeded();
  LVITEM state;
  state.stateMask = LVIS_SELECTED;
  Perform(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

TListItem* TListView::Selected() {
  const int index = ItemIndex();
  return index >= 0 ? items_.Item(index) : nullptr;
}

void TListView::SetHideSelection(bool value) {
  if (value == hideSelection_) return;
  hideSelection_ = value;
  RecreateWnd();
}

void TListView::SetSortType(TSortType sortType) {
  sortType_ = sortType;
  KeepSorted();
}

void TListView::KeepSorted() {
  if (sortType_ == stText || sortType_ == stBoth) AlphaSort();
}

void TListView::AlphaSort() {
  TListItem* chosen = Selected();
  std::stable_sort(items_.items_.begin(), items_.items_.end(),
                   [](const auto& a, const auto& b) { return CompareAsciiText(a->Caption(), b->Caption()) < 0; });
  RebuildItems(chosen);
}

TListItem* TListView::GetItemAt(int x, int y) {
  HandleNeeded();
  LVHITTESTINFO hit;
  hit.pt = {x, y};
  const auto index = static_cast<int>(Perform(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return index >= 0 && index < items_.Count() ? items_.Item(index) : nullptr;
}

void TListView::Dispatch(TMessage& message) {
  if (message.Msg == CN_NOTIFY) {
    CNNotify(message);
    return;
  }
  TWinControl::Dispatch(message);
}

void TListView::CNNotify(TMessage& message) {
  const auto& header = *reinterpret_cast<const NMHDR*>(message.LParam);
  if (header.code == NM_CUSTOMDRAW) {
    auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(message.LParam);
    auto* item = reinterpret_cast<TListItem*>(draw.nmcd.lItemlParam);
    TItemDrawHandler onItem;
    if (OnCustomDrawItem)
      onItem = [&](TCustomDrawState state, bool& defaultDraw) { OnCustomDrawItem(this, item, state, defaultDraw); };
    message.Result = CustomDrawItems(*this, canvas_, draw.nmcd, draw.clrText, OnAdvancedCustomDraw, onItem);
  } else if (header.code == LVN_ENDLABELEDIT) {
    const auto& edited = *reinterpret_cast<const NMLVDISPINFO*>(message.LParam);
    if (edited.item.pszText) reinterpret_cast<TListItem*>(edited.item.lParam)->caption_ = edited.item.pszText;
    message.Result = edited.item.pszText != nullptr;
  } else if (header.code == LVN_ITEMCHANGED) {
    const auto& change = *reinterpret_cast<const NMLISTVIEW*>(message.LParam);
    if ((change.uChanged & LVIF_STATE) && OnSelectItem && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
      OnSelectItem(this, reinterpret_cast<TListItem*>(change.lParam), (change.uNewState & LVIS_SELECTED) != 0);
  }
}
