#include "console/TxCustomEditor.h"

#include <gtest/gtest.h>

#include "tests/console/EditorFixture.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/ScrollBar.h"

namespace {

// Sees the commands that reach the editor.
class TCommandEditor : public TTxEditor {
public:
  using TTxEditor::TTxEditor;
  void Command(WORD command) override { Commands.push_back(command); }
  std::vector<WORD> Commands;
};

TEST_F(EditorTest, CellsAreMeasuredInTheControlsFont) {
  TCanvas measure;
  HDC dc = CreateCompatibleDC(nullptr);
  measure.SetHandle(dc);
  measure.Font().Assign(editor->Font());
  EXPECT_EQ(editor->CellWidth(), measure.TextWidth("WW") / 2);
  EXPECT_EQ(editor->CellHeight(), measure.TextHeight("W") + 1);
  measure.SetHandle(nullptr);
  DeleteDC(dc);
  EXPECT_EQ(editor->VisibleColCount(), editor->EditorClient().Width() / editor->CellWidth());
  EXPECT_EQ(editor->VisibleRowCount(), editor->ClientHeight() / editor->CellHeight());
}

TEST_F(EditorTest, TheVerticalBarEndsWithTheLastRowAtTheTop) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "row " + std::to_string(i) + "\r\n";
  SetText(text);
  TTxControlScrollBar95& bar = editor->ScrollBarVert();
  EXPECT_EQ(bar.Max(), 100 + editor->VisibleRowCount() - 2);
  EXPECT_EQ(bar.Page(), editor->VisibleRowCount());
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(editor->Handle(), SB_VERT, info));
  EXPECT_EQ(info.nMax - static_cast<int>(info.nPage) + 1, 99) << "the thumb's last position shows row 99 at the top";
}

TEST(TxControlScrollBar95, ParamsAndRequests) {
  TTxControlScrollBar95 bar(SB_VERT);
  bar.SetParam(TTxControlScrollBar95::spMax, 50);
  bar.LargeChange = 10;
  EXPECT_THROW(bar.SetParam(TTxControlScrollBar95::spMin, 60), EInvalidOperation);
  bar.SetParam(TTxControlScrollBar95::spMin, 0);
  struct TCase {
    int from, code, to;
  };
  for (const TCase& c : {TCase{5, SB_LINEUP, 4}, TCase{0, SB_LINEUP, 0}, TCase{5, SB_LINEDOWN, 6},
                         TCase{5, SB_PAGEDOWN, 15}, TCase{45, SB_PAGEDOWN, 50}, TCase{5, SB_PAGEUP, 0},
                         TCase{20, SB_TOP, 0}, TCase{20, SB_BOTTOM, 50}, TCase{20, SB_ENDSCROLL, 20}}) {
    bar.SetPosition(c.from);
    EXPECT_EQ(bar.DoScroll(c.code), c.to) << "code " << c.code << " from " << c.from;
  }
  bar.OnScroll = [](int, int& pos) { pos = 7; };
  EXPECT_EQ(bar.DoScroll(SB_LINEDOWN), 7) << "OnScroll may change the position";
}

TEST_F(EditorTest, CaretMovesClampAndScrollTheView) {
  SetText("abc\r\ndef\r\n");
  editor->SetCaretInternal(2, 9);
  EXPECT_EQ(editor->CaretY(), 1) << "without CursorBeyondEOF the caret stays within the rows";
  editor->UndoList().Clear();
  editor->SetCaret(1, 0);
  editor->SetCaret(1, 0);
  editor->SetCaret(2, 0);
  EXPECT_EQ(editor->UndoList().Count(), 2) << "one record per real move";

  std::string text;
  for (int i = 0; i < 200; ++i) text += "x\r\n";
  SetText(text);
  editor->SetCaretInternal(0, 150);
  EXPECT_LE(editor->TopRow(), 150);
  EXPECT_GE(editor->LastVisibleRow(), 150);
  editor->SetCaretInternal(0, 3);
  EXPECT_EQ(editor->TopRow(), 3);
}

