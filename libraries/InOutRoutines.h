#pragma once
// The InOut routines that open and close data sources and move characters,
// bytes, strings and whole variables over them.

#include "engine/Func.h"
#include "libraries/IORoutine.h"

// Open(Params: string; Mode: TOpenMode): Integer; the new handle, 0 when
// nothing was opened.
class TOpenIO final : public TFunc {
public:
  using TFunc::TFunc;
  bool Execute(TSourcePos pos) override;
};

// Close(n: Integer).
class TCloseIO final : public TFunc {
public:
  using TFunc::TFunc;
  bool Execute(TSourcePos pos) override;
};

// The variable record (kind line and value); only a kind with a name of its
// own, or a routine variable, is written.
class TWriteVarIO final : public TIORoutine {
public:
  using TIORoutine::TIORoutine;

protected:
  bool Transfer(TSourcePos pos) override;
};

// A variable record whose kind line must name V's kind, unless that kind
// has no name of its own or V is a routine variable.
class TReadVarIO final : public TIORoutine {
public:
  using TIORoutine::TIORoutine;

protected:
  bool Transfer(TSourcePos pos) override;
};

class TWriteCharIO final : public TIORoutine {
public:
  using TIORoutine::TIORoutine;

protected:
  bool Transfer(TSourcePos pos) override;
};

// A failed read leaves the variable as it was.
class TReadCharIO final : public TIORoutine {
public:
  using TIORoutine::TIORoutine;

protected:
  bool Transfer(TSourcePos pos) override;
};

// The low 8 bits of N, without range check.
class TWriteByteIO final : public TIORoutine {
public:
  using TIORoutine::TIORoutine;

protected:
  bool Transfer(TSourcePos pos) override;
};

// N := 0..255; a failed read leaves it as it was.
class TReadByteIO final : public TIORoutine {
public:
  using TIORoutine::TIORoutine;

protected:
  bool Transfer(TSourcePos pos) override;
};

// The bytes of S, then with UseETX an LF.
class TWriteStrIO final : public TIORoutine {
public:
  using TIORoutine::TIORoutine;

protected:
  bool Transfer(TSourcePos pos) override;
};

// The bytes up to the end of the data; with UseETX a byte 0, CR or LF ends
// the text first and is consumed. Only a failing first byte is a failure.
class TReadStrIO final : public TIORoutine {
public:
  using TIORoutine::TIORoutine;

protected:
  bool Transfer(TSourcePos pos) override;
};
