#include "engine/TypedEval.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <functional>
#include <numbers>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "engine/ArrVar.h"
#include "engine/DesignatorExpr.h"
#include "engine/Func.h"
#include "engine/FuncExpr.h"
#include "engine/Kind.h"
#include "engine/MessageChannel.h"
#include "engine/Operator.h"
#include "engine/OperatorExpr.h"
#include "engine/Proc.h"
#include "engine/RunFlags.h"
#include "engine/RunState.h"
#include "engine/ScalarArith.h"
#include "engine/ScalarOperators.h"
#include "engine/Var.h"
#include "runtime/Exceptions.h"

namespace {

using TReal = long double;
using TInt = std::int64_t;

// A part failed and has reported it, or stopped for an abort: the root
// answers nil.
struct TStopped {};

// A fault out of a part's generic evaluation: carried past the root's
// handler of arithmetic faults and thrown on unchanged, as the generic
// evaluation lets it through.
struct TPassedFault {
  std::exception_ptr Fault;
};

class TNodeBase {
public:
  virtual ~TNodeBase() = default;
};

class TElemLocator;

template <class T>
class TNode : public TNodeBase {
public:
  virtual T Eval() = 0;
  // A root assigning this node's value to target (or to the element elem
  // locates), with the node fused into it; nil when the node has none.
  virtual std::unique_ptr<TTypedRoot> AssignedTo(TVar* /*target*/, std::unique_ptr<TElemLocator>& /*elem*/) {
    return nullptr;
  }
};

template <class T>
[[gnu::always_inline]] inline T Read(const TValue& value, bool widen) {
  if constexpr (std::is_same_v<T, TReal>)
    return widen ? static_cast<TReal>(value.AsInt()) : value.AsReal();
  else if constexpr (std::is_same_v<T, TInt>)
    return value.AsInt();
  else
    return value.AsBool();
}

template <class T>
[[gnu::always_inline]] inline void Write(TValue& slot, T value) {
  if constexpr (std::is_same_v<T, TReal>)
    slot.SetAsReal(value);
  else if constexpr (std::is_same_v<T, TInt>)
    slot.SetAsInt(value);
  else
    slot.SetAsBool(value);
}

bool IsTypedCode(TKindCode code) { return code == kcReal || code == kcInteger || code == kcBoolean; }

// Whether a variable of the target code takes a value of the other.
bool Takes(TKindCode target, TKindCode value) { return target == value || (target == kcReal && value == kcInteger); }

const TValue& ElementValue(const TElemLocator& elem);

enum class TWay : std::uint8_t { Constant, Slot, Reference, Element, Node };

// The value of the variable a by-reference view (a var parameter, a with
// record's field view) is bound to at the time.
TValue& BoundValue(const TRefVar& ref) { return *ref.Target()->StoredSlot(); }

// The variables a part reads through their slots, the arrays whose
// elements it reads, and whether it reads a variable through a
// by-reference view (which may be bound to any variable or element).
struct TReadSet {
  std::vector<const TValue*> Slots;
  std::vector<const TArrVar*> Arrays;
  bool ThroughRef = false;

  bool MayRead(const TValue* slot) const {
    return ThroughRef || std::find(Slots.begin(), Slots.end(), slot) != Slots.end();
  }
  bool MayReadElementOf(const TArrVar* array) const {
    return ThroughRef || std::find(Arrays.begin(), Arrays.end(), array) != Arrays.end();
  }
  static TReadSet Joined(const TReadSet& a, const TReadSet& b) {
    TReadSet joined = a;
    joined.Slots.insert(joined.Slots.end(), b.Slots.begin(), b.Slots.end());
    joined.Arrays.insert(joined.Arrays.end(), b.Arrays.begin(), b.Arrays.end());
    joined.ThroughRef = a.ThroughRef || b.ThroughRef;
    return joined;
  }
};

// A lowered part of an expression, before it is read as an operand.
struct TLowered {
  TKindCode Code = kcNone;  // kcReal, kcInteger or kcBoolean; kcNone: not lowered
  TWay Way = TWay::Node;
  TValue Constant;
  TValue* Slot = nullptr;
  TRefVar* Ref = nullptr;
  std::unique_ptr<TElemLocator> Elem;
  std::unique_ptr<TNodeBase> Node;  // a TNode of the code's type
  // Running it has no effect and cannot set the abort flag.
  bool Pure = true;
  TReadSet Reads;
  // A designator: the generic chain reads its variable when the operator
  // applies, after the right operand ran.
  bool ReadsLate = false;

  explicit operator bool() const { return Code != kcNone; }
};

// The widening of an Integer node where a Real is wanted.
class TWidenNode final : public TNode<TReal> {
public:
  explicit TWidenNode(std::unique_ptr<TNodeBase> inner) : inner_(static_cast<TNode<TInt>*>(inner.release())) {}
  TReal Eval() override { return static_cast<TReal>(inner_->Eval()); }

private:
  std::unique_ptr<TNode<TInt>> inner_;
};

// An operand as a node reads it: constants, variables and elements inline,
// anything else through its node. An Integer part read as a Real widens.
template <class T>
class TOperand {
public:
  TOperand() = default;
  explicit TOperand(TLowered&& part) : way_(part.Way) {
    const bool widen = std::is_same_v<T, TReal> && part.Code == kcInteger;
    switch (way_) {
      case TWay::Constant:
        constant_ = Read<T>(part.Constant, widen);
        break;
      case TWay::Slot:
        slot_ = part.Slot;
        widen_ = widen;
        break;
      case TWay::Reference:
        ref_ = part.Ref;
        widen_ = widen;
        break;
      case TWay::Element:
        elem_ = std::move(part.Elem);
        widen_ = widen;
        break;
      case TWay::Node:
        if constexpr (std::is_same_v<T, TReal>)
          if (widen) part.Node = std::make_unique<TWidenNode>(std::move(part.Node));
        node_.reset(static_cast<TNode<T>*>(part.Node.release()));
        break;
    }
  }

