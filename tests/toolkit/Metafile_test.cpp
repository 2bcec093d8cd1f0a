// Metafiles drawn through a metafile canvas: a scene of every kind of call
// the renderers make, played back by a reader, gives the pixels of the
// same scene drawn on a bitmap; the files have the structure readers
// expect; WMF's 16-bit limits; files and the clipboard.

#include "toolkit/gdi/Metafile.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <vector>

#include "runtime/Exceptions.h"
#include "tests/runtime/TempFolder.h"
#include "tests/toolkit/MetafileReplay.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/MetafileCanvas.h"

namespace {

using TBytes = std::vector<std::uint8_t>;
using TDrawing = std::function<void(TCanvas&)>;

constexpr int Width = 641, Height = 481;

TTriVertex Vertex(int x, int y, TColor c) {
  return {x, y, std::uint16_t(GetRValue(c) << 8), std::uint16_t(GetGValue(c) << 8), std::uint16_t(GetBValue(c) << 8), 0};
}

void UseFont(TCanvas& c, int orientation = 0) {
  c.Font().SetName("Courier New");
  c.Font().SetHeight(-13);
  c.Font().SetColor(clBlack);
  c.Font().SetOrientation(orientation);
}

// Every kind of drawing call of the renderers, with the state they change.
void DrawScene(TCanvas& c) {
  UseFont(c);
  c.Pen().SetColor(clNavy);
  c.Brush().SetColor(clYellow);
  c.Rectangle(10, 10, 110, 60);
  c.Pen().SetStyle(psDot);
  c.Brush().SetColor(clAqua);
  c.MoveTo(10, 70);
  c.LineTo(300, 95);
  c.Brush().SetStyle(bsClear);
  c.MoveTo(10, 80);
  c.LineTo(300, 105);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(3);
  c.Pen().SetColor(clRed);
  c.Brush().SetStyle(bsDiagCross);
  c.Brush().SetColor(clGreen);
  c.Ellipse(120, 10, 220, 70);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clFuchsia);
  const TPoint star[] = {{250, 10}, {270, 60}, {230, 30}, {290, 30}, {240, 60}};
  c.Polygon(star);
  const TPoint zigzag[] = {{320, 10}, {340, 60}, {360, 10}, {380, 60}, {400, 12}};
  c.Polyline(zigzag);
  c.Pen().SetWidth(1);
  c.Pen().SetColor(clBlack);

  c.Brush().SetColor(clSilver);
  c.TextOut(10, 120, "Opaque text, x = -3.5");
  c.Brush().SetStyle(bsClear);
  c.TextOut(10, 140, "Clear text (y)");
  UseFont(c, 900);
  c.TextOut(600, 300, "Rotated caption");
  UseFont(c);

  HDC dc = c.Handle();
  IntersectClipRect(dc, 40, 170, 140, 220);
  ExcludeClipRect(dc, 80, 180, 100, 200);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clTeal);
  c.Ellipse(20, 160, 160, 240);
  SelectClipRgn(dc, nullptr);
  const int saved = SaveDC(dc);
  c.Pen().SetColor(clMaroon);
  c.Rectangle(180, 160, 260, 240);
  RestoreDC(dc, saved);
  c.Rectangle(270, 160, 350, 240);

  const TTriVertex bar[2] = {Vertex(10, 260, clRed), Vertex(110, 300, clBlue)};
  const TGradientRect rect{0, 1};
  GradientFill(dc, bar, 2, &rect, 1, GRADIENT_FILL_RECT_H);
  const TTriVertex column[2] = {Vertex(120, 260, clWhite), Vertex(150, 330, clGreen)};
  GradientFill(dc, column, 2, &rect, 1, GRADIENT_FILL_RECT_V);
  const TTriVertex corners[4] = {Vertex(170, 260, clRed), Vertex(290, 270, clLime), Vertex(280, 380, clBlue),
                                 Vertex(180, 360, clYellow)};
  const TGradientTriangle halves[2] = {{0, 1, 2}, {0, 2, 3}};
  IntersectClipRect(dc, 0, 0, 260, 480);
  GradientFill(dc, corners, 4, halves, 2, GRADIENT_FILL_TRIANGLE);
  SelectClipRgn(dc, nullptr);
}

