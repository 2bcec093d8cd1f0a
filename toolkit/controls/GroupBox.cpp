#include "toolkit/controls/GroupBox.h"

#include "toolkit/gdi/Bitmap.h"

namespace {

constexpr int CaptionIndent = 8;

}  // namespace

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csAcceptsControls | csOpaque;
  SetBounds(0, 0, 185, 105);
  SetParentColor(true);
}

int TGroupBox::CaptionHeight() {
  TBitmap measure(1, 1);
  measure.Canvas().Font().Assign(Font());
  return measure.Canvas().TextHeight("0");
}

void TGroupBox::AlignControls(TRect& rect) {
  rect.Top += CaptionHeight();
  InflateRect(rect, -2, -2);
  TCustomControl::AlignControls(rect);
}

void TGroupBox::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
  const int textHeight = canvas.TextHeight("0");
  // Etched: a shadow frame with a highlight frame one pixel inside and below it.
  const TRect frame{0, textHeight / 2, Width(), Height()};
  canvas.Brush().SetColor(clBtnHighlight);
  canvas.FrameRect({frame.Left + 1, frame.Top + 1, frame.Right, frame.Bottom});
  canvas.Brush().SetColor(clBtnShadow);
  canvas.FrameRect({frame.Left, frame.Top, frame.Right - 1, frame.Bottom - 1});
  if (Caption().empty()) return;
  TRect text{CaptionIndent, 0, 0, 0};
  canvas.TextRect(text, Caption(), DT_SINGLELINE | DT_CALCRECT);
  text.Right += 2;
  OffsetRect(text, -1, 0);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(text);
  canvas.Brush().SetStyle(bsClear);
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  OffsetRect(text, 1, 0);
  canvas.TextRect(text, Caption(), DT_SINGLELINE | DT_LEFT);
}

void TGroupBox::Dispatch(TMessage& message) {
  static const TMessageHandlers<TGroupBox> handlers{{CM_TEXTCHANGED, &TGroupBox::CMTextChanged}};
  if (!handlers.Dispatch(*this, message)) TCustomControl::Dispatch(message);
}

void TGroupBox::CMTextChanged(TMessage& message) {
  TCustomControl::Dispatch(message);
  Invalidate();
}
