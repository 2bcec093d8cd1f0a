#pragma once
// A Boolean argument or parameter: a check box captioned with its label.

#include "Edits/EdRow.h"

class TBaseVar;
class TCheckBox;

class TEdBool : public TEdRow {
public:
  explicit TEdBool(TComponent* owner);

  // A Boolean variable (assertion "6A1F0B31" otherwise).
  void SetVariable(TVar* variable) override;
  void Commit() override;
  TCheckBox& CheckBox() const { return *checkBox_; }

protected:
  void FitControls() override;

private:
  TCheckBox* checkBox_;
  TBaseVar* var_ = nullptr;
};
