#include "engine/XBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/ArrVar.h"
#include "engine/Expression.h"
#include "engine/RunFlags.h"
#include "engine/Var.h"
#include "runtime/Exceptions.h"
#include "tests/engine/EngineFixture.h"

namespace {

using XBuilderTest = EngineFixture;

TEST_F(XBuilderTest, ConsoleLinesPrintTheirResult) {
  const struct {
    const char* Line;
    const char* Printed;
  } cases[] = {
      {"2+3*4", "14"},      {"2^3^2", "512"},       {"-2^2", "-4"},        {"7/2", "3.5"},
      {"1/3", "0.33333333"}, {"1 < 2 < 3", "True"}, {"'a' + 'b'", "'ab'"}, {"$10", "16"},
      {"5/0", "INF"},        {"#101", "5"},         {"''", "''"},          {"'x'", "'x'"},
      {"2.5E-3", "0.0025"},  {"not True", "False"}, {"(1 + 2) * 3", "9"},  {"`180", "3.1415927"},
      // Strings are bytes: a character outside ASCII counts each of its bytes.
      {"Length('\u00E4\u00F6\u00FC')", "6"}, {"'\u00E4' + '\u20AC'", "'\u00E4\u20AC'"},
  };
  for (const auto& c : cases)
    for (bool multiLine : {false, true}) {
      std::vector<TLine> lines = Eval(c.Line, multiLine);
      ASSERT_EQ(lines.size(), 1u) << c.Line;
      EXPECT_EQ(lines[0], (TLine{c.Printed, lkResult, 0})) << c.Line << (multiLine ? " (listing)" : "");
    }
}

TEST_F(XBuilderTest, VectorLiteralPrintsInBothModes) {
  EXPECT_EQ(Eval("{1, 2, 3}"), (std::vector<TLine>{{"{1, 2, 3}", lkResult, 0}}));
  EXPECT_EQ(Eval("{1, 2, 3}", true), (std::vector<TLine>{{"vector [3]", lkResult, 0},
                                                         {"-", lkSplit, 1},
                                                         {"1 |  1", lkOutput, 1},
                                                         {"2 |  2", lkOutput, 1},
                                                         {"3 |  3", lkOutput, 1},
                                                         {"-", lkSplit, 1}}));
}

TEST_F(XBuilderTest, FaultyLinesWriteOneErrorLineAndNoResult) {
  const struct {
    const char* Line;
    const char* Error;
  } cases[] = {
      {"99999999999999999999", "Number is too large at [1:1] "},
      {"1e5000", "Number is too large at [1:1] "},
      {"x", "Unknown identifier \"x\" at [1:1] "},
      {"1 + 'a'", "Undefined operation \"Integer + Char\" at [1:3] "},
      {"9223372036854775807 + 1", "Integer overflow"},
      {"1 2", "<EOF> is expected but Integer is found at [1:3] "},
      {"(1", "Symbol \")\" is expected but <EOF> is found at [1:3] "},
      {"'abc", "String is expected but String is found at [1:1] "},
      {"1 +", "Unknown identifier \"\" at [1:4] "},
      {"1 @ 2", "<EOF> is expected but Symbol is found at [1:3] "},
      {"begin", "Identifier expected but \"begin\" is found at [1:1] "},
      {")", "Unexpected symbol \")\" at [1:1] "},
      {"-'a'", "Undefined operation \"- Char\" at [1:1] "},
      {"True < False", "Undefined operation \"Boolean < Boolean\" at [1:6] "},
      {"psLine = atLinear", "Incompatible types at [1:8] "},
      {"Write(1) + 1", "Failed to determine term expression type at [1:1] "},
      {"1 + Write(1)", "Failed to determine additive expression type at [1:5] "},
      {"True := False", "Cannot assign to a constant at [1:6] "},
      {"\u00E4", "Unexpected symbol \"\u00E4\" at [1:1] "},
      {"x\u20AC := 1", "Unexpected symbol \"\u20AC\" at [1:2] "},
      {"x @ 1", "Unexpected symbol \"@\" at [1:3] "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Eval(c.Line), (std::vector<TLine>{{c.Error, lkError, 0}})) << c.Line;
    EXPECT_EQ(Value.VarType(), varError) << c.Line;
  }
}

TEST_F(XBuilderTest, EmptyLineChangesNothing) {
  Value = TVariant::Int64(5);
  EXPECT_TRUE(Eval("").empty());
  EXPECT_EQ(Value.VarType(), varEmpty);
  EXPECT_EQ(Engine->FindVariable(AnsVarName), nullptr);
}

TEST_F(XBuilderTest, ValueTakesScalarResults) {
  Eval("40 + 2");
  EXPECT_EQ(Value, TVariant::Int64(42));
  Eval("{1}");
  EXPECT_EQ(Value.VarType(), varEmpty);
}

TEST_F(XBuilderTest, OptionZeroMakesWorkspaceVariablesAndAnsFollows) {
  EXPECT_EQ(Result("y := 3"), "Unknown identifier \"y\" at [1:1] ");
  Engine->SetOption(0, true);
  EXPECT_EQ(Result("y := 3"), "3");
  TVar* y = Engine->FindVariable("y");
  ASSERT_NE(y, nullptr);
  EXPECT_EQ(y->Lib()->Name(), WorkspaceLibName);
  EXPECT_EQ(y->Kind(), BaseKind(kcInteger));
  EXPECT_EQ(Result("y * 2"), "6");
  EXPECT_EQ(Result("ans + 1"), "7");
  EXPECT_EQ(Result("a := b := 1"), "1");
  EXPECT_EQ(Result("a + b"), "2");
  // The inner assignment makes the variable the outer one assigns.
  EXPECT_EQ(Result("c := c := 4"), "4");
  EXPECT_EQ(Result("c"), "4");
}

TEST_F(XBuilderTest, OptionZeroNeedsAnAssignment) {
  Engine->SetOption(0, true);
  EXPECT_EQ(Eval("z + 1"), (std::vector<TLine>{{"Unknown identifier \"z\" at [1:1] ", lkError, 0}}));
  EXPECT_EQ(Engine->FindVariable("z"), nullptr);
}

TEST_F(XBuilderTest, StringCharactersHaveAViewPerIndexingSite) {
  Engine->SetOption(0, true);
  Eval("s := 'ab'");
  EXPECT_EQ(Result("s[1] + s[2]"), "'ab'");
  EXPECT_EQ(Result("s[1] := s[2]"), "'b'");
  EXPECT_EQ(Result("s"), "'bb'");
}

TEST_F(XBuilderTest, AnsIsRemadeOnlyForAnotherKind) {
  Eval("1+1");
  TVar* ans = Engine->FindVariable(AnsVarName);
  ASSERT_NE(ans, nullptr);
  EXPECT_EQ(ans->Kind(), BaseKind(kcInteger));
  EXPECT_EQ(ans->Lib()->Name(), WorkspaceLibName);
  Eval("1.5");
  ans = Engine->FindVariable(AnsVarName);
  EXPECT_EQ(ans->Kind(), BaseKind(kcReal));
  Eval("ans+1");
  EXPECT_EQ(Engine->FindVariable(AnsVarName), ans);
  EXPECT_EQ(Result("ans"), "2.5");
}

TEST_F(XBuilderTest, AnsMayBeReplacedByAPartOfItself) {
  Eval("{4, 5}");
  EXPECT_EQ(Result("ans[2]"), "5");
  EXPECT_EQ(Engine->FindVariable(AnsVarName)->Kind(), BaseKind(kcReal));
}

class TCountingClient : public IXDataClient {
public:
  explicit TCountingClient(std::uint8_t mask) : mask_(mask) {}
  void Update(std::uint8_t what) override { Updates.push_back(what); }
  std::uint8_t GetMask() override { return mask_; }
  void* AddItem(void* parent, void* item, std::uint8_t kind) override {
    Items.push_back({parent, item, kind});
    return kind == dikLibrary ? item : nullptr;
  }

