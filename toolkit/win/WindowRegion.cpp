#include "toolkit/win/WindowRegion.h"

#include "toolkit/win/WindowRecord.h"

int SetWindowRgn(HWND window, HRGN region, bool redraw) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return 0;
  if (region) {
    record->Shape = region->Region;
    DeleteObject(region);
  } else {
    record->Shape.reset();
  }
  // A shaped window shows its parent around its shape: it keeps pixels of its own.
  PlacementChanged(*record, record->Bounds, record->Client, record->Shared);
  if (record->Host) {
    record->Host->SetShape(record->Shape ? &*record->Shape : nullptr);
    if (redraw) record->Host->Present({0, 0, record->Width(), record->Height()});
  }
  return 1;
}

int GetWindowRgn(HWND window, HRGN region) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record || !record->Shape || !region) return RGN_ERROR;
  region->Region = *record->Shape;
  return region->Region.Complexity();
}

bool ShapeContains(const TWindowRecord& record, TPoint windowPoint) {
  return !record.Shape || record.Shape->Contains(windowPoint);
}
