#include "toolkit/controls/Form.h"

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/gdi/Icon.h"
#include "toolkit/win/Clock.h"
#include "runtime/Exceptions.h"
#include "toolkit/win/MessageQueue.h"

namespace {

class FormTest : public ::testing::Test {
protected:
  FormTest() { SetClock(&clock); }
  ~FormTest() override { SetClock(nullptr); }

  TFakeClock clock;
};

TEST_F(FormTest, ShowModalRunsTheLoopUntilAResultIsSetAndDisablesOtherForms) {
  TForm owner(nullptr);
  owner.Show();
  TForm dialog(nullptr);
  bool ownerEnabledMeanwhile = true;
  TTimer timer(nullptr);
  timer.SetInterval(50);
  timer.SetOnTimer([&](TObject*) {
    ownerEnabledMeanwhile = owner.Enabled();
    dialog.SetModalResult(mrOk);
  });
  // The clock moves while the modal loop waits for messages.
  Application().OnIdle = [this](TObject*, bool& done) {
    clock.Advance(10);
    done = false;
  };
  TEdit edit(&owner);
  edit.SetParent(&owner);
  edit.SetFocus();
  ProcessEverything();
  ASSERT_TRUE(owner.Active());
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  Application().OnIdle = nullptr;
  EXPECT_FALSE(ownerEnabledMeanwhile);
  EXPECT_TRUE(owner.Enabled());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(owner.Active()) << "the window active before the dialog is active again";
  EXPECT_TRUE(edit.Focused()) << "with the focus where it was";
}

TEST_F(FormTest, CloseAsksFirstAndHidesUnlessToldOtherwise) {
  TForm form(nullptr);
  form.Show();
  bool allow = false;
  form.OnCloseQuery = [&allow](TObject*, bool& canClose) { canClose = allow; };
  form.Close();
  EXPECT_TRUE(form.Visible()) << "the query refused";
  allow = true;
  form.Close();
  EXPECT_FALSE(form.Visible());

  auto* freed = new TForm(nullptr);
  freed->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  freed->Show();
  const int forms = Screen().FormCount();
  SendMessage(freed->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(Screen().FormCount(), forms) << "the form lives until its release message is handled";
  ProcessEverything();
  EXPECT_EQ(Screen().FormCount(), forms - 1);
}

TEST_F(FormTest, TimerCallsItsEventWhileEnabled) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(100);
  timer.SetOnTimer([&ticks](TObject*) { ++ticks; });
  clock.Advance(100);
  ProcessEverything();
  EXPECT_EQ(ticks, 1);
  timer.SetEnabled(false);
  clock.Advance(500);
  ProcessEverything();
  EXPECT_EQ(ticks, 1);
}

TEST(FormIcon, FormAndApplicationStartEmptyAndKeepACopyOfTheIconGiven) {
  TForm form(nullptr);
  const auto keepsCopy = [](auto& owner, const char* name) {
    EXPECT_TRUE(owner.Icon().Empty()) << name;
    EXPECT_EQ(owner.Icon().Handle(), nullptr) << name;
    HICON given = nullptr;
    {
      TGdiBitmap image(2, 1, pf32bit);
      const std::uint32_t pixels[] = {0xFF0000FF, 0};
      image.StoreRow(0, 0, 2, pixels);
      TIcon icon(CreateIconFromImage(image));
      given = icon.Handle();
      owner.SetIcon(icon);
    }  // the given icon and its handle are gone
    EXPECT_NE(owner.Icon().Handle(), given) << name;
    EXPECT_EQ(owner.Icon().Width(), 2) << name;
    EXPECT_EQ(owner.Icon().Handle()->Image().Pixel(0, 0), clBlue) << name;
  };
  keepsCopy(form, "form");
  keepsCopy(Application(), "application");
}

TEST(Clipboard, FirstChangeOfAnOpeningReplacesTheContent) {
  TMemoryClipboardStore store;
  IClipboardStore* desktop = SetClipboardStore(&store);
  const UINT format = RegisterClipboardFormat("Data Tree Data");
  EXPECT_EQ(RegisterClipboardFormat("data tree data"), format) << "names ignore case";
  EXPECT_GE(format, 0xC000u);
  EXPECT_EQ(GetClipboardFormatName(format), "Data Tree Data");
  EXPECT_EQ(RegisterWindowMessage("DATA TREE DATA"), format) << "one table with the window messages";

  Clipboard().SetAsText("old");
  ASSERT_TRUE(Clipboard().Open());
  Clipboard().SetData(format, {1, 2, 3});
  Clipboard().SetAsText("new");
  Clipboard().Close();
  EXPECT_EQ(Clipboard().AsText(), "new");
  EXPECT_TRUE(Clipboard().HasFormat(format));
  EXPECT_EQ(Clipboard().Data(format), (std::vector<std::uint8_t>{1, 2, 3}));

  Clipboard().SetAsText("alone");
  EXPECT_FALSE(Clipboard().HasFormat(format)) << "a new content replaces every format";

  store.Busy = true;
  EXPECT_FALSE(Clipboard().Open());
  EXPECT_THROW(Clipboard().SetAsText("x"), EQuantrelError);
  SetClipboardStore(desktop);
}

}  // namespace
