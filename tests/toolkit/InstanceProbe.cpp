// A program for the single-instance tests: InstanceProbe <key> <folder> [text].
// The first for the key writes "<folder>/claimed-<pid>" and then writes each
// text it receives to "<folder>/message-<n>" (n from 1) until it is killed.
// A later one hands over the text (none: an empty wake-up) and exits with
// 0 when it was delivered, 3 when no first process took it.

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/InstanceChannel.h"
#include "toolkit/qt/QtPlatform.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::string folder = argv[2];
  TInstanceChannel channel(argv[1]);
  // A later process hands over without a window system.
  if (!channel.Claim()) return channel.Send(argc > 3 ? argv[3] : "", 3000) ? 0 : 3;
  StartQtPlatform(argc, argv);
  channel.Listen();
  int received = 0;
  channel.OnMessage = [&](const std::string& text) {
    std::ofstream(folder + "/message-" + std::to_string(++received), std::ios::binary) << text;
  };
  std::ofstream(folder + "/claimed-" + std::to_string(getpid()));
  Application().Run();
  return 0;
}
