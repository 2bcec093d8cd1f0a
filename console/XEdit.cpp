#include "console/XEdit.h"

#include <algorithm>

#include "console/Console.h"
#include "console/Sounds.h"
#include "console/Syntax.h"
#include "console/TxEditorCore.h"
#include "runtime/AsciiCase.h"
#include "runtime/Params.h"
#include "runtime/Storage.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Paint.h"

namespace {

int nameCounter = 0;
constexpr int StoredHistoryLines = 32;

void PlaySound(TSoundId id) {
  if (AppSounds) AppSounds->Play(id, false);
}

// Every format applied in its scope costs one layout of the line, not one each.
class TRedrawHeld {
public:
  explicit TRedrawHeld(TWinControl& control) : control_(control) { control_.Perform(WM_SETREDRAW, false, 0); }
  ~TRedrawHeld() {
    control_.Perform(WM_SETREDRAW, true, 0);
    control_.Invalidate();
  }
  TRedrawHeld(const TRedrawHeld&) = delete;
  TRedrawHeld& operator=(const TRedrawHeld&) = delete;

private:
  TWinControl& control_;
};

}  // namespace

// TEditInt

void TEditInt::Write(const std::string& text, std::uint8_t kind, int) {
  if (Edit) Edit->SetSource(kind == lkResult ? text : std::string());
}

void TEditInt::Clear() {
  if (Edit) Edit->SetSource("");
}

// TXEdit

// Holds the edit's own change handling off for a scope.
class TXEdit::TUpdating {
public:
  explicit TUpdating(TXEdit& edit) : edit_(edit), was_(edit.updating_) { edit_.updating_ = true; }
  ~TUpdating() { edit_.updating_ = was_; }
  TUpdating(const TUpdating&) = delete;
  TUpdating& operator=(const TUpdating&) = delete;

private:
  TXEdit& edit_;
  bool was_;
};

TXEdit::TXEdit(TWinControl* owner, bool persist) : TRichEdit(owner), persistHistory_(persist) {
  SetName("XEDIT" + std::to_string(++nameCounter));
  SetParent(owner);
  ConsoleIntf = MakeCounted<TEditInt>(this);
  Font().SetName("Courier New");
  Font().SetSize(10);
  if (persistHistory_) LoadHistory();
}

TXEdit::~TXEdit() {
  StoreHistory();
  static_cast<TEditInt*>(ConsoleIntf.get())->Edit = nullptr;
}

void TXEdit::ResetNameCounter() { nameCounter = 0; }

int TXEdit::PromptLength() const { return static_cast<int>(prompt_.size()); }

int TXEdit::TextLength() const { return static_cast<int>(Text().size()); }

