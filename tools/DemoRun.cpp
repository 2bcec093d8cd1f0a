#include "tools/DemoRun.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/win/Clock.h"

TFreshSettingsFolder::TFreshSettingsFolder() {
  char folder[] = "/tmp/quantrel-demo-XXXXXX";
  if (!mkdtemp(folder)) return;
  path_ = folder;
  setenv("XDG_CONFIG_HOME", folder, 1);
  setenv("XDG_DATA_HOME", folder, 1);
}

TFreshSettingsFolder::~TFreshSettingsFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

void SettleFor(int milliseconds) {
  const uint64_t end = Clock().Milliseconds() + static_cast<uint64_t>(milliseconds);
  while (Clock().Milliseconds() < end) Application().ProcessMessages();
}

const char* ScreenshotArgument(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--screenshot") == 0) return argv[i + 1];
  return nullptr;
}

std::string PictureNameWith(const std::string& fileName, const std::string& suffix) {
  return fileName.substr(0, fileName.rfind(".png")) + suffix + ".png";
}

int RunDemo(int argc, char** argv, TForm* form) {
  if (const char* fileName = ScreenshotArgument(argc, argv)) {
    form->Show();
    SettleFor(1500);
    return SaveScreenshot(form->Handle(), fileName) ? 0 : 1;
  }
  Application().Run();
  return 0;
}
