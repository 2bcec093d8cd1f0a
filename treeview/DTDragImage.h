#pragma once
// The translucent picture that follows the mouse in a drag. It keeps the
// screen under itself (BackImage), blends its picture over that
// (AlphaImage) and shows the result in a top-most pop-up of the picture's
// size that never takes the activation. Small moves scroll the kept
// background and sample only the strips newly covered.

#include <cstdint>
#include <memory>

#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/Region.h"

class TBaseDataTree;
class TBitmap;
class TCustomControl;

enum TDTDragMoveRestriction : std::uint8_t { dmrNone, dmrHorizontalOnly, dmrVerticalOnly };

class TDTDragImage {
public:
  explicit TDTDragImage(TBaseDataTree& owner);
  ~TDTDragImage();
  TDTDragImage(const TDTDragImage&) = delete;
  TDTDragImage& operator=(const TDTDragImage&) = delete;

  // Makes the picture (with PreBlendBias) and its alpha channel; the image
  // is prepared and hidden at ImagePosition (screen), HotSpot the mouse.
  void PrepareImage(const TBitmap& picture, TPoint imagePosition, TPoint hotSpot);
  void ShowImage();
  void HideImage();
  // Follows the mouse at P (screen); false when it did not move.
  bool MoveTo(TPoint p, bool forceRepaint);
  // Hides the image and frees its bitmaps.
  void FinishDrag();
  // The screen rectangle the image covers while shown; empty otherwise.
  TRect ScreenRect() const;
  bool WouldMove(TPoint p) const;
  // The tree repainted R (its client coordinates, limited to the visible
  // region in screen coordinates when one is given): the kept background
  // takes the new pixels, with IncludeFrame also those of the tree's
  // non-client area; with BlendAgain the picture shows them at once.
  void RefreshBackground(TBaseDataTree& tree, TRect r, HRGN visibleRegion, bool includeFrame, bool blendAgain);
  bool IsShown() const;
  bool Prepared() const { return prepared_; }

  std::uint8_t Transparency = 128;
  std::int8_t PreBlendBias = 0;
  std::int8_t PostBlendBias = 0;
  // The picture fades out from its centre.
  bool Fade = false;
  TDTDragMoveRestriction MoveRestriction = dmrNone;
  // Pixels of this colour are fully transparent (clNone: none).
  TColor ColorKey = clNone;

  TPoint ImagePosition() const { return imagePosition_; }
  TPoint LastPosition() const { return lastPosition_; }
  const TBitmap* BackImage() const { return backImage_.get(); }
  const TBitmap* AlphaImage() const { return alphaImage_.get(); }
  const TBitmap* DragImage() const { return dragImage_.get(); }
  // The pop-up showing the picture; null while none was shown.
  TCustomControl* Window() const;

private:
  void BuildAlphaChannel(const TBitmap& picture);
  void CaptureBackground(const TRect& part);
  void ScrollBackground(int deltaX, int deltaY);
  // The tree paints Part (client coordinates) of itself into the kept background.
  void PaintTreePart(TBaseDataTree& tree, const TRect& part, HRGN visibleRegion);
  // The screen under the tree's non-client area, where the picture covers it.
  void CaptureFrameOf(TBaseDataTree& tree);
  // Blends the picture over the kept background and shows it at ImagePosition.
  void BlendOn();

  TBaseDataTree& owner_;
  std::unique_ptr<TBitmap> backImage_;
  std::unique_ptr<TBitmap> alphaImage_;
  std::unique_ptr<TBitmap> dragImage_;
  class TPictureWindow;
  std::unique_ptr<TPictureWindow> window_;
  TPoint imagePosition_;
  TPoint lastPosition_;
  bool prepared_ = false;
  bool hidden_ = true;
};
