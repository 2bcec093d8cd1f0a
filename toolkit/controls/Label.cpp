#include "toolkit/controls/Label.h"

#include "toolkit/controls/WinControl.h"
#include "toolkit/gdi/Bitmap.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  ControlStyle |= csOpaque | csReplicatable;
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Changed();
}

void TLabel::SetLayout(TTextLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  Changed();
}

void TLabel::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  Changed();
}

void TLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap == wordWrap_) return;
  wordWrap_ = wordWrap;
  Changed();
}

void TLabel::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  if (transparent)
    ControlStyle &= ~csOpaque;
  else
    ControlStyle |= csOpaque;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
  if (show == showAccelChar_) return;
  showAccelChar_ = show;
  Changed();
}

void TLabel::SetFocusControl(TWinControl* control) {
  if (focusControl_) RemoveFreeNotification(focusControl_);
  focusControl_ = control;
  if (control) FreeNotification(control);
}

void TLabel::Changed() {
  AdjustBounds();
  Invalidate();
}

unsigned TLabel::TextFormat() const {
  static constexpr unsigned alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  unsigned format = DT_EXPANDTABS | alignments[alignment_];
  if (wordWrap_) format |= DT_WORDBREAK;
  if (!showAccelChar_) format |= DT_NOPREFIX;
  return format;
}

// An empty caption still measures one line.
TRect TLabel::TextBounds(TCanvas& canvas, int width) {
  const std::string& text = Caption().empty() ? std::string(" ") : Caption();
  TRect bounds{0, 0, width, 0};
  canvas.Font().Assign(Font());
  canvas.TextRect(bounds, text, TextFormat() | DT_CALCRECT);
  return bounds;
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || IsLoading()) return;
  TBitmap measure(1, 1);
  const TRect text = TextBounds(measure.Canvas(), wordWrap_ ? Width() : 0);
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - text.Width();
  if (alignment_ == taCenter) left += (Width() - text.Width()) / 2;
  SetBounds(left, Top(), text.Width(), text.Height());
}

void TLabel::Paint() {
  TCanvas& canvas = Canvas();
  TRect area = ClientRect();
  if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(area);
  }
  canvas.Brush().SetStyle(bsClear);
  const TRect text = TextBounds(canvas, area.Width());
  if (layout_ == tlCenter) area.Top += (area.Height() - text.Height()) / 2;
  if (layout_ == tlBottom) area.Top = area.Bottom - text.Height();
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  canvas.TextRect(area, Caption(), TextFormat());
}

void TLabel::Dispatch(TMessage& message) {
  static const TMessageHandlers<TLabel> handlers{
      {CM_TEXTCHANGED, &TLabel::CMTextChanged},
      {CM_FONTCHANGED, &TLabel::CMTextChanged},
      {CM_DIALOGCHAR, &TLabel::CMDialogChar},
  };
  if (!handlers.Dispatch(*this, message)) TGraphicControl::Dispatch(message);
}

void TLabel::CMTextChanged(TMessage&) { Changed(); }

// The label takes no focus: its accelerator focuses FocusControl.
void TLabel::CMDialogChar(TMessage& message) {
  if (!focusControl_ || !Enabled() || !showAccelChar_ || !IsAccel(static_cast<char32_t>(message.WParam), Caption()))
    return;
  if (!focusControl_->CanFocus()) return;
  focusControl_->SetFocus();
  message.Result = 1;
}

void TLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}
