#include "libraries/SysApply.h"

#include <string>

#include "engine/ArrVar.h"
#include "engine/Kind.h"
#include "engine/VarBlock.h"
#include "libraries/BuiltInArgs.h"
#include "runtime/Quoted.h"

namespace {

std::string AboutFunction(const TFunc& func, const char* complaint) {
  return "Function " + Quoted(func.Name()) + " " + complaint;
}

// Runs func on one element: the element is its first argument when it takes
// one, and takes its result when it gives one.
bool ApplyToElement(TFunc& func, TVar& element, TSourcePos pos) {
  TVar* args[] = {&element};
  bool takesArgument = func.Signature()->ArgCount() > 0;
  if (!func.CallDirect(takesArgument ? std::span<TVar* const>(args) : std::span<TVar* const>(), pos)) return false;
  return !func.ResultVariable() || element.Assign(*func.ResultVariable(), false);
}

class TApplication {
public:
  TApplication(TFunc& func, TSourcePos pos) : func_(func), signature_(*func.Signature()), pos_(pos) {}

  bool ApplyTo(TVar& target) {
    if (target.Kind()->Code() != kcArray) return Refuse("Cannot apply the function to a non-array variable", pos_);
    if (signature_.ArgCount() - signature_.DefaultCount() > 1)
      return Refuse(AboutFunction(func_, "takes wrong number of arguments"), pos_);
    auto& array = static_cast<TArrVar&>(target);
    if (array.Count() == 0) return Refuse("Array is empty", pos_);
    TKind* elem = static_cast<TArrKind*>(array.Kind())->Elem();
    if (TakesElements(elem)) {
      if (!ResultFits(elem)) return Refuse(AboutFunction(func_, "result is not compatible with the array"), pos_);
      return ForEachElement(array, [this](TVar& element) { return ApplyToElement(func_, element, pos_); });
    }
    if (elem->Code() == kcArray)
      return ForEachElement(array, [this](TVar& row) { return ApplyTo(row); });
    return Refuse(AboutFunction(func_, "is not applicable to the given array"), pos_);
  }

private:
  // A routine without parameters takes any element, as long as its result fits.
  bool TakesElements(TKind* elem) const {
    if (signature_.ArgCount() == 0) return ResultFits(elem);
    return AcceptsArgument(*signature_.Arg(0), elem);
  }

  bool ResultFits(TKind* elem) const { return !signature_.Result() || IsAssignable(elem, signature_.Result()); }

  // Each element is pinned while the routine runs on it, since the routine
  // may re-dimension the array: the walk then goes on over the new elements,
  // and the result for the element that was replaced is lost.
  template <class Step>
  static bool ForEachElement(TArrVar& array, Step step) {
    TSlotVar view;
    for (std::int32_t p = 0; p < array.Count(); ++p) {
      const TVarPin element(&array.ElemAt(p, view));
      if (!step(*element.Get())) return false;
    }
    return true;
  }

  TFunc& func_;
  TFuncKind& signature_;
  TSourcePos pos_;
};

}  // namespace

bool TApplySF::Execute(TSourcePos pos) {
  TFunc* func = static_cast<TFuncVar*>(RefArg(0))->Func();
  if (!func) return Refuse("Function is empty", pos);
  // Refused before the array is looked at, as a call of it would be.
  if (func->Busy()) return Refuse("Reentering in " + Quoted(func->Name()) + " attempted", pos);
  return TApplication(*func, pos).ApplyTo(*RefArg(1));
}
