// The program editor window: new texts, opening, saving and closing tabs,
// the questions at the end of the program, and how the window is reached.

#include <filesystem>

#include "tests/runtime/FileSizeLimit.h"
#include "tests/shell/EditorFormFixture.h"
#include "tests/toolkit/MenuWindows.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/ToolBar.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> Untitled1{"program Untitled1;", "", "begin", "", "end."};

class EditorTabsTest : public EditorFormTest {
protected:
  // A click on the arrow of the New button, then on the menu's item once it shows.
  void ChooseNewMenuItem(int index) {
    TMenuWindowRecorder menuWindows;
    Application().OnIdle = [this, index](TObject*, bool&) {
      Application().OnIdle = nullptr;
      ASSERT_FALSE(MenuWindowsMade().empty());
      const HWND window = MenuWindowsMade().back();
      TRect bounds, item;
      GetWindowRect(window, bounds);
      ASSERT_TRUE(GetMenuItemRect(nullptr, editor->NewMenu->Handle(), index, item));
      SynthesizeClick(window, {(item.Left + item.Right) / 2 - bounds.Left, (item.Top + item.Bottom) / 2 - bounds.Top});
    };
    const TRect button = editor->NewButton->BoundsRect();
    SynthesizeClick(editor->ToolBar->Handle(), {button.Right - 4, button.Top + 8});
    ProcessEverything();
  }
  void ClickNewButton() {
    const TRect button = editor->NewButton->BoundsRect();
    SynthesizeClick(editor->ToolBar->Handle(), {button.Left + 6, button.Top + 8});
    ProcessEverything();
  }
  // A tab holding a file of the programs folder, changed since it was opened.
  void OpenModified(const std::string& name, const std::string& text) {
    ASSERT_TRUE(editor->OpenFile(WriteProgram(name, text)));
    TypeInEditor("x");
  }
};

TEST_F(EditorTabsTest, NewTextsCountTheirNamesAndTheNewButtonRepeatsTheKindChosenLast) {
  StartShown();
  for (auto [key, modifiers] : {std::pair{'N', Ctrl}, {'N', Ctrl}, {'L', Ctrl}, {'N', Ctrl}, {'L', Ctrl}})
    Key(key, modifiers);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Untitled1", "Untitled2", "NewLib1", "Untitled3", "NewLib2"}));
  EXPECT_EQ(Rows().front(), "library NewLib2;");
  EXPECT_TRUE(ActiveEditor().Modified) << "a new text was never saved";
  editor->PageControl->SetActivePageIndex(0);
  EXPECT_EQ(Rows(), Untitled1);
  EXPECT_EQ(editor->ActiveEdit()->FileName, "Untitled1");

  ClickNewButton();
  EXPECT_EQ(ActiveCaption(), "Untitled4");
  ChooseNewMenuItem(1);
  EXPECT_EQ(ActiveCaption(), "NewLib3");
  ClickNewButton();
  EXPECT_EQ(ActiveCaption(), "NewLib4") << "the button repeats the kind chosen last";
  ChooseNewMenuItem(0);
  ClickNewButton();
  EXPECT_EQ(ActiveCaption(), "Untitled6");
}

TEST_F(EditorTabsTest, SavingANewTextAsksForItsFileAndNamesTheTabAfterIt) {
  StartShown();
  editor->AddFolder(programs.Path().string());
  Key('N', Ctrl);
  const std::string chosen = programs / "first.tarn";
  dialogs.Script({true, chosen});
  Key('S', Ctrl);
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  const TDialogRequest& request = dialogs.Requests[0];
  EXPECT_EQ(request.Kind, TDialogKind::Save);
  EXPECT_EQ(request.FileName, "Untitled1");
  EXPECT_EQ(request.DefaultExt, "tarn");
  EXPECT_TRUE(request.Options & ofOverwritePrompt);
  EXPECT_EQ(request.Folder, Storage->AppFolder) << "nothing selected in the tree";
  EXPECT_EQ(FileContent(chosen), "program Untitled1;\n\nbegin\n\nend.\n");
  EXPECT_EQ(ActiveCaption(), "first");
  Idle();
  EXPECT_EQ(Status(0), "");
  EXPECT_EQ(ChildrenOf(editor->FileTree->Items().GetFirstNode()), std::vector<std::string>{"first.tarn"})
      << "the shown folder lists the new file";

  TypeInEditor("x");
  Key('S', Ctrl);
  EXPECT_EQ(dialogs.Requests.size(), 1u) << "a saved text goes to its file without a question";
  EXPECT_EQ(FileContent(chosen).substr(0, 3), "xpr");
}