TBytes Record(bool enhanced, const TDrawing& draw, int width = Width, int height = Height) {
  TMetafile metafile;
  metafile.SetWidth(width);
  metafile.SetHeight(height);
  metafile.SetEnhanced(enhanced);
  {
    TMetafileCanvas canvas(metafile);
    draw(canvas);
  }
  return metafile.Bytes();
}

void FillWhite(TBitmap& bitmap) {
  bitmap.Canvas().Brush().SetColor(clWhite);
  bitmap.Canvas().FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

// Where two pictures differ: how many pixels, and the first of them.
std::string Differences(const TBitmap& a, const TBitmap& b) {
  int count = 0;
  std::string first;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Handle()->Pixel(x, y) != b.Handle()->Pixel(x, y) && count++ == 0)
        first = " first at " + std::to_string(x) + "," + std::to_string(y);
  return std::to_string(count) + " pixels differ" + first;
}

class MetafileTest : public testing::TestWithParam<bool> {
protected:
  bool Enhanced() const { return GetParam(); }
};

TEST_P(MetafileTest, APlayedRecordingGivesThePixelsOfTheDirectDrawing) {
  TBitmap direct(Width, Height, pf32bit);
  FillWhite(direct);
  DrawScene(direct.Canvas());
  TBitmap played(Width, Height, pf32bit);
  PlayOnWhite(Record(Enhanced(), DrawScene), played);
  EXPECT_EQ("0 pixels differ", Differences(direct, played));
}

TEST_P(MetafileTest, TheFileHasTheStructureReadersExpect) {
  const TBytes bytes = Record(Enhanced(), DrawScene);
  if (Enhanced()) {
    const TRecordWalk walk = WalkEmf(bytes);
    ASSERT_EQ("", walk.Error);
    EXPECT_EQ(1u, Word32At(bytes, 0));
    EXPECT_EQ(0x464D4520u, Word32At(bytes, 40)) << "\" EMF\"";
    EXPECT_EQ(bytes.size(), Word32At(bytes, 48));
    EXPECT_EQ(walk.Records.size(), Word32At(bytes, 52));
    EXPECT_EQ(14u, walk.Records.back().Type);
    EXPECT_EQ(bytes.size(), walk.Records.back().Offset + walk.Records.back().Size);
    const std::uint32_t bounds[4] = {0, 0, 640, 480};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(bounds[i], Word32At(bytes, 8 + 4 * std::size_t(i)));
    std::uint32_t handles = 0;
    for (const TMetafileRecord& r : walk.Records)
      if (r.Type == 38 || r.Type == 39 || r.Type == 82) handles = std::max(handles, Word32At(bytes, r.Offset + 8) + 1);
    EXPECT_EQ(handles, Word16At(bytes, 56));
  } else {
    EXPECT_EQ(0x9AC6CDD7u, Word32At(bytes, 0));
    const int box[4] = {0, 0, 641, 481};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(box[i], Word16At(bytes, 6 + 2 * std::size_t(i)));
    EXPECT_EQ(96, Word16At(bytes, 14));
    std::uint16_t checksum = 0;
    for (std::size_t at = 0; at < 20; at += 2) checksum ^= Word16At(bytes, at);
    EXPECT_EQ(checksum, Word16At(bytes, 20));
    const TRecordWalk walk = WalkWmf(bytes);
    ASSERT_EQ("", walk.Error);
    EXPECT_EQ((bytes.size() - 22) / 2, Word32At(bytes, 22 + 6)) << "size in words";
    std::size_t largest = 0;
    for (const TMetafileRecord& r : walk.Records) largest = std::max(largest, r.Size / 2);
    EXPECT_EQ(largest, Word32At(bytes, 22 + 12));
    EXPECT_EQ(0u, walk.Records.back().Type);
    EXPECT_EQ(6u, walk.Records.back().Size) << "three words";
    EXPECT_EQ(bytes.size(), walk.Records.back().Offset + walk.Records.back().Size);
  }
}

