#include "engine/VarTab.h"

#include "KindsFixture.h"

namespace {

class VarTabTest : public KindsFixture {
protected:
  TVar* Add(const char* name, TKind* kind, TLib* lib, const TValue& init = NoneValue) {
    return vars.Add(MakeVar(name, kind, false, init, lib));
  }

  TLib workspace{"Workspace", true};
  TVarTab vars;
};

TEST_F(VarTabTest, AddFindAndResetAll) {
  TVar* x = Add("x", Integer(), &User, TValue::Integer(2));
  EXPECT_EQ(vars.Find("X"), x);
  EXPECT_EQ(vars.Find("y"), nullptr);
  EXPECT_THROW(Add("X", Real(), &User), EAssertionFailed);
  Base(*x).SetValue(TValue::Integer(5));
  vars.ResetAll();
  EXPECT_EQ(Base(*x).GetValue().AsInt(), 2);
}

TEST_F(VarTabTest, UnloadingALibraryTakesTheVariablesOfItsKinds) {
  TLib geometry("Geometry", false);
  TRecKind* point = Record({{"x", Real()}}, "Point", &geometry);
  Add("Origin", point, &geometry);
  Add("p", point, &workspace);
  Add("q", Array(point), &workspace);
  Add("n", Integer(), &workspace);
  vars.RemoveLib(&geometry, false);
  EXPECT_EQ(vars.Find("Origin"), nullptr);
  EXPECT_EQ(vars.Find("p"), nullptr);
  EXPECT_NE(vars.Find("q"), nullptr) << "the array kind is the workspace's";
  EXPECT_NE(vars.Find("n"), nullptr);
}

TEST_F(VarTabTest, ABuiltInLibraryKeepsItsVariablesUnlessForced) {
  Add("n", Integer(), &workspace);
  vars.RemoveLib(&workspace, false);
  EXPECT_NE(vars.Find("n"), nullptr);
  vars.RemoveLib(&workspace, true);
  EXPECT_EQ(vars.Find("n"), nullptr);
}

TEST_F(VarTabTest, RoutineVariablesLoseTheRoutinesOfAnUnloadedLibrary) {
  TLib maths("Maths", false);
  TFuncKind* real = Signature({{"x", Real()}}, Real());
  TTestFunc sin("Sin", real, &maths, [](TTestFunc&, TSourcePos) { return true; });
  TTestFunc cos("Cos", real, &User, [](TTestFunc&, TSourcePos) { return true; });
  TFuncVar sinVar("", real, true, &sin, &maths);
  TFuncVar cosVar("", real, true, &cos, &User);
  auto* f = static_cast<TFuncVar*>(Add("f", real, &workspace));
  auto* g = static_cast<TFuncVar*>(Add("g", real, &workspace));
  f->Assign(sinVar, true);
  g->Assign(cosVar, true);
  auto* table = static_cast<TRecVar*>(Add("table", Record({{"h", real}}), &workspace));
  table->Field(0)->Assign(sinVar, false);

  vars.RemoveLib(&maths, false);
  EXPECT_EQ(f->Func(), nullptr);
  f->Reset();
  EXPECT_EQ(f->Func(), nullptr) << "nor as its initial routine";
  EXPECT_EQ(g->Func(), &cos);
  EXPECT_EQ(static_cast<TFuncVar*>(table->Field(0))->Func(), nullptr);
}

}  // namespace
