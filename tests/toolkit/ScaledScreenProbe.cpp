// A program for the scaled-screen test: shows a 200 x 100 form with a black
// 1-pixel line at y = 50 on a screen scaled by QT_SCALE_FACTOR, and prints
// "<form width>x<form height> <grab width>x<grab height> <black rows>",
// where black rows counts the device rows that the line covers.

#include <cstdio>
#include <cstdlib>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/Screenshot.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("QT_FONT_DPI", "96", 1);
  StartQtPlatform(argc, argv);
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 200, 100);
  form.SetColor(clWhite);
  form.OnPaint = [&](TObject*) {
    form.Canvas().Pen().SetColor(clBlack);
    form.Canvas().MoveTo(10, 50);
    form.Canvas().LineTo(190, 50);
  };
  form.Show();
  ProcessEverything();
  const TWindowPicture picture = GrabWindow(form.Handle());
  int blackRows = 0;
  for (int y = 0; y < picture.Height; ++y)
    if (picture.Width > 0 && picture.Pixels[static_cast<size_t>(y * picture.Width + picture.Width / 2)] == 0) ++blackRows;
  std::printf("%dx%d %dx%d %d\n", form.Width(), form.Height(), picture.Width, picture.Height, blackRows);
  return 0;
}
