#include "libraries/SysConvert.h"

#include <cmath>

#include "libraries/BuiltInArgs.h"
#include "runtime/NumberText.h"
#include "runtime/Exceptions.h"

namespace {

// 2^63 is exact in 80 bits; every integral real below it in magnitude fits.
constexpr long double TwoTo63 = 9223372036854775808.0L;

bool SetIntegerOf(const TFunc& func, long double (*integralPart)(long double)) {
  SetResult(func, TValue::Integer(IntegralToInteger(integralPart(RealArg(func, 0)))));
  return true;
}

}  // namespace

std::string HexText(std::int64_t n) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  auto pattern = static_cast<std::uint64_t>(n);
  std::string text;
  do {
    text.insert(text.begin(), Digits[pattern & 0xF]);
    pattern >>= 4;
  } while (pattern != 0);
  return text;
}

std::int64_t IntegralToInteger(long double integral) {
  if (!(integral >= -TwoTo63 && integral < TwoTo63)) throw EInvalidOp();
  return static_cast<std::int64_t>(integral);
}

bool TBinSF::Execute(TSourcePos) {
  std::int32_t n = 0;
  ValueToInt(GetArgValue(0), n);
  SetResult(*this, TValue::String(IntToBin(n)));
  return true;
}

bool THexSF::Execute(TSourcePos) {
  SetResult(*this, TValue::String(HexText(IntArg(*this, 0))));
  return true;
}

// nearbyint rounds half to even in the default rounding mode.
bool TRoundSF::Execute(TSourcePos) {
  return SetIntegerOf(*this, [](long double x) { return std::nearbyint(x); });
}

bool TTruncSF::Execute(TSourcePos) {
  return SetIntegerOf(*this, [](long double x) { return std::trunc(x); });
}

bool TCeilSF::Execute(TSourcePos) {
  return SetIntegerOf(*this, [](long double x) { return std::ceil(x); });
}

bool TFloorSF::Execute(TSourcePos) {
  return SetIntegerOf(*this, [](long double x) { return std::floor(x); });
}

bool TChrSF::Execute(TSourcePos) {
  SetResult(*this, TValue::Char(static_cast<char>(IntArg(*this, 0) & 0xFF)));
  return true;
}

bool TOrdSF::Execute(TSourcePos) {
  SetResult(*this, TValue::Integer(static_cast<unsigned char>(GetArgValue(0).AsChar())));
  return true;
}

bool TStrToFloatSF::Execute(TSourcePos) {
  long double x = 0;
  bool read = TextToReal(TextArg(*this, 0), x);
  if (read) BaseRefArg(*this, 1).SetValue(TValue::Real(x));
  SetResult(*this, TValue::Boolean(read));
  return true;
}

bool TStrToIntSF::Execute(TSourcePos) {
  std::int64_t n = 0;
  bool read = TextToInt(TextArg(*this, 0), n);
  if (read) BaseRefArg(*this, 1).SetValue(TValue::Integer(n));
  SetResult(*this, TValue::Boolean(read));
  return true;
}
