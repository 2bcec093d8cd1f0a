#pragma once
// Typed reading and writing over one data source, in a text or a binary
// encoding. LF (byte 10) ends a line; a CR before it belongs to the line.
//
//   value      text mode                         binary mode
//   character  one raw byte                      the same
//   line       its bytes, then LF                the same
//   Boolean    "1" or "0" (reading: not "0" is   the same
//              true), no line end
//   integer    a line: decimal text              8 bytes, two's complement,
//                                                least significant first
//   real       a line: 18 significant digits,    the 10 bytes of the 80-bit
//              exponent "E" (INF for infinities) value, least significant first
//
// Every operation is true only when every byte it needed was read or
// written and, for text reads, the text converted. A failed read leaves the
// zero value in its output (a line: what was read). Text numbers may have
// blanks around them (a CR included) and read without the locale; a real
// too large for 80 bits does not read. In any other mode than text and
// binary, integer and real operations fail.

#include <cstdint>
#include <string>

#include "runtime/InOut.h"

enum TFilerMode : std::uint8_t {
  fmText = 0,
  fmBinary = 1,
};

class TIOFiler {
public:
  TIOFiler(CountedPtr<IInOut> Source, std::uint8_t Mode) : source_(std::move(Source)), mode_(Mode) {}

  bool ReadChar(char& C);
  bool WriteChar(char C);
  // False only when not even the first byte could be read; the end of the
  // data ends the last line.
  bool ReadLine(std::string& S);
  // Stops at the first byte that cannot be written.
  bool WriteLine(const std::string& S);
  bool ReadBool(bool& B);
  bool WriteBool(bool B);
  bool ReadString(std::string& S) { return ReadLine(S); }
  bool WriteString(const std::string& S) { return WriteLine(S); }
  bool ReadInteger(std::int64_t& I);
  bool WriteInteger(std::int64_t I);
  bool ReadReal(long double& X);
  bool WriteReal(long double X);

  std::uint8_t Mode() const { return mode_; }

private:
  bool ReadBytes(std::uint8_t* bytes, int count);
  bool WriteBytes(const std::uint8_t* bytes, int count);

  CountedPtr<IInOut> source_;
  std::uint8_t mode_;
};
