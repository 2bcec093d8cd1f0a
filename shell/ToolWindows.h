#pragma once
// The six tool windows the main window opens and closes, each nil until its
// window is made. Each one's unit replaces its line here with its own type.

#include <array>

class TToolForm;

extern TToolForm* EditorForm;
extern TToolForm* GraphForm;
extern TToolForm* Graph3DForm;
extern TToolForm* PlotterForm;
extern TToolForm* EvaluatorForm;

// The six in the order the main window reopens them: editor, 2D graph, 3D
// graph, plotter, evaluator, workspace; nil for a window not made.
std::array<TToolForm*, 6> ToolWindowsInOrder();
