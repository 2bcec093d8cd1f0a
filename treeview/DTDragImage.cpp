#include "treeview/DTDragImage.h"

#include <cmath>
#include <vector>

#include "toolkit/controls/CustomControl.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"
#include "treeview/BaseDataTree.h"
#include "treeview/TreeRoutines.h"

// The pop-up that shows the blended picture on the screen.
class TDTDragImage::TPictureWindow : public TCustomControl {
public:
  explicit TPictureWindow(const TBitmap& picture) : TCustomControl(nullptr), picture_(picture) { SetVisible(false); }

protected:
  void CreateParams(TCreateParams& params) override {
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    params.WndParent = nullptr;
  }
  void Paint() override {
    BitBlt(Canvas().Handle(), 0, 0, picture_.Width(), picture_.Height(),
           const_cast<TBitmap&>(picture_).Canvas().Handle(), 0, 0, SRCCOPY);
  }

private:
  const TBitmap& picture_;
};

namespace {

void CopyPixels(const TGdiBitmap& from, const TRect& part, TGdiBitmap& to, TPoint at) {
  std::vector<std::uint32_t> row(static_cast<size_t>(std::max(part.Width(), 0)));
  for (int y = part.Top; y < part.Bottom; ++y) {
    from.FetchRow(y, part.Left, part.Width(), row.data());
    to.StoreRow(at.Y + y - part.Top, at.X, part.Width(), row.data());
  }
}

}  // namespace

TDTDragImage::TDTDragImage(TBaseDataTree& owner) : owner_(owner) {}

TDTDragImage::~TDTDragImage() = default;

TCustomControl* TDTDragImage::Window() const { return window_.get(); }

bool TDTDragImage::IsShown() const { return prepared_ && !hidden_; }

void TDTDragImage::PrepareImage(const TBitmap& picture, TPoint imagePosition, TPoint hotSpot) {
  lastPosition_ = hotSpot;
  const int width = picture.Width();
  const int height = picture.Height();
  dragImage_ = std::make_unique<TBitmap>(width, height, pf32bit);
  alphaImage_ = std::make_unique<TBitmap>(width, height, pf32bit);
  backImage_ = std::make_unique<TBitmap>(width, height, pf32bit);
  TBitmap source(width, height, pf32bit);
  CopyPixels(*picture.Handle(), Rect(0, 0, width, height), *source.Handle(), {0, 0});
  if (PreBlendBias == 0)
    CopyPixels(*source.Handle(), Rect(0, 0, width, height), *dragImage_->Handle(), {0, 0});
  else
    BlendRect(source.Canvas().Handle(), dragImage_->Canvas().Handle(), Rect(0, 0, width, height), {0, 0}, 0, 255,
              PreBlendBias);
  BuildAlphaChannel(source);
  imagePosition_ = imagePosition;
  prepared_ = true;
  hidden_ = true;
}

// The alpha falls off from the centre as 255 e^(-8d), d the distance in
// units of the larger side; pixels of the colour key are transparent.
void TDTDragImage::BuildAlphaChannel(const TBitmap& picture) {
  TGdiBitmap& image = *dragImage_->Handle();
  const int width = image.Width();
  const int height = image.Height();
  const double side = std::max(width, height);
  const bool keyed = ColorKey != clNone;
  const TColor key = ColorToRGB(ColorKey);
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width));
  std::vector<std::uint32_t> original(static_cast<size_t>(width));
  for (int y = 0; y < height; ++y) {
    image.FetchRow(y, 0, width, pixels.data());
    picture.Handle()->FetchRow(y, 0, width, original.data());
    for (int x = 0; x < width; ++x) {
      const double dx = (x - width / 2) / side;
      const double dy = (y - height / 2) / side;
      std::uint32_t alpha = static_cast<std::uint32_t>(std::nearbyint(255 * std::exp(-8 * std::sqrt(dx * dx + dy * dy))));
      if (keyed && PixelToColor(original[static_cast<size_t>(x)]) == key) alpha = 0;
      pixels[static_cast<size_t>(x)] = (pixels[static_cast<size_t>(x)] & 0x00FFFFFFu) | alpha << 24;
    }
    image.StoreRow(y, 0, width, pixels.data());
  }
}

void TDTDragImage::ShowImage() {
  if (!prepared_ || !hidden_) return;
  hidden_ = false;
  CaptureBackground(Rect(0, 0, backImage_->Width(), backImage_->Height()));
  BlendOn();
}

void TDTDragImage::HideImage() {
  if (!IsShown()) return;
  hidden_ = true;
  if (window_ && window_->HandleAllocated()) ShowWindow(window_->Handle(), SW_HIDE);
}

// Part: picture coordinates; the screen there, without the picture itself.
void TDTDragImage::CaptureBackground(const TRect& part) {
  if (part.Right <= part.Left || part.Bottom <= part.Top) return;
  TRect screen = part;
  OffsetRect(screen, imagePosition_.X, imagePosition_.Y);
  std::vector<HWND> leftOut;
  if (window_ && window_->HandleAllocated()) leftOut.push_back(window_->Handle());
  const CountedPtr<TGdiBitmap> pixels = CaptureScreen(screen, leftOut);
  CopyPixels(*pixels, Rect(0, 0, part.Width(), part.Height()), *backImage_->Handle(), part.TopLeft());
}