  [[gnu::always_inline]] T Get() const {
    switch (way_) {
      case TWay::Constant:
        return constant_;
      case TWay::Slot:
        return Read<T>(*slot_, widen_);
      case TWay::Reference:
        return Read<T>(BoundValue(*ref_), widen_);
      case TWay::Element:
        return Read<T>(ElementValue(*elem_), widen_);
      case TWay::Node:
        break;
    }
    return node_->Eval();
  }
  bool IsVariable() const { return way_ == TWay::Slot || way_ == TWay::Reference; }
  // Whether it reads the variable of slot as it is, without widening.
  bool IsSlot(const TValue* slot) const { return way_ == TWay::Slot && slot_ == slot && !widen_; }
  // Whether both read the same constant or variable the same way.
  bool SameAs(const TOperand& other) const {
    if (way_ != other.way_ || widen_ != other.widen_) return false;
    if (way_ == TWay::Constant) return constant_ == other.constant_;
    return way_ == TWay::Slot && slot_ == other.slot_;
  }
  // The element it reads as it is; nil for any other operand.
  const TElemLocator* Element() const { return way_ == TWay::Element && !widen_ ? elem_.get() : nullptr; }

private:
  TWay way_ = TWay::Constant;
  bool widen_ = false;
  T constant_{};
  TValue* slot_ = nullptr;
  TRefVar* ref_ = nullptr;
  std::unique_ptr<TElemLocator> elem_;
  std::unique_ptr<TNode<T>> node_;
};

// array[i, j, ...] of a table's array variable, its indices lowered and
// pure: each index selects one level, as TArrExpr does. The element is of a
// typed kind, so the last level is a compact array.
class TElemLocator {
public:
  struct TIndex {
    TOperand<TInt> Value;
    const TExpression* At;
  };

  TElemLocator(TArrVar* array, std::vector<TIndex> indices, TReadSet indexReads)
      : array_(array), indices_(std::move(indices)), indexReads_(std::move(indexReads)) {}

  const TArrVar* Array() const { return array_; }
  const TReadSet& IndexReads() const { return indexReads_; }
  bool SameElement(const TElemLocator& other) const {
    return array_ == other.array_ && indices_.size() == other.indices_.size() &&
           std::equal(indices_.begin(), indices_.end(), other.indices_.begin(),
                      [](const TIndex& a, const TIndex& b) { return a.Value.SameAs(b.Value); });
  }
  // The element's slot, or nil where Value would fail or report; nothing
  // is reported.
  TValue* TryLocate() const {
    try {
      const TVar* var = array_;
      TValue* slot = nullptr;
      for (std::size_t level = 0; level < indices_.size(); ++level) {
        const auto* array = static_cast<const TArrVar*>(var);
        const TInt i = indices_[level].Value.Get();
        if (!array->IsValidIndex(i)) return nullptr;
        if (level + 1 == indices_.size()) slot = array->SlotOrNil(i);
        else var = array->ElemOrNil(i);
      }
      return slot;
    } catch (...) {
      return nullptr;
    }
  }

  // The element's slot.
  TValue& Value() const {
    TInt i;
    const TArrVar& row = Row(i);
    return *row.SlotOrNil(i);
  }
  // The element as a variable: this locator's view, positioned on it.
  TSlotVar& Locate() const {
    TInt i;
    const TArrVar& row = Row(i);
    return view_.Position(row.ElemBlock(), static_cast<std::int32_t>(row.PositionOf(i)));
  }

private:
  // The array holding the element, and the element's valid index i there.
  const TArrVar& Row(TInt& i) const {
    TVar* var = array_;
    const std::size_t last = indices_.size() - 1;
    for (std::size_t level = 0;; ++level) {
      const TIndex& index = indices_[level];
      i = index.Value.Get();
      if (AbortFlag) throw TStopped();
      auto* array = static_cast<TArrVar*>(var);
      if (!array->IsValidIndex(i)) [[unlikely]] {
        ReportOutOfRange("Array", i, *index.At, TEvalMode::Run);
        throw TStopped();
      }
      if (level == last) return *array;
      var = array->ElemOrNil(i);
    }
  }

  TArrVar* array_;
  std::vector<TIndex> indices_;
  TReadSet indexReads_;
  mutable TSlotVar view_;
};

const TValue& ElementValue(const TElemLocator& elem) { return elem.Value(); }

// A part the lowering leaves to the generic evaluation: a call, a record
// field, a nested assignment, ...
template <class T>
class TGenericNode final : public TNode<T> {
public:
  TGenericNode(TExpression& expr, bool widen) : expr_(expr), widen_(widen) {}

