#include "shell/XHint.h"

#include <algorithm>

#include "graphics/RGBColor.h"
#include "runtime/Utf8Cells.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/win/Clock.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"

namespace {

constexpr DWORD QuietMilliseconds = 250;
constexpr int LongHint = 100;
constexpr DWORD AnimationMilliseconds = 100;

// Right and bottom first, then left and top: a hint larger than the
// desktop keeps its top-left corner in view.
TRect KeptOnDesktop(TRect rect, const TRect& desktop) {
  const int width = rect.Width(), height = rect.Height();
  rect.Left = std::max(desktop.Left, std::min(rect.Left, desktop.Right - width));
  rect.Top = std::max(desktop.Top, std::min(rect.Top, desktop.Bottom - height));
  return Bounds(rect.Left, rect.Top, width, height);
}

bool SystemParameter(UINT action) {
  bool on = false;
  return SystemParametersInfo(action, 0, &on, 0) && on;
}

}  // namespace

TXHint::TXHint(TComponent* owner) : THintWindow(owner) {}

void TXHint::ActivateHint(TRect rect, const std::string& hint) {
  // The time and flag are settled whatever happens on the way.
  struct TActivation {
    TXHint& Hint;
    explicit TActivation(TXHint& hint) : Hint(hint) { Hint.Activating = true; }
    ~TActivation() {
      Hint.LastActive = GetTickCount();
      Hint.Activating = false;
    }
  } activation(*this);
  SetCaption(hint);
  rect.Bottom += 4;
  rect = KeptOnDesktop(rect, Screen().DesktopRect());
  SetWindowPos(Handle(), HWND_TOPMOST, rect.Left, rect.Top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
  if (const DWORD animation = AnimationFor(rect, hint)) AnimateWindow(Handle(), AnimationMilliseconds, animation);
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  Invalidate();
}

DWORD TXHint::AnimationFor(const TRect& rect, const std::string& hint) const {
  if (GetTickCount() - LastActive <= QuietMilliseconds || CellCount(hint) >= LongHint) return 0;
  if (!SystemParameter(SPI_GETTOOLTIPANIMATION)) return 0;
  if (SystemParameter(SPI_GETTOOLTIPFADE)) return AW_BLEND;
  TPoint cursor;
  GetCursorPos(cursor);
  return AW_SLIDE | (cursor.Y <= rect.Top ? AW_VER_POSITIVE : AW_VER_NEGATIVE);
}

void TXHint::Paint() {
  const TRect client = ClientRect();
  const TColor darker = AdjustColor(Cream, 0.8f, 1.0f);
  FillGradient(Canvas(), client, Cream, Cream, darker, darker);
  TRect text = client;
  text.Left += 2;
  text.Top += 2;
  Canvas().Font().Assign(Screen().HintFont());
  Canvas().Brush().SetStyle(bsClear);
  DrawText(Canvas().Handle(), Caption(), text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}
