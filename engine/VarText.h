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
// in "'" (quotes inside are not doubled). An array or record whose text
// reaches limit bytes lists no further elements or fields: "..." stands
// for them, as in "{1, 2, ...}", so a window that shows a line of it need
// not write out a million elements.
std::string VarToText(TVar* var, bool quote, bool useTypeRoutines, std::size_t limit = std::string::npos);
// Writes var as output lines: label and the text, or for arrays and records
// label and a header line followed by the elements or fields one level deeper.
void ListVar(TVar* var, const std::string& label, int level, TLineKind lineKind);
