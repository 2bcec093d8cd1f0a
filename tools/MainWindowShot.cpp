// main-window-shot: the main window in this process, on settings of its
// own, with lines typed through the desktop's key events. With --screenshot
// FILE it saves the full view after "1+2", "v := {1, 2, 3}" and a faulty
// line as FILE, and the compact view while "2*3" is typed as FILE's name
// followed by "-compact.png"; without, it stays open for a look. With
// --skin the window shows through a skin manager on the test skin.

#include <cstring>
#include <memory>
#include <string>

#include "console/XEdit.h"
#include "shell/MainForm.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "tools/DemoRun.h"
#include "tools/ShellShot.h"

namespace {

void TypeLine(TMainForm& form, const std::string& line, bool enter) {
  SynthesizeTyping(form.Handle(), line);
  if (enter) SynthesizeKeyStroke(form.Handle(), VK_RETURN, "\r");
  SettleFor(200);
}

bool SaveBothViews(TMainForm& form, const std::string& fileName) {
  for (const char* line : {"1+2", "v := {1, 2, 3}", "Sqrt(2"}) TypeLine(form, line, true);
  SettleFor(500);
  const bool full = SaveScreenshot(form.Handle(), fileName);
  form.SetCompact(true);
  SettleFor(300);
  TypeLine(form, "2*3", false);
  SettleFor(500);
  const bool compact = SaveScreenshot(form.Handle(), PictureNameWith(fileName, "-compact"));
  return full && compact;
}

bool HasArgument(int argc, char** argv, const char* argument) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], argument) == 0) return true;
  return false;
}

// The test skin switched on for the main window; the window has no
// provider to fade it in after the change.
void PutOnTestSkin(TSkinManager& manager, const TTestSkinFolder& folder) {
  manager.AnimEffects.SkinChanging.Active = false;
  manager.SetSkinDirectory(folder.Path());
  manager.SetSkinName("TestSkin");
}

}  // namespace

int main(int argc, char** argv) {
  // Declared first, so that they go after the window whose controls ask them.
  std::unique_ptr<TTestSkinFolder> skinFolder;
  std::unique_ptr<TSkinManager> manager;
  TShellShot shot(argc, argv, "main-window-shot.ini");
  TMainForm& form = shot.Form();
  if (HasArgument(argc, argv, "--skin")) {
    skinFolder = std::make_unique<TTestSkinFolder>();
    manager = std::make_unique<TSkinManager>(nullptr);
    PutOnTestSkin(*manager, *skinFolder);
  }
  if (const char* fileName = ScreenshotArgument(argc, argv)) {
    form.Show();
    SettleFor(1000);
    form.CommandLine->SetFocus();
    return SaveBothViews(form, fileName) ? 0 : 1;
  }
  Application().Run();
  return 0;
}
