#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

#include "toolkit/controls/Application.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/QtInput.h"

namespace {

// A signal handler may only write: the byte wakes the window thread.
int Pipe[2] = {-1, -1};

void Arrived(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(Pipe[1], &byte, 1);
}

void Listen() {
  if (Pipe[0] >= 0) return;
  if (pipe2(Pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(Pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [] {
    char bytes[16];
    while (read(Pipe[0], bytes, sizeof bytes) > 0) {
    }
    Guarded([] { Application().RequestEnd(); });
  });
}

}  // namespace

void HandleEndSignals(bool on) {
  if (on) Listen();
  if (Pipe[0] < 0) return;
  struct sigaction action {};
  action.sa_handler = on ? &Arrived : SIG_DFL;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
}
