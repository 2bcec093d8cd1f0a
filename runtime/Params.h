#pragma once
// The user's program options. One instance, Params, is loaded from section
// PARAMS of the settings store before any window exists and saved back when
// the program ends; everything else reads the fields directly.
//
// Values are not clamped here: a hand-edited FMantissa of 40 loads as 40, and
// each reader clamps to the range it can use.

#include <cstdint>

class TParams {
public:
  bool MainOnTop = false;
  bool WinsInTask = false;
  std::int64_t FMantissa = 8;  // significant digits of printed reals
  std::int64_t FExponent = 1;  // minimum exponent digits of printed reals
  std::int64_t ShowLevel = 2;
  bool CopyPrefix = false;
  bool ExecTime = false;
  bool MemTaken = false;
  bool BackImage = false;
  bool UseShow = true;
  bool MEditTree = false;
  bool VEditTree = false;
  bool UseExpr = true;
  bool CopyClip = false;

  // Both go through the global Storage, which must exist.
  void Load();
  void Save() const;
};

// Constant-initialised, so it is usable from any static initialiser; assign
// TParams() to return to the defaults.
extern TParams Params;
