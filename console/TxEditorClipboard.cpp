// The text editor's clipboard: the text with CR LF breaks, and the block
// format under "IDE Block Type", so that column blocks travel between
// editors as column blocks.

#include "console/TxCustomEditor.h"
#include "console/TxUndo.h"
#include "console/TxTextRoutines.h"
#include "runtime/Utf8Cells.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/win/PlaySound.h"

namespace {

UINT BlockFormatId() {
  static const UINT id = RegisterClipboardFormat("IDE Block Type");
  return id;
}

// Line breaks of any kind become CR LF.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n') {
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

// Keeps the clipboard open for a scope: every change in it is one content.
class TClipboardOpening {
public:
  TClipboardOpening() : opened_(Clipboard().Open()) {}
  ~TClipboardOpening() {
    if (opened_) Clipboard().Close();
  }
  TClipboardOpening(const TClipboardOpening&) = delete;
  TClipboardOpening& operator=(const TClipboardOpening&) = delete;

private:
  bool opened_;
};

}  // namespace

TSelBlockFormat TTxCustomEditor::GetClipboardBlockFormat() {
  const std::vector<std::uint8_t> data = Clipboard().Data(BlockFormatId());
  if (data.empty() || data[0] > bfNonInclusive) return bfNonInclusive;
  return static_cast<TSelBlockFormat>(data[0]);
}

void TTxCustomEditor::SetClipboardBlockFormat(TSelBlockFormat format) {
  Clipboard().SetData(BlockFormatId(), {static_cast<std::uint8_t>(format)});
}

bool TTxCustomEditor::CanCopy() const {
  const TTxSelection& s = selection_;
  return s.Selected && (s.SelBegX != s.SelEndX || s.SelBegY != s.SelEndY);
}

bool TTxCustomEditor::CaretBelowText() const { return lines_->Count() > 0 && caretY_ > lines_->Count() - 1; }

bool TTxCustomEditor::CanPaste() const {
  return !CaretBelowText() && Clipboard().HasFormat(CF_TEXT) && !Clipboard().AsText().empty();
}

// The text and its block byte go in within one opening of the clipboard.
void TTxCustomEditor::ClipboardCopy() {
  const std::string text = GetSelText();
  TClipboardOpening opening;
  Clipboard().SetAsText(text);
  SetClipboardBlockFormat(selection_.SelBlockFormat);
}

void TTxCustomEditor::ClipboardCut() {
  if (readOnly_) return;
  ClipboardCopy();
  DeleteSelected();
}

// A line block pastes as a stream.
void TTxCustomEditor::ClipboardPaste() {
  if (readOnly_) return;
  if (CaretBelowText()) MessageBeep(0);
  if (!Clipboard().HasFormat(CF_TEXT)) return;
  const std::string clipped = Clipboard().AsText();
  if (clipped.empty()) return;
  const std::string text = ExpandTabs(WithCrLf(clipped));
  BeginUpdate();
  PaintCaret(false);
  BeginCompound();
  DeleteSelected();
  if (lines_->Count() > 0) lines_->ReLine();
  const TSelBlockFormat format = GetClipboardBlockFormat();
  selection_.SelBlockFormat = format == bfLine ? bfNonInclusive : format;
  if (format == bfColumn) {
    PasteColumns(text);
  } else {
    const int at = lines_->Count() == 0 ? 0 : CaretPosition();
    RecordUndo<TTxInsertUndo>(*this, text);
    lines_->SetTextLocked(InsertCells(lines_->Text(), at, text));
    TextModified(at, taInserted, text);
    int x, y;
    CaretFromPos(at + CellCount(text), x, y);
    SetCaretInternal(x, y);
  }
  EndCompound();
  Changed();
  EndUpdate();
  PaintCaret(true);
}

// Each piece goes at the caret's column of consecutive rows; a shorter row
// is padded to that column, so that the block stays a column. Rows missing
// at the end are appended first, recorded as ReLine does, so that undo
// takes them away again after it took the pieces out.
void TTxCustomEditor::PasteColumns(const std::string& text) {
  std::vector<std::string> pieces;
  for (std::size_t begin = 0;;) {
    const std::size_t end = text.find("\r\n", begin);
    if (end == std::string::npos) {
      if (begin < text.size()) pieces.push_back(text.substr(begin));
      break;
    }
    pieces.push_back(text.substr(begin, end - begin));
    begin = end + 2;
  }
  const int x = caretX_;
  const int y = caretY_;
  while (lines_->Count() < y + static_cast<int>(pieces.size())) lines_->AppendRecordedRow(Spaces(x));
  RecordUndo<TTxInsertColumnUndo>(*this, text);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const int row = y + static_cast<int>(i);
    const std::string text = lines_->Strings(row);
    lines_->SetStrings(row, InsertCells(text + Spaces(x - CellCount(text)), x, pieces[i]));
  }
  SetCaretInternal(x, y + static_cast<int>(pieces.size()));
}