  T Eval() override {
    bool done;
    try {
      done = expr_.Evaluate();
    } catch (...) {
      throw TPassedFault{std::current_exception()};
    }
    if (!done) throw TStopped();
    const TVar* var = expr_.ResultVar();
    if (const TValue* stored = var->StoredValue()) return Read<T>(*stored, widen_);
    return Read<T>(static_cast<const TBaseVar*>(var)->GetValue(), widen_);
  }

private:
  TExpression& expr_;
  bool widen_;
};

// Runs part of the generic engine; its faults pass the root's handler.
template <class Run>
auto Passing(Run&& run) {
  try {
    return run();
  } catch (...) {
    throw TPassedFault{std::current_exception()};
  }
}

// An argument computed into its parameter's slot, then tested for an
// abort as the call's argument list tests it.
class TArgStore {
public:
  TArgStore(TKindCode paramCode, TLowered&& value) : code_(paramCode) {
    if (code_ == kcReal)
      real_ = TOperand<TReal>(std::move(value));
    else if (code_ == kcInteger)
      integer_ = TOperand<TInt>(std::move(value));
    else
      boolean_ = TOperand<bool>(std::move(value));
  }

  void Store(TValue& slot) const {
    if (code_ == kcReal)
      Checked(slot, real_.Get());
    else if (code_ == kcInteger)
      Checked(slot, integer_.Get());
    else
      Checked(slot, boolean_.Get());
  }

private:
  template <class T>
  static void Checked(TValue& slot, T value) {
    if (AbortFlag) throw TStopped();
    Write<T>(slot, value);
  }

  TKindCode code_;
  TOperand<TReal> real_;
  TOperand<TInt> integer_;
  TOperand<bool> boolean_;
};

// A call of a routine whose parameters all take typed values: each
// argument is computed straight into its parameter's slot once the call has
// begun (so that f(f(x)) is refused as before), and the value is read from
// Result. The steps, messages and abort tests are those of TFuncExpr.
template <class T>
class TCallNode final : public TNode<T> {
public:
  TCallNode(TFuncExpr& expr, std::vector<TArgStore>&& args)
      : expr_(expr),
        plainCallee_(PlainVariable(expr.Callee())),
        args_(std::move(args)) {}

  T Eval() override {
    TFunc* func = Routine();
    TFuncCall call(*func);
    if (!call.Begin(expr_.Pos(), {})) throw TStopped();
    if (func != slotsOf_) FindSlots(*func);
    for (std::size_t i = 0; i < args_.size(); ++i) args_[i].Store(*paramSlots_[i]);
    if (!Passing([&] { return Execute(*func); })) throw TStopped();
    return Read<T>(*resultSlot_, false);
  }

private:
  static TVarExpr* PlainVariable(TExpression* callee) {
    return typeid(*callee) == typeid(TVarExpr) ? static_cast<TVarExpr*>(callee) : nullptr;
  }
  // A routine named by a variable is that variable's, without the two
  // virtual calls of evaluating it.
  TVar* CalleeVariable() {
    if (plainCallee_) return plainCallee_->TVarExpr::ResultVar();
    if (!expr_.Callee()->Evaluate()) throw TStopped();
    return expr_.Callee()->ResultVar();
  }
  TFunc* Routine() {
    TVar* callee = CalleeVariable();
    if (AbortFlag) throw TStopped();
    TFunc* func = static_cast<TFuncVar*>(callee)->Func();
    if (!func) {
      ReportError("Empty function variable", expr_.Pos(), expr_.Lib());
      throw TStopped();
    }
    return func;
  }

  // A script routine runs without the virtual call.
  bool Execute(TFunc& func) {
    if (!script_) return func.Execute(expr_.Pos());
    script_->Run();
    return true;
  }

  // A routine that is not variadic keeps its parameter and Result
  // variables for its life.
  void FindSlots(TFunc& func) {
    script_ = dynamic_cast<TProc*>(&func);
    paramSlots_.clear();
    for (std::size_t i = 0; i < args_.size(); ++i) {
      TValue* slot = func.Arg(static_cast<int>(i))->StoredSlot();
      QASSERT(slot, "36670CA5");
      paramSlots_.push_back(slot);
    }
    resultSlot_ = func.ResultVariable()->StoredValue();
    slotsOf_ = &func;
  }

  TFuncExpr& expr_;
  TVarExpr* plainCallee_;  // the callee when it is a plain variable
  std::vector<TArgStore> args_;
  TFunc* slotsOf_ = nullptr;
  TProc* script_ = nullptr;  // slotsOf_ when it is a script routine
  std::vector<TValue*> paramSlots_;
  const TValue* resultSlot_ = nullptr;
};

// One operator of an additive or multiplicative chain. A variable on the
// left is read after the right operand ran; the abort test follows the
// right operand, as in the chain.
template <class T, class L, class R, T (*Op)(L, R)>
class TStepNode final : public TNode<T> {
public:
  TStepNode(TLowered&& left, TLowered&& right)
      : rightReads_(right.Reads), rightPure_(right.Pure), left_(std::move(left)), right_(std::move(right)) {}

  // v := v op right, where right is pure and cannot read v: a loop may
  // keep v in a register across passes (see Folded).
  bool Accumulates(const TValue* slot) const {
    return left_.IsSlot(slot) && rightPure_ && !rightReads_.MayRead(slot);
  }
  // e := e op right for an element e that right cannot read: no element of
  // e's array, nothing through a by-reference view.
  bool AccumulatesElement(const TElemLocator& target) const {
    const TElemLocator* left = left_.Element();
    return left && left->SameElement(target) && rightPure_ && !rightReads_.MayReadElementOf(target.Array());
  }
  // One pass of such a loop: Eval with the left operand's value given.
  T Folded(L left) {
    const R right = right_.Get();
    if (AbortFlag) throw TStopped();
    return Op(left, right);
  }

