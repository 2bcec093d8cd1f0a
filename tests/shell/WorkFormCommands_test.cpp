// The workspace window's commands on variables, the workspace and libraries,
// from its keys, tool bar actions and dialogs.

#include <algorithm>
#include <filesystem>

#include "engine/RunState.h"
#include "libraries/WorkStatus.h"
#include "runtime/WholeFile.h"
#include "tests/runtime/Packer.h"
#include "tests/shell/WorkFormFixture.h"
#include "toolkit/controls/PageControl.h"

namespace {

namespace fs = std::filesystem;

class WorkFormCommandsTest : public WorkFormTest {
protected:
  // The lines the console got since the mark.
  std::vector<TShownLine> LinesSince(std::size_t mark) {
    const std::vector<TShownLine> lines = Lines();
    return std::vector<TShownLine>(lines.begin() + static_cast<std::ptrdiff_t>(std::min(mark, lines.size())),
                                   lines.end());
  }
  TDialogAnswer FileAnswer(const std::string& path) {
    TDialogAnswer answer;
    answer.Confirmed = true;
    answer.FileName = path;
    return answer;
  }
  std::string ProgramFolder() { return program.Path().string() + "/"; }
  void SelectFirstLibrary() {
    work->LeftPages->SetActivePage(work->TabSheet2);
    work->LibList->SetItemIndex(0);
    Idle();
  }
};

TEST_F(WorkFormCommandsTest, ANewVariableComesLastUntilTheNextRebuild) {
  Open();
  Enter("x := 5");
  AnswerNewVariable("w", "Integer");
  work->actAddVar->Execute();
  EXPECT_EQ(TopNames(), (std::vector<std::string>{"ans", "x", "w"}));
  EXPECT_EQ(Value("w"), "0");
  work->actRefresh->Execute();
  EXPECT_EQ(TopNames(), (std::vector<std::string>{"ans", "w", "x"}));
}

TEST_F(WorkFormCommandsTest, RenameCopiesTheValueUnderTheNewName) {
  Open();
  Enter("x := 5");
  Enter("v := {1}");
  Select(TopRow("x"));
  AnswerNewVariable("y");
  PressInWorkspace('R', Ctrl);
  EXPECT_EQ(Value("y"), "5");
  EXPECT_FALSE(HasVariable("x"));
  EXPECT_EQ(TopNames(), (std::vector<std::string>{"ans", "v", "y"}));
  for (const char* taken : {"v", "V"}) {
    Select(TopRow("y"));
    AnswerNewVariable(taken);
    PressInWorkspace('R', Ctrl);
    EXPECT_TRUE(dialogRefused) << taken;
    EXPECT_EQ(Value("y"), "5") << taken;
    EXPECT_EQ(Value("v"), "{1}") << taken;
  }
}

TEST_F(WorkFormCommandsTest, AVariableALibraryUsesIsNeitherRenamedNorDeleted) {
  Open();
  Enter("x := 5");
  LoadLibrary("user.tarn", "library User; function GetX : Integer; begin Result := x end; end.");
  const TShownLine inUse{"Variable \"x\" is in use", lkError};
  Select(TopRow("x"));
  AnswerNewVariable("y");
  std::size_t mark = Lines().size();
  PressInWorkspace('R', Ctrl);
  EXPECT_EQ(LinesSince(mark), std::vector<TShownLine>{inUse});
  EXPECT_EQ(Value("x"), "5");
  EXPECT_FALSE(HasVariable("y")) << "the copy went again";
  Select(TopRow("x"));
  mark = Lines().size();
  PressInWorkspace(VK_DELETE, Ctrl);
  EXPECT_EQ(LinesSince(mark), std::vector<TShownLine>{inUse});
  EXPECT_EQ(TopNames(), (std::vector<std::string>{"ans", "x"}));
}

TEST_F(WorkFormCommandsTest, CtrlDelDeletesWithoutAsking) {
  Open();
  Enter("x := 5");
  Enter("y := 6");
  Select(TopRow("x"));
  PressInWorkspace(VK_DELETE, Ctrl);
  EXPECT_FALSE(HasVariable("x"));
  EXPECT_EQ(TopNames(), (std::vector<std::string>{"ans", "y"}));
}

TEST_F(WorkFormCommandsTest, SavingProposesTheNameInTheProgramFolderThenTheLastFolder) {
  Open();
  Enter("x := 5");
  fs::create_directories(program.Path() / "keep");
  const std::string path = (program.Path() / "keep" / "x.xvar").string();
  dialogs.Script(FileAnswer(path));
  dialogs.Script(FileAnswer(path));
  Select(TopRow("x"));
  PressInWorkspace('S', Ctrl);
  PressInWorkspace('S', Ctrl);
  ASSERT_EQ(dialogs.Requests.size(), 2u);
  const TDialogRequest& first = dialogs.Requests[0];
  EXPECT_EQ(first.Kind, TDialogKind::Save);
  EXPECT_EQ(first.Title, "Save Variable");
  EXPECT_EQ(first.FileName, "x");
  EXPECT_EQ(first.Folder, ProgramFolder());
  EXPECT_EQ(first.DefaultExt, "xvar");
  EXPECT_TRUE(first.Options & ofOverwritePrompt);
  EXPECT_EQ(first.Filters, ParseFileFilter("Variable File (*.xvar)|*.xvar|All Files (*.*)|*.*"));
  EXPECT_EQ(dialogs.Requests[1].Folder, (program.Path() / "keep").string() + "/");
  EXPECT_EQ(ReadFileText(path), "Integer\n5\n");
}

TEST_F(WorkFormCommandsTest, LoadingAVariableAsksItsName) {
  Open();
  const std::string good = WriteProgramFile("seven.xvar", "Integer\n7\n");
  const std::string bad = WriteProgramFile("bad.xvar", "Func\n");
  dialogs.Script(FileAnswer(good));
  AnswerNewVariable("z");
  PressInWorkspace('O', Ctrl);
  EXPECT_EQ(dialogs.Requests.at(0).Title, " Load Variable");
  EXPECT_EQ(Value("z"), "7");
  EXPECT_EQ(TopNames(), std::vector<std::string>{"z"});
  dialogs.Script(FileAnswer(bad));
  AnswerNewVariable("q");
  const std::size_t mark = Lines().size();
  PressInWorkspace('O', Ctrl);
  EXPECT_EQ(LinesSince(mark), (std::vector<TShownLine>{{"Unknown variable type \"Func\"", lkError},
                                                       {"Failed to load variable from file", lkError}}));
  EXPECT_FALSE(HasVariable("q"));
}

TEST_F(WorkFormCommandsTest, AStringWithALineFeedIsNotSavedAndTheOldFileStays) {
  Open();
  Enter("s := 'a' + Chr(10) + 'b'");
  const std::string path = WriteProgramFile("s.xvar", "old\r\nbytes");
  dialogs.Script(FileAnswer(path));
  Select(TopRow("s"));
  const std::size_t mark = Lines().size();
  PressInWorkspace('S', Ctrl);
  EXPECT_EQ(LinesSince(mark), (std::vector<TShownLine>{{"Cannot save a string containing a line feed", lkError},
                                                       {"Failed to save variable to file", lkError}}));
  EXPECT_EQ(ReadFileText(path), "old\r\nbytes");
}

TEST_F(WorkFormCommandsTest, TheWorkspaceRoundTripsAndADamagedFileChangesNothing) {
  Open();
  Enter("x := 5");
  Enter("s := 'a b'");
  const std::string path = (program.Path() / "all.xws").string();
  dialogs.Script(FileAnswer(path));
  work->actWorkSave->Execute();
  EXPECT_EQ(dialogs.Requests.at(0).Title, "Save Workspace");
  EXPECT_EQ(dialogs.Requests.at(0).DefaultExt, "xws");
  Enter("x := 9");
  Enter("t := 1");
  dialogs.Script(FileAnswer(path));
  work->actWorkLoad->Execute();
  EXPECT_EQ(dialogs.Requests.at(1).Title, "Load Workspace");
  EXPECT_EQ(TopNames(), (std::vector<std::string>{"ans", "s", "x"}));
  EXPECT_EQ(Value("x"), "5");
  EXPECT_EQ(Value("s"), "a b");

  const std::string damaged = WriteProgramFile("damaged.xws", "2\nx\nInteger\n");
  dialogs.Script(FileAnswer(damaged));
  const std::size_t mark = Lines().size();
  work->actWorkLoad->Execute();
  EXPECT_EQ(LinesSince(mark).back(), (TShownLine{"Workspace loading failure", lkWarning}));
  EXPECT_EQ(TopNames(), (std::vector<std::string>{"ans", "s", "x"}));
  EXPECT_EQ(Value("x"), "5");
}

TEST_F(WorkFormCommandsTest, LibraryFilesLoadByTheirExtension) {
  Open();
  fs::create_directories(program.Path() / "LIBS");
  const std::string source = WriteProgramFile("LIBS/lines.tarn", "library Lines; end.");
  const std::string packed =
      WriteProgramFile("packed.tarl", PackText("library Packed; end.", PackedLibraryKey, PackedLibrarySeed));
  const std::string other = WriteProgramFile("notes.txt", "library Notes; end.");
  for (const std::string& path : {source, packed, other}) dialogs.Script(FileAnswer(path));
  const std::size_t mark = Lines().size();
  for (int i = 0; i < 3; ++i) work->actLoadLib->Execute();
  const TDialogRequest& first = dialogs.Requests.at(0);
  EXPECT_EQ(first.Title, "Load Library");
  EXPECT_EQ(first.Folder, ProgramFolder() + "LIBS/");
  EXPECT_EQ(first.Filters, ParseFileFilter("Tarnscript Files (*.tarn;*.tarl)|*.tarn;*.tarl"));
  EXPECT_EQ(dialogs.Requests.at(1).Folder, ProgramFolder() + "LIBS/");
  EXPECT_EQ(dialogs.Requests.at(2).Folder, ProgramFolder()) << "the folder of the file chosen last";
  EXPECT_EQ(LibraryEntries(), (std::vector<std::string>{" Lines", " Packed"}));
  EXPECT_TRUE(LinesSince(mark).empty()) << "nothing for the third file either";
  EXPECT_EQ(form->Engine->FindLibrary("Notes"), nullptr);
}

TEST_F(WorkFormCommandsTest, AFileTheEngineCannotReadGivesItsReason) {
  Open();
  const std::string packed = WriteProgramFile("broken.tarl", "not enciphered");
  dialogs.Script(FileAnswer(packed));
  const std::size_t mark = Lines().size();
  work->actLoadLib->Execute();
  const std::vector<TShownLine> lines = LinesSince(mark);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Kind, lkError);
  EXPECT_FALSE(lines[0].Text.empty());
  EXPECT_TRUE(LibraryEntries().empty());
}