// Closing a modified tab: each answer, and each way a save can fail.
TEST_F(EditorTabsTest, ClosingAModifiedTabLosesNothingTheUserWanted) {
  StartShown();
  const std::string old = "program Kept;\nend.\n";
  const std::string file = programs / "kept.tarn";

  boxes.Answer = IDYES;
  OpenModified("kept.tarn", old);
  Key(VK_F4, Ctrl);
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, "Save changes to \"kept\"?");
  EXPECT_EQ(boxes.Shown[0].Caption, "Saving Confirmation");
  EXPECT_EQ(boxes.Shown[0].Type & MB_TYPEMASK, MB_YESNO);
  EXPECT_EQ(FileContent(file), "x" + old) << "Yes: saved";
  EXPECT_EQ(editor->PageControl->PageCount(), 0) << "and closed";

  boxes.Answer = IDNO;
  OpenModified("kept.tarn", old);
  Key(VK_F4, Ctrl);
  EXPECT_EQ(FileContent(file), old) << "No: unchanged";
  EXPECT_EQ(editor->PageControl->PageCount(), 0);

  boxes.Answer = IDYES;
  Key('N', Ctrl);
  dialogs.ScriptCancel();
  Key(VK_F4, Ctrl);
  EXPECT_EQ(Captions(), std::vector<std::string>{"Untitled1"}) << "Save As cancelled: kept";
  EXPECT_TRUE(ActiveEditor().Modified);
  dialogs.ScriptCancel();
  EXPECT_FALSE(editor->ConfirmSave(nullptr)) << "nothing was written";
  boxes.Answer = IDNO;
  Key(VK_F4, Ctrl);

  boxes.Answer = IDYES;
  OpenModified("kept.tarn", old);
  SetText(std::string(10000, 'y'));
  boxes.Shown.clear();
  {
    TFileSizeLimit full(4096);
    Key(VK_F4, Ctrl);
  }
  ASSERT_EQ(boxes.Shown.size(), 2u) << "the question, then the error";
  EXPECT_EQ(boxes.Shown[1].Text.rfind("Cannot save file \"" + file + "\": ", 0), 0u) << boxes.Shown[1].Text;
  EXPECT_EQ(boxes.Shown[1].Type & MB_ICONMASK, MB_ICONERROR);
  EXPECT_EQ(Captions(), std::vector<std::string>{"kept"}) << "the write failed: kept";
  EXPECT_TRUE(ActiveEditor().Modified);
  EXPECT_EQ(editor->ActiveEdit()->FileName, file);
  EXPECT_EQ(FileContent(file), old) << "the old file intact";
}

TEST_F(EditorTabsTest, TheSavingSettingsDecideWhetherClosingAsks) {
  Store("EDITORPARAMS", "SaveAuto", "1");
  StartShown();
  const std::string old = "program Auto;\nend.\n";
  OpenModified("auto.tarn", old);
  Key(VK_F4, Ctrl);
  EXPECT_TRUE(boxes.Shown.empty());
  EXPECT_EQ(FileContent(programs / "auto.tarn"), "x" + old) << "SaveAuto: saved without a question";
  EXPECT_EQ(editor->PageControl->PageCount(), 0);

  editor->Setts.SaveAuto = false;
  editor->Setts.SavePrompt = false;
  OpenModified("auto.tarn", old);
  EXPECT_TRUE(editor->ConfirmSave(nullptr));
  Key(VK_F4, Ctrl);
  EXPECT_TRUE(boxes.Shown.empty());
  EXPECT_EQ(editor->PageControl->PageCount(), 0) << "closed without a question";
  EXPECT_EQ(FileContent(programs / "auto.tarn"), old);
}

