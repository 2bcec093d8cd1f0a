#include "skin/SkinnedForms.h"

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

#include "runtime/SysInfo.h"
#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/SkinPanel.h"
#include "skin/forms/SkinProvider.h"
#include "skin/menus/SkProvider.h"
#include "tests/skin/MessageSpy.h"
#include "tests/skin/RecordedFileIcons.h"
#include "tests/skin/StandInProvider.h"
#include "tests/skin/TestSkinManager.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/Clock.h"
#include "toolkit/win/MessageQueue.h"

namespace {

// A shown form that answers sub-command 4 with its provider (and 7 with 1
// while it has one), and counts the redraw switches and skin commands it gets.
class TProvidedForm : public TForm {
public:
  explicit TProvidedForm(TComponent* owner, TSkinManager* manager = nullptr) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(20, 20, 60, 40);
    if (manager) Provider = new TStandInProvider(this, manager);
  }
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_SETREDRAW) Redraws.push_back(message.WParam);
    if (message.Msg == SM_SKINCMD && SubCommandOf(message.WParam) == scInvalidateCache) ++Heard;
    if (message.Msg == SM_SKINCMD && Provider && SubCommandOf(message.WParam) == scGetProvider) {
      message.Result = reinterpret_cast<LRESULT>(Provider);
      return;
    }
    if (message.Msg == SM_SKINCMD && Provider && SubCommandOf(message.WParam) == scIsSkinnable) {
      message.Result = 1;
      return;
    }
    TForm::WndProc(message);
  }

  TStandInProvider* Provider = nullptr;
  std::vector<WPARAM> Redraws;
  int Heard = 0;
};

class SkinnedFormsTest : public ::testing::Test {
protected:
  ~SkinnedFormsTest() override {
    FreeApplicationIcons();
    for (TForm* form : forms) delete form;
  }
  TProvidedForm* ShownForm(TSkinManager* manager, bool listed = true) {
    auto* form = new TProvidedForm(nullptr, manager);
    forms.push_back(form);
    form->Show();
    ProcessEverything();
    if (listed) AddSkinnedForm(form);
    return form;
  }

  TTestSkinManager manager;  // the default one
  TTestSkinManager other;
  std::vector<TForm*> forms;
};

TEST_F(SkinnedFormsTest, TheListHoldsEachFormOnceAndFillsGapsWithItsLast) {
  TComponent a(nullptr), b(nullptr), c(nullptr);
  using TList = std::vector<TComponent*>;
  const struct {
    const char* Name;
    std::function<void()> Change;
    TList Expected;
  } steps[] = {
      {"add A, B, C", [&] { AddSkinnedForm(&a), AddSkinnedForm(&b), AddSkinnedForm(&c); }, {&a, &b, &c}},
      {"add A again", [&] { AddSkinnedForm(&a); }, {&a, &b, &c}},
      {"remove B: C takes its slot", [&] { RemoveSkinnedForm(&b); }, {&a, &c}},
      {"remove the last", [&] { RemoveSkinnedForm(&c); }, {&a}},
      {"remove one not listed", [&] { RemoveSkinnedForm(&b); }, {&a}},
      {"add B; remove A", [&] { AddSkinnedForm(&b), RemoveSkinnedForm(&a); }, {&b}},
  };
  for (const auto& step : steps) {
    step.Change();
    EXPECT_EQ(SkinnedForms(), step.Expected) << step.Name;
  }
}

TEST_F(SkinnedFormsTest, OnlyTheFormsOfTheManagerAreFrozenAndThawed) {
  TProvidedForm* mine = ShownForm(&manager);
  TProvidedForm* others = ShownForm(&other);
  TProvidedForm* hidden = ShownForm(&manager);
  hidden->Hide();
  manager.AnimEffects.SkinChanging.Active = false;
  FreezeSkinnedForms(&manager);
  EXPECT_EQ(mine->Redraws, std::vector<WPARAM>{0});
  EXPECT_TRUE(others->Redraws.empty());
  EXPECT_TRUE(hidden->Redraws.empty());
  EXPECT_FALSE(AnimationRunning) << "the manager does not animate a change of skin";

  ThawSkinnedForms(&manager, false);
  EXPECT_EQ(mine->Redraws, (std::vector<WPARAM>{0, 1}));
  EXPECT_EQ(mine->Provider->Rebuilds, 0) << "without repaint only the redraw switch";
  ThawSkinnedForms(&manager, true);
  EXPECT_EQ(mine->Redraws, (std::vector<WPARAM>{0, 1, 1}));
  EXPECT_EQ(mine->Provider->Rebuilds, 1);
  EXPECT_TRUE(others->Redraws.empty());
  EXPECT_EQ(others->Provider->Rebuilds, 0);
}

