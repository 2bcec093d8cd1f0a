// Runs from the program editor window: the output in its console, the time
// and memory lines, the caret on the error, abort, and the example programs.

#include <filesystem>
#include <regex>

#include "engine/data/IOSystem.h"
#include "graphics/XGraph.h"
#include "runtime/HeapUsage.h"
#include "shell/GraphForm.h"
#include "tests/shell/EditorFormFixture.h"

namespace {

namespace fs = std::filesystem;

class EditorRunTest : public EditorFormTest {
protected:
  ~EditorRunTest() override { SetHeapUsageSource(nullptr); }

  // A new tab holding the text, run with F9.
  void RunText(const std::string& text) {
    Key('N', Ctrl);
    SetText(text);
    Key(VK_F9);
  }
  std::pair<int, int> Caret() { return {ActiveEditor().CaretY(), ActiveEditor().CaretX()}; }
  bool EditorFocused() { return GetFocus() == ActiveEditor().Handle(); }
};

const std::regex TimeLine{R"(Execution time : [0-9.]+(E-?[0-9]+)? s)"};

TEST_F(EditorRunTest, ARunWritesIntoTheWindowsConsoleAndTheCaretGoesToItsOwnError) {
  Params.ExecTime = true;
  StartShown();
  struct TCase {
    const char* Text;
    const char* FirstLine;
    int FirstKind;
    std::pair<int, int> Caret;  // -1: where it was
  };
  const TCase cases[] = {
      {"program P; begin Write(6 * 7) end.", "42", lkOutput, {-1, -1}},
      {"program P;\nbegin\n    x := 1\nend.", "Unknown identifier \"x\" in \"P\" at [3:5] ", lkError, {2, 4}},
      {"zz", "Unexpected identifier \"zz\" in \"_Untitled_1\" at [1:1] ", lkError, {0, 0}},
      {"library L;\nfunction F : Integer;\nbegin\n  Result := 1\nend;\nend.", "Library \"L\" loaded successfully",
       lkInfo, {-1, -1}},
      {"", "Nothing to compile", lkWarning, {-1, -1}},
  };
  for (const TCase& c : cases) {
    Key('N', Ctrl);
    SetText(c.Text);
    ActiveEditor().SetCaret(1, 0);
    Key(VK_F9);
    const std::vector<TShownLine> lines = EditorConsole();
    ASSERT_EQ(lines.size(), 2u) << c.Text;
    EXPECT_EQ(lines[0], (TShownLine{c.FirstLine, c.FirstKind})) << c.Text;
    EXPECT_TRUE(std::regex_match(lines[1].Text, TimeLine)) << lines[1].Text;
    EXPECT_EQ(lines[1].Kind, lkInfo);
    const std::pair<int, int> expected = c.Caret.first < 0 ? std::pair{0, 1} : c.Caret;
    EXPECT_EQ(Caret(), expected) << c.Text;
    EXPECT_TRUE(EditorFocused()) << c.Text;
  }
  EXPECT_EQ(form->Engine->GetConsole(), form->GetConsoleIntf()) << "the sink back with the main window";
}

TEST_F(EditorRunTest, AnErrorInAnotherLibrarysTextLeavesTheCaretAlone) {
  StartShown();
  RunText("library M;\nfunction Bad(i : Integer) : Integer;\nvar a : array [1..3] of Integer;\nbegin\n"
          "  a[i] := 1;\n  Result := i\nend;\nend.");
  RunText("program P;\nvar n : Integer;\nbegin\n  n := 0;\n  n := Bad(4);\n  Write(n)\nend.");
  ActiveEditor().SetCaret(2, 1);
  Key(VK_F9);
  const std::vector<TShownLine> lines = EditorConsole();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].Kind, lkError);
  EXPECT_NE(lines[0].Text.find("in \"M\" at [5:"), std::string::npos) << lines[0].Text;
  EXPECT_EQ(Caret(), (std::pair{1, 2}));
}

TEST_F(EditorRunTest, AnErrorOfItsOwnTextAtRunTimeMovesTheCaretToo) {
  StartShown();
  RunText("program P;\nvar a : array [1..3] of Integer;\nbegin\n  a[4] := 1\nend.");
  EXPECT_EQ(EditorConsole().front().Kind, lkError);
  EXPECT_EQ(Caret().first, 3);
}

