#include "tools/SkinAlphaPage.h"

#include <memory>

#include "runtime/ResourceStream.h"
#include "skin/png/PngGraphic.h"
#include "skin/paint/TextLayout.h"
#include "skin/png/SkinAlphaImageList.h"
#include "tools/SkinSectionsPage.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"

namespace {

constexpr const char* Names[] = {"SF", "SR", "SD", "SE", "SC"};
constexpr int Left = 60;
constexpr int RowHeight = 44;
constexpr int HeaderHeight = 24;
constexpr int PageWidth = 440;
constexpr int PageHeight = HeaderHeight + 5 * RowHeight + 8;

void Caption(TCanvas& canvas, int x, int y, const char* text) {
  TextRectStr(canvas, Bounds(x, y, 140, 16), x, y, text);
}

void PaintPage(TBitmap& page) {
  TCanvas& canvas = page.Canvas();
  canvas.Font().SetName("DejaVu Sans");
  canvas.Font().SetHeight(-11);
  canvas.Brush().SetStyle(bsClear);
  Caption(canvas, Left, 4, "TPNGGraphic, 48 x 16");
  Caption(canvas, Left + 150, 4, "twice the size");
  Caption(canvas, Left + 270, 4, "StockAlphaImages");
  TSkinAlphaImageList& stock = *StockAlphaImages();
  for (int i = 0; i < 5; ++i) {
    const int top = HeaderHeight + i * RowHeight;
    Caption(canvas, 8, top + 8, Names[i]);
    TResourceStream stream(Names[i]);
    TPNGGraphic png;
    png.LoadFromStream(stream);
    canvas.Draw(Left, top + 8, png);
    canvas.StretchDraw(Bounds(Left + 150, top, 96, 32), png);
    stock.Draw(canvas, Left + 270, top + 8, i);
  }
}

// The form keeps the stock list and the picture through this box.
class TAlphaBox : public TPaintBox {
public:
  explicit TAlphaBox(TComponent* owner) : TPaintBox(owner) {
    LoadStockAlphaImages();
    page_ = CheckedPicture(PageWidth, PageHeight);
    PaintPage(*page_);
    OnPaint = [this](TObject*) { Canvas().Draw(0, 0, *page_); };
  }
  ~TAlphaBox() override { FreeStockAlphaImages(); }

private:
  std::unique_ptr<TBitmap> page_;
};

}  // namespace

TForm* CreateAlphaPage() {
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Skin demo: the stock glyph strips with their alpha");
  auto* box = new TAlphaBox(form);
  box->SetAlign(alClient);
  box->SetParent(form);
  form->SetBounds(20, 20, PageWidth, PageHeight);
  return form;
}
