// Painting of the console's lines: the row colour before each cell, then
// separators as rules, or icon, prefix and text (in token colours or the
// look's colour), with a black shadow where the look asks for one.

#include "console/Console.h"
#include "console/Syntax.h"
#include "runtime/Utf8Cells.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"

namespace {

bool IsSeparator(const TConsLineRec& line) { return line.Data.Kind == lkSplit && !line.Text().empty(); }

// Calls draw(run, class) for each run of one token class; a character
// takes the class of its first byte.
template <class Draw>
void ForEachTokenRun(const TConsLineRec& line, Draw draw) {
  const std::string_view text = line.Text();
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::uint8_t kind = line.Data.GetToken(static_cast<int>(begin));
    std::size_t end = begin;
    while (end < text.size() && line.Data.GetToken(static_cast<int>(end)) == kind) end += CellBytes(text.substr(end));
    draw(text.substr(begin, end - begin), kind);
    begin = end;
  }
}

}  // namespace

bool TConsole::SelectedAndFocused(PDataNode node) const { return Tree->IsNodeSelected(node) && Tree->Focused(); }

void TConsole::TreeBeforeCellPaint(TCanvas& canvas, PDataNode node, const TRect& cellRect) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Tree->Color());
  const TConsLineRec* line = LineRecord(node);
  if (!line || SelectedAndFocused(node)) return;  // the tree paints the selection
  canvas.Brush().SetColor(LineAttrs.AttrOfKind(line->Data.Kind).Color);
  if (!NoBackground) canvas.FillRect(cellRect);
}

void TConsole::TreeDrawNode(const TDTPaintInfo& paintInfo) {
  TConsLineRec* line = LineRecord(paintInfo.Node);
  if (!line) return;
  TCanvas& canvas = *paintInfo.Canvas;
  canvas.Font().Assign(Tree->Font());
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Tree->Color());
  const TLineAttr& look = LineAttrs.AttrOfKind(line->Data.Kind);
  const bool selected = SelectedAndFocused(paintInfo.Node);
  if (IsSeparator(*line)) {
    DrawSeparator(canvas, look, line->Text(), paintInfo.CellRect, selected);
    line->Width = 0;
  } else {
    DrawLine(canvas, look, *line, paintInfo.ContentRect, selected);
  }
}

// A rule or two for "-" and "=", else the first character repeated one
// character past the cell's width.
void TConsole::DrawSeparator(TCanvas& canvas, const TLineAttr& look, std::string_view text, const TRect& cell,
                             bool selected) {
  const TColor color = selected ? clHighlightText : look.Text.Color;
  const int middle = (cell.Top + cell.Bottom) / 2;
  const auto rule = [&canvas, &cell](int y, TColor ruleColor) {
    canvas.Brush().SetColor(ruleColor);
    canvas.FillRect({cell.Left, y, cell.Right, y + 1});
  };
  if (text[0] == '-' || text[0] == '=') {
    const bool doubled = text[0] == '=';
    if (look.Shadow) {
      rule(doubled ? middle : middle + 1, clBlack);
      if (doubled) rule(middle + 2, clBlack);
    }
    rule(doubled ? middle - 1 : middle, color);
    if (doubled) rule(middle + 1, color);
    return;
  }
  canvas.Font().SetStyle(look.Text.Styles);
  const std::string character(text.substr(0, CellBytes(text)));
  // A character without width would never fill the cell: stop when adding
  // one no longer widens the string.
  std::string repeated;
  for (int width = 0; width <= cell.Width();) {
    repeated += character;
    const int wider = canvas.TextWidth(repeated);
    if (wider == width) break;
    width = wider;
  }
  const int y = cell.Top + (cell.Height() - canvas.TextHeight(repeated)) / 2;
  canvas.Brush().SetStyle(bsClear);
  if (look.Shadow) {
    canvas.Font().SetColor(clBlack);
    canvas.TextOut(cell.Left + 1, y + 1, repeated);
  }
  canvas.Font().SetColor(color);
  canvas.TextOut(cell.Left, y, repeated);
}

void TConsole::DrawLine(TCanvas& canvas, const TLineAttr& look, TConsLineRec& line, const TRect& content,
                        bool selected) {
  canvas.Brush().SetStyle(bsClear);
  int x = content.Left;
  if (Images) {
    if (look.Icon && look.Image >= 0)
      Images->Draw(canvas, x, content.Top + (content.Height() - Images->Height()) / 2, look.Image);
    x += Images->Width();
  }
  const int y = content.Top + (content.Height() - canvas.TextHeight("Xp")) / 2;
  const auto shadowed = [&](std::string_view text, const TSymAttr& attr) {
    canvas.Font().SetStyle(attr.Styles);
    if (look.Shadow) {
      canvas.Font().SetColor(clBlack);
      canvas.TextOut(x + 1, y + 1, text);
    }
    canvas.Font().SetColor(selected ? clHighlightText : attr.Color);
    canvas.TextOut(x, y, text);
    x += canvas.TextWidth(text);
  };
  if (!look.PrefixStr.empty()) shadowed(look.PrefixStr, look.Prefix);
  if (look.Syntax && Syntax && !selected) x = DrawTokens(canvas, line, x, y);
  else shadowed(line.Text(), look.Text);
  line.Width = x - content.Left;
}

// Answers where the text ends.
int TConsole::DrawTokens(TCanvas& canvas, const TConsLineRec& line, int x, int y) {
  ForEachTokenRun(line, [&](std::string_view run, std::uint8_t kind) {
    const TSymAttr& attr = Syntax->Attrs().GetAttr(kind);
    canvas.Font().SetColor(attr.Color);
    canvas.Font().SetStyle(attr.Styles);
    canvas.TextOut(x, y, run);
    x += canvas.TextWidth(run);
  });
  return x;
}

int TConsole::MeasuredWidth(TCanvas& canvas, TConsLineRec& line) {
  if (line.Width == UnmeasuredWidth) line.Width = LineWidth(canvas, LineAttrs.AttrOfKind(line.Data.Kind), line);
  return line.Width;
}

// As DrawLine advances, for a line that is not selected.
int TConsole::LineWidth(TCanvas& canvas, const TLineAttr& look, const TConsLineRec& line) {
  if (IsSeparator(line)) return 0;
  canvas.Font().Assign(Tree->Font());
  int width = Images ? Images->Width() : 0;
  const auto advance = [&](std::string_view text, TFontStyles styles) {
    canvas.Font().SetStyle(styles);
    width += canvas.TextWidth(text);
  };
  if (!look.PrefixStr.empty()) advance(look.PrefixStr, look.Prefix.Styles);
  if (look.Syntax && Syntax)
    ForEachTokenRun(line, [&](std::string_view run, std::uint8_t kind) { advance(run, Syntax->Attrs().GetAttr(kind).Styles); });
  else
    advance(line.Text(), look.Text.Styles);
  return width;
}
