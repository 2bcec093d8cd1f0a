#include "shell/Splash.h"

#include <functional>

#include <gtest/gtest.h>

#include "runtime/Params.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/qt/DesktopWindowInfo.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"

namespace {

constexpr TColor Shadow = clBlack;

class SplashTest : public testing::Test {
protected:
  ~SplashTest() override { DeallocateHWnd(stepper_); }

  TColor Pixel(int x, int y) { return Splash.Buffer.Canvas().Pixel(x, y); }

  // The pixels of a row in [left, right) that have the colour.
  int RowCount(int y, int left, int right, TColor color) {
    int count = 0;
    for (int x = left; x < right; ++x) count += Pixel(x, y) == color;
    return count;
  }

  // The ink of rows [top, bottom): the pixels that are not the console's colour.
  TRect Ink(int top, int bottom) {
    return InkBounds(*Splash.Buffer.Handle(), {0, std::max(top, 0), 450, std::min(bottom, 146)}, TfrmSplash::ConsoleColor);
  }

  // A mark in the back buffer that only a repaint removes.
  void Mark() { Splash.Buffer.Canvas().SetPixel(0, 0, clRed); }
  bool Repainted() { return Pixel(0, 0) != clRed; }

  // Runs the steps from the About box's modal loop.
  void WhileShown(std::function<void()> steps) {
    steps_ = std::move(steps);
    PostMessage(stepper_, WM_USER, 0, 0);
  }

  TModalResult ShowAbout() {
    Splash.SetAboutView(false);
    return Splash.ShowModal();
  }

  void Press(WORD key, const std::string& text) {
    SynthesizeKeyStroke(Splash.Handle(), key, text);
    ProcessEverything();
  }

