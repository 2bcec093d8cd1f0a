#include "tests/toolkit/ProtocolFakes.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "runtime/AsciiCase.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"

namespace {

std::unordered_map<HWND, TProtocolFake*>& Fakes() {
  static std::unordered_map<HWND, TProtocolFake*> fakes;
  return fakes;
}

// The fake being made: its window's first messages bind them.
TProtocolFake* Creating = nullptr;

// Inner windows answer what the platform's do (nothing the tests read).
LRESULT InnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(window, message, wParam, lParam);
}

void RegisterFakeClass(const std::string& name, WNDPROC procedure) {
  WNDCLASS windowClass;
  if (GetClassInfo(name, windowClass)) return;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hbrBackground = COLOR_WINDOW + 1;
  windowClass.lpszClassName = name;
  RegisterClass(windowClass);
}

LRESULT CopyText(const std::string& text, LPARAM buffer) {
  if (buffer) std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), text.size() + 1);
  return static_cast<LRESULT>(text.size());
}

bool InRange(const TFakeState& state, WPARAM index) { return index < state.Items.size(); }

// A list item's rectangle: the one given, or its row from the top index.
TRect ListItemRect(HWND window, const TFakeState& state, size_t index) {
  if (!IsRectEmpty(state.Items[index].Rect)) return state.Items[index].Rect;
  TRect client;
  GetClientRect(window, client);
  const int top = (static_cast<int>(index) - state.TopIndex) * state.ItemHeight;
  return {0, top, client.Right, top + state.ItemHeight};
}

// The skin layer's command message and its caption-height question, as a
// group box adapter answers them (the fakes know nothing of the skin layer).
constexpr UINT SkinCommandMessage = 0xA100;
constexpr WORD CaptionHeightQuestion = 27;

void Push(TFakeState& state, bool down) {
  state.ButtonState = down ? state.ButtonState | LRESULT(BST_PUSHED) : state.ButtonState & ~LRESULT(BST_PUSHED);
}

// What the platform's button does of its own accord: focus and push marks.
void TrackButton(TFakeState& state, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_SETFOCUS: state.ButtonState |= LRESULT(BST_FOCUS); break;
    case WM_KILLFOCUS: state.ButtonState &= ~LRESULT(BST_FOCUS); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: Push(state, true); break;
    case WM_LBUTTONUP: Push(state, false); break;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) Push(state, true);
      break;
    case WM_KEYUP:
      if (wParam == VK_SPACE) Push(state, false);
      break;
    default: break;
  }
}

LRESULT ButtonMessage(TFakeState& state, HWND window, UINT message, WPARAM wParam, bool& answered) {
  TrackButton(state, message, wParam);
  switch (message) {
    case SkinCommandMessage:
      if ((GetWindowLongPtr(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX && HIWORD(wParam) == CaptionHeightQuestion)
        return state.CaptionHeight;
      answered = false;
      return 0;
    case BM_GETCHECK: return static_cast<LRESULT>(state.Check);
    case BM_SETCHECK: state.Check = wParam; return 0;
    case BM_GETSTATE: return state.ButtonState | static_cast<LRESULT>(state.Check);
    case BM_SETSTATE: Push(state, wParam != 0); return 0;
    case BM_GETIMAGE: return state.Image;
    case BM_CLICK:
      SendMessage(GetParent(window), WM_COMMAND, MAKEWPARAM(static_cast<int>(GetWindowLongPtr(window, GWL_ID)), BN_CLICKED),
                  HandleToParam(window));
      return 0;
    default: answered = false; return 0;
  }
}

LRESULT EditMessage(TFakeState& state, HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& answered) {
  switch (message) {
    case EM_GETSEL:
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = state.SelStart;
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = state.SelEnd;
      return MAKELONG(static_cast<WORD>(state.SelStart), static_cast<WORD>(state.SelEnd));
    case EM_SETSEL:
      state.SelStart = static_cast<DWORD>(wParam);
      state.SelEnd = static_cast<DWORD>(lParam);
      return 0;
    case EM_GETMODIFY: return state.Modified;
    case EM_SETMODIFY: state.Modified = wParam != 0; return 0;
    case EM_GETRECT: *reinterpret_cast<TRect*>(lParam) = state.FormatRect; return 0;
    case EM_SETRECTNP: state.FormatRect = *reinterpret_cast<const TRect*>(lParam); return 0;
    case EM_LIMITTEXT: return 0;
    case EM_SETREADONLY: {
      const auto style = static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE));
      SetWindowLongPtr(window, GWL_STYLE, wParam ? style | ES_READONLY : style & ~ES_READONLY);
      return 1;
    }
    default: answered = false; return 0;
  }
}

