// Editing variables in the workspace window: a scalar in its Value cell, a
// vector or a matrix in its tab, with selection, copy, cut and paste.

#include <cstring>

#include "engine/ArrVar.h"
#include "shell/ImExDlg.h"
#include "shell/MatEdit.h"
#include "shell/MatSizeDlg.h"
#include "shell/XDTEditor.h"
#include "tests/shell/WorkFormFixture.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Button.h"
#include "engine/Func.h"
#include <fstream>
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/ListView.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/controls/PageControl.h"

namespace {

constexpr const char* ColoursLibrary =
    "library Colours;\n"
    "type TColour = (Red, Green, Blue, Cyan, Magenta);\n"
    "     TColours = set of TColour;\n"
    "end.";

class WorkFormEditorsTest : public WorkFormTest {
protected:
  ~WorkFormEditorsTest() override {
    delete MatSizeDlg;
    MatSizeDlg = nullptr;
    delete ImExDlg;
    ImExDlg = nullptr;
  }
  // Made with the "file" source and the tests' "echo" source.
  TImExDlg& ImportExportDialog() {
    if (!ImExDlg) {
      const std::filesystem::path data = program.Path() / "DATA";
      const std::filesystem::path tests = std::filesystem::read_symlink("/proc/self/exe").parent_path();
      for (const char* plugin : {"DATA/file.dio", "testplugins/echo.dio"})
        std::filesystem::copy_file(tests / plugin, data / std::filesystem::path(plugin).filename(),
                                   std::filesystem::copy_options::overwrite_existing);
      IOSystem = std::make_unique<TIOSystem>(program.Path().string() + "/");
      ImExDlg = new TImExDlg(&Application(), form->Engine);
      ImExDlg->HandleNeeded();
    }
    return *ImExDlg;
  }
  // The item of that caption becomes the only one selected.
  void Choose(TListView& list, const std::string& caption) {
    list.SetItemIndex(-1);
    for (int i = 0; i < list.Items().Count(); ++i)
      if (list.Items().Item(i)->Caption() == caption) list.SetItemIndex(i);
    ProcessEverything();
  }
  void ChooseDevice(TImExDlg& dialog, const std::string& name) { Choose(*dialog.DeviceList, name); }
  std::vector<std::string> Filters(TImExDlg& dialog) {
    std::vector<std::string> names;
    for (int i = 0; i < dialog.FilterList->Items().Count(); ++i)
      names.push_back(dialog.FilterList->Items().Item(i)->Caption());
    return names;
  }
  bool Offers(TImExDlg& dialog, const std::string& name) {
    const auto names = Filters(dialog);
    return std::find(names.begin(), names.end(), name) != names.end();
  }
  // Runs the command; once the dialog shows, the device, file and routine are chosen and OK pressed.
  // newName: the name the New Variable dialog is then given.
  void ImportOrExport(TAction* action, const std::string& path, const std::string& routine,
                      const std::string& newName = "") {
    TImExDlg& dialog = ImportExportDialog();
    RunLater(20, [this, &dialog, path, routine, newName] {
      ChooseDevice(dialog, "file");
      dialog.SpecEdit->SetText(path);
      Choose(*dialog.FilterList, routine);
      Application().DoIdle();
      SynthesizeKeyStroke(dialog.Handle(), VK_RETURN, "\r");
      if (!newName.empty()) AnswerNewVariable(newName);
    });
    Idle();
    action->Execute();
    ProcessEverything();
  }
  TMatSizeDlg& SizeDialog() {
    if (!MatSizeDlg) MatSizeDlg = new TMatSizeDlg(&Application());
    // The edits report their changes once they have their windows.
    MatSizeDlg->HandleNeeded();
    return *MatSizeDlg;
  }
  // The row selected and Enter pressed in the tree.
  void EnterOn(const std::string& name) {
    Select(TopRow(name));
    SynthesizeKeyStroke(Tree().Handle(), VK_RETURN, "\r");
    ProcessEverything();
  }
  void DoubleClickTree(TPoint at) {
    ClickTree(at);
    ClickTree(at, TSyntheticMouse::DoubleClick);
    ClickTree(at, TSyntheticMouse::Release);
  }
  // A variable of a library's type, shown after a refresh.
  void MakeVariable(const std::string& name, const std::string& type) {
    ASSERT_NE(form->Engine->AddVariable(name, FindKind(type)), nullptr);
    work->actRefresh->Execute();
  }
  TXDTEditor* CellEditor() { return dynamic_cast<TXDTEditor*>(work->EditLink.get()); }
  TWinControl* Control() { return CellEditor() ? CellEditor()->Editor() : nullptr; }
  bool Editing() { return Control() && Control()->Visible(); }
  void TypeInto(TWinControl* control, const std::string& text) {
    SynthesizeTyping(control->Handle(), text);
    ProcessEverything();
  }
  void Press(TWinControl* control, WORD key, const std::string& text = "") {
    SynthesizeKeyStroke(control->Handle(), key, text);
    ProcessEverything();
  }
  TValue ValueOf(const std::string& name) {
    return static_cast<TBaseVar*>(form->Engine->FindVariable(name))->GetValue();
  }

