#pragma once
// Each layer keeps some state for the whole process; its reset puts that
// state back as the process started it, so that engines, windows and tests
// made one after another in one process do not see what an earlier one
// left behind. This layer's: the program options (the text formats of
// printed reals among them) to their defaults and the random generator to
// its first state. The engine's is ResetEngineState (engine/RunState.h),
// the toolkit's ResetToolkitState (toolkit/controls/ToolkitState.h).
void ResetRuntimeState();
