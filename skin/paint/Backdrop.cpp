#include "skin/paint/Backdrop.h"

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiObject.h"

namespace {

// An unanswered query becomes a plain colour, painted at once when asked.
bool SettleUnanswered(TBackdropQuery& query, LRESULT colorAnswer, TColor fallback) {
  if (query.Kind != bkNone) return true;
  query.Kind = bkColor;
  query.Color = colorAnswer != 0 ? TColor(colorAnswer) : ColorToRGB(fallback);
  if (query.DrawNow && query.Bmp) FillDeviceRect(query.DC, query.Rect, query.Color);
  return false;
}

}  // namespace

bool AskBackdrop(TBackdropQuery& query, TControl* control, bool drawNow) {
  query.Kind = bkNone;
  query.DrawNow = drawNow;
  const LPARAM record = reinterpret_cast<LPARAM>(&query);
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed && windowed->HandleAllocated())
    SendSkinCommand(windowed->Handle(), scGetBackdrop, record);
  else
    control->Perform(SM_SKINCMD, SkinCommand(scGetBackdrop), record);
  if (query.Kind != bkNone) return true;
  return SettleUnanswered(query, control->Perform(SM_SKINCMD, SkinCommand(scGetColor), 0), control->Color());
}

bool AskWindowBackdrop(TBackdropQuery& query, HWND window, bool drawNow) {
  query.Kind = bkNone;
  query.DrawNow = drawNow;
  SendSkinCommand(window, scGetBackdrop, reinterpret_cast<LPARAM>(&query));
  if (query.Kind != bkNone) return true;
  return SettleUnanswered(query, SendSkinCommand(window, scGetColor, 0), clBtnFace);
}

void FillDeviceRect(HDC dc, const TRect& rect, TColor color) {
  const int saved = SaveDC(dc);
  const HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  SelectObject(dc, brush);
  FillRect(dc, rect, brush);
  RestoreDC(dc, saved);
  DeleteObject(brush);
}
