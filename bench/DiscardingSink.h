#pragma once
// A message sink that drops every line: benchmarks measure the engine, not printing.

#include <cstdint>
#include <string>

#include "engine/MessageChannel.h"

class TDiscardingSink final : public IXConsBase {
public:
  void Write(const std::string&, std::uint8_t, int) override {}
  void ExpandToLevel(int) override {}
  void Clear() override {}
};