TEST_F(EditorTest, NotificationsAndLines) {
  SetText("one\r\ntwo");
  editor->SetSel(0, 0);
  editor->SetSel(2, 1);
  ASSERT_TRUE(editor->Selected());
  editor->TextAllChanged(true);
  EXPECT_FALSE(editor->Selected());

  std::vector<std::string> order;
  editor->OnChange = [&order](TObject*) { order.push_back("change"); };
  editor->OnChangeStatus = [&order](TObject*) { order.push_back("status"); };
  editor->Changed();
  EXPECT_TRUE(editor->Modified);
  EXPECT_EQ(order, (std::vector<std::string>{"change", "status"}));

  editor->SetCaret(1, 1);
  ASSERT_TRUE(editor->UndoList().CanUndo());
  TStringList other;
  other.Add("new");
  editor->SetLines(&other);
  EXPECT_FALSE(editor->UndoList().CanUndo());
  EXPECT_EQ(editor->Lines().Strings(0), "new");
  EXPECT_EQ(editor->WordAtCaret(), "");
  editor->SetCaretInternal(1, 0);
  EXPECT_EQ(editor->WordAtCaret(), "new");
}

class EditorCommands : public EditorTest {
protected:
  EditorCommands() {
    commands = new TCommandEditor(form);
    commands->SetParent(form);
    commands->SetBounds(10, 10, 200, 100);
    ProcessEverything();
  }
  TCommandEditor* commands;
};

TEST_F(EditorCommands, ClipboardMessagesPostCommands) {
  EXPECT_EQ(SendMessage(commands->Handle(), WM_GETDLGCODE, 0, 0), 135);
  EXPECT_EQ(SendMessage(commands->Handle(), WM_ERASEBKGND, 0, 0), 0);
  EXPECT_EQ(SendMessage(commands->Handle(), WM_COPY, 0, 0), 1);
  EXPECT_TRUE(commands->Commands.empty()) << "the command waits for the message loop";
  ProcessEverything();
  EXPECT_EQ(commands->Commands, std::vector<WORD>{388});

  commands->Commands.clear();
  commands->SetFlagProperty(1, true);
  EXPECT_TRUE(commands->ReadOnly());
  SendMessage(commands->Handle(), WM_CUT, 0, 0);
  SendMessage(commands->Handle(), WM_PASTE, 0, 0);
  SendMessage(commands->Handle(), WM_COPY, 0, 0);
  ProcessEverything();
  EXPECT_EQ(commands->Commands, std::vector<WORD>{388}) << "read-only: copying only";
  commands->SetSelBlockFormat(bfColumn);
  EXPECT_EQ(commands->Commands.back(), 358);
}

TEST_F(EditorTest, ScrollingShiftsAndPaintsOnlyUncoveredRows) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "row " + std::to_string(i) + "\r\n";
  SetText(text);
  ASSERT_GT(editor->VisibleRowCount(), 6);
  int scrolls = 0;
  editor->OnScroll = [&scrolls](TObject*) { ++scrolls; };
  ValidateRect(editor->Handle(), nullptr);
  editor->OnGetLineAttr = nullptr;

  std::vector<int> painted;
  editor->OnGetLineAttr = [&painted](TObject*, std::string&, int line, TColumnAttrs&) { painted.push_back(line); };
  editor->SetLeftTop(0, 3);
  EXPECT_EQ(scrolls, 1);
  for (int line : painted) EXPECT_GE(line, 3 + editor->VisibleRowCount() - 3) << "only the uncovered rows";
  EXPECT_FALSE(painted.empty());

  painted.clear();
  editor->SetLeftTop(0, 3 + editor->VisibleRowCount() + 5);
  EXPECT_EQ(scrolls, 2);
  EXPECT_GE(static_cast<int>(painted.size()), editor->VisibleRowCount()) << "a jump of a window repaints all";
}

TEST_F(EditorTest, ALongRowCanBeReachedAndSeen) {
  std::string row(2999, 'a');
  row += 'Z';
  SetText(row);
  EXPECT_GE(editor->ColCount(), 3001);
  EXPECT_EQ(editor->ScrollBarHorz().Max(), editor->ColCount() - 1);
  editor->SetCaretInternal(2999, 0);
  EXPECT_EQ(editor->CaretX(), 2999);
  EXPECT_LE(editor->LeftCol(), 2999);
  EXPECT_GE(editor->LastVisibleCol(), 2999);
  const CountedPtr<TGdiBitmap> image = Render();
  const TRect cell = editor->CellRect(2999, 0);
  const TRect onForm = Bounds(OnForm({cell.Left, cell.Top}).X, OnForm({cell.Left, cell.Top}).Y, cell.Width(),
                              cell.Height() - 1);
  EXPECT_NE(InkBounds(*image, onForm, ColorToRGB(clWindow)), TRect{}) << "the last character is painted";
}

}  // namespace
