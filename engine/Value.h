#pragma once
// TValue, the engine's tagged scalar: one Tarnscript value of a scalar kind
// (or an Enum ordinal) as it travels between variables, operators, constant
// folding, parameter editors and host objects.

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/CountedPtr.h"

class TVariant;

// Kind codes. A TValue only carries kcNone, kcError and kcInteger..kcEnum;
// the other codes name kinds.
enum TKindCode : std::uint8_t {
  kcNone = 0,
  kcError = 1,
  kcAny = 2,
  kcInteger = 3,
  kcChar = 4,
  kcReal = 5,
  kcBoolean = 6,
  kcString = 7,
  kcEnum = 8,
  kcSet = 9,
  kcArray = 10,
  kcRecord = 11,
  kcFunction = 12,
  kcClass = 13,
};

// How Integer values print; set through the engine facade. A value outside
// the three prints decimal.
enum TIntFormat : std::uint8_t {
  ifDecimal = 0,
  ifHex = 1,
  ifBinary = 2,
};

extern TIntFormat IntegerFormat;

// The text of a String value: shared, so that copying a value copies one
// pointer, and immutable while shared; only the value holding the one
// reference may append to it (TValue::AppendStr).
class TValueText final : public TCounted {
public:
  explicit TValueText(std::string text) : Text(std::move(text)) {}
  std::string Text;
};

// 16 bytes, copied by value. The payload is overlaid like a variant record:
// AsInt (Integer, Enum ordinal 0-based, Error code in the low 32 bits),
// AsReal (80 bits), AsChar and AsBool (the first byte), and for a String its
// counted text (nil for the empty text) in the first 8 bytes. Only a String
// holds a reference, so copying any other value copies bytes and touches no
// count. Setters change the payload only, never the kind, so a value keeps
// the overlay's meaning; SetStr alone makes the value a String.
class TValue {
public:
  constexpr TValue() = default;
  TValue(const TValue& other) : kind_(other.kind_) {
    CopyPayload(other);
    if (TValueText* text = Text()) text->AddRef();
  }
  TValue(TValue&& other) noexcept : kind_(other.kind_) {
    CopyPayload(other);
    other.ForgetText();
  }
  ~TValue() {
    if (TValueText* text = Text()) text->Release();
  }
  TValue& operator=(const TValue& other) {
    if (kind_ != kcString && other.kind_ != kcString) {
      CopyPayload(other);
      kind_ = other.kind_;
      return *this;
    }
    TValue copy(other);
    return Swap(copy);
  }
  TValue& operator=(TValue&& other) noexcept {
    TValue taken(std::move(other));
    return Swap(taken);
  }

  static TValue Integer(std::int64_t n) { return Make(kcInteger).SetAsInt(n); }
  static TValue Real(long double x) { return Make(kcReal).SetAsReal(x); }
  static TValue Char(char c) { return Make(kcChar).SetAsChar(c); }
  // The empty literal '': the Char 0 marked as no text at all, so that it
  // converts to the empty String, while Chr(0) is a character like any other.
  static TValue EmptyChar() { return Make(kcChar).SetAsChar('\0').Write(EmptyTextMark); }
  static TValue Boolean(bool b) { return Make(kcBoolean).SetAsBool(b); }
  static TValue String(std::string s) { return Make(kcString).SetStr(std::move(s)); }
  static TValue Enum(std::int64_t ordinal) { return Make(kcEnum).SetAsInt(ordinal); }

  TKindCode Kind() const { return kind_; }
  // A String's text is released when the value becomes another kind, and a
  // value that becomes a String starts empty.
  void SetKind(TKindCode kind);

  std::int64_t AsInt() const { return Read<std::int64_t>(); }
  // One x87 load or store of the ten bytes: copied through integer
  // registers, a Real read just after it was written waited for a failed
  // store forwarding (a fifth of a small function's call). The compiler is
  // told the exact ten bytes, so the kind beside them stays its own.
  long double AsReal() const {
    long double x;
    asm("fldt %1" : "=t"(x) : "m"(*reinterpret_cast<const unsigned char(*)[PayloadSize]>(payload_)));
    return x;
  }
  char AsChar() const { return Read<char>(); }
  bool AsBool() const { return payload_[0] != 0; }
  // Whether this is the Char of the empty literal.
  bool IsEmptyChar() const { return kind_ == kcChar && payload_[1] == EmptyTextMark[1]; }
  const std::string& Str() const {
    const TValueText* text = Text();
    return text ? text->Text : EmptyText();
  }

