#include "toolkit/controls/CoolBar.h"

#include <algorithm>

#include "toolkit/win/Edges.h"

namespace {

// A band: a two-pixel etched border, the gripper, then the control.
constexpr int BandBorder = 2;
constexpr int GripperWidth = 9;

}  // namespace

TCoolBar::TCoolBar(TComponent* owner) : TToolWindow(owner) {
  SetBounds(0, 0, 150, 75);
  SetAlign(alTop);
  SetColor(clBtnFace);
  SetEdgeBorders(ebLeft | ebTop | ebRight | ebBottom);
}

void TCoolBar::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  Realign();
}

void TCoolBar::MatchBandsToControls() {
  std::erase_if(bands_, [this](const std::unique_ptr<TCoolBand>& band) {
    for (int i = 0; i < ControlCount(); ++i)
      if (Controls(i) == band->Control) return false;
    return true;
  });
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* control = Controls(i);
    const bool banded =
        std::any_of(bands_.begin(), bands_.end(), [control](const auto& band) { return band->Control == control; });
    if (!banded) bands_.push_back(std::make_unique<TCoolBand>(control));
  }
}

int TCoolBar::RowHeight(const TCoolBand& band) const {
  return std::max(band.MinHeight, band.Control->Height()) + 2 * BandBorder;
}

TRect TCoolBar::BandRect(int index) {
  int top = 0;
  for (int i = 0; i < index; ++i)
    if (Bands(i).Control->Visible()) top += RowHeight(Bands(i));
  return {0, top, ClientWidth(), top + RowHeight(Bands(index))};
}

void TCoolBar::AlignControls(TRect&) {
  MatchBandsToControls();
  int bottom = 0;
  for (int i = 0; i < BandCount(); ++i) {
    TControl* control = Bands(i).Control;
    if (!control->Visible()) continue;
    const TRect row = BandRect(i);
    const int left = BandBorder + GripperWidth;
    control->SetBounds(left, row.Top + BandBorder, std::max(row.Width() - left - BandBorder, 0), control->Height());
    bottom = row.Bottom;
  }
  if (!autoSize_) return;
  const TRect widths = NonClientWidths();
  const int height = bottom + widths.Top + widths.Bottom;
  if (height != Height()) SetHeight(height);
}

// Each band: an etched frame and a raised gripper down its left side.
void TCoolBar::Paint() {
  const HDC dc = Canvas().Handle();
  for (int i = 0; i < BandCount(); ++i) {
    if (!Bands(i).Control->Visible()) continue;
    TRect row = BandRect(i);
    DrawEdge(dc, row, EDGE_ETCHED, BF_RECT);
    TRect gripper{row.Left + BandBorder + 2, row.Top + BandBorder + 1, row.Left + BandBorder + 5,
                  row.Bottom - BandBorder - 1};
    DrawEdge(dc, gripper, BDR_RAISEDINNER, BF_RECT);
  }
}