  T Eval() override {
    L left;
    R right;
    if (left_.IsVariable()) {
      right = right_.Get();
      left = left_.Get();
    } else {
      left = left_.Get();
      right = right_.Get();
    }
    if (AbortFlag) throw TStopped();
    return Op(left, right);
  }
  std::unique_ptr<TTypedRoot> AssignedTo(TVar* target, std::unique_ptr<TElemLocator>& elem) override;

private:
  TReadSet rightReads_;
  bool rightPure_;
  TOperand<L> left_;
  TOperand<R> right_;
};

// left op right of a relation: each operand is read as it is evaluated.
template <class A, bool (*Holds)(A, A)>
class TRelationNode final : public TNode<bool> {
public:
  TRelationNode(TLowered&& left, TLowered&& right) : left_(std::move(left)), right_(std::move(right)) {}

  bool Eval() override {
    if (AbortFlag) throw TStopped();
    const A left = left_.Get();
    return Holds(left, right_.Get());
  }

private:
  TOperand<A> left_;
  TOperand<A> right_;
};

template <class T, T (*Op)(T)>
class TUnaryNode final : public TNode<T> {
public:
  explicit TUnaryNode(TLowered&& operand) : operand_(std::move(operand)) {}

  T Eval() override {
    if (AbortFlag) throw TStopped();
    return Op(operand_.Get());
  }

private:
  TOperand<T> operand_;
};

// The operators' computations as plain functions.
TReal RealQuotient(TReal left, TReal right) { return RealDiv(left, right); }
TReal RealToReal(TReal base, TReal exponent) { return RealPower(base, exponent); }
TReal RealToInteger(TReal base, TInt exponent) { return IntegerPower(base, exponent); }
TInt BitAnd(TInt left, TInt right) { return left & right; }
TInt BitOr(TInt left, TInt right) { return left | right; }
TInt BitXor(TInt left, TInt right) { return left ^ right; }
bool BothTrue(bool left, bool right) { return left && right; }
bool EitherTrue(bool left, bool right) { return left || right; }
bool OneTrue(bool left, bool right) { return left != right; }
template <class A>
bool Equal(A left, A right) { return left == right; }
template <class A>
bool Unequal(A left, A right) { return left != right; }
bool Below(TReal left, TReal right) { return left < right; }
bool Above(TReal left, TReal right) { return left > right; }
bool NotAbove(TReal left, TReal right) { return left <= right; }
bool NotBelow(TReal left, TReal right) { return left >= right; }
TReal RealNegated(TReal value) { return -value; }
TInt IntNegated(TInt value) { return IntNeg(value); }
template <class T>
T Same(T value) { return value; }
TInt BitsInverted(TInt value) { return ~value; }
bool Inverted(bool value) { return !value; }
TReal Radians(TReal degrees) { return DegreesToRadians(degrees); }

template <class Op>
bool Is(const TOperator* op) {
  return dynamic_cast<const Op*>(op) != nullptr;
}

TLowered MakeNode(TKindCode code, std::unique_ptr<TNodeBase> node, bool pure) {
  TLowered part;
  part.Code = code;
  part.Node = std::move(node);
  part.Pure = pure;
  return part;
}

template <class T, class L, class R, T (*Op)(L, R)>
TLowered Step(TKindCode code, TLowered&& left, TLowered&& right) {
  const bool pure = left.Pure && right.Pure;
  TReadSet reads = TReadSet::Joined(left.Reads, right.Reads);
  TLowered part = MakeNode(code, std::make_unique<TStepNode<T, L, R, Op>>(std::move(left), std::move(right)), pure);
  part.Reads = std::move(reads);
  return part;
}

bool IsNumber(const TLowered& part) { return part.Code == kcReal || part.Code == kcInteger; }

// One step of a chain, by its operator; not lowered when the operator is
// none the lowering knows or an operand is not of the kind it computes on.
TLowered LowerStep(const TOperator* op, TLowered&& left, TLowered&& right) {
  const bool numbers = IsNumber(left) && IsNumber(right);
  const bool integers = left.Code == kcInteger && right.Code == kcInteger;
  const bool booleans = left.Code == kcBoolean && right.Code == kcBoolean;
  auto real = [&]<TReal (*Op)(TReal, TReal)>() { return Step<TReal, TReal, TReal, Op>(kcReal, std::move(left), std::move(right)); };
  auto integer = [&]<TInt (*Op)(TInt, TInt)>() { return Step<TInt, TInt, TInt, Op>(kcInteger, std::move(left), std::move(right)); };
  auto boolean = [&]<bool (*Op)(bool, bool)>() { return Step<bool, bool, bool, Op>(kcBoolean, std::move(left), std::move(right)); };
  if (numbers) {
    if (Is<TAdd_FF>(op)) return real.operator()<RealAdd>();
    if (Is<TSub_FF>(op)) return real.operator()<RealSub>();
    if (Is<TMul_FF>(op)) return real.operator()<RealMul>();
    if (Is<TDiv_FF>(op)) return real.operator()<RealQuotient>();
    if (Is<TPow_FF>(op)) {
      if (right.Code == kcInteger)
        return Step<TReal, TReal, TInt, RealToInteger>(kcReal, std::move(left), std::move(right));
      return real.operator()<RealToReal>();
    }
  }
  if (integers) {
    if (Is<TAdd_II>(op)) return integer.operator()<IntAdd>();
    if (Is<TSub_II>(op)) return integer.operator()<IntSub>();
    if (Is<TMul_II>(op)) return integer.operator()<IntMul>();
    if (Is<TDiv_II>(op)) return integer.operator()<IntDiv>();
    if (Is<TMod_II>(op)) return integer.operator()<IntMod>();
    if (Is<TAnd_II>(op)) return integer.operator()<BitAnd>();
    if (Is<TOr_II>(op)) return integer.operator()<BitOr>();
    if (Is<TXor_II>(op)) return integer.operator()<BitXor>();
    if (Is<TShl_II>(op)) return integer.operator()<IntShl>();
    if (Is<TShr_II>(op)) return integer.operator()<IntShr>();
  }
  if (booleans) {
    if (Is<TAnd_BB>(op)) return boolean.operator()<BothTrue>();
    if (Is<TOr_BB>(op)) return boolean.operator()<EitherTrue>();
    if (Is<TXor_BB>(op)) return boolean.operator()<OneTrue>();
  }
  return {};
}

template <class A, bool (*Holds)(A, A)>
TLowered Relation(TLowered&& left, TLowered&& right) {
  const bool pure = left.Pure && right.Pure;
  TReadSet reads = TReadSet::Joined(left.Reads, right.Reads);
  TLowered part =
      MakeNode(kcBoolean, std::make_unique<TRelationNode<A, Holds>>(std::move(left), std::move(right)), pure);
  part.Reads = std::move(reads);
  return part;
}

TLowered LowerRelationStep(const TOperator* op, TLowered&& left, TLowered&& right) {
  if (IsNumber(left) && IsNumber(right)) {
    if (Is<TEqu_FF>(op)) return Relation<TReal, Equal<TReal>>(std::move(left), std::move(right));
    if (Is<TNEqu_FF>(op)) return Relation<TReal, Unequal<TReal>>(std::move(left), std::move(right));
    if (Is<TLess_FF>(op)) return Relation<TReal, Below>(std::move(left), std::move(right));
    if (Is<TGreat_FF>(op)) return Relation<TReal, Above>(std::move(left), std::move(right));
    if (Is<TLEqu_FF>(op)) return Relation<TReal, NotAbove>(std::move(left), std::move(right));
    if (Is<TGEqu_FF>(op)) return Relation<TReal, NotBelow>(std::move(left), std::move(right));
  }
  if (left.Code == kcBoolean && right.Code == kcBoolean) {
    if (Is<TEqu_BB>(op)) return Relation<bool, Equal<bool>>(std::move(left), std::move(right));
    if (Is<TNEqu_BB>(op)) return Relation<bool, Unequal<bool>>(std::move(left), std::move(right));
  }
  return {};
}

template <class T, T (*Op)(T)>
TLowered Unary(TKindCode code, TLowered&& operand) {
  const bool pure = operand.Pure;
  TReadSet reads = operand.Reads;
  TLowered part = MakeNode(code, std::make_unique<TUnaryNode<T, Op>>(std::move(operand)), pure);
  part.Reads = std::move(reads);
  return part;
}

TLowered LowerUnaryStep(const TOperator* op, TLowered&& operand) {
  if (IsNumber(operand)) {
    if (Is<TMinus_F>(op)) return Unary<TReal, RealNegated>(kcReal, std::move(operand));
    if (Is<TPlus_F>(op)) return Unary<TReal, Same<TReal>>(kcReal, std::move(operand));
    if (Is<TLQuote_F>(op)) return Unary<TReal, Radians>(kcReal, std::move(operand));
  }
  if (operand.Code == kcInteger) {
    if (Is<TMinus_I>(op)) return Unary<TInt, IntNegated>(kcInteger, std::move(operand));
    if (Is<TPlus_I>(op)) return Unary<TInt, Same<TInt>>(kcInteger, std::move(operand));
    if (Is<TNot_I>(op)) return Unary<TInt, BitsInverted>(kcInteger, std::move(operand));
  }
  if (operand.Code == kcBoolean && Is<TNot_B>(op)) return Unary<bool, Inverted>(kcBoolean, std::move(operand));
  return {};
}

class TLowering {
public:
  // Any expression of a typed kind: lowered nodes where the lowering knows
  // the node, its generic evaluation otherwise.
  TLowered Part(TExpression& expr) {
    TKind* kind = expr.ResultKind();
    if (!kind || !IsTypedCode(kind->Code())) return {};
    if (TLowered lowered = Known(expr, kind->Code())) return lowered;
    return Generic(expr, kind->Code());
  }

