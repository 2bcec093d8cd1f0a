#include "shell/ToolForm.h"

#include <gtest/gtest.h>

#include "runtime/Params.h"
#include "tests/console/StoredSettings.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowBackend.h"

namespace {

const TRect Designed = Bounds(30, 40, 300, 200);

// A tool window on a settings file of its own, with the main window's toggle action.
class ToolFormTest : public StoredSettings {
protected:
  ToolFormTest() : action(new TAction(nullptr)) {}
  ~ToolFormTest() override {
    delete form;
    delete action;
  }

  TToolForm& Make() {
    delete form;
    form = new TToolForm(nullptr, "TESTFORM", action, Designed);
    return *form;
  }
  void Free() {
    delete form;
    form = nullptr;
  }

  TAction* action;
  TToolForm* form = nullptr;
};

TEST_F(ToolFormTest, GeometryAndReopenFlagSurviveTheNextRun) {
  EXPECT_EQ(Make().BoundsRect(), Designed) << "nothing stored yet";
  EXPECT_FALSE(form->ReopenFlag());
  Store("TESTFORM", "Stale", "1");
  form->SetBounds(50, 60, 320, 240);
  form->Show();
  Free();
  EXPECT_EQ(Stored("TESTFORM", "Stale"), "<none>") << "the section is erased first";
  EXPECT_EQ(Stored("TESTFORM", "Visible"), "1") << "freed while shown";
  EXPECT_EQ(Make().BoundsRect(), Bounds(50, 60, 320, 240));
  EXPECT_TRUE(form->ReopenFlag());
  EXPECT_FALSE(form->Visible()) << "reopening is the main window's business";
}

TEST_F(ToolFormTest, OwnKeysAreReadAtOnceAndWrittenOnceAfterTheBaseKeys) {
  Store("TESTFORM", "Depth", "7");
  Make();
  int depth = 0;
  form->KeepOwnKeys([&depth](TStorage& storage) { depth = static_cast<int>(storage.ReadInteger("Depth", 1)); },
                    [&depth](TStorage& storage) { storage.WriteInteger("Depth", depth + 1); });
  EXPECT_EQ(depth, 7);
  form->WriteSettings();
  depth = 100;
  Free();
  EXPECT_EQ(TIniFile(Storage->FileName()).ReadSection("TESTFORM"),
            (std::vector<std::string>{"Left", "Top", "Width", "Height", "Visible", "Depth"}));
  EXPECT_EQ(Stored("TESTFORM", "Depth"), "8");
}

TEST_F(ToolFormTest, AWindowOfFixedSizeKeepsItsPlaceButNoSize) {
  Store("TESTFORM", "Left", "70");
  Store("TESTFORM", "Width", "2000");
  Store("TESTFORM", "Height", "5");
  form = new TToolForm(nullptr, "TESTFORM", action, Designed, tsFixed);
  EXPECT_EQ(form->BoundsRect(), Bounds(70, Designed.Top, Designed.Width(), Designed.Height()))
      << "a hand-edited size does not stretch it";
  Free();
  EXPECT_EQ(TIniFile(Storage->FileName()).ReadSection("TESTFORM"),
            (std::vector<std::string>{"Left", "Top", "Visible"}));
}

TEST_F(ToolFormTest, AStoredPlaceOffEveryScreenOrASizeBelowAnyIsMadeUsable) {
  Store("TESTFORM", "Left", "-100000");
  Store("TESTFORM", "Top", "99999999999");
  Store("TESTFORM", "Width", "0");
  Store("TESTFORM", "Height", "-7");
  EXPECT_EQ(Make().BoundsRect(),
            Bounds(Designed.Left, Designed.Top, GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)));
}

TEST_F(ToolFormTest, ShowingChecksTheActionAndClosingHidesAndForgets) {
  Make().Show();
  EXPECT_TRUE(action->Checked());
  EXPECT_TRUE(form->ReopenFlag());
  DesktopCloseRequest(form->Handle());
  ProcessEverything();
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(action->Checked());
  EXPECT_FALSE(form->ReopenFlag());
  EXPECT_NE(GetWindowLongPtr(form->Handle(), GWL_STYLE), 0) << "the window stays";
  form->Show();
  form->Hide();
  EXPECT_FALSE(action->Checked());
  EXPECT_TRUE(form->ReopenFlag()) << "hiding by code, as at program end, keeps the flag";
}

TEST_F(ToolFormTest, ToggleTwiceRestoresEverything) {
  Make();
  form->Toggle();
  EXPECT_TRUE(form->Visible() && action->Checked() && form->ReopenFlag());
  form->Toggle();
  EXPECT_FALSE(form->Visible() || action->Checked() || form->ReopenFlag());
}

TEST_F(ToolFormTest, AFreedActionIsForgotten) {
  Make();
  delete action;
  action = nullptr;
  EXPECT_EQ(form->ToggleAction(), nullptr);
  form->Toggle();
  EXPECT_TRUE(form->Visible());
}

TEST_F(ToolFormTest, WinsInTaskDecidesBetweenATaskBarEntryAndTheMainWindowAsOwner) {
  TForm* main = Application().CreateForm<TForm>();
  main->Show();
  Params.WinsInTask = true;
  HWND window = Make().Handle();
  EXPECT_TRUE(GetWindowLongPtr(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  Params.WinsInTask = false;
  window = Make().Handle();
  EXPECT_FALSE(GetWindowLongPtr(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(window, GW_OWNER), main->Handle());
  Free();
  delete main;
}

}  // namespace
