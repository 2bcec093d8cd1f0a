#include "engine/ExtFunc.h"

#include "engine/Kind.h"

TExtFunc::TExtFunc(std::string name, TFuncKind* signature, TTarnClient& client, int index, TLib* lib)
    : TFunc(std::move(name), signature, lib), client_(client), argValues_(signature->ArgCount()), index_(index) {}

bool TExtFunc::Execute(TSourcePos pos) {
  for (int i = 0; i < ArgCount(); ++i) ValueToVariant(GetArgValue(i), argValues_[static_cast<size_t>(i)]);
  const TVariant answer = client_.TarnExecs(index_, argValues_);
  auto* result = dynamic_cast<TBaseVar*>(ResultVariable());
  if (!result) return true;
  if (!IsCompatibleCode(result->Kind()->Code(), VariantKind(answer))) {
    ReportError("Function \"" + Name() + "\" has result of wrong type", pos, nullptr);
    return false;
  }
  TValue value;
  VariantToValue(answer, value);
  result->SetValue(value);
  return true;
}

TExtVar::TExtVar(std::string name, TTarnClient& client, TFuncKind* kind, int index, TLib* lib)
    : TFuncVar(name, kind, true, nullptr, lib),
      func_(std::make_unique<TExtFunc>(std::move(name), kind, client, index, lib)) {
  Hold(func_.get());
}