  struct TItem {
    void* Parent;
    void* Item;
    std::uint8_t Kind;
  };
  std::vector<std::uint8_t> Updates;
  std::vector<TItem> Items;

private:
  std::uint8_t mask_;
};

TEST_F(XBuilderTest, SuccessfulEvaluationsNotifyTheClientsThatAskForVariables) {
  auto wants = MakeCounted<TCountingClient>(1u << dcVariables);
  auto others = MakeCounted<TCountingClient>(1u << dcLibraryLoaded);
  EXPECT_TRUE(Engine->AddDataClient(wants));
  EXPECT_TRUE(Engine->AddDataClient(others));
  EXPECT_FALSE(Engine->AddDataClient(nullptr));
  Eval("1");
  Eval("x");
  EXPECT_EQ(wants->Updates, std::vector<std::uint8_t>{dcVariables});
  EXPECT_TRUE(others->Updates.empty());
  Engine->NotifyDataClients(dcEverything);
  Engine->NotifyDataClients(9);
  EXPECT_EQ(others->Updates, std::vector<std::uint8_t>{dcEverything});
}

TEST_F(XBuilderTest, APumpedEvaluationIsRefusedAndTheRunGoesOn) {
  std::vector<TLine> inner;
  TTestFunc& pump = AddRoutine("PumpNow", "function : integer", [&](TTestFunc& self, TSourcePos) {
    TVariant ignored;
    auto nested = MakeCounted<TRecordingSink>();
    SetMessageSink(nested);
    Engine->Evaluate("1 + 1", false, true, -1, ignored);
    SetMessageSink(Sink);
    inner = nested->Lines;
    SetResult(self, TValue::Integer(7));
    return true;
  });
  EXPECT_EQ(Result("PumpNow()"), "7");
  EXPECT_EQ(pump.Calls, 1);
  EXPECT_EQ(inner, (std::vector<TLine>{{"Reentrace attempted", lkError, 0}}));
  EXPECT_FALSE(Engine->IsRunning());
}

TEST_F(XBuilderTest, AbortFromAPumpedMessageStopsALongEvaluation) {
  int pumps = 0;
  SetMessagePump([&] {
    if (++pumps == 3) Engine->Abort();
  });
  AddRoutine("Spin", "function : integer", [&](TTestFunc& self, TSourcePos) {
    for (long i = 0; i < 100'000'000 && !AbortFlag; ++i) ProcessMessages();
    SetResult(self, TValue::Integer(1));
    return true;
  });
  EXPECT_EQ(Eval("1 + Spin()"), (std::vector<TLine>{{"Execution terminated", lkWarning, 0}}));
  EXPECT_EQ(pumps, 3);
  EXPECT_FALSE(Engine->IsRunning());
  EXPECT_EQ(Result("2 + 2"), "4");
}

// A listing lets the windows through between its lines, as statements do,
// so an abort asked for there ends it where it is and keeps what it
// listed: the output routines of vectors and matrices, and the standard
// listing of an array.
TEST_F(XBuilderTest, AnAbortEndsAListingWhereItIs) {
  AddRoutine("Ints", "function : array of integer", [](TTestFunc& self, TSourcePos) {
    static_cast<TArrVar*>(self.ResultVariable())->SetLength(200000);
    return true;
  });
  SetMessagePump([&] {
    if (Sink->Lines.size() > 100 && !AbortFlag) Engine->Abort();
  });
  const auto heading = [](const TLine& line) {
    return line.Text.starts_with("vector [") || line.Text.starts_with("matrix [") || line.Text.starts_with("array [");
  };
  for (const auto& [line, first] : {std::pair{"MakeVec(200000)", "vector [200000]"},
                                    {"MatZero(200000, 2)", "matrix [200000:2]"},
                                    {"Ints()", "array [200000]"}}) {
    const std::vector<TLine> lines = Eval(line, true);
    ASSERT_GT(lines.size(), 101u) << line;
    EXPECT_LT(lines.size(), 100000u) << line << ": the listing went on";
    EXPECT_EQ(lines.front().Text, first) << line;
    EXPECT_EQ(lines.back(), (TLine{"Execution terminated", lkWarning, 0})) << line;
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), heading), 1) << line << ": a second listing followed";
  }
  EXPECT_EQ(Result("1 + 1"), "2");
}

