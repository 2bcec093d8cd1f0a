#pragma once
// A tab control painted from the skin: the parent's background in the strip
// behind the tabs, the page frame from a page-control section of the tabs'
// orientation, each tab from a tab section with its image and text, the
// selected tab last, over the frame. The up-down the control shows when
// its tabs do not fit is taken over by a spin adapter.

#include "skin/adapters/SkMainWnd.h"
#include "skin/adapters/SkSpinWnd.h"
#include "skin/adapters/TabGeometry.h"

class TBitmap;

// Asks a tab control for its skin manager (its page adapters do); a group
// box answers the same number with its caption's height.
constexpr WORD scGetTabManager = 27;

class TSkTabControlWnd : public TSkMainWnd {
public:
  void AdapterWndProc(TMessage& message) override;
  // The pages' area as the control reports it, lowered by 2.
  virtual TRect GetDisplayRect();
  // The page frame: the window less the strip of the tabs.
  virtual TRect GetPageRect();

  TRect StripRect();
  // Of tab index, grown as a tab of the control's style; empty for no such
  // tab, no tabs or no selection.
  TRect TabRect(int index, bool active);
  // 1 for the row nearest the control's top or left edge.
  int TabRow(int index);

  // The adapter of the control's up-down; null while it has none.
  TSkAdapterPtr<TSkSpinWnd> ArrowAdapter;

protected:
  int TabCount();
  int Selected();
  TTabOrientation Orientation();
  // Takes the control's up-down over again, or lets go when it has none.
  void RefreshArrows();
  // Into the DC of wParam (or the window's own when 0).
  void Paint(WPARAM wParam);
  bool AnswerSkinCommand(TMessage& message);

private:
  int FrameSectionIndex();
  // The tab faces' section and borders mask; -1 when tabs show no faces.
  void TabSection(int& section, int& borderMask);
  void PaintStripAndTabs(const TBackdropRef& backdrop);
  void PaintTab(int index, int state, TPoint offset, TBitmap& target);
  void PaintTabFace(int index, const TRect& r, int state, TPoint offset, TBitmap& target);
  void PaintTabContent(int index, TRect r, bool selected, TBitmap& target);
  void Resized();

  TSize storedSize_;
};