  // The tab of the variable, opened with Enter on its row.
  TMatEdit& OpenTab(const std::string& name) {
    EnterOn(name);
    auto* tab = work->ActiveEditorTab();
    EXPECT_NE(tab, nullptr);
    return *tab->Editor;
  }
  void SelectCells(TMatEdit& editor, TGridRect rect) {
    editor.Grid->SetSelection(rect);
    editor.SyncSelection();
    ProcessEverything();
  }
  TArrVar& Array(const std::string& name) { return *dynamic_cast<TArrVar*>(form->Engine->FindVariable(name)); }
  void Paste(TMatEdit& editor, TGridRect at, const std::string& text, bool transposed = false) {
    Clipboard().SetAsText(text);
    editor.Grid->SetSelection(at);
    (transposed ? work->actMEPasteT : work->actMEPaste)->Execute();
    ProcessEverything();
  }
};

// ---------------------------------------------------------------- the cell editor

TEST_F(WorkFormEditorsTest, AnIntegerThatDoesNotReadIsRedAndKeepsTheValue) {
  Open();
  Enter("n := 5");
  EnterOn("n");
  ASSERT_TRUE(Editing());
  EXPECT_EQ(CellEditor()->EditorKind(), TXDTEditor::ekInteger);
  TypeInto(Control(), "12a");
  EXPECT_EQ(Control()->Font().Color(), clRed);
  Press(Control(), VK_RETURN, "\r");
  EXPECT_FALSE(Editing());
  EXPECT_EQ(Value("n"), "5");
  EnterOn("n");
  TypeInto(Control(), "12");
  EXPECT_EQ(Control()->Font().Color(), clWindowText);
  Press(Control(), VK_RETURN, "\r");
  EXPECT_EQ(Value("n"), "12");
}

TEST_F(WorkFormEditorsTest, EachKindGetsItsControl) {
  Open();
  LoadLibrary("Colours.tarn", ColoursLibrary);
  Enter("b := False");
  Enter("c := 'q'");
  Enter("s := 'text'");
  MakeVariable("shade", "TColour");
  struct TCase {
    const char* Name;
    TXDTEditor::TEditorKind Kind;
  };
  for (const TCase& c : {TCase{"b", TXDTEditor::ekBoolean}, TCase{"c", TXDTEditor::ekChar},
                         TCase{"s", TXDTEditor::ekString}, TCase{"shade", TXDTEditor::ekEnum}}) {
    EnterOn(c.Name);
    ASSERT_TRUE(Editing()) << c.Name;
    EXPECT_EQ(CellEditor()->EditorKind(), c.Kind) << c.Name;
    Press(Control(), VK_ESCAPE);
    EXPECT_FALSE(Editing()) << c.Name;
  }
  EXPECT_EQ(dynamic_cast<TComboBox*>(CellEditor()->Editor())->Items().Strings(4), "Magenta");
}

TEST_F(WorkFormEditorsTest, BooleanCharAndStringStoreWhatIsChosen) {
  Open();
  Enter("b := False");
  Enter("c := 'q'");
  EnterOn("b");
  auto* combo = dynamic_cast<TComboBox*>(Control());
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->ItemIndex(), 0);
  combo->SetItemIndex(1);
  Press(combo, VK_RETURN, "\r");
  EXPECT_TRUE(ValueOf("b").AsBool());
  EnterOn("c");
  auto* edit = dynamic_cast<TEdit*>(Control());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->MaxLength(), 1);
  edit->SetText("");
  Press(edit, VK_RETURN, "\r");
  EXPECT_EQ(ValueOf("c").AsChar(), '\0');
}

