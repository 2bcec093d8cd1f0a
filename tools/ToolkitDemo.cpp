// A small form with a control that paints itself, to see the toolkit on a
// desktop: a curve over a gradient, with a scroll bar that changes its
// frequency (so does the mouse wheel). With --screenshot FILE the demo saves
// a picture of itself and ends.

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/CustomControl.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/win/ScrollBar.h"
#include "tools/DemoRun.h"

namespace {

TTriVertex Vertex(int x, int y, TColor color) {
  TTriVertex vertex;
  vertex.x = x;
  vertex.y = y;
  vertex.Red = static_cast<std::uint16_t>(GetRValue(color) << 8);
  vertex.Green = static_cast<std::uint16_t>(GetGValue(color) << 8);
  vertex.Blue = static_cast<std::uint16_t>(GetBValue(color) << 8);
  return vertex;
}

class TCurveView : public TCustomControl {
public:
  explicit TCurveView(TComponent* owner) : TCustomControl(owner) {
    OnMouseWheel = [this](TObject*, TShiftState, int delta, TPoint, bool& handled) {
      SetFrequency(frequency_ + (delta > 0 ? 1 : -1));
      handled = true;
    };
  }

protected:
  void CreateParams(TCreateParams& params) override {
    TCustomControl::CreateParams(params);
    params.Style |= WS_VSCROLL;
    params.ExStyle |= WS_EX_CLIENTEDGE;
  }

  void CreateWnd() override {
    TCustomControl::CreateWnd();
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = 12;
    info.nPage = 1;
    info.nPos = frequency_;
    SetScrollInfo(Handle(), SB_VERT, info, true);
  }

  void Paint() override {
    const TRect client = ClientRect();
    const HDC dc = Canvas().Handle();
    const TTriVertex corners[2] = {Vertex(0, 0, RGB(232, 240, 255)), Vertex(client.Right, client.Bottom, RGB(255, 248, 225))};
    const TGradientRect band{0, 1};
    GradientFill(dc, corners, 2, &band, 1, GRADIENT_FILL_RECT_V);

    const int middle = client.Height() / 2;
    Canvas().Pen().SetColor(clGray);
    Canvas().MoveTo(0, middle);
    Canvas().LineTo(client.Width(), middle);

    std::vector<TPoint> curve;
    for (int x = 0; x < client.Width(); ++x) {
      const double phase = 2 * std::numbers::pi * frequency_ * x / std::max(client.Width(), 1);
      curve.push_back({x, middle - static_cast<int>(std::lround(std::sin(phase) * (middle - 20)))});
    }
    Canvas().Pen().SetColor(RGB(0, 90, 200));
    Canvas().Pen().SetWidth(2);
    Canvas().Polyline(curve);
    Canvas().Pen().SetWidth(1);

    Canvas().Brush().SetColor(RGB(255, 200, 40));
    Canvas().Ellipse(client.Width() - 46, 10, client.Width() - 10, 46);
    Canvas().Brush().SetStyle(bsClear);
    Canvas().Font().SetName("DejaVu Sans");
    Canvas().Font().SetHeight(-14);
    Canvas().Font().SetColor(clBlack);
    Canvas().TextOut(10, 10, "sin(" + std::to_string(frequency_) + " x)");
    Canvas().Brush().SetStyle(bsSolid);
  }

  void Dispatch(TMessage& message) override {
    if (message.Msg != WM_VSCROLL) {
      TCustomControl::Dispatch(message);
      return;
    }
    switch (LOWORD(message.WParam)) {
      case SB_LINEUP:
      case SB_PAGEUP: SetFrequency(frequency_ - 1); break;
      case SB_LINEDOWN:
      case SB_PAGEDOWN: SetFrequency(frequency_ + 1); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: SetFrequency(static_cast<int16_t>(HIWORD(message.WParam))); break;
      default: break;
    }
  }

private:
  void SetFrequency(int frequency) {
    frequency_ = std::clamp(frequency, 1, 12);
    SetScrollPos(Handle(), SB_VERT, frequency_, true);
    Invalidate();
  }

  int frequency_ = 3;
};

}  // namespace

int main(int argc, char** argv) {
  StartQtPlatform(argc, argv);
  Application().SetTitle("Toolkit demo");
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Toolkit demo");
  form->SetBounds(60, 60, 480, 320);
  auto* view = new TCurveView(form);
  view->SetAlign(alClient);
  view->SetParent(form);
  return RunDemo(argc, argv, form);
}
