#pragma once
// The key map of the text editor: single keys and two-key chords (after
// the prefixes Ctrl+K, Ctrl+Q and Ctrl+O) to command codes.

#include <vector>

#include "toolkit/controls/Control.h"

struct TTxEditKey {
  WORD Key1 = 0;
  WORD Key2 = 0;  // 0 for a single key
  TShiftState Shift1 = 0;
  TShiftState Shift2 = 0;
  WORD Command = 0;
};

class TTxKeyboard {
public:
  void Add(WORD command, WORD key, TShiftState shift);
  void Add2(WORD command, WORD key1, TShiftState shift1, WORD key2, TShiftState shift2);
  void Clear() { keys_.clear(); }
  // The first entry for the key: ecChordPrefix when it begins a chord, its
  // command else; 0 when none. Only Shift, Alt and Ctrl count.
  WORD Command(WORD key, TShiftState shift) const;
  WORD Command2(WORD key1, TShiftState shift1, WORD key2, TShiftState shift2) const;
  void SetDefaultLayout();

private:
  std::vector<TTxEditKey> keys_;
};
