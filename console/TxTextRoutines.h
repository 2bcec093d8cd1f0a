#pragma once
// Text routines of the editor and its commands. Positions count characters
// (cells, runtime/Utf8Cells.h), 1-based as in the editor's strings; in a
// whole text a line break counts as two characters (CR LF).

#include <string>
#include <string_view>

// Ends a word for the word routines and the word-wise caret commands.
bool IsSeparator(char c);
// Whether the character at a 0-based column of a row is a separator.
bool SeparatorAt(std::string_view row, int column);
// Continues an identifier for completion: Backspace (#8), digits, letters.
bool IsIdentifierChar(char32_t c);
// The word around p, or the single character at p when p is on a
// separator; empty when p is outside the text.
std::string GetWordOnPos(std::string_view s, int p);
// As GetWordOnPos, with the word's bounds (first character, one past the
// last); on a separator the word to its left is taken when there is one.
std::string GetWordOnPosEx(std::string_view s, int p, int& beg, int& end);
// Upper case becomes lower and everything else upper, by a fixed mapping of
// the ASCII and Latin-1 letters, whatever the process locale.
std::string ChangeCase(std::string_view s);
bool SameTextAnsi(std::string_view a, std::string_view b);
// The same letters, all upper or all lower case.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
std::string Spaces(int n);
bool HasChar(char c, std::string_view s);
// Field `index` (0-based) of s, fields separated by sep; empty when there
// is no such field.
std::string SubStr(std::string_view s, int index, std::string_view sep);
// Row (counting CRs) and column of a character position of a whole text;
// (-1, -1) for a position outside 0..length.
void CaretFromText(std::string_view s, int pos, int& x, int& y);
// Every occurrence of from replaced by to, left to right; the inserted text
// is never searched again.
std::string ReplaceString(std::string_view s, std::string_view from, std::string_view to);
bool CharInSet(char c, std::string_view set);
