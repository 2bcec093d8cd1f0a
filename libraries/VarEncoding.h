#pragma once
// The value encoding of variable files, workspace files and the InOut
// routines WriteVar and ReadVar: a variable written recursively through a
// text-mode filer, by the base kind code of its kind. LF ends a line.
//
//   Integer, Enum   a line: the value in decimal (Enum: the 0-based ordinal)
//   Char            one raw byte
//   Real            a line: ExactRealText, which reads back exactly
//   Boolean         one byte "1" or "0"
//   String          a line: its bytes; a text holding LF is refused
//   Set             one Boolean byte per member of its enumeration, in order
//   Array           a line with the element count, then every element
//   Record, Class   every field in declaration order
//   Function        a line: the name of the routine held, or "nil"
//
// None, Error and Any cannot be written or read. A variable record is a
// kind line followed by the value.

#include <functional>
#include <string>

#include "engine/data/IOFiler.h"
#include "engine/MessageChannel.h"

class TKind;
class TVar;

// Both stop at the first failure. Reading stores what it read into V, which
// already has the kind to read, also when it fails (the zero value when
// nothing converted); a routine name that names no routine is reported.
bool WriteVariableValue(TIOFiler& Filer, TVar* V, TSourcePos Pos);
bool ReadVariableValue(TIOFiler& Filer, TVar* V, TSourcePos Pos);

// The name of the kind; "Func" for a kind without a name of its own.
std::string KindLine(const TKind* Kind);

// The kind line, then the value.
bool WriteVariableRecord(TIOFiler& Filer, TVar* V, TSourcePos Pos);

// The bytes compose writes through a text-mode filer over memory, so that
// callers write a file or a record only once all of it could be composed
// and a value that cannot be written leaves nothing half-written. False
// when compose fails.
bool ComposeText(const std::function<bool(TIOFiler&)>& compose, std::string& Bytes);
// False at the first byte Target refuses.
bool WriteBytes(IInOut& Target, const std::string& Bytes);
