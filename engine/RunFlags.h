#pragma once
// The run flags through which abort, break, continue and exit travel up a
// running tree, and the switch that keeps window messages out of code the
// engine runs from inside its own output and conversion paths.

extern bool AbortFlag;
extern bool NoUIFlag;
extern bool BreakFlag;
extern bool ContinueFlag;
extern bool ExitFlag;