void TXEdit::Select(int start, int length) {
  HandleNeeded();
  Perform(EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

std::string TXEdit::GetSource() const {
  const std::string& text = Text();
  return text.substr(std::min(prompt_.size(), text.size()));
}

void TXEdit::SetSource(const std::string& value) {
  TUpdating updating(*this);
  if (NoEdit && Params.CopyClip && ClipboardHelper) ClipboardHelper->PutText(value);
  SetText(prompt_ + value);
  source_ = value;
  Select(TextLength(), 0);
  Recolor();
}

void TXEdit::SetPrompt(const std::string& value) {
  const std::string source = GetSource();
  prompt_ = value;
  SetSource(source);
}

void TXEdit::Execute(const std::string& text) {
  if (!OnExecute) return;
  if (EnterExec && ClearLine) SetSource("");
  OnExecute(this, text);
}

void TXEdit::AddHistory(const std::string& line) {
  const auto found =
      std::find_if(history_.begin(), history_.end(), [&line](const std::string& entry) { return SameAsciiText(entry, line); });
  if (found == history_.end())
    history_.push_back(line);
  else
    std::rotate(found, found + 1, history_.end());
  historyIndex_ = static_cast<int>(history_.size());
}

void TXEdit::WalkHistory(int step) {
  const int index = historyIndex_ + step;
  if (index < 0 || index >= static_cast<int>(history_.size())) return;
  historyIndex_ = index;
  SetSource(history_[static_cast<size_t>(index)]);
}

// Colouring

void TXEdit::ApplyAttr(const TSymAttr& attr) {
  SelAttributes().SetColor(attr.Color);
  SelAttributes().SetStyle(attr.Styles);
}

// The syntax and the edit both count bytes of the UTF-8 text.
void TXEdit::ColorTokens(const std::string& source) {
  const int prompt = PromptLength();
  TSyntaxLine line(*Syntax, source);
  while (!Syntax->AtEnd()) {
    const TSymAttr& attr = Syntax->NextAttr();
    if (Syntax->TokenLength() <= 0) continue;
    Select(prompt + Syntax->TokenStart(), Syntax->TokenLength());
    ApplyAttr(attr);
  }
}

// Formatting notifies nothing and the focus stays where it is: recolouring
// the result line on every change must not take the focus from the command line.
void TXEdit::Recolor() {
  if (Text().empty() || !Syntax) return;
  TUpdating updating(*this);
  TRedrawHeld redrawHeld(*this);
  const int savedStart = SelStart();
  const int savedLength = SelLength();
  const int prompt = PromptLength();
  if (prompt > 0) {
    Select(0, prompt);
    ApplyAttr(PromptAttr);
  }
  const std::string source = GetSource();
  if (PlainColors) {
    Select(prompt, TextLength() - prompt);
    ApplyAttr(TextAttr);
  } else if (!source.empty()) {
    ColorTokens(source);
  }
  Select(savedStart, savedLength);
}

// Changes

void TXEdit::Change() {
  if (updating_) return;
  // What reached into the prompt anyway (a word deleted across it, a cut of
  // everything from the widget's menu) is refused.
  if (!Text().starts_with(prompt_)) {
    SetSource(source_);
    return;
  }
  TRichEdit::Change();
  StripLineBreaks();
  source_ = GetSource();
  Recolor();
  if (!AutoExec) return;
  TFlagScope executing(executingChange_);
  Execute(source_);
}

void TXEdit::StripLineBreaks() {
  const std::string& text = Text();
  if (text.find_first_of("\r\n") == std::string::npos) return;
  TUpdating updating(*this);
  const int caret = SelStart() + SelLength();
  const auto caretByte = std::min(static_cast<std::size_t>(caret), text.size());
  const auto breaksBeforeCaret = static_cast<int>(std::count_if(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(caretByte),
                                                                [](char c) { return c == '\r' || c == '\n'; }));
  std::string stripped = text;
  std::erase_if(stripped, [](char c) { return c == '\r' || c == '\n'; });
  SetText(stripped);
  Select(caret - breaksBeforeCaret, 0);
}

// GetSource is the text after the prompt's length: a change starting inside
// the prompt would eat the source's first characters instead.
void TXEdit::KeepChangeOutOfPrompt() {
  const int prompt = PromptLength();
  const int start = SelStart();
  if (start >= prompt) return;
  const int end = std::max(start + SelLength(), prompt);
  TUpdating updating(*this);
  Select(prompt, end - prompt);
}

// Keys

void TXEdit::KeyDown(WORD& key, TShiftState shift) {
  if (NoEdit) {
    key = 0;
    return;
  }
  const int prompt = PromptLength();
  switch (key) {
    case VK_BACK:
    case VK_LEFT:
      if (SelStart() <= prompt) {
        Select(prompt, 0);
        key = 0;
      }
      break;
    case VK_HOME:
    case VK_PRIOR: {
      const int caret = SelStart() + SelLength();
      if (shift & ssShift)
        Select(prompt, std::max(caret - prompt, 0));
      else
        Select(prompt, 0);
      key = 0;
      break;
    }
    case VK_UP:
      key = 0;
      WalkHistory(-1);
      break;
    case VK_DOWN:
      key = 0;
      WalkHistory(+1);
      break;
    case VK_DELETE: KeepChangeOutOfPrompt(); break;
    case VK_INSERT:
      if (shift & ssShift) KeepChangeOutOfPrompt();
      break;
    case 'V':
    case 'X':
      if (shift & ssCtrl) KeepChangeOutOfPrompt();
      break;
    default: break;
  }
  if (key != 0) TRichEdit::KeyDown(key, shift);
}

void TXEdit::KeyPress(char32_t& key) {
  if (NoEdit || key == 10) {
    key = 0;
    return;
  }
  if (key == 13) {
    PlaySound(sndEnter);
    if (EnterExec) {
      const std::string source = GetSource();
      AddHistory(source);
      Execute(source);
    }
    key = 0;
    return;
  }
  PlaySound(sndKeyPress);
  // The widget deletes on the character Backspace types, after KeyDown.
  if (key == 8 && SelLength() == 0 && SelStart() <= PromptLength()) {
    key = 0;
    return;
  }
  if (key >= 32) KeepChangeOutOfPrompt();
  TRichEdit::KeyPress(key);
}

// Mouse, focus and size

void TXEdit::MouseMove(TShiftState shift, int x, int y) {
  if ((shift & ssLeft) && SelStart() < PromptLength()) KeepChangeOutOfPrompt();
  TRichEdit::MouseMove(shift, x, y);
}

void TXEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && SelLength() == 0 && SelStart() < PromptLength()) {
    TUpdating updating(*this);
    Select(PromptLength(), 0);
  }
  TRichEdit::MouseUp(button, shift, x, y);
}

