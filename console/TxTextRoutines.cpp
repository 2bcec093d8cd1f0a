#include "console/TxTextRoutines.h"

#include <algorithm>
#include <vector>

#include "runtime/Utf8Cells.h"

namespace {

constexpr std::string_view SeparatorChars{"\0\n\r \"#%'()*+,-./:;<=>[\\]{}", 27};

// Where each character of s begins, and its end.
std::vector<std::size_t> CellStarts(std::string_view s) {
  std::vector<std::size_t> starts;
  starts.reserve(s.size() + 1);
  for (std::size_t i = 0; i < s.size(); i += CellBytes(s.substr(i))) starts.push_back(i);
  starts.push_back(s.size());
  return starts;
}

class TCells {
public:
  explicit TCells(std::string_view s) : text_(s), starts_(CellStarts(s)) {}
  int Count() const { return static_cast<int>(starts_.size()) - 1; }
  // 1-based, as the routines count.
  std::string_view At(int p) const { return Range(p, p + 1); }
  bool IsSeparatorAt(int p) const {
    const std::string_view cell = At(p);
    return cell.size() == 1 && IsSeparator(cell[0]);
  }
  std::string_view Range(int beg, int end) const { return text_.substr(starts_[beg - 1], starts_[end - 1] - starts_[beg - 1]); }

private:
  std::string_view text_;
  std::vector<std::size_t> starts_;
};

std::string WordAround(const TCells& cells, int p, int& beg, int& end) {
  beg = end = p;
  if (p < 1 || p > cells.Count()) return {};
  if (cells.IsSeparatorAt(p)) {
    end = p + 1;
    return std::string(cells.At(p));
  }
  while (beg > 1 && !cells.IsSeparatorAt(beg - 1)) --beg;
  end = p + 1;
  while (end <= cells.Count() && !cells.IsSeparatorAt(end)) ++end;
  return std::string(cells.Range(beg, end));
}

// Latin-1 letters as code points; their upper and lower forms differ by 32,
// except ÿ, whose upper form is Ÿ (U+0178).
char32_t SwappedCase(char32_t c) {
  if (c < 0x80) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 'A' && c <= 'Z') return c + 32;
    return c;
  }
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0xFF) return 0x178;
  if (c == 0x178) return 0xFF;
  return c;
}

bool IsUpper(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x178; }

char32_t Lowered(char32_t c) { return IsUpper(c) ? SwappedCase(c) : c; }

char32_t Uppered(char32_t c) { return IsUpper(c) ? c : SwappedCase(c); }

// A well-formed cell of two or more bytes as its code point; a byte alone
// as itself only when it is ASCII (a stray byte is no letter).
bool DecodeCell(std::string_view cell, char32_t& c) {
  const auto b = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(cell[i])); };
  switch (cell.size()) {
    case 1: c = b(0); return c < 0x80;
    case 2: c = (b(0) & 0x1F) << 6 | (b(1) & 0x3F); return true;
    case 3: c = (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F); return true;
    default: c = (b(0) & 0x07) << 18 | (b(1) & 0x3F) << 12 | (b(2) & 0x3F) << 6 | (b(3) & 0x3F); return true;
  }
}

// Applies a mapping of code points to each letter of s; everything else
// keeps its bytes.
template <typename Mapping>
std::string MapLetters(std::string_view s, Mapping mapping) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const std::string_view cell = s.substr(i, CellBytes(s.substr(i)));
    char32_t c;
    const bool letterCandidate = cell.size() <= 3 && DecodeCell(cell, c);
    if (letterCandidate && mapping(c) != c)
      AppendUtf8(out, mapping(c));
    else
      out += cell;
    i += cell.size();
  }
  return out;
}

}  // namespace

bool IsSeparator(char c) { return SeparatorChars.find(c) != std::string_view::npos; }

bool SeparatorAt(std::string_view row, int column) {
  const std::string_view cell = CellSlice(row, column, column + 1);
  return cell.size() == 1 && IsSeparator(cell[0]);
}

bool IsIdentifierChar(char32_t c) {
  return c == 8 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string GetWordOnPos(std::string_view s, int p) {
  int beg, end;
  return WordAround(TCells(s), p, beg, end);
}

std::string GetWordOnPosEx(std::string_view s, int p, int& beg, int& end) {
  const TCells cells(s);
  if (p > 1 && p <= cells.Count() && cells.IsSeparatorAt(p)) p = cells.IsSeparatorAt(p - 1) ? p + 1 : p - 1;
  return WordAround(cells, p, beg, end);
}

std::string ChangeCase(std::string_view s) { return MapLetters(s, SwappedCase); }

bool SameTextAnsi(std::string_view a, std::string_view b) { return LowerCase(a) == LowerCase(b); }

std::string UpperCase(std::string_view s) { return MapLetters(s, Uppered); }

std::string LowerCase(std::string_view s) { return MapLetters(s, Lowered); }

std::string Spaces(int n) { return n > 0 ? std::string(static_cast<std::size_t>(n), ' ') : std::string(); }

bool HasChar(char c, std::string_view s) { return s.find(c) != std::string_view::npos; }

std::string SubStr(std::string_view s, int index, std::string_view sep) {
  if (index < 0 || sep.empty()) return {};
  std::size_t begin = 0;
  for (int field = 0; field < index; ++field) {
    const std::size_t found = s.find(sep, begin);
    if (found == std::string_view::npos) return {};
    begin = found + sep.size();
  }
  const std::size_t found = s.find(sep, begin);
  return std::string(s.substr(begin, found == std::string_view::npos ? std::string_view::npos : found - begin));
}

void CaretFromText(std::string_view s, int pos, int& x, int& y) {
  x = y = -1;
  if (pos < 0) return;
  int characters = 0;
  int lastRowStart = 0;  // the character after the last CR, and its LF
  int rows = 0;
  std::size_t i = 0;
  for (; characters < pos && i < s.size(); ++characters) {
    if (s[i] == '\r') {
      ++rows;
      lastRowStart = characters + 2;
    }
    i += CellBytes(s.substr(i));
  }
  if (characters < pos) return;
  y = rows;
  x = std::max(0, pos - lastRowStart);
}

std::string ReplaceString(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string out;
  std::size_t begin = 0;
  for (std::size_t found; (found = s.find(from, begin)) != std::string_view::npos; begin = found + from.size()) {
    out += s.substr(begin, found - begin);
    out += to;
  }
  out += s.substr(begin);
  return out;
}

bool CharInSet(char c, std::string_view set) { return HasChar(c, set); }
