#pragma once
// Cells of a row of text. Rows are UTF-8; a cell is one character on screen:
// a well-formed UTF-8 sequence, or a single byte that is not part of one. So
// text that is not UTF-8 (an old Latin-1 file) keeps every byte, and every
// byte is reachable by a column.

#include <cstddef>
#include <string>
#include <string>
#include <string_view>

// Bytes of the cell that begins at the start of text (1 for a stray byte; 0
// for empty text).
std::size_t CellBytes(std::string_view text);
int CellCount(std::string_view row);
// The byte offset where a cell begins. Cells past the end of the row count
// one byte each (the blanks that would fill them); negative cells give 0.
std::size_t ByteOfCell(std::string_view row, int cell);
// The cell that holds a byte offset; offsets past the end count one cell a byte.
int CellOfByte(std::string_view row, std::size_t byte);
// Appends a code point as UTF-8 (one to four bytes).
void AppendUtf8(std::string& text, char32_t codePoint);
// Cells [begin, end) of a row, clipped to the row.
std::string_view CellSlice(std::string_view row, int begin, int end);
// Text with s put before cell `at` (at the end when the text is shorter).
std::string InsertCells(std::string text, int at, std::string_view s);
// Text without `count` cells from cell `at` (clipped to the text).
std::string EraseCells(std::string text, int at, int count);
