// Runs a fuzz target over corpus files without libFuzzer: each argument is
// a file or a folder of files, taken in name order. CTest replays every
// target's corpus this way.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/WholeFile.h"
#include "tests/fuzz/FuzzHarness.h"

namespace {

std::vector<std::filesystem::path> InputFiles(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path argument = argv[i];
    if (!std::filesystem::is_directory(argument)) {
      files.push_back(argument);
      continue;
    }
    for (const auto& entry : std::filesystem::directory_iterator(argument))
      if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::filesystem::path> files = InputFiles(argc, argv);
  if (files.empty()) {
    std::fprintf(stderr, "usage: %s CORPUS-FOLDER-OR-FILE...  (no input found)\n", argv[0]);
    return 2;
  }
  for (const std::filesystem::path& file : files) {
    std::string bytes;
    if (!ReadWholeFile(file.string(), bytes)) {
      std::fprintf(stderr, "cannot read %s\n", file.c_str());
      return 2;
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu inputs replayed\n", files.size());
  return 0;
}
