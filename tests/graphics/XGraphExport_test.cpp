// Copying and saving the plot as a bitmap.

#include <fstream>
#include <vector>

#include "runtime/Exceptions.h"
#include "tests/graphics/GraphFixture.h"
#include "tests/graphics/SamplePlots.h"
#include "tests/runtime/TempFolder.h"
#include "toolkit/controls/Clipboard.h"

namespace {

class ExportTest : public GraphTest {
protected:
  ExportTest() {
    desktopClipboard = SetClipboardStore(&store);
    graph.Options.ExportFormat = 0;
    SetUserScale(0, 6, 1, 0, 4, 1);
    line = &SamplePlots::AddSeries(graph, "line", 0);
    line->AddPoint(0, 3);
    line->AddPoint(6, 3);
    bars = &SamplePlots::AddSeries(graph, "bars", 9);
    bars->AddPoint(1, 1);
    bars->AddPoint(2, 1);
    field = static_cast<TXField*>(graph.AddData("field", FieldKind));
    field->SetCount(1);
    field->SetPoint(0, MakePoint3D(4, 2, 0));
    field->SetVector(0, MakePoint3D(1, 0, 0));
  }
  ~ExportTest() override { SetClipboardStore(desktopClipboard); }

  static int CountIn(const TGdiBitmap& image, TColor colour) {
    return CountPixels(image, Rect(0, 0, image.Width(), image.Height()), colour);
  }

  TMemoryClipboardStore store;
  IClipboardStore* desktopClipboard = nullptr;
  TXSeries* line;
  TXSeries* bars;
  TXField* field;
};

TEST_F(ExportTest, GrayscaleCopyKeepsBarsAndFieldsInColour) {
  graph.Options.BlackWhite = true;
  ASSERT_TRUE(Paint());
  graph.CopyToClipboard(Rect(0, 0, 640, 480));
  const CountedPtr<TGdiBitmap> image = store.Image();
  ASSERT_TRUE(image);
  ASSERT_EQ(641, image->Width());
  ASSERT_EQ(481, image->Height());
  for (TPoint corner : {TPoint{0, 0}, TPoint{640, 0}, TPoint{0, 480}, TPoint{640, 480}})
    EXPECT_EQ(clWhite, image->Pixel(corner.X, corner.Y)) << corner.X << "," << corner.Y;
  const TPoint onLine = W(0.5L, 3);
  EXPECT_EQ(clBlack, image->Pixel(onLine.X, onLine.Y));
  EXPECT_EQ(0, CountIn(*image, line->Pen.Color));
  EXPECT_GT(CountIn(*image, bars->Brush.Color), 100);
  EXPECT_GT(CountIn(*image, field->Pen.Color), 10);

  ASSERT_TRUE(Paint());
  EXPECT_EQ(line->Pen.Color, At(onLine.X, onLine.Y));
}

TEST_F(ExportTest, SavesA24BitBitmapOfTheBuffer) {
  TempFolder folder;
  ASSERT_TRUE(Paint());
  graph.SaveToFile(folder / "x.bmp", Rect(0, 0, 640, 480));
  std::ifstream file(folder / "x.bmp", std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 30u);
  EXPECT_EQ(24, bytes[28] | bytes[29] << 8);
  TBitmap loaded;
  loaded.LoadFromFile(folder / "x.bmp");
  ASSERT_EQ(graph.Buffer.Width(), loaded.Width());
  ASSERT_EQ(graph.Buffer.Height(), loaded.Height());
  EXPECT_EQ(641, loaded.Width());
  int differences = 0;
  for (int y = 0; y < loaded.Height(); ++y)
    for (int x = 0; x < loaded.Width(); ++x)
      if (loaded.Handle()->Pixel(x, y) != graph.Buffer.Handle()->Pixel(x, y)) ++differences;
  EXPECT_EQ(0, differences);
}

TEST_F(ExportTest, BusyClipboardsAndMissingFolders) {
  store.Busy = true;
  EXPECT_NO_THROW(graph.CopyToClipboard(Rect(0, 0, 640, 480)));
  store.Busy = false;
  EXPECT_FALSE(store.Image());
  TempFolder folder;
  try {
    graph.SaveToFile(folder / "missing/x.bmp", Rect(0, 0, 640, 480));
    ADD_FAILURE() << "no error";
  } catch (const EQuantrelError& error) {
    EXPECT_EQ(0, std::string(error.what()).find("Cannot create file"));
  }
}

TEST_F(ExportTest, ExportBeforeAnyPaintSizesTheBuffer) {
  graph.CopyToClipboard(Rect(0, 0, 300, 200));
  ASSERT_TRUE(store.Image());
  EXPECT_EQ(301, store.Image()->Width());
  EXPECT_EQ(201, store.Image()->Height());
  EXPECT_GT(CountIn(*store.Image(), line->Pen.Color), 100);

  TXGraph fresh;
  fresh.Options.ExportFormat = 0;
  TempFolder folder;
  fresh.SaveToFile(folder / "fresh.bmp", Rect(0, 0, 200, 100));
  TBitmap loaded;
  loaded.LoadFromFile(folder / "fresh.bmp");
  EXPECT_EQ(201, loaded.Width());
  EXPECT_EQ(101, loaded.Height());
}

}  // namespace
