#include "engine/Value.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

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

// |x| = 0.Digits x 10^Exponent, Digits without trailing zeros.
struct TDecimal {
  std::string Digits;
  int Exponent;
};

// The first count digits of the exact decimal expansion of a positive x,
// truncated (printf rounds toward zero in that mode, whatever the locale's
// decimal point), and its exponent in the d.ddd form.
TDecimal TruncatedDigits(long double x, int count) {
  char buffer[64];
  const int savedMode = std::fegetround();
  std::fesetround(FE_TOWARDZERO);
  std::snprintf(buffer, sizeof buffer, "%.*Le", count - 1, x);
  std::fesetround(savedMode);
  TDecimal result{{}, 0};
  const char* p = buffer;
  for (; *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') result.Digits += *p;
  ++p;
  if (*p == '+') ++p;
  std::from_chars(p, buffer + sizeof buffer, result.Exponent);
  return result;
}

// x > 0 rounded to precision significant digits; the digit after the last
// kept one decides, 5 or more rounding the magnitude up.
TDecimal RoundedDigits(long double x, int precision) {
  TDecimal d = TruncatedDigits(x, precision + 1);
  const bool roundUp = d.Digits[precision] >= '5';
  d.Digits.resize(precision);
  d.Exponent += 1;
  if (roundUp) {
    int i = precision - 1;
    for (; i >= 0 && d.Digits[i] == '9'; --i) d.Digits[i] = '0';
    if (i >= 0) {
      ++d.Digits[i];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      d.Digits.pop_back();
      d.Exponent += 1;
    }
  }
  d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
  return d;
}

std::string FixedText(const TDecimal& d) {
  if (d.Exponent <= 0) return "0." + std::string(-d.Exponent, '0') + d.Digits;
  const auto whole = static_cast<std::size_t>(d.Exponent);
  std::string text = d.Digits.substr(0, whole);
  text.append(whole - text.size(), '0');
  if (d.Digits.size() > whole) text += "." + d.Digits.substr(whole);
  return text;
}

std::string ScientificText(const TDecimal& d, int exponentDigits) {
  std::string text(1, d.Digits[0]);
  if (d.Digits.size() > 1) text += "." + d.Digits.substr(1);
  const int exponent = d.Exponent - 1;
  std::string digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < exponentDigits) digits.insert(0, exponentDigits - digits.size(), '0');
  return text + "E" + (exponent < 0 ? "-" : "") + digits;
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
  const std::string sign = std::signbit(x) && x != 0 ? "-" : "";
  if (std::isinf(x)) return sign + "INF";
  if (x == 0) return "0";
  const TDecimal d = RoundedDigits(std::fabs(x), precision);
  const bool fixed = d.Exponent >= -3 && d.Exponent <= precision;
  return sign + (fixed ? FixedText(d) : ScientificText(d, minExponentDigits));
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
