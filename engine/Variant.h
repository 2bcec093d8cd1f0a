#pragma once
// The host's variant: a value tagged with an OLE Automation type code (plus
// varString, the host runtime's own 8-bit string). Values cross to host
// objects and out of the engine facade in this form.

#include <cstdint>
#include <string>

using TVarType = std::uint16_t;

inline constexpr TVarType varEmpty = 0;
inline constexpr TVarType varNull = 1;
inline constexpr TVarType varSmallint = 2;
inline constexpr TVarType varInteger = 3;
inline constexpr TVarType varSingle = 4;
inline constexpr TVarType varDouble = 5;
inline constexpr TVarType varCurrency = 6;
inline constexpr TVarType varDate = 7;
inline constexpr TVarType varOleStr = 8;
inline constexpr TVarType varDispatch = 9;
inline constexpr TVarType varError = 10;
inline constexpr TVarType varBoolean = 11;
inline constexpr TVarType varVariant = 12;
inline constexpr TVarType varUnknown = 13;
inline constexpr TVarType varShortInt = 16;
inline constexpr TVarType varByte = 17;
inline constexpr TVarType varWord = 18;
inline constexpr TVarType varLongWord = 19;
inline constexpr TVarType varInt64 = 20;
inline constexpr TVarType varUInt64 = 21;
inline constexpr TVarType varString = 256;

inline constexpr std::uint32_t E_FAIL = 0x80004005u;

// Each type keeps its value in one field: the integer types and varError in
// the integer (varCurrency as units of 1/10000), varSingle, varDouble and
// varDate in the real, which keeps the engine's full 80 bits so that every
// Real result crosses unchanged, varBoolean as 0/1 in the integer, the strings as
// UTF-8 or byte text. Other types (null, objects, arrays) carry no value here.
class TVariant {
public:
  TVariant() = default;

  static TVariant Integer(TVarType type, std::int64_t n) { return TVariant(type, n, 0.0L); }
  static TVariant Int64(std::int64_t n) { return Integer(varInt64, n); }
  static TVariant Real(TVarType type, long double x) { return TVariant(type, 0, x); }
  static TVariant Currency(std::int64_t units) { return Integer(varCurrency, units); }
  static TVariant Boolean(bool b) { return Integer(varBoolean, b ? 1 : 0); }
  static TVariant Text(TVarType type, std::string s) {
    TVariant v(type, 0, 0.0L);
    v.text_ = std::move(s);
    return v;
  }
  static TVariant String(std::string s) { return Text(varString, std::move(s)); }
  static TVariant Error(std::uint32_t code) { return Integer(varError, code); }
  static TVariant OfType(TVarType type) { return TVariant(type, 0, 0.0L); }

  TVarType VarType() const { return type_; }
  std::int64_t AsInt() const { return int_; }
  long double AsReal() const { return real_; }
  bool AsBool() const { return int_ != 0; }
  const std::string& AsText() const { return text_; }
  std::uint32_t ErrorCode() const { return static_cast<std::uint32_t>(int_); }

  friend bool operator==(const TVariant&, const TVariant&) = default;

private:
  TVariant(TVarType type, std::int64_t n, long double x) : type_(type), int_(n), real_(x) {}

  TVarType type_ = varEmpty;
  std::int64_t int_ = 0;
  long double real_ = 0.0L;
  std::string text_;
};
