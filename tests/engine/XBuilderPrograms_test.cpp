// Compiling whole texts: programs run once and leave nothing behind,
// libraries stay loaded, and what a failed text leaves.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Lib.h"
#include "tests/engine/ProgramFixture.h"

namespace {

class XBuilderProgramsTest : public ProgramFixture {
protected:
  int LibraryCount() const { return Engine->Libs().Count(); }
};

TEST_F(XBuilderProgramsTest, AProgramRunsAndLeavesNoLibrary) {
  int before = LibraryCount();
  EXPECT_EQ(Texts("var i : Integer; begin i := 2; Write(i * i) end."), std::vector<std::string>{"4"});
  EXPECT_TRUE(Compiled);
  EXPECT_EQ(LibraryCount(), before);
  EXPECT_EQ(Engine->FindVariable("i"), nullptr);
  EXPECT_EQ(Engine->CurLib, nullptr);
  EXPECT_FALSE(Engine->IsRunning());
}

TEST_F(XBuilderProgramsTest, UnnamedProgramsAreNumberedInTurn) {
  Run("begin end.");
  std::string first = Run("begin x := 1 end.").at(0).Text;
  std::string second = Run("begin x := 1 end.").at(0).Text;
  int n = -1;
  ASSERT_EQ(std::sscanf(first.c_str(), "Unknown identifier \"x\" in \"_Untitled_%d\" at [1:7] ", &n), 1) << first;
  EXPECT_EQ(second, "Unknown identifier \"x\" in \"_Untitled_" + std::to_string(n + 1) + "\" at [1:7] ");
}

TEST_F(XBuilderProgramsTest, AFailedProgramLeavesNoLibraryAndAnswersFalse) {
  int before = LibraryCount();
  EXPECT_EQ(Error("var y : Integer; begin x := 1 end."), "Unknown identifier \"x\" in \"_Untitled_n\" at [1:24] ");
  EXPECT_FALSE(Compiled);
  EXPECT_EQ(LibraryCount(), before);
  EXPECT_EQ(Engine->FindVariable("y"), nullptr);
}

TEST_F(XBuilderProgramsTest, ANamedProgramUsesItsNameAsLibrary) {
  EXPECT_EQ(Error("program Demo; begin x := 1 end."), "Unknown identifier \"x\" in \"Demo\" at [1:21] ");
  EXPECT_EQ(Engine->FindLibrary("Demo"), nullptr);
  EXPECT_EQ(Texts("program Demo; begin Write('again') end."), std::vector<std::string>{"again"});
}

TEST_F(XBuilderProgramsTest, ALibraryStaysLoadedAndIsReplacedByItsNextText) {
  EXPECT_EQ(Run("library L; const a = 1; end."),
            (std::vector<TLine>{{"Library \"L\" loaded successfully", lkInfo, 0}}));
  EXPECT_TRUE(Compiled);
  ASSERT_NE(Engine->FindLibrary("L"), nullptr);
  EXPECT_EQ(Result("a"), "1");
  Run("library l; const b = 2; end.");
  EXPECT_TRUE(Compiled);
  EXPECT_EQ(Engine->FindVariable("a"), nullptr);
  EXPECT_EQ(Result("b"), "2");
  EXPECT_EQ(Engine->Libs().Get(LibraryCount() - 1)->Name(), "l");
}

TEST_F(XBuilderProgramsTest, LibrariesLoadWithTheirDeclarationsAndBlock) {
  const char* texts[] = {
      "library L; end.",
      "library L; type T = (x, y); end.",
      "library L; uses System, Math; end.",
      "library L; var n : Integer; begin n := 5 end.",
  };
  for (const char* text : texts) {
    Run(text);
    EXPECT_TRUE(Compiled) << text;
  }
  EXPECT_EQ(Result("n"), "5");
}

TEST_F(XBuilderProgramsTest, AProgramNamedAfterALibraryLeavesItAlone) {
  Run("library L; const a = 1; end.");
  EXPECT_EQ(Error("program L; begin end."), "Program name \"L\" is redefined at [1:9] ");
  EXPECT_FALSE(Compiled);
  EXPECT_EQ(Result("a"), "1");
  EXPECT_EQ(Error("program System; begin end."), "Program name \"System\" is redefined at [1:9] ");
}

TEST_F(XBuilderProgramsTest, BuiltInLibrariesCannotBeReplaced) {
  int before = LibraryCount();
  EXPECT_EQ(Error("library System; end."), "Library name \"System\" is redefined at [1:9] ");
  EXPECT_EQ(Error("library workspace; end."), "Library name \"workspace\" is redefined at [1:9] ");
  EXPECT_EQ(LibraryCount(), before);
  EXPECT_EQ(Result("Pi > 3"), "True");
}

TEST_F(XBuilderProgramsTest, AFailedLibraryIsRemovedAndTheWorkspaceStays) {
  Engine->SetOption(0, true);
  Eval("w := 1");
  Engine->SetOption(0, false);
  ASSERT_NE(Engine->FindVariable("w"), nullptr);
  int before = LibraryCount();
  EXPECT_EQ(Error("library L; var v : Integer; begin if 1 then v := 2 end."),
            "Boolean expression expected in \"L\" at [1:38] ");
  EXPECT_FALSE(Compiled);
  EXPECT_EQ(LibraryCount(), before);
  EXPECT_EQ(Engine->FindVariable("v"), nullptr);
  EXPECT_NE(Engine->FindVariable("w"), nullptr);
}

TEST_F(XBuilderProgramsTest, ALibraryBlocksRunTimeErrorsDoNotStopTheLoad) {
  EXPECT_EQ(Texts("library L; var a : array [1..1] of Integer; begin a[2] := 1 end."),
            (std::vector<std::string>{"Array index = 2 is out of range in \"L\" at [1:53] ",
                                      "Library \"L\" loaded successfully"}));
  EXPECT_TRUE(Compiled);
}

TEST_F(XBuilderProgramsTest, UsesWantsLoadedLibraries) {
  EXPECT_EQ(Error("uses Nowhere; begin end."), "Library \"Nowhere\" is not loaded in \"_Untitled_n\" at [1:6] ");
  Run("uses Math, InOut; begin end.");
  EXPECT_TRUE(Compiled);
}

TEST_F(XBuilderProgramsTest, OuterLevelsRefuseWhatDoesNotBelong) {
  const struct {
    const char* Text;
    const char* Error;
  } cases[] = {
      {"begin end", "Symbol \".\" is expected but <EOF> is found in \"_Untitled_n\" at [1:10] "},
      {"const a = 1;", "Identifier \"begin\" is expected but <EOF> is found in \"_Untitled_n\" at [1:13] "},
      {"x; begin end.", "Unexpected identifier \"x\" in \"_Untitled_n\" at [1:1] "},
      {"5; begin end.", "Unexpected symbol \"5\" in \"_Untitled_n\" at [1:1] "},
      {"library; end.", "Identifier is expected but Symbol \";\" is found at [1:8] "},
      {"library L end.", "Symbol \";\" is expected but Identifier \"end\" is found in \"L\" at [1:11] "},
      {"program P begin end.", "Symbol \";\" is expected but Identifier \"begin\" is found at [1:11] "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Error(c.Text), c.Error) << c.Text;
  }
}

TEST_F(XBuilderProgramsTest, TextAfterTheFinalDotIsNotRead) {
  EXPECT_EQ(Texts("begin Write(1) end. ? anything"), std::vector<std::string>{"1"});
  EXPECT_TRUE(Compiled);
}

TEST_F(XBuilderProgramsTest, NothingToCompile) {
  EXPECT_EQ(Run(""), (std::vector<TLine>{{"Nothing to compile", lkWarning, 0}}));
  EXPECT_FALSE(Compiled);
  EXPECT_FALSE(Engine->IsRunning());
}

TEST_F(XBuilderProgramsTest, ATextIsRefusedSilentlyWhileARunIsInProgress) {
  bool nested = true;
  SetMessagePump([&] {
    nested = Engine->CompileText("begin Write('nested') end.");
    Engine->Abort();
  });
  EXPECT_EQ(Texts("var i : Integer; begin for i := 1 to 100000000 do i := i end."),
            std::vector<std::string>{"Execution terminated"});
  EXPECT_FALSE(nested);
}

TEST_F(XBuilderProgramsTest, ClientsHearOfEveryCompiledText) {
  auto client = MakeCounted<TCountingClient>();
  Engine->AddDataClient(client);
  Run("library L; end.");
  EXPECT_EQ(client->Updates, std::vector<std::uint8_t>{dcEverything});
  client->Updates.clear();
  Run("begin end.");
  EXPECT_EQ(client->Updates, std::vector<std::uint8_t>{dcEverything});
}

TEST_F(XBuilderProgramsTest, CompileFileRunsTheFilesText) {
  std::string path = testing::TempDir() + "compile_file_test.tarn";
  std::ofstream(path) << "begin Write('from file') end.";
  Sink->Lines.clear();
  EXPECT_TRUE(Engine->CompileFile(path));
  EXPECT_EQ(Sink->Lines, (std::vector<TLine>{{"from file", lkOutput, 0}}));
  std::remove(path.c_str());
  Sink->Lines.clear();
  EXPECT_FALSE(Engine->CompileFile(path));
  EXPECT_TRUE(Sink->Lines.empty());
  EXPECT_FALSE(Engine->CompileFile(testing::TempDir()));
}

// A fault that leaves the engine takes the program's library with it, so
// that the program can run again.
TEST_F(XBuilderProgramsTest, AFaultLeavesNoLibraryAndReleasesTheEngine) {
  int before = LibraryCount();
  const char* text = "program Faulty; var i : Integer; begin i := 9223372036854775807; Inc(i) end.";
  EXPECT_THROW(Engine->CompileText(text), EIntOverflow);
  EXPECT_EQ(LibraryCount(), before);
  EXPECT_FALSE(Engine->IsRunning());
  EXPECT_EQ(Engine->CurLib, nullptr);
  EXPECT_THROW(Engine->CompileText(text), EIntOverflow);
}

}  // namespace
