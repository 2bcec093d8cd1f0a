#include "tools/SkinSectionsPage.h"

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "skin/GeneralRoutines.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"

namespace {

constexpr int NameWidth = 110;
constexpr int CellWidth = 120;
constexpr int CellHeight = 30;
constexpr int RowHeight = 36;
constexpr int ColumnWidth = NameWidth + 3 * (CellWidth + 6) + 16;
constexpr int Columns = 2;
constexpr int HeaderHeight = 24;


void PaintPage(TBitmap& page, TSkinManager& manager) {
  TCanvas& canvas = page.Canvas();
  canvas.Font().SetName("DejaVu Sans");
  canvas.Font().SetHeight(-11);
  canvas.Brush().SetStyle(bsClear);
  const char* states[3] = {"normal", "hot", "pressed"};
  for (int column = 0; column < Columns; ++column)
    for (int state = 0; state < 3; ++state)
      TextRectStr(canvas, Bounds(column * ColumnWidth + NameWidth + state * (CellWidth + 6), 4, CellWidth, 16),
                  column * ColumnWidth + NameWidth + state * (CellWidth + 6) + 2, 4, states[state]);
  const TBackdropRef behind = MakeBackdropRef(&page, 0, 0);
  const int perColumn = (manager.SectionCount() + Columns - 1) / Columns;
  for (int index = 0; index < manager.SectionCount(); ++index) {
    const std::string& name = manager.Section(index).SectionName;
    const int left = index / perColumn * ColumnWidth + 8;
    const int top = HeaderHeight + index % perColumn * RowHeight;
    canvas.Font().SetColor(0);
    canvas.Brush().SetStyle(bsClear);
    TRect label = Bounds(left, top, NameWidth - 10, CellHeight);
    DrawTextStr(canvas.Handle(), FitText(canvas, name, NameWidth - 10), label, DT_SINGLELINE | DT_VCENTER);
    for (int state = 0; state < 3; ++state) {
      const TRect cell = Bounds(left + NameWidth - 8 + state * (CellWidth + 6), top, CellWidth, CellHeight);
      PaintSection(index, name, behind, true, state, cell, cell.TopLeft(), &page, &manager);
      WriteSectionText(canvas, name.c_str(), true, cell, DT_SINGLELINE | DT_VCENTER | DT_CENTER, index, state != 0,
                       &manager);
    }
  }
}

// The form owns the folder, the manager and the picture through this box.
class TSectionsBox : public TPaintBox {
public:
  explicit TSectionsBox(TComponent* owner) : TPaintBox(owner), manager_(nullptr) {
    manager_.SetSkinDirectory(folder_.Path());
    manager_.SetSkinName("TestSkin");
    manager_.LoadSkin();
    const int perColumn = (manager_.SectionCount() + Columns - 1) / Columns;
    page_ = CheckedPicture(Columns * ColumnWidth, HeaderHeight + perColumn * RowHeight + 8);
    PaintPage(*page_, manager_);
    OnPaint = [this](TObject*) { Canvas().Draw(0, 0, *page_); };
  }
  int PageWidth() const { return page_->Width(); }
  int PageHeight() const { return page_->Height(); }

private:
  TTestSkinFolder folder_;
  TSkinManager manager_;
  std::unique_ptr<TBitmap> page_;
};

}  // namespace

std::unique_ptr<TBitmap> CheckedPicture(int width, int height) {
  auto bmp = NewBitmap24(width, height);
  TCanvas& canvas = bmp->Canvas();
  for (int y = 0; y < height; y += 8)
    for (int x = 0; x < width; x += 8) {
      canvas.Brush().SetColor((x / 8 + y / 8) % 2 ? RGB(214, 220, 228) : RGB(244, 246, 250));
      canvas.FillRect(Bounds(x, y, 8, 8));
    }
  return bmp;
}

TForm* CreateSectionsPage() {
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Skin demo: the test skin's sections in states 0, 1 and 2");
  auto* box = new TSectionsBox(form);
  box->SetAlign(alClient);
  box->SetParent(form);
  form->SetBounds(20, 20, box->PageWidth(), box->PageHeight());
  form->SetClientSize(box->PageWidth(), box->PageHeight());
  return form;
}
