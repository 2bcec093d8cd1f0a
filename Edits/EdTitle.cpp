#include "Edits/EdTitle.h"

#include <algorithm>

#include "graphics/RGBColor.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/controls/Panel.h"

namespace {

// The text keeps this much room at either side.
constexpr int TextMargin = 8;

}  // namespace

TEdTitle::TEdTitle(TComponent* owner) : TEdRow(owner, "EdTitle", rtTitle, 417, 22) {
  paintBox_ = new TPaintBox(this);
  paintBox_->SetParent(&Panel());
  paintBox_->SetAlign(alClient);
  paintBox_->Font().SetName("Verdana");
  paintBox_->OnPaint = [this](TObject*) { PaintBoxPaint(); };
}

void TEdTitle::SetTitle(const std::string& text, int kind) {
  titleText_ = text;
  TFont& font = paintBox_->Font();
  font.SetSize(10);
  font.SetColor(clWhite);
  font.SetStyle(fsBold);
  Shadow = true;
  switch (kind) {
    case 1:
      Colour = RGB(166, 202, 240);
      EndColour = AdjustColor(Colour, 0.8f, 1.0f);
      Centred = true;
      break;
    case 2:
      Colour = RGB(192, 220, 192);
      EndColour = AdjustColor(Colour, 0.8f, 1.0f);
      Centred = true;
      break;
    default:
      Colour = RGB(255, 200, 64);
      EndColour = AdjustColor(Colour, 0.5f, 1.0f);
      Centred = false;
      break;
  }
  paintBox_->Invalidate();
}

void TEdTitle::PaintBoxPaint() {
  TCanvas& canvas = paintBox_->Canvas();
  const TRect area = paintBox_->ClientRect();
  FillGradient(canvas, area, Colour, EndColour, EndColour, Colour);
  const std::string text = FitLabel(titleText_, area.Width() - 2 * TextMargin, canvas.Font());
  const TSize extent = canvas.TextExtent(text);
  const int y = (area.Height() - extent.cy) / 2;
  const int x = std::max(Centred ? (area.Width() - extent.cx) / 2 : TextMargin, TextMargin);
  canvas.Brush().SetStyle(bsClear);
  if (Shadow) {
    const TColor colour = canvas.Font().Color();
    canvas.Font().SetColor(clBlack);
    canvas.TextOut(x + 1, y + 1, text);
    canvas.Font().SetColor(colour);
  }
  canvas.TextOut(x, y, text);
}
