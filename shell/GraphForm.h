#pragma once
// The 2D graph window " 2D Graph" around the 2D renderer: the plotting
// routines' 2D plots, and what the user does with them (GraphWindow.h).

#include "shell/GraphWindow.h"

class TXGraph;

class TGraphForm : public TGraphWindow<TXGraph> {
public:
  static constexpr int MinWidth = 200;
  static constexpr int MinHeight = 150;

  // Toggle: the main window's action that shows and hides the window.
  TGraphForm(TComponent* owner, TAction* toggle);
  ~TGraphForm() override;
};

// Nil until the start-up makes the window.
extern TGraphForm* GraphForm;
