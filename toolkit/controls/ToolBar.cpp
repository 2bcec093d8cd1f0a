#include "toolkit/controls/ToolBar.h"

#include <algorithm>
#include <cstring>

#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Frame3D.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Edges.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/SysMetrics.h"

namespace {

// A button handler's flags travel back in the high bits of its custom-draw answer.
constexpr LRESULT TBCDRF_NOEDGES = 0x00010000;
constexpr LRESULT TBCDRF_HILITEHOTTRACK = 0x00020000;
constexpr LRESULT TBCDRF_NOOFFSET = 0x00040000;
constexpr LRESULT TBCDRF_NOMARK = 0x00080000;
constexpr LRESULT TBCDRF_NOETCHEDEFFECT = 0x00100000;

constexpr int SeparatorWidth = 8;
constexpr int CaptionPadding = 8;

struct TFlagAnswer {
  TTBCustomDrawFlags Flag;
  LRESULT Answer;
};
constexpr TFlagAnswer FlagAnswers[] = {
    {tbNoEdges, TBCDRF_NOEDGES},   {tbHiliteHotTrack, TBCDRF_HILITEHOTTRACK}, {tbNoOffset, TBCDRF_NOOFFSET},
    {tbNoMark, TBCDRF_NOMARK},     {tbNoEtchedEffect, TBCDRF_NOETCHEDEFFECT},
};

LRESULT AnswerOfFlags(TTBCustomDrawFlags flags) {
  LRESULT answer = 0;
  for (const TFlagAnswer& pair : FlagAnswers)
    if (flags & pair.Flag) answer |= pair.Answer;
  return answer;
}

TTBCustomDrawFlags FlagsOfAnswer(LRESULT answer) {
  TTBCustomDrawFlags flags = 0;
  for (const TFlagAnswer& pair : FlagAnswers)
    if (answer & pair.Answer) flags |= pair.Flag;
  return flags;
}

bool IsSeparator(const TToolButton& button) {
  return button.Style() == tbsSeparator || button.Style() == tbsDivider;
}

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK; }

}  // namespace

// ---------------------------------------------------------------- TToolButton

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
  ControlStyle = csCaptureMouse | csSetCaption;
  SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton() {
  if (toolBar_) toolBar_->RemoveButton(this);
}

void TToolButton::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (toolBar_) toolBar_->RemoveButton(this);
  TGraphicControl::SetParent(parent);
  if (auto* bar = dynamic_cast<TToolBar*>(parent)) bar->InsertButton(this);
}

int TToolButton::Index() const {
  if (!toolBar_) return -1;
  const auto& buttons = toolBar_->buttons_;
  return static_cast<int>(std::find(buttons.begin(), buttons.end(), this) - buttons.begin());
}

void TToolButton::SetStyle(TToolButtonStyle style) {
  if (style == style_) return;
  const bool wasSeparator = IsSeparator(*this);
  style_ = style;
  if (IsSeparator(*this) && !wasSeparator) SetWidth(SeparatorWidth);
  Rearrange();
}

void TToolButton::SetImageIndex(int index) {
  if (index == imageIndex_) return;
  imageIndex_ = index;
  Changed();
}

void TToolButton::SetDown(bool down) {
  if (down == down_) return;
  down_ = down;
  if (down && toolBar_) toolBar_->ReleaseGroup(*this);
  Changed();
}

void TToolButton::SetGrouped(bool grouped) { grouped_ = grouped; }

void TToolButton::SetAllowAllUp(bool allow) { allowAllUp_ = allow; }

void TToolButton::SetIndeterminate(bool indeterminate) {
  if (indeterminate == indeterminate_) return;
  indeterminate_ = indeterminate;
  Changed();
}

void TToolButton::SetMarked(bool marked) {
  if (marked == marked_) return;
  marked_ = marked;
  Changed();
}

void TToolButton::SetWrap(bool wrap) {
  if (wrap == wrap_) return;
  wrap_ = wrap;
  Rearrange();
}

void TToolButton::Click() { TGraphicControl::Click(); }

void TToolButton::ActionChange(const TAction& action) {
  TGraphicControl::ActionChange(action);
  SetImageIndex(action.ImageIndex());
  if (style_ == tbsCheck) SetDown(action.Checked());
}

void TToolButton::Changed() {
  if (toolBar_) toolBar_->RepaintButton(this);
}

