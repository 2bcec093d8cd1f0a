#include "toolkit/controls/ComboBox.h"

#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/WindowBackend.h"

namespace {

constexpr TListMessages ComboBoxMessages{CB_ADDSTRING,  CB_INSERTSTRING, CB_DELETESTRING,
                                         CB_RESETCONTENT, CB_GETCOUNT,   CB_GETLBTEXT,
                                         CB_GETLBTEXTLEN, CB_GETITEMDATA, CB_SETITEMDATA};

}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner), items_(*this, ComboBoxMessages) {
  TabStop = true;
  SetColor(clWindow);
  ControlStyle = csSetCaption | csCaptureMouse;
  SetBounds(0, 0, 145, 24);
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  // No WS_VSCROLL: the drop-down list scrolls itself, and on the box the
  // frame would draw a bar of its own beside the arrow.
  params.Style |= CBS_AUTOHSCROLL | CBS_HASSTRINGS;
  params.Style |= style_ == csDropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
  if (style_ == csOwnerDrawFixed) params.Style |= CBS_OWNERDRAWFIXED;
  if (sorted_) params.Style |= CBS_SORT;
  params.WindowClass.lpfnWndProc = &NativeWindowProc;
  params.WindowClass.NativeWidget = "QComboBox";
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  Perform(CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownCount_), 0);
  items_.RestoreItems();
}

void TCustomComboBox::DestroyWnd() {
  items_.KeepItems();
  TWinControl::DestroyWnd();
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  RecreateWnd();
}

int TCustomComboBox::ItemIndex() {
  HandleNeeded();
  return static_cast<int>(Perform(CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int index) {
  HandleNeeded();
  Perform(CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  KeepText(GetWindowText(Handle()));
}

void TCustomComboBox::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int count) {
  dropDownCount_ = count;
  if (HandleAllocated()) Perform(CB_SETMINVISIBLE, static_cast<WPARAM>(count), 0);
}

bool TCustomComboBox::DroppedDown() {
  HandleNeeded();
  return Perform(CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool dropped) {
  HandleNeeded();
  Perform(CB_SHOWDROPDOWN, dropped, 0);
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Dispatch(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    CNCommand(message);
    return;
  }
  if (message.Msg == CN_DRAWITEM) {
    CNDrawItem(message);
    return;
  }
  if (message.Msg == CM_TEXTCHANGED) {
    CMTextChanged(message);
    return;
  }
  TWinControl::Dispatch(message);
}

void TCustomComboBox::CNCommand(TMessage& message) {
  switch (HIWORD(message.WParam)) {
    case CBN_SELCHANGE:
      KeepText(GetWindowText(Handle()));
      Click();
      Change();
      break;
    case CBN_EDITCHANGE:
      KeepText(GetWindowText(Handle()));
      Change();
      break;
    case CBN_DROPDOWN:
      if (OnDropDown) OnDropDown(this);
      break;
    case CBN_CLOSEUP:
      if (OnCloseUp) OnCloseUp(this);
      break;
    default: break;
  }
}

// A drop-down list shows only its items: its text chooses the item of that text.
void TCustomComboBox::CMTextChanged(TMessage& message) {
  if (!HandleAllocated()) return;
  if (style_ != csDropDown) {
    SetItemIndex(items_.IndexOf(Text()));
    return;
  }
  TWinControl::Dispatch(message);
}

void TCustomComboBox::CNDrawItem(TMessage& message) {
  const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
  const TOwnerDrawState state = BeginDrawItem(canvas_, item, *this);
  DrawItem(static_cast<int>(item.itemID), item.rcItem, state);
  canvas_.SetHandle(nullptr);
  message.Result = 1;
}

void TCustomComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  DrawItemText(canvas_, rect, items_.Strings(index));
}
