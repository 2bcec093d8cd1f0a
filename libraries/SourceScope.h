#pragma once
// The program's I/O system as the libraries use it, and one data source
// opened for the length of a call.

#include <cstdint>
#include <string>

#include "engine/data/IOSystem.h"

// The I/O system the program made at start-up. A program that made none
// (a tool running scripts without windows) gets one on first use, with the
// plug-ins of the DATA folder beside it.
TIOSystem& ProgramIOSystem();

// Opens OpenString in Mode (a TIOMode), reporting failures at Pos, and
// closes the source again on every path.
class TSourceScope {
public:
  TSourceScope(const std::string& OpenString, std::uint8_t Mode, TSourcePos Pos);
  ~TSourceScope();
  TSourceScope(const TSourceScope&) = delete;
  TSourceScope& operator=(const TSourceScope&) = delete;

  // Nil when nothing was opened. Valid until the source is closed, which a
  // routine run on it may do before the scope ends.
  TIOInst* Instance() const { return instance_; }
  explicit operator bool() const { return instance_ != nullptr; }
  IInOut& Source() const { return *instance_->InOut(); }

private:
  TIOInst* instance_;
  std::int32_t handle_ = 0;
};
