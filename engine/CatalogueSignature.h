#pragma once
// A routine signature as a standard library's catalogue declares it: what a
// header such as "function ( x, y : real; n : integer = 1 ) : real" states,
// given as data, so that building the libraries at start-up needs no lexer.
// TCatalogue::Signature makes the kind from it. Descriptions are
// compile-time constants:
//
//   Function({Param("x", kcReal), Param("n", kcInteger, 1)}, kcReal)
//   Procedure({VarParam("M", "Matrix"), Param("N2", kcInteger, -1)})
//   Function({}, "AnyFunction")

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>

#include "engine/Kind.h"

// A kind: a built-in scalar kind by its code, or a registered kind by the
// name a script would write ("Vector", "AnyArray", "TMathFunc", "Word").
// The empty reference is a procedure's missing result.
class TKindRef {
public:
  constexpr TKindRef() = default;
  constexpr TKindRef(TKindCode scalar) : scalar_(scalar) {}
  constexpr TKindRef(const char* name) : name_(name) {}

  constexpr bool Empty() const { return scalar_ == kcNone && !name_; }
  constexpr TKindCode Scalar() const { return scalar_; }
  constexpr const char* Name() const { return name_; }

private:
  TKindCode scalar_ = kcNone;
  const char* name_ = nullptr;
};

// A parameter's default value: an Integer or Boolean literal, converted to
// the parameter's kind as a script's default is (Integer 0 for a Real is
// 0.0), or a member of the parameter's enumeration. The empty default is
// none.
class TDefaultSpec {
public:
  constexpr TDefaultSpec() = default;
  constexpr TDefaultSpec(int n) : code_(kcInteger), number_(n) {}
  constexpr TDefaultSpec(bool b) : code_(kcBoolean), number_(b ? 1 : 0) {}
  static constexpr TDefaultSpec Member(const char* name) {
    TDefaultSpec member;
    member.code_ = kcEnum;
    member.member_ = name;
    return member;
  }

  // kcNone, kcInteger, kcBoolean or kcEnum.
  constexpr TKindCode Code() const { return code_; }
  constexpr int Number() const { return number_; }
  constexpr const char* MemberName() const { return member_; }

private:
  TKindCode code_ = kcNone;
  int number_ = 0;
  const char* member_ = nullptr;
};

struct TParamSpec {
  const char* Name = nullptr;
  TKindRef Kind;
  TArgMode Mode = amValue;
  TDefaultSpec Default;
};

consteval TParamSpec Param(const char* name, TKindRef kind, TDefaultSpec defaultValue = {}) {
  return {name, kind, amValue, defaultValue};
}

// A var parameter, which takes no default.
consteval TParamSpec VarParam(const char* name, TKindRef kind) { return {name, kind, amVar, {}}; }

class TSignatureSpec {
public:
  static constexpr std::size_t MaxParams = 7;

  consteval TSignatureSpec(std::initializer_list<TParamSpec> params, TKindRef result) : result_(result) {
    if (params.size() > MaxParams) throw "a catalogue signature takes at most MaxParams parameters";
    for (const TParamSpec& param : params) params_[count_++] = param;
  }

  std::span<const TParamSpec> Params() const { return {params_.data(), count_}; }
  // Empty for a procedure.
  const TKindRef& Result() const { return result_; }

private:
  std::array<TParamSpec, MaxParams> params_{};
  std::size_t count_ = 0;
  TKindRef result_;
};

consteval TSignatureSpec Procedure(std::initializer_list<TParamSpec> params = {}) { return {params, {}}; }

consteval TSignatureSpec Function(std::initializer_list<TParamSpec> params, TKindRef result) {
  if (result.Empty()) throw "a function has a result";
  return {params, result};
}
