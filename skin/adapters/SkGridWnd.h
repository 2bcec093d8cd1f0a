#pragma once
// The grid adapters. Grids come from different vendors, so their colours
// are reached through published properties by name; a property a grid
// does not publish is skipped. Data-aware grids (those publishing
// "DataSource") keep the thumb's position consistent with the tracked one.

#include "skin/adapters/SkEditWnd.h"

class TSkGridWnd : public TSkEditWnd {
public:
  void StoreStdLook() override;
  void RestoreStdLook() override;
  void ApplySkinLook() override;
  void AdapterWndProc(TMessage& message) override;

  // The grid's own values of the properties the skin sets.
  TColor StdFixedColor = 0;
  TColor StdFooterColor = 0;
  TColor StdFooterCellColor = 0;
  TColor StdTitleFontColor = 0;
  TColor StdTitleColor = 0;
  TColor StdIndicatorIconColor = 0;

private:
  void PrintCells(const TMessage& message);
  void FollowTrackedThumb(WPARAM request);
  void RebuildScrollBars();
};

// The grids of the second family behave alike.
class TSkGridEhWnd : public TSkGridWnd {};