TEST_F(XBuilderTest, AbortOutsideARunDoesNothing) {
  Engine->Abort();
  EXPECT_FALSE(AbortFlag);
  EXPECT_TRUE(Sink->Lines.empty());
}

TEST_F(XBuilderTest, OperationsThatFreeStateAreRefusedWhileRunning) {
  Engine->SetOption(0, true);
  Eval("keep := 1");
  std::vector<TLine> inner;
  AddRoutine("Meddle", "function : integer", [&](TTestFunc& self, TSourcePos) {
    auto nested = MakeCounted<TRecordingSink>();
    SetMessageSink(nested);
    Engine->DeleteVariable("keep");
    Engine->ClearWorkspace();
    EXPECT_FALSE(Engine->RegisterType("TLate", "( l1, l2 )"));
    EXPECT_EQ(Engine->ParseExpression("1"), nullptr);
    SetMessageSink(Sink);
    inner = nested->Lines;
    SetResult(self, TValue::Integer(0));
    return true;
  });
  EXPECT_EQ(Result("Meddle()"), "0");
  EXPECT_EQ(inner.size(), 4u);
  for (const TLine& line : inner) EXPECT_EQ(line, (TLine{"Reentrace attempted", lkError, 0}));
  EXPECT_NE(Engine->FindVariable("keep"), nullptr);
}

