#pragma once
// A windowless push button with a glyph and a caption, often in a group:
// buttons of one GroupIndex (not 0) stay Down in turn, pressing one
// releasing the others; AllowAllUp lets the down one be released too. A
// Flat button shows its edge only under the mouse or pressed. MouseDown
// and MouseUp are where descendants add their own behaviour.

#include <memory>

#include "toolkit/controls/ButtonLayout.h"
#include "toolkit/controls/GraphicControl.h"

class TImageList;

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;

  // The glyph; its bottom-left pixel's colour is transparent.
  void SetGlyph(const TBitmap& glyph);
  // Takes the glyph from an image list (an action's image), keeping its transparency.
  void CopyImage(const TImageList& images, int index);
  bool HasGlyph() const;
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  // Pixels between glyph and caption; -1 centres them in the space left.
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index);
  bool Down() const { return down_; }
  void SetDown(bool down);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool allow);
  TButtonState State() const { return state_; }
  bool MouseInControl() const { return mouseInControl_; }

  void Click() override;

protected:
  // Also the glyph from the action list's images and, in a group, Down from the action's Checked.
  void ActionChange(const TAction& action) override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Dispatch(TMessage& message) override;

private:
  void PaintFace(TRect& rect);
  void PaintContent(const TRect& rect, bool pushed);
  // Releases the other buttons of the group once this one is down.
  void UpdateExclusive();
  void CMButtonPressed(TMessage& message);
  void CMMouseEnter(TMessage& message);
  void CMMouseLeave(TMessage& message);
  void CMRepaint(TMessage& message);

  std::unique_ptr<TImageList> glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  int spacing_ = 4;
  bool flat_ = false;
  int groupIndex_ = 0;
  bool down_ = false;
  bool allowAllUp_ = false;
  TButtonState state_ = bsUp;
  bool dragging_ = false;
  bool mouseInControl_ = false;
};
