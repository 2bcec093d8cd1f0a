#include "toolkit/controls/SpeedButton.h"

#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Frame3D.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/Edges.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  ControlStyle = csCaptureMouse | csDoubleClicks;
  SetBounds(0, 0, 23, 22);
  SetColor(clBtnFace);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetGlyph(const TBitmap& glyph) {
  glyph_ = std::make_unique<TImageList>(glyph.Width(), glyph.Height());
  glyph_->AddMasked(glyph, clDefault);
  Invalidate();
}

void TSpeedButton::CopyImage(const TImageList& images, int index) {
  if (index < 0 || index >= images.Count()) return;
  TBitmap image;
  images.GetBitmap(index, image);
  glyph_ = std::make_unique<TImageList>(images.Width(), images.Height());
  glyph_->Add(image, nullptr);
  Invalidate();
}

bool TSpeedButton::HasGlyph() const { return glyph_ && glyph_->Count() > 0; }

void TSpeedButton::SetLayout(TButtonLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
  if (spacing == spacing_) return;
  spacing_ = spacing;
  Invalidate();
}

void TSpeedButton::SetFlat(bool flat) {
  if (flat == flat_) return;
  flat_ = flat;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int index) {
  if (index == groupIndex_) return;
  groupIndex_ = index;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool allow) {
  if (allow == allowAllUp_) return;
  allowAllUp_ = allow;
  UpdateExclusive();
}

// Only grouped buttons stay down; the last one down of a group stays unless AllowAllUp.
void TSpeedButton::SetDown(bool down) {
  if (groupIndex_ == 0) down = false;
  if (down == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = down;
  if (down)
    state_ = bsExclusive;
  else if (state_ == bsExclusive)
    state_ = bsUp;
  Invalidate();
  if (down) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (TControl* sibling = Parent()->Controls(i); sibling != this)
      sibling->Perform(CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this));
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::ActionChange(const TAction& action) {
  TGraphicControl::ActionChange(action);
  const TActionList* list = action.ActionList();
  if (list && list->Images && action.ImageIndex() >= 0 && action.ImageIndex() < list->Images->Count())
    CopyImage(*list->Images, action.ImageIndex());
  if (groupIndex_ != 0) SetDown(action.Checked());
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  if (!down_) {
    state_ = bsDown;
    Invalidate();
  }
  dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  const TButtonState inside = down_ ? bsExclusive : bsDown;
  const TButtonState outside = down_ ? bsExclusive : bsUp;
  const TButtonState state = PtInRect(ClientRect(), {x, y}) ? inside : outside;
  if (state == state_) return;
  state_ = state;
  Invalidate();
}

// A release over the button clicks it; a grouped button toggles first.
void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (!dragging_ || button != mbLeft) return;
  dragging_ = false;
  const bool clicked = PtInRect(ClientRect(), {x, y});
  if (groupIndex_ == 0) {
    state_ = bsUp;
    Invalidate();
  } else if (clicked) {
    SetDown(!down_);
    state_ = down_ ? bsExclusive : bsUp;
    Invalidate();
  } else {
    state_ = down_ ? bsExclusive : bsUp;
    Invalidate();
  }
  if (clicked) Click();
}

void TSpeedButton::Paint() {
  if (!Enabled()) {
    state_ = bsDisabled;
    dragging_ = false;
  } else if (state_ == bsDisabled) {
    state_ = down_ ? bsExclusive : bsUp;
  }
  TRect rect = ClientRect();
  PaintFace(rect);
  PaintContent(rect, state_ == bsDown || state_ == bsExclusive);
}

