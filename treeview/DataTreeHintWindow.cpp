#include "treeview/DataTreeHintWindow.h"

#include <algorithm>
#include <cmath>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/win/Clock.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Timers.h"
#include "toolkit/win/Window.h"
#include "treeview/BaseDataTree.h"
#include "treeview/CustomDataDrawTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/TreeRoutines.h"

namespace {

constexpr UINT_PTR AnimationTimer = 1;

bool& GoneFlag() {
  static bool gone = false;
  return gone;
}

int MulDivRounded(int value, int numerator, int denominator) {
  return static_cast<int>((int64_t{value} * numerator + denominator / 2) / denominator);
}

// The canvas selects its font into the context for its own text calls only.
int LineHeight(TCanvas& canvas) {
  canvas.TextExtent(" ");
  TTextMetric metric;
  GetTextMetrics(canvas.Handle(), &metric);
  return metric.tmHeight;
}

void SizeBitmap(std::unique_ptr<TBitmap>& bitmap, int width, int height) {
  if (!bitmap) bitmap = std::make_unique<TBitmap>(width, height, pf32bit);
  else if (bitmap->Width() != width || bitmap->Height() != height) bitmap->SetSize(width, height);
}

}  // namespace

bool HintWindowGone() { return GoneFlag(); }
void SetHintWindowGone(bool gone) { GoneFlag() = gone; }

TDataTreeHintWindow::TDataTreeHintWindow(TComponent* owner) : THintWindow(owner) {}

TDataTreeHintWindow::~TDataTreeHintWindow() {
  StopAnimation();
  SetHintWindowGone(true);
}

void TDataTreeHintWindow::CreateParams(TCreateParams& params) {
  THintWindow::CreateParams(params);
  params.Style = WS_POPUP;
  params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TDataTreeHintWindow::CreateWnd() {
  THintWindow::CreateWnd();
  SetHintWindowGone(false);
}

void TDataTreeHintWindow::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_NCPAINT: return;
    case WM_TIMER:
      if (message.WParam != AnimationTimer) break;
      AnimationTick();
      return;
    case WM_DESTROY:
      // Hiding the hint lets its window go.
      StopAnimation();
      hintData_ = TDTHintData{};
      SetHintWindowGone(false);
      break;
    default: break;
  }
  THintWindow::Dispatch(message);
}

TRect TDataTreeHintWindow::CalcHintRect(int maxWidth, const std::string& hint, void* data) {
  return MeasureHint(maxWidth, hint, static_cast<const TDTHintData*>(data));
}

void TDataTreeHintWindow::ActivateHint(TRect rect, const std::string& hint) { ShowHintAt(rect, hint); }

bool TDataTreeHintWindow::IsNodeTooltip() const {
  return hintData_.Node && hintData_.Tree && hintData_.Tree->HintMode == hmTooltip;
}

// ---- Measuring ----------------------------------------------------------------------------