TEST_F(WorkFormEditorsTest, ASetIsACheckListTallerThanTheRow) {
  Open();
  LoadLibrary("Colours.tarn", ColoursLibrary);
  MakeVariable("colours", "TColours");
  // Red, Blue and Cyan.
  static_cast<TSetVar*>(form->Engine->FindVariable("colours"))->SetBits(0b1101);
  const PDataNode row = TopRow("colours");
  EnterOn("colours");
  auto* list = dynamic_cast<TCheckListBox*>(Control());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Items().Count(), 5);
  EXPECT_EQ(list->Height(), static_cast<int>(row->NodeHeight) - 1 + TXDTEditor::SetListExtraHeight);
  EXPECT_TRUE(list->Checked(2));
  list->SetChecked(2, false);
  Press(list, VK_RETURN, "\r");
  EXPECT_EQ(Value("colours"), "[ Red, Cyan ]");
}

TEST_F(WorkFormEditorsTest, AnUntouchedRealKeepsEveryBit) {
  Open();
  Enter("x := 1/3");
  const long double before = ValueOf("x").AsReal();
  EnterOn("x");
  ASSERT_TRUE(Editing());
  Press(Control(), VK_RETURN, "\r");
  const long double after = ValueOf("x").AsReal();
  EXPECT_EQ(std::memcmp(&before, &after, 10), 0);
}

TEST_F(WorkFormEditorsTest, UpInAnIntegerEditMovesTheTreesFocus) {
  Open();
  Enter("y := 1");
  Enter("z := 2");
  EnterOn("z");
  ASSERT_TRUE(Editing());
  Press(Control(), VK_UP);
  EXPECT_FALSE(Editing());
  EXPECT_EQ(Tree().FocusedNode(), TopRow("y"));
}

TEST_F(WorkFormEditorsTest, ADoubleClickStartsAnEditOnlyOnTheValueColumn) {
  Open();
  Enter("n := 5");
  const PDataNode row = TopRow("n");
  Select(row);
  for (TColumnIndex column : {0, 2}) {
    const TRect cell = Tree().NodeDisplayRect(row, column, false);
    DoubleClickTree({cell.Left + 8, (cell.Top + cell.Bottom) / 2});
    EXPECT_FALSE(Editing()) << column;
  }
  const TRect value = Tree().NodeDisplayRect(row, 1, false);
  DoubleClickTree({value.Left + 8, (value.Top + value.Bottom) / 2});
  EXPECT_TRUE(Editing());
}

TEST_F(WorkFormEditorsTest, NoEditStartsWhileAScriptRuns) {
  Open();
  Enter("n := 5");
  Select(TopRow("n"));
  bool edited = true;
  RunLater(150, [&] {
    work->EditSelected();
    ProcessEverything();
    edited = Editing();
    form->Engine->Abort();
  });
  Enter("Delay(30)");
  EXPECT_FALSE(edited);
}

