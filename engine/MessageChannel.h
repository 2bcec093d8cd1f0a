#pragma once
// The one way out of the engine: every printed line and every reported error
// goes to the process-wide message sink, which the windows supply. Beside the
// sink the channel remembers the last reported error, so that the program
// editor can put its caret on the faulty spot.
//
// Script errors are never exceptions: ReportError writes the line and records
// the error, and the caller returns failure up its own call chain.

#include <cstdint>
#include <string>

#include "runtime/CountedPtr.h"
#include "runtime/Exceptions.h"

class TLib;

// The sink the windows implement (console, result edit, editor console).
class IXConsBase : public TCounted {
public:
  // Appends one line of line kind `kind` (a TLineKind), nested at outline
  // `level` (0 = top level).
  virtual void Write(const std::string& text, std::uint8_t kind, int level) = 0;
  virtual void ExpandToLevel(int level) = 0;
  virtual void Clear() = 0;
};

// The line kinds the engine writes (1, 3, 4, 5); built-in routines write the others.
enum TLineKind : std::uint8_t {
  lkOutput = 0,
  lkResult = 1,
  lkInput = 2,
  lkInfo = 3,
  lkWarning = 4,
  lkError = 5,
  lkSplit = 6,
  lkFatal = 7,
};

// A token's place in its source, both 1-based; (-1, -1) is no position.
struct TSourcePos {
  std::int32_t Line = -1;
  std::int32_t Column = -1;
  friend bool operator==(const TSourcePos&, const TSourcePos&) = default;
};

inline constexpr TSourcePos NoPosition{-1, -1};

// Replacing the sink by a different one (nil included) clears the last error;
// setting the current sink again changes nothing.
void SetMessageSink(CountedPtr<IXConsBase> sink);
CountedPtr<IXConsBase> GetMessageSink();

// Both do nothing while no sink is set.
void WriteMessage(const std::string& text, std::uint8_t kind, int level);
void ExpandMessageLevels(int level);

// Records the error (also without a sink) and writes it as an lkError line at
// level 0: the message, ` in "<lib>"` when lib is given, ` at [line:column] `
// when pos.Line >= 0.
void ReportError(const std::string& msg, TSourcePos pos, const TLib* lib);

// Runs compute; a platform fault becomes the error line of its message alone
// (no position, no library) and false. Failed assertions pass through.
template <class TCompute>
bool ReportingFaults(TCompute&& compute) {
  try {
    compute();
    return true;
  } catch (const EAssertionFailed&) {
    throw;
  } catch (const EQuantrelError& fault) {
    ReportError(fault.what(), NoPosition, nullptr);
    return false;
  }
}

// How many errors were reported since the process started: code that runs
// a routine which never fails outright (a script routine goes on past a
// failed statement) compares two counts to learn whether it reported one.
std::uint64_t ReportedErrorCount();

void ClearLastError();
const std::string& GetLastErrorText();
TSourcePos GetLastErrorPos();
// Name of the library the last error was reported in; empty when none.
const std::string& GetLastErrorLib();