LRESULT ListMessage(TFakeState& state, HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& answered) {
  auto& items = state.Items;
  switch (message) {
    case LB_GETCOUNT:
    case CB_GETCOUNT: return static_cast<LRESULT>(items.size());
    case LB_GETCURSEL:
    case CB_GETCURSEL: return state.Current;
    case LB_SETCURSEL:
    case CB_SETCURSEL:
      state.Current = InRange(state, wParam) ? static_cast<int>(wParam) : -1;
      return state.Current;
    case LB_GETTEXT:
    case CB_GETLBTEXT: return InRange(state, wParam) ? CopyText(items[wParam].Text, lParam) : LB_ERR;
    case LB_GETTEXTLEN:
    case CB_GETLBTEXTLEN: return InRange(state, wParam) ? static_cast<LRESULT>(items[wParam].Text.size()) : LB_ERR;
    case LB_GETITEMDATA: return InRange(state, wParam) ? static_cast<LRESULT>(items[wParam].Data) : LB_ERR;
    case LB_GETTOPINDEX: return state.TopIndex;
    case LB_SETTOPINDEX: state.TopIndex = static_cast<int>(wParam); return 0;
    case LB_GETITEMHEIGHT:
    case CB_GETITEMHEIGHT: return state.ItemHeight;
    case LB_GETITEMRECT:
      if (!InRange(state, wParam)) return LB_ERR;
      *reinterpret_cast<TRect*>(lParam) = ListItemRect(window, state, wParam);
      return 1;
    case LB_ITEMFROMPOINT: {
      const TPoint point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      for (size_t i = 0; i < items.size(); ++i)
        if (PtInRect(ListItemRect(window, state, i), point)) return MAKELONG(static_cast<WORD>(i), 0);
      return MAKELONG(static_cast<WORD>(items.empty() ? 0 : items.size() - 1), 1);
    }
    case LB_ADDSTRING:
    case CB_ADDSTRING:
      items.push_back({reinterpret_cast<const char*>(lParam)});
      return static_cast<LRESULT>(items.size() - 1);
    case LB_INSERTSTRING:
    case CB_INSERTSTRING: {
      const size_t at = std::min<size_t>(wParam, items.size());
      items.insert(items.begin() + static_cast<long>(at), TFakeItem{reinterpret_cast<const char*>(lParam)});
      return static_cast<LRESULT>(at);
    }
    case LB_DELETESTRING:
    case CB_DELETESTRING:
      if (!InRange(state, wParam)) return LB_ERR;
      items.erase(items.begin() + static_cast<long>(wParam));
      return static_cast<LRESULT>(items.size());
    case LB_RESETCONTENT:
    case CB_RESETCONTENT: items.clear(); return 0;
    case CB_GETDROPPEDSTATE: return state.DroppedDown;
    default: answered = false; return 0;
  }
}

