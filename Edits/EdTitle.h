#pragma once
// A heading row: white bold text with a black shadow on a gradient from
// Colour at the left to EndColour at the right. The routine's name (kind
// 0) stands at the left on orange; "Arguments" and "Parameters" (kind 1)
// are centred on blue, "Result" (kind 2) on green.

#include <string>

#include "Edits/EdRow.h"

class TPaintBox;

class TEdTitle : public TEdRow {
public:
  explicit TEdTitle(TComponent* owner);

  void SetTitle(const std::string& text, int kind);
  const std::string& TitleText() const { return titleText_; }
  TPaintBox& PaintBox() const { return *paintBox_; }

  TColor Colour = clBlack;
  TColor EndColour = clBlack;
  bool Shadow = false;
  bool Centred = false;

private:
  void PaintBoxPaint();

  TPaintBox* paintBox_;
  std::string titleText_;
};
