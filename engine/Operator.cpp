#include "engine/Operator.h"

#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/MessageChannel.h"
#include "engine/Var.h"

bool RunOperatorBody(TOperatorBody body, TVar* left, TVar* right, TVar* result) {
  return ReportingFaults([&] { body(left, right, result); });
}

TBinOp::TBinOp(std::uint8_t token, TKind* leftKind, TKind* rightKind, TKind* resultKind, TLib* lib)
    : TOperator(token, lib),
      left_(leftKind),
      right_(rightKind),
      result_(MakeVar("", resultKind, true, NoneValue, nullptr)) {}

TBinOp::~TBinOp() = default;

TKind* TBinOp::ResultKind() const { return result_->Kind(); }

TUnOp::TUnOp(std::uint8_t token, TKind* operandKind, TKind* resultKind, TLib* lib)
    : TOperator(token, lib), operand_(operandKind), result_(MakeVar("", resultKind, true, NoneValue, nullptr)) {}

TUnOp::~TUnOp() = default;

TKind* TUnOp::ResultKind() const { return result_->Kind(); }

TFuncOp::TFuncOp(std::uint8_t token, std::unique_ptr<TFunc> routine, TLib* lib)
    : TOperator(token, lib), routine_(std::move(routine)) {}

TFuncOp::~TFuncOp() = default;

bool TFuncOp::Apply(TVar* left, TVar* right) {
  TVar* const operands[] = {left, right};
  return routine_->CallDirect(std::span(operands, right ? 2 : 1), NoPosition);
}

// The operand kinds come from the signature, which a variadic routine's
// argument list (rebuilt per call) does not reflect.
bool TFuncOp::IsBinary() const { return routine_->Signature()->ArgCount() == 2; }

TKind* TFuncOp::LeftKind() const { return routine_->Signature()->Arg(0)->Kind(); }

TKind* TFuncOp::RightKind() const {
  const TFuncKind* signature = routine_->Signature();
  return signature->ArgCount() > 1 ? signature->Arg(1)->Kind() : nullptr;
}

TVar* TFuncOp::ResultVar() const { return routine_->ResultVariable(); }

TKind* TFuncOp::ResultKind() const { return routine_->ResultKind(); }
