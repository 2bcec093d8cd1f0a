#pragma once
// The 2D graph window " 2D Graph" around the 2D renderer: the plotting
// routines' 2D plots, and what the user does with them (GraphWindow.h).
// Scripts reach it as "Graph2D" (Graph2DInt.h) while it lives.

#include <memory>

#include "runtime/CountedPtr.h"
#include "shell/GraphWindow.h"

class ITarnscript;
class TGraph2DInt;
class TXGraph;

class TGraphForm : public TGraphWindow<TXGraph> {
public:
  static constexpr int MinWidth = 200;
  static constexpr int MinHeight = 150;

  // Toggle: the main window's action that shows and hides the window.
  TGraphForm(TComponent* owner, TAction* toggle);
  ~TGraphForm() override;

  std::unique_ptr<TGraph2DInt> Host;

private:
  // The main window's, which publishes Host.
  CountedPtr<ITarnscript> engine_;
};

// Nil until the start-up makes the window.
extern TGraphForm* GraphForm;
