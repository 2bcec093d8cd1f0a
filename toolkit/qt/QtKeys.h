#pragma once
// Keys between Qt and the window core: Qt key codes become virtual-key
// codes as on a US keyboard (punctuation by the key that types it), keys of
// the numeric keypad become the keypad's codes.

#include "toolkit/base/Handles.h"

// 0 for keys without a virtual-key code.
WORD VirtualKeyOfQtKey(int qtKey, bool keypad);
// The Qt key code that a virtual key reports (for synthesised input).
int QtKeyOfVirtualKey(WORD virtualKey);
