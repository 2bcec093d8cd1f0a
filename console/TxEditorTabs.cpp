// Tab stops of the text editor: the regular stops of TabStops, the smart
// stops taken from the words of the rows above, and the stops Backspace
// goes back to inside an indentation.

#include <algorithm>
#include <charconv>

#include "console/TxCustomEditor.h"
#include "console/TxTextRoutines.h"
#include "runtime/Utf8Cells.h"

namespace {

// How far up the smart and back stops look, in windows of rows.
constexpr int ScannedWindows = 2;
// The column cursor of the smart stops ends here.
constexpr int LastScannedColumn = 255;

bool IsWordCell(std::string_view cell) {
  if (cell.size() != 1) return false;
  const char c = cell[0];
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string TrimmedRight(std::string row) {
  row.erase(row.find_last_not_of(' ') + 1);
  return row;
}

// The cells of a row, one string view each.
std::vector<std::string_view> Cells(std::string_view row) {
  std::vector<std::string_view> cells;
  for (std::size_t at = 0; at < row.size();) {
    const std::size_t bytes = CellBytes(row.substr(at));
    cells.push_back(row.substr(at, bytes));
    at += bytes;
  }
  return cells;
}

}  // namespace

// Only integers whose column lies beyond the one before (column 1 first)
// are kept, so every step of the walk goes forward: the stops "3 3", "5 3"
// or "3 x" can neither divide by zero nor send Tab backwards.
void TTxCustomEditor::SetTabStops(const std::string& tabStops) {
  tabStops_ = tabStops;
  tabStopColumns_.clear();
  int previous = 1;
  std::size_t begin = 0;
  while (begin < tabStops.size()) {
    const std::size_t end = std::min(tabStops.find(' ', begin), tabStops.size());
    if (end == begin) break;  // an empty field ends the stops
    int number = 0;
    const auto [rest, error] = std::from_chars(tabStops.data() + begin, tabStops.data() + end, number);
    if (error == std::errc() && rest == tabStops.data() + end && number - 1 > previous) {
      tabStopColumns_.push_back(number - 1);
      previous = number - 1;
    }
    begin = end + 1;
  }
}

// After the last stop the stops go on at the distance of the last two.
int TTxCustomEditor::GetTabStop(int x) const {
  int a = 1;
  int b = 0;
  for (const int column : tabStopColumns_) {
    b = a;
    a = column;
    if (a > x) return a;
  }
  return x + (a - b) - ((x - a) % (a - b));
}

std::string TTxCustomEditor::ExpandTabs(std::string_view text) const {
  if (text.find('\t') == std::string_view::npos) return std::string(text);
  return ReplaceString(text, "\t", Spaces(GetTabStop(0)));
}

int TTxCustomEditor::GetSmartTabStop(int x, int y, bool force, bool search) {
  tabStopTable_.assign(tabStopTable_.size(), false);
  const auto mark = [this](int column) {
    if (column >= static_cast<int>(tabStopTable_.size())) tabStopTable_.resize(static_cast<std::size_t>(column) + 1);
    tabStopTable_[static_cast<std::size_t>(column)] = true;
  };
  if (force || SmartTab) {
    int i = 1;  // 1-based, shared by every row
    const int lowest = std::max(y - ScannedWindows * visibleRowCount_, 0);
    for (int row = std::min(y, lines_->Count()) - 1; row >= lowest && i <= LastScannedColumn; --row) {
      const std::string text = TrimmedRight(lines_->Strings(row));
      const std::vector<std::string_view> cells = Cells(text);
      const int length = static_cast<int>(cells.size());
      if (i < length) mark(length);
      for (int p = i; p <= length; ++p) {
        if (!IsWordCell(cells[static_cast<std::size_t>(p - 1)])) continue;
        mark(p - 1);
        int end = p;
        while (end <= length && IsWordCell(cells[static_cast<std::size_t>(end - 1)])) ++end;
        i = end + 1;
        p = end;
      }
    }
  }
  if (search)
    for (int column = x + 1; column < static_cast<int>(tabStopTable_.size()); ++column)
      if (tabStopTable_[static_cast<std::size_t>(column)]) return column;
  return GetTabStop(x);
}

int TTxCustomEditor::GetBackStop(int x, int y) {
  const std::string row = y < lines_->Count() ? TrimmedRight(lines_->Strings(y)) : std::string();
  const std::vector<std::string_view> cells = Cells(row);
  const auto isBlank = [&cells](int column) {
    return column < static_cast<int>(cells.size()) && cells[static_cast<std::size_t>(column)] == " ";
  };
  for (int column = 0; column < std::min(x, static_cast<int>(cells.size())); ++column)
    if (!isBlank(column)) return x - 1;
  if (isBlank(x)) return x - 1;
  int best = 0;
  int bound = x - 1;
  const int lowest = std::max(y - ScannedWindows * visibleRowCount_, 0);
  for (int above = std::min(y, lines_->Count()) - 1; above >= lowest && bound > 1; --above) {
    const std::vector<std::string_view> upper = Cells(lines_->At(above));
    const int limit = std::min(static_cast<int>(upper.size()), bound);
    for (int column = 0; column < limit; ++column) {
      if (upper[static_cast<std::size_t>(column)] == " ") continue;
      if (column <= x) best = std::max(best, column);
      bound = column + 1;
      break;
    }
  }
  return best;
}
