#pragma once
// The window a tree shows its hints and tooltips in. It sizes itself to the
// hint text, or to the cell text for the tooltip of a cut-off cell, which it
// places exactly over that text; it composes its picture off screen and can
// fade or slide in, step by step on a timer of its own.

#include <memory>
#include <string>

#include "toolkit/controls/Control.h"
#include "toolkit/controls/HintWindow.h"
#include "treeview/DataNode.h"
#include "treeview/DataTreeTypes.h"

class TBaseDataTree;
class TBitmap;

// What a tree hands its hint window with each hint (THintInfo's HintData).
struct TDTHintData {
  TBaseDataTree* Tree = nullptr;
  PDataNode Node = nullptr;  // nil for a plain hint
  TColumnIndex Column = ColumnNone;
  TRect HintRect;            // an owner-drawn tree's own size
  std::string DefaultHint;   // shown as it stands when not empty
  std::string HintText;      // the text shown
  TBiDiMode BidiMode = bdLeftToRight;
  TAlignment Alignment = taLeftJustify;
  TDTTooltipLineBreakStyle LineBreakStyle = hlbDefault;
};

// Set when a hint window is destroyed, cleared when one is made or hidden.
bool HintWindowGone();
void SetHintWindowGone(bool gone);

class TDataTreeHintWindow : public THintWindow {
public:
  explicit TDataTreeHintWindow(TComponent* owner);
  ~TDataTreeHintWindow() override;

  TRect CalcHintRect(int maxWidth, const std::string& hint, void* data) override;
  void ActivateHint(TRect rect, const std::string& hint) override;

  // The size for the hint Data describes (copied into HintData); empty: no hint.
  TRect MeasureHint(int maxWidth, const std::string& hint, const TDTHintData* data);
  // Places the window at R (screen), kept on the desktop, and shows it with the tree's hint animation.
  void ShowHintAt(TRect r, const std::string& hint);
  // Step 0 composes the picture; StepSize 0 is a normal paint; else one step of the fade or slide.
  void PaintHint(int step, int stepSize);
  // True when the message closes the hint.
  bool FilterHintMessage(const MSG& message) const;
  const TDTHintData& HintData() const { return hintData_; }
  bool Animating() const { return animation_ != hatNone; }

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& message) override;
  void Paint() override;

private:
  void ComposePicture();
  void CopyToWindow(TBitmap& picture);
  void StartAnimation(THintAnimationType animation);
  void StopAnimation();
  void AnimationTick();
  // The tree's font, text and text rectangle of the tooltip's cell.
  bool IsNodeTooltip() const;

  TDTHintData hintData_;
  std::unique_ptr<TBitmap> background_;
  std::unique_ptr<TBitmap> drawBuffer_;
  std::unique_ptr<TBitmap> target_;
  int textHeight_ = 0;
  // The running fade or slide, paced as the tree's animations are.
  THintAnimationType animation_ = hatNone;
  unsigned steps_ = 0;
  uint64_t remainingTime_ = 0;
  uint64_t remainingSteps_ = 0;
  int stepSize_ = 1;
  int step_ = 0;
  uint64_t stepStart_ = 0;
  bool stepped_ = false;
};
