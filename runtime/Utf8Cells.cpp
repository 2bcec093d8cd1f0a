#include "runtime/Utf8Cells.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the ASCII prefix, eight bytes at a time: most rows are ASCII.
std::size_t AsciiPrefix(std::string_view text) {
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (word & 0x8080808080808080ull) break;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}

}  // namespace

// Well-formed sequences as Unicode defines them: no overlong forms, no
// surrogates, nothing above U+10FFFF.
std::size_t CellBytes(std::string_view text) {
  if (text.empty()) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 1;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 1;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 1;
  for (std::size_t i = 2; i < length; ++i)
    if (!IsContinuation(byte(i))) return 1;
  return length;
}

// Runs of ASCII are skipped word-wise; the limit bounds how many cells the
// walk may pass.
namespace {

struct TCellWalk {
  std::size_t byte = 0;
  int cells = 0;
};

void WalkCells(std::string_view row, TCellWalk& walk, int limit) {
  while (walk.cells < limit && walk.byte < row.size()) {
    const std::size_t ascii = AsciiPrefix(row.substr(walk.byte, static_cast<std::size_t>(limit - walk.cells)));
    walk.byte += ascii;
    walk.cells += static_cast<int>(ascii);
    if (walk.cells < limit && walk.byte < row.size()) {
      walk.byte += CellBytes(row.substr(walk.byte));
      ++walk.cells;
    }
  }
}

}  // namespace

int CellCount(std::string_view row) {
  TCellWalk walk;
  WalkCells(row, walk, static_cast<int>(row.size()));
  return walk.cells;
}

std::size_t ByteOfCell(std::string_view row, int cell) {
  if (cell <= 0) return 0;
  TCellWalk walk;
  WalkCells(row, walk, cell);
  return walk.byte + static_cast<std::size_t>(cell - walk.cells);
}

int CellOfByte(std::string_view row, std::size_t byte) {
  std::size_t i = 0;
  int cells = 0;
  while (i < byte && i < row.size()) {
    const std::size_t ascii = AsciiPrefix(row.substr(i, byte - i));
    i += ascii;
    cells += static_cast<int>(ascii);
    if (i >= byte || i >= row.size()) break;
    const std::size_t next = i + CellBytes(row.substr(i));
    if (next > byte) return cells;
    i = next;
    ++cells;
  }
  return cells + static_cast<int>(byte > i ? byte - i : 0);
}

void AppendUtf8(std::string& text, char32_t codePoint) {
  const auto continuation = [&text](char32_t bits) { text += static_cast<char>(0x80 | (bits & 0x3F)); };
  if (codePoint < 0x80) {
    text += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    text += static_cast<char>(0xC0 | codePoint >> 6);
    continuation(codePoint);
  } else if (codePoint < 0x10000) {
    text += static_cast<char>(0xE0 | codePoint >> 12);
    continuation(codePoint >> 6);
    continuation(codePoint);
  } else {
    text += static_cast<char>(0xF0 | codePoint >> 18);
    continuation(codePoint >> 12);
    continuation(codePoint >> 6);
    continuation(codePoint);
  }
}

namespace {

std::size_t ClippedByteOfCell(std::string_view text, int cell) { return std::min(ByteOfCell(text, cell), text.size()); }

}  // namespace

std::string_view CellSlice(std::string_view row, int begin, int end) {
  const std::size_t from = ClippedByteOfCell(row, begin);
  return row.substr(from, std::max(ClippedByteOfCell(row, end), from) - from);
}

std::string InsertCells(std::string text, int at, std::string_view s) {
  text.insert(ClippedByteOfCell(text, at), s);
  return text;
}

std::string EraseCells(std::string text, int at, int count) {
  const std::size_t from = ClippedByteOfCell(text, at);
  text.erase(from, ClippedByteOfCell(text, at + count) - from);
  return text;
}
