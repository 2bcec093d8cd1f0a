#pragma once
// The toolkit's process-wide input state as the process started it: no
// focus, capture or active window, no control under the mouse or holding
// it, no key held down and no scroll bar operated with the mouse. Windows,
// installed services (message boxes, dialogs, sound) and the backend stay.
// Test programs call it before each test (with ResetRuntimeState), so that
// a test does not see what an earlier one left.
void ResetToolkitState();