  // The element an assignment or operand designates, or nothing.
  std::unique_ptr<TElemLocator> Element(const TArrExpr& expr) {
    if (!IsPlainVariable(*expr.Base())) return nullptr;
    auto* array = dynamic_cast<TArrVar*>(static_cast<const TVarExpr&>(*expr.Base()).Var());
    if (!array) return nullptr;
    const TKind* kind = array->Kind();
    std::vector<TElemLocator::TIndex> indices;
    TReadSet reads;
    for (TExpression* index = expr.Indices(); index; index = index->Next()) {
      if (!kind || kind->Code() != kcArray) return nullptr;
      kind = static_cast<const TArrKind*>(kind)->Elem();
      TLowered value = Part(*index);
      if (value.Code != kcInteger || !value.Pure) return nullptr;
      reads = TReadSet::Joined(reads, value.Reads);
      indices.push_back({TOperand<TInt>(std::move(value)), index});
    }
    if (!kind || !IsTypedCode(kind->Code())) return nullptr;
    return std::make_unique<TElemLocator>(array, std::move(indices), std::move(reads));
  }

  // The node itself lowered, or nothing.
  TLowered Known(TExpression& expr, TKindCode code) {
    if (typeid(expr) == typeid(TValueExpr)) return Constant(static_cast<TVarExpr&>(expr), code);
    if (IsPlainVariable(expr)) return Variable(static_cast<TVarExpr&>(expr), code);
    if (auto* element = dynamic_cast<TArrExpr*>(&expr)) return ElementPart(*element, code);
    if (auto* chain = dynamic_cast<TMathExpr*>(&expr)) return Chain(*chain);
    if (auto* relation = dynamic_cast<TRelationExpr*>(&expr)) return RelationPart(*relation);
    if (auto* unary = dynamic_cast<TUnExpr*>(&expr)) return UnaryPart(*unary);
    if (auto* call = dynamic_cast<TFuncExpr*>(&expr)) return CallPart(*call, code);
    return {};
  }

private:

