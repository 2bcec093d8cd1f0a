#include "runtime/FilePaths.h"

#include <algorithm>
#include <system_error>

#include "runtime/AsciiCase.h"
#include "runtime/Exceptions.h"

namespace fs = std::filesystem;

bool IsExistingFile(const std::string& fileName) {
  std::error_code error;
  return fs::is_regular_file(fileName, error);
}

bool IsExistingFolder(const std::string& folder) {
  std::error_code error;
  return fs::is_directory(folder, error);
}

std::string CanonicalPath(const std::string& fileName) {
  std::error_code error;
  const fs::path path = fs::weakly_canonical(fileName, error);
  return (error ? fs::path(fileName).lexically_normal() : path).string();
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  if (fs::equivalent(a, b, error)) return true;
  const auto resolved = [](const std::string& name) { return fs::path(CanonicalPath(name)).lexically_normal() / ""; };
  return resolved(a) == resolved(b);
}

namespace {

// The entry of folder named part, or else the first (in name order) whose
// name matches it ignoring case, of the kind asked for; empty when none.
fs::path EntryIgnoringCase(const fs::path& folder, const std::string& part, bool wantFolder) {
  std::error_code error;
  const auto isWanted = [&](const fs::path& path) {
    return wantFolder ? fs::is_directory(path, error) : fs::is_regular_file(path, error);
  };
  if (isWanted(folder / part)) return folder / part;
  for (const fs::directory_entry& entry : SortedEntries(folder.string()))
    if (SameAsciiText(entry.path().filename().string(), part) && isWanted(entry.path())) return entry.path();
  return {};
}

}  // namespace

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
  std::vector<std::string> parts;
  for (size_t start = 0; start <= name.size();) {
    const size_t end = std::min(name.find('/', start), name.size());
    if (end > start) parts.push_back(name.substr(start, end - start));
    start = end + 1;
  }
  fs::path path = folder.empty() ? fs::path(".") : fs::path(folder);
  for (size_t i = 0; i < parts.size() && !path.empty(); ++i) path = EntryIgnoringCase(path, parts[i], i + 1 < parts.size());
  return parts.empty() ? std::string() : path.string();
}

bool MatchesMask(const std::string& name, const std::string& mask) {
  QASSERT(!mask.empty() && mask[0] == '*', "4C1B7E20");
  const std::string ending = mask.substr(1);
  return name.size() >= ending.size() && SameAsciiText(name.substr(name.size() - ending.size()), ending);
}

std::vector<fs::directory_entry> SortedEntries(const std::string& folder) {
  std::vector<fs::directory_entry> entries;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) entries.push_back(*it);
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
  return entries;
}
