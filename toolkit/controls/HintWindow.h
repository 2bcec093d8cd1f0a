#pragma once
// Hint windows and what the application hands a control before it shows
// one. A hint window is a top-most pop-up that never takes the activation;
// it measures the hint (CalcHintRect), places and shows itself
// (ActivateHint) and paints the text on the hint colour (Paint). Programs
// derive their own and install them as the application's HintWindowClass.

#include <functional>
#include <memory>
#include <string>

#include "toolkit/controls/CustomControl.h"

class THintWindow;

// Makes the hint window of a class; HintWindowClassOf gives one per class,
// and two values make windows of the same class exactly when they come
// from the same HintWindowClassOf.
using THintWindowClass = std::function<THintWindow*(TComponent* owner)>;
template <class Window>
THintWindowClass HintWindowClassOf() {
  return [](TComponent* owner) -> THintWindow* { return new Window(owner); };
}

// CM_HINTSHOW's LParam: a control may change the text, the place, the
// rectangle the mouse may move in without a new hint, the timeouts and the
// window class; answering non-zero shows no hint. CM_HINTSHOWPAUSE's
// LParam points to the pause (milliseconds) before the hint shows, its
// WParam is non-zero while a hint was showing.
struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass;
  TPoint HintPos;  // screen
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;  // the control's client coordinates
  TPoint CursorPos;  // the control's client coordinates
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  std::string HintStr;
  void* HintData = nullptr;
};

class THintWindow : public TCustomControl {
public:
  explicit THintWindow(TComponent* owner);

  // Rect: screen coordinates; the window is kept on the desktop.
  virtual void ActivateHint(TRect rect, const std::string& hint);
  virtual void ActivateHintData(TRect rect, const std::string& hint, void* data);
  // The size of the hint, from (0, 0), wrapped at maxWidth.
  virtual TRect CalcHintRect(int maxWidth, const std::string& hint, void* data);
  // Hides the hint (its window goes).
  void ReleaseHandle();

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;

  bool Activating = false;
  // GetTickCount of the last activation.
  DWORD LastActive = 0;
};

// The part of a hint before "|" (the long part after it goes to status bars).
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);
