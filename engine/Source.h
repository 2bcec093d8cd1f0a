#pragma once
// The base of every compiled expression and statement node: where in which
// library the construct began, so that run-time errors can point at it.

#include <cstdint>

#include "engine/MessageChannel.h"

class TLib;

class TSource {
public:
  TSource(TSourcePos pos, TLib* lib, std::uint8_t nodeCode)
      : nodeCode_(nodeCode), line_(pos.Line), col_(pos.Column), lib_(lib) {}
  virtual ~TSource() = default;

  // Set by each node class to tell the classes apart.
  std::uint8_t NodeCode() const { return nodeCode_; }
  // Position of the token that began the construct.
  std::int32_t Line() const { return line_; }
  std::int32_t Col() const { return col_; }
  TSourcePos Pos() const { return {line_, col_}; }
  // The library the node was compiled in.
  TLib* Lib() const { return lib_; }

private:
  std::uint8_t nodeCode_;
  std::int32_t line_;
  std::int32_t col_;
  TLib* lib_;
};
