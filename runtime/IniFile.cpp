#include "runtime/IniFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "runtime/AsciiCase.h"
#include "runtime/Exceptions.h"
#include "runtime/SafeFileWriter.h"
#include "runtime/WholeFile.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// Sections and entries both carry a Name.
template <class Items>
auto FindNamed(Items& items, const std::string& name) -> decltype(&*items.begin()) {
  for (auto& item : items)
    if (SameAsciiText(item.Name, name)) return &item;
  return nullptr;
}

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

bool IsWritableName(const std::string& name, const char* forbidden) {
  return !name.empty() && Trim(name) == name && !HasLineBreak(name) &&
         name.find_first_of(forbidden) == std::string::npos;
}

bool IsWritableSection(const std::string& name) { return IsWritableName(name, "]"); }

// A key must not read back as a header or a comment either.
bool IsWritableKey(const std::string& name) {
  return IsWritableName(name, "=") && name[0] != '[' && name[0] != ';' && name[0] != '#';
}

bool NeedsQuotes(const std::string& value) {
  return !value.empty() && (Trim(value) != value || HasLineBreak(value) || value[0] == '"');
}

std::string Quote(const std::string& value) {
  std::string quoted = "\"";
  for (char c : value) {
    switch (c) {
      case '\\': quoted += "\\\\"; break;
      case '"': quoted += "\\\""; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      default: quoted += c;
    }
  }
  return quoted + '"';
}

// Escapes other than the four we write keep their backslash, so a quoted
// hand-written path such as "C:\temp" reads as written.
std::string Unquote(const std::string& quoted) {
  std::string value;
  for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
    char c = quoted[i];
    if (c == '\\' && i + 2 < quoted.size()) {
      switch (quoted[i + 1]) {
        case '\\': value += '\\'; ++i; continue;
        case '"': value += '"'; ++i; continue;
        case 'n': value += '\n'; ++i; continue;
        case 'r': value += '\r'; ++i; continue;
      }
    }
    value += c;
  }
  return value;
}

bool IsQuoted(const std::string& value) { return value.size() >= 2 && value.front() == '"' && value.back() == '"'; }

[[noreturn]] void FileError(const std::string& action, const std::string& fileName) {
  throw EQuantrelError("Cannot " + action + " " + fileName + ": " + std::strerror(errno));
}

// The whole file, or an empty text when it does not exist.
std::string ReadSettingsText(const std::string& fileName) {
  std::string text;
  if (ReadWholeFile(fileName, text)) return text;
  if (errno == ENOENT || errno == ENOTDIR) return {};
  FileError("read", fileName);
}

// A settings file is replaced whole or not at all, where its links lead.
void ReplaceFile(const std::string& fileName, const std::string& text) {
  if (!WriteFileSafely(fileName, text)) FileError("write", fileName);
}

}  // namespace

TIniFile::TIniFile(std::string FileName) : fileName_(std::move(FileName)) { Parse(ReadSettingsText(fileName_)); }

void TIniFile::Parse(const std::string& text) {
  TSection* current = nullptr;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t length = end - start;
    if (length > 0 && text[end - 1] == '\r') --length;
    std::string line = Trim(text.substr(start, length));
    start = end + 1;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      std::size_t close = line.find(']');
      if (close == std::string::npos) continue;
      std::string name = Trim(line.substr(1, close - 1));
      current = name.empty() ? nullptr : &SectionForWriting(name);
      continue;
    }
    std::size_t equals = line.find('=');
    if (!current || equals == std::string::npos) continue;
    std::string key = Trim(line.substr(0, equals));
    if (key.empty() || FindNamed(current->Entries, key)) continue;  // the first of duplicate keys holds
    std::string value = Trim(line.substr(equals + 1));
    current->Entries.push_back({key, IsQuoted(value) ? Unquote(value) : value});
  }
  modified_ = false;
}

std::string TIniFile::Format() const {
  std::string text;
  for (const TSection& section : sections_) {
    if (!text.empty()) text += '\n';
    text += '[' + section.Name + "]\n";
    for (const TEntry& entry : section.Entries)
      text += entry.Name + '=' + (NeedsQuotes(entry.Value) ? Quote(entry.Value) : entry.Value) + '\n';
  }
  return text;
}

const TIniFile::TEntry* TIniFile::FindEntry(const std::string& section, const std::string& key) const {
  const TSection* found = FindNamed(sections_, section);
  return found ? FindNamed(found->Entries, key) : nullptr;
}

TIniFile::TSection& TIniFile::SectionForWriting(const std::string& name) {
  if (TSection* found = FindNamed(sections_, name)) return *found;
  sections_.push_back({name, {}});
  return sections_.back();
}

bool TIniFile::SectionExists(const std::string& Section) const { return FindNamed(sections_, Section) != nullptr; }

std::vector<std::string> TIniFile::ReadSection(const std::string& Section) const {
  std::vector<std::string> keys;
  if (const TSection* found = FindNamed(sections_, Section))
    for (const TEntry& entry : found->Entries) keys.push_back(entry.Name);
  return keys;
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Key,
                                 const std::string& Default) const {
  const TEntry* entry = FindEntry(Section, Key);
  return entry ? entry->Value : Default;
}

std::int64_t TIniFile::ReadInteger(const std::string& Section, const std::string& Key, std::int64_t Default) const {
  const TEntry* entry = FindEntry(Section, Key);
  if (!entry) return Default;
  const std::string text = Trim(entry->Value);
  // from_chars takes a minus sign but no plus sign.
  const char* first = text.data() + (text.size() > 1 && text[0] == '+' && text[1] != '-' ? 1 : 0);
  const char* last = text.data() + text.size();
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last ? value : Default;
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Key, bool Default) const {
  return ReadInteger(Section, Key, Default ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& Section, const std::string& Key, const std::string& Value) {
  QASSERT(IsWritableSection(Section) && IsWritableKey(Key), "Assertion failure");
  TSection& section = SectionForWriting(Section);
  if (TEntry* entry = FindNamed(section.Entries, Key)) {
    if (entry->Value == Value) return;
    entry->Value = Value;
  } else {
    section.Entries.push_back({Key, Value});
  }
  modified_ = true;
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Key, std::int64_t Value) {
  WriteString(Section, Key, std::to_string(Value));
}

void TIniFile::WriteBool(const std::string& Section, const std::string& Key, bool Value) {
  WriteString(Section, Key, Value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& Section) {
  auto erased = std::remove_if(sections_.begin(), sections_.end(),
                               [&](const TSection& section) { return SameAsciiText(section.Name, Section); });
  if (erased == sections_.end()) return;
  sections_.erase(erased, sections_.end());
  modified_ = true;
}

void TIniFile::UpdateFile() {
  if (!modified_) return;
  ReplaceFile(fileName_, Format());
  modified_ = false;
}
