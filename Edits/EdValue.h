#pragma once
// An Integer, Real or String argument or parameter typed as a number or a
// text under its label. Numbers take only the keys a number can have and
// may be dragged: holding the left button on the handle at the right and
// moving the mouse changes the value by one step for every 3 pixels (an
// Integer by 1, a Real by a hundredth of its range, or by 0.1 without one),
// never beyond the limits. A text that does not read, or lies outside the
// limits, turns red and reports nothing.

#include <cstdint>
#include <string>

#include "Edits/EdRow.h"
#include "engine/Value.h"

class TBaseVar;
class TImage;
class TLabeledEdit;

class TEdValue : public TEdRow {
public:
  // Pixels of mouse movement per step of a drag.
  static constexpr int PixelsPerStep = 3;

  explicit TEdValue(TComponent* owner);

  // An Integer, Real or String variable (assertion "6A1F0B33" otherwise).
  void SetVariable(TVar* variable) override;
  bool Validate() override;
  void Commit() override;

  TKindCode KindCode() const { return kindCode_; }
  const TValue& Value() const { return value_; }
  bool HasLimits() const { return hasLimits_; }
  TLabeledEdit& Edit() const { return *edit_; }
  TImage& Image() const { return *image_; }
  const std::string& FullLabel() const { return fullLabel_; }

protected:
  void FitControls() override;

private:
  void EditKeyPress(char32_t& key);
  void EditChange();
  void ImageMouseDown(TMouseButton button, int x);
  void ImageMouseMove(TShiftState shift, int x);
  void ImageMouseUp();
  // The value moved by steps, within the limits.
  void Step(int steps);
  bool WithinLimits(const TValue& value) const;

  TLabeledEdit* edit_;
  TImage* image_;
  TBaseVar* var_ = nullptr;
  TKindCode kindCode_ = kcString;
  TValue value_;
  bool hasLimits_ = false;
  TValue low_;
  TValue high_;
  int lastX_ = 0;
  std::string fullLabel_;
};
