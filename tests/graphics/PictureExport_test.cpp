// Copy and Save of both renderers as bitmap, WMF and EMF: what the
// clipboard and the files hold, the metafile picture played back against
// the bitmap picture of the same rectangle, and the failures.

#include "graphics/PictureExport.h"

#include <filesystem>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "runtime/Exceptions.h"
#include "tests/graphics/SamplePlots.h"
#include "tests/graphics/SampleScenes3D.h"
#include "tests/runtime/TempFolder.h"
#include "tests/toolkit/MetafileReplay.h"
#include "tests/toolkit/Pixels.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/qt/QtDialogs.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

const TRect Picture = Rect(0, 0, 640, 480);

// One renderer as Copy and Save see it.
struct TTarget {
  std::function<void(const TRect&)> Copy;
  std::function<void(const std::string&, const TRect&)> Save;
  TXGOptions* Options;
  TBitmap* Buffer;
};

// Sample pictures of either renderer.
struct TSample {
  const char* Name;
  std::function<TTarget(TXGraph&, TXGraph3D&)> Make;
};

TTarget Target2D(TXGraph& graph) {
  SamplePlots::UseCourier(graph);
  return {[&graph](const TRect& r) { graph.CopyToClipboard(r); },
          [&graph](const std::string& name, const TRect& r) { graph.SaveToFile(name, r); }, &graph.Options,
          &graph.Buffer};
}

TTarget Target3D(TXGraph3D& graph) {
  SampleScenes3D::UseCourier(graph);
  return {[&graph](const TRect& r) { graph.CopyToClipboard(r); },
          [&graph](const std::string& name, const TRect& r) { graph.SaveToFile(name, r); }, &graph.Options,
          &graph.Buffer};
}

const TSample Samples[] = {
    {"SinePlot", [](TXGraph& g, TXGraph3D&) { SamplePlots::CanonicalSine(g); return Target2D(g); }},
    {"AllKindsSheet", [](TXGraph& g, TXGraph3D&) { SamplePlots::AllKinds(g); return Target2D(g); }},
    // The 2D default content: a Gouraud heights map where the renderer draws meshes.
    {"GouraudHeightsMap", [](TXGraph& g, TXGraph3D&) { g.Options.HeightsBar = true; return Target2D(g); }},
    {"Default3D", [](TXGraph&, TXGraph3D& g) { return Target3D(g); }},
    {"AllKinds3D", [](TXGraph&, TXGraph3D& g) { SampleScenes3D::AllKinds(g); return Target3D(g); }},
};

class PictureExportTest : public testing::TestWithParam<TSample> {
protected:
  PictureExportTest() : target(GetParam().Make(graph, graph3D)) { SetClipboardStore(&store); }
  ~PictureExportTest() override { SetClipboardStore(&QtClipboardStore()); }

  // The copy's bitmap in a format, and its metafile's bytes.
  CountedPtr<TGdiBitmap> CopiedBitmap(int format) {
    target.Options->ExportFormat = std::uint8_t(format);
    target.Copy(Picture);
    return store.Image();
  }
  TBytes Saved(int format, const std::string& name) {
    target.Options->ExportFormat = std::uint8_t(format);
    target.Save(folder / name, Picture);
    const std::string text = ReadFileText(folder / name);
    return {text.begin(), text.end()};
  }

  TMemoryClipboardStore store;
  TempFolder folder;
  TXGraph graph;
  TXGraph3D graph3D;
  TTarget target;
};

std::string Differences(const TGdiBitmap& a, const TGdiBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return "sizes differ";
  int count = 0;
  std::string first;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y) && count++ == 0) first = " first at " + std::to_string(x) + "," + std::to_string(y);
  return std::to_string(count) + " pixels differ" + first;
}

// Bitmap alone; a metafile with exactly the bytes Save writes, and the
// bitmap of the same picture beside it.
TEST_P(PictureExportTest, TheClipboardHoldsThePictureInItsFormat) {
  const CountedPtr<TGdiBitmap> bitmap = CopiedBitmap(0);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(641, bitmap->Width());
  EXPECT_FALSE(store.HasFormat(CF_ENHMETAFILE) || store.HasFormat(CF_METAFILEPICT));
  const std::unique_ptr<TGdiBitmap> picture = bitmap->Clone();
  for (const int format : {1, 2}) {
    const UINT kind = format == 2 ? CF_ENHMETAFILE : CF_METAFILEPICT;
    const CountedPtr<TGdiBitmap> beside = CopiedBitmap(format);
    ASSERT_TRUE(store.HasFormat(kind)) << format;
    EXPECT_FALSE(store.HasFormat(format == 2 ? CF_METAFILEPICT : CF_ENHMETAFILE)) << format;
    EXPECT_EQ(Saved(format, "x"), store.Data(ClipboardFormatName(kind))) << format;
    ASSERT_TRUE(beside);
    EXPECT_EQ("0 pixels differ", Differences(*picture, *beside)) << format;
  }
}

