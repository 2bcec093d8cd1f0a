#pragma once
// The six tool windows the main window opens and closes, each nil until its
// window is made. Each one's unit replaces its line here with its own type
// and answers for it in ToolWindow.

class TToolForm;


enum TToolWindowId { twEditor, twGraph, twGraph3D, twPlotter, twEvaluator, twWork };
// The order the main window reopens them in.
inline constexpr TToolWindowId ToolWindowIds[] = {twEditor, twGraph, twGraph3D, twPlotter, twEvaluator, twWork};

// The window, or nil until it is made.
TToolForm* ToolWindow(TToolWindowId id);
