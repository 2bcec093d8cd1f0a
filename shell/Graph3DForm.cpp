#include "shell/Graph3DForm.h"

#include "graphics/XGraph3D.h"
#include "shell/ActionBars.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/WinControl.h"

TGraph3DForm* Graph3DForm = nullptr;

namespace {

const TGraphWindowDesign Design{"GRAPH3DFORM",
                                " 3D Graph",
                                Bounds(192, 114, 544, 364),
                                TGraph3DForm::MinWidth,
                                TGraph3DForm::MinHeight,
                                "a1_02_08.htm",
                                pwGraph3D,
                                " 3D graph settings ",
                                " Copy graph to the clipboard ",
                                " Save graph to a file ",
                                " Clear the graph "};

}  // namespace

TGraph3DForm::TGraph3DForm(TComponent* owner, TAction* toggle) : TGraphWindow<TXGraph3D>(owner, Design, toggle) {
  actReset = MakeAction(this, ActionList, {"&Reset", " Reset graph orientation ", "", giReset});
  actReset->OnExecute = [this](TObject*) { actResetExecute(); };
  EnableWithData(actReset);
  EnableWithData(actSettings);
  AddToolButtons(*ToolBar, {actSettings, nullptr, actCopy, actSave, nullptr, actReset, nullptr, actClear, nullptr});
  AddMenuItems(PopupMenu->Items(), {actSettings, nullptr, actReset, actCopy, actSave});
  PaintBox->SetCursor(crHandPoint);
  PaintBox->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
    PaintBoxMouseDown(button, x, y);
  };
  PaintBox->OnMouseMove = [this](TObject*, TShiftState, int x, int y) { PaintBoxMouseMove(x, y); };
  PaintBox->OnMouseUp = [this](TObject*, TMouseButton button, TShiftState, int, int) { PaintBoxMouseUp(button); };
  // The paint box has no window: its capture is the panel's.
  panelProc_ = ScrPanel->WindowProc;
  ScrPanel->WindowProc = [this](TMessage& message) {
    if (message.Msg == WM_CAPTURECHANGED && Graph->Rotating && CaptureControl() == PaintBox) EndDrag();
    panelProc_(message);
  };
}

TGraph3DForm::~TGraph3DForm() {
  ScrPanel->WindowProc = panelProc_;
  if (Graph3DForm == this) Graph3DForm = nullptr;
}

void TGraph3DForm::PaintBoxMouseDown(TMouseButton button, int x, int y) {
  if (button != mbLeft) return;
  LastPoint = {x, y};
  Graph->Rotating = true;
  PaintBox->Repaint();
}

void TGraph3DForm::PaintBoxMouseMove(int x, int y) {
  if (!Graph->Rotating) return;
  bool moved = false;
  if (x != LastPoint.X) {
    Graph->RotateAzimuth(x - LastPoint.X);
    LastPoint.X = x;
    moved = true;
  }
  if (y != LastPoint.Y) {
    Graph->RotateElevation(y - LastPoint.Y);
    LastPoint.Y = y;
    moved = true;
  }
  if (moved) PaintBox->Repaint();
}

void TGraph3DForm::PaintBoxMouseUp(TMouseButton button) {
  if (button == mbLeft) EndDrag();
}

void TGraph3DForm::EndDrag() {
  Graph->Rotating = false;
  PaintBox->Repaint();
}

void TGraph3DForm::actResetExecute() {
  Graph->ResetView();
  PaintBox->Refresh();
}