void TToolButton::Rearrange() {
  if (!toolBar_) return;
  toolBar_->ArrangeButtons();
  toolBar_->RepaintButton(this);
}

void TToolButton::Dispatch(TMessage& message) {
  static const TMessageHandlers<TToolButton> handlers{
      {CM_TEXTCHANGED, &TToolButton::CMRearrange},
      {CM_VISIBLECHANGED, &TToolButton::CMRearrange},
      {CM_ENABLEDCHANGED, &TToolButton::CMChanged},
  };
  if (!handlers.Dispatch(*this, message)) TGraphicControl::Dispatch(message);
}

void TToolButton::CMChanged(TMessage& message) {
  TGraphicControl::Dispatch(message);
  Changed();
}

void TToolButton::CMRearrange(TMessage& message) {
  TGraphicControl::Dispatch(message);
  Rearrange();
}

// ---------------------------------------------------------------- TToolBar

TToolBar::TToolBar(TComponent* owner) : TToolWindow(owner) {
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
  SetColor(clBtnFace);
  for (TChangeLink* link : {&imageLink_, &hotImageLink_, &disabledImageLink_}) link->OnChange = [this] { Invalidate(); };
}

TToolBar::~TToolBar() {
  // The buttons go with the bar's other children; they must not call back.
  for (TToolButton* button : buttons_) button->toolBar_ = nullptr;
  buttons_.clear();
}

void TToolBar::SetFlat(bool flat) {
  if (flat == flat_) return;
  flat_ = flat;
  Invalidate();
}

void TToolBar::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  ArrangeButtons();
}

void TToolBar::SetShowCaptions(bool show) {
  if (show == showCaptions_) return;
  showCaptions_ = show;
  ArrangeButtons();
  Invalidate();
}

void TToolBar::SetList(bool list) {
  if (list == list_) return;
  list_ = list;
  ArrangeButtons();
  Invalidate();
}

void TToolBar::SetWrapable(bool wrapable) {
  if (wrapable == wrapable_) return;
  wrapable_ = wrapable;
  ArrangeButtons();
}

void TToolBar::SetButtonWidth(int width) {
  if (width == buttonWidth_) return;
  buttonWidth_ = width;
  ArrangeButtons();
  Invalidate();
}

void TToolBar::SetButtonHeight(int height) {
  if (height == buttonHeight_) return;
  buttonHeight_ = height;
  ArrangeButtons();
  Invalidate();
}

void TToolBar::LinkImages(TChangeLink& link, TImageList* images) {
  if (images == link.Sender()) return;
  link.Attach(images);
  ArrangeButtons();
  Invalidate();
}

void TToolBar::SetImages(TImageList* images) { LinkImages(imageLink_, images); }

void TToolBar::SetHotImages(TImageList* images) { LinkImages(hotImageLink_, images); }

void TToolBar::SetDisabledImages(TImageList* images) { LinkImages(disabledImageLink_, images); }

void TToolBar::InsertButton(TToolButton* button) {
  buttons_.push_back(button);
  button->toolBar_ = this;
  ArrangeButtons();
}

void TToolBar::RemoveButton(TToolButton* button) {
  const int index = button->Index();
  if (HandleAllocated() && GetParent(Handle())) {
    NMTOOLBAR record;
    record.hdr = {Handle(), 0, TBN_DELETINGBUTTON};
    record.iItem = index;
    SendMessage(GetParent(Handle()), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&record));
  }
  buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
  button->toolBar_ = nullptr;
  if (hot_ == button) hot_ = nullptr;
  if (pressed_ == button) pressed_ = nullptr;
  if (dropped_ == button) dropped_ = nullptr;
  if (!IsDestroying()) ArrangeButtons();
}

int TToolBar::DropDownWidth() { return GetSystemMetrics(SM_CXVSCROLL) - 2; }

int TToolBar::CaptionWidth(TToolButton& button) {
  if (!showCaptions_ || button.Caption().empty()) return 0;
  Canvas().Font().Assign(Font());
  return Canvas().TextWidth(button.Caption());
}

