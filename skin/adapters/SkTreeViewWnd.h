#pragma once
// The tree adapters. TSkTreeViewWnd: the edit adapter's frame and bars,
// and the background in the section's hot colour (a tree that erases
// itself through its own OnAdvancedCustomDraw keeps doing so).
// TSkDataTreeViewWnd: the data tree, whose header lies in its non-client
// area and whose colours and header events are reached by name; it paints
// the header cells from the skin through the header's owner-draw events
// wherever the application does not handle them itself.

#include "skin/adapters/SkEditWnd.h"
#include "toolkit/controls/HeaderPaintInfo.h"

class TDTHeader;

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

class TSkDataTreeViewWnd : public TSkEditWnd {
public:
  void StoreStdLook() override;
  void RestoreStdLook() override;
  void ApplySkinLook() override;
  void AdapterWndProc(TMessage& message) override;

  // The handlers the adapter gives the header's owner-draw events.
  static void PaintHeaderCell(TObject* self, TDTHeader* sender, THeaderPaintInfo& info,
                              THeaderPaintElements elements);
  static void QueryHeaderElements(TObject* self, TDTHeader* sender, THeaderPaintInfo& info,
                                  THeaderPaintElements& elements);

  TColor StdCompressedTextColor = 0;
  TColor StdFileTextColor = 0;
  TColor StdFolderTextColor = 0;
  bool StdHeaderOwnerDraw = false;

private:
  TObject* Header() const;
  void SetTextColors(TColor compressed, TColor file, TColor folder);
  void TakeHeaderEvents();
  void GiveHeaderEventsBack();
  void PaintCell(THeaderPaintInfo& info, THeaderPaintElements elements);
  void PaintNonClient();
  void Print(HDC dc);
  void FollowTrackedThumb(const TMessage& message);
};
