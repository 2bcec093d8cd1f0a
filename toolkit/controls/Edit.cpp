#include "toolkit/controls/Edit.h"

#include "toolkit/controls/Label.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/WindowBackend.h"

// TCustomEdit

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  SetBounds(0, 0, 121, 21);
  ControlStyle = csClickEvents | csSetCaption | csDoubleClicks | csCaptureMouse;
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style |= ES_AUTOHSCROLL;
  if (readOnly_) params.Style |= ES_READONLY;
  if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.lpfnWndProc = &NativeWindowProc;
  params.WindowClass.NativeWidget = "QLineEdit";
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  if (maxLength_ > 0) Perform(EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetMaxLength(int length) {
  maxLength_ = length;
  if (HandleAllocated()) Perform(EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
}

void TCustomEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (HandleAllocated()) Perform(EM_SETREADONLY, readOnly, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

// Through the record rather than the answer: the answer's 16-bit halves cannot hold long texts' positions.
std::pair<int, int> TCustomEdit::Selection() {
  HandleNeeded();
  DWORD start = 0, end = 0;
  Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

int TCustomEdit::SelStart() { return Selection().first; }

int TCustomEdit::SelLength() {
  const auto [start, end] = Selection();
  return end - start;
}

void TCustomEdit::SetSelStart(int start) {
  HandleNeeded();
  Perform(EM_SETSEL, static_cast<WPARAM>(start), start);
}

void TCustomEdit::SetSelLength(int length) {
  const int start = SelStart();
  Perform(EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

std::string TCustomEdit::SelText() {
  const auto [start, end] = Selection();
  return Text().substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

void TCustomEdit::SetSelText(const std::string& text) {
  HandleNeeded();
  Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomEdit::SelectAll() {
  HandleNeeded();
  Perform(EM_SETSEL, 0, -1);
}

bool TCustomEdit::Modified() {
  HandleNeeded();
  return Perform(EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool modified) {
  HandleNeeded();
  Perform(EM_SETMODIFY, modified, 0);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::Dispatch(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    CNCommand(message);
    return;
  }
  TWinControl::Dispatch(message);
  // Entering by keyboard selects the text; a click places the caret instead.
  if (message.Msg == WM_SETFOCUS && AutoSelect && !(ControlState & csLButtonDown) &&
      !(GetWindowLongPtr(Handle(), GWL_STYLE) & ES_MULTILINE))
    SelectAll();
}

void TCustomEdit::CNCommand(TMessage& message) {
  if (HIWORD(message.WParam) != EN_CHANGE) return;
  KeepText(GetWindowText(Handle()));
  Change();
}

// TMemoStrings

std::vector<std::string> TMemoStrings::Lines() const {
  std::vector<std::string> lines;
  const std::string& text = memo_.Text();
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

void TMemoStrings::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
  memo_.SetText(text);
}

int TMemoStrings::Count() const { return static_cast<int>(Lines().size()); }

std::string TMemoStrings::Strings(int index) const {
  const std::vector<std::string> lines = Lines();
  CheckIndex(index, static_cast<int>(lines.size()));
  return lines[static_cast<size_t>(index)];
}

void TMemoStrings::SetStrings(int index, const std::string& text) {
  std::vector<std::string> lines = Lines();
  CheckIndex(index, static_cast<int>(lines.size()));
  lines[static_cast<size_t>(index)] = text;
  SetLines(lines);
}

void TMemoStrings::InsertObject(int index, const std::string& text, TObject*) {
  std::vector<std::string> lines = Lines();
  CheckIndex(index, static_cast<int>(lines.size()) + 1);
  lines.insert(lines.begin() + index, text);
  SetLines(lines);
}

void TMemoStrings::Delete(int index) {
  std::vector<std::string> lines = Lines();
  CheckIndex(index, static_cast<int>(lines.size()));
  lines.erase(lines.begin() + index);
  SetLines(lines);
}

void TMemoStrings::Clear() { memo_.SetText(""); }

// TCustomMemo

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(*this) {
  AutoSelect = false;
  SetBounds(Left(), Top(), 185, 89);
}

void TCustomMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (wordWrap_) params.Style &= ~ES_AUTOHSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL;
  params.WindowClass.NativeWidget = "QPlainTextEdit";
}

void TCustomMemo::SetWordWrap(bool wordWrap) {
  if (wordWrap == wordWrap_) return;
  wordWrap_ = wordWrap;
  RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle scrollBars) {
  if (scrollBars == scrollBars_) return;
  scrollBars_ = scrollBars;
  RecreateWnd();
}

void TCustomMemo::Dispatch(TMessage& message) {
  TCustomEdit::Dispatch(message);
  if (message.Msg != WM_GETDLGCODE) return;
  if (WantTabs)
    message.Result |= DLGC_WANTTAB;
  else
    message.Result &= ~DLGC_WANTTAB;
  if (!WantReturns) message.Result &= ~DLGC_WANTALLKEYS;
}

// TLabeledEdit

TLabeledEdit::TLabeledEdit(TComponent* owner) : TCustomEdit(owner), editLabel_(new TLabel(this)) {
  editLabel_->SetFocusControl(this);
}

void TLabeledEdit::SetParent(TWinControl* parent) {
  TCustomEdit::SetParent(parent);
  editLabel_->SetParent(parent);
  PlaceLabel();
}

void TLabeledEdit::SetBounds(int left, int top, int width, int height) {
  TCustomEdit::SetBounds(left, top, width, height);
  PlaceLabel();
}

void TLabeledEdit::PlaceLabel() {
  if (!editLabel_) return;
  editLabel_->SetBounds(Left(), Top() - editLabel_->Height() - LabelSpacing, editLabel_->Width(), editLabel_->Height());
}

void TLabeledEdit::Dispatch(TMessage& message) {
  TCustomEdit::Dispatch(message);
  if (message.Msg == CM_VISIBLECHANGED) editLabel_->SetVisible(Visible());
  if (message.Msg == CM_ENABLEDCHANGED) editLabel_->SetEnabled(Enabled());
}
