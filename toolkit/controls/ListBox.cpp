#include "toolkit/controls/ListBox.h"

#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/WindowBackend.h"

namespace {

constexpr TListMessages ListBoxMessages{LB_ADDSTRING,  LB_INSERTSTRING, LB_DELETESTRING,
                                        LB_RESETCONTENT, LB_GETCOUNT,   LB_GETTEXT,
                                        LB_GETTEXTLEN, LB_GETITEMDATA,  LB_SETITEMDATA};

}  // namespace

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner), items_(*this, ListBoxMessages) {
  TabStop = true;
  SetColor(clWindow);
  ControlStyle = csSetCaption | csCaptureMouse;
  SetBounds(0, 0, 121, 97);
}

void TCustomListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
  if (sorted_) params.Style |= LBS_SORT;
  if (style_ == lbOwnerDrawFixed) params.Style |= LBS_OWNERDRAWFIXED;
  params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.lpfnWndProc = &NativeWindowProc;
  params.WindowClass.NativeWidget = "QListWidget";
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  if (itemHeight_ > 0) Perform(LB_SETITEMHEIGHT, 0, itemHeight_);
  items_.RestoreItems();
}

void TCustomListBox::DestroyWnd() {
  items_.KeepItems();
  TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() {
  HandleNeeded();
  return static_cast<int>(Perform(LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int index) {
  HandleNeeded();
  Perform(LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomListBox::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  RecreateWnd();
}

int TCustomListBox::ItemHeight() {
  if (!HandleAllocated()) return itemHeight_;
  return static_cast<int>(Perform(LB_GETITEMHEIGHT, 0, 0));
}

void TCustomListBox::SetItemHeight(int height) {
  itemHeight_ = height;
  if (HandleAllocated()) Perform(LB_SETITEMHEIGHT, 0, height);
}

int TCustomListBox::TopIndex() {
  HandleNeeded();
  return static_cast<int>(Perform(LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int index) {
  HandleNeeded();
  Perform(LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

int TCustomListBox::ItemAtPos(TPoint point, bool existing) {
  HandleNeeded();
  const auto answer = static_cast<uintptr_t>(Perform(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.X, point.Y)));
  if (HIWORD(answer) == 0) return LOWORD(answer);
  return existing ? -1 : items_.Count();
}

TRect TCustomListBox::ItemRect(int index) {
  HandleNeeded();
  TRect rect;
  Perform(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

void TCustomListBox::Dispatch(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    CNCommand(message);
    return;
  }
  if (message.Msg == CN_DRAWITEM) {
    CNDrawItem(message);
    return;
  }
  TWinControl::Dispatch(message);
}

void TCustomListBox::CNCommand(TMessage& message) {
  const WORD code = HIWORD(message.WParam);
  if (code == LBN_SELCHANGE)
    Click();
  else if (code == LBN_DBLCLK)
    DblClick();
  else
    Notified(code);
}

void TCustomListBox::CNDrawItem(TMessage& message) {
  const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
  const TOwnerDrawState state = BeginDrawItem(canvas_, item, *this);
  DrawItem(static_cast<int>(item.itemID), item.rcItem, state);
  canvas_.SetHandle(nullptr);
  message.Result = 1;
}

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  DrawItemText(canvas_, rect, items_.Strings(index));
}

// TCheckListBox

void TCheckListBox::CreateParams(TCreateParams& params) {
  TCustomListBox::CreateParams(params);
  params.WindowClass.NativeWidget = "QListWidget:checkable";
}

bool TCheckListBox::Checked(int index) {
  HandleNeeded();
  return Perform(CM_NATIVEGETCHECK, static_cast<WPARAM>(index), 0) == static_cast<LRESULT>(BST_CHECKED);
}

void TCheckListBox::SetChecked(int index, bool checked) {
  HandleNeeded();
  Perform(CM_NATIVESETCHECK, static_cast<WPARAM>(index), checked ? BST_CHECKED : BST_UNCHECKED);
}

void TCheckListBox::Notified(WORD code) {
  if (code == LBN_NATIVECHECK && OnClickCheck) OnClickCheck(this);
}
