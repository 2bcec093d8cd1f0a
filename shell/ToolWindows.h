#pragma once
// The six tool windows the main window opens and closes, each nil until its
// window is made. Each one's unit replaces its line here with its own type.

class TToolForm;

extern TToolForm* GraphForm;
extern TToolForm* Graph3DForm;
extern TToolForm* PlotterForm;
extern TToolForm* EvaluatorForm;
extern TToolForm* WorkForm;
