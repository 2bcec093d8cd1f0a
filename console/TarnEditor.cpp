#include "console/TarnEditor.h"

#include <algorithm>

#include "console/Syntax.h"
#include "runtime/Utf8Cells.h"

namespace {

constexpr std::uint8_t OutsideComment = 0;
constexpr std::uint8_t InsideComment = 2;

// What can open or close a comment, or change the rows, with a tokenizer
// and without one.
constexpr std::string_view TriggersWithSyntax = "{}*()/\r";
constexpr std::string_view TriggersWithoutSyntax = "\r";

// The state after scanning a row from a state: only (* and *) count.
std::uint8_t StateAfter(std::string_view row, std::uint8_t state) {
  std::size_t p = 0;
  while (p < row.size()) {
    std::size_t from = p;
    if (state == OutsideComment) {
      if (row.compare(p, 2, "(*") != 0) {
        ++p;
        continue;
      }
      state = InsideComment;
      from = p + 3;  // "(*)" does not close
    }
    const std::size_t close = row.find(')', from);
    if (close == std::string_view::npos) return state;
    if (close > 0 && row[close - 1] == '*') state = OutsideComment;
    p = close + 1;
  }
  return state;
}

}  // namespace

bool ContainsAnyChar(std::string_view chars, std::string_view text) {
  return !chars.empty() && text.find_first_of(chars) != std::string_view::npos;
}

TTarnEditor::TTarnEditor(TComponent* owner) : TTxEditor(owner) {
  SmartTab = false;
  AutoIndent = false;
  OnPaintGutter = [this](TObject*, TCanvas& canvas) { PaintLineNumbers(canvas); };
  OnScroll = [this](TObject*) { RepaintGutter(); };
}

TEditorColors TTarnEditor::GetColors() const { return {Color(), GutterColor(), GutterWidth(), GutLines}; }

void TTarnEditor::SetColors(const TEditorColors& colors) {
  SetColor(colors.Color);
  SetGutterColor(colors.GutterColor);
  SetGutterWidth(colors.GutterWidth);
  GutLines = colors.GutLines;
  Repaint();
}

void TTarnEditor::Assign(const TTarnEditor& source) {
  SelForeColor = source.SelForeColor;
  SelBackColor = source.SelBackColor;
  SetColor(source.Color());
  SetRightMarginColor(source.RightMarginColor());
  Invalidate();
}

void TTarnEditor::Loaded() {
  TTxEditor::Loaded();
  RescanComments();
}

void TTarnEditor::GetLineAttr(int line, int, int) {
  const std::string row = Lines().Strings(line);
  const TSymAttr* base = &PlainAttr;
  if (Syntax) {
    CurLine = row;
    CurLineIndex = line;
    State = LoadLineState();
    base = State == OutsideComment ? &Syntax->Attrs().Text() : &Syntax->Attrs().Comments();
  }
  const int cells = CellCount(row);
  FillColumns(0, cells, *base);
  FillColumns(cells + 1, static_cast<int>(ColumnAttrs().size()) - 1, PlainAttr);
  if (!Syntax) return;
  TSyntaxLine open(*Syntax, row);
  if (State != OutsideComment) Syntax->SetPosition(CommentEndColumn() + 2);
  while (!Syntax->AtEnd()) {
    const TSymAttr& attr = Syntax->NextAttr();
    const int start = CellOfByte(row, static_cast<std::size_t>(Syntax->TokenStart()));
    const int end = CellOfByte(row, static_cast<std::size_t>(Syntax->TokenStart() + Syntax->TokenLength()));
    FillColumns(start + 1, end + 1, attr);
  }
}

// Entries start..end (entry c + 1 is column c): a token colours its cells
// and the one after it, until the next token takes that one.
void TTarnEditor::FillColumns(int start, int end, const TSymAttr& attr) {
  TColumnAttrs& attrs = ColumnAttrs();
  const int last = std::min(end, static_cast<int>(attrs.size()) - 1);
  for (int entry = std::max(start, 0); entry <= last; ++entry) {
    TColumnAttr& column = attrs[static_cast<std::size_t>(entry)];
    column.FC = attr.Color;
    column.Style = attr.Styles;
    column.BC = Color();
  }
}

std::uint8_t TTarnEditor::LoadLineState() const { return LongTokens ? RowState(CurLineIndex) : OutsideComment; }

std::uint8_t TTarnEditor::RowState(int row) const {
  return row >= 0 && row < static_cast<int>(States.size()) ? States[static_cast<std::size_t>(row)] : OutsideComment;
}

int TTarnEditor::CommentEndColumn() const {
  if (State != InsideComment) return static_cast<int>(CurLine.size());
  const std::size_t close = CurLine.find("*)");
  return close == std::string::npos ? static_cast<int>(CurLine.size()) : static_cast<int>(close + 1);
}

// States for every row of the text, however long it is.
void TTarnEditor::RescanComments() {
  State = OutsideComment;
  if (!LongTokens) return;
  const TTxEditorStrings& lines = Lines();
  States.assign(static_cast<std::size_t>(lines.Count()) + 1, OutsideComment);
  std::uint8_t state = OutsideComment;
  for (int row = 0; row + 1 < lines.Count(); ++row) {
    state = StateAfter(lines.At(row), state);
    States[static_cast<std::size_t>(row) + 1] = state;
  }
}

void TTarnEditor::TextModified(int, TTextAction, const std::string& text) {
  if (!LongTokens || !ContainsAnyChar(Syntax ? TriggersWithSyntax : TriggersWithoutSyntax, text)) return;
  RescanComments();
  Invalidate();
}

// Right-aligned 8 pixels left of the gutter's edge, on their rows; only
// the rows the canvas can still draw on (a typed character repaints one).
void TTarnEditor::PaintLineNumbers(TCanvas& canvas) {
  if (!GutLines) return;
  canvas.Font().SetColor(Syntax ? Syntax->Attrs().Gutter().Color : clBlack);
  canvas.Font().SetStyle(Syntax ? Syntax->Attrs().Gutter().Styles : 0);
  const TRect clip = canvas.ClipRect();
  for (int row = TopRow(); row <= LastVisibleRow() + 1 && (row < RowCount() || row == TopRow()); ++row) {
    const int y = (row - TopRow()) * CellHeight();
    if (y >= clip.Bottom || y + CellHeight() <= clip.Top) continue;
    const std::string number = std::to_string(row + 1);
    canvas.TextOut(GutterWidth() - canvas.TextWidth(number) - 8, y, number);
  }
}