// A flat button lies on its parent's colour.
void TSpeedButton::PaintFace(TRect& rect) {
  TCanvas& canvas = Canvas();
  const bool pushed = state_ == bsDown || state_ == bsExclusive;
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(flat_ && Parent() ? Parent()->Color() : Color());
  canvas.FillRect(rect);
  const HDC dc = canvas.Handle();
  if (!flat_)
    DrawEdge(dc, rect, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  else if (pushed)
    DrawEdge(dc, rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  else if (mouseInControl_ && state_ != bsDisabled)
    DrawEdge(dc, rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  if (state_ == bsExclusive && (!flat_ || !mouseInControl_)) FillCheckedPattern(canvas, rect);
}

// Glyph and caption side by side (or stacked), centred as one block; a
// pushed button moves them one pixel down and right.
void TSpeedButton::PaintContent(const TRect& rect, bool pushed) {
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(bsClear);
  TRect text{0, 0, 0, 0};
  if (!Caption().empty()) canvas.TextRect(text, Caption(), DT_SINGLELINE | DT_CALCRECT);
  const TSize glyph = HasGlyph() ? TSize{glyph_->Width(), glyph_->Height()} : TSize{0, 0};
  const bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
  const int gap = HasGlyph() && !Caption().empty() ? (spacing_ < 0 ? 4 : spacing_) : 0;
  const int blockWidth = horizontal ? glyph.cx + gap + text.Width() : std::max<int>(glyph.cx, text.Width());
  const int blockHeight = horizontal ? std::max<int>(glyph.cy, text.Height()) : glyph.cy + gap + text.Height();
  int left = rect.Left + (rect.Width() - blockWidth + 1) / 2 + (pushed ? 1 : 0);
  int top = rect.Top + (rect.Height() - blockHeight + 1) / 2 + (pushed ? 1 : 0);
  TPoint glyphAt{left, top + (blockHeight - glyph.cy) / 2};
  TPoint textAt{left + glyph.cx + gap, top + (blockHeight - text.Height()) / 2};
  switch (layout_) {
    case blGlyphLeft: break;
    case blGlyphRight:
      textAt.X = left;
      glyphAt.X = left + text.Width() + gap;
      break;
    case blGlyphTop:
      glyphAt = {left + (blockWidth - glyph.cx) / 2, top};
      textAt = {left + (blockWidth - text.Width()) / 2, top + glyph.cy + gap};
      break;
    case blGlyphBottom:
      textAt = {left + (blockWidth - text.Width()) / 2, top};
      glyphAt = {left + (blockWidth - glyph.cx) / 2, top + text.Height() + gap};
      break;
  }
  const bool enabled = state_ != bsDisabled;
  if (HasGlyph()) glyph_->Draw(canvas, glyphAt.X, glyphAt.Y, 0, enabled);
  if (Caption().empty()) return;
  TRect place = Bounds(textAt.X, textAt.Y, text.Width(), text.Height());
  if (!enabled) {
    // Engraved: a highlight copy one pixel down and right under the shadow.
    TRect lit = place;
    OffsetRect(lit, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.TextRect(lit, Caption(), DT_SINGLELINE);
    canvas.Font().SetColor(clBtnShadow);
  }
  canvas.TextRect(place, Caption(), DT_SINGLELINE);
}

void TSpeedButton::Dispatch(TMessage& message) {
  static const TMessageHandlers<TSpeedButton> handlers{
      {CM_BUTTONPRESSED, &TSpeedButton::CMButtonPressed},
      {CM_MOUSEENTER, &TSpeedButton::CMMouseEnter},
      {CM_MOUSELEAVE, &TSpeedButton::CMMouseLeave},
      {CM_ENABLEDCHANGED, &TSpeedButton::CMRepaint},
      {CM_TEXTCHANGED, &TSpeedButton::CMRepaint},
      {CM_FONTCHANGED, &TSpeedButton::CMRepaint},
  };
  if (!handlers.Dispatch(*this, message)) TGraphicControl::Dispatch(message);
}

// Another button of the group went down.
void TSpeedButton::CMButtonPressed(TMessage& message) {
  if (static_cast<int>(message.WParam) != groupIndex_ || !down_) return;
  down_ = false;
  state_ = bsUp;
  Invalidate();
}

void TSpeedButton::CMMouseEnter(TMessage& message) {
  TGraphicControl::Dispatch(message);
  mouseInControl_ = true;
  if (flat_ && Enabled()) Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage& message) {
  TGraphicControl::Dispatch(message);
  mouseInControl_ = false;
  if (flat_ && Enabled()) Invalidate();
}

void TSpeedButton::CMRepaint(TMessage& message) {
  TGraphicControl::Dispatch(message);
  Invalidate();
}