// Captions below the images give every button the width of the widest
// (widestCaption); captions beside them make each as wide as its own.
TSize TToolBar::ButtonSize(TToolButton& button, int widestCaption) {
  if (IsSeparator(button)) return {button.Width(), buttonHeight_};
  int width = buttonWidth_;
  if (showCaptions_ && list_) {
    const int imageWidth = Images() ? Images()->Width() + 6 : 1;
    width = std::max(width, imageWidth + CaptionWidth(button) + CaptionPadding);
  } else if (showCaptions_) {
    width = std::max(width, widestCaption + CaptionPadding);
  }
  if (button.Style() == tbsDropDown) width += DropDownWidth();
  return {width, buttonHeight_};
}

void TToolBar::ArrangeButtons() {
  if (arranging_ || IsDestroying()) return;
  arranging_ = true;
  const int clientWidth = ClientWidth();
  int widestCaption = 0;
  if (showCaptions_ && !list_)
    for (TToolButton* button : buttons_) widestCaption = std::max(widestCaption, CaptionWidth(*button));
  int x = 0;
  int y = 0;
  int rowHeight = 0;
  for (TToolButton* button : buttons_) {
    if (!button->Visible()) continue;
    const TSize size = ButtonSize(*button, widestCaption);
    if (x > 0 && wrapable_ && x + size.cx > clientWidth && !IsSeparator(*button)) {
      x = 0;
      y += rowHeight;
      rowHeight = 0;
    }
    button->SetBounds(x, y, size.cx, size.cy);
    x += size.cx;
    rowHeight = std::max(rowHeight, size.cy);
    if (button->Wrap()) {
      x = 0;
      y += rowHeight;
      rowHeight = 0;
    }
  }
  if (autoSize_ && Align() != alLeft && Align() != alRight && Align() != alClient) {
    const TRect widths = NonClientWidths();
    const int height = std::max(y + rowHeight, buttonHeight_) + widths.Top + widths.Bottom;
    if (height != Height()) SetHeight(height);
  }
  arranging_ = false;
}

void TToolBar::AlignControls(TRect& rect) {
  ArrangeButtons();
  TToolWindow::AlignControls(rect);
}

TToolButton* TToolBar::ButtonAtPos(TPoint point) const {
  for (TToolButton* button : buttons_)
    if (button->Visible() && !IsSeparator(*button) && PtInRect(button->BoundsRect(), point))
      return button->Enabled() ? button : nullptr;
  return nullptr;
}

// A plain button with a menu drops it wherever it is pressed.
bool TToolBar::InDropDownArrow(const TToolButton& button, TPoint point) const {
  if (button.Style() == tbsButton) return button.DropdownMenu != nullptr;
  return button.Style() == tbsDropDown && point.X >= button.Left() + button.Width() - DropDownWidth();
}

TCustomDrawState TToolBar::ButtonState(const TToolButton& button) const {
  TCustomDrawState state = 0;
  if (!button.Enabled()) state |= cdsDisabled;
  if (button.Down()) state |= cdsChecked;
  if ((pressed_ == &button && pressedInside_) || dropped_ == &button) state |= cdsSelected;
  // Only flat bars track the hot button themselves.
  if (flat_ && hot_ == &button && button.Enabled()) state |= cdsHot;
  if (button.Indeterminate()) state |= cdsIndeterminate;
  if (button.Marked()) state |= cdsMarked;
  return state;
}

// ---------------------------------------------------------------- painting

LRESULT TToolBar::SendCustomDraw(DWORD stage, const TRect& rect, TToolButton* button, TCustomDrawState state) {
  const HWND parent = GetParent(Handle());
  if (!parent) return CDRF_DODEFAULT;
  NMTBCUSTOMDRAW record;
  record.nmcd.hdr = {Handle(), 0, NM_CUSTOMDRAW};
  record.nmcd.dwDrawStage = stage;
  record.nmcd.hdc = Canvas().Handle();
  record.nmcd.rc = rect;
  record.nmcd.dwItemSpec = button ? static_cast<UINT_PTR>(button->Index()) : 0;
  record.nmcd.uItemState = state;
  record.nmcd.lItemlParam = reinterpret_cast<LPARAM>(button);
  record.clrText = ColorToRGB(Font().Color());
  record.clrBtnFace = ColorToRGB(clBtnFace);
  record.clrHighlightHotTrack = ColorToRGB(clHighlight);
  record.rcText = rect;
  return SendMessage(parent, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&record));
}

