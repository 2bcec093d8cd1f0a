#include "console/Console.h"

#include <gtest/gtest.h>

#include "console/Sounds.h"
#include "console/Syntax.h"
#include "runtime/Params.h"
#include "treeview/DataTreeOptions.h"
#include "tests/console/StoredSettings.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/Clock.h"
#include "toolkit/win/PlaySound.h"
#include "toolkit/win/ScrollBar.h"

namespace {

class ConsoleTest : public StoredSettings {
protected:
  ConsoleTest() {
    SetClock(&clock);
    SetClipboardStore(&clipboard);
    Params = TParams();
    form = new TForm(nullptr);
    form->SetBounds(20, 20, 480 + 16, 320 + 40);
    console = new TConsole(form);
    console->SetParent(form);
    console->SetBounds(0, 0, 480, 320);
    console->Syntax = &syntax;
    form->Show();
    ProcessEverything();
  }
  ~ConsoleTest() override {
    delete form;
    ProcessEverything();
    AppSounds.reset();
    SetSoundBackend(nullptr);
    SetClipboardStore(nullptr);
    SetClock(nullptr);
    Params = TParams();
  }

  PDataNode Line(int index) {
    PDataNode node = console->Tree->FirstRootNodeRaw();
    for (int i = 0; i < index; ++i) node = console->Tree->NextNodeInOrderRaw(node);
    return node;
  }
  std::string TextOf(PDataNode node) { return std::string(console->LineRecord(node)->Text()); }
  PDataNode ParentOf(PDataNode node) {
    return node->Parent == console->Tree->RootNode() ? nullptr : node->Parent;
  }

  // Arriving lines are shown when the clock has moved on.
  void LetTimePass() {
    clock.Advance(1000);
    ProcessEverything();
  }
  bool BarShown(int bar) {
    SCROLLBARINFO info;
    return GetScrollBarInfo(console->Tree->Handle(), bar, info) && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
  }
  // The row's top and bottom inside the tree's client area.
  bool RowInView(PDataNode node) {
    const TRect row = console->Tree->NodeDisplayRect(node, ColumnNone, false);
    return row.Top >= 0 && row.Bottom <= console->Tree->ClientHeight() && row.Bottom > row.Top;
  }
  PDataNode Newest() { return console->Tree->LastNodeInOrderRaw(nullptr); }