  TValue& SetAsInt(std::int64_t n) { return Write(n); }
  TValue& SetAsReal(long double x) {
    asm("fstpt %0" : "=m"(*reinterpret_cast<unsigned char(*)[PayloadSize]>(payload_)) : "t"(x) : "st");
    return *this;
  }
  TValue& SetAsChar(char c) { return Write(std::array<char, 2>{c, '\0'}); }
  TValue& SetAsBool(bool b) { return Write(static_cast<unsigned char>(b ? 1 : 0)); }
  // Makes the value the String s.
  TValue& SetStr(std::string s);
  // Appends to the text in place when this value holds its only reference,
  // else to a copy: s := s + 'x' grows s instead of copying it each time.
  TValue& AppendStr(std::string_view tail);
  // Character i (0-based, inside the text) set the same way: in place when
  // unshared.
  TValue& SetStrChar(std::size_t i, char c);
  // The kind's zero value: payload and text cleared, the kind kept.
  TValue& Clear() {
    if (TValueText* text = Text()) text->Release();
    std::memset(payload_, 0, PayloadSize);
    return *this;
  }

private:
  static constexpr int PayloadSize = 10;  // the 80-bit real is the widest member
  // The Char's byte, then 1 for the empty literal's Char.
  static constexpr std::array<char, 2> EmptyTextMark{'\0', '\1'};

  static TValue Make(TKindCode kind) {
    TValue v;
    v.kind_ = kind;
    return v;
  }
  static const std::string& EmptyText();

  // A String's text, nil for every other value.
  TValueText* Text() const { return kind_ == kcString ? Read<TValueText*>() : nullptr; }
  // The payload of other, its reference (if any) not taken.
  void CopyPayload(const TValue& other) { std::memcpy(payload_, other.payload_, PayloadSize); }
  // A value moved from keeps its kind but no longer its text.
  void ForgetText() {
    if (kind_ == kcString) Write<TValueText*>(nullptr);
  }
  TValue& Swap(TValue& other) noexcept {
    unsigned char payload[PayloadSize];
    std::memcpy(payload, payload_, PayloadSize);
    CopyPayload(other);
    std::memcpy(other.payload_, payload, PayloadSize);
    std::swap(kind_, other.kind_);
    return *this;
  }

  template <class T>
  T Read() const {
    T result;
    std::memcpy(&result, payload_, sizeof(T));
    return result;
  }
  template <class T>
  TValue& Write(T value) {
    std::memcpy(payload_, &value, sizeof(T));
    return *this;
  }

  alignas(8) unsigned char payload_[PayloadSize]{};
  TKindCode kind_ = kcNone;
};

// The absence of a value: kind kcNone, payload cleared.
extern const TValue NoneValue;

// Sets v to kind's zero value; a code that no value carries fails an assertion.
void ClearValue(TKindCode kind, TValue& v);
// dst := src converted to kind. Allowed: each kind to itself, Integer -> Real,
// Char -> String (the empty literal's Char gives the empty text, every other
// Char one character, NUL included), Enum -> Integer (ordinal
// + 1, EIntOverflow when it does not fit). Any other pair fails an assertion.
void ConvertValue(TKindCode kind, const TValue& src, TValue& dst);
// Converts src into the kind dst already has. Char, Boolean and Enum targets
// take the payload without looking at the source kind.
void AssignValue(const TValue& src, TValue& dst);
// The kinds whose values are ordinals: Integer, Char, Boolean, Enum.
bool IsOrdinalCode(TKindCode code);
// Integer, Enum (ordinal), Char (code), Boolean (0/1) as a 64-bit number;
// false for other kinds.
bool ValueToOrdinal(const TValue& v, std::int64_t& n);
// The same as a 32-bit number; ERangeError beyond 32 bits.
bool ValueToInt(const TValue& v, std::int32_t& n);
bool IsVoidValue(const TValue& v);
bool SameValue(const TValue& a, const TValue& b);

std::string ValueToText(const TValue& v);
// Uses Params.FMantissa and Params.FExponent.
std::string RealToText(long double x);
// mantissa: significant digits, clamped to 2..18; exponentDigits: minimum
// exponent digits, 0..4 (a larger number acts as 0).
std::string RealToText(long double x, std::int64_t mantissa, std::int64_t exponentDigits);
// The digits RealToText prints for an option as it may be stored.
int PrintedMantissa(std::int64_t mantissa);
int PrintedExponentDigits(std::int64_t exponentDigits);

// Binary digits of a positive n without leading zeros; "0" for n <= 0.
std::string IntToBin(std::int32_t n);
// Reads a binary literal; its first character (the prefix) is skipped, a '1'
// counts, any other character counts as 0. False, n untouched, for more than
// 63 characters.
bool BinToInt(const std::string& s, std::int64_t& n);

// Exchange with host variants.
TKindCode VariantKind(const TVariant& v);
void VariantToValue(const TVariant& v, TValue& value);
// An error while building the variant goes to ReportError, v stays empty.
void ValueToVariant(const TValue& value, TVariant& v);
