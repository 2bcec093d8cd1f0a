#pragma once
// The text of any variable: one line (VarToText) or a listing of lines at
// nested levels (ListVar), both giving the kind's registered routines the
// first word.

#include <cstdint>
#include <string>

#include "engine/MessageChannel.h"

class TVar;

// The listing in progress, set by ListVar while it lists a variable, so that
// a kind's output routine can continue it with the right label, level and
// line kind.
extern std::int32_t ListLevel;
extern std::string ListLabel;
extern TLineKind ListKind;

// Empty for nil. With useTypeRoutines a non-empty text of the kind's
// string-conversion routine wins. With quote a Char or String is enclosed
// in "'" (quotes inside are not doubled).
std::string VarToText(TVar* var, bool quote, bool useTypeRoutines);
// Writes var as output lines: label and the text, or for arrays and records
// label and a header line followed by the elements or fields one level deeper.
void ListVar(TVar* var, const std::string& label, int level, TLineKind lineKind);
