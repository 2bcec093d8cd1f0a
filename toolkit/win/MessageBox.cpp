#include "toolkit/win/MessageBox.h"

#include <cstdio>

namespace {

IMessageBoxes* Boxes = nullptr;

}  // namespace

void SetMessageBoxes(IMessageBoxes* boxes) { Boxes = boxes; }

IMessageBoxes* MessageBoxes() { return Boxes; }

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  if (Boxes) return Boxes->Show(owner, text, caption, type);
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  return 0;
}
