#include "toolkit/qt/DesktopWindowInfo.h"

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/HintWindow.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Styles.h"

namespace {

TEST(DesktopWindowInfo, OwnedWindowsStayWithTheirOwnerAndToolWindowsGetTheirFrame) {
  TForm owner(nullptr);
  owner.Show();
  TForm owned(nullptr), alone(nullptr);
  owned.ParentWindow = owner.Handle();
  owned.SetBorderStyle(bsSizeToolWin);
  alone.Show();
  owned.Show();
  ProcessEverything();

  TDesktopWindowInfo info;
  ASSERT_TRUE(GetDesktopWindowInfo(owned.Handle(), info));
  EXPECT_EQ(info.StaysWith, owner.Handle());
  EXPECT_TRUE(info.ToolWindow);
  ASSERT_TRUE(GetDesktopWindowInfo(alone.Handle(), info));
  EXPECT_EQ(info.StaysWith, nullptr);
  EXPECT_FALSE(info.ToolWindow);
}

TEST(DesktopWindowInfo, ACaptionGivenBeforeTheWindowIsMadeIsItsTitle) {
  TForm early(nullptr);
  early.SetCaption(" Workspace");
  early.Show();
  ProcessEverything();
  TDesktopWindowInfo info;
  ASSERT_TRUE(GetDesktopWindowInfo(early.Handle(), info));
  EXPECT_EQ(info.Title, " Workspace");
  early.SetCaption("Later");
  ASSERT_TRUE(GetDesktopWindowInfo(early.Handle(), info));
  EXPECT_EQ(info.Title, "Later");
}

// A captionless window with the tool-window style, as an About box is.
class TCaptionlessToolForm : public TForm {
public:
  TCaptionlessToolForm() : TForm(nullptr) { SetBorderStyle(bsNone); }

protected:
  void CreateParams(TCreateParams& params) override {
    TForm::CreateParams(params);
    params.ExStyle |= WS_EX_TOOLWINDOW;
  }
};

TEST(DesktopWindowInfo, ACaptionlessToolWindowTakesKeysWhileAHintDoesNot) {
  TCaptionlessToolForm about;
  std::string typed;
  about.OnKeyPress = [&](TObject*, char32_t& key) { typed += static_cast<char>(key); };
  about.Show();
  ProcessEverything();
  TDesktopWindowInfo info;
  ASSERT_TRUE(GetDesktopWindowInfo(about.Handle(), info));
  EXPECT_TRUE(info.ToolWindow);
  EXPECT_TRUE(info.TakesKeys);
  SynthesizeKeyStroke(about.Handle(), 'X', "x");
  ProcessEverything();
  EXPECT_EQ(typed, "x");

  THintWindow hint(nullptr);
  hint.ActivateHint(Bounds(10, 10, 80, 20), "hint");
  ProcessEverything();
  ASSERT_TRUE(GetDesktopWindowInfo(hint.Handle(), info));
  EXPECT_FALSE(info.TakesKeys);
}

}  // namespace

namespace {

// The caption set before the window exists is its title from the start;
// one set later replaces it.
TEST(DesktopWindowInfo, TheCaptionIsTheDesktopsTitle) {
  TForm form(nullptr);
  form.SetCaption(" Before");
  form.Show();
  ProcessEverything();
  TDesktopWindowInfo info;
  ASSERT_TRUE(GetDesktopWindowInfo(form.Handle(), info));
  EXPECT_EQ(info.Title, " Before");
  form.SetCaption(" After");
  ASSERT_TRUE(GetDesktopWindowInfo(form.Handle(), info));
  EXPECT_EQ(info.Title, " After");
}

}  // namespace
