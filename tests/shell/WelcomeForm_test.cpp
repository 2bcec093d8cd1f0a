#include "shell/WelcomeForm.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/AsciiCase.h"
#include "runtime/Storage.h"
#include "tests/runtime/TempFolder.h"
#include "tests/toolkit/Pixels.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"

namespace {

constexpr TColor SkyBlue = RGB(166, 202, 240);

struct TRow {
  std::string Text;
  int Level;
  int Code;
  bool operator==(const TRow&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TRow& row) {
  return out << row.Text << " (" << row.Level << ", " << row.Code << ")";
}

class WelcomeFormTest : public testing::Test {
protected:
  WelcomeFormTest() { Storage = std::make_unique<TStorage>("Quantrel.ini", 0); }
  ~WelcomeFormTest() override {
    welcome.reset();
    Storage.reset();
    DeallocateHWnd(stepper_);
  }

  TWelcomeForm& Make() {
    welcome = std::make_unique<TWelcomeForm>(nullptr);
    return *welcome;
  }
  TWelcomeForm& Restart() {
    welcome.reset();
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    return Make();
  }
  TWelcomeForm& Shown() {
    welcome->Show();
    ProcessEverything();
    return *welcome;
  }
  // Runs the steps from the dialog's modal loop, then answers its result.
  TModalResult ShowModalWith(std::function<void()> steps) {
    steps_ = std::move(steps);
    PostMessage(stepper_, WM_USER, 0, 0);
    return welcome->ShowModal();
  }

  TTreeView& Tree() { return *welcome->Tree; }
  // Every row, top to bottom.
  std::vector<TTreeNode*> Rows() {
    std::vector<TTreeNode*> rows;
    for (TTreeNode* top = Tree().Items().GetFirstNode(); top; top = top->getNextSibling()) {
      rows.push_back(top);
      for (int i = 0; i < top->Count(); ++i) rows.push_back(top->Item(i));
    }
    return rows;
  }
  TTreeNode* Node(const std::string& text) {
    for (TTreeNode* node : Rows())
      if (node->Text() == text) return node;
    ADD_FAILURE() << "no row " << text;
    return nullptr;
  }
  TPoint Middle(TTreeNode* node) {
    const TRect row = node->DisplayRect(true);
    return {row.Left + 4, (row.Top + row.Bottom) / 2};
  }
  void ClickRow(TTreeNode* node) {
    SynthesizeClick(Tree().Handle(), Middle(node));
    ProcessEverything();
  }
  void Hover(TTreeNode* node) {
    SynthesizeMouse(Tree().Handle(), Middle(node), TSyntheticMouse::Move, TInputButton::Left);
    ProcessEverything();
  }
  std::unique_ptr<TBitmap> Grab() {
    auto bitmap = std::make_unique<TBitmap>(Tree().ClientWidth(), Tree().ClientHeight(), pf32bit);
    Tree().Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap->Canvas().Handle()), PRF_CLIENT);
    return bitmap;
  }
  // The longest run of black pixels along a line of the row: an underline
  // runs under the whole text, a letter is a few pixels wide.
  static int LongestBlackRun(const TBitmap& bitmap, const TRect& row) {
    int longest = 0;
    for (int y = row.Top; y < row.Bottom; ++y)
      for (int x = row.Left, run = 0; x < row.Right; ++x) {
        run = bitmap.Handle()->Pixel(x, y) == clBlack ? run + 1 : 0;
        longest = std::max(longest, run);
      }
    return longest;
  }

  TempFolder config;
  ScopedEnvironment configHome{"XDG_CONFIG_HOME", config.Path().string()};
  std::unique_ptr<TWelcomeForm> welcome;

private:
  std::function<void()> steps_;
  HWND stepper_ = AllocateHWnd([this](TMessage& message) {
    if (message.Msg == WM_USER && steps_) steps_();
  });
};

TEST_F(WelcomeFormTest, TheTreeHoldsTheHeadingsAndTheirEntriesWithTheirCodesAllExpanded) {
  Make();
  std::vector<TRow> rows;
  for (TTreeNode* node : Rows()) {
    const int code = node->Parent() ? static_cast<int>(reinterpret_cast<std::intptr_t>(node->Data)) : 0;
    rows.push_back({node->Text(), node->Level(), code});
    if (!node->Parent() && !node->Text().empty()) {
      EXPECT_TRUE(node->Expanded()) << node->Text();
    }
  }
  const std::vector<TRow> expected{
      {"", 0, 0},
      {"Calculations", 0, 0},
      {"Console in the full mode", 1, 4},
      {"Console in the compact mode", 1, 5},
      {"Toolboxes", 1, 6},
      {"Dimensions conversion", 1, 7},
      {"Algebra solving", 1, 8},
      {"Geometry solving", 1, 9},
      {"Constants", 1, 10},
      {"", 0, 0},
      {"Programming", 0, 0},
      {"Create new program", 1, 2},
      {"Create new library", 1, 3},
      {"Open source file ...", 1, 1},
      {"", 0, 0},
      {"Plotting 2D or 3D graphs", 0, 0},
      {"Function or expression plots", 1, 11},
      {"Data plots", 1, 12},
      {"", 0, 0},
      {"Data analysis", 0, 0},
      {"Data import", 1, 13},
      {"Data analysis", 1, 14},
  };
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(Node("Programming")->ImageIndex(), 1);
  EXPECT_EQ(Node("Data plots")->ImageIndex(), -1);
  EXPECT_EQ(welcome->ClientWidth(), 370);
  EXPECT_EQ(welcome->ClientHeight(), 461);
  const std::string title = " Welcome to " + AsciiUppered(Application().Title()) + " ";
  EXPECT_EQ(welcome->Caption().rfind(title, 0), 0u) << welcome->Caption();
  EXPECT_EQ(welcome->TaskCode, 0);
}