TEST_F(EditorTabsTest, TheEndOfTheProgramAsksTabByTabAndAFailedSaveKeepsItRunning) {
  StartShown();
  const std::string old = "program A;\nend.\n";
  OpenModified("a.tarn", old);
  Key('N', Ctrl);
  boxes.Answer = IDYES;
  dialogs.ScriptCancel();
  form->Close();
  ProcessEverything();
  EXPECT_EQ(boxes.Shown.size(), 2u);
  EXPECT_EQ(FileContent(programs / "a.tarn"), "x" + old) << "the first saved";
  EXPECT_TRUE(form->Visible()) << "the program still runs";
  EXPECT_EQ(ActiveCaption(), "Untitled1");
  EXPECT_TRUE(ActiveEditor().Modified);

  OpenModified("b.tarn", old);
  boxes.Answer = IDNO;
  boxes.Shown.clear();
  form->Close();
  ProcessEverything();
  EXPECT_EQ(boxes.Shown.size(), 2u) << "asked about the two modified tabs, not the saved one";
  EXPECT_FALSE(form->Visible()) << "No twice: the program ends";
  FreeEditor();
  Free();
  EXPECT_EQ(FileContent(programs / "b.tarn"), old);
  Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
  EXPECT_EQ(Stored("EDITORPARAMS", "GutWidth"), "48") << "the settings written";
  EXPECT_EQ(Stored("EDITORPARAMS", "Recovered"), "<none>") << "the user decided about every text";
}

TEST_F(EditorTabsTest, AnEndWithoutAnyoneToAskKeepsTheTextsAndTheNextStartSaysWhere) {
  StartShown();
  const std::string old = "program A;\nend.\n";
  OpenModified("a.tarn", old);
  Key('N', Ctrl);
  form->CloseUnattended();
  ProcessEverything();
  EXPECT_TRUE(boxes.Shown.empty()) << "nothing waits on a question";
  EXPECT_TRUE(dialogs.Requests.empty());
  EXPECT_FALSE(form->Visible());
  RestartEditor();
  EXPECT_EQ(FileContent(programs / "a.tarn"), old) << "no user file overwritten";
  const std::string folder = Stored("EDITORPARAMS", "Recovered");
  ASSERT_NE(folder, "<none>");
  EXPECT_EQ(FileContent(folder + "/a.tarn"), "x" + old);
  EXPECT_EQ(FileContent(folder + "/Untitled1.tarn"), "program Untitled1;\n\nbegin\n\nend.\n");
  EXPECT_EQ(LastLine(), (TShownLine{"Unsaved programs of the last session were kept in \"" + folder + "\"", lkWarning}));
}

TEST_F(EditorTabsTest, AFileOpenAlreadyIsOnlyBroughtForwardHoweverItsPathIsWritten) {
  StartShown();
  const std::string file = WriteProgram("one.tarn", "program One;\nend.\n");
  fs::create_symlink(file, programs / "link.tarn");
  dialogs.Script({true, file});
  Key('O', Ctrl);
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Kind, TDialogKind::Open);
  EXPECT_EQ(dialogs.Requests[0].Filters.size(), 3u);
  Key('N', Ctrl);
  for (const std::string& name : {file, programs / "link.tarn", programs.Path().string() + "/./../" +
                                                                  programs.Path().filename().string() + "/one.tarn"}) {
    dialogs.Script({true, name});
    Key('O', Ctrl);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"one", "Untitled1"})) << name;
    EXPECT_EQ(ActiveCaption(), "one") << name;
  }
}

TEST_F(EditorTabsTest, ReadingKeepsNoCarriageReturnAndAFileThatCannotBeReadOpensNoTab) {
  StartShown();
  ASSERT_TRUE(editor->OpenFile(WriteProgram("crlf.tarn", "program C;\r\nbegin\r\nend.\r\n")));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"program C;", "begin", "end."}));
  EXPECT_FALSE(ActiveEditor().Modified);
  Idle();
  EXPECT_EQ(Status(0), "");
  EXPECT_EQ(Status(1), "1:1");

  fs::create_directory(programs / "folder.tarn");
  EXPECT_FALSE(editor->OpenFile(programs / "folder.tarn"));
  EXPECT_FALSE(editor->OpenFile(programs / "missing.tarn"));
  EXPECT_EQ(Captions(), std::vector<std::string>{"crlf"});
  ASSERT_EQ(boxes.Shown.size(), 2u);
  EXPECT_EQ(boxes.Shown[0].Text, "Cannot open file \"" + programs / "folder.tarn" + "\": Is a directory");
  EXPECT_EQ(boxes.Shown[1].Text, "Cannot open file \"" + programs / "missing.tarn" + "\": No such file or directory");
}