  static TLowered Constant(const TVarExpr& expr, TKindCode code) {
    const TValue* value = expr.Var()->StoredValue();
    if (!value || value->Kind() != code) return {};
    TLowered part;
    part.Code = code;
    part.Way = TWay::Constant;
    part.Constant = *value;
    return part;
  }

  // A variable that keeps its value, read through its slot, or a
  // by-reference view of the code's kind, read through what it is bound to.
  static TLowered Variable(const TVarExpr& expr, TKindCode code) {
    TLowered part;
    part.Code = code;
    part.ReadsLate = true;
    if (TValue* slot = expr.Var()->StoredSlot()) {
      if (slot->Kind() != code) return {};
      part.Way = TWay::Slot;
      part.Slot = slot;
      part.Reads.Slots.push_back(slot);
      return part;
    }
    auto* ref = dynamic_cast<TRefVar*>(expr.Var());
    if (!ref || ref->Kind()->Code() != code) return {};
    part.Way = TWay::Reference;
    part.Ref = ref;
    part.Reads.ThroughRef = true;
    return part;
  }

  TLowered ElementPart(const TArrExpr& expr, TKindCode code) {
    std::unique_ptr<TElemLocator> elem = Element(expr);
    if (!elem) return {};
    TLowered part;
    part.Code = code;
    part.Way = TWay::Element;
    part.Reads = elem->IndexReads();
    part.Reads.Arrays.push_back(elem->Array());
    part.Elem = std::move(elem);
    part.ReadsLate = true;
    return part;
  }

  // The chain's left fold, each step's value kept in the kind of the
  // temporary the chain gives it.
  TLowered Chain(TMathExpr& chain) {
    TLowered running = Part(*chain.First());
    if (!running) return {};
    TKind* temporary = nullptr;
    for (TExpression* operand = chain.First()->Next(); operand; operand = operand->Next()) {
      TLowered right = Part(*operand);
      if (!right || !operand->Op()) return {};
      // An element (or any designator but a plain variable) on the left is
      // read late; a right operand with effects could change or free it.
      const bool variable = running.Way == TWay::Slot || running.Way == TWay::Reference;
      if (running.ReadsLate && !variable && !right.Pure) return {};
      TLowered step = LowerStep(operand->Op(), std::move(running), std::move(right));
      if (!step) return {};
      TKind* kind = operand->Op()->ResultKind();
      if (!temporary || !IsAssignable(temporary, kind)) temporary = kind;
      if (temporary->Code() == kcReal && step.Code == kcInteger) {
        step.Node = std::make_unique<TWidenNode>(std::move(step.Node));
        step.Code = kcReal;
      }
      if (temporary->Code() != step.Code) return {};
      running = std::move(step);
    }
    return running;
  }

  TLowered RelationPart(TRelationExpr& relation) {
    TExpression* first = relation.First();
    TExpression* second = first->Next();
    if (!second || second->Next() || !second->Op()) return {};
    TLowered left = Part(*first);
    TLowered right = left ? Part(*second) : TLowered();
    if (!right) return {};
    return LowerRelationStep(second->Op(), std::move(left), std::move(right));
  }

  TLowered UnaryPart(TUnExpr& unary) {
    TLowered operand = Part(*unary.Operand());
    if (!operand) return {};
    return LowerUnaryStep(unary.Operand()->Op(), std::move(operand));
  }

