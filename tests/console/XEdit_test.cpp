#include "console/XEdit.h"

#include "console/Console.h"
#include "console/Sounds.h"
#include "console/Syntax.h"
#include "runtime/Params.h"
#include "tests/console/XEditFixture.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/win/PlaySound.h"

namespace {

struct TKeyCase {
  const char* Name;
  int CaretFrom;
  WORD Key;
  TInputModifiers Modifiers;
  int SelStart;
  int SelLength;
};

TEST_F(XEditTest, KeysNeverTakeTheCaretIntoThePromptNorEditIt) {
  const TKeyCase cases[] = {
      {"Home", 5, VK_HOME, {}, 2, 0},
      {"Page Up", 4, VK_PRIOR, {}, 2, 0},
      {"Backspace at the prompt", 2, VK_BACK, {}, 2, 0},
      {"Left at the prompt", 2, VK_LEFT, {}, 2, 0},
      {"Shift+Home", 5, VK_HOME, {true, false, false}, 2, 3},
  };
  TXEdit* edit = MakeEdit("> ", "1+2");
  for (const TKeyCase& c : cases) {
    edit->SetSelStart(c.CaretFrom);
    Press(*edit, c.Key, c.Modifiers);
    EXPECT_EQ(edit->Text(), "> 1+2") << c.Name;
    EXPECT_EQ(edit->SelStart(), c.SelStart) << c.Name;
    EXPECT_EQ(edit->SelLength(), c.SelLength) << c.Name;
  }
}

TEST_F(XEditTest, TypingOverASelectionThatTakesInThePromptKeepsThePrompt) {
  TXEdit* edit = MakeEdit("> ", "1+2");
  Press(*edit, 'A', {false, true, false});
  Type(*edit, "7");
  EXPECT_EQ(edit->Text(), "> 7");
  EXPECT_EQ(edit->GetSource(), "7");

  edit->SetSource("1+2");
  edit->SetSelStart(0);
  Press(*edit, VK_DELETE);
  EXPECT_EQ(edit->GetSource(), "+2") << "Delete in the prompt deletes the source's first character";
}

TEST_F(XEditTest, AnEditThatReachesIntoThePromptIsRefused) {
  TXEdit* edit = MakeEdit("ab", "c");
  Press(*edit, VK_BACK, {false, true, false});
  EXPECT_EQ(edit->Text(), "abc") << "deleting the word abc would take the prompt";
  Type(*edit, "d");
  EXPECT_EQ(edit->GetSource(), "cd");
}

TEST_F(XEditTest, ALineFeedAndAnyKeyOfAReadOnlyLineDoNothing) {
  TXEdit* edit = MakeEdit("> ", "1+2");
  int runs = 0;
  edit->OnExecute = [&runs](TObject*, const std::string&) { ++runs; };
  Press(*edit, VK_RETURN, {false, true, false});
  EXPECT_EQ(edit->Text(), "> 1+2");
  EXPECT_EQ(runs, 0);

  edit->NoEdit = true;
  Type(*edit, "9");
  Press(*edit, VK_BACK);
  Enter(*edit);
  EXPECT_EQ(edit->Text(), "> 1+2");
  EXPECT_EQ(runs, 0);
}

TEST_F(XEditTest, DraggingTowardsThePromptStopsTheSelectionAtIt) {
  TXEdit* edit = MakeEdit("> ", "1+2");
  SynthesizeMouse(edit->Handle(), AtCharacter(*edit, 4), TSyntheticMouse::Press, TInputButton::Left);
  SynthesizeMouse(edit->Handle(), AtCharacter(*edit, 2), TSyntheticMouse::Move, TInputButton::Left);
  SynthesizeMouse(edit->Handle(), {1, AtCharacter(*edit, 0).Y}, TSyntheticMouse::Move, TInputButton::Left);
  SynthesizeMouse(edit->Handle(), {1, AtCharacter(*edit, 0).Y}, TSyntheticMouse::Release, TInputButton::Left);
  ProcessEverything();
  EXPECT_EQ(edit->SelStart(), 2);

  Click(edit->Handle(), AtCharacter(*edit, 0));
  EXPECT_EQ(edit->SelStart(), 2) << "a click on the prompt leaves the caret after it";
  EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(XEditTest, ADoubleClickOnTheSourceSelectsExactlyTheSource) {
  TXEdit* edit = MakeEdit("a", "bc");
  DoubleClick(edit->Handle(), AtCharacter(*edit, 2));
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 2);
}

TEST_F(XEditTest, HistoryKeepsOneEntryPerLineIgnoringCaseAndWalksWithoutWrapping) {
  TXEdit* edit = MakeEdit();
  edit->OnExecute = [](TObject*, const std::string&) {};
  for (const char* line : {"sin(1)", "2", "SIN(1)"}) {
    edit->SetSource(line);
    Enter(*edit);
  }
  EXPECT_EQ(edit->History(), (std::vector<std::string>{"2", "sin(1)"}));
  EXPECT_EQ(edit->GetSource(), "") << "executing clears the line";
  const std::pair<WORD, const char*> walk[] = {
      {VK_UP, "sin(1)"}, {VK_UP, "2"}, {VK_UP, "2"}, {VK_DOWN, "sin(1)"}, {VK_DOWN, "sin(1)"}};
  for (const auto& [key, shown] : walk) {
    Press(*edit, key);
    EXPECT_EQ(edit->GetSource(), shown);
  }
}

TEST_F(XEditTest, TheNewest32LinesSurviveARestart) {
  auto* edit = MakeEdit("> ", "", true);
  EXPECT_EQ(edit->Name(), "XEDIT1");
  for (int i = 1; i <= 40; ++i) edit->AddHistory("line " + std::to_string(i));
  delete edit;
  Storage->OpenSection("XEDIT1", false);
  EXPECT_EQ(Storage->ReadInteger("CmdCount", 0), 32);
  EXPECT_EQ(Storage->ReadString("Cmd_0", ""), "line 40");
  EXPECT_EQ(Storage->ReadString("Cmd_31", ""), "line 9");
  Storage->CloseSection();

  TXEdit::ResetNameCounter();
  edit = MakeEdit("> ", "", true);
  EXPECT_EQ(edit->History().size(), 32u);
  Press(*edit, VK_UP);
  EXPECT_EQ(edit->GetSource(), "line 40");
  delete edit;

  TXEdit::ResetNameCounter();
  Storage->OpenSection("XEDIT1", true);
  Storage->WriteString("Kept", "yes");
  Storage->CloseSection();
  delete MakeEdit();
  Storage->OpenSection("XEDIT1", false);
  EXPECT_EQ(Storage->ReadString("Kept", ""), "yes") << "an empty history leaves the section alone";
  Storage->CloseSection();
}

// A damaged count neither stalls the start nor drops lines: only the keys
// there are, and no more than the lines ever stored, are read.
TEST_F(XEditTest, AStoredHistoryIsReadAsFarAsItsKeysAndTheStoredLines) {
  const auto storeHistory = [&](const std::string& count, int lines) {
    Storage->OpenSection("XEDIT1", true);
    TSectionCloser closer(*Storage);
    Storage->WriteString("CmdCount", count);
    for (int i = 0; i < lines; ++i) Storage->WriteString("Cmd_" + std::to_string(i), "line " + std::to_string(i));
  };
  struct TCase {
    std::string count;
    int lines;
    size_t loaded;
  };
  for (const TCase& c : {TCase{"2000000000", 40, 32}, TCase{"4294967298", 5, 5}, TCase{"-2147483648", 3, 0}}) {
    storeHistory(c.count, c.lines);
    TXEdit::ResetNameCounter();
    auto* edit = MakeEdit("> ", "", true);
    ASSERT_EQ(edit->History().size(), c.loaded) << "CmdCount=" << c.count;
    if (c.loaded > 0) {
      EXPECT_EQ(edit->History().back(), "line 0") << "the newest line last";
      EXPECT_EQ(edit->History().front(), "line " + std::to_string(c.loaded - 1));
    }
    delete edit;
  }
}

TEST_F(XEditTest, APastedLineBreakIsDropped) {
  TXEdit* edit = MakeEdit("> ", "");
  Clipboard().SetAsText("a\r\nb");
  Press(*edit, 'V', {false, true, false});
  EXPECT_EQ(edit->GetSource(), "ab");
  EXPECT_EQ(edit->Text(), "> ab");
}

TEST_F(XEditTest, TheSinkShowsResultsAndEmptiesTheLineForAnythingElse) {
  TXEdit* edit = MakeEdit("", "old");
  edit->ConsoleIntf->Write("3", lkResult, 0);
  EXPECT_EQ(edit->GetSource(), "3");
  edit->ConsoleIntf->Write("Division by zero", lkError, 0);
  EXPECT_EQ(edit->GetSource(), "");
  edit->SetSource("4");
  edit->ConsoleIntf->Clear();
  EXPECT_EQ(edit->GetSource(), "");

  CountedPtr<IXConsBase> sink = edit->ConsoleIntf;
  delete edit;
  sink->Write("5", lkResult, 0);  // the edit has gone: nothing happens
}

TEST_F(XEditTest, ExecutionModes) {
  TXEdit* edit = MakeEdit();
  std::vector<std::string> runs;
  Type(*edit, "1");
  Enter(*edit);
  EXPECT_EQ(edit->GetSource(), "1") << "without OnExecute nothing runs and nothing is cleared";

  edit->OnExecute = [&runs](TObject*, const std::string& text) { runs.push_back(text); };
  edit->ClearLine = false;
  Enter(*edit);
  EXPECT_EQ(runs, std::vector<std::string>{"1"});
  EXPECT_EQ(edit->GetSource(), "1") << "ClearLine off keeps the text";

  runs.clear();
  edit->SetSource("");
  edit->AutoExec = true;
  Type(*edit, "1+2");
  EXPECT_EQ(runs, (std::vector<std::string>{"1", "1+", "1+2"}));
}

TEST_F(XEditTest, ColoursReadBackPerCharacter) {
  TSyntax syntax;
  syntax.Attrs().SetDefaults();
  syntax.Attrs().Strings().Color = clMaroon;
  syntax.Attrs().Symbols().Color = clBlue;
  syntax.Attrs().Integers().Color = clGreen;
  TXEdit* edit = MakeEdit();
  edit->Syntax = &syntax;
  edit->PlainColors = false;
  TSymAttr prompt("p");
  prompt.Color = clPurple;
  prompt.Styles = fsBold;
  edit->SetPromptAttr(prompt);
  edit->SetSource("x := 'ab' + 1");
  auto colourAt = [edit](int position) {
    edit->SetSelStart(position);
    edit->SetSelLength(1);
    return edit->SelAttributes().Color();
  };
  EXPECT_EQ(colourAt(0), clPurple);
  EXPECT_EQ(edit->SelAttributes().Style(), fsBold);
  for (int i = 7; i <= 10; ++i) EXPECT_EQ(colourAt(i), clMaroon) << "string character " << i;
  EXPECT_EQ(colourAt(12), clBlue);
  EXPECT_EQ(colourAt(14), clGreen);

  edit->TextAttr.Color = clTeal;
  edit->PlainColors = true;
  edit->Recolor();
  for (int i = 2; i < 15; ++i) EXPECT_EQ(colourAt(i), clTeal) << i;
}

TEST_F(XEditTest, ColoursOfTokensAfterWideCharactersLandOnTheirCharacters) {
  TSyntax syntax;
  syntax.Attrs().SetDefaults();
  syntax.Attrs().Integers().Color = clGreen;
  TXEdit* edit = MakeEdit();
  edit->Syntax = &syntax;
  edit->PlainColors = false;
  edit->SetSource("'äö' + 1");
  auto colourOf = [edit](char c) {
    edit->SetSelStart(static_cast<int>(edit->Text().find(c)));
    edit->SetSelLength(1);
    return edit->SelAttributes().Color();
  };
  EXPECT_EQ(colourOf('1'), clGreen);
  EXPECT_NE(colourOf('+'), clGreen);
}

TEST_F(XEditTest, HeightFollowsTheFont) {
  TXEdit* edit = MakeEdit();
  EXPECT_EQ(edit->Font().Name(), "Courier New");
  edit->Font().SetSize(20);
  HDC dc = GetDC(edit->Handle());
  const HGDIOBJ old = SelectObject(dc, edit->Font().Handle());
  TTextMetric metric;
  GetTextMetrics(dc, &metric);
  SelectObject(dc, old);
  ReleaseDC(edit->Handle(), dc);
  EXPECT_EQ(edit->Height(), metric.tmHeight + metric.tmInternalLeading + 3);
}

TEST_F(XEditTest, AReadOnlyLineEchoesEveryTextWithCopyClip) {
  TConsole console(form);
  TXEdit* edit = MakeEdit("", "");
  edit->NoEdit = true;
  Clipboard().SetAsText("before");
  edit->SetSource("7");
  EXPECT_EQ(Clipboard().AsText(), "before") << "CopyClip is off";
  Params.CopyClip = true;
  edit->SetSource("8");
  EXPECT_EQ(Clipboard().AsText(), "before") << "no helper handed: no echo";
  edit->ClipboardHelper = &console.Copier;
  edit->SetSource("9");
  EXPECT_EQ(Clipboard().AsText(), "9");
  edit->SetSource("");
  EXPECT_EQ(Clipboard().AsText(), "");
  Params.CopyClip = false;
}

TEST_F(XEditTest, TypingPlaysTheKeySoundsAndEnterTheCarriageReturn) {
  TNullSoundBackend backend;
  SetSoundBackend(&backend);
  AppSounds = std::make_unique<TSounds>();
  AppSounds->AssignFile(sndKeyPress, Storage->AppFolder + "DATA/type.wav");
  AppSounds->AssignFile(sndEnter, Storage->AppFolder + "DATA/result.wav");
  AppSounds->Arm();
  TXEdit* edit = MakeEdit();
  Type(*edit, "1+2");
  Enter(*edit);
  std::vector<std::size_t> bytes;
  for (const auto& request : backend.Requests())
    if (request.Kind == TNullSoundBackend::TKind::Play) bytes.push_back(request.Bytes);
  ASSERT_EQ(bytes.size(), 4u);
  EXPECT_EQ(bytes[0], bytes[2]);
  EXPECT_NE(bytes[2], bytes[3]) << "Enter plays the other sound";
  AppSounds.reset();
  SetSoundBackend(nullptr);
}

}  // namespace
