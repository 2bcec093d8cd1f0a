#include "engine/Value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "runtime/DecimalDigits.h"
#include "runtime/Exceptions.h"
#include "runtime/Params.h"

static_assert(std::numeric_limits<long double>::digits == 64, "Real must be the 80-bit extended type");
static_assert(sizeof(TValue) == 16, "TValue is copied everywhere: keep it small");

TIntFormat IntegerFormat = ifDecimal;

constinit const TValue NoneValue;

namespace {

bool CarriedByValue(TKindCode kind) { return kind <= kcError || (kind >= kcInteger && kind <= kcEnum); }

std::int64_t EnumToInteger(std::int64_t ordinal) {
  std::int64_t result;
  if (__builtin_add_overflow(ordinal, 1, &result)) throw EIntOverflow();
  return result;
}

std::string CharText(const TValue& c) { return c.IsEmptyChar() ? std::string() : std::string(1, c.AsChar()); }

// src converted to kind by the conversion table; a pair it lacks is a caller's bug.
TValue Converted(TKindCode kind, const TValue& src) {
  const TKindCode from = src.Kind();
  if (kind == from && kind >= kcInteger && kind <= kcEnum) return src;
  if (kind == kcInteger && from == kcEnum) return TValue::Integer(EnumToInteger(src.AsInt()));
  if (kind == kcReal && from == kcInteger) return TValue::Real(static_cast<long double>(src.AsInt()));
  if (kind == kcString && from == kcChar) return TValue::String(CharText(src));
  AssertionFailure("Assertion failure", __FILE__, __LINE__);
}

std::int32_t CheckedInt32(std::int64_t n) {
  if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
    throw ERangeError();
  return static_cast<std::int32_t>(n);
}

// Digits of an unsigned pattern without leading zeros, at least one.
std::string UnsignedDigits(std::uint64_t n, unsigned base) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), Digits[n % base]);
    n /= base;
  } while (n != 0);
  return text;
}

std::string IntegerText(std::int64_t n) {
  const auto pattern = static_cast<std::uint64_t>(n);
  switch (IntegerFormat) {
    case ifHex: return "$" + UnsignedDigits(pattern, 16);
    case ifBinary: return "#" + UnsignedDigits(pattern, 2);
    default: return std::to_string(n);
  }
}

// |x| = 0.Digits x 10^Exponent, the Count digits without trailing zeros.
struct TDecimal {
  char Digits[MaxDecimalDigits];
  int Count;
  int Exponent;
};

// x > 0 rounded to precision significant digits; the digit after the last
// kept one decides, 5 or more rounding the magnitude up.
TDecimal RoundedDigits(long double x, int precision) {
  TDecimal d;
  d.Exponent = TruncatedDigits(x, precision + 1, d.Digits) + 1;
  d.Count = precision;
  if (d.Digits[precision] >= '5') {
    int i = precision - 1;
    for (; i >= 0 && d.Digits[i] == '9'; --i) d.Digits[i] = '0';
    if (i >= 0) {
      ++d.Digits[i];
    } else {
      d.Digits[0] = '1';
      d.Exponent += 1;
    }
  }
  while (d.Count > 1 && d.Digits[d.Count - 1] == '0') --d.Count;
  return d;
}

// The writers below put a number's text at out and answer its end. The
// longest text, a sign, 18 digits, a point, "E-" and four exponent digits,
// is far shorter than MaxDecimalDigits + 8.
char* Repeat(char* out, char c, int count) {
  for (int i = 0; i < count; ++i) *out++ = c;
  return out;
}

char* Copy(char* out, const char* from, int count) {
  std::memcpy(out, from, static_cast<std::size_t>(count));
  return out + count;
}

char* WriteFixed(char* out, const TDecimal& d) {
  if (d.Exponent <= 0) {
    out = Copy(out, "0.", 2);
    out = Repeat(out, '0', -d.Exponent);
    return Copy(out, d.Digits, d.Count);
  }
  const int whole = std::min(d.Exponent, d.Count);
  out = Copy(out, d.Digits, whole);
  out = Repeat(out, '0', d.Exponent - whole);
  if (d.Count == whole) return out;
  *out++ = '.';
  return Copy(out, d.Digits + whole, d.Count - whole);
}

char* WriteScientific(char* out, const TDecimal& d, int exponentDigits) {
  *out++ = d.Digits[0];
  if (d.Count > 1) {
    *out++ = '.';
    out = Copy(out, d.Digits + 1, d.Count - 1);
  }
  const int exponent = d.Exponent - 1;
  char digits[8];
  const int count = static_cast<int>(std::to_chars(digits, digits + sizeof digits, std::abs(exponent)).ptr - digits);
  *out++ = 'E';
  if (exponent < 0) *out++ = '-';
  out = Repeat(out, '0', exponentDigits - count);
  return Copy(out, digits, count);
}

}  // namespace

void TValue::SetKind(TKindCode kind) {
  if (kind != kind_ && (kind == kcString || kind_ == kcString)) Clear();
  kind_ = kind;
}