  // A call of a declared routine (not a routine variable) whose given
  // arguments all go to typed value parameters.
  TLowered CallPart(TFuncExpr& call, TKindCode code) {
    if (!IsPlainVariable(*call.Callee())) return {};
    auto* holder = dynamic_cast<TFuncVar*>(static_cast<TVarExpr&>(*call.Callee()).Var());
    if (!holder || !holder->IsConstant()) return {};
    auto* signature = static_cast<TFuncKind*>(holder->Kind());
    if (signature->Variadic() || !signature->Result() || signature->Result()->Code() != code) return {};
    if (call.ArgCount() > signature->ArgCount()) return {};
    std::vector<TLowered> values;
    TExpression* arg = call.Args();
    for (int i = 0; i < call.ArgCount(); ++i, arg = arg->Next()) {
      const TFuncArg* param = signature->Arg(i);
      if (!arg || param->Mode() == amVar || !IsTypedCode(param->Kind()->Code())) return {};
      TLowered value = Part(*arg);
      if (!value || !Takes(param->Kind()->Code(), value.Code)) return {};
      values.push_back(std::move(value));
    }
    // A designator's value is taken after the later arguments ran.
    bool laterPure = true;
    for (auto value = values.rbegin(); value != values.rend(); ++value) {
      if (value->ReadsLate && !laterPure) return {};
      laterPure = laterPure && value->Pure;
    }
    std::vector<TArgStore> stores;
    for (int i = 0; i < call.ArgCount(); ++i) stores.emplace_back(signature->Arg(i)->Kind()->Code(), std::move(values[i]));
    std::unique_ptr<TNodeBase> node;
    if (code == kcReal)
      node = std::make_unique<TCallNode<TReal>>(call, std::move(stores));
    else if (code == kcInteger)
      node = std::make_unique<TCallNode<TInt>>(call, std::move(stores));
    else
      node = std::make_unique<TCallNode<bool>>(call, std::move(stores));
    return MakeNode(code, std::move(node), false);
  }

  static TLowered Generic(TExpression& expr, TKindCode code) {
    std::unique_ptr<TNodeBase> node;
    if (code == kcReal)
      node = std::make_unique<TGenericNode<TReal>>(expr, false);
    else if (code == kcInteger)
      node = std::make_unique<TGenericNode<TInt>>(expr, false);
    else
      node = std::make_unique<TGenericNode<bool>>(expr, false);
    TLowered part = MakeNode(code, std::move(node), false);
    part.ReadsLate = dynamic_cast<TVarExpr*>(&expr) != nullptr;
    return part;
  }
};

// The fault handling of every root: arithmetic faults become the error
// line of their message, as an operator reports them; other failures have
// been reported where they happened.
template <class Body>
TVar* Guarded(Body&& body) {
  try {
    return body();
  } catch (const TStopped&) {
    return nullptr;
  } catch (const TPassedFault& passed) {
    std::rethrow_exception(passed.Fault);
  } catch (const EAssertionFailed&) {
    throw;
  } catch (const EQuantrelError& fault) {
    ReportError(fault.what(), NoPosition, nullptr);
    return nullptr;
  }
}

// A value computed into the expression's result variable.
template <class T>
class TValueRoot final : public TTypedRoot {
public:
  TValueRoot(TLowered&& value, TVar* result) : value_(std::move(value)), result_(result), slot_(result->StoredSlot()) {}

  TVar* Run() override {
    return Guarded([this] {
      Write<T>(*slot_, value_.Get());
      return result_;
    });
  }

private:
  TOperand<T> value_;
  TVar* result_;
  TValue* slot_;
};

// target := value, the target a variable or an element located first; the
// value an operand, or a node fused into the root.
template <class T, class TSource>
class TAssignRoot final : public TTypedRoot {
public:
  template <class Source>
  TAssignRoot(TVar* target, std::unique_ptr<TElemLocator> elem, Source&& source)
      : target_(target),
        slot_(target ? target->StoredSlot() : nullptr),
        elem_(std::move(elem)),
        source_(std::forward<Source>(source)) {}

  TVar* Run() override {
    return Guarded([this] {
      if (slot_) {
        Write<T>(*slot_, Value());
        return target_;
      }
      if (elem_) {
        TSlotVar& target = elem_->Locate();
        Write<T>(*target.StoredSlot(), Value());
        return static_cast<TVar*>(&target);
      }
      // A by-reference view: the variable it is bound to.
      TVar* target = static_cast<TRefVar*>(target_)->Target();
      const T value = Value();
      Write<T>(*target->StoredSlot(), value);
      return target;
    });
  }

  // A Real variable v of v := v op x, x pure and not reading v, stays in a
  // register from pass to pass: it is written back before messages are let
  // through, before a fault is reported and when the loop ends, since only
  // these could observe it.
  bool RunCounted(TValue& counter, std::int64_t start, std::int64_t limit, bool down) override {
    if constexpr (std::is_same_v<T, TReal> && !std::is_same_v<TSource, TOperand<T>>) {
      TValue* const slot = KeptTarget(counter);
      if (!slot) return false;
      TReal kept = slot->AsReal();
      auto pass = [&] {
        try {
          kept = source_.Folded(kept);
        } catch (...) {
          Write<T>(*slot, kept);
          throw;
        }
        return target_;
      };
      for (std::int64_t n = start;; n += down ? -1 : 1) {
        counter.SetAsInt(n);
        if (MessagePumpSet && !NoUIFlag) {
          Write<T>(*slot, kept);
          ProcessMessages();
          kept = slot->AsReal();
        }
        if (!AbortFlag) Guarded(pass);
        if (AbortFlag || n == limit) break;
      }
      Write<T>(*slot, kept);
      return true;
    } else {
      return false;
    }
  }

private:
  // The slot of v in v := v op x that a counting loop may keep in a
  // register, nil when there is none. An element is located once, before
  // the first pass: its indices must not read the counter, and no message
  // may be let through meanwhile, as a handler could re-dimension its array.
  TValue* KeptTarget(const TValue& counter) {
    if constexpr (std::is_same_v<TSource, TOperand<T>>) {
      return nullptr;
    } else {
      if (slot_) return source_.Accumulates(slot_) ? slot_ : nullptr;
      if (!elem_ || (MessagePumpSet && !NoUIFlag) || elem_->IndexReads().MayRead(&counter) ||
          !source_.AccumulatesElement(*elem_))
        return nullptr;
      return elem_->TryLocate();
    }
  }

