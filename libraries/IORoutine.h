#pragma once
// The base of the InOut routines that move data over a data-source handle,
// their first argument. Such a routine never stops the calling statement:
// a failure is an error line at the call, and its Boolean Result tells the
// script whether the transfer succeeded.

#include <cstdint>
#include <string>

#include "engine/Func.h"
#include "runtime/InOut.h"

class TIORoutine : public TFunc {
public:
  using TFunc::TFunc;

  // Result := Transfer(pos); always true.
  bool Execute(TSourcePos pos) final;

protected:
  virtual bool Transfer(TSourcePos pos) = 0;

  // The source of the Handle argument (a larger value than 32 bits is a
  // range error). Nil after "Bad data source handle", followed by "Device is
  // not opened" when sayNotOpened. The reference keeps the source usable
  // when an abort closes it while the routine lets window messages through:
  // its next byte then fails.
  CountedPtr<IInOut> Source(TSourcePos pos, bool sayNotOpened) const;
};

// Reports the source's last error (also an empty one) at pos; false.
bool SourceFailed(IInOut& source, TSourcePos pos);

// Writes the bytes of text, with processMessages letting window messages
// through after each; false after reporting the source's last error.
bool WriteText(IInOut& source, const std::string& text, TSourcePos pos, bool processMessages = false);