LRESULT ListViewMessage(TFakeState& state, UINT message, WPARAM wParam, LPARAM lParam, HWND header, bool& answered) {
  switch (message) {
    case LVM_GETITEMCOUNT: return static_cast<LRESULT>(state.Items.size());
    case LVM_GETNEXTITEM:
      for (size_t i = static_cast<size_t>(static_cast<int>(wParam) + 1); i < state.Items.size(); ++i)
        if (!(lParam & LVNI_SELECTED) || state.Items[i].Selected) return static_cast<LRESULT>(i);
      return -1;
    case LVM_GETVIEW: return state.View;
    case LVM_GETBKCOLOR: return static_cast<LRESULT>(state.BackColor);
    case LVM_SETBKCOLOR: state.BackColor = static_cast<TColor>(lParam); return 1;
    case LVM_SETTEXTBKCOLOR: return 1;
    case LVM_GETTEXTCOLOR: return static_cast<LRESULT>(state.TextColor);
    case LVM_SETTEXTCOLOR: state.TextColor = static_cast<TColor>(lParam); return 1;
    case LVM_GETTOPINDEX: return state.TopIndex;
    case LVM_GETHEADER: return HandleToParam(header);
    case LVM_GETITEMRECT:
      if (!InRange(state, wParam)) return 0;
      *reinterpret_cast<TRect*>(lParam) = state.Items[wParam].Rect;
      return 1;
    default: answered = false; return 0;
  }
}

// The header's columns in display order (indexes into columns).
std::vector<int> DisplayOrder(const std::vector<TFakeColumn>& columns) {
  std::vector<int> order(columns.size());
  for (size_t i = 0; i < columns.size(); ++i) order[i] = static_cast<int>(i);
  const auto place = [&columns](int i) { return columns[i].Order < 0 ? i : columns[i].Order; };
  std::stable_sort(order.begin(), order.end(), [&place](int a, int b) { return place(a) < place(b); });
  return order;
}

TRect ColumnRect(HWND header, const std::vector<TFakeColumn>& columns, int index) {
  TRect client;
  GetClientRect(header, client);
  int left = 0;
  for (int i : DisplayOrder(columns)) {
    if (i == index) return {left, 0, left + columns[i].Width, client.Bottom};
    left += columns[i].Width;
  }
  return {};
}

// A point within this many pixels of a column's right edge is on its divider.
constexpr int DividerReach = 3;

LRESULT HeaderHitTest(HWND header, const std::vector<TFakeColumn>& columns, HDHITTESTINFO& info) {
  info.iItem = -1;
  info.flags = HHT_NOWHERE;
  for (size_t i = 0; i < columns.size(); ++i) {
    const TRect rect = ColumnRect(header, columns, static_cast<int>(i));
    if (info.pt.X >= rect.Right - DividerReach && info.pt.X < rect.Right + DividerReach) {
      info.iItem = static_cast<int>(i);
      info.flags = HHT_ONDIVIDER;
      return info.iItem;
    }
    if (PtInRect(rect, info.pt)) {
      info.iItem = static_cast<int>(i);
      info.flags = HHT_ONHEADER;
    }
  }
  return info.iItem;
}

