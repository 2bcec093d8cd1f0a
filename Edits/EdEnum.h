#pragma once
// An enumeration argument or parameter: a drop-down list of the members
// (a parameter's only from its low to its high member), under its label.

#include <cstdint>
#include <string>

#include "Edits/EdRow.h"
#include "engine/Value.h"

class TBaseVar;
class TComboBox;
class TLabel;

class TEdEnum : public TEdRow {
public:
  explicit TEdEnum(TComponent* owner);

  // An enumeration variable (assertion "6A1F0B32" otherwise).
  void SetVariable(TVar* variable) override;
  void Commit() override;
  // Kind Enum, the chosen member's ordinal.
  TValue GetValue();
  TComboBox& ComboBox() const { return *comboBox_; }
  TLabel& Txt() const { return *txt_; }

protected:
  void FitControls() override;

private:
  TLabel* txt_;
  TComboBox* comboBox_;
  TBaseVar* var_ = nullptr;
  std::string fullLabel_;
  std::int64_t lowest_ = 0;
};
