#pragma once
// A tool bar that takes its look from a skin section ("TOOLBAR" unless told
// otherwise). Without an active skin, which is always the case in this
// program, it is exactly a TToolBar; it answers the skin command for itself
// and passes the skin's arrival, change and removal on to its children.

#include <memory>

#include "skin/paint/PixelRoutines.h"
#include "toolkit/controls/ToolBar.h"

class TSkinCommonData;
struct TBackdropRef;

class TSkinToolBar : public TToolBar {
public:
  explicit TSkinToolBar(TComponent* owner);
  ~TSkinToolBar() override;

  TSkinCommonData& SkinData() const { return *skinData_; }
  // The button under the mouse on a skinned bar that is not flat; -1 for none.
  int HotButtonIndex = -1;
  // The button whose drop-down menu is open.
  TToolButton* DroppedButton = nullptr;
  TSkinDisabledKind BtnDisabledKind() const { return btnDisabledKind_; }
  void SetBtnDisabledKind(TSkinDisabledKind kind);

  // The index of the button whose item rectangle holds the client point;
  // -1 outside every button and on a separator or divider.
  int ButtonAtPoint(TPoint point);
  // An unskinned bar paints as the plain tool bar does: custom-draw
  // handlers assigned to it are dropped.
  void UpdateCustomDrawHandlers();

  void Loaded() override;
  void WndProc(TMessage& message) override;

  // Repaints one button straight into the window.
  void RepaintButton(int index);
  // The handlers a skinned bar paints with: its background from the cache
  // (the buttons' places left to them), and each button from "TOOLBUTTON".
  void PaintBarBackground(const TRect& rect, TCustomDrawStage stage, bool& defaultDraw);
  void PaintButton(TToolButton* button, TCustomDrawState state, TCustomDrawStage stage, TTBCustomDrawFlags& flags,
                   bool& defaultDraw);
  // A separator's rectangle r of dc (window coordinates) from "DIVIDER".
  void PaintDivider(HDC dc, const TRect& r);

protected:
  void Notification(TComponent* component, TOperation operation) override;
  void Dispatch(TMessage& message) override;

private:
  // The sub-commands the bar answers whether or not it is skinned; false for the others.
  bool HandleOwnSkinCommand(TMessage& message);
  void SkinApplied(TMessage& message);
  // Sub-commands 2 and 3: the skin went or changed.
  void SkinRemovedOrChanged(TMessage& message);
  void ResumePainting();
  void SkinnedWndProc(TMessage& message);
  // Keeps the hot and dropped buttons right as the bar reports its buttons' changes.
  void FollowNotification(const TMessage& message);
  bool FromOwnManager(const TMessage& message) const;
  void BuildCache();
  void PrintMessage(TMessage& message);
  void NonClientPaint();
  // The four bands around the client area, from the cache.
  void CopyNonClientBands(HDC dc);
  // Every visible separator, not wrapped when asked, over its divider.
  void PaintDividers(HDC dc, bool skipWrapped);
  void TrackHotButton(TPoint point);
  void ForgetHotButton();
  int SectionIndexOf(const char* section) const;

  std::unique_ptr<TSkinCommonData> skinData_;
  TSkinDisabledKind btnDisabledKind_ = dkBlended;
};
