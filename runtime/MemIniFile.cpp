#include "runtime/MemIniFile.h"

#include <algorithm>

#include "runtime/NumberText.h"

TMemIniFile::TMemIniFile(std::string FileName) : fileName_(std::move(FileName)) {
  Parse(ReadIniFileText(fileName_));
}

TMemIniFile::TMemIniFile(std::string FileName, std::string_view Text) : fileName_(std::move(FileName)) {
  Parse(Text);
}

void TMemIniFile::Parse(std::string_view text) {
  TIniSection* current = nullptr;
  ScanIniText(
      text, false,
      [&](std::string name) {
        auto same = std::find_if(sections_.begin(), sections_.end(),
                                 [&name](const TIniSection& section) { return section.Name == name; });
        if (same == sections_.end()) same = sections_.insert(sections_.end(), {std::move(name), {}});
        current = &*same;
      },
      [&](std::string key, std::string value) {
        if (!FindIniNamed(current->Entries, key)) current->Entries.push_back({std::move(key), std::move(value)});
      });
}

const TIniSection* TMemIniFile::FindSection(const std::string& name) const {
  for (const TIniSection& section : sections_)
    if (section.Name == name) return &section;
  return FindIniNamed(sections_, name);
}

const TIniEntry* TMemIniFile::FindEntry(const std::string& section, const std::string& key) const {
  const TIniSection* found = FindSection(section);
  return found ? FindIniNamed(found->Entries, key) : nullptr;
}

std::vector<std::string> TMemIniFile::ReadSections() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const TIniSection& section : sections_) names.push_back(section.Name);
  return names;
}

std::vector<std::string> TMemIniFile::ReadSection(const std::string& Section) const {
  std::vector<std::string> keys;
  if (const TIniSection* found = FindSection(Section))
    for (const TIniEntry& entry : found->Entries) keys.push_back(entry.Name);
  return keys;
}

bool TMemIniFile::SectionExists(const std::string& Section) const { return FindSection(Section) != nullptr; }

bool TMemIniFile::ValueExists(const std::string& Section, const std::string& Key) const {
  return FindEntry(Section, Key) != nullptr;
}

std::string TMemIniFile::ReadString(const std::string& Section, const std::string& Key,
                                    const std::string& Default) const {
  const TIniEntry* entry = FindEntry(Section, Key);
  return entry ? entry->Value : Default;
}

std::int32_t TMemIniFile::ReadInteger(const std::string& Section, const std::string& Key,
                                      std::int32_t Default) const {
  const TIniEntry* entry = FindEntry(Section, Key);
  return entry ? StrToIntDef(entry->Value, Default) : Default;
}
