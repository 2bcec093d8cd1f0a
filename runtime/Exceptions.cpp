#include "runtime/Exceptions.h"

#include <cstdio>
#include <filesystem>

namespace {

std::string FormatAssertion(const std::string& tag, const std::string& unit, int line) {
  char text[512];
  std::snprintf(text, sizeof text, "%s (%s, line %d)", tag.c_str(), unit.c_str(), line);
  return text;
}

}  // namespace

EAssertionFailed::EAssertionFailed(const std::string& tag, const std::string& unit, int line)
    : EQuantrelError(FormatAssertion(tag, unit, line)) {}

void AssertionFailure(const char* tag, const char* file, int line) {
  // The unit is the source file's base name, as a reader of the message would look it up.
  throw EAssertionFailed(tag, std::filesystem::path(file).filename().string(), line);
}