void TDTDragImage::ScrollBackground(int deltaX, int deltaY) {
  const TDragRectangles rects = ComputeDragRectangles(backImage_->Width(), backImage_->Height(), deltaX, deltaY);
  auto moved = std::make_unique<TBitmap>(backImage_->Width(), backImage_->Height(), pf32bit);
  CopyPixels(*backImage_->Handle(), rects.Scroll, *moved->Handle(),
             {rects.Scroll.Left + deltaX, rects.Scroll.Top + deltaY});
  backImage_ = std::move(moved);
  imagePosition_.X -= deltaX;
  imagePosition_.Y -= deltaY;
  CaptureBackground(rects.Draw1);
  CaptureBackground(rects.Draw2);
}

bool TDTDragImage::MoveTo(TPoint p, bool forceRepaint) {
  const int deltaX = MoveRestriction == dmrVerticalOnly ? 0 : lastPosition_.X - p.X;
  const int deltaY = MoveRestriction == dmrHorizontalOnly ? 0 : lastPosition_.Y - p.Y;
  if (deltaX == 0 && deltaY == 0 && !forceRepaint) return false;
  if (IsShown()) {
    const bool far = std::abs(deltaX) >= backImage_->Width() || std::abs(deltaY) >= backImage_->Height();
    if (far || forceRepaint) {
      if (forceRepaint && owner_.HandleAllocated()) UpdateWindow(owner_.Handle());
      imagePosition_.X -= deltaX;
      imagePosition_.Y -= deltaY;
      CaptureBackground(Rect(0, 0, backImage_->Width(), backImage_->Height()));
    } else {
      ScrollBackground(deltaX, deltaY);
    }
    BlendOn();
  }
  lastPosition_ = p;
  return true;
}

void TDTDragImage::BlendOn() {
  const TRect whole = Rect(0, 0, dragImage_->Width(), dragImage_->Height());
  CopyPixels(*backImage_->Handle(), whole, *alphaImage_->Handle(), {0, 0});
  const int mode = Fade || ColorKey != clNone ? 2 : 0;
  BlendRect(dragImage_->Canvas().Handle(), alphaImage_->Canvas().Handle(), whole, {0, 0}, mode, Transparency,
            PostBlendBias);
  if (!window_) window_ = std::make_unique<TPictureWindow>(*alphaImage_);
  SetWindowPos(window_->Handle(), HWND_TOPMOST, imagePosition_.X, imagePosition_.Y, whole.Width(), whole.Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  window_->Invalidate();
  UpdateWindow(window_->Handle());
}

void TDTDragImage::FinishDrag() {
  HideImage();
  prepared_ = false;
  hidden_ = true;
  window_.reset();
  backImage_.reset();
  alphaImage_.reset();
  dragImage_.reset();
}

TRect TDTDragImage::ScreenRect() const {
  if (!IsShown()) return {};
  return Bounds(imagePosition_.X, imagePosition_.Y, backImage_->Width(), backImage_->Height());
}

bool TDTDragImage::WouldMove(TPoint p) const {
  if (!IsShown()) return false;
  return (MoveRestriction != dmrVerticalOnly && p.X != lastPosition_.X) ||
         (MoveRestriction != dmrHorizontalOnly && p.Y != lastPosition_.Y);
}

void TDTDragImage::RefreshBackground(TBaseDataTree& tree, TRect r, HRGN visibleRegion, bool includeFrame,
                                     bool blendAgain) {
  if (!IsShown() || !tree.HandleAllocated()) return;
  const TPoint origin = tree.ScreenToClient(imagePosition_);
  TRect part;
  if (IntersectRect(part, r, Bounds(origin.X, origin.Y, backImage_->Width(), backImage_->Height())))
    PaintTreePart(tree, part, visibleRegion);
  if (includeFrame) CaptureFrameOf(tree);
  if (blendAgain) BlendOn();
}

void TDTDragImage::PaintTreePart(TBaseDataTree& tree, const TRect& part, HRGN visibleRegion) {
  const TPoint origin = tree.ScreenToClient(imagePosition_);
  TCanvas& canvas = backImage_->Canvas();
  const int saved = SaveDC(canvas.Handle());
  if (visibleRegion) {
    const HRGN clip = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(clip, visibleRegion, nullptr, RGN_COPY);
    OffsetRgn(clip, -imagePosition_.X, -imagePosition_.Y);
    ExtSelectClipRgn(canvas.Handle(), clip, RGN_AND);
    DeleteObject(clip);
  }
  TRect window = part;
  OffsetRect(window, tree.EffectiveOffsetX(), -tree.OffsetY());
  tree.PaintTreeTo(canvas, window, {part.Left - origin.X, part.Top - origin.Y},
                   {ptoBackground, ptoColumnColor, ptoFocusRect, ptoSelection, ptoDropIndicator, ptoGridLines});
  RestoreDC(canvas.Handle(), saved);
}

void TDTDragImage::CaptureFrameOf(TBaseDataTree& tree) {
  TRect outer;
  GetWindowRect(tree.Handle(), outer);
  TRect inner = tree.ClientRect();
  const TPoint clientOrigin = tree.ClientToScreen(Point(0, 0));
  OffsetRect(inner, clientOrigin.X, clientOrigin.Y);
  const TRect bands[] = {Rect(outer.Left, outer.Top, outer.Right, inner.Top),
                         Rect(outer.Left, inner.Bottom, outer.Right, outer.Bottom),
                         Rect(outer.Left, inner.Top, inner.Left, inner.Bottom),
                         Rect(inner.Right, inner.Top, outer.Right, inner.Bottom)};
  for (TRect band : bands)
    if (IntersectRect(band, band, ScreenRect())) {
      OffsetRect(band, -imagePosition_.X, -imagePosition_.Y);
      CaptureBackground(band);
    }
}