// ---------------------------------------------------------------- the matrix editor

TEST_F(WorkFormEditorsTest, AVectorAndAMatrixLoadIntoTheirTabs) {
  Open();
  Enter("v := {1, 2, 3}");
  Enter("m := {{1, 2, 3}, {4, 5, 6}}");
  TMatEdit& vector = OpenTab("v");
  EXPECT_EQ(work->ActiveEditorTab()->Caption(), " v : vector ");
  EXPECT_EQ(vector.Grid->RowCount(), 4);
  EXPECT_EQ(vector.CellText(0, 3), "3");
  EXPECT_EQ(vector.CellText(1, 0), "");
  TMatEdit& matrix = OpenTab("m");
  EXPECT_EQ(matrix.Grid->ColCount(), 4);
  EXPECT_EQ(matrix.CellText(3, 0), "3");
  EXPECT_EQ(matrix.CellText(3, 2), "6");
  EXPECT_EQ(work->MainPages->PageCount(), 2);
  OpenTab("v");
  EXPECT_EQ(work->MainPages->PageCount(), 2) << "the same tab again";
}

TEST_F(WorkFormEditorsTest, AnEmptyVectorStaysEmptyUntilANumberIsTyped) {
  Open();
  Enter("v := {1}");
  Enter("SetLength(v, 0)");
  TMatEdit& editor = OpenTab("v");
  EXPECT_EQ(editor.Grid->RowCount(), 2);
  EXPECT_EQ(ArrLength(&Array("v")), 0);
  editor.Grid->SetFocus();
  TypeInto(editor.Grid, "7");
  Press(editor.Grid->InplaceEditor(), VK_RETURN, "\r");
  EXPECT_EQ(Value("v"), "{7}");
}

TEST_F(WorkFormEditorsTest, TypingStoresNumbersAndKeepsOtherTextPink) {
  Open();
  Enter("m := {{1, 2}, {3, 1/3}}");
  TMatEdit& editor = OpenTab("m");
  editor.Grid->SetFocus();
  TypeInto(editor.Grid, "2.5");
  Press(editor.Grid->InplaceEditor(), VK_RETURN, "\r");
  EXPECT_EQ(GetMatElem(Array("m"), 1, 1), 2.5L);
  editor.Grid->SetCol(2);
  editor.Grid->SetRow(1);
  TypeInto(editor.Grid, "12x");
  EXPECT_EQ(editor.Grid->InplaceEditor()->Font().Color(), clRed);
  Press(editor.Grid->InplaceEditor(), VK_RETURN, "\r");
  EXPECT_EQ(GetMatElem(Array("m"), 1, 2), 2.0L);
  EXPECT_EQ(editor.CellText(2, 1), "12x");
  editor.Grid->SetCol(1);
  editor.Grid->SetRow(2);
  TypeInto(editor.Grid, "9");
  Press(editor.Grid->InplaceEditor(), VK_ESCAPE, "\x1b");
  EXPECT_EQ(GetMatElem(Array("m"), 2, 1), 3.0L) << "Esc restores";
}

TEST_F(WorkFormEditorsTest, TheSelectionIsMirroredIntoTheWorkspace) {
  Open();
  Enter("m := {{1, 2, 3}, {4, 5, 6}}");
  TMatEdit& editor = OpenTab("m");
  SelectCells(editor, {2, 1, 2, 1});
  EXPECT_EQ(Value("selection"), "2");
  SelectCells(editor, {1, 1, 1, 2});
  EXPECT_EQ(Value("selection"), "{1, 4}");
  SelectCells(editor, {2, 1, 3, 2});
  EXPECT_EQ(Value("selection"), "{{2, 3}, {5, 6}}");
  editor.SelectFromCell({0, 2}, true);
  ProcessEverything();
  EXPECT_EQ(Value("selection"), "{4, 5, 6}");
  editor.SelectFromCell({3, 0}, true);
  ProcessEverything();
  EXPECT_EQ(Value("selection"), "{3, 6}");
}

