// main-window-shot: the main window in this process, on settings of its
// own, with lines typed through the desktop's key events. With --screenshot
// FILE it saves the full view after "1+2", "v := {1, 2, 3}" and a faulty
// line as FILE, and the compact view while "2*3" is typed as FILE's name
// followed by "-compact.png"; without, it stays open for a look.

#include <string>

#include "console/XEdit.h"
#include "shell/MainForm.h"
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

}  // namespace

int main(int argc, char** argv) {
  TShellShot shot(argc, argv, "main-window-shot.ini");
  TMainForm& form = shot.Form();
  if (const char* fileName = ScreenshotArgument(argc, argv)) {
    form.Show();
    SettleFor(1000);
    form.CommandLine->SetFocus();
    return SaveBothViews(form, fileName) ? 0 : 1;
  }
  Application().Run();
  return 0;
}