// Erasing has painted the background already: the pre-paint stage paints over it.
void TToolBar::Paint() {
  const TRect client = ClientRect();
  const LRESULT answer = SendCustomDraw(CDDS_PREPAINT, client, nullptr, 0);
  if (answer & CDRF_SKIPDEFAULT) return;
  const TRect clip = Canvas().ClipRect();
  for (TToolButton* button : std::vector<TToolButton*>(buttons_)) {
    TRect overlap;
    if (button->Visible() && IntersectRect(overlap, button->BoundsRect(), clip)) PaintButton(*button, answer);
  }
  if (answer & CDRF_NOTIFYPOSTPAINT) SendCustomDraw(CDDS_POSTPAINT, client, nullptr, 0);
}

void TToolBar::PaintButton(TToolButton& button, LRESULT barAnswer) {
  const TCustomDrawState state = ButtonState(button);
  const LRESULT answer =
      (barAnswer & CDRF_NOTIFYITEMDRAW) ? SendCustomDraw(CDDS_ITEMPREPAINT, button.BoundsRect(), &button, state) : 0;
  if (!(answer & CDRF_SKIPDEFAULT)) DrawButton(button, state, FlagsOfAnswer(answer));
  if (answer & CDRF_NOTIFYPOSTPAINT) SendCustomDraw(CDDS_ITEMPOSTPAINT, button.BoundsRect(), &button, state);
}

void TToolBar::DrawButton(TToolButton& button, TCustomDrawState state, TTBCustomDrawFlags flags) {
  TCanvas& canvas = Canvas();
  const TRect bounds = button.BoundsRect();
  const HDC dc = canvas.Handle();
  if (IsSeparator(button)) {
    // A divider (and a flat bar's separator) is an etched line down the middle.
    if (button.Style() == tbsDivider || flat_) {
      TRect line{bounds.Left + bounds.Width() / 2 - 1, bounds.Top + 2, bounds.Left + bounds.Width() / 2 + 1,
                 bounds.Bottom - 2};
      DrawEdge(dc, line, EDGE_ETCHED, BF_LEFT);
    }
    return;
  }
  const bool pushed = (state & cdsSelected) != 0;
  const bool checked = (state & cdsChecked) != 0;
  const int arrow = button.Style() == tbsDropDown ? DropDownWidth() : 0;
  TRect face{bounds.Left, bounds.Top, bounds.Right - arrow, bounds.Bottom};
  TRect arrowPart{face.Right, bounds.Top, bounds.Right, bounds.Bottom};
  if (!(flags & tbNoEdges)) {
    const bool lit = flat_ ? (state & cdsHot) != 0 : true;
    const UINT edge = flat_ ? ((pushed || checked) ? BDR_SUNKENOUTER : BDR_RAISEDINNER)
                            : ((pushed || checked) ? EDGE_SUNKEN : EDGE_RAISED);
    TRect inside = face;
    if (lit || pushed || checked) DrawEdge(dc, inside, edge, BF_RECT | BF_ADJUST);
    if (checked && !pushed && !(state & cdsHot)) FillCheckedPattern(canvas, inside);
    if (arrow && (lit || pushed)) {
      TRect arrowInside = arrowPart;
      DrawEdge(dc, arrowInside, dropped_ == &button ? (flat_ ? BDR_SUNKENOUTER : EDGE_SUNKEN) : edge,
               BF_RECT | BF_ADJUST);
    }
  }
  const bool offset = (pushed || checked) && !(flags & tbNoOffset);
  DrawGlyph(button, state, offset);
  if (showCaptions_) DrawCaption(button, state, offset);
  if (arrow) DrawDropDownArrow(button, state);
}

// Disabled buttons take DisabledImages, else their image greyed; hot and
// pressed ones HotImages when it has the image.
void TToolBar::DrawGlyph(TToolButton& button, TCustomDrawState state, bool pushed) {
  const int index = button.ImageIndex();
  TImageList* list = Images();
  if (!list || index < 0 || index >= list->Count()) return;
  const bool enabled = !(state & (cdsDisabled | cdsIndeterminate));
  TImageList* disabled = DisabledImages();
  TImageList* hot = HotImages();
  if (!enabled && disabled && index < disabled->Count())
    list = disabled;
  else if (enabled && (state & (cdsHot | cdsSelected)) && hot && index < hot->Count())
    list = hot;
  const int width = button.Width();
  const int height = button.Height();
  int x = 5;
  int y = (height - list->Height()) / 2;
  if (!list_) {
    Canvas().Font().Assign(Font());
    const int captionHeight = showCaptions_ ? Canvas().TextHeight("A") + 3 : 0;
    x = (width - list->Width()) / 2 - (button.Style() == tbsDropDown ? 8 : 0) + 1;
    y = (height - list->Height() - captionHeight) / 2;
  }
  if (pushed) ++x, ++y;
  list->Draw(Canvas(), button.Left() + x, button.Top() + y, index, enabled || list == disabled);
}

