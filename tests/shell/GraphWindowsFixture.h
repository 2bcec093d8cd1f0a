#pragma once
// The 2D and 3D graph windows on the real main window and engine
// (MainFormFixture.h), made by the start-up's own creation steps between
// the main window and its first activation, as a start of the program
// makes them. What a window shows is read from its panel's surface.

#include <string>
#include <vector>

#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "shell/CreationTable.h"
#include "shell/Graph3DForm.h"
#include "shell/GraphForm.h"
#include "tests/shell/MainFormFixture.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

class GraphWindowsTest : public MainFormTest {
protected:
  ~GraphWindowsTest() override { FreeGraphs(); }

  // A start of the program: the main window, the graph windows, the first activation.
  void StartGraphs() {
    Make();
    for (const TStartWindow& window : GraphSteps()) window.Create();
    ShowMade();
  }
  // Freed in the reverse order of making, before the main window.
  void FreeGraphs() {
    const std::vector<TStartWindow> steps = GraphSteps();
    for (auto window = steps.rbegin(); window != steps.rend(); ++window) window->Destroy();
  }
  // The end of the program and the next start, on the same settings.
  void RestartGraphs() {
    FreeGraphs();
    Free();
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    StartGraphs();
  }

  // The main window's key, as the user presses it there.
  void PressInMain(WORD key, TInputModifiers modifiers = {}) {
    form->CommandLine->SetFocus();
    ProcessEverything();
    Press(key, modifiers);
  }
  // The window's key, once the user has clicked into it.
  static void PressIn(TForm& window, WORD key, TInputModifiers modifiers = {}) {
    window.SetFocus();
    ProcessEverything();
    SynthesizeKeyStroke(window.Handle(), key, "", modifiers);
    ProcessEverything();
  }
  static void Idle() {
    ProcessEverything();
    Application().DoIdle();
  }

  // The pixels of the paint box's visible part (the panel's client area)
  // that differ from the renderer's PaintTo into a bitmap of the paint
  // box's size, on the paint box's background.
  template <class TWindow>
  static int PixelsUnlikePaintTo(TWindow& window) {
    const CountedPtr<TGdiBitmap> shown = WindowSurface(window.ScrPanel->Handle());
    TRect panel;
    GetWindowRect(window.ScrPanel->Handle(), panel);
    const TPoint origin = window.PaintBox->ClientOrigin();
    TBitmap expected(window.PaintBox->Width(), window.PaintBox->Height(), pf32bit);
    expected.Canvas().Brush().SetColor(window.PaintBox->Color());
    window.Graph->PaintTo(expected.Canvas(), window.PaintBox->ClientRect());
    int differing = 0;
    for (int y = 0; y < window.ScrPanel->ClientHeight(); ++y)
      for (int x = 0; x < window.ScrPanel->ClientWidth(); ++x)
        if (shown->Pixel(origin.X - panel.Left + x, origin.Y - panel.Top + y) != expected.Handle()->Pixel(x, y))
          ++differing;
    return differing;
  }
  // The panel's client area as shown.
  template <class TWindow>
  static std::vector<TColor> ShownPixels(TWindow& window) {
    const CountedPtr<TGdiBitmap> shown = WindowSurface(window.ScrPanel->Handle());
    std::vector<TColor> pixels;
    for (int y = 0; y < shown->Height(); ++y)
      for (int x = 0; x < shown->Width(); ++x) pixels.push_back(shown->Pixel(x, y));
    return pixels;
  }

private:
  static std::vector<TStartWindow> GraphSteps() {
    std::vector<TStartWindow> windows;
    for (const TCreationStep& step : CreationTable())
      if (step.Message == "Creating 3D graphs" || step.Message == "Creating 2D graphs" ||
          step.Message == "Creating graphs settings")
        windows.insert(windows.end(), step.Windows.begin(), step.Windows.end());
    return windows;
  }
};
