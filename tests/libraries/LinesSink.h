#pragma once
// A message sink that keeps the error lines apart from the others.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/MessageChannel.h"

class TLinesSink : public IXConsBase {
public:
  void Write(const std::string& text, std::uint8_t kind, int) override {
    (kind == lkError ? Errors : Lines).push_back(text);
  }
  void ExpandToLevel(int) override {}
  void Clear() override {}

  std::vector<std::string> Lines;
  std::vector<std::string> Errors;
};
