#include "toolkit/qt/QtTextPositions.h"

#include <utility>

#include <QString>

namespace {

// The UTF-8 bytes of the character starting at a position, and its UTF-16 units.
std::pair<int, int> CharacterAt(const QString& text, int position) {
  const char16_t unit = text.at(position).unicode();
  if (QChar::isHighSurrogate(unit) && position + 1 < text.size() && text.at(position + 1).isLowSurrogate()) return {4, 2};
  if (QChar::isSurrogate(unit)) return {3, 1};  // a lone surrogate: the replacement character U+FFFD
  return {unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3, 1};
}

int ByteOffsetOf(const QString& text, int position) {
  int bytes = 0;
  for (int i = 0; i < position && i < text.size();) {
    const auto [size, units] = CharacterAt(text, i);
    bytes += size;
    i += units;
  }
  return bytes;
}

// A byte offset inside a character goes to the character's start; one past the end, to the end.
int PositionOfByteOffset(const QString& text, int offset) {
  int bytes = 0;
  int position = 0;
  while (position < text.size()) {
    const auto [size, units] = CharacterAt(text, position);
    if (bytes + size > offset) break;
    bytes += size;
    position += units;
  }
  return position;
}

}  // namespace

LRESULT AnswerSelection(const QString& text, TTextSelection selection, WPARAM wParam, LPARAM lParam) {
  const auto start = static_cast<DWORD>(ByteOffsetOf(text, selection.Start));
  const auto end = static_cast<DWORD>(ByteOffsetOf(text, selection.End));
  if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
  if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
  return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end)));
}

TTextSelection RequestedSelection(const QString& text, int caret, WPARAM wParam, LPARAM lParam) {
  const auto start = static_cast<int>(static_cast<intptr_t>(wParam));
  const auto end = static_cast<int>(lParam);
  if (start < 0) return {caret, caret};
  const auto position = [&text](int offset) { return offset < 0 ? static_cast<int>(text.size()) : PositionOfByteOffset(text, offset); };
  return {position(start), position(end)};
}
