#include "engine/TensorExpr.h"

#include <string>

#include "engine/ArrVar.h"

TTensorExpr::~TTensorExpr() = default;

void TTensorExpr::AddElement(std::unique_ptr<TExpression> expr) {
  TExpression* added = expr.get();
  if (last_)
    AppendExpression(*last_, std::move(expr));
  else
    elements_ = std::move(expr);
  last_ = added;
  ++count_;
}

void TTensorExpr::MakeArray(TKind* kind) {
  std::unique_ptr<TVar> array = MakeVar(std::string(), kind, false, NoneValue, Lib());
  static_cast<TArrVar&>(*array).SetLength(count_);
  Own(std::move(array));
}

bool TTensorExpr::Compute(TEvalMode mode) {
  auto* array = static_cast<TArrVar*>(ResultVar());
  std::int64_t i = 1;
  TSlotVar view;
  for (TExpression* element = elements_.get(); element; element = element->Next(), ++i) {
    if (!element->Compute(mode)) return false;
    if (!array->Elem(i, view).Assign(*element->ResultVar(), false)) return false;
  }
  return true;
}