// Objects no state of the reader holds are deleted at once: a thousand
// colours keep the handle table small.
TEST_P(MetafileTest, ObjectsAreDeletedWhenNoLongerHeld) {
  const TBytes bytes = Record(Enhanced(), [](TCanvas& c) {
    for (int k = 0; k < 1000; ++k) {
      c.Brush().SetColor(RGB(k % 256, k / 4, 0));
      c.Rectangle(k % 600, 10, k % 600 + 20, 30);
    }
  });
  const std::size_t handles = Enhanced() ? Word16At(bytes, 56) : Word16At(bytes, 22 + 10);
  EXPECT_LE(handles, 4u);
  TBitmap played(Width, Height, pf32bit);
  PlayOnWhite(bytes, played);
  EXPECT_EQ(RGB(999 % 256, 999 / 4, 0), played.Handle()->Pixel(405, 20)) << "the last rectangle, at 399";
}

TEST_P(MetafileTest, SavingReplacesTheFileOrRaisesCannotCreateFile) {
  TempFolder folder;
  TMetafile metafile;
  metafile.SetWidth(100);
  metafile.SetHeight(50);
  metafile.SetEnhanced(Enhanced());
  { TMetafileCanvas canvas(metafile); canvas.Rectangle(1, 1, 20, 20); }
  metafile.SaveToFile(folder / "x.emf");
  const std::string written = ReadFileText(folder / "x.emf");
  EXPECT_EQ(std::string(metafile.Bytes().begin(), metafile.Bytes().end()), written);
  try {
    metafile.SaveToFile(folder / "missing/x.emf");
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& error) {
    EXPECT_EQ(0u, std::string(error.what()).find("Cannot create file \"" + folder / "missing/x.emf" + "\""));
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

INSTANTIATE_TEST_SUITE_P(Formats, MetafileTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Emf" : "Wmf"; });

std::vector<TMetafileRecord> RecordsOf(const TBytes& bytes, std::uint32_t type, bool enhanced) {
  std::vector<TMetafileRecord> found;
  for (const TMetafileRecord& r : (enhanced ? WalkEmf(bytes) : WalkWmf(bytes)).Records)
    if (r.Type == type) found.push_back(r);
  return found;
}

// A line far beyond 16 bits is cut at the edge of the range, not clamped
// there, so it keeps its direction across the picture.
TEST(WmfLimits, LinesBeyondSixteenBitsKeepTheirDirection) {
  const TDrawing draw = [](TCanvas& c) {
    c.MoveTo(-1000000, -9750);
    c.LineTo(1000000, 10250);
  };
  const TBytes bytes = Record(false, draw);
  for (const TMetafileRecord& r : RecordsOf(bytes, 0x0213, false)) {
    const int y = std::int16_t(Word16At(bytes, r.Offset + 6)), x = std::int16_t(Word16At(bytes, r.Offset + 8));
    EXPECT_EQ(32767, x);
    EXPECT_NEAR(250 + 32767 * 0.01, y, 1);
  }
  TBitmap played(Width, Height, pf32bit);
  PlayOnWhite(bytes, played);
  for (int x : {0, 320, 640}) {
    const int y = 250 + x / 100;
    EXPECT_TRUE(played.Handle()->Pixel(x, y - 1) == clBlack || played.Handle()->Pixel(x, y) == clBlack ||
                played.Handle()->Pixel(x, y + 1) == clBlack)
        << x;
  }
}

TEST(WmfLimits, PolylinesOverARecordsPointsAreSplitWithoutAGap) {
  std::vector<TPoint> points;
  for (int k = 0; k < 70000; ++k) points.push_back({k % 2 ? 20 : 10, 10 + k / 200});
  const TBytes bytes = Record(false, [&](TCanvas& c) { c.Polyline(points); });
  const std::vector<TMetafileRecord> polylines = RecordsOf(bytes, 0x0325, false);
  ASSERT_EQ(3u, polylines.size());
  int total = 0;
  for (const TMetafileRecord& r : polylines) total += Word16At(bytes, r.Offset + 6);
  EXPECT_EQ(70000 + 2, total) << "each piece starts where the one before ended";
  TBitmap direct(Width, Height, pf32bit), played(Width, Height, pf32bit);
  FillWhite(direct);
  direct.Canvas().Polyline(points);
  PlayOnWhite(bytes, played);
  EXPECT_EQ("0 pixels differ", Differences(direct, played));
}

// Text: UTF-16 in an EMF, Windows-1252 in a WMF with "?" for what it lacks.
TEST(MetafileText, CharactersAndTheirAdvances) {
  const TDrawing draw = [](TCanvas& c) {
    UseFont(c);
    c.TextOut(5, 5, "é€\xE2\x88\x92" "1");  // e-acute, euro, minus sign, one
  };
  const TBytes wmf = Record(false, draw);
  const std::vector<TMetafileRecord> texts = RecordsOf(wmf, 0x0A32, false);
  ASSERT_EQ(1u, texts.size());
  const std::size_t p = texts[0].Offset + 6;
  ASSERT_EQ(4, Word16At(wmf, p + 4));
  EXPECT_EQ(std::string("\xE9\x80?1"), std::string(wmf.begin() + std::ptrdiff_t(p + 8), wmf.begin() + std::ptrdiff_t(p + 12)));
  TBitmap measure(1, 1);
  UseFont(measure.Canvas());
  const char* characters[] = {"é", "€", "\xE2\x88\x92", "1"};
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_EQ(measure.Canvas().TextWidth(characters[i]), Word16At(wmf, p + 12 + 2 * i)) << "advance " << i;

  const TBytes emf = Record(true, draw);
  const std::vector<TMetafileRecord> wide = RecordsOf(emf, 84, true);
  ASSERT_EQ(1u, wide.size());
  const std::size_t text = wide[0].Offset + 36;
  ASSERT_EQ(4u, Word32At(emf, text + 8));
  const std::size_t string = wide[0].Offset + Word32At(emf, text + 12);
  EXPECT_EQ(0x2212, Word16At(emf, string + 4));
}

// A gradient, which WMF has no record for, becomes rows of the raster's pixels.
TEST(MetafileGradients, WmfRowsAndEmfRecords) {
  const TDrawing draw = [](TCanvas& c) {
    const TTriVertex corners[3] = {Vertex(10, 10, clRed), Vertex(60, 10, clLime), Vertex(10, 40, clBlue)};
    const TGradientTriangle triangle{0, 1, 2};
    GradientFill(c.Handle(), corners, 3, &triangle, 1, GRADIENT_FILL_TRIANGLE);
  };
  EXPECT_EQ(31u, RecordsOf(Record(false, draw), 0x0F43, false).size());
  EXPECT_EQ(1u, RecordsOf(Record(true, draw), 118, true).size());
}

// A copy's metafile travels as the file's bytes; the desktop sees it as an
// image file beside the bitmap of the same copy.
TEST(MetafileClipboard, TheDesktopOffersTheMetafileAsImageFilesBesideTheBitmap) {
  const TBytes emf = Record(true, DrawScene, 100, 80);
  TBitmap bitmap(100, 80, pf24bit);
  ASSERT_TRUE(Clipboard().Open());
  Clipboard().SetData(CF_ENHMETAFILE, emf);
  Clipboard().SetImage(*bitmap.Handle());
  Clipboard().Close();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_TRUE(data);
  EXPECT_TRUE(data->hasFormat("image/x-emf"));
  EXPECT_TRUE(data->hasFormat("image/emf"));
  EXPECT_TRUE(data->hasImage());
  EXPECT_TRUE(Clipboard().HasFormat(CF_ENHMETAFILE));
  EXPECT_FALSE(Clipboard().HasFormat(CF_METAFILEPICT));
  EXPECT_EQ(emf, Clipboard().Data(CF_ENHMETAFILE));

  const TBytes wmf = Record(false, DrawScene, 100, 80);
  Clipboard().SetData(CF_METAFILEPICT, wmf);
  data = QGuiApplication::clipboard()->mimeData();
  EXPECT_TRUE(data->hasFormat("image/x-wmf") && data->hasFormat("image/wmf"));
  EXPECT_FALSE(data->hasFormat("image/x-emf"));
  EXPECT_EQ(wmf, Clipboard().Data(CF_METAFILEPICT));
}

}  // namespace