TEST_F(XBuilderTest, RunningFlagIsReleasedWhenAFaultLeavesTheEngine) {
  AddRoutine("Crash", "function : integer", [](TTestFunc&, TSourcePos) -> bool { throw EIntOverflow(); });
  TVariant value;
  EXPECT_THROW(Engine->Evaluate("Crash()", false, true, -1, value), EIntOverflow);
  EXPECT_FALSE(Engine->IsRunning());
  EXPECT_EQ(Result("Crash"), "Crash");
  EXPECT_EQ(Result("2 + 2"), "4");
}

TEST_F(XBuilderTest, ParseExpressionHandsOutATreeAndWritesNothing) {
  EXPECT_EQ(Engine->ParseExpression(""), nullptr);
  EXPECT_EQ(Engine->ParseExpression("1 +"), nullptr);
  EXPECT_EQ(Engine->ParseExpression("1 2"), nullptr);
  EXPECT_TRUE(Sink->Lines.empty());
  EXPECT_EQ(GetMessageSink().get(), Sink.get());
  EXPECT_EQ(Engine->GetErrorText(), "");
  std::unique_ptr<TExpression> tree = Engine->ParseExpression("3 * 4");
  ASSERT_NE(tree, nullptr);
  ASSERT_TRUE(tree->Evaluate());
  EXPECT_EQ(static_cast<TBaseVar*>(tree->ResultVar())->GetValue().AsInt(), 12);
  EXPECT_FALSE(Engine->IsRunning());
}

// Windows parse their fields on every idle pass: a notice from parsing
// would keep the program's message queue busy for ever.
TEST_F(XBuilderTest, RunsAnnounceTheirEndOnEveryPathAndParsingDoesNot) {
  int ends = 0;
  Engine->SetOnRunEnd([&ends] { ++ends; });
  AddRoutine("Crash", "function : integer", [](TTestFunc&, TSourcePos) -> bool { throw EIntOverflow(); });
  EXPECT_EQ(Result("2 + 2"), "4");
  EXPECT_EQ(ends, 1);
  Eval("1 +");
  EXPECT_EQ(ends, 2) << "a failed run";
  TVariant value;
  EXPECT_THROW(Engine->Evaluate("Crash()", false, true, -1, value), EIntOverflow);
  EXPECT_EQ(ends, 3) << "a fault leaving the engine";
  EXPECT_NE(Engine->ParseExpression("3 * 4"), nullptr);
  EXPECT_EQ(Engine->ParseExpression("1 +"), nullptr);
  EXPECT_EQ(ends, 3) << "parsing";
  Engine->SetOnRunEnd(nullptr);
  EXPECT_EQ(Result("2 + 2"), "4");
  EXPECT_EQ(ends, 3);
}

TEST_F(XBuilderTest, LastErrorIsReadableThroughTheFacade) {
  Eval("1 +\n foo");
  EXPECT_EQ(Engine->GetErrorText(), "Unknown identifier \"foo\"");
  EXPECT_EQ(Engine->GetErrorLine(), 2);
  EXPECT_EQ(Engine->GetErrorColumn(), 2);
  Eval("1");
  EXPECT_EQ(Engine->GetErrorLine(), -1);
}

