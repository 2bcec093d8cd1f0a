#include "libraries/VarFiles.h"

#include <iterator>

#include "engine/ArrVar.h"
#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/VarText.h"
#include "tests/libraries/DataFileEngine.h"

namespace {

// Counts the notifications that variables changed.
class TCountingClient final : public IXDataClient {
public:
  void Update(std::uint8_t what) override { Updates += what == dcVariables; }
  std::uint8_t GetMask() override { return 1u << dcVariables; }
  void* AddItem(void*, void*, std::uint8_t) override { return nullptr; }

  int Updates = 0;
};

// An engine with a record, an enumeration and a set type.
class VarFiles : public DataFileEngine {
protected:
  VarFiles() {
    TLib* system = Engine->FindLibrary("System");
    Engine->RegisterType("TColor", "( red, green, blue )");
    auto* color = static_cast<TEnumKind*>(Engine->Kinds().FindKind("TColor"));
    Engine->Kinds().Register(std::make_unique<TSetKind>("TColors", color, system), system);
    auto point = std::make_unique<TRecKind>("TPoint", system);
    point->AddField(BaseKind(kcReal), "x", false, -1);
    point->AddField(BaseKind(kcString), "name", false, -1);
    point->AddField(color, "color", false, -1);
    Engine->Kinds().Register(std::move(point), system);
  }

  // Runs the lines, then drops ans, which they made.
  void Define(std::initializer_list<const char*> lines) {
    for (const char* line : lines) EXPECT_EQ(Eval(line).find(" at ["), std::string::npos) << line;
    Engine->DeleteVariable(AnsVarName);
  }
  TVar* Add(const char* name, const char* kind) { return Engine->AddVariable(name, Engine->Kinds().FindKind(kind)); }
  TVar* Find(const char* name) { return Engine->FindVariable(name); }
  long double RealOf(const char* name) { return static_cast<TBaseVar*>(Find(name))->GetValue().AsReal(); }

  // Every Workspace variable with its text, in the order of the enumeration.
  std::string WorkspaceText() {
    std::string text;
    Engine->ForEachVariable(
        [&text](TVar* var) {
          text += var->Name() + "=" + VarToText(var, true, false) + ";";
          return true;
        },
        WorkspaceLibName);
    return text;
  }

