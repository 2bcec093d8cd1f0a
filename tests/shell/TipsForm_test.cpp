#include "shell/TipsForm.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "runtime/Random.h"
#include "runtime/StringList.h"
#include "runtime/Utf8Cells.h"
#include "tests/shell/MainFormFixture.h"
#include "tests/toolkit/Pixels.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/win/Input.h"

namespace {

// Ten pixels a character.
int TenPerCell(std::string_view text) { return 10 * CellCount(text); }

struct TWrapCase {
  const char* Tip;
  int Width;
  std::vector<std::string> Lines;
};

TEST(WrapTipTest, LinesBreakAtBlanksAndAWordWiderThanTheLineIsBroken) {
  const TWrapCase cases[] = {
      {"a  b   c", 100, {"a b c"}},
      {"  lead and trail  ", 100, {"lead and", "trail"}},
      {"one two three four", 100, {"one two", "three", "four"}},
      {"abcdefghijklmno xy", 100, {"abcdefghi", "jklmno xy"}},
      {"ééééééééééé é", 100, {"ééééééééé", "éé é"}},
      {"", 100, {}},
      {"   ", 100, {}},
      {"w", 5, {"w"}},
  };
  for (const TWrapCase& c : cases) EXPECT_EQ(WrapTip(c.Tip, c.Width, TenPerCell), c.Lines) << c.Tip;
}

class TipsFormTest : public MainFormTest {
protected:
  ~TipsFormTest() override { tips.reset(); }

  void WriteTips(const std::string& content) {
    std::ofstream(program.Path() / TfrmTips::TipsFileName, std::ios::binary) << content;
  }
  // The main window started (its console takes the tips' error line), then the tip window made.
  TfrmTips& Make() {
    if (!form) {
      BindSound(sndTipsSwitch, "switch.wav");
      Start();
    }
    tips = std::make_unique<TfrmTips>(nullptr);
    return *tips;
  }
  TfrmTips& Restart() {
    tips.reset();
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    return Make();
  }
  int Switches() const {
    return static_cast<int>(std::count_if(sounds.Requests().begin(), sounds.Requests().end(), [](const auto& request) {
      return request.Kind == TNullSoundBackend::TKind::Play;
    }));
  }
  // Shown, dark; then lit once its timer has run.
  void ShowDark() {
    sounds.ClearRequests();
    tips->Show();
    ProcessEverything();
  }
  void WaitLit() {
    for (int i = 0; i < 200 && !tips->Lit; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      ProcessEverything();
    }
    ASSERT_TRUE(tips->Lit);
  }
  void NextTip(TSyntheticMouse action) {
    SynthesizeMouse(tips->Button3->Handle(), {10, 10}, action, TInputButton::Left);
    ProcessEverything();
  }
  const TGdiBitmap& Drawn() {
    tips->Draw();
    return *tips->Buffer.Handle();
  }
  TRect TitleArea() { return {TfrmTips::TextLeft, 0, tips->PaintBox->Width(), 40}; }
  // Whether the picture shown is the given one of the two (its opaque pixels as drawn).
  bool ShowsPicture(int index) {
    TBitmap picture;
    tips->Images.GetBitmap(index, picture);
    const TGdiBitmap& drawn = Drawn();
    int opaque = 0, same = 0;
    for (int y = 0; y < 110; ++y)
      for (int x = 0; x < 100; ++x) {
        std::uint32_t pixel = 0;
        picture.Handle()->FetchRow(y, x, 1, &pixel);
        if ((pixel >> 24) != 0xFF) continue;
        ++opaque;
        same += drawn.Pixel(x, y) == RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
      }
    return opaque > 1000 && same == opaque;
  }