TEST_F(SkinnedFormsTest, NothingFreezesOrThawsWhileTheApplicationIsMinimized) {
  TProvidedForm* form = ShownForm(&manager);
  Application().Minimize();
  FreezeSkinnedForms(&manager);
  ThawSkinnedForms(&manager, true);
  Application().Restore();
  EXPECT_TRUE(form->Redraws.empty());
  EXPECT_EQ(form->Provider->Rebuilds, 0);
}

TEST(SkinnedFormsAnimation, ADefaultManagerThatAnimatesFadesEachFormInOnThaw) {
  TTestSkinManager manager;
  manager.AnimEffects.SkinChanging.Time = 8;
  TProvidedForm form(nullptr, &manager);
  form.Show();
  ProcessEverything();
  AddSkinnedForm(&form);
  TFakeClock clock;
  SetClock(&clock);
  FreezeSkinnedForms(&manager);
  EXPECT_TRUE(AnimationRunning);
  const uint64_t frozenAt = clock.Milliseconds();
  ThawSkinnedForms(&manager, true);
  SetClock(nullptr);
  EXPECT_EQ(clock.Milliseconds() - frozenAt, 8U) << "one fade-in of 8 ms";
  EXPECT_FALSE(AnimationRunning);
  EXPECT_EQ(form.Provider->Rebuilds, 2) << "once for the fade-in's overlay, once after it";
  FreeApplicationIcons();
}

TEST_F(SkinnedFormsTest, BroadcastsReachEveryFormOnce) {
  auto* plain = new TProvidedForm(&Application());
  forms.push_back(plain);
  auto* child = new TSkinPanel(plain);
  child->SetParent(plain);
  const TSeen childSeen = Record(*child);
  auto* provided = new TProvidedForm(&Application(), &manager);
  forms.push_back(provided);
  AddSkinnedForm(provided);
  TProvidedForm* dialog = ShownForm(nullptr, false);
  TProvidedForm* hiddenDialog = ShownForm(nullptr, false);
  hiddenDialog->Hide();
  TSkProvider dialogProvider(nullptr), hiddenProvider(nullptr);
  dialogProvider.DialogWnd = dialog->Handle();
  hiddenProvider.DialogWnd = hiddenDialog->Handle();
  DialogProviders = {&dialogProvider, nullptr, &hiddenProvider};
  plain->Show();
  provided->Show();
  ProcessEverything();

  BroadcastToForms({SM_SKINCMD, SkinCommand(scInvalidateCache), 0, 0});
  DialogProviders.clear();
  EXPECT_EQ(plain->Heard, 1);
  EXPECT_TRUE(HasSkinCommand(childSeen, scInvalidateCache, 0)) << "and the form's controls";
  EXPECT_EQ(provided->Heard, 1) << "a form with a provider only through the list";
  EXPECT_EQ(dialog->Heard, 1) << "a visible window of the dialog skinning";
  EXPECT_EQ(hiddenDialog->Heard, 0);
}

TEST_F(SkinnedFormsTest, TheProgramsIconsComeFromTheDesktop) {
  TRecordedFileIcons desktop;
  LoadApplicationIcons();
  ASSERT_NE(AppSmallIcon(), nullptr);
  ASSERT_NE(AppLargeIcon(), nullptr);
  EXPECT_EQ(AppSmallIcon()->Width(), 16);
  EXPECT_EQ(AppLargeIcon()->Width(), 32);
  EXPECT_EQ(desktop.Requests.front().FileName, ProgramFileName());
  AddSkinnedForm(&manager);
  FreeApplicationIcons();
  EXPECT_EQ(AppSmallIcon(), nullptr);
  EXPECT_TRUE(SkinnedForms().empty());
}

}  // namespace