TEST_F(XBuilderTest, ClassifyIdentifierTellsWhatANameDenotes) {
  Engine->SetOption(0, true);
  Eval("v := 1");
  const struct {
    const char* Name;
    std::uint8_t Class;
  } cases[] = {{"v", 1}, {"True", 2}, {"ApplicationPath", 2}, {"Write", 3}, {"Integer", 4},
               {"vector", 4}, {"Longint", 4}, {"psDashed", 5}, {"nothing", 0}, {"", 0}};
  for (const auto& c : cases) EXPECT_EQ(Engine->ClassifyIdentifier(c.Name), c.Class) << c.Name;
}

TEST_F(XBuilderTest, IsFreeIdentifierWantsAnUnusedWellFormedName) {
  Engine->SetOption(0, true);
  Eval("taken := 1");
  const struct {
    const char* Name;
    bool Free;
  } cases[] = {{"fresh", true}, {"_x1", true},      {"", false},      {"1x", false},   {"a-b", false},
               {"begin", false}, {"System", false}, {"taken", false}, {"Show", false}, {"Matrix", false},
               {"Word", false},  {"psBar", false},  {"é", false}};
  for (const auto& c : cases) EXPECT_EQ(Engine->IsFreeIdentifier(c.Name), c.Free) << c.Name;
}

TEST_F(XBuilderTest, AddInsertFindAndDeleteVariables) {
  TVar* added = Engine->AddVariable("w", BaseKind(kcReal));
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->Lib()->Name(), WorkspaceLibName);
  EXPECT_EQ(Engine->FindVariable("W"), added);
  EXPECT_EQ(Engine->AddVariable("w", BaseKind(kcReal)), nullptr);
  EXPECT_EQ(Engine->AddVariable("u", nullptr), nullptr);
  auto extra = MakeVar("w", BaseKind(kcInteger), false, NoneValue, nullptr);
  EXPECT_FALSE(Engine->InsertVariable(extra));
  EXPECT_NE(extra, nullptr) << "a refused variable stays with the caller";
  std::unique_ptr<TVar> none;
  EXPECT_FALSE(Engine->InsertVariable(none));
  EXPECT_EQ(ErrorTexts(), (std::vector<std::string>{"Variable named \"w\" already exists",
                                                   "Failed to add variable \"u\"",
                                                   "Variable named \"w\" already exists"}));
  auto inserted = MakeVar("q", BaseKind(kcInteger), false, TValue::Integer(4), nullptr);
  EXPECT_TRUE(Engine->InsertVariable(inserted));
  EXPECT_EQ(inserted, nullptr);
  EXPECT_EQ(Result("q * w"), "0");
  Engine->DeleteVariable("q");
  EXPECT_EQ(Engine->FindVariable("q"), nullptr);
  Engine->DeleteVariable("q");
}

TEST_F(XBuilderTest, ClearWorkspaceDeletesWorkspaceVariablesOnly) {
  Engine->SetOption(0, true);
  Eval("a := 1");
  Eval("b := 'x'");
  Engine->ClearWorkspace();
  EXPECT_EQ(Engine->FindVariable("a"), nullptr);
  EXPECT_EQ(Engine->FindVariable(AnsVarName), nullptr);
  EXPECT_NE(Engine->FindVariable("True"), nullptr);
}

TEST_F(XBuilderTest, ForEachVariableStopsAtTheFirstFalse) {
  Engine->SetOption(0, true);
  Eval("a := 1");
  Eval("b := 2");
  std::vector<std::string> seen;
  EXPECT_TRUE(Engine->ForEachVariable([&](TVar* var) { return seen.push_back(var->Name()), true; }, "workspace"));
  EXPECT_EQ(seen.size(), 3u);  // a, b and ans
  int calls = 0;
  EXPECT_FALSE(Engine->ForEachVariable([&](TVar*) { return ++calls, false; }, ""));
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(Engine->ForEachVariable(nullptr, ""));
  EXPECT_FALSE(Engine->ForEachVariable([](TVar*) { return true; }, "NoSuchLibrary"));
  Engine->DeleteVariable("a");  // the stopped walk does not block deletion
  EXPECT_EQ(Engine->FindVariable("a"), nullptr);
}

