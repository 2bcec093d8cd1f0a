#pragma once
// A container with bevels: from the outside in, the outer bevel, a band of
// BorderWidth pixels in the panel's colour, the inner bevel, then the face
// with the caption centred vertically. Aligned children fill what is
// inside the bevels and the band; a single border is a sunken window edge.

#include "toolkit/controls/Form.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
public:
  explicit TPanel(TComponent* owner);

  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel bevel);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel bevel);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // Kept for the skin layer; without themes the panel always paints its face.
  bool ParentBackground = false;
  // Accepted: every window already paints through its own back buffer.
  bool DoubleBuffered = false;

  // Bevels and band together: how far the face lies inside the client area.
  int FrameWidth() const;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void AlignControls(TRect& rect) override;
  void Dispatch(TMessage& message) override;

private:
  void FrameChanged();
  void CMTextChanged(TMessage& message);

  TPanelBevel bevelOuter_ = bvRaised;
  TPanelBevel bevelInner_ = bvNone;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  TAlignment alignment_ = taCenter;
};
