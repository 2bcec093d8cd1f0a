#pragma once
// The conversions of System between numbers, characters and text: binary
// and hexadecimal digits, reals to integers, character codes, and reading
// numbers from text.

#include <cstdint>
#include <string>

#include "engine/Func.h"

// Upper-case hexadecimal digits without leading zeros; a negative n gives
// its 16-digit two's complement.
std::string HexText(std::int64_t n);

// An integral real as a 64-bit integer; outside the 64-bit range, and for an
// infinity, the platform's invalid-operation fault (EInvalidOp).
std::int64_t IntegralToInteger(long double integral);

// "function( N : integer ) : string"
class TBinSF final : public TFunc {
public:
  TBinSF(TFuncKind* kind, TLib* lib) : TFunc("Bin", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

class THexSF final : public TFunc {
public:
  THexSF(TFuncKind* kind, TLib* lib) : TFunc("Hex", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function ( x : real ) : integer", all four on the full 64 bits.
class TRoundSF final : public TFunc {
public:
  TRoundSF(TFuncKind* kind, TLib* lib) : TFunc("Round", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TTruncSF final : public TFunc {
public:
  TTruncSF(TFuncKind* kind, TLib* lib) : TFunc("Trunc", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TCeilSF final : public TFunc {
public:
  TCeilSF(TFuncKind* kind, TLib* lib) : TFunc("Ceil", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TFloorSF final : public TFunc {
public:
  TFloorSF(TFuncKind* kind, TLib* lib) : TFunc("Floor", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function ( x : integer ) : char"
class TChrSF final : public TFunc {
public:
  TChrSF(TFuncKind* kind, TLib* lib) : TFunc("Chr", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function ( x : char ) : integer"
class TOrdSF final : public TFunc {
public:
  TOrdSF(TFuncKind* kind, TLib* lib) : TFunc("Ord", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function( Text : string; var R : Real ) : Boolean"; R changes only when
// the text reads.
class TStrToFloatSF final : public TFunc {
public:
  TStrToFloatSF(TFuncKind* kind, TLib* lib) : TFunc("StrToReal", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function( Text : string; var N : Integer ) : Boolean"
class TStrToIntSF final : public TFunc {
public:
  TStrToIntSF(TFuncKind* kind, TLib* lib) : TFunc("StrToInt", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};