TEST_F(XBuilderTest, OptionsHoldOnlyOptionZero) {
  EXPECT_FALSE(Engine->GetOption(0));
  Engine->SetOption(0, true);
  EXPECT_TRUE(Engine->GetOption(0));
  EXPECT_FALSE(Engine->GetOption(8));
  EXPECT_THROW(Engine->SetOption(1, true), ERangeError);
  Engine->SetOption(0, false);
  EXPECT_FALSE(Engine->GetOption(0));
}

TEST_F(XBuilderTest, IntegerFormatAppliesToPrintedResults) {
  Engine->SetIntegerFormat(ifHex);
  EXPECT_EQ(Engine->GetIntegerFormat(), ifHex);
  EXPECT_EQ(Result("255"), "$FF");
  EXPECT_EQ(Result("$FFFFFFFFFFFFFFFF"), "$FFFFFFFFFFFFFFFF");
  Engine->SetIntegerFormat(ifDecimal);
  EXPECT_EQ(Result("$FFFFFFFFFFFFFFFF"), "-1");
}

TEST_F(XBuilderTest, EnumLibrariesSkipsHiddenAndBuiltInLibraries) {
  auto names = [&](bool includeBuiltIn, const std::string& filter) {
    auto client = MakeCounted<TCountingClient>(0);
    Engine->EnumLibraries(*client, includeBuiltIn, 1u << dikLibrary, filter);
    std::vector<std::string> found;
    for (const auto& item : client->Items) found.push_back(static_cast<TLib*>(item.Item)->Name());
    return found;
  };
  EXPECT_EQ(names(true, ""), (std::vector<std::string>{"System", "InOut", "Math", "SysPlots", "Workspace"}));
  EXPECT_TRUE(names(false, "").empty());
  EXPECT_EQ(names(true, "WORKSPACE"), std::vector<std::string>{"Workspace"});
  EXPECT_TRUE(names(true, "_SysMath").empty());
}

TEST_F(XBuilderTest, EnumLibrariesHandsOutItemsUnderTheirLibrary) {
  Engine->SetOption(0, true);
  Eval("n := 1");
  auto client = MakeCounted<TCountingClient>(0);
  Engine->EnumLibraries(*client, true, (1u << dikLibrary) | (1u << dikVariable) | (1u << dikConstant), "workspace");
  ASSERT_EQ(client->Items.size(), 3u);  // Workspace, then n and ans
  EXPECT_EQ(client->Items[0].Kind, dikLibrary);
  for (std::size_t i = 1; i < client->Items.size(); ++i) {
    EXPECT_EQ(client->Items[i].Kind, dikVariable);
    EXPECT_EQ(client->Items[i].Parent, client->Items[0].Item);
  }

  auto system = MakeCounted<TCountingClient>(0);
  Engine->EnumLibraries(*system, true, (1u << dikRoutine) | (1u << dikConstant) | (1u << dikType), "System");
  auto count = [&](std::uint8_t kind, const std::string& name) {
    int n = 0;
    for (const auto& item : system->Items)
      if (item.Kind == kind && static_cast<THashNode*>(item.Item)->Name() == name) ++n;
    return n;
  };
  EXPECT_EQ(count(dikRoutine, "Write"), 1);
  EXPECT_EQ(count(dikConstant, "Inf"), 1);
  EXPECT_EQ(count(dikConstant, "Write"), 0);  // routine variables are not constants here

  // A routine held by a script's variable is that variable's value.
  Eval("f := Sin");
  auto workspace = MakeCounted<TCountingClient>(0);
  Engine->EnumLibraries(*workspace, true, 1u << dikVariable, "workspace");
  std::vector<std::string> variables;
  for (const auto& item : workspace->Items) variables.push_back(static_cast<THashNode*>(item.Item)->Name());
  std::sort(variables.begin(), variables.end());
  EXPECT_EQ(variables, (std::vector<std::string>{"ans", "f", "n"}));
  EXPECT_EQ(count(dikType, "Vector"), 1);
  EXPECT_EQ(count(dikType, "TPlotStyle"), 1);
}

