#include "runtime/IniText.h"

#include <cerrno>
#include <cstring>

#include "runtime/Exceptions.h"
#include "runtime/WholeFile.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string ReadIniFileText(const std::string& fileName) {
  std::string text;
  if (ReadWholeFile(fileName, text)) return text;
  if (errno == ENOENT || errno == ENOTDIR) return {};
  IniFileError("read", fileName);
}

void IniFileError(const std::string& action, const std::string& fileName) {
  throw EQuantrelError("Cannot " + action + " " + fileName + ": " + std::strerror(errno));
}

std::string TrimIniText(std::string_view text) {
  std::size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

void ScanIniText(std::string_view text, bool hashComments, const std::function<void(std::string)>& onSection,
                 const std::function<void(std::string, std::string)>& onEntry) {
  bool inSection = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::size_t length = end - start;
    if (length > 0 && text[end - 1] == '\r') --length;
    const std::string line = TrimIniText(text.substr(start, length));
    start = end + 1;
    if (line.empty() || line[0] == ';' || (hashComments && line[0] == '#')) continue;
    if (line[0] == '[') {
      const std::size_t close = line.find(']');
      if (close == std::string::npos) continue;
      std::string name = TrimIniText(std::string_view(line).substr(1, close - 1));
      inSection = !name.empty();
      if (inSection) onSection(std::move(name));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!inSection || equals == std::string::npos) continue;
    std::string key = TrimIniText(std::string_view(line).substr(0, equals));
    if (!key.empty()) onEntry(std::move(key), TrimIniText(std::string_view(line).substr(equals + 1)));
  }
}
