#pragma once
// A bar of bands, one row each, every band holding one control (a tool bar)
// behind a gripper. A band is made for each child control as it arrives
// and goes with it; with AutoSize the bar is as high as its bands.

#include <memory>
#include <vector>

#include "toolkit/controls/ToolWindow.h"

class TCoolBand {
public:
  explicit TCoolBand(TControl* control) : Control(control) {}
  TControl* Control;
  // The band is never lower than this, even for a lower control.
  int MinHeight = 25;
};

class TCoolBar : public TToolWindow {
public:
  explicit TCoolBar(TComponent* owner);

  int BandCount() const { return static_cast<int>(bands_.size()); }
  TCoolBand& Bands(int index) const { return *bands_.at(static_cast<size_t>(index)); }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  // The row of a band in client coordinates.
  TRect BandRect(int index);

protected:
  void AlignControls(TRect& rect) override;
  void Paint() override;

private:
  // Bands follow the children: one for each, in the order they came.
  void MatchBandsToControls();
  int RowHeight(const TCoolBand& band) const;

  std::vector<std::unique_ptr<TCoolBand>> bands_;
  bool autoSize_ = false;
};