TEST_F(WorkFormCommandsTest, UnloadingAsksThenClearsTheWorkspace) {
  Open();
  LoadLibrary("shapes.tarn", ShapesLibrary);
  Enter("x := 5");
  SelectFirstLibrary();
  ASSERT_TRUE(work->actUnloadLib->Enabled());
  TRecordingMessageBoxes boxes;
  boxes.Answer = IDNO;
  work->actUnloadLib->Execute();
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text,
            "It is strongly NOT recommended to unload libraries!\r"
            "Unloading library may cause program to crash if anything\r"
            "from this library has been used elsewhere.\r"
            "It will also clear the workspace.\r\r"
            "Proceed with unloading?");
  EXPECT_EQ(boxes.Shown[0].Type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(LibraryEntries(), std::vector<std::string>{" Shapes"});
  EXPECT_TRUE(HasVariable("x"));
  boxes.Answer = IDYES;
  work->actUnloadLib->Execute();
  EXPECT_TRUE(LibraryEntries().empty());
  EXPECT_EQ(form->Engine->FindLibrary("Shapes"), nullptr);
  EXPECT_TRUE(TopNames().empty());
}

TEST_F(WorkFormCommandsTest, ALibraryInUseStays) {
  Open();
  LoadLibrary("shapes.tarn", ShapesLibrary);
  LoadLibrary("user.tarn", "library User; function Origin : TPoint; begin Result := Point(0, 0) end; end.");
  work->LeftPages->SetActivePage(work->TabSheet2);
  work->LibList->SetItemIndex(work->LibList->Items().IndexOf(" Shapes"));
  Idle();
  TRecordingMessageBoxes boxes;
  boxes.Answer = IDYES;
  const std::size_t mark = Lines().size();
  work->actUnloadLib->Execute();
  EXPECT_EQ(LinesSince(mark), (std::vector<TShownLine>{{"Library \"Shapes\" is used by \"User\"", lkError}}));
  EXPECT_EQ(LibraryEntries(), (std::vector<std::string>{" Shapes", " User"}));
}

