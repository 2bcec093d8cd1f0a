#pragma once
// The 3D graph window " 3D Graph" around the 3D renderer (GraphWindow.h).
// Dragging with the left button turns the view, one rotation step of the
// renderer per pixel: across the azimuth, up and down the elevation. The
// drag ends when the button comes up or the mouse capture is lost
// (another window takes the mouse, a box opens), so the view never stays
// in its bare dragging look. Reset turns it back to the default view.

#include "shell/GraphWindow.h"

class TXGraph3D;

class TGraph3DForm : public TGraphWindow<TXGraph3D> {
public:
  static constexpr int MinWidth = 320;
  static constexpr int MinHeight = 200;

  // Toggle: the main window's action that shows and hides the window.
  TGraph3DForm(TComponent* owner, TAction* toggle);
  ~TGraph3DForm() override;

  TAction* actReset;
  // The mouse at the last rotation step, in paint-box pixels.
  TPoint LastPoint{0, 0};

private:
  void PaintBoxMouseDown(TMouseButton button, int x, int y);
  void PaintBoxMouseMove(int x, int y);
  void PaintBoxMouseUp(TMouseButton button);
  void EndDrag();
  void actResetExecute();

  // The panel's own message handling, under the watch for a lost capture.
  TWndMethod panelProc_;
};

// Nil until the start-up makes the window.
extern TGraph3DForm* Graph3DForm;