TRect TDataTreeHintWindow::MeasureHint(int maxWidth, const std::string& hint, const TDTHintData* data) {
  if (!data || !data->Tree) return TRect{};
  hintData_ = *data;
  TBaseDataTree& tree = *hintData_.Tree;
  const PDataNode node = hintData_.Node;
  if (node && dynamic_cast<TCustomDataDrawTree*>(&tree)) return hintData_.HintRect;
  const TColumnIndex column = hintData_.Column;
  const TDataTreeColumns& columns = tree.Header().Columns();
  const bool inColumn = columns.ColumnExists(column);
  hintData_.BidiMode = tree.ReadsRightToLeft(column) ? bdRightToLeft : bdLeftToRight;
  hintData_.Alignment = inColumn ? columns.ColumnAt(column).Alignment() : tree.Alignment();
  if (hintData_.BidiMode != bdLeftToRight && hintData_.Alignment != taCenter)
    hintData_.Alignment = hintData_.Alignment == taLeftJustify ? taRightJustify : taLeftJustify;
  const bool tooltip = IsNodeTooltip();
  if (!drawBuffer_) drawBuffer_ = std::make_unique<TBitmap>(1, 1, pf32bit);
  TCanvas& canvas = drawBuffer_->Canvas();
  if (tooltip) {
    TFont font;
    TRect cell;
    std::string text;
    tree.CellTextInfo(node, column, font, cell, text);
    canvas.Font().Assign(font);
  } else {
    canvas.Font().Assign(Screen().HintFont());
  }
  textHeight_ = LineHeight(canvas);
  std::string& text = hintData_.HintText;
  text = hintData_.DefaultHint;
  if (text.empty() && node)
    text = tooltip ? tree.NodeTooltip(node, column, hintData_.LineBreakStyle)
                   : tree.NodeHint(node, column, hintData_.LineBreakStyle);
  else if (text.empty())
    text = hint;
  if (text.empty()) return TRect{};
  if (!tooltip) {
    TRect r = Rect(0, 0, maxWidth, textHeight_);
    canvas.TextRect(r, text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return Rect(0, 0, r.Width() + 2 * tree.TextMargin() + 2, textHeight_ + 6);
  }
  if (hintData_.LineBreakStyle == hlbDefault)
    hintData_.LineBreakStyle = node->Has(nsMultiline) ? hlbForceMultiLine : hlbForceSingleLine;
  TRect r;
  if (hintData_.LineBreakStyle == hlbForceMultiLine) {
    r = tree.NodeDisplayRect(node, column, false, true);
    TRect measured = r;
    canvas.TextRect(measured, text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    if (hintData_.BidiMode != bdLeftToRight)
      r.Left = measured.Left - tree.TextMargin() + 1;
    else
      r.Right = measured.Right + tree.TextMargin();
    r.Bottom = measured.Bottom;
    ++r.Right;
    const bool inClient = r.Left >= 0 && r.Top >= 0 && r.Right <= tree.ClientWidth() + 3 &&
                          r.Bottom <= tree.ClientHeight() + 3;
    // The whole text is in view already.
    if (node->NodeHeight + 2 >= r.Height() && inClient) return TRect{};
  } else {
    r = tree.NodeDisplayRect(node, column, true, true);
    if (tree.TreeOptions().PaintOptions().Contains(toShowHorzGridLines)) ++r.Bottom;
  }
  return Rect(-1, -1, r.Width() + 1, r.Height() + 1);
}

// ---- Showing ----------------------------------------------------------------------------------

void TDataTreeHintWindow::ShowHintAt(TRect r, const std::string&) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) {
    Application().CancelHint();
    return;
  }
  StopAnimation();
  const TRect desktop = Screen().DesktopRect();
  const int width = r.Width();
  const int height = r.Height();
  if (r.Bottom > desktop.Bottom) OffsetRect(r, 0, desktop.Bottom - r.Bottom);
  if (r.Right > desktop.Right) OffsetRect(r, desktop.Right - r.Right, 0);
  if (r.Left < desktop.Left) OffsetRect(r, desktop.Left - r.Left, 0);
  SetWindowPos(Handle(), nullptr, r.Left, r.Top, width, height, SWP_NOACTIVATE | SWP_NOZORDER | SWP_HIDEWINDOW);
  SizeBitmap(background_, width, height);
  SizeBitmap(drawBuffer_, width, height);
  SizeBitmap(target_, width, height);
  TBaseDataTree* tree = hintData_.Tree;
  if (tree && tree->HandleAllocated()) UpdateWindow(tree->Handle());
  const CountedPtr<TGdiBitmap> screen = CaptureScreen(r, {Handle()});
  std::vector<std::uint32_t> row(static_cast<size_t>(width));
  for (int y = 0; y < height; ++y) {
    screen->FetchRow(y, 0, width, row.data());
    background_->Handle()->StoreRow(y, 0, width, row.data());
  }
  SetWindowPos(Handle(), HWND_TOPMOST, r.Left, r.Top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  const THintAnimationType animation = tree ? tree->EffectiveHintAnimation() : hatNone;
  if (animation == hatNone || !tree || tree->AnimationDuration() == 0) {
    Invalidate();
    UpdateWindow(Handle());
  } else {
    StartAnimation(animation);
  }
}

// ---- Painting ----------------------------------------------------------------------------------

void TDataTreeHintWindow::Paint() { PaintHint(0, 0); }

void TDataTreeHintWindow::ComposePicture() {
  SizeBitmap(drawBuffer_, std::max(ClientWidth(), 1), std::max(ClientHeight(), 1));
  TCanvas& canvas = drawBuffer_->Canvas();
  const TRect whole = Rect(0, 0, drawBuffer_->Width(), drawBuffer_->Height());
  TBaseDataTree* tree = hintData_.Tree;
  auto* drawTree = dynamic_cast<TCustomDataDrawTree*>(tree);
  if (drawTree && hintData_.Node) {
    drawTree->FireDrawHint(canvas, hintData_.Node, whole, hintData_.Column);
    return;
  }
  const bool tooltip = IsNodeTooltip();
  const bool multiLine = tooltip && hintData_.LineBreakStyle == hlbForceMultiLine;
  if (tooltip) {
    TFont font;
    TRect cell;
    std::string text;
    tree->CellTextInfo(hintData_.Node, hintData_.Column, font, cell, text);
    canvas.Font().Assign(font);
  } else {
    canvas.Font().Assign(Screen().HintFont());
  }
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clInfoBk);
  canvas.FillRect(whole);
  canvas.Brush().SetColor(clBlack);
  canvas.FrameRect(whole);
  canvas.Font().SetColor(clInfoText);
  canvas.Brush().SetStyle(bsClear);
  const int margin = tree ? tree->TextMargin() : 4;
  TRect text = whole;
  InflateRect(text, -1, -1);
  text.Top = !tooltip ? 2 : multiLine ? 1 : (whole.Height() - textHeight_) / 2;
  unsigned format = DT_NOPREFIX | (multiLine ? DT_WORDBREAK : DT_SINGLELINE);
  if (hintData_.BidiMode != bdLeftToRight) {
    text.Right -= margin - 1;
    format |= DT_RIGHT | DT_RTLREADING;
  } else {
    text.Left += margin;
  }
  canvas.TextRect(text, hintData_.HintText, format);
}

