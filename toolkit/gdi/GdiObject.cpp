#include "toolkit/gdi/GdiObject.h"

#include <array>

#include "toolkit/gdi/GdiBitmap.h"

namespace {

// Hands a new object out as a handle holding one reference.
template <class T>
T* AsHandle(T* object) {
  object->AddRef();
  return object;
}

template <class T>
T* Stock(T* object) {
  object->MakeStock();
  return object;
}

TLogFont StockFont(int height, int weight) {
  TLogFont font;
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfFaceName = "Tahoma";
  return font;
}

}  // namespace

void TGdiObject::MakeStock() {
  if (stock_) return;
  stock_ = true;
  AddRef();
}

bool DeleteObject(HGDIOBJ object) {
  if (!object) return false;
  if (!object->IsStock()) object->Release();
  return true;
}

int GetObjectType(HGDIOBJ object) { return object ? object->ObjectType() : 0; }

TGdiBrush::TGdiBrush(int style, TColor color, int hatch, CountedPtr<TGdiBitmap> pattern)
    : Style(style), Color(ColorToRGB(color)), Hatch(hatch), Pattern(std::move(pattern)) {}

HPEN CreatePen(int style, int width, TColor color) {
  return AsHandle(new TGdiPen(style, width, ColorToRGB(color)));
}

HBRUSH CreateSolidBrush(TColor color) { return AsHandle(new TGdiBrush(BS_SOLID, color)); }

HBRUSH CreateHatchBrush(int hatch, TColor color) {
  return AsHandle(new TGdiBrush(BS_HATCHED, color, hatch));
}

HBRUSH CreatePatternBrush(TGdiBitmap* bitmap) {
  if (!bitmap || bitmap->IsEmpty()) return nullptr;
  return AsHandle(new TGdiBrush(BS_PATTERN, clBlack, 0, CountedPtr<TGdiBitmap>(bitmap->Clone().release())));
}

HBRUSH GetSysColorBrush(int index) {
  static std::array<HBRUSH, 31> brushes{};
  if (index < 0 || index >= int(brushes.size())) return nullptr;
  if (!brushes[index]) brushes[index] = Stock(new TGdiBrush(BS_SOLID, GetSysColor(index)));
  return brushes[index];
}

HFONT CreateFontIndirect(const TLogFont& logFont) { return AsHandle(new TGdiFont(logFont)); }

HGDIOBJ GetStockObject(int index) {
  static const std::array<HGDIOBJ, 18> objects = {
      Stock(new TGdiBrush(BS_SOLID, clWhite)),
      Stock(new TGdiBrush(BS_SOLID, RGB(192, 192, 192))),
      Stock(new TGdiBrush(BS_SOLID, RGB(128, 128, 128))),
      Stock(new TGdiBrush(BS_SOLID, RGB(64, 64, 64))),
      Stock(new TGdiBrush(BS_SOLID, clBlack)),
      Stock(new TGdiBrush(BS_NULL, clBlack)),
      Stock(new TGdiPen(PS_SOLID, 0, clWhite)),
      Stock(new TGdiPen(PS_SOLID, 0, clBlack)),
      Stock(new TGdiPen(PS_NULL, 0, clBlack)),
      nullptr, nullptr, nullptr, nullptr,
      Stock(new TGdiFont(StockFont(16, FW_BOLD))),
      nullptr, nullptr, nullptr,
      Stock(new TGdiFont(StockFont(-11, FW_NORMAL))),
  };
  return index >= 0 && index < int(objects.size()) ? objects[index] : nullptr;
}