TEST_F(EditorRunTest, MemoryReportsShowTheHeapAndItsChangeSinceTheLastReport) {
  Params.MemTaken = true;
  std::int64_t heap = 1000;
  SetHeapUsageSource([&heap] { return heap; });
  StartShown();
  RunText("program P; begin end.");
  EXPECT_EQ(EditorConsole().back(), (TShownLine{"Memory allocated : 1000 ( 0 ) bytes", lkInfo}));
  heap = 1500;
  Key(VK_F9);
  EXPECT_EQ(EditorConsole().back(), (TShownLine{"Memory allocated : 1500 ( 500 ) bytes", lkInfo}));
}

TEST_F(EditorRunTest, CtrlF9EndsARunAndTheMainWindowRefusesLinesMeanwhile) {
  StartShown();
  Key('N', Ctrl);
  SetText("program Forever;\nbegin\n  while true do begin end\nend.");
  bool runShown = false;
  RunLater(200, [&] {
    Idle();
    runShown = !editor->actRun->Enabled() && editor->ExecuteButton->Action() == editor->actAbort &&
               form->Engine->IsRunning();
    form->CommandLine->SetFocus();
    Enter("1+1");
    SynthesizeKeyStroke(editor->Handle(), VK_F9, "", Ctrl);
  });
  Key(VK_F9);
  EXPECT_TRUE(runShown) << "Execute disabled, the button showing Abort";
  EXPECT_FALSE(form->Engine->IsRunning());
  const std::vector<TShownLine> lines = EditorConsole();
  EXPECT_NE(std::find(lines.begin(), lines.end(), TShownLine{"Reentrace attempted", lkError}), lines.end());
  EXPECT_EQ(lines.back(), (TShownLine{"Execution terminated", lkWarning}));
  EXPECT_EQ(editor->ExecuteButton->Action(), editor->actRun);
}

TEST_F(EditorRunTest, AfterARunTheMainWindowsLinesAnswerInItsCurrentView) {
  StartShown();
  form->SetCompact(true);
  RunText("program P; begin Write(1) end.");
  form->CommandLine->SetFocus();
  Enter("2*3");
  EXPECT_EQ(form->ResultLine->GetSource(), "6");
  form->SetCompact(false);
  form->CommandLine->SetSource("");
  form->CommandLine->SetFocus();
  Enter("1+1");
  EXPECT_EQ(LastLine(), (TShownLine{"2", lkResult}));
}

// Each example runs from a tab without an error; the plot example shows
// its plot in the 2D graph window.
TEST_F(EditorRunTest, EveryExampleProgramRunsWithoutAnError) {
  const fs::path built = fs::read_symlink("/proc/self/exe").parent_path() / "../bin";
  fs::create_directories(program.Path() / "Files");
  fs::create_symlink(fs::canonical(built / "DATA" / "file.dio"), program.Path() / "DATA" / "file.dio");
  IOSystem = std::make_unique<TIOSystem>(GetAppFolder());
  StartShown();
  std::unique_ptr<TGraphForm> graphs(GraphForm = new TGraphForm(nullptr, form->actGraphs));
  const fs::path examples = ProgramResources() / "Examples";
  int ran = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(examples)) {
    ASSERT_TRUE(editor->OpenFile(entry.path().string()));
    Key(VK_F9);
    const std::vector<TShownLine> lines = EditorConsole();
    // The plot example draws and writes nothing; the others write.
    if (entry.path().filename() != "Plot.tarn") {
      EXPECT_FALSE(lines.empty()) << entry.path();
    }
    for (const TShownLine& line : lines) EXPECT_NE(line.Kind, lkError) << entry.path() << ": " << line.Text;
    ++ran;
  }
  EXPECT_GE(ran, 6);
  EXPECT_TRUE(GraphForm->Visible()) << "the plot example's window";
  EXPECT_EQ(GraphForm->Graph->Count(), 1);
  form->CommandLine->SetFocus();
  Enter("CircleArea(1) = Pi");
  EXPECT_EQ(LastLine(), (TShownLine{"True", lkResult})) << "the example library's routine from a console line";
  FreeEditor();
  graphs.reset();
  Free();
  IOSystem.reset();
}

}  // namespace
