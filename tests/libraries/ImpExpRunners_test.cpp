#include "libraries/ImpExpRunners.h"

#include "engine/Func.h"
#include "engine/VarText.h"
#include "libraries/WorkStatus.h"
#include "tests/libraries/DataFileEngine.h"

namespace {

class ImpExpRunners : public DataFileEngine {
protected:
  ImpExpRunners() { Eval("v := {1, 2.5}"); }

  TFunc* Routine(const char* name) const { return Engine->Funcs().Find(name); }
  std::string Spec(const std::string& name) const { return "file://" + Path(name); }
  std::string TextOf(const char* name) { return VarToText(Engine->FindVariable(name), true, false); }
};

TEST_F(ImpExpRunners, ExportRunsTheRoutineOnTheVariable) {
  EXPECT_TRUE(RunExportRoutine(Spec("v.txt"), Engine->FindVariable("v"), Routine("WriteVector")));
  EXPECT_EQ(FileText("v.txt"), "{1,2.5}");
  // An empty vector is no CSV export.
  Eval("e := {}");
  EXPECT_FALSE(RunExportRoutine(Spec("e.txt"), Engine->FindVariable("e"), Routine("WriteVecCSV")));
}

TEST_F(ImpExpRunners, ImportMakesTheVariableItIsNotGiven) {
  WriteFile("m.txt", "1\t2\n3\t4");
  std::vector<std::string> status;
  SetWorkStatusHandler([&status](const std::string& text) { status.push_back(text); });
  TVar* target = nullptr;
  EXPECT_TRUE(RunImportRoutine("m", Spec("m.txt"), target, Routine("ReadMatCSV")));
  SetWorkStatusHandler(nullptr);
  EXPECT_EQ(target, Engine->FindVariable("m"));
  EXPECT_EQ(TextOf("m"), "{{1, 2}, {3, 4}}");
  EXPECT_EQ(status.back(), " Matrix [2:2] successfully imported");
}

TEST_F(ImpExpRunners, ImportReplacesTheValueOfAGivenVariable) {
  WriteFile("v.txt", "{3,4,5}");
  TVar* target = Engine->FindVariable("v");
  EXPECT_TRUE(RunImportRoutine("v", Spec("v.txt"), target, Routine("ReadVector")));
  EXPECT_EQ(target, Engine->FindVariable("v"));
  EXPECT_EQ(TextOf("v"), "{3, 4, 5}");
}

TEST_F(ImpExpRunners, AFailedImportKeepsAGivenVariable) {
  WriteFile("bad.txt", "{1,x}");
  TVar* target = Engine->FindVariable("v");
  EXPECT_FALSE(RunImportRoutine("v", Spec("bad.txt"), target, Routine("ReadVector")));
  EXPECT_EQ(target, Engine->FindVariable("v"));
  EXPECT_EQ(TextOf("v"), "{1, 2.5}");
}

TEST_F(ImpExpRunners, AFailedImportDeletesTheVariableItMade) {
  WriteFile("bad.txt", "{1,x}");
  TVar* target = nullptr;
  EXPECT_FALSE(RunImportRoutine("w", Spec("bad.txt"), target, Routine("ReadVector")));
  EXPECT_EQ(target, nullptr);
  EXPECT_EQ(Engine->FindVariable("w"), nullptr);
}

TEST_F(ImpExpRunners, NothingRunsWithoutSourceOrVariable) {
  TVar* target = nullptr;
  Sink->Lines.clear();
  EXPECT_FALSE(RunImportRoutine("w", Spec("missing.txt"), target, Routine("ReadVector")));
  EXPECT_EQ(LinesText(), "Cannot open file \"" + Path("missing.txt") + "\": No such file or directory");
  EXPECT_EQ(Engine->FindVariable("w"), nullptr);
  // A name another library uses.
  WriteFile("v.txt", "{3}");
  Sink->Lines.clear();
  EXPECT_FALSE(RunImportRoutine("Pi", Spec("v.txt"), target, Routine("ReadVector")));
  EXPECT_EQ(target, nullptr);
  EXPECT_EQ(LinesText(), "Variable named \"Pi\" already exists");
  EXPECT_FALSE(RunExportRoutine("xyz://a", Engine->FindVariable("v"), Routine("WriteVector")));
}

}  // namespace