void TToolBar::DrawCaption(TToolButton& button, TCustomDrawState state, bool pushed) {
  if (button.Caption().empty()) return;
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(Font());
  const int contentWidth = button.Width() - (button.Style() == tbsDropDown ? DropDownWidth() : 0);
  const int height = button.Height();
  TRect text;
  if (list_) {
    text = {Images() ? Images()->Width() + 6 : 1, 2, contentWidth - 2, height - 2};
  } else {
    const int textWidth = canvas.TextWidth(button.Caption());
    const int textHeight = canvas.TextHeight("A");
    const TImageList* images = Images();
    const int y = images ? (height - images->Height() - textHeight - 3) / 2 : (height - textHeight) / 2;
    text = {(contentWidth - textWidth) / 2 - 1, images ? y + images->Height() + 3 : y,
            contentWidth - (contentWidth - textWidth) / 2 + 2, height - y};
  }
  OffsetRect(text, button.Left() + (pushed ? 1 : 0), button.Top() + (pushed ? 1 : 0));
  canvas.Brush().SetStyle(bsClear);
  if (state & cdsDisabled) canvas.Font().SetColor(clGrayText);
  canvas.TextRect(text, button.Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// A small triangle pointing down, centred in the arrow part.
void TToolBar::DrawDropDownArrow(TToolButton& button, TCustomDrawState state) {
  TCanvas& canvas = Canvas();
  const int arrow = DropDownWidth();
  const int shift = dropped_ == &button ? 1 : 0;
  const int left = button.Left() + button.Width() - arrow + (arrow - 5) / 2 + shift;
  const int top = button.Top() + (button.Height() - 3) / 2 + shift;
  canvas.Pen().SetColor((state & cdsDisabled) ? clGrayText : clBtnText);
  for (int row = 0; row < 3; ++row) {
    canvas.MoveTo(left + row, top + row);
    canvas.LineTo(left + 5 - row, top + row);
  }
}

void TToolBar::RepaintButton(TToolButton* button) {
  if (button) button->Invalidate();
}

// ---------------------------------------------------------------- mouse

// The bar takes the mouse over its buttons itself, as the platform's tool
// bar does; the mouse is then over the bar, not over a button.
void TToolBar::WndProc(TMessage& message) {
  if (IsMouseMessage(message.Msg)) {
    const TPoint point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (dynamic_cast<TToolButton*>(ControlAtPos(point, true)) || pressed_) {
      if (message.Msg == WM_MOUSEMOVE) TrackMouseControl(this);
      TControl::WndProc(message);
      return;
    }
  }
  TToolWindow::WndProc(message);
}

void TToolBar::SetHotButton(TToolButton* button) {
  if (button == hot_) return;
  RepaintButton(std::exchange(hot_, button));
  RepaintButton(hot_);
  if (!hot_) return;
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = Handle();
  TrackMouseEvent(track);
}

void TToolBar::MouseDown(TMouseButton mouseButton, TShiftState shift, int x, int y) {
  TToolWindow::MouseDown(mouseButton, shift, x, y);
  if (mouseButton != mbLeft) return;
  TToolButton* button = ButtonAtPos({x, y});
  if (!button) return;
  if (InDropDownArrow(*button, {x, y})) {
    DropDown(*button);
    return;
  }
  pressed_ = button;
  pressedInside_ = true;
  RepaintButton(button);
}

void TToolBar::MouseMove(TShiftState shift, int x, int y) {
  TToolWindow::MouseMove(shift, x, y);
  SetHotButton(ButtonAtPos({x, y}));
  if (!pressed_) return;
  const bool inside = PtInRect(pressed_->BoundsRect(), {x, y});
  if (inside == pressedInside_) return;
  pressedInside_ = inside;
  RepaintButton(pressed_);
}

void TToolBar::MouseUp(TMouseButton mouseButton, TShiftState shift, int x, int y) {
  TToolWindow::MouseUp(mouseButton, shift, x, y);
  if (mouseButton != mbLeft || !pressed_) return;
  TToolButton* button = std::exchange(pressed_, nullptr);
  RepaintButton(button);
  if (!PtInRect(button->BoundsRect(), {x, y})) return;
  if (button->Style() == tbsCheck) ToggleCheck(*button);
  button->Click();
}

// A grouped check button that is down stays down unless AllowAllUp.
void TToolBar::ToggleCheck(TToolButton& button) {
  if (button.Grouped() && button.down_ && !button.allowAllUp_) return;
  button.down_ = !button.down_;
  if (button.down_) ReleaseGroup(button);
  RepaintButton(&button);
}

// The group: the Grouped check buttons side by side with the button.
void TToolBar::ReleaseGroup(TToolButton& button) {
  if (!button.Grouped()) return;
  const auto inGroup = [this](int i) {
    return i >= 0 && i < ButtonCount() && Buttons(i)->Style() == tbsCheck && Buttons(i)->Grouped();
  };
  int first = button.Index();
  while (inGroup(first - 1)) --first;
  for (int i = first; inGroup(i); ++i) {
    TToolButton* other = Buttons(i);
    if (other == &button || !other->down_) continue;
    other->down_ = false;
    RepaintButton(other);
  }
}

// ---------------------------------------------------------------- drop-down menus

void TToolBar::DropDown(TToolButton& button) {
  dropped_ = &button;
  RepaintButton(&button);
  Update();
  NMTOOLBAR record;
  record.hdr = {Handle(), 0, TBN_DROPDOWN};
  record.iItem = button.Index();
  record.rcButton = button.BoundsRect();
  if (const HWND parent = GetParent(Handle())) SendMessage(parent, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&record));
  if (dropped_ == &button && !button.DropdownMenu) {
    dropped_ = nullptr;
    RepaintButton(&button);
  }
}

void TToolBar::TrackMenu(TToolButton& button) {
  const TPoint at = ClientToScreen({button.Left(), button.Top() + button.Height()});
  button.DropdownMenu->PopupComponent = &button;
  button.DropdownMenu->Popup(at.X, at.Y);
  PostMessage(Handle(), CN_DROPDOWNCLOSED, 0, 0);
}

// ---------------------------------------------------------------- messages

void TToolBar::Dispatch(TMessage& message) {
  static const TMessageHandlers<TToolBar> handlers{
      {CN_NOTIFY, &TToolBar::CNNotify},
      {CN_DROPDOWNCLOSED, &TToolBar::CNDropDownClosed},
      {WM_MOUSELEAVE, &TToolBar::WMMouseLeave},
      {TB_BUTTONCOUNT, &TToolBar::TBButtonCount},
      {TB_GETBUTTON, &TToolBar::TBGetButton},
      {TB_GETITEMRECT, &TToolBar::TBGetItemRect},
      {TB_GETBUTTONTEXT, &TToolBar::TBGetButtonText},
      {TB_GETIMAGELIST, &TToolBar::TBGetImageList},
      {TB_GETHOTIMAGELIST, &TToolBar::TBGetHotImageList},
      {TB_GETDISABLEDIMAGELIST, &TToolBar::TBGetDisabledImageList},
  };
  if (!handlers.Dispatch(*this, message)) TToolWindow::Dispatch(message);
}

LRESULT TToolBar::CustomDrawBar(DWORD stage, const TRect& rect) {
  bool defaultDraw = true;
  if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, rect, stage == CDDS_PREPAINT ? cdPrePaint : cdPostPaint, defaultDraw);
  if (stage != CDDS_PREPAINT) return CDRF_DODEFAULT;
  return defaultDraw ? CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT : CDRF_SKIPDEFAULT;
}

