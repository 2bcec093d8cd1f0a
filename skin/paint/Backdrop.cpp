#include "skin/paint/Backdrop.h"

#include <initializer_list>

#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
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

TBackdropRef QueryToBackdropRef(const TBackdropQuery& query) {
  if (query.Kind == bkImage) return MakeBackdropRef(query.Bmp, query.Offset.X, query.Offset.Y);
  TBackdropRef backdrop;
  backdrop.FillColor = ColorToRGB(query.Color);
  return backdrop;
}

namespace {

// Fills the rectangles with a brush of the colour, the DC's state kept.
void FillWithColor(HDC dc, std::initializer_list<TRect> rects, TColor color) {
  const int saved = SaveDC(dc);
  const HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  SelectObject(dc, brush);
  for (const TRect& rect : rects) FillRect(dc, rect, brush);
  RestoreDC(dc, saved);
  DeleteObject(brush);
}

}  // namespace

void FillDeviceRect(HDC dc, const TRect& rect, TColor color) { FillWithColor(dc, {rect}, color); }

void FillDeviceFrame(HDC dc, const TRect& rect, int wl, int wt, int wr, int wb, TColor color) {
  FillWithColor(dc,
                {Rect(rect.Left, rect.Top, rect.Right, rect.Top + wt), Rect(rect.Left, rect.Top + wt, rect.Left + wl, rect.Bottom),
                 Rect(rect.Left + wl, rect.Bottom - wb, rect.Right, rect.Bottom),
                 Rect(rect.Right - wr, rect.Top + wt, rect.Right, rect.Bottom - wb)},
                color);
}
