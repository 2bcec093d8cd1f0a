#include "shell/ToolWindows.h"

#include "shell/EditorForm.h"
#include "shell/EvaluatorForm.h"
#include "shell/Graph3DForm.h"
#include "shell/GraphForm.h"
#include "shell/PlotterForm.h"
#include "shell/WorkForm.h"

TToolForm* ToolWindow(TToolWindowId id) {
  switch (id) {
    case twEditor: return EditorForm;
    case twGraph: return GraphForm;
    case twGraph3D: return Graph3DForm;
    case twPlotter: return PlotterForm;
    case twEvaluator: return EvaluatorForm;
    case twWork: return WorkForm;
  }
  return nullptr;
}
