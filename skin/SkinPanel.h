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

protected:
  void Paint() override;

private:
  // The sub-commands the panel answers whether or not it is skinned; false for the others.
  bool HandleOwnSkinCommand(TMessage& message);
  // Sub-commands 1, 2 and 3: the skin came, went or changed.
  void SkinArrivedOrLeft(TMessage& message);
  void AnswerBackgroundRequest(TMessage& message);
  void SkinnedWndProc(TMessage& message);
  void UnskinnedWndProc(TMessage& message);
  void ResumePainting();

  std::unique_ptr<TSkinCommonData> skinData_;
};
