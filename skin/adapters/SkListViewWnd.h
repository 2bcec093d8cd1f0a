#pragma once
// The list view adapter: the edit adapter's frame and bars, the list's
// colours from the section, the column headers painted from the skin
// (its "SysHeader32" child taken over by a procedure of its own), and the
// emulated thumb scrolling the list by rows, columns or pixels.

#include <string>

#include "skin/adapters/SkEditWnd.h"

class TBitmap;

class TSkListViewWnd : public TSkEditWnd {
public:
  void Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager, const std::string& section,
              bool repaint) override;
  void StoreStdLook() override;
  void RestoreStdLook() override;
  void ApplySkinLook() override;
  void AdapterWndProc(TMessage& message) override;

  HWND HeaderHandle = nullptr;
  // Lives as long as the adapter: a header taken over after the skin was
  // removed and applied again still calls it.
  WNDPROC HeaderStub = nullptr;
  WNDPROC HeaderPrevProc = nullptr;
  int PressedColumn = -1;

protected:
  ~TSkListViewWnd() override;

private:
  enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
  TViewStyle ViewStyle() const;
  void TakeHeaderOver(HWND header);
  void GiveHeaderBack();
  void HeaderProcedure(TMessage& message);
  void PassToHeader(TMessage& message);
  void PaintHeader(HDC dc);
  void PaintHeaderItem(HDC dc, int item, const TRect& rect);
  void PaintSortGlyph(TBitmap& bmp, int format, int state, const TRect& textRect);
  bool ScrollByThumb(TMessage& message);
  void PrintHeader(HDC dc);
  void AfterMessage(const TMessage& message);
};

// Where a column title goes in its text rectangle: its width (text extent
// + 5) and a sort glyph's room beside it, aligned by the format's
// HDF_RIGHT or HDF_CENTER (else left). Answers the title's rectangle; the
// glyph starts 6 pixels right of it.
TRect PlaceColumnTitle(const TRect& textRect, int textWidth, int glyphRoom, int format);
