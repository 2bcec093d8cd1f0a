#pragma once
// The tree view adapter: the edit adapter's frame and bars, and the
// background in the section's hot colour (a tree that erases itself
// through its own OnAdvancedCustomDraw keeps doing so).

#include "skin/adapters/SkEditWnd.h"

class TSkTreeViewWnd : public TSkEditWnd {
public:
  void RestoreStdLook() override;
  void ApplySkinLook() override;
  void AdapterWndProc(TMessage& message) override;

private:
  TColor Background() const;
  bool ErasesItself() const;
  void Erase(TMessage& message);
};
