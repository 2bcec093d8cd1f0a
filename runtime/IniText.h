#pragma once
// The line rules the INI readers share. "[name]" starts a section (the name
// is the text before the first "]"); "key=value" lines follow; blanks
// around names and values are dropped; lines starting with ";" are comments.
// Lines before the first header, lines without "=", lines with an empty key
// and the keys of a header with an empty name are skipped.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/AsciiCase.h"

struct TIniEntry {
  std::string Name;
  std::string Value;
};

struct TIniSection {
  std::string Name;
  std::vector<TIniEntry> Entries;
};

// The whole file, or an empty text when it does not exist; a file that
// exists but cannot be read raises EQuantrelError.
std::string ReadIniFileText(const std::string& fileName);
// Raises EQuantrelError "Cannot <action> <file>: <reason of errno>".
[[noreturn]] void IniFileError(const std::string& action, const std::string& fileName);

// Blanks and tabs at both ends removed.
std::string TrimIniText(std::string_view text);

// Calls onSection for each header with a name and onEntry for each key line
// below one; hashComments makes "#" lines comments too.
void ScanIniText(std::string_view text, bool hashComments, const std::function<void(std::string)>& onSection,
                 const std::function<void(std::string, std::string)>& onEntry);

// The first item whose Name is name ignoring ASCII case; null when none.
template <class Items>
auto FindIniNamed(Items& items, const std::string& name) -> decltype(&*items.begin()) {
  for (auto& item : items)
    if (SameAsciiText(item.Name, name)) return &item;
  return nullptr;
}
