#pragma once
// What runs after the matrix editor has mirrored its selection into the
// variable "selection" and told the engine's clients: the evaluator, while
// it shows a routine in automatic mode, calls it again. Empty while no
// window listens.

#include <functional>

extern std::function<void()> AfterSelectionSync;
