#pragma once
// A panel that takes its look from a skin section ("PANEL" unless told
// otherwise). Without an active skin, which is always the case in this
// program, it is exactly a TPanel: same messages, same pixels; OnPaint,
// when assigned, replaces the panel's own painting. It answers the skin
// command for itself and passes the skin's arrival, change and removal on
// to its children.

#include <functional>
#include <memory>

#include "toolkit/controls/Panel.h"

class TSkinCommonData;
class TCanvas;

using TPaintEvent = std::function<void(TObject* sender, TCanvas& canvas)>;

class TSkinPanel : public TPanel {
public:
  explicit TSkinPanel(TComponent* owner);
  ~TSkinPanel() override;

  TSkinCommonData& SkinData() const { return *skinData_; }
  // Replaces the standard panel painting; the background is then not erased.
  // (OnMouseEnter and OnMouseLeave are the control's own events.)
  TPaintEvent OnPaint;

  void Loaded() override;
  void WndProc(TMessage& message) override;

  // The skinned look into dc (the canvas's when null): through the cache
  // while the look is more than a plain colour, else straight; the
  // children repaint after it when asked.
  virtual void PaintSkinned(HDC dc, bool repaintChildren);
  // The caption centred vertically in r, in the section's text colours,
  // on canvas, else on a canvas of dc (nothing without either).
  virtual void PaintCaption(TRect r, TCanvas* canvas, HDC dc);

protected:
  void Paint() override;
  void PaintWindow(HDC dc) override;

private:
  // The sub-commands the panel answers whether or not it is skinned; false for the others.
  bool HandleOwnSkinCommand(TMessage& message);
  // Sub-commands 1, 2 and 3: the skin came, went or changed.
  void SkinArrivedOrLeft(TMessage& message);
  void AnswerBackgroundRequest(TMessage& message);
  void SkinnedWndProc(TMessage& message);
  void UnskinnedWndProc(TMessage& message);
  void ResumePainting();
  void PaintMessage(TMessage& message);
  void EraseMessage(TMessage& message);
  void PrintMessage(TMessage& message);
  void BuildCache();
  void PaintCached(HDC dc);
  void PaintDirect(HDC dc, HDC given);

  std::unique_ptr<TSkinCommonData> skinData_;
};

// Paints a skinned control's frame through its cache: the borders mask of
// its section in the state, then a band width pixels wide inside r in the
// control's colour, and copies the frame to dc. inner becomes what is left
// inside; without a borders mask only the band is filled and inner is not
// written.
void PaintBorderThroughCache(HDC dc, const TRect& r, int width, TRect& inner, int state, TSkinCommonData& data);