TEST_F(WorkFormEditorsTest, ALibrarysSelectionIsLeftAlone) {
  Open();
  LoadLibrary("Sel.tarn", "library Sel; var selection : Integer; end.");
  Enter("m := {{1, 2}, {3, 4}}");
  TMatEdit& editor = OpenTab("m");
  SelectCells(editor, {1, 1, 2, 2});
  EXPECT_EQ(Value("selection"), "0");
}

TEST_F(WorkFormEditorsTest, CopyWritesTabsAndLineFeeds) {
  Open();
  Enter("m := {{1, 2}, {3, 1/3}}");
  TMatEdit& editor = OpenTab("m");
  editor.Grid->SetSelection({1, 1, 2, 2});
  PressInWorkspace('C', {.Control = true});
  EXPECT_EQ(Clipboard().AsText(), "1\t2\n3\t0.333333333333333333\n");
}

TEST_F(WorkFormEditorsTest, PasteFillsRowsFromTheSelectedCell) {
  struct TCase {
    const char* Text;
    bool Transposed;
    const char* Result;
  };
  const TCase cases[] = {
      {"1 2 3", false, "{{1, 2}, {0, 0}}"},
      {"1 2 3\n4 5 6", false, "{{1, 2}, {4, 5}}"},
      {"1 2\n3 4", true, "{{1, 3}, {2, 4}}"},
      {"1,,2", false, "{{1, 2}, {0, 0}}"},
      {"1\t2\t\n3\t4\t\n", false, "{{1, 2}, {3, 4}}"},
      {"1\n\n2", false, "{{1, 0}, {2, 0}}"},
  };
  Open();
  Enter("m := {{0, 0}, {0, 0}}");
  TMatEdit& editor = OpenTab("m");
  for (const TCase& c : cases) {
    Enter("m := {{0, 0}, {0, 0}}");
    Paste(editor, {1, 1, 1, 1}, c.Text, c.Transposed);
    EXPECT_EQ(Value("m"), c.Result) << c.Text;
  }
}

TEST_F(WorkFormEditorsTest, APasteStopsAtATokenThatIsNotANumber) {
  Open();
  Enter("m := {{0, 0}, {0, 0}}");
  TMatEdit& editor = OpenTab("m");
  const std::size_t mark = Lines().size();
  Paste(editor, {1, 1, 1, 1}, "1 x 3");
  EXPECT_EQ(Value("m"), "{{1, 0}, {0, 0}}");
  const auto lines = Lines();
  ASSERT_GT(lines.size(), mark);
  EXPECT_NE(lines.back().Text.find("Failed to convert \"x\" into a real number"), std::string::npos);
}

TEST_F(WorkFormEditorsTest, CutRemovesWholeColumnsOrRows) {
  Open();
  Enter("m := {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}}");
  Enter("v := {1, 2, 3, 4}");
  TMatEdit& matrix = OpenTab("m");
  matrix.Grid->SetSelection({2, 1, 3, 3});
  work->actMECut->Execute();
  ProcessEverything();
  EXPECT_EQ(Value("m"), "{{1, 4}, {5, 8}, {9, 12}}");
  EXPECT_EQ(Clipboard().AsText(), "2\t3\n6\t7\n10\t11\n");
  TMatEdit& vector = OpenTab("v");
  vector.Grid->SetSelection({1, 2, 1, 3});
  work->actMECut->Execute();
  ProcessEverything();
  EXPECT_EQ(Value("v"), "{1, 4}");
  vector.Grid->SetSelection({1, 1, 1, 2});
  work->actMECut->Execute();
  ProcessEverything();
  EXPECT_EQ(ArrLength(&Array("v")), 0) << "everything selected resets";
}

