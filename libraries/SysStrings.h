#pragma once
// The string routines of System: parts of a string, comparison, and
// splitting a text into its words one call at a time.

#include <cstdint>

#include "engine/Func.h"

// "function ( s : string; index, count : integer ) : string". Its errors
// name the library System.
class TCopySF final : public TFunc {
public:
  TCopySF(TFuncKind* kind, TLib* lib) : TFunc("Copy", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function( Str1, Str2 : string; CaseSens : boolean = false ) : boolean"
class TCmpStrSF final : public TFunc {
public:
  TCmpStrSF(TFuncKind* kind, TLib* lib) : TFunc("CmpStr", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function( Text : string; Start : boolean = false ) : string": the next
// space-separated word of Text, read from the split cursor; Start begins
// again at the first character.
class TTokenSF final : public TFunc {
public:
  TTokenSF(TFuncKind* kind, TLib* lib) : TFunc("SplitStr", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// The split cursor: a 1-based position in the text being split, -1 when no
// text is being split. It is shared by every text and every caller and
// lives for the whole process.
extern std::int32_t SplitCursor;