TEST_F(EditorTabsTest, TheStatusBarAndTheEditActionsFollowTheActiveTab) {
  StartShown();
  Idle();
  EXPECT_EQ(Status(0), "");
  EXPECT_EQ(Status(1), "");
  struct TState {
    const char* When;
    bool Cut, Copy, Paste, Undo, CopyConsole, ClearConsole;
  };
  const auto expect = [this](const TState& state) {
    Idle();
    EXPECT_EQ(editor->actEditCut->Enabled(), state.Cut) << state.When;
    EXPECT_EQ(editor->actEditCopy->Enabled(), state.Copy) << state.When;
    EXPECT_EQ(editor->actEditPaste->Enabled(), state.Paste) << state.When;
    EXPECT_EQ(editor->actEditUndo->Enabled(), state.Undo) << state.When;
    EXPECT_EQ(editor->actCopyConsole->Enabled(), state.CopyConsole) << state.When;
    EXPECT_EQ(editor->actClearConsole->Enabled(), state.ClearConsole) << state.When;
  };
  Clipboard().SetAsText("");
  expect({"no tab", false, false, false, false, false, false});
  Key('N', Ctrl);
  expect({"a new text", false, false, false, false, false, false});
  TypeInEditor("ab");
  expect({"typed", false, false, false, true, false, false});
  Key(VK_LEFT, {true, false, false});
  expect({"selected", true, true, false, true, false, false});
  Key('C', Ctrl);
  expect({"copied", true, true, true, true, false, false});
  editor->Console->AddLine("a line", lkOutput, 0);
  expect({"a console line", true, true, true, true, false, true});
  editor->Console->Tree->SelectAllNodes(false);
  expect({"a console line selected", true, true, true, true, true, true});

  ActiveEditor().SetCaret(4, 2);
  Idle();
  EXPECT_EQ(Status(0), "Modified");
  EXPECT_EQ(Status(1), "3:5");
}

TEST_F(EditorTabsTest, F4ShowsTheWindowAndHidingClearsItsFlag) {
  StartEditor();
  Idle();
  EXPECT_TRUE(form->actEditor->Enabled());
  EXPECT_FALSE(editor->Visible());
  ShowEditor();
  EXPECT_TRUE(editor->Visible());
  EXPECT_EQ(editor->Caption(), " Tarnscript Editor");
  EXPECT_TRUE(form->actEditor->Checked());
  editor->actExit->Execute();
  EXPECT_FALSE(editor->Visible());
  EXPECT_FALSE(form->actEditor->Checked());
  EXPECT_FALSE(editor->ReopenFlag());

  ShowEditor();
  RestartEditor();
  EXPECT_TRUE(editor->Visible()) << "open at the end, open at the next start";

  editor->Hide();
  editor->OpenProgramText("program Gen;\nbegin\nend.");
  EXPECT_TRUE(editor->Visible());
  EXPECT_EQ(ActiveCaption(), "Untitled1");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"program Gen;", "begin", "end."}));
  EXPECT_TRUE(ActiveEditor().Modified);
  editor->actSettings->Update();
  EXPECT_FALSE(editor->actSettings->Enabled()) << "its dialog does not exist";
}

TEST_F(EditorTabsTest, NewTextsNeverReadAFileOfTheirName) {
  const fs::path current = fs::current_path();
  fs::current_path(programs.Path());
  WriteProgram("Untitled1", "not this");
  StartShown();
  Key('N', Ctrl);
  fs::current_path(current);
  EXPECT_EQ(Rows(), Untitled1);
}

}  // namespace
