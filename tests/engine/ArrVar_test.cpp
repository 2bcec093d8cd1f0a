#include "engine/ArrVar.h"

#include <functional>

#include "KindsFixture.h"

namespace {

class ArrVarTest : public KindsFixture {
protected:
  std::vector<long double> Values(const TArrVar& a) {
    std::vector<long double> values;
    for (std::int32_t p = 0; p < a.Count(); ++p) values.push_back(Base(*a.ElemAt(p)).GetValue().AsReal());
    return values;
  }
  // The values of a vector, read without making a view.
  static std::vector<long double> Reals(const TArrVar& a) {
    std::vector<long double> values;
    for (std::int32_t p = 0; p < a.Count(); ++p) values.push_back(a.SlotAt(p).AsReal());
    return values;
  }
  // A matrix whose element (i, j) is i * 10 + j.
  std::unique_ptr<TVar> NumberedMatrix(std::int32_t rows, std::int32_t cols) {
    auto m = Var(Matrix());
    SetMatSize(Arr(*m), rows, cols, true);
    for (int i = 1; i <= rows; ++i)
      for (int j = 1; j <= cols; ++j) SetMatElem(Arr(*m), i, j, i * 10 + j);
    return m;
  }
  using V = std::vector<long double>;
};

TEST_F(ArrVarTest, StaticArraysStartWithTheirElementsAndIndexFromTheirLowBound) {
  auto var = Var(Array(Integer(), 5, 7));
  TArrVar& a = Arr(*var);
  EXPECT_EQ(a.Count(), 3);
  EXPECT_FALSE(a.IsDynamic());
  EXPECT_TRUE(a.IsValidIndex(5));
  EXPECT_TRUE(a.IsValidIndex(7));
  EXPECT_FALSE(a.IsValidIndex(4));
  EXPECT_FALSE(a.IsValidIndex(8));
  EXPECT_EQ(a.Elem(5), a.ElemAt(0));
  EXPECT_THROW(a.Elem(8), EAssertionFailed);
  EXPECT_THROW(a.ElemAt(3), EAssertionFailed);

  auto dynamic = Var(Vector());
  EXPECT_EQ(Arr(*dynamic).Count(), 0);
  Arr(*dynamic).SetLength(2);
  EXPECT_FALSE(Arr(*dynamic).IsValidIndex(0));
  EXPECT_FALSE(Arr(*dynamic).IsValidIndex(std::int64_t{1} << 32));
  EXPECT_EQ(Arr(*dynamic).Elem(1), Arr(*dynamic).ElemAt(0));
}

TEST_F(ArrVarTest, ElementsAreVariablesOfTheElementKind) {
  auto matrix = Var(Matrix());
  SetMatSize(Arr(*matrix), 2, 3, true);
  EXPECT_EQ(Arr(*matrix).Elem(1)->Kind(), Vector());
  EXPECT_EQ(Arr(*matrix).Elem(2)->Kind(), Vector());
  EXPECT_EQ(MatColCount(Arr(*matrix)), 3);
  TVar* element = Arr(*Arr(*matrix).Elem(2)).Elem(3);
  EXPECT_EQ(element->Kind(), Real());
  EXPECT_FALSE(element->HasName());
  SetMatElem(Arr(*matrix), 2, 3, 1.25L);
  EXPECT_EQ(GetMatElem(Arr(*matrix), 2, 3), 1.25L);
  EXPECT_EQ(ArrLength(nullptr), 0);
}

TEST_F(ArrVarTest, AssigningAnArrayOfAnotherShapeIsRefused) {
  auto target = VectorOf({4, 5});
  auto source = Var(Array(Real(), 1, 3));
  EXPECT_FALSE(target->Assign(*source, false));
  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Vector is not compatible with Array[1..3] of Real"});
  EXPECT_EQ(Values(Arr(*target)), (V{4, 5}));
  auto integer = Var(Integer());
  EXPECT_THROW(target->Assign(*integer, false), EAssertionFailed);
}

TEST_F(ArrVarTest, AssignmentCopiesElementByElement) {
  auto source = VectorOf({1, 2, 3});
  auto target = Var(Vector());
  EXPECT_TRUE(target->Assign(*source, false));
  SetVecElem(Arr(*source), 1, 9);
  EXPECT_EQ(Values(Arr(*target)), (V{1, 2, 3}));

  auto matrix = Var(Matrix());
  SetMatSize(Arr(*matrix), 2, 2, true);
  SetMatElem(Arr(*matrix), 2, 1, 7);
  auto copy = Var(Matrix());
  copy->Assign(*matrix, false);
  EXPECT_EQ(GetMatElem(Arr(*copy), 2, 1), 7);
}

// An assigned vector shares the source's values until either side writes
// or views an element: each such way gives the writer a copy of its own.
TEST_F(ArrVarTest, AssignedVectorsShareTheirValuesUntilOneSideWrites) {
  const struct {
    const char* Case;
    std::function<void(TArrVar&)> Write;
  } writes[] = {
      {"SetSlot", [](TArrVar& a) { SetVecElem(a, 1, 9); }},
      {"Slots", [](TArrVar& a) { a.Slots()[0] = TValue::Real(9); }},
      {"SlotOrNil", [](TArrVar& a) { *a.SlotOrNil(1) = TValue::Real(9); }},
      {"the block's view", [](TArrVar& a) { Base(*a.Elem(1)).SetValue(TValue::Real(9)); }},
      {"ElemOrNil", [](TArrVar& a) { Base(*a.ElemOrNil(1)).SetValue(TValue::Real(9)); }},
      {"a site's view", [](TArrVar& a) {
         TSlotVar view;
         Base(a.Elem(1, view)).SetValue(TValue::Real(9));
       }},
      {"a view on ElemBlock", [](TArrVar& a) {
         TSlotVar view;
         view.Position(a.ElemBlock(), 0).SetValue(TValue::Real(9));
       }},
      {"DeleteRange", [](TArrVar& a) { a.DeleteRange(1, -1); }},
  };
  for (const auto& write : writes)
    for (bool sourceWrites : {true, false}) {
      auto source = VectorOf({1, 2, 3});
      auto target = Var(Vector());
      ASSERT_TRUE(target->Assign(*source, false));
      TArrVar& writer = Arr(sourceWrites ? *source : *target);
      const TArrVar& other = Arr(sourceWrites ? *target : *source);
      EXPECT_EQ(&writer.SlotAt(0), &other.SlotAt(0)) << write.Case << ": not shared";
      write.Write(writer);
      EXPECT_NE(GetVecElem(writer, 1), 1) << write.Case;
      EXPECT_EQ(Reals(other), (V{1, 2, 3})) << write.Case << (sourceWrites ? ", source" : ", target") << " wrote";
    }
}

// Elements something refers to keep their identity through assignment.
TEST_F(ArrVarTest, PinnedViewedOrInitialisedElementsAreCopiedNotShared) {
  auto source = VectorOf({1, 2, 3});
  auto target = VectorOf({0, 0, 0});
  TVarPin targetElement(Arr(*target).Elem(1));
  target->Assign(*source, false);
  EXPECT_EQ(Base(*targetElement.Get()).GetValue().AsReal(), 1) << "a pinned target element sees the new value";

  TVarPin sourceElement(Arr(*source).Elem(2));
  auto copy = Var(Vector());
  copy->Assign(*source, false);
  Base(*sourceElement.Get()).SetValue(TValue::Real(9));
  EXPECT_EQ(Reals(Arr(*copy)), (V{1, 2, 3})) << "a write through a pinned source element stays there";

  auto initial = Var(Array(Real(), 1, 2));
  SetVecElem(Arr(*initial), 1, 5);
  Arr(*initial).Assign(Arr(*initial), true);
  auto fixed = Var(Array(Real(), 1, 2));
  fixed->Assign(*initial, false);
  fixed->Reset();
  EXPECT_EQ(Reals(Arr(*fixed)), (V{0, 0})) << "the source's initial values stay its own";
  EXPECT_EQ(Reals(Arr(*initial)), (V{5, 0}));
}

TEST_F(ArrVarTest, ResetEmptiesADynamicArrayButResetsAStaticOnesElements) {
  auto source = VectorOf({1, 2, 3});
  auto dynamic = Var(Vector());
  dynamic->Assign(*source, true);
  dynamic->Reset();
  EXPECT_EQ(Arr(*dynamic).Count(), 0);

  auto fixed = Var(Array(Real(), 1, 3));
  TArrVar& a = Arr(*fixed);
  SetVecElem(a, 2, 8);
  a.Reset();
  EXPECT_EQ(Values(a), (V{0, 0, 0}));

  // A static constant keeps its elements' initial values.
  auto initial = Var(Array(Real(), 1, 3));
  for (int i = 1; i <= 3; ++i) SetVecElem(Arr(*initial), i, i * 10);
  a.Assign(*initial, true);
  SetVecElem(a, 1, -1);
  a.Reset();
  EXPECT_EQ(Values(a), (V{10, 20, 30}));
}

TEST_F(ArrVarTest, DeleteRange) {
  struct {
    const char* Case;
    std::int32_t First;
    std::int32_t Last;
    bool Deleted;
    V Left;
  } cases[] = {
      {"only the second", 2, -1, true, {1, 3, 4, 5}},
      {"a range", 2, 4, true, {1, 5}},
      {"the last", 5, 5, true, {1, 2, 3, 4}},
      {"all", 1, 5, true, {}},
      {"first beyond the end", 6, 6, false, {1, 2, 3, 4, 5}},
      {"first below 1", 0, 2, false, {1, 2, 3, 4, 5}},
      {"last beyond the end", 4, 6, false, {1, 2, 3, 4, 5}},
  };
  for (const auto& c : cases) {
    auto v = VectorOf({1, 2, 3, 4, 5});
    EXPECT_EQ(Arr(*v).DeleteRange(c.First, c.Last), c.Deleted) << c.Case;
    EXPECT_EQ(Values(Arr(*v)), c.Left) << c.Case;
  }
  auto v = VectorOf({1, 2, 3});
  EXPECT_THROW(Arr(*v).DeleteRange(3, 2), EAssertionFailed);
  auto fixed = Var(Array(Real(), 1, 3));
  EXPECT_FALSE(Arr(*fixed).DeleteRange(1, 1)) << "a static array refuses";
}

TEST_F(ArrVarTest, AnElementInUseOutlivesSetLength) {
  auto v = VectorOf({1, 2, 3});
  TVarPin operand(Arr(*v).Elem(2));
  TRefVar parameter("x", Real(), &User, false);
  parameter.Bind(Arr(*v).Elem(3));

  Arr(*v).SetLength(0);
  Arr(*v).SetLength(4);  // fresh elements, likely where the old ones were
  EXPECT_EQ(Base(*operand.Get()).GetValue().AsReal(), 2) << "the orphan keeps its last value";
  auto nine = Var(Real(), TValue::Real(9));
  EXPECT_TRUE(parameter.Assign(*nine, false));
  EXPECT_EQ(Values(Arr(*v)), (V{0, 0, 0, 0})) << "a write to an orphan is lost";
  parameter.Reset();
}

TEST_F(ArrVarTest, NestedElementsInUseOutliveTheirArrays) {
  auto matrix = Var(Matrix());
  SetMatSize(Arr(*matrix), 2, 2, true);
  SetMatElem(Arr(*matrix), 2, 2, 4);
  TVarPin cell(Arr(*Arr(*matrix).Elem(2)).Elem(2));
  TVarPin row(Arr(*matrix).Elem(1));
  matrix.reset();
  EXPECT_EQ(Base(*cell.Get()).GetValue().AsReal(), 4);
  EXPECT_EQ(Arr(*row.Get()).Count(), 2);

  auto records = Var(Array(Record({{"x", Real()}})));
  Arr(*records).SetLength(1);
  TVar* field = static_cast<TRecVar&>(*Arr(*records).Elem(1)).Field(0);
  EXPECT_EQ(field->Block(), Arr(*records).Elem(1)->Block()) << "a field belongs to its record's block";
  TVarPin fieldInUse(field);
  Arr(*records).Clear();
  Base(*fieldInUse.Get()).SetValue(TValue::Real(1));
}

TEST_F(ArrVarTest, ACharacterViewKeepsItsStringAlive) {
  auto strings = Var(Array(String()));
  Arr(*strings).SetLength(1);
  Base(*Arr(*strings).Elem(1)).SetValue(TValue::String("ab"));
  TElemVar view;
  static_cast<TStrVar&>(*Arr(*strings).Elem(1)).CharAt(2, view);
  Arr(*strings).SetLength(0);
  EXPECT_EQ(view.GetValue().AsChar(), 'b');
}

TEST_F(ArrVarTest, ResizingVectorsKeepsTheOverlap) {
  auto v = VectorOf({1, 2, 3});
  SetVecSize(Arr(*v), 5, false);
  EXPECT_EQ(Values(Arr(*v)), (V{1, 2, 3, 0, 0}));
  SetVecSize(Arr(*v), 2, false);
  EXPECT_EQ(Values(Arr(*v)), (V{1, 2}));
  SetVecSize(Arr(*v), 3, true);
  EXPECT_EQ(Values(Arr(*v)), (V{0, 0, 0}));
  SetVecSize(Arr(*v), -1, false);
  EXPECT_EQ(Arr(*v).Count(), 0);
}

TEST_F(ArrVarTest, ResizingMatricesKeepsTheOverlap) {
  auto m = NumberedMatrix(2, 3);
  TArrVar& matrix = Arr(*m);
  SetMatSize(matrix, 3, 2, false);
  EXPECT_EQ(matrix.Count(), 3);
  EXPECT_EQ(MatColCount(matrix), 2);
  EXPECT_EQ(Values(Arr(*matrix.Elem(1))), (V{11, 12}));
  EXPECT_EQ(Values(Arr(*matrix.Elem(2))), (V{21, 22}));
  EXPECT_EQ(Values(Arr(*matrix.Elem(3))), (V{0, 0}));
  SetMatSize(matrix, 0, 5, false);
  EXPECT_EQ(matrix.Count(), 0);
  EXPECT_EQ(MatColCount(matrix), 0);
}

TEST_F(ArrVarTest, DeletingMatrixRowsAndColumns) {
  auto m = NumberedMatrix(3, 3);
  TArrVar& matrix = Arr(*m);
  EXPECT_TRUE(DeleteMatCols(matrix, 2, 2));
  EXPECT_EQ(Values(Arr(*matrix.Elem(3))), (V{31, 33}));
  EXPECT_TRUE(DeleteMatRows(matrix, 1, 2));
  EXPECT_EQ(matrix.Count(), 1);
  EXPECT_EQ(Values(Arr(*matrix.Elem(1))), (V{31, 33}));
  EXPECT_THROW(DeleteMatCols(matrix, 2, 3), EAssertionFailed);
  EXPECT_THROW(DeleteMatRows(matrix, 0, 1), EAssertionFailed);
}

}  // namespace
