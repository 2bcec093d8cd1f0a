#include "runtime/IniFile.h"

#include <algorithm>
#include <charconv>

#include "runtime/Exceptions.h"
#include "runtime/IniText.h"
#include "runtime/SafeFileWriter.h"

namespace {

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

bool IsWritableName(const std::string& name, const char* forbidden) {
  return !name.empty() && TrimIniText(name) == name && !HasLineBreak(name) &&
         name.find_first_of(forbidden) == std::string::npos;
}

bool IsWritableSection(const std::string& name) { return IsWritableName(name, "]"); }

// A key must not read back as a header or a comment either.
bool IsWritableKey(const std::string& name) {
  return IsWritableName(name, "=") && name[0] != '[' && name[0] != ';' && name[0] != '#';
}

bool NeedsQuotes(const std::string& value) {
  return !value.empty() && (TrimIniText(value) != value || HasLineBreak(value) || value[0] == '"');
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

// A settings file is replaced whole or not at all, where its links lead.
void ReplaceFile(const std::string& fileName, const std::string& text) {
  if (!WriteFileSafely(fileName, text)) IniFileError("write", fileName);
}

}  // namespace

TIniFile::TIniFile(std::string FileName) : fileName_(std::move(FileName)) { Parse(ReadIniFileText(fileName_)); }

void TIniFile::Parse(const std::string& text) {
  TIniSection* current = nullptr;
  ScanIniText(
      text, true, [&](std::string name) { current = &SectionForWriting(name); },
      [&](std::string key, std::string value) {
        if (FindIniNamed(current->Entries, key)) return;  // the first of duplicate keys holds
        current->Entries.push_back({std::move(key), IsQuoted(value) ? Unquote(value) : std::move(value)});
      });
  modified_ = false;
}

std::string TIniFile::Format() const {
  std::string text;
  for (const TIniSection& section : sections_) {
    if (!text.empty()) text += '\n';
    text += '[' + section.Name + "]\n";
    for (const TIniEntry& entry : section.Entries)
      text += entry.Name + '=' + (NeedsQuotes(entry.Value) ? Quote(entry.Value) : entry.Value) + '\n';
  }
  return text;
}

const TIniEntry* TIniFile::FindEntry(const std::string& section, const std::string& key) const {
  const TIniSection* found = FindIniNamed(sections_, section);
  return found ? FindIniNamed(found->Entries, key) : nullptr;
}

TIniSection& TIniFile::SectionForWriting(const std::string& name) {
  if (TIniSection* found = FindIniNamed(sections_, name)) return *found;
  sections_.push_back({name, {}});
  return sections_.back();
}

bool TIniFile::SectionExists(const std::string& Section) const { return FindIniNamed(sections_, Section) != nullptr; }

std::vector<std::string> TIniFile::ReadSection(const std::string& Section) const {
  std::vector<std::string> keys;
  if (const TIniSection* found = FindIniNamed(sections_, Section))
    for (const TIniEntry& entry : found->Entries) keys.push_back(entry.Name);
  return keys;
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Key,
                                 const std::string& Default) const {
  const TIniEntry* entry = FindEntry(Section, Key);
  return entry ? entry->Value : Default;
}

std::int64_t TIniFile::ReadInteger(const std::string& Section, const std::string& Key, std::int64_t Default) const {
  const TIniEntry* entry = FindEntry(Section, Key);
  if (!entry) return Default;
  const std::string text = TrimIniText(entry->Value);
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
  TIniSection& section = SectionForWriting(Section);
  if (TIniEntry* entry = FindIniNamed(section.Entries, Key)) {
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
                               [&](const TIniSection& section) { return SameAsciiText(section.Name, Section); });
  if (erased == sections_.end()) return;
  sections_.erase(erased, sections_.end());
  modified_ = true;
}

void TIniFile::UpdateFile() {
  if (!modified_) return;
  ReplaceFile(fileName_, Format());
  modified_ = false;
}