TEST_F(WorkFormCommandsTest, UnloadNeedsTheLibrariesPageAndAnEntry) {
  Open();
  LoadLibrary("shapes.tarn", ShapesLibrary);
  Idle();
  EXPECT_FALSE(work->actUnloadLib->Enabled());
  work->LibList->SetItemIndex(0);
  Idle();
  EXPECT_FALSE(work->actUnloadLib->Enabled()) << "the Variables page is active";
  work->LeftPages->SetActivePage(work->TabSheet2);
  Idle();
  EXPECT_TRUE(work->actUnloadLib->Enabled());
}

// The commands that would change or load anything wait for the run's end;
// saving and refreshing do not.
TEST_F(WorkFormCommandsTest, WhileAScriptRunsTheChangingCommandsAreDisabled) {
  Open();
  Enter("x := 5");
  LoadLibrary("shapes.tarn", ShapesLibrary);
  Select(TopRow("x"));
  SelectFirstLibrary();
  work->LeftPages->SetActivePage(work->TabSheet1);
  std::vector<std::string> enabled;
  bool deletedDuringTheRun = true;
  RunLater(150, [&] {
    work->LeftPages->SetActivePage(work->TabSheet2);
    Idle();
    const bool unloadEnabled = work->actUnloadLib->Enabled();
    work->LeftPages->SetActivePage(work->TabSheet1);
    Idle();
    for (TAction* action : {work->actAddVar, work->actRenameVar, work->actDelVar, work->actLoadVar, work->actWorkLoad,
                            work->actLoadLib, work->actSaveVar, work->actWorkSave, work->actRefresh})
      if (action->Enabled()) enabled.push_back(action->Caption());
    if (unloadEnabled) enabled.push_back(work->actUnloadLib->Caption());
    work->VarTree->SetFocus();
    PressInWorkspace(VK_DELETE, Ctrl);
    deletedDuringTheRun = !HasVariable("x");
    form->Engine->Abort();
  });
  Enter("Delay(30)");
  EXPECT_EQ(enabled, (std::vector<std::string>{"Save Variable ...", "Save Workspace ...", "Refresh"}));
  EXPECT_FALSE(deletedDuringTheRun);
  Idle();
  EXPECT_TRUE(work->actAddVar->Enabled()) << "after the run";
}