void FillHeaderItem(const TFakeColumn& column, HDITEM& item) {
  if ((item.mask & HDI_TEXT) && item.pszText && item.cchTextMax > 0) {
    const size_t count = std::min(column.Text.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::memcpy(item.pszText, column.Text.data(), count);
    item.pszText[count] = '\0';
  }
  if (item.mask & HDI_FORMAT) item.fmt = column.Format;
  if (item.mask & HDI_WIDTH) item.cxy = column.Width;
  if (item.mask & HDI_IMAGE) item.iImage = column.Image;
  if (item.mask & HDI_LPARAM) item.lParam = 0;
}

LRESULT HeaderMessage(const std::vector<TFakeColumn>& columns, HWND header, UINT message, WPARAM wParam,
                      LPARAM lParam, bool& answered) {
  const bool inRange = wParam < columns.size();
  switch (message) {
    case HDM_GETITEMCOUNT: return static_cast<LRESULT>(columns.size());
    case HDM_GETITEMRECT:
      if (!inRange) return 0;
      *reinterpret_cast<TRect*>(lParam) = ColumnRect(header, columns, static_cast<int>(wParam));
      return 1;
    case HDM_GETITEM:
      if (!inRange) return 0;
      FillHeaderItem(columns[wParam], *reinterpret_cast<HDITEM*>(lParam));
      return 1;
    case HDM_HITTEST: return HeaderHitTest(header, columns, *reinterpret_cast<HDHITTESTINFO*>(lParam));
    case HDM_GETORDERARRAY: {
      const std::vector<int> order = DisplayOrder(columns);
      auto* out = reinterpret_cast<int*>(lParam);
      for (size_t i = 0; out && i < order.size() && i < wParam; ++i) out[i] = order[i];
      return 1;
    }
    default: answered = false; return 0;
  }
}

LRESULT TreeViewMessage(TFakeState& state, UINT message, LPARAM lParam, bool& answered) {
  switch (message) {
    case TVM_GETCOUNT: return static_cast<LRESULT>(state.Items.size());
    case TVM_GETINDENT: return state.Indent;
    case TVM_GETBKCOLOR: return static_cast<LRESULT>(state.BackColor);
    case TVM_SETBKCOLOR: {
      const TColor old = state.BackColor;
      state.BackColor = static_cast<TColor>(lParam);
      return static_cast<LRESULT>(old);
    }
    case TVM_GETTEXTCOLOR: return static_cast<LRESULT>(state.TextColor);
    case TVM_SETTEXTCOLOR: {
      const TColor old = state.TextColor;
      state.TextColor = static_cast<TColor>(lParam);
      return static_cast<LRESULT>(old);
    }
    default: answered = false; return 0;
  }
}

LRESULT TabMessage(TFakeState& state, UINT message, WPARAM wParam, LPARAM lParam, bool& answered) {
  switch (message) {
    case TCM_GETITEMCOUNT: return static_cast<LRESULT>(state.Items.size());
    case TCM_GETCURSEL: return state.Current;
    case TCM_SETCURSEL: {
      const int old = state.Current;
      if (InRange(state, wParam)) state.Current = static_cast<int>(wParam);
      return old;
    }
    case TCM_GETITEMRECT:
      if (!InRange(state, wParam)) return 0;
      *reinterpret_cast<TRect*>(lParam) = state.Items[wParam].Rect;
      return 1;
    case TCM_GETITEM: {
      if (!InRange(state, wParam)) return 0;
      auto& item = *reinterpret_cast<TCITEM*>(lParam);
      const TFakeItem& source = state.Items[wParam];
      if ((item.mask & TCIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const size_t count = std::min(source.Text.size(), static_cast<size_t>(item.cchTextMax - 1));
        std::memcpy(item.pszText, source.Text.data(), count);
        item.pszText[count] = '\0';
      }
      if (item.mask & TCIF_IMAGE) item.iImage = source.Image;
      if (item.mask & TCIF_PARAM) item.lParam = static_cast<LPARAM>(source.Data);
      return 1;
    }
    case TCM_ADJUSTRECT: {
      auto& rect = *reinterpret_cast<TRect*>(lParam);
      const int sign = wParam ? -1 : 1;
      const TRect& inset = state.DisplayInset;
      rect = {rect.Left + sign * inset.Left, rect.Top + sign * inset.Top, rect.Right - sign * inset.Right,
              rect.Bottom - sign * inset.Bottom};
      return 0;
    }
    case TCM_GETIMAGELIST: return state.ImageList;
    case TCM_GETROWCOUNT: return state.Rows;
    default: answered = false; return 0;
  }
}

LRESULT ToolBarMessage(TFakeState& state, UINT message, WPARAM wParam, LPARAM lParam, bool& answered) {
  switch (message) {
    case TB_BUTTONCOUNT: return static_cast<LRESULT>(state.Items.size());
    case TB_GETITEMRECT:
      if (!InRange(state, wParam)) return 0;
      *reinterpret_cast<TRect*>(lParam) = state.Items[wParam].Rect;
      return 1;
    case TB_GETBUTTON: {
      if (!InRange(state, wParam)) return 0;
      auto& button = *reinterpret_cast<TBBUTTON*>(lParam);
      const TFakeItem& source = state.Items[wParam];
      button.iBitmap = source.Image;
      button.idCommand = static_cast<int>(wParam);
      button.fsState = source.State;
      button.fsStyle = source.Style;
      button.dwData = source.Data;
      return 1;
    }
    case TB_GETBUTTONTEXT: return InRange(state, wParam) ? CopyText(state.Items[wParam].Text, lParam) : -1;
    case TB_GETIMAGELIST:
    case TB_GETHOTIMAGELIST:
    case TB_GETDISABLEDIMAGELIST: return state.ImageList;
    default: answered = false; return 0;
  }
}

LRESULT StatusBarMessage(TFakeState& state, UINT message, WPARAM wParam, LPARAM lParam, bool& answered) {
  switch (message) {
    case SB_GETPARTS: {
      auto* rights = reinterpret_cast<int*>(lParam);
      for (size_t i = 0; rights && i < state.Items.size() && i < wParam; ++i) rights[i] = state.Items[i].Rect.Right;
      return static_cast<LRESULT>(state.Items.size());
    }
    case SB_GETRECT:
      if (!InRange(state, wParam)) return 0;
      *reinterpret_cast<TRect*>(lParam) = state.Items[wParam].Rect;
      return 1;
    case SB_GETTEXT:
      return InRange(state, wParam & 0xFF) ? MAKELONG(static_cast<WORD>(CopyText(state.Items[wParam & 0xFF].Text, lParam)), 0) : 0;
    case SB_GETTEXTLENGTH:
      return InRange(state, wParam & 0xFF) ? static_cast<LRESULT>(state.Items[wParam & 0xFF].Text.size()) : 0;
    case SB_SETTEXT:
      if (!InRange(state, wParam & 0xFF)) return 0;
      state.Items[wParam & 0xFF].Text = reinterpret_cast<const char*>(lParam);
      return 1;
    case SB_ISSIMPLE: return state.SimpleStatus;
    case SB_SIMPLE: state.SimpleStatus = wParam != 0; return 0;
    default: answered = false; return 0;
  }
}

}  // namespace

TProtocolFake::TProtocolFake(const std::string& className, HWND parent, const TRect& bounds, TFakeState state,
                             DWORD style, DWORD exStyle)
    : State(std::move(state)), className_(AsciiLowered(className)) {
  RegisterFakeClass(className, &TProtocolFake::Procedure);
  Creating = this;
  window_ = CreateWindowEx(exStyle, className, "", style, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                           parent, nullptr, nullptr);
  Creating = nullptr;
  if (State.VertBar) SetScrollInfo(window_, SB_VERT, *State.VertBar, false);
  if (State.HorzBar) SetScrollInfo(window_, SB_HORZ, *State.HorzBar, false);
  const auto makeInner = [this](const char* name, DWORD innerStyle, const TRect& rect, HWND innerParent,
                                WNDPROC procedure = &InnerProcedure) {
    RegisterFakeClass(name, procedure);
    inner_ = CreateWindowEx(0, name, "", innerStyle, rect.Left, rect.Top, rect.Width(), rect.Height(), innerParent,
                            nullptr, nullptr);
  };
  const int width = bounds.Width();
  if (className_ == "combobox") makeInner("ComboLBox", WS_POPUP | WS_BORDER, Bounds(0, 0, width, 100), window_);
  if (className_ == "syslistview32") {
    RegisterFakeClass("SysHeader32", &TProtocolFake::HeaderProcedure);
    inner_ = CreateWindowEx(0, "SysHeader32", "", WS_CHILD | WS_VISIBLE | HDS_BUTTONS, 0, 0, width, 20, window_,
                            nullptr, nullptr);
  }
  if (className_ == "systabcontrol32")
    makeInner("msctls_updown32", WS_CHILD, Bounds(std::max(width - 34, 0), 0, 34, 20), window_,
              &TProtocolFake::Procedure);
}

TProtocolFake::~TProtocolFake() {
  if (inner_ && !(GetWindowLongPtr(inner_, GWL_STYLE) & WS_CHILD)) DestroyWindow(inner_);
  DestroyWindow(window_);
  Fakes().erase(window_);
}

size_t TProtocolFake::Count(UINT message) const {
  return static_cast<size_t>(
      std::count_if(Received.begin(), Received.end(), [message](const TMessage& m) { return m.Msg == message; }));
}

void TProtocolFake::DropDown(bool show) {
  if (show == State.DroppedDown) return;
  State.DroppedDown = show;
  if (show) {
    TRect bounds;
    GetWindowRect(window_, bounds);
    SetWindowPos(inner_, HWND_TOPMOST, bounds.Left, bounds.Bottom, bounds.Width(),
                 State.ItemHeight * std::max<int>(1, static_cast<int>(State.Items.size())) + 2, SWP_NOACTIVATE);
    SendMessage(window_, WM_CTLCOLORLISTBOX, 0, HandleToParam(inner_));
    ShowWindow(inner_, SW_SHOWNOACTIVATE);
    SendMessage(inner_, CBLM_BEGINTRACKING, 0, 0);
  } else {
    SendMessage(inner_, CBLM_ENDTRACKING, 0, 0);
    ShowWindow(inner_, SW_HIDE);
  }
}

LRESULT TProtocolFake::Answer(UINT message, WPARAM wParam, LPARAM lParam, bool& answered) {
  answered = true;
  const std::string& name = className_;
  if (name == "button") return ButtonMessage(State, window_, message, wParam, answered);
  if (name == "edit") return EditMessage(State, window_, message, wParam, lParam, answered);
  if (name == "combobox" && message == CB_SHOWDROPDOWN) {
    DropDown(wParam != 0);
    return 1;
  }
  if ((name == "static" || name == "syslink") && message == STM_GETICON) return State.Image;
  if (name == "listbox" || name == "combobox") return ListMessage(State, window_, message, wParam, lParam, answered);
  if (name == "syslistview32") return ListViewMessage(State, message, wParam, lParam, inner_, answered);
  if (name == "systreeview32") return TreeViewMessage(State, message, lParam, answered);
  if (name == "systabcontrol32") return TabMessage(State, message, wParam, lParam, answered);
  if (name == "toolbarwindow32") return ToolBarMessage(State, message, wParam, lParam, answered);
  if (name == "msctls_statusbar32") return StatusBarMessage(State, message, wParam, lParam, answered);
  answered = false;
  return 0;
}

LRESULT TProtocolFake::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto found = Fakes().find(window);
  if (found == Fakes().end()) {
    if (!Creating) return DefWindowProc(window, message, wParam, lParam);
    found = Fakes().emplace(window, Creating).first;
    Creating->window_ = window;
  }
  TProtocolFake& fake = *found->second;
  fake.Received.push_back({message, wParam, lParam, 0});
  bool answered = false;
  const LRESULT result = fake.Answer(message, wParam, lParam, answered);
  return answered ? result : DefWindowProc(window, message, wParam, lParam);
}

LRESULT TProtocolFake::HeaderProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = Fakes().find(GetParent(window));
  if (found == Fakes().end()) return DefWindowProc(window, message, wParam, lParam);
  TFakeState& state = found->second->State;
  state.HeaderReceived.push_back({message, wParam, lParam, 0});
  bool answered = true;
  const LRESULT result = HeaderMessage(state.Columns, window, message, wParam, lParam, answered);
  return answered ? result : DefWindowProc(window, message, wParam, lParam);
}