TEST_F(WelcomeFormTest, AHeadingNeitherSelectsNorCollapsesAndAnEntryClosesWithItsCode) {
  Make();
  EXPECT_EQ(ShowModalWith([&] {
              TTreeNode* heading = Node("Programming");
              ClickRow(heading);
              EXPECT_TRUE(heading->Expanded());
              EXPECT_NE(Tree().Selected(), heading);
              EXPECT_EQ(welcome->ModalResult(), mrNone);
              heading->Collapse(false);
              EXPECT_TRUE(heading->Expanded()) << "nothing collapses";
              ClickRow(Node("Data import"));
            }),
            mrOk);
  EXPECT_EQ(welcome->TaskCode, 13);
}

TEST_F(WelcomeFormTest, EscapeAndCloseGiveCancel) {
  Make();
  EXPECT_EQ(ShowModalWith([&] {
              Tree().SetFocus();
              SynthesizeKeyStroke(Tree().Handle(), VK_ESCAPE, "\x1b");
            }),
            mrCancel);
  EXPECT_EQ(ShowModalWith([&] { SynthesizeClick(welcome->CloseButton->Handle(), {10, 10}); }), mrCancel);
  EXPECT_EQ(welcome->TaskCode, 0);
}

TEST_F(WelcomeFormTest, TheGradientHeadingsAndTheHotEntryArePaintedAsDrawn) {
  Make();
  Shown();
  auto grab = Grab();
  const int right = Tree().ClientWidth() - 1, bottom = Tree().ClientHeight() - 1;
  EXPECT_EQ(grab->Canvas().Pixel(0, 0), clWhite);
  for (const TPoint corner : {TPoint{right, 0}, TPoint{right, bottom}, TPoint{0, bottom}})
    EXPECT_EQ(grab->Canvas().Pixel(corner.X, corner.Y), SkyBlue) << corner.X << ", " << corner.Y;

  // The heading's picture at x = 8, opaque pixels as drawn; its bold text after it.
  const TRect row = Node("Calculations")->DisplayRect(false);
  TBitmap picture;
  welcome->Images.GetBitmap(0, picture);
  const int top = (row.Top + row.Bottom - 16) / 2;
  int opaque = 0, same = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      std::uint32_t pixel = 0;
      picture.Handle()->FetchRow(y, x, 1, &pixel);
      if ((pixel >> 24) != 0xFF) continue;
      ++opaque;
      same += grab->Canvas().Pixel(row.Left + 8 + x, top + y) == (RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    }
  EXPECT_GT(opaque, 40);
  EXPECT_EQ(same, opaque);
  const TRect text{row.Left + 32, row.Top, row.Right, row.Bottom};
  EXPECT_GT(CountPixels(*grab->Handle(), text, clBlack), 40) << "bold text";
  EXPECT_EQ(CountPixels(*grab->Handle(), {row.Left + 24, row.Top, row.Left + 32, row.Bottom}, clBlack), 0);

  TTreeNode* hot = Node("Algebra solving");
  TTreeNode* other = Node("Constants");
  EXPECT_LT(LongestBlackRun(*grab, hot->DisplayRect(false)), 20);
  Hover(hot);
  grab = Grab();
  EXPECT_GT(LongestBlackRun(*grab, hot->DisplayRect(false)), 80) << "underlined";
  EXPECT_LT(LongestBlackRun(*grab, other->DisplayRect(false)), 20);
}

TEST_F(WelcomeFormTest, ShowAtStartupIsRememberedAndABadValueReadsAsTheDefault) {
  EXPECT_TRUE(Make().GetShowAtStart());
  welcome->chkShow->SetChecked(false);
  EXPECT_FALSE(Restart().GetShowAtStart());
  welcome.reset();
  Storage->OpenSection("WELCOME", false);
  Storage->WriteString("ShowStart", "yes");
  Storage->CloseSection();
  EXPECT_TRUE(Make().GetShowAtStart());
}

}  // namespace
