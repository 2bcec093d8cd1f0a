#pragma once
// The adapter of a toolkit TToolBar: it paints through the bar's
// custom-draw events, the bar's section behind the buttons and every button
// from "TOOLBUTTON" with its image, caption and drop-down arrow; its window
// procedure paints the border from the same cache (and, for WM_PRINT, the
// whole bar into the given DC), tracks the hot button
// of a bar that is not flat and answers the children's background requests.
// The bar's own handlers are kept and put back when the adapter goes,
// wherever the events still hold the adapter's.

#include "skin/adapters/SkMainWnd.h"
#include "toolkit/controls/ToolBar.h"

class TSkToolBarVCLWnd : public TSkMainWnd {
public:
  void Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager, const std::string& section,
              bool repaint) override;
  void AdapterWndProc(TMessage& message) override;

  // The bar's custom-draw handlers.
  void PaintBar(const TRect& rect, TCustomDrawStage stage, bool& defaultDraw);
  void PaintButton(TToolButton* button, TCustomDrawState state, TCustomDrawStage stage, TTBCustomDrawFlags& flags,
                   bool& defaultDraw);
  // Paints one visible button straight into the window.
  void RepaintButton(int index);

  // The skin data's host when it is a TToolBar.
  TToolBar* BarCtrl = nullptr;
  // The button whose drop-down is open.
  TToolButton* DropButton = nullptr;
  // The hot button of a bar that is not flat; -1 for none.
  int HotIndex = -1;

protected:
  ~TSkToolBarVCLWnd() override;

private:
  bool Skinned() const;
  bool Designing() const;
  void BuildCache();
  void PaintBorder(HDC given);
  void Print(HDC dc);
  void FollowNotification(const TMessage& message);
  void AnswerBackgroundRequest(TMessage& message);
  void TrackHotButton(TPoint point);
  void SetHotIndex(int index);
  int ButtonAt(TPoint point) const;
  TRect ClientInWindow() const;

  TTBAdvancedCustomDrawEvent previousBarHandler_;
  TTBAdvancedCustomDrawBtnEvent previousButtonHandler_;
};
