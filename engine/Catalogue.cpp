#include "engine/Catalogue.h"

#include "engine/Kind.h"
#include "engine/Value.h"
#include "engine/XBuilder.h"
#include "runtime/Exceptions.h"

namespace {

// The value a script's default of this literal would have: the literal
// converted to the parameter's kind.
TValue DefaultValue(const TDefaultSpec& spec, const TKind& kind) {
  TValue literal;
  switch (spec.Code()) {
    case kcNone:
      return NoneValue;
    case kcEnum: {
      const int ordinal = kind.Code() == kcEnum ? static_cast<const TEnumKind&>(kind).IndexOf(spec.MemberName()) : -1;
      QASSERT(ordinal >= 0, "5E4B1D22");
      literal = TValue::Enum(ordinal);
      break;
    }
    case kcBoolean:
      literal = TValue::Boolean(spec.Number() != 0);
      break;
    default:
      literal = TValue::Integer(spec.Number());
      break;
  }
  QASSERT(IsCompatibleCode(kind.Code(), literal.Kind()), "5E4B1D22");
  TValue value;
  ConvertValue(kind.Code(), literal, value);
  return value;
}

}  // namespace

TXBuilder& TCatalogue::Engine() const {
  engine_.CurLib = lib_;
  return engine_;
}

TFuncKind* TCatalogue::Signature(const TSignatureSpec& description, const char* typeName) {
  auto signature = std::make_unique<TFuncKind>(typeName, lib_);
  for (const TParamSpec& param : description.Params()) {
    TKind* kind = KindOf(param.Kind);
    const bool added = signature->AddArg(param.Name, kind, param.Mode, DefaultValue(param.Default, *kind));
    QASSERT(added, "5E4B1D22");
  }
  if (!description.Result().Empty()) signature->SetResult(KindOf(description.Result()));
  return static_cast<TFuncKind*>(AddKind(std::move(signature)));
}

TKind* TCatalogue::KindOf(const TKindRef& kind) const {
  TKind* found = kind.Name() ? FindKind(kind.Name()) : BaseKind(kind.Scalar());
  QASSERT(found, "5E4B1D22");
  return found;
}

TEnumKind* TCatalogue::AddEnumeration(const std::string& name, std::span<const char* const> members) {
  return Engine().RegisterEnumeration(name, members);
}

TKind* TCatalogue::AddKind(std::unique_ptr<TKind> kind) { return Engine().kinds_.Register(std::move(kind), lib_); }

TKind* TCatalogue::FindKind(const std::string& name) const { return engine_.kinds_.FindKind(name); }

void TCatalogue::AddConstant(std::unique_ptr<TVar> constant) { Engine().vars_.Add(std::move(constant)); }

TFunc* TCatalogue::AddRoutine(std::unique_ptr<TFunc> routine, TFuncRegistration how) {
  return Engine().RegisterFunc(std::move(routine), how);
}

void TCatalogue::AddOperator(std::unique_ptr<TOperator> op) { Engine().ops_.Add(std::move(op)); }
