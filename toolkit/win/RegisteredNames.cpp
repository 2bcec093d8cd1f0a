#include "toolkit/win/RegisteredNames.h"

#include <algorithm>
#include <vector>

#include "runtime/AsciiCase.h"

namespace {

constexpr UINT FirstNumber = 0xC000;

std::vector<std::string>& Names() {
  static std::vector<std::string> names;
  return names;
}

}  // namespace

UINT RegisterName(const std::string& name) {
  if (name.empty()) return 0;
  auto& names = Names();
  auto found =
      std::find_if(names.begin(), names.end(), [&name](const std::string& known) { return SameAsciiText(known, name); });
  if (found == names.end()) found = names.insert(names.end(), name);
  return FirstNumber + static_cast<UINT>(found - names.begin());
}

std::string RegisteredName(UINT number) {
  const auto& names = Names();
  if (number < FirstNumber || number - FirstNumber >= names.size()) return {};
  return names[number - FirstNumber];
}
