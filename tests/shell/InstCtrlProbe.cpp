// A program for the single-instance control's tests:
//   InstCtrlProbe <folder> <MaxInst, or "off"> [file]
// A copy that runs writes "<folder>/ran-<pid>" once it listens, then each
// handed-over text to "<folder>/message-<n>" (n from 1) until it is killed.
// A later start writes "<folder>/maxinst-<LastInst>" when told the limit
// was reached, and exits 0 once its file was handed over; when no running
// copy took it, it runs after all and writes "<folder>/warning-<pid>" with
// its warning first. Copies of this file in other folders are other programs.

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/SysInfo.h"
#include "shell/InstCtrl.h"
#include "toolkit/controls/Application.h"
#include "toolkit/qt/QtPlatform.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string folder = argv[1];
  const std::string maxInst = argv[2];
  TInstCtrl control(nullptr);
  control.Enabled = maxInst != "off";
  if (control.Enabled) control.MaxInst = static_cast<std::uint32_t>(std::stoul(maxInst));
  control.OnMaxInst = [&](TObject*, std::uint32_t lastInst) {
    std::ofstream(folder + "/maxinst-" + std::to_string(lastInst));
  };
  control.Check(ProgramFileName(), std::vector<std::string>(argv + 3, argv + argc));
  if (!FirstInstance) return 0;
  if (!control.Warning().empty()) std::ofstream(folder + "/warning-" + std::to_string(getpid())) << control.Warning();
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  StartQtPlatform(argc, argv);
  control.Listen();
  control.Deliver();
  int received = 0;
  Application().OnMessage = [&](MSG& message, bool& handled) {
    if (message.message != WM_INSTCTRL) return;
    const TInstCtrl::THandling handling(message);
    std::ofstream(folder + "/message-" + std::to_string(++received), std::ios::binary) << control.GetCmdLine();
    handled = true;
  };
  std::ofstream(folder + "/ran-" + std::to_string(getpid()));
  while (true) Application().HandleMessage();
}