LRESULT TToolBar::CustomDrawButton(DWORD stage, TToolButton& button, TCustomDrawState state) {
  if (!OnAdvancedCustomDrawButton) return CDRF_DODEFAULT;
  bool defaultDraw = true;
  TTBCustomDrawFlags flags = 0;
  const TCustomDrawStage drawStage = stage == CDDS_ITEMPREPAINT ? cdPrePaint : cdPostPaint;
  OnAdvancedCustomDrawButton(this, &button, state, drawStage, flags, defaultDraw);
  if (drawStage != cdPrePaint) return CDRF_DODEFAULT;
  return defaultDraw ? AnswerOfFlags(flags) | CDRF_NOTIFYPOSTPAINT : CDRF_SKIPDEFAULT;
}

// The bar's own notifications come back from the parent here.
void TToolBar::CNNotify(TMessage& message) {
  const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
  if (header->code == NM_CUSTOMDRAW) {
    const auto& draw = *reinterpret_cast<const NMTBCUSTOMDRAW*>(message.LParam);
    auto* button = reinterpret_cast<TToolButton*>(draw.nmcd.lItemlParam);
    const DWORD stage = draw.nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT || stage == CDDS_POSTPAINT)
      message.Result = CustomDrawBar(stage, draw.nmcd.rc);
    else if (button && (stage == CDDS_ITEMPREPAINT || stage == CDDS_ITEMPOSTPAINT))
      message.Result = CustomDrawButton(stage, *button, draw.nmcd.uItemState);
    return;
  }
  if (header->code == TBN_DROPDOWN) {
    const auto& record = *reinterpret_cast<const NMTOOLBAR*>(message.LParam);
    if (record.iItem >= 0 && record.iItem < ButtonCount() && Buttons(record.iItem)->DropdownMenu)
      TrackMenu(*Buttons(record.iItem));
    message.Result = TBDDRET_DEFAULT;
    return;
  }
  DefaultHandler(message);
}

