#pragma once
// Panels painted from the skin. TSkPanelWnd takes over a toolkit panel
// (TPanel) and paints it from the section its bevels call for, with its
// caption, under its children. TSkDlgPanelWnd takes over a panel window
// inside a standard dialog: the frame and background from the skin, the
// panel's own content inside a margin of 6 pixels.

#include "skin/adapters/SkMainWnd.h"
#include "toolkit/controls/Panel.h"

class TPanel;

// The section of a panel of those bevels and border.
const char* PanelSectionOf(TPanelBevel outer, TPanelBevel inner, TBorderStyle border);

class TSkPanelWnd : public TSkMainWnd {
public:
  // The section follows the owner panel's bevels, whatever the creator gave.
  void Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager, const std::string& section,
              bool repaint) override;
  void AdapterWndProc(TMessage& message) override;
  virtual void PrepareCache();

private:
  TPanel* Owner() const;
  // True when handled.
  bool SkinCommand(TMessage& message);
  void PaintClient(HDC given);
  void PaintBorder(HDC given);
};

class TSkDlgPanelWnd : public TSkMainWnd {
public:
  // FoundCtrl is looked up, and the section follows its class.
  void Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager, const std::string& section,
              bool repaint) override;
  void AdapterWndProc(TMessage& message) override;
  void ApplySkinLook() override;
  virtual void PrepareCache();

  // The toolkit control owning the window; null when there is none. Not owned.
  TControl* FoundCtrl = nullptr;

private:
  void TakeGlobalColor();
  int BorderSize() const;
  void PaintClient(HDC given);
  void PaintBorder(HDC given);
};
