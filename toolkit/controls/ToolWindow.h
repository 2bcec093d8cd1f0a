#pragma once
// The base of tool bars and cool bars: a window whose non-client area holds
// its edges (one pixel each for EdgeOuter and EdgeInner, on the sides
// EdgeBorders names) and twice BorderWidth pixels of band on every side.

#include "toolkit/controls/CustomControl.h"

using TEdgeBorders = unsigned;
constexpr TEdgeBorders ebLeft = 0x1;
constexpr TEdgeBorders ebTop = 0x2;
constexpr TEdgeBorders ebRight = 0x4;
constexpr TEdgeBorders ebBottom = 0x8;

enum TEdgeStyle { esNone, esRaised, esLowered };

class TToolWindow : public TCustomControl {
public:
  explicit TToolWindow(TComponent* owner);

  TEdgeBorders EdgeBorders() const { return edgeBorders_; }
  void SetEdgeBorders(TEdgeBorders borders);
  TEdgeStyle EdgeInner() const { return edgeInner_; }
  void SetEdgeInner(TEdgeStyle style);
  TEdgeStyle EdgeOuter() const { return edgeOuter_; }
  void SetEdgeOuter(TEdgeStyle style);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);

  // The client area's offset inside the window on each side.
  TRect NonClientWidths() const;

protected:
  void Dispatch(TMessage& message) override;

private:
  int EdgeCount() const { return (edgeInner_ != esNone) + (edgeOuter_ != esNone); }
  void FrameChanged();
  void WMNCCalcSize(TMessage& message);
  void WMNCPaint(TMessage& message);

  TEdgeBorders edgeBorders_ = ebTop;
  TEdgeStyle edgeInner_ = esRaised;
  TEdgeStyle edgeOuter_ = esLowered;
  int borderWidth_ = 0;
};
