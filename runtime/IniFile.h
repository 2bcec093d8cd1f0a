#pragma once
// An INI file held in memory: sections of key=value lines. Section and key
// names compare case-insensitively (A to Z only) and keep the case in which
// they were first written. Changes stay in memory until UpdateFile, which
// writes a temporary file beside the real one (where a link leads) and
// renames it over it, so the file on disk is always either the old or the
// new one, never a torn mix.
//
// Text format: "[Section]" headers, "key=value" lines; blanks around names
// and values are not significant; lines starting with ";" or "#", lines
// without "=" and keys before the first header are ignored and not kept. A
// value that would not survive that format (outer blanks, a line break, a
// leading double quote) is written in double quotes with backslash escapes
// (\\ \" \n \r), and a read value in double quotes is unquoted the same way.

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/IniText.h"

class TIniFile {
public:
  // Reads FileName when it exists; a missing file is an empty one. A file
  // that exists but cannot be read raises EQuantrelError.
  explicit TIniFile(std::string FileName);

  const std::string& FileName() const { return fileName_; }

  bool SectionExists(const std::string& Section) const;
  // Key names of Section in file order; empty when the section is missing.
  std::vector<std::string> ReadSection(const std::string& Section) const;

  std::string ReadString(const std::string& Section, const std::string& Key, const std::string& Default) const;
  // Decimal text with an optional sign and outer blanks; anything else, or
  // a number beyond 64 bits, reads as Default.
  std::int64_t ReadInteger(const std::string& Section, const std::string& Key, std::int64_t Default) const;
  // Stored as an integer: zero is false, any other integer true.
  bool ReadBool(const std::string& Section, const std::string& Key, bool Default) const;

  // Section and key names must be non-empty single-line text without "]"
  // (sections) or "=" (keys), without outer blanks, and a key must not start
  // like a header or a comment; others fail with an assertion, since no file
  // could give them back.
  void WriteString(const std::string& Section, const std::string& Key, const std::string& Value);
  void WriteInteger(const std::string& Section, const std::string& Key, std::int64_t Value);
  void WriteBool(const std::string& Section, const std::string& Key, bool Value);

  // Removes the section with all its keys.
  void EraseSection(const std::string& Section);

  // Writes the file when anything changed since it was read or last written,
  // creating its folder when missing. Failures raise EQuantrelError and leave
  // the old file as it was.
  void UpdateFile();

private:
  void Parse(const std::string& text);
  std::string Format() const;
  const TIniEntry* FindEntry(const std::string& section, const std::string& key) const;
  TIniSection& SectionForWriting(const std::string& name);

  std::string fileName_;
  std::vector<TIniSection> sections_;
  bool modified_ = false;
};