void TDataTreeHintWindow::CopyToWindow(TBitmap& picture) {
  if (!HandleAllocated()) return;
  const HDC dc = GetDC(Handle());
  BitBlt(dc, 0, 0, picture.Width(), picture.Height(), picture.Canvas().Handle(), 0, 0, SRCCOPY);
  ReleaseDC(Handle(), dc);
}

void TDataTreeHintWindow::PaintHint(int step, int stepSize) {
  if (step == 0) ComposePicture();
  if (stepSize == 0) {
    if (animation_ != hatFade) CopyToWindow(*drawBuffer_);
    return;
  }
  const int width = drawBuffer_->Width();
  const int height = drawBuffer_->Height();
  SizeBitmap(background_, width, height);
  SizeBitmap(target_, width, height);
  BitBlt(target_->Canvas().Handle(), 0, 0, width, height, background_->Canvas().Handle(), 0, 0, SRCCOPY);
  if (animation_ == hatFade) {
    BlendRect(drawBuffer_->Canvas().Handle(), target_->Canvas().Handle(), Rect(0, 0, width, height), {0, 0}, 0,
              MulDivRounded(step, 256, 255), 0);
  } else {
    const int rows = std::min(step, height);
    BitBlt(target_->Canvas().Handle(), 0, 0, width, rows, drawBuffer_->Canvas().Handle(), 0, height - rows, SRCCOPY);
  }
  CopyToWindow(*target_);
}

// ---- Animation -----------------------------------------------------------------------------------
// The steps of RunAnimation, run by the window's timer instead of a loop
// that pumps messages: nothing can re-enter the tree or free it midway, and
// a new hint or hiding simply stops the timer.

void TDataTreeHintWindow::StartAnimation(THintAnimationType animation) {
  const TBaseDataTree& tree = *hintData_.Tree;
  steps_ = animation == hatFade ? 255u : static_cast<unsigned>(std::max(ClientHeight(), 1));
  remainingTime_ = animation == hatFade ? 2u * tree.AnimationDuration() : tree.AnimationDuration();
  stepSize_ = static_cast<int>(std::lround(std::max(static_cast<double>(steps_) / remainingTime_, 1.0)));
  remainingSteps_ = steps_ / static_cast<unsigned>(stepSize_);
  step_ = 0;
  stepped_ = false;
  animation_ = animation;
  AnimationTick();
}

void TDataTreeHintWindow::StopAnimation() {
  if (animation_ == hatNone) return;
  animation_ = hatNone;
  if (HandleAllocated()) KillTimer(Handle(), AnimationTimer);
}

void TDataTreeHintWindow::AnimationTick() {
  KillTimer(Handle(), AnimationTimer);
  const uint64_t now = Clock().Milliseconds();
  if (stepped_) {
    const uint64_t elapsed = now - stepStart_;
    if (elapsed > remainingTime_) {
      remainingTime_ = 0;
      remainingSteps_ = 0;
    } else {
      remainingTime_ -= elapsed;
      --remainingSteps_;
    }
    while (remainingSteps_ > 0 && remainingTime_ / remainingSteps_ < 1) {
      ++stepSize_;
      remainingSteps_ = remainingTime_ / static_cast<unsigned>(stepSize_);
    }
    step_ = static_cast<int>(steps_ - remainingSteps_);
  }
  if (remainingSteps_ == 0 || remainingTime_ == 0 || !IsWindowVisible(Handle())) {
    // The last picture is the plain one.
    animation_ = hatNone;
    PaintHint(0, 0);
    return;
  }
  PaintHint(step_, stepSize_);
  stepped_ = true;
  stepStart_ = now;
  SetTimer(Handle(), AnimationTimer, static_cast<UINT>(std::max<uint64_t>(remainingTime_ / remainingSteps_, 1)),
           nullptr);
}

bool TDataTreeHintWindow::FilterHintMessage(const MSG& message) const {
  if (!HandleAllocated() || !IsWindowVisible(const_cast<TDataTreeHintWindow*>(this)->Handle())) return false;
  const UINT m = message.message;
  const bool button = (m >= WM_LBUTTONDOWN && m <= WM_MBUTTONDBLCLK) || (m >= WM_NCLBUTTONDOWN && m <= WM_NCMBUTTONDBLCLK);
  return button || m == WM_ACTIVATE || m == WM_ACTIVATEAPP || m == WM_CANCELMODE || m == WM_MOUSEWHEEL;
}
