#include "toolkit/controls/Panel.h"

#include "toolkit/controls/Frame3D.h"

namespace {

// Lowered bevels are shaded on top; raised and spaced ones lit.
void DrawBevel(TCanvas& canvas, TRect& rect, TPanelBevel bevel, int width) {
  if (bevel == bvNone) return;
  const bool lowered = bevel == bvLowered;
  Frame3D(canvas, rect, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow, width);
}

}  // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csAcceptsControls | csOpaque;
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TPanel::SetBevelOuter(TPanelBevel bevel) {
  if (bevel == bevelOuter_) return;
  bevelOuter_ = bevel;
  FrameChanged();
}

void TPanel::SetBevelInner(TPanelBevel bevel) {
  if (bevel == bevelInner_) return;
  bevelInner_ = bevel;
  FrameChanged();
}

void TPanel::SetBevelWidth(int width) {
  if (width == bevelWidth_) return;
  bevelWidth_ = width;
  FrameChanged();
}

void TPanel::SetBorderWidth(int width) {
  if (width == borderWidth_) return;
  borderWidth_ = width;
  FrameChanged();
}

void TPanel::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

void TPanel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

int TPanel::FrameWidth() const {
  int width = borderWidth_;
  if (bevelOuter_ != bvNone) width += bevelWidth_;
  if (bevelInner_ != bvNone) width += bevelWidth_;
  return width;
}

void TPanel::FrameChanged() {
  Realign();
  Invalidate();
}

void TPanel::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TPanel::AlignControls(TRect& rect) {
  InflateRect(rect, -FrameWidth(), -FrameWidth());
  TCustomControl::AlignControls(rect);
}

void TPanel::Paint() {
  TCanvas& canvas = Canvas();
  TRect rect = ClientRect();
  DrawBevel(canvas, rect, bevelOuter_, bevelWidth_);
  Frame3D(canvas, rect, Color(), Color(), borderWidth_);
  DrawBevel(canvas, rect, bevelInner_, bevelWidth_);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(rect);
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().Assign(Font());
  // The caption's line is centred on the face by the height of "W".
  const int height = canvas.TextHeight("W");
  rect.Top = (rect.Top + rect.Bottom - height) / 2;
  rect.Bottom = rect.Top + height;
  static constexpr unsigned alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  canvas.TextRect(rect, Caption(), DT_EXPANDTABS | DT_VCENTER | alignments[alignment_]);
}

void TPanel::Dispatch(TMessage& message) {
  static const TMessageHandlers<TPanel> handlers{{CM_TEXTCHANGED, &TPanel::CMTextChanged}};
  if (!handlers.Dispatch(*this, message)) TCustomControl::Dispatch(message);
}

void TPanel::CMTextChanged(TMessage& message) {
  TCustomControl::Dispatch(message);
  Invalidate();
}