  std::unique_ptr<TfrmTips> tips;
};

TEST_F(TipsFormTest, ShownDarkThenLitWithTheSeededTipAndNextTipGoesRound) {
  WriteTips("first\nsecond\nthird\n");
  Make();
  EXPECT_EQ(tips->Tips.Count(), 3);
  EXPECT_EQ(tips->ClientWidth(), 392);
  EXPECT_EQ(tips->ClientHeight(), 218);
  EXPECT_EQ(tips->FormStyle(), fsStayOnTop);
  TRandom::Seed(7);
  const int seeded = static_cast<int>(TRandom::Below(3));
  TRandom::Seed(7);

  ShowDark();
  EXPECT_FALSE(tips->Lit);
  EXPECT_TRUE(ShowsPicture(0));
  EXPECT_GT(CountPixels(Drawn(), TitleArea(), TfrmTips::DarkColor), 100) << "silver title and rule";
  EXPECT_EQ(CountPixels(Drawn(), TitleArea(), clWhite), 0);
  EXPECT_EQ(Switches(), 0);

  WaitLit();
  EXPECT_EQ(tips->TipIndex, seeded);
  EXPECT_TRUE(ShowsPicture(1));
  const TGdiBitmap& lit = Drawn();
  EXPECT_EQ(CountPixels(lit, TitleArea(), TfrmTips::DarkColor), 0);
  // The white title over its black copy one pixel right and down.
  int shadowed = 0, white = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = TfrmTips::TextLeft; x < 300; ++x)
      if (lit.Pixel(x, y) == clWhite && y < 30) {
        ++white;
        shadowed += lit.Pixel(x + 1, y + 1) == clWhite || lit.Pixel(x + 1, y + 1) == clBlack;
      }
  EXPECT_GT(white, 100);
  EXPECT_EQ(shadowed, white);
  EXPECT_GT(CountPixels(lit, tips->TipRect(), clWhite), 20) << "the tip";
  EXPECT_EQ(Switches(), 1);

  tips->TipIndex = 2;
  NextTip(TSyntheticMouse::Press);
  EXPECT_FALSE(tips->Lit);
  EXPECT_EQ(Switches(), 2);
  NextTip(TSyntheticMouse::Release);
  EXPECT_TRUE(tips->Lit);
  EXPECT_EQ(tips->TipIndex, 0) << "from the third to the first";
  EXPECT_EQ(Switches(), 3);
}

TEST_F(TipsFormTest, ClosedBeforeItLightsUpItStaysQuiet) {
  WriteTips("one\n");
  Make();
  ShowDark();
  tips->Hide();
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  ProcessEverything();
  EXPECT_FALSE(tips->Lit);
  EXPECT_EQ(Switches(), 0);
}

TEST_F(TipsFormTest, ALongTipWrapsInsideItsRectangleAndAnOverwideWordIsBrokenNotLost) {
  std::string longTip;
  for (int i = 0; i < 60; ++i) longTip += "word" + std::to_string(i) + " ";
  WriteTips(longTip + "\n" + std::string(80, 'W') + " after\n");
  Make();
  const TRect rect = tips->TipRect();
  EXPECT_EQ(rect.Left, 104);
  EXPECT_EQ(rect.Right, tips->PaintBox->Width() - 8);
  tips->Lit = true;
  tips->TipIndex = 0;
  const TGdiBitmap& drawn = Drawn();
  const int width = tips->PaintBox->Width(), height = tips->PaintBox->Height();
  // Right of the picture, whose glow is white too.
  const TRect ink = ColorBounds(drawn, {100, rect.Top, width, height}, clWhite);
  EXPECT_GE(ink.Left, rect.Left);
  EXPECT_LE(ink.Right, rect.Right);
  // Lines 16 pixels apart, the last one starting above the bottom.
  const int lines = (rect.Bottom - rect.Top + 15) / 16;
  for (int line = 0; line < lines; ++line) {
    const int top = rect.Top + 16 * line;
    EXPECT_GT(CountPixels(drawn, {rect.Left, top, rect.Right, top + 16}, clWhite), 0) << "line " << line;
  }
  EXPECT_EQ(CountPixels(drawn, {100, rect.Top + 16 * lines, width, height}, clWhite), 0);

  tips->TipIndex = 1;
  const TGdiBitmap& broken = Drawn();
  EXPECT_GT(CountPixels(broken, {rect.Left, rect.Top + 16, rect.Right, rect.Top + 32}, clWhite), 0);
  EXPECT_GT(CountPixels(broken, {rect.Left, rect.Top + 48, rect.Right, rect.Top + 64}, clWhite), 0)
      << "the word's end and the words after it";
}

