#include "shell/SelectionHook.h"

std::function<void()> AfterSelectionSync;