// Runs after the widget's own word selection, which may take in the prompt.
void TXEdit::DblClick() {
  const int source = TextLength() - PromptLength();
  if (SelLength() >= source) {
    TUpdating updating(*this);
    Select(PromptLength(), source);
  }
  TRichEdit::DblClick();
}

void TXEdit::DoEnter() {
  TUpdating updating(*this);
  Select(SelStart(), 0);
}

void TXEdit::Resize() {
  const int height = Height();
  TRichEdit::Resize();
  if (Height() != height) SetHeight(height);
}

void TXEdit::AdjustHeight() {
  HDC dc = GetDC(Handle());
  const HGDIOBJ old = SelectObject(dc, Font().Handle());
  TTextMetric metric;
  GetTextMetrics(dc, &metric);
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);
  SetHeight(metric.tmHeight + metric.tmInternalLeading + 3);
}

void TXEdit::Dispatch(TMessage& message) {
  if (message.Msg == WM_SETFOCUS) DoEnter();
  TRichEdit::Dispatch(message);
  if (message.Msg == CM_FONTCHANGED) AdjustHeight();
}

// History storage: "Cmd_0" holds the newest line.

void TXEdit::LoadHistory() {
  if (!Storage) return;
  Storage->OpenSection(Name(), false);
  TSectionCloser closer(*Storage);
  // Only the newest lines are ever stored; a larger count is damage.
  const int count = Storage->ReadCount("CmdCount", StoredHistoryLines);
  for (int i = count - 1; i >= 0; --i) {
    const std::string line = Storage->ReadString("Cmd_" + std::to_string(i), "");
    if (!line.empty()) AddHistory(line);
  }
}

void TXEdit::StoreHistory() {
  if (!Storage || !persistHistory_ || history_.empty()) return;
  try {
    Storage->OpenSection(Name(), true);
    TSectionCloser closer(*Storage);
    const int count = static_cast<int>(history_.size());
    const int stored = std::min(StoredHistoryLines, count);
    Storage->WriteInteger("CmdCount", stored);
    for (int i = 0; i < stored; ++i) Storage->WriteString("Cmd_" + std::to_string(i), history_[static_cast<size_t>(count - 1 - i)]);
  } catch (const std::exception&) {
    // A history that cannot be stored is lost; the edit still goes.
  }
}
