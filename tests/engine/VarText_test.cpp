#include "engine/VarText.h"

#include "KindsFixture.h"

namespace {

class VarTextTest : public KindsFixture {};

TEST_F(VarTextTest, OneLineTexts) {
  auto record = Var(Record({{"a", Integer()}, {"s", String()}}));
  auto& fields = static_cast<TRecVar&>(*record);
  Base(*fields.Field(0)).SetValue(TValue::Integer(1));
  Base(*fields.Field(1)).SetValue(TValue::String("x"));
  auto vector = VectorOf({1.5L, 2});
  TEnumKind* colour = Enum({"red", "green", "blue"});
  auto set = Var(Set(colour));
  SetVarInclude(static_cast<TSetVar&>(*set), 0, true);
  SetVarInclude(static_cast<TSetVar&>(*set), 2, true);
  auto nested = Var(Array(Array(Integer(), 1, 2)));
  Arr(*nested).SetLength(2);
  std::vector<std::unique_ptr<TVar>> kept;
  auto keep = [&](std::unique_ptr<TVar> var) { return kept.emplace_back(std::move(var)).get(); };
  struct {
    TVar* Var;
    bool Quote;
    std::string Text;
  } cases[] = {
      {record.get(), true, "(a:1; s:'x')"},
      {record.get(), false, "(a:1; s:x)"},
      {vector.get(), true, "{1.5, 2}"},
      {keep(Var(Vector())), true, "{}"},
      {keep(Var(Set(colour))), true, "[  ]"},
      {set.get(), true, "[ red, blue ]"},
      {keep(Var(AnyKind(kcSet))), true, "[  ]"},
      {keep(Var(Signature({}, nullptr))), true, "nil"},
      {keep(Var(Char(), TValue::Char('a'))), true, "'a'"},
      {keep(Var(Char())), true, "''"},
      {keep(Var(String(), TValue::String("it's"))), true, "'it's'"},
      {keep(Var(colour, TValue::Enum(1))), true, "green"},
      {keep(Var(Boolean(), TValue::Boolean(true))), true, "True"},
      {nested.get(), true, "{{0, 0}, {0, 0}}"},
      {keep(Var(AnyKind(kcAny))), true, ""},
      {nullptr, true, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(VarToText(c.Var, c.Quote, true), c.Text);
}

TEST_F(VarTextTest, ALimitEndsArraysAndRecordsWithDots) {
  auto vector = VectorOf({1, 2, 3, 4});
  auto nested = Var(Array(Array(Integer(), 1, 3)));
  Arr(*nested).SetLength(2);
  auto record = Var(Record({{"a", Integer()}, {"b", Integer()}}));
  const struct {
    TVar* Var;
    std::size_t Limit;
    std::string Text;
  } cases[] = {
      {vector.get(), 0, "{...}"},
      {vector.get(), 1, "{1, ...}"},
      {vector.get(), 4, "{1, 2, ...}"},
      {vector.get(), 10, "{1, 2, 3, 4}"},
      {nested.get(), 7, "{{0, 0, 0}, ...}"},
      {nested.get(), 5, "{{0, 0, ...}, ...}"},
      {record.get(), 3, "(a:0; ...)"},
  };
  for (const auto& c : cases) EXPECT_EQ(VarToText(c.Var, true, true, c.Limit), c.Text) << c.Limit;
}

TEST_F(VarTextTest, AReferenceShowsItsTarget) {
  auto x = Var(Integer(), TValue::Integer(3));
  TRefVar ref("r", Integer(), &User, false);
  EXPECT_EQ(VarToText(&ref, true, true), "");
  ref.Bind(x.get());
  EXPECT_EQ(VarToText(&ref, true, true), "3");
}

TEST_F(VarTextTest, ListingAVectorNestsItsElements) {
  auto x = VectorOf({1, 2});
  ListVar(x.get(), "x = ", 0, lkResult);
  EXPECT_EQ(Sink->Lines, (std::vector<TLine>{{"x = array [2]", lkResult, 0},
                                             {"[1] = 1", lkOutput, 1},
                                             {"[2] = 2", lkOutput, 1}}));
}

TEST_F(VarTextTest, ListingLabelsElementsByPosition) {
  auto a = Var(Array(Integer(), 0, 2));
  ListVar(a.get(), "", 2, lkOutput);
  ASSERT_EQ(Sink->Lines.size(), 4u);
  EXPECT_EQ(Sink->Lines[1], (TLine{"[1] = 0", lkOutput, 3}));
  EXPECT_EQ(Sink->Lines[3], (TLine{"[3] = 0", lkOutput, 3}));
}

TEST_F(VarTextTest, ListingRecordsAndScalars) {
  auto record = Var(Record({{"name", String()}, {"code", Char()}}));
  Base(*static_cast<TRecVar&>(*record).Field(0)).SetValue(TValue::String("Ann"));
  ListVar(record.get(), "r = ", 0, lkResult);
  auto colours = Var(Set(Enum({"red"})));
  ListVar(colours.get(), "c = ", 0, lkResult);
  ListVar(Var(AnyKind(kcAny)).get(), "nothing = ", 0, lkResult);
  EXPECT_EQ(Sink->Lines, (std::vector<TLine>{{"r = record", lkResult, 0},
                                             {"name = 'Ann'", lkOutput, 1},
                                             {"code = ''", lkOutput, 1},
                                             {"c = [  ]", lkResult, 0}}));
  EXPECT_EQ(ListLevel, 0);
  EXPECT_EQ(ListLabel, "");
}

}  // namespace
