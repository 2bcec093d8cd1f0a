#pragma once
// The engine's one operator table. The compiler chooses every operator once,
// at build time, from the token and the operand kinds; evaluation only
// applies the chosen object. Registration order matters: among operators that
// match equally well, the first registered wins.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "engine/Operator.h"

class TKind;
class TLex;
class TLib;

class TOpTab {
public:
  // The operator classes of lex decide IsMulOp and IsUnaryOp.
  explicit TOpTab(const TLex& lex) : lex_(lex) {}
  TOpTab(const TOpTab&) = delete;
  TOpTab& operator=(const TOpTab&) = delete;

  // Frees every operator (a script operator with its routine).
  void Clear();
  // Takes the operator in every case. An operator whose token and operand
  // kinds are identical to one already registered is freed and refused with
  // False; nil fails the assertion "DC085C29".
  bool Add(std::unique_ptr<TOperator> op);
  // The operator for an operation; right is nil for a unary one. Operand
  // kinds identical to an operator's win over kinds it only accepts by
  // conversion (tried only with allowConversion), wherever it stands.
  TOperator* Find(std::uint8_t token, bool allowConversion, TKind* left, TKind* right) const;
  // One matching pass of Find: the first operator of the token whose operand
  // kinds are SameKind as the given ones, or with conversion accept them
  // (IsAssignable); a binary operator never serves a unary use and a unary
  // one never a binary use. -1 when none matches.
  int IndexOf(bool conversion, std::uint8_t token, TKind* left, TKind* right) const;

  // The compiler's precedence questions while it parses terms and factors.
  bool IsMulOp(std::uint8_t token) const;
  bool IsUnaryOp(std::uint8_t token) const;

  // The 43 built-in operators on integers, reals, strings, characters,
  // Booleans, enumerations and sets, in their fixed order.
  void RegisterBuiltIns();
  // Frees the operators of lib, the others keeping their order; nil removes nothing.
  void RemoveLib(const TLib* lib);
  // The operators of lib taken out, each with its place; Reattach puts
  // them back there.
  using TDetached = std::vector<std::pair<int, std::unique_ptr<TOperator>>>;
  TDetached Detach(const TLib* lib);
  void Reattach(TDetached& detached);

  int Count() const { return static_cast<int>(items_.size()); }
  TOperator* Get(int index) const;  // 0-based, registration order

private:
  const TLex& lex_;
  std::vector<std::unique_ptr<TOperator>> items_;
};