  // Saves and reloads the workspace; true when both succeeded.
  bool RoundTrip() {
    if (!SaveWorkspaceFile(Path("ws.xws"))) return false;
    Engine->ClearWorkspace();
    return LoadWorkspaceFile(Path("ws.xws"));
  }
};

TEST_F(VarFiles, WorkspaceFileHoldsNamesKindsAndValues) {
  Define({"x := 3", "v := {1, 2.5}", "b := True"});
  EXPECT_TRUE(SaveWorkspaceFile(Path("ws.xws")));
  // The enumeration visits b, v, x; the Boolean byte touches the next name.
  EXPECT_EQ(FileText("ws.xws"), "3\nb\nBoolean\n1v\nVector\n2\n1\n2.5\nx\nInteger\n3\n");
  Engine->ClearWorkspace();
  EXPECT_EQ(WorkspaceText(), "");
  EXPECT_TRUE(LoadWorkspaceFile(Path("ws.xws")));
  EXPECT_EQ(WorkspaceText(), "b=True;v={1, 2.5};x=3;");
}

TEST_F(VarFiles, EveryKindRoundTrips) {
  Define({"c := 'x'", "e := blue", "f := Sin", "r := 1/3", "i := Inf", "n := -Inf", "t := 1E-4000",
          "s := 'text'", "m := {{1, 2}, {3, 1/7}}", "k := -9223372036854775807", "z := False"});
  Add("cs", "TColors");
  Add("p", "TPoint");
  Add("nf", "TMathFunc");
  Define({"cs := [red, blue]", "p.x := 2/3", "p.name := 'pt'", "p.color := green"});
  static_cast<TBaseVar*>(Find("s"))->SetValue(TValue::String("a\rb"));
  const std::string before = WorkspaceText();
  const long double reals[] = {RealOf("r"), RealOf("i"), RealOf("n"), RealOf("t"),
                               GetMatElem(static_cast<TArrVar&>(*Find("m")), 2, 2)};

  ASSERT_TRUE(RoundTrip()) << FileText("ws.xws");
  EXPECT_EQ(WorkspaceText(), before);
  const long double back[] = {RealOf("r"), RealOf("i"), RealOf("n"), RealOf("t"),
                              GetMatElem(static_cast<TArrVar&>(*Find("m")), 2, 2)};
  for (std::size_t i = 0; i < std::size(reals); ++i) EXPECT_EQ(back[i], reals[i]) << i;
  EXPECT_EQ(static_cast<TBaseVar*>(Find("s"))->GetValue().Str(), "a\rb");
  EXPECT_EQ(static_cast<TFuncVar*>(Find("f"))->Func(), Engine->Funcs().Find("Sin"));
  EXPECT_EQ(static_cast<TFuncVar*>(Find("nf"))->Func(), nullptr);
}

TEST_F(VarFiles, LongArraysRoundTrip) {
  auto& v = static_cast<TArrVar&>(*Add("v", "Vector"));
  const std::int32_t count = 200000;
  SetVecSize(v, count, true);
  for (std::int32_t i = 1; i <= count; ++i) SetVecElem(v, i, i / 3.0L);
  ASSERT_TRUE(RoundTrip());
  const auto& back = static_cast<TArrVar&>(*Find("v"));
  ASSERT_EQ(back.Count(), count);
  for (std::int32_t i = 1; i <= count; i += 997) EXPECT_EQ(GetVecElem(back, i), i / 3.0L) << i;
  EXPECT_EQ(GetVecElem(back, count), count / 3.0L);
}

TEST_F(VarFiles, AnEmptyWorkspaceIsSavedAndLoaded) {
  EXPECT_TRUE(SaveWorkspaceFile(Path("empty.xws")));
  EXPECT_EQ(FileText("empty.xws"), "0\n");
  TLib* system = Engine->FindLibrary("System");
  Engine->AddVariable("a", Engine->Kinds().Register(std::make_unique<TArrKind>(BaseKind(kcInteger), "", system, 1, 0), system));
  EXPECT_TRUE(SaveWorkspaceFile(Path("anonymous.xws")));
  EXPECT_EQ(FileText("anonymous.xws"), "0\n");
  EXPECT_TRUE(LoadWorkspaceFile(Path("empty.xws")));
  EXPECT_EQ(WorkspaceText(), "");
}

TEST_F(VarFiles, FilesThatDoNotLoadLeaveTheWorkspaceAsItWas) {
  const struct {
    const char* Bytes;
    const char* Lines;
  } cases[] = {
      {"2\nx\nInteger\n5\ny\nNoSuchKind\n1\n", "Unknown variable type \"NoSuchKind\""},
      {"1\nv\nVector\n2000000000\n1\n", ""},
      {"1\nv\nVector\n-1\n", ""},
      {"1\nv\nVector\n99999999999\n", ""},
      {"99999999999\n", ""},
      {"3\nx\nInteger\n1\n", ""},
      {"1\nx\nInteger\nabc\n", ""},
      {"1\ne\nTColor\n3\n", ""},
      {"1\nf\nTMathFunc\nNope\n", "Failed to read function \"Nope\""},
      {"1\nf\nTMathFunc\nPi\n", "Failed to read function \"Pi\""},
      {"1\nf\nTMathFunc\n", ""},
      {"1\nPi\nReal\n3\n", "Failed to create variable \"Pi\""},
      {"2\nx\nInteger\n1\nX\nInteger\n2\n", "Failed to create variable \"X\""},
      {"", ""},
  };
  Define({"z := 7", "w := {1, 2}"});
  const std::string before = WorkspaceText();
  for (const auto& c : cases) {
    WriteFile("bad.xws", c.Bytes);
    Sink->Lines.clear();
    EXPECT_FALSE(LoadWorkspaceFile(Path("bad.xws"))) << c.Bytes;
    EXPECT_EQ(LinesText(), c.Lines) << c.Bytes;
    EXPECT_EQ(WorkspaceText(), before) << c.Bytes;
  }
}

TEST_F(VarFiles, LoadingTellsTheDataClientsEitherWay) {
  Define({"x := 1"});
  const auto client = MakeCounted<TCountingClient>();
  Engine->AddDataClient(client);
  ASSERT_TRUE(SaveWorkspaceFile(Path("ws.xws")));
  EXPECT_TRUE(LoadWorkspaceFile(Path("ws.xws")));
  WriteFile("bad.xws", "1\nx\nNoSuchKind\n");
  EXPECT_FALSE(LoadWorkspaceFile(Path("bad.xws")));
  EXPECT_EQ(client->Updates, 2);
}

TEST_F(VarFiles, AWorkspaceFileThatDoesNotOpen) {
  Define({"z := 7"});
  Sink->Lines.clear();
  EXPECT_FALSE(LoadWorkspaceFile(Path("missing.xws")));
  EXPECT_EQ(LinesText(), "Cannot open file \"" + Path("missing.xws") +
                             "\": No such file or directory|Failed to create IO device \"file://" +
                             Path("missing.xws") + "\"");
  EXPECT_EQ(WorkspaceText(), "z=7;");
  Sink->Lines.clear();
  EXPECT_FALSE(SaveWorkspaceFile(Path("no/such/folder.xws")));
  EXPECT_EQ(Sink->Lines.back().Text, "Failed to create IO device \"file://" + Path("no/such/folder.xws") + "\"");
}

TEST_F(VarFiles, StringsWithLineFeedsAreRefusedAndTheOldFileStays) {
  Define({"s := 'text'"});
  static_cast<TBaseVar*>(Find("s"))->SetValue(TValue::String("a\nb"));
  WriteFile("ws.xws", "old");
  WriteFile("s.xvar", "old");
  Sink->Lines.clear();
  EXPECT_FALSE(SaveWorkspaceFile(Path("ws.xws")));
  EXPECT_FALSE(SaveVariableFile(Find("s"), Path("s.xvar")));
  EXPECT_EQ(LinesText(), "Cannot save a string containing a line feed|Cannot save a string containing a line feed");
  EXPECT_EQ(FileText("ws.xws"), "old");
  EXPECT_EQ(FileText("s.xvar"), "old");
}

TEST_F(VarFiles, VariableFilesHoldOneRecord) {
  Define({"v := {1, 2.5}"});
  EXPECT_TRUE(SaveVariableFile(Find("v"), Path("v.xvar")));
  EXPECT_EQ(FileText("v.xvar"), "Vector\n2\n1\n2.5\n");
  EXPECT_TRUE(LoadVariableFile(Path("v.xvar"), "w"));
  EXPECT_EQ(WorkspaceText(), "v={1, 2.5};w={1, 2.5};");
  EXPECT_EQ(Find("w")->Lib(), Engine->FindLibrary(WorkspaceLibName));
}

TEST_F(VarFiles, VariableFilesThatDoNotLoad) {
  Define({"v := {1, 2.5}"});
  const struct {
    const char* Bytes;
    const char* Name;
    const char* Lines;
  } cases[] = {
      {"Vector\n2\n1\n2.5\n", "v", "Variable named \"v\" already exists|Failed to create variable \"v\""},
      {"Func\n", "w", "Unknown variable type \"Func\""},
      {"Vector\n3\n1\n", "w", ""},
      {"", "w", ""},
  };
  for (const auto& c : cases) {
    WriteFile("bad.xvar", c.Bytes);
    Sink->Lines.clear();
    EXPECT_FALSE(LoadVariableFile(Path("bad.xvar"), c.Name)) << c.Bytes;
    EXPECT_EQ(LinesText(), c.Lines) << c.Bytes;
    EXPECT_EQ(WorkspaceText(), "v={1, 2.5};") << c.Bytes;
  }
}

TEST_F(VarFiles, AnonymousKindsAreWrittenUnderTheLineFunc) {
  TLib* system = Engine->FindLibrary("System");
  TVar* a = Engine->AddVariable(
      "a", Engine->Kinds().Register(std::make_unique<TArrKind>(BaseKind(kcInteger), "", system, 1, 0), system));
  EXPECT_TRUE(SaveVariableFile(a, Path("a.xvar")));
  EXPECT_EQ(FileText("a.xvar"), "Func\n0\n");
}

}  // namespace
