#include "shell/ToolWindows.h"

TToolForm* GraphForm = nullptr;
TToolForm* Graph3DForm = nullptr;
TToolForm* PlotterForm = nullptr;
TToolForm* EvaluatorForm = nullptr;
TToolForm* WorkForm = nullptr;
