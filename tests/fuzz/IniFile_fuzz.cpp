// A settings file through the INI reader. Every value the file gives must
// read the same after the file was rewritten with one more value, which
// itself (the input as one value) must read back unchanged.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "runtime/AsciiCase.h"
#include "runtime/IniFile.h"
#include "tests/fuzz/FuzzHarness.h"

namespace {

constexpr std::size_t MaxNames = 16;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Section and key names the text may define, a few of each.
void CandidateNames(const std::string& text, std::vector<std::string>& sections, std::vector<std::string>& keys) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    const std::size_t close = line.find(']');
    const std::size_t equals = line.find('=');
    if (!line.empty() && line[0] == '[' && close != std::string::npos && sections.size() < MaxNames)
      sections.push_back(Trimmed(line.substr(1, close - 1)));
    else if (equals != std::string::npos && keys.size() < MaxNames)
      keys.push_back(Trimmed(line.substr(0, equals)));
  }
}

using TReadings = std::vector<std::pair<std::string, std::int64_t>>;

TReadings ReadAll(const TIniFile& file, const std::vector<std::string>& sections, const std::vector<std::string>& keys) {
  TReadings readings;
  for (const std::string& section : sections) {
    readings.push_back({std::to_string(file.SectionExists(section)), file.ReadSection(section).size()});
    for (const std::string& key : keys)
      readings.push_back({file.ReadString(section, key, "<none>"), file.ReadInteger(section, key, -1)});
  }
  return readings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string path = WriteFuzzFile("fuzzed.ini", text);
  std::vector<std::string> sections;
  std::vector<std::string> keys;
  CandidateNames(text, sections, keys);

  TIniFile file(path);
  const TReadings before = ReadAll(file, sections, keys);
  file.WriteString("Fuzz Added", "Value", text);
  file.UpdateFile();

  const TIniFile reread(path);
  FuzzCheck(reread.ReadString("Fuzz Added", "Value", "<none>") == text, "a written value reads back changed");
  std::erase_if(sections, [](const std::string& name) { return SameAsciiText(name, "Fuzz Added"); });
  FuzzCheck(ReadAll(reread, sections, keys) == before, "rewriting a settings file changes its values");
  return 0;
}
