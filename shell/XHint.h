#pragma once
// The hint window of the program when tool windows have their own task-bar
// entries: a cream gradient darkening downwards, kept wholly on the
// desktop, fading or sliding in unless hints follow each other closely.

#include "toolkit/controls/HintWindow.h"

class TXHint : public THintWindow {
public:
  // The gradient's top colour; the bottom is the same at 80 % lightness.
  static constexpr TColor Cream = 0xF0FBFF;

  explicit TXHint(TComponent* owner);

  // Rect: screen coordinates; the window is 4 pixels taller than Rect.
  void ActivateHint(TRect rect, const std::string& hint) override;

protected:
  void Paint() override;

private:
  // The AnimateWindow flags for this activation; 0: none.
  DWORD AnimationFor(const TRect& rect, const std::string& hint) const;
};