TEST_F(WorkFormEditorsTest, TabsCloseWithTheirVariables) {
  Open();
  Enter("m := {{1, 2}, {3, 4}}");
  Enter("w := {{1, 2}, {3, 4}}");
  OpenTab("m");
  TMatEdit& kept = OpenTab("w");
  kept.Grid->SetColWidths(1, 90);
  Select(TopRow("m"));
  PressInWorkspace(VK_DELETE, {.Control = true});
  EXPECT_EQ(work->MainPages->PageCount(), 1);
  Enter("x := 1");
  EXPECT_EQ(kept.Grid->ColWidths(1), 90) << "a reload keeps the widths";
  Idle();
  kept.Grid->SetFocus();
  PressInWorkspace(VK_F4, {.Control = true});
  EXPECT_EQ(work->MainPages->PageCount(), 0);
  work->actMEClose->Execute();
  ProcessEverything();
  EXPECT_EQ(work->MainPages->PageCount(), 0);
}

TEST_F(WorkFormEditorsTest, AnsAndSelectionNeverOpen) {
  Open();
  Enter("{{1, 2}, {3, 4}}");
  EnterOn("ans");
  EXPECT_EQ(work->MainPages->PageCount(), 0);
}

TEST_F(WorkFormEditorsTest, WhileAScriptRunsTheGridChangesNothing) {
  Open();
  Enter("m := {{1, 2}, {3, 4}}");
  TMatEdit& editor = OpenTab("m");
  Clipboard().SetAsText("9 9");
  editor.Grid->SetSelection({1, 1, 1, 1});
  bool couldPaste = true;
  RunLater(150, [&] {
    couldPaste = editor.CanPaste();
    editor.Paste(false);
    editor.Grid->SetFocus();
    TypeInto(editor.Grid, "7");
    Press(editor.Grid->InplaceEditor(), VK_RETURN, "\r");
    form->Engine->Abort();
  });
  Enter("Delay(30)");
  EXPECT_FALSE(couldPaste);
  EXPECT_EQ(GetMatElem(Array("m"), 1, 1), 1.0L);
}

// ---------------------------------------------------------------- the size dialog

TEST_F(WorkFormEditorsTest, AVectorOrASquareMatrixHasNoColumnsOfItsOwn) {
  Open();
  TMatSizeDlg& size = SizeDialog();
  size.SetIsMatrix(false);
  EXPECT_EQ(size.Caption(), " Vector size");
  EXPECT_FALSE(size.chkSqr->Enabled());
  EXPECT_FALSE(size.ColEdit->Enabled());
  size.SetRows(4);
  size.SetCols(7);
  EXPECT_EQ(size.GetCols(), 4);
  size.SetIsMatrix(true);
  EXPECT_EQ(size.Caption(), " Matrix size");
  EXPECT_EQ(size.GetCols(), 7);
  size.chkSqr->SetChecked(true);
  EXPECT_FALSE(size.ColEdit->Enabled());
  EXPECT_EQ(size.GetCols(), 4);
}

TEST_F(WorkFormEditorsTest, ASizeThatCannotBeIsRedAndKeepsOKDisabled) {
  Open();
  TMatSizeDlg& size = SizeDialog();
  size.SetIsMatrix(true);
  size.chkSqr->SetChecked(false);
  size.SetCols(2);
  for (const char* rows : {"0", "-1", "a", ""}) {
    size.RowEdit->SetText(rows);
    EXPECT_FALSE(size.IsValid()) << rows;
    EXPECT_EQ(size.RowEdit->Font().Color(), clRed) << rows;
  }
  size.RowEdit->SetText("2147483647");
  size.ColEdit->SetText("2147483647");
  EXPECT_FALSE(size.IsValid());
  EXPECT_EQ(size.ColEdit->Font().Color(), clRed);
  size.ColEdit->SetText("2");
  size.RowEdit->SetText("3");
  EXPECT_TRUE(size.IsValid());
  EXPECT_EQ(size.RowEdit->Font().Color(), clWindowText);
}