TValue& TValue::SetStr(std::string s) {
  TValueText* old = Text();
  TValueText* text = nullptr;
  if (!s.empty()) {
    text = new TValueText(std::move(s));
    text->AddRef();
  }
  if (kind_ != kcString) Clear();
  kind_ = kcString;
  Write(text);
  if (old) old->Release();
  return *this;
}

TValue& TValue::AppendStr(std::string_view tail) {
  if (tail.empty()) return *this;
  if (TValueText* text = Text(); text && text->RefCount() == 1) {
    text->Text += tail;
    return *this;
  }
  std::string text;
  text.reserve(Str().size() + tail.size());
  text += Str();
  text += tail;
  return SetStr(std::move(text));
}

TValue& TValue::SetStrChar(std::size_t i, char c) {
  if (Text()->RefCount() != 1) SetStr(Text()->Text);
  Text()->Text[i] = c;
  return *this;
}

const std::string& TValue::EmptyText() {
  static const std::string empty;
  return empty;
}

// Clears the whole payload for every kind, a superset of each kind's zero.
void ClearValue(TKindCode kind, TValue& v) {
  QASSERT(CarriedByValue(kind), "Assertion failure");
  v = TValue();
  v.SetKind(kind);
}

void ConvertValue(TKindCode kind, const TValue& src, TValue& dst) { dst = Converted(kind, src); }

void AssignValue(const TValue& src, TValue& dst) {
  switch (dst.Kind()) {
    case kcChar: dst = src.IsEmptyChar() ? src : TValue::Char(src.AsChar()); break;
    case kcBoolean: dst.SetAsBool(src.AsBool()); break;
    case kcEnum: dst.SetAsInt(src.AsInt()); break;
    default: dst = Converted(dst.Kind(), src); break;
  }
}

bool IsOrdinalCode(TKindCode code) {
  return code == kcInteger || code == kcChar || code == kcBoolean || code == kcEnum;
}

bool ValueToOrdinal(const TValue& v, std::int64_t& n) {
  switch (v.Kind()) {
    case kcInteger:
    case kcEnum: n = v.AsInt(); return true;
    case kcChar: n = static_cast<unsigned char>(v.AsChar()); return true;
    case kcBoolean: n = v.AsBool() ? 1 : 0; return true;
    default: return false;
  }
}

bool ValueToInt(const TValue& v, std::int32_t& n) {
  std::int64_t wide = 0;
  if (!ValueToOrdinal(v, wide)) return false;
  n = CheckedInt32(wide);
  return true;
}

bool IsVoidValue(const TValue& v) { return v.Kind() == kcNone || v.Kind() == kcError; }

bool SameValue(const TValue& a, const TValue& b) {
  if (a.Kind() != b.Kind()) return false;
  switch (a.Kind()) {
    case kcInteger:
    case kcEnum: return a.AsInt() == b.AsInt();
    case kcChar: return a.AsChar() == b.AsChar();
    case kcBoolean: return a.AsBool() == b.AsBool();
    case kcReal: return a.AsReal() == b.AsReal();
    case kcString: return a.Str() == b.Str();
    case kcError: return static_cast<std::uint32_t>(a.AsInt()) == static_cast<std::uint32_t>(b.AsInt());
    default: return true;
  }
}

std::string ValueToText(const TValue& v) {
  switch (v.Kind()) {
    case kcError: return "Error";
    case kcInteger: return IntegerText(v.AsInt());
    case kcChar: return CharText(v);
    case kcReal: return RealToText(v.AsReal());
    case kcBoolean: return v.AsBool() ? "True" : "False";
    case kcString: return v.Str();
    default: return {};
  }
}

std::string RealToText(long double x) { return RealToText(x, Params.FMantissa, Params.FExponent); }

std::string RealToText(long double x, std::int64_t mantissa, std::int64_t exponentDigits) {
  if (std::fabs(x) <= 1e-100L) x = 0;
  const int precision = PrintedMantissa(mantissa);
  const int minExponentDigits = PrintedExponentDigits(exponentDigits);
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
  if (x == 0) return "0";
  const TDecimal d = RoundedDigits(std::fabs(x), precision);
  char text[MaxDecimalDigits + 8];
  char* end = text;
  if (std::signbit(x)) *end++ = '-';
  end = d.Exponent >= -3 && d.Exponent <= precision ? WriteFixed(end, d) : WriteScientific(end, d, minExponentDigits);
  return std::string(text, end);
}

int PrintedMantissa(std::int64_t mantissa) { return static_cast<int>(std::clamp<std::int64_t>(mantissa, 2, 18)); }

int PrintedExponentDigits(std::int64_t exponentDigits) {
  return exponentDigits >= 0 && exponentDigits <= 4 ? static_cast<int>(exponentDigits) : 0;
}

std::string IntToBin(std::int32_t n) { return n <= 0 ? "0" : UnsignedDigits(static_cast<std::uint64_t>(n), 2); }

// At most 62 digits, so each takes its full weight and the result stays positive.
bool BinToInt(const std::string& s, std::int64_t& n) {
  if (s.size() > 63) return false;
  std::uint64_t pattern = 0;
  for (std::size_t i = 1; i < s.size(); ++i) pattern = pattern << 1 | (s[i] == '1' ? 1 : 0);
  n = static_cast<std::int64_t>(pattern);
  return true;
}