TEST_F(TipsFormTest, AMissingOrUnreadableFileIsAnErrorLineAndOnlyTheTitleShows) {
  Make();
  EXPECT_EQ(LastLine(), (TShownLine{"Failed to open tips file : Quantrel.tip", lkError}));
  std::filesystem::create_directory(program.Path() / TfrmTips::TipsFileName);
  form->Console->Clear();
  Restart();
  EXPECT_EQ(LastLine(), (TShownLine{"Failed to open tips file : Quantrel.tip", lkError}));
  ShowDark();
  WaitLit();
  EXPECT_EQ(CountPixels(Drawn(), tips->TipRect(), clWhite), 0);
}

TEST_F(TipsFormTest, AnEmptyFileShowsTheTitleOnlyAlsoAfterNextTip) {
  WriteTips("");
  Make();
  for (const TShownLine& line : Lines()) EXPECT_NE(line.Kind, lkError) << line;
  ShowDark();
  WaitLit();
  EXPECT_GT(CountPixels(Drawn(), TitleArea(), clWhite), 100);
  NextTip(TSyntheticMouse::Press);
  NextTip(TSyntheticMouse::Release);
  EXPECT_TRUE(tips->Lit);
  EXPECT_EQ(CountPixels(Drawn(), tips->TipRect(), clWhite), 0);
  EXPECT_EQ(Switches(), 3) << "the button still sounds";
}

TEST_F(TipsFormTest, ACrLfFileGivesTipsWithoutCarriageReturnsAndDrawsTheirLetters) {
  WriteTips("caf\xc3\xa9\r\n\xc3\xa9\r\n");
  Make();
  ASSERT_EQ(tips->Tips.Count(), 2);
  EXPECT_EQ(tips->Tips.Strings(0), "caf\xc3\xa9");
  EXPECT_EQ(tips->Tips.Strings(1), "\xc3\xa9");
  tips->Lit = true;
  tips->TipIndex = 1;
  EXPECT_GT(CountPixels(Drawn(), tips->TipRect(), clWhite), 5);
}

TEST_F(TipsFormTest, EveryShippedTipFitsThePanel) {
  std::filesystem::copy_file(ProgramResources() / TfrmTips::TipsFileName, program.Path() / TfrmTips::TipsFileName);
  Make();
  ASSERT_GE(tips->Tips.Count(), 25);
  const TRect rect = tips->TipRect();
  TCanvas& canvas = tips->Buffer.Canvas();
  canvas.Font().Assign(tips->PaintBox->Font());
  canvas.Font().SetSize(10);
  const auto textWidth = [&](std::string_view text) { return canvas.TextWidth(text); };
  for (int i = 0; i < tips->Tips.Count(); ++i) {
    const std::string tip = tips->Tips.Strings(i);
    EXPECT_FALSE(tip.empty()) << "line " << i + 1;
    const auto lines = static_cast<int>(WrapTip(tip, rect.Width(), textWidth).size());
    EXPECT_LE(rect.Top + 16 * lines, rect.Bottom) << tip;
  }
}

TEST_F(TipsFormTest, ShowTipsAtStartupIsRemembered) {
  WriteTips("one\n");
  EXPECT_TRUE(Make().GetShowAtStart());
  tips->chkShowTips->SetChecked(false);
  EXPECT_FALSE(Restart().GetShowAtStart());
  EXPECT_EQ(Stored("TIPS", "ShowStart"), "0");
}

}  // namespace
