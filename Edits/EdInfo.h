#pragma once
// A routine's description, or a parameter constant's label: a read-only
// borderless memo on cream paper, one memo line per line of the text.

#include <string>

#include "Edits/EdRow.h"

class TMemo;

class TEdInfo : public TEdRow {
public:
  explicit TEdInfo(TComponent* owner);

  void SetInfo(const std::string& text);
  TMemo& Memo() const { return *memo_; }

protected:
  void FitControls() override;

private:
  TMemo* memo_;
};
