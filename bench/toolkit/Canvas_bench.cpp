// Drawing through the canvas on a full-HD 32-bit bitmap: rectangles, lines
// and text runs, alone and together.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;

// The same positions and colours on every run.
class TSequence {
public:
  int Next(int range) {
    state_ = state_ * 134775813u + 1u;
    return int((state_ >> 8) % std::uint32_t(range));
  }

private:
  std::uint32_t state_ = 12345;
};

void DrawRectangles(TCanvas& canvas, TSequence& sequence, int count) {
  for (int i = 0; i < count; ++i) {
    const int x = sequence.Next(Width - 200);
    const int y = sequence.Next(Height - 100);
    canvas.Brush().SetColor(TColor(sequence.Next(0x1000000)));
    canvas.Rectangle(x, y, x + 10 + sequence.Next(190), y + 10 + sequence.Next(90));
  }
}

void DrawLines(TCanvas& canvas, TSequence& sequence, int count) {
  for (int i = 0; i < count; ++i) {
    canvas.Pen().SetColor(TColor(sequence.Next(0x1000000)));
    canvas.MoveTo(sequence.Next(Width), sequence.Next(Height));
    canvas.LineTo(sequence.Next(Width), sequence.Next(Height));
  }
}

void DrawTexts(TCanvas& canvas, TSequence& sequence, int count) {
  canvas.Font().SetName("Courier New");
  canvas.Font().SetHeight(-13);
  for (int i = 0; i < count; ++i) {
    canvas.Brush().SetColor(TColor(sequence.Next(0x1000000)));
    canvas.TextOut(sequence.Next(Width - 300), sequence.Next(Height - 20), "x := Integrate(Sin, 0, Pi) + 1.5e-3;");
  }
}

void BM_CanvasRectangles(benchmark::State& state) {
  TBitmap bitmap(Width, Height, pf32bit);
  TSequence sequence;
  for (auto _ : state) DrawRectangles(bitmap.Canvas(), sequence, 10000);
}
BENCHMARK(BM_CanvasRectangles)->Unit(benchmark::kMillisecond);

void BM_CanvasLines(benchmark::State& state) {
  TBitmap bitmap(Width, Height, pf32bit);
  TSequence sequence;
  for (auto _ : state) DrawLines(bitmap.Canvas(), sequence, 10000);
}
BENCHMARK(BM_CanvasLines)->Unit(benchmark::kMillisecond);

void BM_CanvasTexts(benchmark::State& state) {
  TBitmap bitmap(Width, Height, pf32bit);
  TSequence sequence;
  for (auto _ : state) DrawTexts(bitmap.Canvas(), sequence, 1000);
}
BENCHMARK(BM_CanvasTexts)->Unit(benchmark::kMillisecond);

// The whole picture: 10,000 rectangles, 10,000 lines and 1,000 text runs.
void BM_CanvasFullPicture(benchmark::State& state) {
  TBitmap bitmap(Width, Height, pf32bit);
  TSequence sequence;
  for (auto _ : state) {
    DrawRectangles(bitmap.Canvas(), sequence, 10000);
    DrawLines(bitmap.Canvas(), sequence, 10000);
    DrawTexts(bitmap.Canvas(), sequence, 1000);
  }
}
BENCHMARK(BM_CanvasFullPicture)->Unit(benchmark::kMillisecond);

}  // namespace
