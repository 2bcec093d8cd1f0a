#include "libraries/SysStrings.h"

#include <string>
#include <string_view>

#include "libraries/BuiltInArgs.h"
#include "runtime/AsciiCase.h"

std::int32_t SplitCursor = -1;

namespace {

bool SameText(std::string_view a, std::string_view b, bool caseSensitive) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (caseSensitive ? a[i] != b[i] : AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// The character at the 1-based cursor; the cursor must be inside text.
char CharAtCursor(std::string_view text) { return text[static_cast<std::size_t>(SplitCursor - 1)]; }

// Moves the cursor while pred holds for its character; at the end of the
// text the split is over and the result is false.
template <class Pred>
bool AdvanceWhile(std::string_view text, Pred pred) {
  while (pred(CharAtCursor(text))) {
    if (++SplitCursor > static_cast<std::int64_t>(text.size())) {
      SplitCursor = -1;
      return false;
    }
  }
  return true;
}

std::string NextWord(std::string_view text) {
  if (SplitCursor < 0) return {};
  if (SplitCursor > static_cast<std::int64_t>(text.size())) {
    SplitCursor = -1;
    return {};
  }
  if (!AdvanceWhile(text, [](char c) { return c == ' '; })) return {};
  std::size_t first = static_cast<std::size_t>(SplitCursor - 1);
  AdvanceWhile(text, [](char c) { return c != ' '; });
  std::size_t last = SplitCursor < 0 ? text.size() : static_cast<std::size_t>(SplitCursor - 1);
  return std::string(text.substr(first, last - first));
}

}  // namespace

bool TCopySF::Execute(TSourcePos pos) {
  std::string s = TextArg(*this, 0);
  std::int64_t index = IntArg(*this, 1);
  std::int64_t count = IntArg(*this, 2);
  auto length = static_cast<std::int64_t>(s.size());
  const char* refusal = nullptr;
  if (s.empty()) {
    refusal = "Empty string parameter";
  } else if (index < 1 || index > length) {
    refusal = "Index parameter is out of range";
  } else if (std::int64_t end = IntAdd(index, count); end < 1 || end > length + 1) {
    refusal = "Count parameter is invalid";
  }
  if (refusal) {
    ReportError(refusal, pos, Lib());
    return false;
  }
  SetResult(*this, TValue::String(count > 0 ? s.substr(static_cast<std::size_t>(index - 1),
                                                        static_cast<std::size_t>(count))
                                            : std::string()));
  return true;
}

bool TCmpStrSF::Execute(TSourcePos) {
  SetResult(*this, TValue::Boolean(SameText(TextArg(*this, 0), TextArg(*this, 1), BoolArg(*this, 2))));
  return true;
}

bool TTokenSF::Execute(TSourcePos) {
  if (BoolArg(*this, 1)) SplitCursor = 1;
  SetResult(*this, TValue::String(NextWord(TextArg(*this, 0))));
  return true;
}
