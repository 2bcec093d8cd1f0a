#pragma once
// Input made as Qt events and delivered by Qt to the window's top-level
// Qt window, as the desktop delivers a user's input: for tests and tools
// that drive windows from outside.

#include <functional>
#include <string>

#include "toolkit/win/DragDrop.h"
#include "toolkit/win/Input.h"

class QWindow;

enum class TSyntheticMouse { Move, Press, Release, DoubleClick };

// The Qt window that takes the window's input (its top-level window's), and
// where a point of the window (window coordinates) lies in it: for driving
// windows with Qt's own test input (QTest's QWindow overloads).
QWindow* InputQtWindow(HWND window);
TPoint InputQtWindowPoint(HWND window, TPoint point);

// Point: in the window's coordinates (its top-left corner is (0, 0)).
void SynthesizeMouse(HWND window, TPoint point, TSyntheticMouse action, TInputButton button, TInputModifiers modifiers = {});
// At a point of the screen, to whatever Qt shows there (a combo box's open list).
void SynthesizeMouseAtScreen(TPoint screenPoint, TSyntheticMouse action, TInputButton button = TInputButton::Left);
// A press and a release.
void SynthesizeClick(HWND window, TPoint point, TInputButton button = TInputButton::Left);
// Delta: multiples of 120 per notch, positive away from the user.
void SynthesizeWheel(HWND window, TPoint point, int delta, TInputModifiers modifiers = {});
// Text: what the key types (UTF-8).
void SynthesizeKey(HWND window, WORD virtualKey, const std::string& text, bool press, TInputModifiers modifiers = {});
void SynthesizeKeyStroke(HWND window, WORD virtualKey, const std::string& text, TInputModifiers modifiers = {});
// Keystrokes typing the text character by character (ASCII letters, digits, blanks and punctuation that types itself).
void SynthesizeTyping(HWND window, const std::string& text);

enum class TSyntheticDrag { Enter, Move, Leave, Drop };

// A drag event of another program's drag carrying the data, delivered to the
// window's top-level Qt window at the point (window coordinates). Answers
// the effect the window accepted (DROPEFFECT_NONE when it refused).
DWORD SynthesizeDrag(HWND window, TPoint point, TSyntheticDrag action, const TDataObject& data, DWORD allowedEffects,
                     TInputModifiers modifiers = {});

// Runs the action from the desktop's event loop after the delay, also while
// a loop of the desktop's own runs (a drag, a native dialog).
void RunLater(int milliseconds, std::function<void()> action);