void TToolBar::CNDropDownClosed(TMessage&) {
  RepaintButton(std::exchange(dropped_, nullptr));
}

void TToolBar::WMMouseLeave(TMessage& message) {
  SetHotButton(nullptr);
  TToolWindow::Dispatch(message);
}

void TToolBar::TBButtonCount(TMessage& message) { message.Result = ButtonCount(); }

void TToolBar::TBGetButton(TMessage& message) {
  const int index = static_cast<int>(message.WParam);
  auto* record = reinterpret_cast<TBBUTTON*>(message.LParam);
  if (index < 0 || index >= ButtonCount() || !record) return;
  const TToolButton& button = *Buttons(index);
  static constexpr BYTE styles[] = {BTNS_BUTTON, BTNS_CHECK, BTNS_DROPDOWN, BTNS_SEP, BTNS_SEP};
  record->iBitmap = button.ImageIndex();
  record->idCommand = index;
  record->fsStyle = styles[button.Style()] | (button.Grouped() ? BTNS_GROUP : 0);
  record->fsState = (button.Enabled() ? TBSTATE_ENABLED : 0) | (button.Down() ? TBSTATE_CHECKED : 0) |
                    ((ButtonState(button) & cdsSelected) ? TBSTATE_PRESSED : 0) |
                    (button.Visible() ? 0 : TBSTATE_HIDDEN) | (button.Indeterminate() ? TBSTATE_INDETERMINATE : 0) |
                    (button.Wrap() ? TBSTATE_WRAP : 0);
  record->dwData = reinterpret_cast<UINT_PTR>(&button);
  record->iString = -1;
  message.Result = 1;
}

void TToolBar::TBGetItemRect(TMessage& message) {
  const int index = static_cast<int>(message.WParam);
  auto* rect = reinterpret_cast<TRect*>(message.LParam);
  if (index < 0 || index >= ButtonCount() || !rect) return;
  *rect = Buttons(index)->BoundsRect();
  message.Result = 1;
}

// WParam is the command, which is the button's index; -1 for no such button.
void TToolBar::TBGetButtonText(TMessage& message) {
  const int index = static_cast<int>(message.WParam);
  message.Result = -1;
  if (index < 0 || index >= ButtonCount()) return;
  const std::string& text = Buttons(index)->Caption();
  if (auto* buffer = reinterpret_cast<char*>(message.LParam)) std::memcpy(buffer, text.c_str(), text.size() + 1);
  message.Result = static_cast<LRESULT>(text.size());
}

void TToolBar::TBGetImageList(TMessage& message) { message.Result = reinterpret_cast<LRESULT>(Images()); }

void TToolBar::TBGetHotImageList(TMessage& message) { message.Result = reinterpret_cast<LRESULT>(HotImages()); }

void TToolBar::TBGetDisabledImageList(TMessage& message) {
  message.Result = reinterpret_cast<LRESULT>(DisabledImages());
}
