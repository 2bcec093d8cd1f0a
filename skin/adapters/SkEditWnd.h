#pragma once
// The edit family's adapters. TSkBaseWnd keeps the emulated scroll bars of
// a window whose client area scrolls in step with it; TSkEditWnd skins
// edit-like windows (edits, memos, list boxes, combo lists) and is the base
// of the list view, grid, tree and combo box adapters: the frame copied
// from the section's cache, the emulated bars, and client colours that
// follow the section. A toolkit control gets its Color and Font.Color set;
// a raw window gets WndColor and PenColor for its painters.

#include "skin/adapters/SkScrollWnd.h"

struct TSkinGeneralData;

class TSkBaseWnd : public TSkScrollWnd {
public:
  void AdapterWndProc(TMessage& message) override;
};

class TSkEditWnd : public TSkBaseWnd {
public:
  // As TSkMainWnd's, but a null handle makes nothing, the window text is
  // not read and a list view host is not made opaque.
  void Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager, const std::string& section,
              bool repaint) override;
  void StoreStdLook() override;
  void RestoreStdLook() override;
  void ApplySkinLook() override;
  void AdapterWndProc(TMessage& message) override;

  // The client colour of a window without a toolkit control, and its frame pen.
  TColor WndColor = clWindow;
  TColor PenColor = 0;

protected:
  // Whether creating turns the window's visual styles off (a combo's list
  // made without repaint keeps them).
  virtual bool TurnsVisualStylesOff(bool repaint) const { return (void)repaint, true; }
  // ApplySkinLook when it has not run since creation.
  void ApplySkinLookOnce();
  // The section's values; SkinData's section must be valid.
  const TSkinGeneralData& SectionValues() const;
  // The client area's rectangle in a DC whose origin is the window's
  // corner: inside the frame, less the bars shown.
  TRect ClientInPrint() const;
  // Copies the frame from the cache and paints the bars into dc (the
  // window DC when null).
  void PaintFrame(HDC dc);
  // Reads the window's geometry and brings the cache up to date for a
  // frame paint; false while painting is suspended.
  bool ReadyToPaintNonClient();

private:
  // The steps of AdapterWndProc; true when the message is done.
  bool HandleSkinCommandOfEdit(TMessage& message);
  bool HandleWindowMessage(TMessage& message);
  void PaintNonClient();
  void Print(HDC dc);
  void AfterMessage(const TMessage& message);
  bool IsSkinChangeFromOwnManager(const TMessage& message) const;
};
