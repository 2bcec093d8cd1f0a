#include "shell/ToolWindows.h"

#include "shell/WorkForm.h"

TToolForm* EditorForm = nullptr;
TToolForm* GraphForm = nullptr;
TToolForm* Graph3DForm = nullptr;
TToolForm* PlotterForm = nullptr;
TToolForm* EvaluatorForm = nullptr;

std::array<TToolForm*, 6> ToolWindowsInOrder() {
  return {EditorForm, GraphForm, Graph3DForm, PlotterForm, EvaluatorForm, WorkForm};
}