TEST_F(WorkFormEditorsTest, OKResizesKeepingTheValues) {
  Open();
  Enter("m := {{1, 2}, {3, 4}}");
  TMatSizeDlg& size = SizeDialog();
  size.chkSqr->SetChecked(false);
  OpenTab("m");
  std::string offered;
  RunLater(20, [&] {
    offered = size.RowEdit->Text() + "x" + size.ColEdit->Text();
    size.RowEdit->SetText("3");
    size.ColEdit->SetText("1");
    Application().DoIdle();
    SynthesizeKeyStroke(size.Handle(), VK_RETURN, "\r");
  });
  Idle();
  work->actMESize->Execute();
  ProcessEverything();
  EXPECT_EQ(offered, "2x2");
  EXPECT_EQ(Value("m"), "{{1}, {3}, {0}}");
  EXPECT_EQ(work->ActiveEditorTab()->Editor->Grid->RowCount(), 4);
}

// ---------------------------------------------------------------- import and export

TEST_F(WorkFormEditorsTest, TheDevicesFlagsDecideWhatTheDialogAsks) {
  Open();
  TImExDlg& dialog = ImportExportDialog();
  ChooseDevice(dialog, "echo");
  EXPECT_TRUE(dialog.SpecEdit->Enabled());
  EXPECT_TRUE(dialog.OptsEdit->Enabled());
  EXPECT_FALSE(dialog.BrowseBtn->Visible());
  ChooseDevice(dialog, "file");
  EXPECT_TRUE(dialog.BrowseBtn->Visible());
  EXPECT_FALSE(dialog.OptsEdit->Enabled());
  dialog.SpecEdit->SetText("m.csv");
  dialog.OptsEdit->SetText("");
  EXPECT_EQ(dialog.OpenString(), "file://m.csv:");
  dialog.DeviceList->SetItemIndex(-1);
  EXPECT_FALSE(dialog.CanAccept()) << "no device";
}

TEST_F(WorkFormEditorsTest, RoutinesAreOfferedByTheVariablesType) {
  Open();
  Enter("m := {{1, 2}, {3, 4}}");
  TImExDlg& dialog = ImportExportDialog();
  dialog.Setup(form->Engine->FindVariable("m"), true);
  EXPECT_TRUE(Offers(dialog, "ReadMatCSV"));
  EXPECT_TRUE(Offers(dialog, "ReadVar"));
  EXPECT_FALSE(Offers(dialog, "ReadByte"));
  dialog.Setup(nullptr, true);
  EXPECT_TRUE(Offers(dialog, "ReadMatCSV"));
  EXPECT_FALSE(Offers(dialog, "ReadVar")) << "no Any routine without a variable";
}

TEST_F(WorkFormEditorsTest, AMatrixRoundTripsThroughACSVFile) {
  Open();
  Enter("m := {{1, 2.5}, {3, 4}}");
  const std::string path = (program.Path() / "m.csv").string();
  Select(TopRow("m"));
  ImportOrExport(work->actExport, path, "WriteMatCSV");
  ASSERT_TRUE(std::filesystem::exists(path));
  Tree().UnselectAll();
  ImportOrExport(work->actImport, path, "ReadMatCSV", "imported");
  EXPECT_EQ(Value("imported"), "{{1, 2.5}, {3, 4}}");
  std::ofstream(path) << "not a matrix";
  Select(TopRow("m"));
  ImportOrExport(work->actImport, path, "ReadMatCSV");
  EXPECT_EQ(Value("m"), "{{1, 2.5}, {3, 4}}") << "a failed import keeps the variable";
  EXPECT_EQ(TopNames(), (std::vector<std::string>{"ans", "imported", "m"})) << "the tree stays whole";
  EXPECT_TRUE(work->VarTools->Enabled());
}

}  // namespace