// Rows of elements and fields find their variables through the top-level
// variable each time: a script that empties and refills them while the
// window paints never leads a row to freed memory (the sanitized build
// checks this).
TEST_F(WorkFormCommandsTest, RowsFollowArraysAScriptResizesWhileTheWindowPaints) {
  Params.VEditTree = true;
  Open();
  LoadLibrary("shapes.tarn", ShapesLibrary);
  Enter("v := {1, 2, 3}");
  Enter("a := Points(2)");
  Tree().ExpandAll(nullptr);
  std::vector<std::vector<TShownRow>> seen;
  const auto look = [&] {
    work->VarTree->Repaint();
    seen.push_back(ShownRows());
  };
  RunLater(100, look);
  RunLater(400, look);
  ASSERT_TRUE(form->Engine->CompileText(
      "begin v := {}; a := Points(0); Delay(0.25); v := {7, 8, 9, 10}; a := Points(1); Delay(0.25) end."));
  ASSERT_EQ(seen.size(), 2u);
  const std::vector<TShownRow> emptied{{0, "a", "{}", "TPoints"}, {1, "", "", ""}, {2, "", "", ""}, {2, "", "", ""},
                                       {1, "", "", ""}, {2, "", "", ""}, {2, "", "", ""}, {0, "ans", "{(x:1; y:-1), (x:2; y:-2)}", "TPoints"}};
  EXPECT_EQ(std::vector<TShownRow>(seen[0].begin(), seen[0].begin() + 8), emptied);
  EXPECT_EQ(seen[1].at(1), (TShownRow{1, "[1]", "(x:1; y:-1)", "TPoint"})) << "the refilled array's first record";
  const auto firstElement = std::find_if(seen[1].begin(), seen[1].end(),
                                         [](const TShownRow& row) { return row.Value == "{7, 8, 9, 10}"; });
  ASSERT_NE(firstElement, seen[1].end());
  EXPECT_EQ(*(firstElement + 1), (TShownRow{1, "[1]", "7", "Real"}));
  work->VarTree->Repaint();
  EXPECT_EQ(Rows(), (std::vector<TShownRow>{{0, "a", "{(x:1; y:-1)}", "TPoints"},
                                            {1, "[1]", "(x:1; y:-1)", "TPoint"},
                                            {2, "x", "1", "Real"},
                                            {2, "y", "-1", "Real"},
                                            {0, "ans", "{(x:1; y:-1), (x:2; y:-2)}", "TPoints"},
                                            {1, "[1]", "(x:1; y:-1)", "TPoint"},
                                            {2, "x", "1", "Real"},
                                            {2, "y", "-1", "Real"},
                                            {1, "[2]", "(x:2; y:-2)", "TPoint"},
                                            {2, "x", "2", "Real"},
                                            {2, "y", "-2", "Real"},
                                            {0, "v", "{7, 8, 9, 10}", "Vector"},
                                            {1, "[1]", "7", "Real"},
                                            {1, "[2]", "8", "Real"},
                                            {1, "[3]", "9", "Real"},
                                            {1, "[4]", "10", "Real"}}))
      << "rebuilt after the run";
}

TEST_F(WorkFormCommandsTest, AFreedWindowLeavesTheEngineAndTheImportersAlone) {
  Open();
  Enter("x := 1");
  FreeWorkspace();
  form->Engine->NotifyDataClients(0);
  SetWorkStatusText("after the window");
  Enter("y := 2");
  EXPECT_TRUE(HasVariable("y"));
}

}  // namespace
