// A drag between two windows of one process on a real X server (run under
// xvfb-run with the xcb platform by CTest): DoDragDrop from the first
// window, the mouse moved onto the second and released there; the second
// is a registered target that answers copy. Exits with 0 when the drag
// ended as a drop with the copy effect and the target got the bytes.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/DragDrop.h"

namespace {

class TCopyTarget : public IDropTarget {
public:
  DWORD DragEnter(const TDataObject&, DWORD, TPoint, DWORD) override { return DROPEFFECT_COPY; }
  DWORD DragOver(DWORD, TPoint, DWORD) override { return DROPEFFECT_COPY; }
  void DragLeave() override {}
  DWORD Drop(const TDataObject& data, DWORD, TPoint, DWORD) override {
    const auto bytes = data.Data("Data Tree Data");
    Dropped.assign(bytes.begin(), bytes.end());
    return DROPEFFECT_COPY;
  }
  std::string Dropped;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  StartQtPlatform(argc, argv);
  TForm source(nullptr);
  TForm target(nullptr);
  source.SetBounds(20, 20, 200, 150);
  target.SetBounds(320, 20, 200, 150);
  source.Show();
  target.Show();
  for (int i = 0; i < 20; ++i) ProcessEverything();
  TCopyTarget copy;
  RegisterDragDrop(target.Handle(), &copy);
  TDataObject data;
  data.SetData("Data Tree Data", {'n', 'o', 'd', 'e'});
  SynthesizeMouse(source.Handle(), {50, 50}, TSyntheticMouse::Press, TInputButton::Left);
  for (int step = 1; step <= 6; ++step)
    RunLater(100 * step, [&, step] {
      TForm& over = step <= 2 ? source : target;
      SynthesizeMouse(over.Handle(), {40 + 10 * step, 60}, TSyntheticMouse::Move, TInputButton::Left);
    });
  RunLater(800, [&] { SynthesizeMouse(target.Handle(), {100, 60}, TSyntheticMouse::Release, TInputButton::Left); });
  DWORD effect = DROPEFFECT_NONE;
  const TDragResult result = DoDragDrop(data, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
  std::printf("result %s, effect %u, dropped \"%s\"\n", result == DRAGDROP_S_DROP ? "drop" : "cancel",
              static_cast<unsigned>(effect), copy.Dropped.c_str());
  RevokeDragDrop(target.Handle());
  return result == DRAGDROP_S_DROP && effect == DROPEFFECT_COPY && copy.Dropped == "node" ? 0 : 1;
}
