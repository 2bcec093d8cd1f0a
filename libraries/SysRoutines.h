#pragma once
// The general routines of System: variable updates, sizes of arrays and
// strings, text output, message lines, extremes, colours, infinity tests,
// routine variables and copying a value into the workspace. Each class is
// one script routine; routines of one family share one signature.

#include <string>
#include <utility>

#include "engine/Func.h"

// "procedure ( var a : integer; n : integer = 1 )"
class TIncSF final : public TFunc {
public:
  TIncSF(TFuncKind* kind, TLib* lib) : TFunc("Inc", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TDecSF final : public TFunc {
public:
  TDecSF(TFuncKind* kind, TLib* lib) : TFunc("Dec", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function ( a : AnyArray ) : integer"
class TLengthSF final : public TFunc {
public:
  TLengthSF(TFuncKind* kind, TLib* lib) : TFunc("Length", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

class THighSF final : public TFunc {
public:
  THighSF(TFuncKind* kind, TLib* lib) : TFunc("High", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TLowSF final : public TFunc {
public:
  TLowSF(TFuncKind* kind, TLib* lib) : TFunc("Low", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "procedure ( var a : AnyArray; n : integer; m : integer = -1 )"
class TSetLengthSF final : public TFunc {
public:
  TSetLengthSF(TFuncKind* kind, TLib* lib) : TFunc("SetLength", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "procedure( a : Anything )", variadic
class TWriteSF final : public TFunc {
public:
  TWriteSF(TFuncKind* kind, TLib* lib) : TFunc("Write", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TShowSF final : public TFunc {
public:
  TShowSF(TFuncKind* kind, TLib* lib) : TFunc("Show", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function( a : Anything ) : string", variadic
class TStrSF final : public TFunc {
public:
  TStrSF(TFuncKind* kind, TLib* lib) : TFunc("Str", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// Str without the kinds' string-conversion routines.
class TStrXSF final : public TFunc {
public:
  TStrXSF(TFuncKind* kind, TLib* lib) : TFunc("StrX", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "procedure( Message : string )": one line of the routine's line kind. The
// message is not an error of the program: the call succeeds.
class TMessageLineSF : public TFunc {
public:
  bool Execute(TSourcePos pos) override;

protected:
  TMessageLineSF(std::string name, TFuncKind* kind, TLib* lib, TLineKind lineKind)
      : TFunc(std::move(name), kind, lib), lineKind_(lineKind) {}

private:
  TLineKind lineKind_;
};

class TErrorSF final : public TMessageLineSF {
public:
  TErrorSF(TFuncKind* kind, TLib* lib) : TMessageLineSF("Error", kind, lib, lkError) {}
};

class TInfoSF final : public TMessageLineSF {
public:
  TInfoSF(TFuncKind* kind, TLib* lib) : TMessageLineSF("Info", kind, lib, lkInfo) {}
};

class TWarnSF final : public TMessageLineSF {
public:
  TWarnSF(TFuncKind* kind, TLib* lib) : TMessageLineSF("Warning", kind, lib, lkWarning) {}
};

class TSplitSF final : public TMessageLineSF {
public:
  TSplitSF(TFuncKind* kind, TLib* lib) : TMessageLineSF("Splitter", kind, lib, lkSplit) {}
};

// Also stops the running program, as an abort does.
class TFatalSF final : public TMessageLineSF {
public:
  TFatalSF(TFuncKind* kind, TLib* lib) : TMessageLineSF("Fatal", kind, lib, lkFatal) {}
  bool Execute(TSourcePos pos) override;
};

// "function ( x, y : real ) : real", the kind TMeshFunc
class TMinSF final : public TFunc {
public:
  TMinSF(TFuncKind* kind, TLib* lib) : TFunc("Min", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TMaxSF final : public TFunc {
public:
  TMaxSF(TFuncKind* kind, TLib* lib) : TFunc("Max", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function ( x, y : integer ) : integer"
class TMinISF final : public TFunc {
public:
  TMinISF(TFuncKind* kind, TLib* lib) : TFunc("MinInt", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TMaxISF final : public TFunc {
public:
  TMaxISF(TFuncKind* kind, TLib* lib) : TFunc("MaxInt", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function( r, g, b : integer ) : integer"
class TRGBSF final : public TFunc {
public:
  TRGBSF(TFuncKind* kind, TLib* lib) : TFunc("RGB", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function ( V : Real ) : Boolean"
class TIsInfSF final : public TFunc {
public:
  TIsInfSF(TFuncKind* kind, TLib* lib) : TFunc("IsInf", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function( var a : AnyFunction ) : boolean"
class TAssignedSF final : public TFunc {
public:
  TAssignedSF(TFuncKind* kind, TLib* lib) : TFunc("Assigned", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function ( Name : string; A : Anything ) : boolean". A name the
// workspace refuses is reported by the engine and answers False; the call
// itself succeeds.
class TSaveToWorkSF final : public TFunc {
public:
  TSaveToWorkSF(TFuncKind* kind, TLib* lib) : TFunc("ToWorkspace", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};
