#include "libraries/WorkStatus.h"

#include "engine/RunState.h"

namespace {

TStatusTextHandler StatusHandler;

}  // namespace

void SetWorkStatusHandler(TStatusTextHandler handler) { StatusHandler = std::move(handler); }

bool HasWorkStatusHandler() { return static_cast<bool>(StatusHandler); }

void SetWorkStatusText(const std::string& text) {
  ProcessMessages();
  if (StatusHandler) StatusHandler(text);
  ProcessMessages();
}
