#include "engine/Operator.h"

#include <gtest/gtest.h>

#include "OperatorsFixture.h"
#include "engine/ScalarOperators.h"
#include "runtime/Exceptions.h"

namespace {

class OperatorTest : public OperatorsFixture {
protected:
  // A script operator "+" on two Chars giving their codes' sum as Integer.
  std::unique_ptr<TFuncOp> CodeSum(TTestFunc::TBody body = nullptr) {
    TFuncKind* signature = Signature({{"a", Char()}, {"b", Char()}}, Integer());
    if (!body)
      body = [](TTestFunc& self, TSourcePos) {
        const std::int64_t sum = self.GetArgValue(0).AsChar() + self.GetArgValue(1).AsChar();
        Base(*self.ResultVariable()).SetValue(TValue::Integer(sum));
        return true;
      };
    return std::make_unique<TFuncOp>(tkPlus, std::make_unique<TTestFunc>("Char + Char -> Integer", signature, &User, body),
                                      &User);
  }
};

TEST_F(OperatorTest, BuiltInResultVariableIsConstantOfTheResultKind) {
  TLess_FF less;
  EXPECT_TRUE(less.IsBinary());
  EXPECT_EQ(less.LeftKind(), Real());
  EXPECT_EQ(less.RightKind(), Real());
  EXPECT_EQ(less.ResultKind(), Boolean());
  EXPECT_TRUE(less.ResultVar()->IsConstant());
  EXPECT_EQ(less.Token(), tkLess);

  TNot_I complement;
  EXPECT_FALSE(complement.IsBinary());
  EXPECT_EQ(complement.LeftKind(), Integer());
  EXPECT_EQ(complement.RightKind(), nullptr);
}

TEST_F(OperatorTest, MisuseIsAnAssertionNotAnErrorLine) {
  TAdd_II add;
  auto text = Operand(TValue::String("x"));
  EXPECT_THROW(add.Apply(text.get(), text.get()), EAssertionFailed);
  EXPECT_TRUE(Sink->Lines.empty());
}

TEST_F(OperatorTest, ScriptOperatorRunsItsRoutineOnTheOperands) {
  auto op = CodeSum();
  EXPECT_TRUE(op->IsBinary());
  EXPECT_EQ(op->LeftKind(), Char());
  EXPECT_EQ(op->RightKind(), Char());
  EXPECT_EQ(op->ResultKind(), Integer());
  EXPECT_EQ(op->ResultVar(), op->Routine()->ResultVariable());
  EXPECT_EQ(op->Lib(), &User);

  auto a = Operand(TValue::Char('a'));
  auto b = Operand(TValue::Char('b'));
  ASSERT_TRUE(op->Apply(a.get(), b.get()));
  EXPECT_EQ(ResultValue(*op).AsInt(), 'a' + 'b');
}

TEST_F(OperatorTest, UnaryScriptOperatorHasNoRightKind) {
  TFuncKind* signature = Signature({{"x", Char()}}, Char());
  TFuncOp op(tkMinus,
             std::make_unique<TTestFunc>("- Char", signature, &User, [](TTestFunc& self, TSourcePos) {
               Base(*self.ResultVariable()).SetValue(TValue::Char(static_cast<char>(-self.GetArgValue(0).AsChar())));
               return true;
             }),
             &User);
  EXPECT_FALSE(op.IsBinary());
  EXPECT_EQ(op.RightKind(), nullptr);
  auto x = Operand(TValue::Char(1));
  ASSERT_TRUE(op.Apply(x.get(), nullptr));
  EXPECT_EQ(ResultValue(op).AsChar(), static_cast<char>(-1));
}

TEST_F(OperatorTest, FailingRoutineFailsTheOperation) {
  auto op = CodeSum([](TTestFunc&, TSourcePos pos) {
    ReportError("no sum", pos, nullptr);
    return false;
  });
  auto a = Operand(TValue::Char('a'));
  EXPECT_FALSE(op->Apply(a.get(), a.get()));
  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"no sum"});
}

TEST_F(OperatorTest, OperatorAppliedInsideItsOwnRoutineIsRefused) {
  TFuncOp* self = nullptr;
  bool innerApplied = true;
  auto op = CodeSum([&](TTestFunc& routine, TSourcePos) {
    innerApplied = self->Apply(routine.Arg(0), routine.Arg(1));
    Base(*routine.ResultVariable()).SetValue(TValue::Integer(1));
    return true;
  });
  self = op.get();
  auto a = Operand(TValue::Char('a'));
  EXPECT_TRUE(op->Apply(a.get(), a.get()));
  EXPECT_FALSE(innerApplied);
  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Reentering in \"Char + Char -> Integer\" attempted"});
  EXPECT_TRUE(op->Apply(a.get(), a.get())) << "the operator is free again after the refused inner use";
}

TEST_F(OperatorTest, VarParameterIsBoundToTheOperand) {
  TFuncKind* signature = Signature({{"counter", Integer(), amVar}}, Integer());
  TFuncOp op(tkNot, std::make_unique<TTestFunc>("not Integer", signature, &User, [](TTestFunc& self, TSourcePos) {
               Base(*self.RefArg(0)).SetValue(TValue::Integer(42));
               Base(*self.ResultVariable()).SetValue(TValue::Integer(0));
               return true;
             }),
             &User);
  auto counter = Operand(TValue::Integer(1));
  ASSERT_TRUE(op.Apply(counter.get(), nullptr));
  EXPECT_EQ(Base(*counter).GetValue().AsInt(), 42);
}

}  // namespace
