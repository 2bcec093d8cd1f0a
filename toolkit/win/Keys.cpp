#include "toolkit/win/Keys.h"

#include <array>

namespace {

std::array<bool, 256> Down{};
std::array<bool, 256> Toggled{};

bool Valid(int key) { return key >= 0 && key < 256; }

}  // namespace

short GetKeyState(int virtualKey) {
  if (!Valid(virtualKey)) return 0;
  return static_cast<short>((Down[virtualKey] ? 0x8000 : 0) | (Toggled[virtualKey] ? 1 : 0));
}

short GetAsyncKeyState(int virtualKey) { return GetKeyState(virtualKey); }

void SetKeyDown(int virtualKey, bool down) {
  if (!Valid(virtualKey)) return;
  if (down && !Down[virtualKey]) Toggled[virtualKey] = !Toggled[virtualKey];
  Down[virtualKey] = down;
}

void ResetKeyboardState() { Down.fill(false); }
