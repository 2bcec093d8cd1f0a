#pragma once
// Protocol fakes: raw windows of the platform's control class names
// ("button", "static", "SysLink", "edit", "listbox", "combobox",
// "SysListView32", "SysTreeView32", "SysTabControl32", "msctls_updown32",
// "scrollbar", "ToolbarWindow32", "msctls_statusbar32", "#32770") whose
// procedure answers the controls' protocol messages from a plain record the
// test fills, and records every message it receives. Code that reads
// standard controls only through their messages (the skin layer's window
// adapters) is tested on them. Inner windows come along: a combo box's list
// ("ComboLBox", announced to the combo box by WM_CTLCOLORLISTBOX when it
// drops down), a list view's "SysHeader32" and a tab control's
// "msctls_updown32" (of the up-down fakes' class, recording nothing). The
// MDI client is the toolkit's own (toolkit/win/MdiClient.h).

#include <optional>
#include <string>
#include <vector>

#include "toolkit/gdi/Color.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/Window.h"

// One item of a list, combo box, list view, tree, tab, tool bar button or status part.
struct TFakeItem {
  std::string Text;
  TRect Rect{};  // client coordinates
  uintptr_t Data = 0;
  bool Selected = false;
  int Image = -1;
  BYTE State = TBSTATE_ENABLED;  // tool bar buttons
  BYTE Style = BTNS_BUTTON;
};

// One column of a list view's header.
struct TFakeColumn {
  std::string Text;
  int Format = HDF_LEFT | HDF_STRING;
  int Width = 100;
  int Order = -1;  // the place in display order; -1: its index
  int Image = -1;
};

struct TFakeState {
  // Buttons; a button adds BST_FOCUS while it has the focus and pushes
  // itself (BST_PUSHED) on a left press or Space until the release. Image
  // is also what a static answers to STM_GETICON.
  WPARAM Check = BST_UNCHECKED;
  LRESULT ButtonState = 0;
  LRESULT Image = 0;
  // What a group box answers to the skin layer's caption-height question.
  int CaptionHeight = 0;
  // Lists and every control with items; Current is the selected item.
  std::vector<TFakeItem> Items;
  int Current = -1;
  int TopIndex = 0;
  int ItemHeight = 16;
  bool DroppedDown = false;
  // Edits.
  DWORD SelStart = 0;
  DWORD SelEnd = 0;
  bool Modified = false;
  TRect FormatRect;
  // Colours, views and the rest.
  TColor BackColor = clWindow;
  TColor TextColor = clWindowText;
  LRESULT View = LV_VIEW_DETAILS;
  int Indent = 19;
  bool SimpleStatus = false;
  // An HIMAGELIST: of a tab control's tabs (TCM_GETIMAGELIST), tool bar buttons ...
  LRESULT ImageList = 0;
  // A tab control's display area inside its window rectangle, as TCM_ADJUSTRECT insets it.
  TRect DisplayInset{2, 24, 2, 2};
  // A tab control's rows of tabs (TCM_GETROWCOUNT).
  int Rows = 1;
  // A list view's header columns, and every message its headers got.
  std::vector<TFakeColumn> Columns;
  std::vector<TMessage> HeaderReceived;
  // Standard scroll bars given to the window when it is made.
  std::optional<SCROLLINFO> VertBar;
  std::optional<SCROLLINFO> HorzBar;
};

class TProtocolFake {
public:
  TProtocolFake(const std::string& className, HWND parent, const TRect& bounds, TFakeState state = {},
                DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = 0);
  ~TProtocolFake();
  TProtocolFake(const TProtocolFake&) = delete;
  TProtocolFake& operator=(const TProtocolFake&) = delete;

  HWND Handle() const { return window_; }
  // The list of a combo box, the header of a list view, the up-down of a tab control; null otherwise.
  HWND Inner() const { return inner_; }

  TFakeState State;
  // Every message the window got, in order.
  std::vector<TMessage> Received;
  size_t Count(UINT message) const;

private:
  static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT HeaderProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Answer(UINT message, WPARAM wParam, LPARAM lParam, bool& answered);
  void DropDown(bool show);

  std::string className_;
  HWND window_ = nullptr;
  HWND inner_ = nullptr;
};