TEST_F(XBuilderTest, RegisterTypeRefusesATakenName) {
  EXPECT_FALSE(Engine->RegisterType("TPlotStyle", "( a, b )"));
  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Type \"TPlotStyle\" is already registered"});
  EXPECT_FALSE(Engine->RegisterType("", "( a )"));
  EXPECT_FALSE(Engine->RegisterType("T", ""));
  EXPECT_TRUE(Engine->RegisterType("TRow", "array of integer"));
  EXPECT_EQ(FindKind("TRow")->GetText(false), "Array of Integer");
  EXPECT_EQ(FindKind("TRow")->Lib()->Name(), "System");
  EXPECT_FALSE(Engine->RegisterType("TBad", "( a, a )"));
  EXPECT_EQ(ErrorTexts().back(), "Enumeration member redeclared in \"System\" at [1:6] ");
}

TEST_F(XBuilderTest, SystemHoldsTheBasicVocabulary) {
  const struct {
    const char* Line;
    const char* Printed;
  } cases[] = {
      {"On = True", "True"}, {"Off = False", "True"}, {"Inf > 1e4000", "True"}, {"-Inf", "-INF"}, {"nil", "nil"},
  };
  for (const auto& c : cases) EXPECT_EQ(Result(c.Line), c.Printed) << c.Line;
  std::string path = Result("ApplicationPath");
  EXPECT_EQ(path.substr(path.size() - 2), "/'");
  EXPECT_EQ(FindKind("Matrix")->GetText(false), "Array of Vector");
  EXPECT_EQ(FindKind("psWall"), nullptr);
  EXPECT_EQ(Result("psWall"), "psWall");
}

TEST_F(XBuilderTest, WriteAndShowPrintTheirArguments) {
  EXPECT_EQ(Eval("Write(1, 'a', 2.5)"), (std::vector<TLine>{{"1a2.5", lkOutput, 0}}));
  EXPECT_EQ(Eval("Show({7}, 'q')"), (std::vector<TLine>{{"vector [1]", lkOutput, 0},
                                                        {"-", lkSplit, 1},
                                                        {"1 |  7", lkOutput, 1},
                                                        {"-", lkSplit, 1},
                                                        {"'q'", lkOutput, 0}}));
  EXPECT_EQ(Value.VarType(), varEmpty);
}

TEST_F(XBuilderTest, RegisterFuncFilesRoutinesInTheirRegistries) {
  auto body = [](TTestFunc&, TSourcePos) { return true; };
  TFuncKind* import = Engine->ParseSignature("function ( h : integer; var v : Vector ) : boolean", std::string());
  TFuncKind* export_ = Engine->ParseSignature("function ( h : integer; v : Vector ) : boolean", std::string());
  TFunc* reader = Engine->RegisterFunc(std::make_unique<TTestFunc>("ReadV", import, nullptr, body), frVarImport);
  TFunc* writer = Engine->RegisterFunc(std::make_unique<TTestFunc>("WriteV", export_, nullptr, body), frVarExport);
  ASSERT_NE(ImpExp, nullptr);
  TImpExpRec* vectors = ImpExp->Find(FindKind("Vector"));
  ASSERT_NE(vectors, nullptr);
  // The library InOut filed its own Vector routines first.
  EXPECT_EQ(vectors->GetImport(vectors->ImportCount() - 1), reader);
  EXPECT_EQ(vectors->GetExport(vectors->ExportCount() - 1), writer);
  EXPECT_EQ(Engine->ClassifyIdentifier("ReadV"), 3);
  EXPECT_EQ(Engine->RegisterFunc(std::make_unique<TTestFunc>("readv", import, nullptr, body), frPlain), nullptr);
}

TEST_F(XBuilderTest, EnginesComeAndGo) {
  Engine = nullptr;
  EXPECT_EQ(ScriptEngine, nullptr);
  EXPECT_EQ(ImpExp, nullptr);
  EXPECT_EQ(FindKind("Integer"), nullptr);
  Engine = MakeCounted<TXBuilder>(StandardCatalogues());
  EXPECT_EQ(ScriptEngine, Engine.get());
  EXPECT_EQ(Result("2 + 2"), "4");
}

}  // namespace