  TFakeClock clock;
  TMemoryClipboardStore clipboard;
  TNullSoundBackend recorder;
  TSyntax syntax;
  TForm* form;
  TConsole* console;
};

TEST_F(ConsoleTest, LevelsNestUnderTheFocusedLine) {
  for (const auto& [text, level] : {std::pair{"a", 0}, {"b", 1}, {"c", 2}, {"d", 1}, {"e", 0}})
    console->AddLine(text, lkOutput, level);
  EXPECT_EQ(console->LineCount(), 2);
  const PDataNode a = Line(0), b = Line(1), c = Line(2), d = Line(3), e = Line(4);
  EXPECT_EQ(ParentOf(b), a);
  EXPECT_EQ(ParentOf(c), b);
  EXPECT_EQ(ParentOf(d), a);
  EXPECT_EQ(ParentOf(e), nullptr);
  EXPECT_EQ(TextOf(e), "e");
  console->ExpandToLevel(1);
  EXPECT_TRUE(a->Has(nsExpanded));
  EXPECT_FALSE(b->Has(nsExpanded));

  console->Tree->SetFocusedNode(e);
  console->AddLine("f", lkOutput, 1);
  EXPECT_EQ(ParentOf(Line(5)), e) << "under the line the user focused";

  console->Clear();
  EXPECT_EQ(console->LineCount(), 0);
  console->AddLine("deep", lkOutput, 2);
  EXPECT_EQ(console->LineCount(), 1) << "with nothing focused a nested line is top-level";
  EXPECT_EQ(console->LineRecord(Line(0))->Data.Level, 2);

  console->Clear();
  for (const auto& [text, level] : {std::pair{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}}) console->AddLine(text, lkOutput, level);
  console->AddLine("back", lkOutput, 1);
  EXPECT_EQ(ParentOf(Line(4)), Line(0)) << "under the nearest ancestor of a lower level";
}

TEST_F(ConsoleTest, OutputAndResultsEchoToTheClipboard) {
  Params.CopyClip = true;
  struct TCase {
    const char* text;
    std::uint8_t kind;
    bool echoed;
  };
  for (const TCase& c : {TCase{"abc", lkOutput, true}, TCase{"", lkOutput, false}, TCase{"info", lkInfo, false},
                         TCase{"in", lkInput, false}, TCase{"= 3", lkResult, true}}) {
    clipboard.SetText("none");
    console->AddLine(c.text, c.kind, 0);
    EXPECT_EQ(clipboard.Text(), c.echoed ? c.text : "none") << c.text;
  }
  clipboard.SetText("none");
  console->NoEcho = true;
  console->AddLine("quiet", lkOutput, 0);
  EXPECT_EQ(clipboard.Text(), "none");
  console->NoEcho = false;
  Params.CopyClip = false;
  console->AddLine("off", lkOutput, 0);
  EXPECT_EQ(clipboard.Text(), "none");
}

TEST_F(ConsoleTest, CopyingSelectedLines) {
  console->AddLine("x", lkError, 0);
  console->AddLine("nested", lkOutput, 1);
  console->ShowPrefixInCopy = true;
  console->Tree->SetNodeSelected(Line(0), true);
  console->CopySelection();
  EXPECT_EQ(clipboard.Text(), "   Error : x\r\n");
  console->ShowPrefixInCopy = false;
  console->Tree->SetNodeSelected(Line(1), true);
  console->CopySelection();
  EXPECT_EQ(clipboard.Text(), "x\r\nnested\r\n");

  clipboard.Busy = true;
  console->CopySelection();
  clipboard.Busy = false;
  EXPECT_EQ(clipboard.Text(), "x\r\nnested\r\n");
  EXPECT_EQ(TextOf(Line(2)), "Failed to copy console to the clipboard");
  EXPECT_EQ(console->LineRecord(Line(2))->Data.Kind, lkError);
}

TEST_F(ConsoleTest, TokenClassesAreStoredPerByte) {
  console->AddLine("sin(x) + 'a'", lkResult, 0);
  const TLineData& data = console->LineRecord(Line(0))->Data;
  EXPECT_EQ(data.GetToken(0), skText);
  EXPECT_EQ(data.GetToken(3), skSymbol);
  EXPECT_EQ(data.GetToken(9), skString);
  EXPECT_EQ(data.GetToken(11), skString);
  console->AddLine("'", lkResult, 0);
  EXPECT_EQ(console->LineRecord(Line(1))->Data.GetToken(0), skString);
  console->AddLine("caf\xC3\xA9 := 1", lkInput, 0);
  EXPECT_EQ(console->LineRecord(Line(2))->Data.Length(), 10) << "bytes of the UTF-8 text";

  // Lines longer than the store's chunks sit beside the short ones.
  const std::string longLine = std::string(70000, ' ') + "'a'";
  console->AddLine(longLine, lkResult, 0);
  console->AddLine("x", lkResult, 0);
  EXPECT_EQ(TextOf(Line(3)), longLine);
  EXPECT_EQ(console->LineRecord(Line(3))->Data.GetToken(70002), skString);
  EXPECT_EQ(TextOf(Line(4)), "x");
}

TEST_F(ConsoleTest, LineKindsPlayTheirSounds) {
  SetSoundBackend(&recorder);
  AppSounds = std::make_unique<TSounds>();
  AppSounds->Arm();
  const std::string wav = Storage->AppFolder + "DATA/type.wav";
  for (int event = 0; event < AppSounds->EventCount(); ++event) AppSounds->AssignFile(event, wav);
  struct TCase {
    std::uint8_t kind;
    bool plays;
    bool waits;
  };
  for (const TCase& c : {TCase{lkResult, true, false}, TCase{lkInfo, true, false}, TCase{lkWarning, true, false},
                         TCase{lkError, true, false}, TCase{lkFatal, true, true}, TCase{lkOutput, false, false},
                         TCase{lkInput, false, false}, TCase{lkSplit, false, false}}) {
    recorder.ClearRequests();
    console->AddLine("line", c.kind, 0);
    int plays = 0;
    bool waited = false;
    for (const auto& request : recorder.Requests())
      if (request.Kind == TNullSoundBackend::TKind::Play) ++plays, waited = request.Wait;
    EXPECT_EQ(plays, c.plays ? 1 : 0) << "kind " << int(c.kind);
    EXPECT_EQ(waited, c.waits) << "kind " << int(c.kind);
  }
}

// Lines are shown (scrolled to, scroll bars set, painted) for all that
// arrived in a while, not one at a time: the newest is in view once they
// pause, and a listing closed to a level as it ended stays closed.
TEST_F(ConsoleTest, ArrivedLinesAreShownOnceTheyPause) {
  for (int i = 0; i < 200; ++i) console->AddLine("line " + std::to_string(i), lkOutput, 0);
  LetTimePass();
  EXPECT_TRUE(RowInView(Newest()));
  EXPECT_TRUE(BarShown(OBJID_VSCROLL));

  for (const auto& [text, level] : {std::pair{"heading", 0}, {"row", 1}, {"cell", 2}}) console->AddLine(text, lkOutput, level);
  console->ExpandToLevel(1);
  LetTimePass();
  const PDataNode row = Newest()->Parent;
  EXPECT_TRUE(row->Parent->Has(nsExpanded));
  EXPECT_FALSE(row->Has(nsExpanded)) << "closed to level 1 before it was shown";
  EXPECT_TRUE(RowInView(row));
}

// A console that only ever got narrow lines has no horizontal bar; a wide
// line brings one as it arrives, and stays in view above it: one long
// result, or the wide rows of a table nested under its heading.
TEST_F(ConsoleTest, WideLinesBringTheHorizontalBarAsTheyArrive) {
  struct TCase {
    const char* name;
    int rows;
    int width;
  };
  for (const TCase& c : {TCase{"a long result", 1, 5000}, TCase{"a wide table", 300, 3000}}) {
    console->Clear();
    console->AddLine("1+1", lkInput, 0);
    LetTimePass();
    EXPECT_FALSE(BarShown(OBJID_HSCROLL)) << c.name;
    if (c.rows > 1) console->AddLine("matrix [300:300]", lkResult, 0);
    for (int i = 0; i < c.rows; ++i) console->AddLine(std::string(c.width, '0'), c.rows > 1 ? lkOutput : lkResult, c.rows > 1 ? 1 : 0);
    LetTimePass();
    EXPECT_TRUE(BarShown(OBJID_HSCROLL)) << c.name;
    SCROLLINFO range;
    range.fMask = SIF_RANGE;
    ASSERT_TRUE(GetScrollInfo(console->Tree->Handle(), SB_HORZ, range));
    EXPECT_GE(range.nMax, console->LineRecord(Newest())->Width) << c.name;
    EXPECT_GT(console->LineRecord(Newest())->Width, console->Tree->ClientWidth()) << c.name;
    EXPECT_TRUE(RowInView(Newest())) << c.name << ": the newest line is covered by the bar";
  }
}

TEST_F(ConsoleTest, SchemesLooksAndStoredAttributes) {
  console->ApplyScheme(0);
  EXPECT_EQ(console->GetBackColor(), clWindow);
  console->ApplyScheme(4);
  EXPECT_EQ(console->GetBackColor(), clNavy);
  EXPECT_EQ(console->LineAttrs.Errors.Color, clTeal);
  EXPECT_EQ(syntax.Attrs().Integers().Color, clYellow);
  EXPECT_EQ(syntax.Attrs().Strings().Color, clFuchsia);
  EXPECT_EQ(syntax.Attrs().Vars().Color, clBlack);

  TSyntax otherSyntax;
  TConsole other(form);
  other.Syntax = &otherSyntax;
  other.CopyLookFrom(*console);
  EXPECT_EQ(other.GetBackColor(), clNavy);
  EXPECT_EQ(other.LineAttrs.Errors.Color, clTeal);
  EXPECT_EQ(otherSyntax.Attrs().Comments().Color, clSilver);

  console->SaveLineAttrs("CONSOLELINES");
  console->ApplyScheme(1);
  console->LoadLineAttrs("CONSOLELINES");
  EXPECT_EQ(console->GetBackColor(), clNavy);
  EXPECT_EQ(console->LineAttrs.Errors.Color, clTeal);

  bool clicked = false;
  console->SetPreviewMode([&clicked](TObject*) { clicked = true; });
  EXPECT_FALSE(console->Tree->TreeOptions().PaintOptions().Contains(toShowRoot));
  EXPECT_FALSE(console->Tree->TreeOptions().SelectionOptions().Contains(toMultiSelect));
  ASSERT_TRUE(console->Tree->OnClick);
}

}  // namespace
