// main-window-shot: the main window in this process, on settings of its
// own, with lines typed through the desktop's key events. With --screenshot
// FILE it saves the full view after "1+2", "v := {1, 2, 3}" and a faulty
// line as FILE, and the compact view while "2*3" is typed as FILE's name
// followed by "-compact.png"; without, it stays open for a look.

#include <cstring>
#include <memory>
#include <string>

#include "console/Sounds.h"
#include "console/XEdit.h"
#include "runtime/Storage.h"
#include "shell/Images.h"
#include "shell/MainForm.h"
#include "toolkit/controls/Application.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "tools/DemoRun.h"

namespace {

void TypeLine(TMainForm& form, const std::string& line, bool enter) {
  SynthesizeTyping(form.Handle(), line);
  if (enter) SynthesizeKeyStroke(form.Handle(), VK_RETURN, "\r");
  SettleFor(200);
}

std::string CompactPictureName(const std::string& fileName) {
  const size_t dot = fileName.rfind(".png");
  return fileName.substr(0, dot) + "-compact.png";
}

bool SaveBothViews(TMainForm& form, const std::string& fileName) {
  for (const char* line : {"1+2", "v := {1, 2, 3}", "Sqrt(2"}) TypeLine(form, line, true);
  SettleFor(500);
  const bool full = SaveScreenshot(form.Handle(), fileName);
  form.SetCompact(true);
  SettleFor(300);
  TypeLine(form, "2*3", false);
  SettleFor(500);
  const bool compact = SaveScreenshot(form.Handle(), CompactPictureName(fileName));
  return full && compact;
}

const char* ScreenshotFile(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--screenshot") == 0) return argv[i + 1];
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const TFreshSettingsFolder settings;
  Storage = std::make_unique<TStorage>("main-window-shot.ini", 0);
  StartQtPlatform(argc, argv);
  Application().SetTitle("Quantrel");
  auto images = std::make_unique<TImages>(nullptr);
  auto* form = Application().CreateForm<TMainForm>();
  int result = 0;
  if (const char* fileName = ScreenshotFile(argc, argv)) {
    form->Show();
    SettleFor(1000);
    form->CommandLine->SetFocus();
    result = SaveBothViews(*form, fileName) ? 0 : 1;
  } else {
    Application().Run();
  }
  // While Qt still runs: a focused text widget torn down at exit crashes in Qt.
  delete form;
  images.reset();
  AppSounds.reset();
  Storage.reset();
  return result;
}
