#include "engine/data/IOFiler.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "engine/Value.h"
#include "runtime/NumberText.h"

static_assert(std::numeric_limits<long double>::digits == 64, "Real must be the 80-bit extended type");
static_assert(std::endian::native == std::endian::little, "binary reals are stored as the x87 value's bytes");

namespace {

constexpr std::uint8_t LineEnd = 10;
constexpr int IntegerBytes = 8;
constexpr int RealBytes = 10;
constexpr int RealDigits = 18;

// Tiny values keep their digits here, where the display text would show 0.
// They are always in scientific notation, and at 18 digits their exact
// decimal expansion never ends in a tie, so correct rounding gives the
// display text's digits.
std::string TinyRealText(long double x) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, RealDigits - 1).ptr;
  const std::string_view text(buffer, end - buffer);
  const std::size_t exponent = text.find('e');
  std::string mantissa(text.substr(0, exponent));
  mantissa.erase(mantissa.find_last_not_of('0') + 1);
  if (mantissa.back() == '.') mantissa.pop_back();
  return mantissa + "E" + std::string(text.substr(exponent + 1));
}

std::string RealLineText(long double x) {
  const bool tiny = x != 0 && std::fabs(x) <= 1e-100L;
  return tiny ? TinyRealText(x) : RealToText(x, RealDigits, 1);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A line without its surrounding blanks, so that lines ended by CR LF read.
std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  return line;
}

// Beyond the real range a line does not convert; below it, it gives a
// denormal or zero.
bool LineToReal(std::string_view line, long double& x) { return TextToReal(Trimmed(line), x); }

// An optional sign and decimal digits within 64 bits.
bool LineToInteger(std::string_view line, std::int64_t& n) {
  std::string_view number = Trimmed(line);
  // from_chars takes a minus sign but no plus sign.
  if (!number.empty() && number.front() == '+') {
    number.remove_prefix(1);
    if (number.empty() || !IsDigit(number.front())) return false;
  }
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size()) return false;
  n = value;
  return true;
}

// The texts the writer gives infinities.
bool InfinityText(std::string_view text, long double& x) {
  if (text != "INF" && text != "-INF") return false;
  x = text[0] == '-' ? -std::numeric_limits<long double>::infinity() : std::numeric_limits<long double>::infinity();
  return true;
}

}  // namespace

bool TIOFiler::ReadBytes(std::uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i)
    if (!source_->ReadByte(bytes[i])) return false;
  return true;
}

bool TIOFiler::WriteBytes(const std::uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i)
    if (!source_->WriteByte(bytes[i])) return false;
  return true;
}

bool TIOFiler::ReadChar(char& C) {
  std::uint8_t byte = 0;
  const bool read = source_->ReadByte(byte);
  C = static_cast<char>(byte);
  return read;
}

bool TIOFiler::WriteChar(char C) { return source_->WriteByte(static_cast<std::uint8_t>(C)); }

bool TIOFiler::ReadLine(std::string& S) {
  S.clear();
  std::uint8_t byte = 0;
  if (!source_->ReadByte(byte)) return false;
  while (byte != LineEnd) {
    S += static_cast<char>(byte);
    if (!source_->ReadByte(byte)) break;
  }
  return true;
}

bool TIOFiler::WriteLine(const std::string& S) {
  return WriteBytes(reinterpret_cast<const std::uint8_t*>(S.data()), static_cast<int>(S.size())) &&
         source_->WriteByte(LineEnd);
}

bool TIOFiler::ReadBool(bool& B) {
  char c = 0;
  const bool read = ReadChar(c);
  B = read && c != '0';
  return read;
}

bool TIOFiler::WriteBool(bool B) { return WriteChar(B ? '1' : '0'); }

bool TIOFiler::ReadInteger(std::int64_t& I) {
  I = 0;
  if (mode_ == fmText) {
    std::string line;
    return ReadLine(line) && LineToInteger(line, I);
  }
  std::uint8_t bytes[IntegerBytes];
  if (mode_ != fmBinary || !ReadBytes(bytes, IntegerBytes)) return false;
  std::uint64_t pattern = 0;
  for (int i = IntegerBytes - 1; i >= 0; --i) pattern = pattern << 8 | bytes[i];
  I = static_cast<std::int64_t>(pattern);
  return true;
}

bool TIOFiler::WriteInteger(std::int64_t I) {
  if (mode_ == fmText) return WriteLine(std::to_string(I));
  if (mode_ != fmBinary) return false;
  std::uint8_t bytes[IntegerBytes];
  const auto pattern = static_cast<std::uint64_t>(I);
  for (int i = 0; i < IntegerBytes; ++i) bytes[i] = static_cast<std::uint8_t>(pattern >> (8 * i));
  return WriteBytes(bytes, IntegerBytes);
}

bool TIOFiler::ReadReal(long double& X) {
  X = 0;
  if (mode_ == fmText) {
    std::string line;
    return ReadLine(line) && (LineToReal(line, X) || InfinityText(line, X));
  }
  std::uint8_t bytes[sizeof(long double)] = {};
  if (mode_ != fmBinary || !ReadBytes(bytes, RealBytes)) return false;
  std::memcpy(&X, bytes, sizeof X);
  return true;
}

bool TIOFiler::WriteReal(long double X) {
  if (mode_ == fmText) return WriteLine(RealLineText(X));
  if (mode_ != fmBinary) return false;
  std::uint8_t bytes[sizeof(long double)];
  std::memcpy(bytes, &X, sizeof X);
  return WriteBytes(bytes, RealBytes);
}