  TfrmSplash Splash{nullptr};

private:
  std::function<void()> steps_;
  HWND stepper_ = AllocateHWnd([this](TMessage& message) {
    if (message.Msg == WM_USER && steps_) steps_();
  });
};

TEST_F(SplashTest, TheProgressStripShowsTheClampedValue) {
  EXPECT_EQ(Splash.scrConsole->Width(), 450);
  EXPECT_EQ(Splash.scrConsole->Height(), 150);
  Splash.SetProgress(150);
  EXPECT_EQ(Splash.Progress, 100);
  for (int y = 146; y < 150; ++y) EXPECT_EQ(RowCount(y, 0, 450, TfrmSplash::ProgressColor), 450) << "row " << y;
  EXPECT_EQ(RowCount(145, 0, 450, TfrmSplash::ProgressColor), 0);

  Splash.SetProgress(-5);
  EXPECT_EQ(Splash.Progress, 0);
  for (int y = 146; y < 150; ++y) EXPECT_EQ(RowCount(y, 0, 450, TfrmSplash::BarColor), 450) << "row " << y;

  Splash.SetProgress(50);
  EXPECT_EQ(RowCount(147, 0, 225, TfrmSplash::ProgressColor), 225);
  EXPECT_EQ(RowCount(147, 225, 450, TfrmSplash::BarColor), 225);

  Mark();
  Splash.SetProgress(50);
  EXPECT_FALSE(Repainted()) << "the same value again repainted";
  Splash.SetProgress(51);
  EXPECT_TRUE(Repainted());
}

TEST_F(SplashTest, TheLogShowsTheNewestTenMessagesRightAlignedAboveEachOther) {
  for (int i = 0; i < 12; ++i) Splash.AddMessage("Creating");
  EXPECT_EQ(Splash.Messages.size(), 12u) << "the log keeps every message";
  const TRect newest = Ink(122, 136);
  ASSERT_FALSE(IsRectEmpty(newest));
  // The text's advance ends at column 410, its ink by column 409; its shadow
  // lies one pixel right and down.
  int textRight = 0;
  for (int y = 122; y < 136; ++y)
    for (int x = 0; x < 450; ++x)
      if (Pixel(x, y) == TfrmSplash::TextColor) {
        textRight = std::max(textRight, x);
        const TColor shadowed = Pixel(x + 1, y + 1);
        EXPECT_TRUE(shadowed == Shadow || shadowed == TfrmSplash::TextColor) << x << "," << y;
      }
  EXPECT_LE(textRight, 409);
  EXPECT_GE(textRight, 405);
  EXPECT_EQ(newest.Right, textRight + 2) << "the shadow's ink ends one column right of the text's";
  for (int k = 1; k < 9; ++k) {
    const TRect older = Ink(122 - 14 * k, 136 - 14 * k);
    EXPECT_EQ(older.Top, newest.Top - 14 * k) << "entry " << k;
    EXPECT_EQ(older.Left, newest.Left) << "entry " << k;
    EXPECT_EQ(older.Right, newest.Right) << "entry " << k;
  }
  EXPECT_FALSE(IsRectEmpty(Ink(0, 10))) << "the tenth shows in part";
}

TEST_F(SplashTest, ARuleAndAnEmptyEntryTakeALineEach) {
  Splash.AddMessage(TfrmSplash::Rule);
  EXPECT_EQ(RowCount(130, 101, 411, Shadow), 310);
  EXPECT_EQ(RowCount(130, 0, 450, Shadow), 310);
  EXPECT_EQ(RowCount(129, 100, 410, TfrmSplash::TextColor), 310);
  EXPECT_EQ(RowCount(129, 0, 450, TfrmSplash::TextColor), 310);

  Splash.Messages.clear();
  Splash.AddMessage(TfrmSplash::Rule);
  Splash.AddMessage("");
  EXPECT_TRUE(IsRectEmpty(Ink(122, 146))) << "an empty entry draws nothing";
  EXPECT_EQ(RowCount(130 - 14, 101, 411, Shadow), 310) << "the rule moved up one line";
}

TEST_F(SplashTest, TheAboutTextHasTwoViews) {
  Splash.AddMessage("Creating main console");
  Splash.FillAboutText();
  const std::vector<std::string> first{"Version  " + Splash.GetVersionText(), "", "---", Splash.SysInfo.GetOSText(),
                                       Splash.SysInfo.GetMemoryText(), "---"};
  EXPECT_EQ(Splash.Messages, first);
  EXPECT_EQ(Splash.GetVersionText(),
            Splash.Info.Major + "." + Splash.Info.Minor + "." + Splash.Info.Build + " " + Splash.Info.Comments);

  Mark();
  Splash.SetAboutView(false);
  EXPECT_FALSE(Repainted()) << "the same view again repainted";
  Splash.SetAboutView(true);
  EXPECT_TRUE(Repainted());
  const std::vector<std::string> second{first[0], "", "---", TfrmSplash::AuthorLine, TfrmSplash::ContactLine, "---"};
  EXPECT_EQ(Splash.Messages, second);
}

TEST_F(SplashTest, TheWindowFitsItsContentsCentredAndBecomesTheLoadProgress) {
  EXPECT_EQ(Splash.ClientWidth(), 450);
  EXPECT_EQ(Splash.ClientHeight(), 290);
  EXPECT_EQ(Splash.Caption(), "About");
  EXPECT_EQ(Splash.imgHigh->BoundsRect(), Bounds(0, 0, 450, 120));
  EXPECT_EQ(Splash.imgLow->BoundsRect(), Bounds(0, 270, 450, 20));
  EXPECT_EQ(Splash.imgLow->Cursor(), crHandPoint);
  Splash.Show();
  ProcessEverything();
  const TRect area = Screen().WorkAreaRect();
  EXPECT_EQ(Splash.Left(), area.Left + (area.Width() - 450) / 2);
  EXPECT_EQ(Splash.Top(), area.Top + (area.Height() - 290) / 2);
  EXPECT_EQ(LoadProgress, &Splash);
}

TEST_F(SplashTest, TheAboutBoxClosesOnAKeyOrABannerClickAndSwitchesOnTheLowerStrip) {
  struct TCase {
    WORD Key;
    const char* Text;
  };
  for (const TCase& key : {TCase{'A', "a"}, TCase{VK_RETURN, "\r"}, TCase{VK_ESCAPE, "\x1b"}}) {
    Splash.FillAboutText();  // as the first activation does
    WhileShown([&] {
      EXPECT_EQ(Splash.Messages[3], Splash.SysInfo.GetOSText()) << "opens with the first view";
      Press(key.Key, key.Text);
    });
    EXPECT_EQ(ShowAbout(), mrOk) << key.Text;
  }

  WhileShown([&] {
    SynthesizeClick(Splash.Handle(), {200, 290 - 10});
    ProcessEverything();
    EXPECT_TRUE(Splash.Showing()) << "the lower strip keeps it open";
    EXPECT_TRUE(Splash.AboutView);
    EXPECT_EQ(Splash.Messages[3], TfrmSplash::AuthorLine);
    SynthesizeClick(Splash.Handle(), {200, 60});
  });
  EXPECT_EQ(ShowAbout(), mrOk);
  EXPECT_FALSE(Splash.Showing());
}

TEST(Splash, WithWinsInTaskTheAboutBoxIsAToolWindowThatTakesKeys) {
  Params.WinsInTask = true;
  TfrmSplash splash(nullptr);
  splash.Show();
  ProcessEverything();
  Params.WinsInTask = false;
  TDesktopWindowInfo info;
  ASSERT_TRUE(GetDesktopWindowInfo(splash.Handle(), info));
  EXPECT_TRUE(info.ToolWindow);
  EXPECT_TRUE(info.TakesKeys);
  SynthesizeKeyStroke(splash.Handle(), 'Q', "q");
  ProcessEverything();
  EXPECT_EQ(splash.ModalResult(), mrOk);
}

}  // namespace
