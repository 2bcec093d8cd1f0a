#pragma once
// A settings text read once and only read: a skin's options, say. Sections
// and keys keep file order; names compare ignoring ASCII case, but a
// section whose name matches exactly wins over one that matches only so,
// since sections differing in case are different sections of a skin.
// Values are kept as written: no unquoting, and "#" lines are not comments
// (they hold entries of skins). Line rules: runtime/IniText.h.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/IniText.h"

class TMemIniFile {
public:
  // Reads FileName when it exists; a missing file is an empty one. A file
  // that exists but cannot be read raises EQuantrelError.
  explicit TMemIniFile(std::string FileName);
  // Text under the name FileName; no file is read.
  TMemIniFile(std::string FileName, std::string_view Text);

  const std::string& FileName() const { return fileName_; }

  // Section names as written, in file order; a name met again (exactly)
  // continues its section.
  std::vector<std::string> ReadSections() const;
  // Key names in file order; of duplicate keys the first holds.
  std::vector<std::string> ReadSection(const std::string& Section) const;
  bool SectionExists(const std::string& Section) const;
  bool ValueExists(const std::string& Section, const std::string& Key) const;

  std::string ReadString(const std::string& Section, const std::string& Key, const std::string& Default) const;
  // By StrToIntDef: decimal, or hexadecimal after "$".
  std::int32_t ReadInteger(const std::string& Section, const std::string& Key, std::int32_t Default) const;

private:
  void Parse(std::string_view text);
  const TIniSection* FindSection(const std::string& name) const;
  const TIniEntry* FindEntry(const std::string& section, const std::string& key) const;

  std::string fileName_;
  std::vector<TIniSection> sections_;
};