  T Value() {
    if constexpr (std::is_same_v<TSource, TOperand<T>>)
      return source_.Get();
    else
      return source_.TSource::Eval();
  }

  TVar* target_;
  TValue* slot_;
  std::unique_ptr<TElemLocator> elem_;
  TSource source_;
};

template <class T>
using TOperandAssignRoot = TAssignRoot<T, TOperand<T>>;

template <class T, class L, class R, T (*Op)(L, R)>
std::unique_ptr<TTypedRoot> TStepNode<T, L, R, Op>::AssignedTo(TVar* target, std::unique_ptr<TElemLocator>& elem) {
  return std::make_unique<TAssignRoot<T, TStepNode>>(target, std::move(elem), std::move(*this));
}

template <template <class> class TRoot, class... Args>
std::unique_ptr<TTypedRoot> MakeRoot(TKindCode code, Args&&... args) {
  switch (code) {
    case kcReal:
      return std::make_unique<TRoot<TReal>>(std::forward<Args>(args)...);
    case kcInteger:
      return std::make_unique<TRoot<TInt>>(std::forward<Args>(args)...);
    default:
      return std::make_unique<TRoot<bool>>(std::forward<Args>(args)...);
  }
}

std::unique_ptr<TTypedRoot> LowerValue(TExpression& expr) {
  TVar* result = expr.ResultVar();
  TValue* slot = result ? result->StoredSlot() : nullptr;
  if (!slot || !IsTypedCode(slot->Kind())) return nullptr;
  // Only a node the lowering knows: the generic evaluation of the node
  // itself would come back here.
  TLowered value = TLowering().Known(expr, slot->Kind());
  if (!value) return nullptr;
  if (!Takes(slot->Kind(), value.Code)) return nullptr;
  return MakeRoot<TValueRoot>(slot->Kind(), std::move(value), result);
}

std::unique_ptr<TTypedRoot> FusedAssignment(TKindCode code, TNodeBase& node, TVar* target,
                                            std::unique_ptr<TElemLocator>& elem) {
  switch (code) {
    case kcReal:
      return static_cast<TNode<TReal>&>(node).AssignedTo(target, elem);
    case kcInteger:
      return static_cast<TNode<TInt>&>(node).AssignedTo(target, elem);
    default:
      return static_cast<TNode<bool>&>(node).AssignedTo(target, elem);
  }
}

std::unique_ptr<TTypedRoot> LowerAssignment(TAssignExpr& expr) {
  if (expr.Converter()) return nullptr;
  TKind* kind = expr.Target()->ResultKind();
  if (!kind || !IsTypedCode(kind->Code())) return nullptr;
  TLowering lowering;
  TVar* target = nullptr;
  std::unique_ptr<TElemLocator> elem;
  if (IsPlainVariable(*expr.Target())) {
    target = static_cast<TVarExpr&>(*expr.Target()).Var();
    const bool stored = target->StoredSlot() && target->StoredSlot()->Kind() == kind->Code();
    if (!stored && !dynamic_cast<TRefVar*>(target)) return nullptr;
  } else if (auto* element = dynamic_cast<TArrExpr*>(expr.Target())) {
    elem = lowering.Element(*element);
    if (!elem) return nullptr;
  } else {
    return nullptr;
  }
  TLowered value = lowering.Part(*expr.Source());
  if (!value || !Takes(kind->Code(), value.Code)) return nullptr;
  // A source with effects could re-dimension the array under the element.
  if (elem && !value.Pure) return nullptr;
  if (value.Way == TWay::Node && value.Code == kind->Code())
    if (std::unique_ptr<TTypedRoot> fused = FusedAssignment(kind->Code(), *value.Node, target, elem)) return fused;
  return MakeRoot<TOperandAssignRoot>(kind->Code(), target, std::move(elem), std::move(value));
}

}  // namespace

TLoweredForm::TLoweredForm() = default;
TLoweredForm::~TLoweredForm() = default;

TTypedRoot* TLoweredForm::Lowered(TExpression& expr, bool assignment) {
  if (!tried_) {
    tried_ = true;
    root_ = assignment ? LowerAssignment(static_cast<TAssignExpr&>(expr)) : LowerValue(expr);
  }
  return root_.get();
}

TTypedRoot* TLoweredForm::Assignment(TAssignExpr& expr) { return Lowered(expr, true); }

bool TLoweredForm::Run(TExpression& expr, bool& ok) {
  TTypedRoot* root = Lowered(expr, false);
  if (!root) return false;
  ok = root->Run() != nullptr;
  return true;
}

bool TLoweredForm::RunAssignment(TAssignExpr& expr, TVar*& target) {
  TTypedRoot* root = Lowered(expr, true);
  if (!root) return false;
  target = root->Run();
  return true;
}
