#pragma once
// The adapter of a status bar: it paints the bar's section and its panels
// (the section's STATUSPANELMASK, else dividers from DIVIDER between them)
// with the panels' texts cut to fit, asking the bar through its SB_*
// messages.

#include "skin/adapters/SkMainWnd.h"

class TDeviceContext;
class TStatusBar;
using HDC = TDeviceContext*;

class TSkStatusBarWnd : public TSkMainWnd {
public:
  void Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager, const std::string& section,
              bool repaint) override;
  void AdapterWndProc(TMessage& message) override;

  // The skin data's host when it is a TStatusBar.
  TStatusBar* StatusCtrl = nullptr;

private:
  bool Skinned() const;
  void PaintAll(HDC given);
  void PaintBorder(HDC given);
  void BuildCache();
  void PaintPanel(int index, const TRect& panel, bool simple);
  void PaintDivider(const TRect& panel);
  // The simple text, read at its length.
  std::string SimpleText() const;
  std::string PanelText(int index, bool simple) const;
};