// Played on white, the metafile gives the bitmap picture's pixels.
TEST_P(PictureExportTest, APlayedMetafileIsTheBitmapPicture) {
  const CountedPtr<TGdiBitmap> bitmap = CopiedBitmap(0);
  ASSERT_TRUE(bitmap);
  for (const int format : {2, 1}) {
    TBitmap played(641, 481, pf24bit);
    PlayOnWhite(Saved(format, format == 2 ? "x.emf" : "x.wmf"), played);
    EXPECT_EQ("0 pixels differ", Differences(*bitmap, *played.Handle())) << (format == 2 ? "EMF" : "WMF");
  }
}

TEST_P(PictureExportTest, SavedFilesHaveTheirFormatsStructure) {
  const TBytes emf = Saved(2, "x.emf");
  const TRecordWalk emfWalk = WalkEmf(emf);
  EXPECT_EQ("", emfWalk.Error);
  EXPECT_EQ(emf.size(), Word32At(emf, 48));
  EXPECT_EQ(emfWalk.Records.size(), Word32At(emf, 52));
  const TBytes wmf = Saved(1, "x.wmf");
  EXPECT_EQ(0x9AC6CDD7u, Word32At(wmf, 0));
  EXPECT_EQ("", WalkWmf(wmf).Error);
  EXPECT_EQ((wmf.size() - 22) / 2, Word32At(wmf, 22 + 6));
  TBitmap loaded;
  Saved(0, "x.bmp");
  loaded.LoadFromFile(folder / "x.bmp");
  EXPECT_EQ(641, loaded.Width());
}

// A busy clipboard is left alone; a file that cannot be made raises
// "Cannot create file" with its name, and nothing is created.
TEST_P(PictureExportTest, FailuresLeaveEverythingAsItWas) {
  for (const int format : {0, 1, 2}) {
    target.Options->ExportFormat = std::uint8_t(format);
    store.Busy = true;
    EXPECT_NO_THROW(target.Copy(Picture)) << format;
    store.Busy = false;
    EXPECT_FALSE(store.Image()) << format;
    const std::string name = folder / "missing/x.pic";
    try {
      target.Save(name, Picture);
      ADD_FAILURE() << "no error for format " << format;
    } catch (const EQuantrelError& error) {
      EXPECT_EQ(0u, std::string(error.what()).find("Cannot create file \"" + name + "\"")) << error.what();
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  target.Options->ExportFormat = 3;
  EXPECT_THROW(target.Copy(Picture), EAssertionFailed);
  EXPECT_THROW(target.Save(folder / "x", Picture), EAssertionFailed);
}

INSTANTIATE_TEST_SUITE_P(Renderers, PictureExportTest, testing::ValuesIn(Samples),
                         [](const testing::TestParamInfo<TSample>& info) { return info.param.Name; });

// In grayscale the exported line series is black, also in a metafile.
TEST(PictureExportGrayscale, TheMetafilesLineSeriesIsBlack) {
  TMemoryClipboardStore store;
  SetClipboardStore(&store);
  TXGraph graph;
  SamplePlots::UseCourier(graph);
  const TColor colour = SamplePlots::CanonicalSine(graph).Pen.Color;
  graph.Options.BlackWhite = true;
  graph.CopyToClipboard(Picture);
  TBitmap played(641, 481, pf24bit);
  PlayOnWhite(store.Data(ClipboardFormatName(CF_ENHMETAFILE)), played);
  SetClipboardStore(&QtClipboardStore());
  const TRect all = Rect(0, 0, 641, 481);
  EXPECT_EQ(0, CountPixels(*played.Handle(), all, colour));
  EXPECT_GT(CountPixels(*played.Handle(), all, clBlack), 600) << "the curve, frame and labels";
}

// Before any paint the 3D buffer takes the rectangle's size.
TEST(PictureExport3D, CopyBeforeAnyPaintSizesTheBuffer) {
  TMemoryClipboardStore store;
  SetClipboardStore(&store);
  TXGraph3D graph;
  graph.Options.ExportFormat = 0;
  graph.CopyToClipboard(Rect(0, 0, 300, 200));
  SetClipboardStore(&QtClipboardStore());
  ASSERT_TRUE(store.Image());
  EXPECT_EQ(301, store.Image()->Width());
  EXPECT_EQ(201, store.Image()->Height());
}

// On the desktop's clipboard the copy is a metafile and an image.
TEST(PictureExportDesktop, TheDesktopClipboardHoldsMetafileAndImage) {
  SetClipboardStore(&QtClipboardStore());
  TXGraph3D graph;
  graph.CopyToClipboard(Rect(0, 0, 320, 240));
  EXPECT_TRUE(Clipboard().HasFormat(CF_ENHMETAFILE));
  EXPECT_TRUE(Clipboard().HasFormat(CF_BITMAP));
  graph.Options.ExportFormat = 1;
  graph.CopyToClipboard(Rect(0, 0, 320, 240));
  EXPECT_TRUE(Clipboard().HasFormat(CF_METAFILEPICT));
  EXPECT_FALSE(Clipboard().HasFormat(CF_ENHMETAFILE));
  EXPECT_TRUE(Clipboard().Image());
}

}  // namespace
