#include "console/TxCompletion.h"

#include "console/TxCustomEditor.h"
#include "console/TxTextRoutines.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/win/Keys.h"

namespace {

bool StartsWithIgnoringCase(const std::string& text, const std::string& start) {
  return text.size() >= start.size() && SameTextAnsi(text.substr(0, start.size()), start);
}


}  // namespace

TTxCompletion::TTxCompletion(TTxCustomEditor& editor) : editor_(editor), timer_(new TTimer(&editor)) {
  timer_->SetEnabled(false);
  timer_->SetInterval(800);
  timer_->SetOnTimer([this](TObject*) {
    StopTimer();
    DropDown(DefMode);
  });
}

TTxCompletion::~TTxCompletion() = default;

int TTxCompletion::Interval() const { return static_cast<int>(timer_->Interval()); }

void TTxCompletion::SetInterval(int milliseconds) { timer_->SetInterval(static_cast<UINT>(milliseconds)); }

bool TTxCompletion::TimerRunning() const { return timer_->Enabled(); }

void TTxCompletion::StopTimer() { timer_->SetEnabled(false); }

void TTxCompletion::DoCompletion(int mode) {
  if (editor_.ReadOnly()) return;
  CloseUp();
  Mode = mode;
  if (mode == 0) {
    DropDown(0);
    return;
  }
  if (Cancelled() || Templates.Count() == 0) return;
  MakeItems();
  bool exact = false;
  SelectItem(exact);
  // Replacing the word by an exactly matching template comes with the list.
  if (!exact) DropDown(1);
}

void TTxCompletion::DropDown(int mode) {
  CloseUp();
  Mode = mode;
  if (Cancelled()) return;
  MakeItems();
  bool exact = false;
  SelectItem(exact);
}

void TTxCompletion::DoKeyPress(char32_t c) {
  if (visible_) {
    if (!IsIdentifierChar(c)) CloseUp();
    return;
  }
  if (Enabled) timer_->SetEnabled(true);
}

bool TTxCompletion::DoKeyDown(WORD key) {
  if (!visible_) return false;
  switch (key) {
    case VK_RETURN:
    case VK_ESCAPE: CloseUp(); return true;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN: return true;
    default: return false;
  }
}

void TTxCompletion::CloseUp() {
  visible_ = false;
  StopTimer();
}

void TTxCompletion::MakeItems() {
  Items.Clear();
  if (Mode == 0) {
    Items.Assign(Identifers);
    return;
  }
  const std::string word = WordAtCaret();
  for (int i = 0; i < Templates.Count(); ++i)
    if (StartsWithIgnoringCase(Templates.Strings(i), word)) Items.Add(Templates.Strings(i));
  if (Items.Count() == 0) Items.Assign(Templates);
}

void TTxCompletion::SelectItem(bool& exact) {
  const std::string word = WordAtCaret();
  ItemIndex = -1;
  exact = false;
  if (word.find_first_not_of(' ') == std::string::npos) return;
  for (int i = 0; i < Items.Count(); ++i) {
    if (!StartsWithIgnoringCase(Items.Strings(i), word)) continue;
    ItemIndex = i;
    std::string key = Field(Items.Strings(i), 0);
    key.erase(key.find_last_not_of(' ') + 1);
    key.erase(0, key.find_first_not_of(' '));
    exact = SameTextAnsi(key, word);
    return;
  }
}

bool TTxCompletion::Cancelled() {
  bool cancel = false;
  if (Mode == 0 && editor_.OnCompletionIdentifer) editor_.OnCompletionIdentifer(&editor_, cancel);
  if (Mode == 1 && editor_.OnCompletionTemplate) editor_.OnCompletionTemplate(&editor_, cancel);
  return cancel;
}

std::string TTxCompletion::WordAtCaret() const {
  const TTxEditorStrings& lines = editor_.Lines();
  if (editor_.CaretY() >= lines.Count()) return {};
  return GetWordOnPos(lines.Strings(editor_.CaretY()), editor_.CaretX());
}

std::string TTxCompletion::Field(const std::string& item, int index) const { return SubStr(item, index, Separator); }
