#include "toolkit/qt/QtTextPositions.h"

#include <QString>

namespace {

int ByteOffsetOf(const QString& text, int position) { return static_cast<int>(text.left(position).toUtf8().size()); }

// A byte offset inside a character goes to the character's start; one past the end, to the end.
int PositionOfByteOffset(const QString& text, int offset) {
  int bytes = 0;
  int position = 0;
  while (position < text.size()) {
    const int units = text.at(position).isHighSurrogate() && position + 1 < text.size() ? 2 : 1;
    const int size = static_cast<int>(text.mid(position, units).toUtf8().size());
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
