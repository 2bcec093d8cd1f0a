// Our EMF and WMF files read by other programs: emf2svg-conv with
// rsvg-convert, and wmf2gd (installed by scripts/install-deps.sh; a test
// is skipped only when its reader is missing). They antialias, so their
// pictures are compared with the bitmap picture loosely: the ink of the
// blue curve or surface must lie within 2 pixels of the bitmap's, and the
// share of pixels that differ by more than 64 in a channel is reported.
// wmf2gd shows the extent of what a file draws rather than its placeable
// box, stretched to the size asked for: its picture is first mapped back
// by the bounds of all ink.

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "tests/graphics/SamplePlots.h"
#include "tests/graphics/SampleScenes3D.h"
#include "tests/runtime/TempFolder.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/qt/Screenshot.h"

namespace {

const TRect ExportedArea = Rect(0, 0, 640, 480);

bool Installed(const char* program) {
  return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

bool Succeeds(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// Within 64 of the colour in every channel: antialiased ink still counts.
bool Like(TColor pixel, TColor colour) {
  return std::abs(GetRValue(pixel) - GetRValue(colour)) <= 64 && std::abs(GetGValue(pixel) - GetGValue(colour)) <= 64 &&
         std::abs(GetBValue(pixel) - GetBValue(colour)) <= 64;
}

// The bounds of the pixels like the colour, or of all that are not white.
TRect InkOf(const TBitmap& picture, std::optional<TColor> colour) {
  TRect ink{picture.Width(), picture.Height(), 0, 0};
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      const TColor pixel = picture.Handle()->Pixel(x, y);
      if (colour ? Like(pixel, *colour) : !Like(pixel, clWhite))
        ink = Rect(std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1), std::max(ink.Bottom, y + 1));
    }
  return ink;
}

// Where a rectangle of one picture lies in the other, when the bounds of all
// ink in the first (from) are those in the second (to).
TRect Mapped(const TRect& r, const TRect& from, const TRect& to) {
  auto x = [&](int v) { return int(std::lround(to.Left + double(v - from.Left) * to.Width() / from.Width())); };
  auto y = [&](int v) { return int(std::lround(to.Top + double(v - from.Top) * to.Height() / from.Height())); };
  return Rect(x(r.Left), y(r.Top), x(r.Right), y(r.Bottom));
}

double ShareDiffering(const TBitmap& a, const TBitmap& b) {
  const int width = std::min(a.Width(), b.Width()), height = std::min(a.Height(), b.Height());
  int differing = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (!Like(a.Handle()->Pixel(x, y), b.Handle()->Pixel(x, y))) ++differing;
  return double(differing) / (width * height);
}

// A picture of one renderer: its bitmap picture, its files and the colour to follow.
struct TCase {
  const char* Name;
  std::function<TColor(const std::string& folder, TBitmap& bitmap)> Export;
};

// Saves the renderer's bitmap picture, EMF and WMF as x.bmp, x.emf, x.wmf.
template <class TRenderer>
void ExportAll(TRenderer& graph, const std::string& folder, TBitmap& bitmap) {
  for (const auto& [format, name] : {std::pair{0, "x.bmp"}, std::pair{2, "x.emf"}, std::pair{1, "x.wmf"}}) {
    graph.Options.ExportFormat = std::uint8_t(format);
    graph.SaveToFile(folder + "/" + name, ExportedArea);
  }
  bitmap.LoadFromFile(folder + "/x.bmp");
}

const TCase Cases[] = {
    {"SinePlot",
     [](const std::string& folder, TBitmap& bitmap) {
       TXGraph graph;
       SamplePlots::UseCourier(graph);
       const TColor curve = SamplePlots::CanonicalSine(graph).Pen.Color;
       ExportAll(graph, folder, bitmap);
       return curve;
     }},
    {"FlatMesh3D",
     [](const std::string& folder, TBitmap& bitmap) {
       TXGraph3D graph;
       SampleScenes3D::UseCourier(graph);
       auto& mesh = static_cast<TXMesh&>(*graph.GetItem(0));
       mesh.Opts.Renderer = rdFlat;
       mesh.Opts.Shader = shColour;
       mesh.Brush.Color = clBlue;
       mesh.Pen.Style = psClear;
       ExportAll(graph, folder, bitmap);
       return TColor(clBlue);
     }},
};

class MetafileReadersTest : public testing::TestWithParam<TCase> {
protected:
  void Compare(const std::string& reader, const std::string& png, bool drawnExtent) {
    TBitmap rendered;
    ASSERT_TRUE(LoadBitmapFromPng(rendered, png)) << reader;
    const TRect expected = InkOf(bitmap, colour);
    TRect got = InkOf(rendered, colour);
    if (drawnExtent) got = Mapped(got, InkOf(rendered, std::nullopt), InkOf(bitmap, std::nullopt));
    EXPECT_NEAR(expected.Left, got.Left, 2) << reader;
    EXPECT_NEAR(expected.Top, got.Top, 2) << reader;
    EXPECT_NEAR(expected.Right, got.Right, 2) << reader;
    EXPECT_NEAR(expected.Bottom, got.Bottom, 2) << reader;
    const double share = ShareDiffering(bitmap, rendered);
    RecordProperty(reader + " differing share", std::to_string(share));
    std::printf("%s, %s: %.2f%% of the pixels differ by more than 64\n", GetParam().Name, reader.c_str(), 100 * share);
  }

  TempFolder folder;
  TBitmap bitmap;
  TColor colour = GetParam().Export(folder.Path().string(), bitmap);
};

TEST_P(MetafileReadersTest, Emf2Svg) {
  if (!Installed("emf2svg-conv") || !Installed("rsvg-convert")) GTEST_SKIP() << "emf2svg-conv or rsvg-convert missing";
  ASSERT_TRUE(Succeeds("emf2svg-conv -i " + folder / "x.emf" + " -o " + folder / "x.svg"));
  ASSERT_TRUE(Succeeds("rsvg-convert -b white -o " + folder / "emf.png" + " " + folder / "x.svg"));
  Compare("emf2svg", folder / "emf.png", false);
}

TEST_P(MetafileReadersTest, Wmf2Gd) {
  if (!Installed("wmf2gd")) GTEST_SKIP() << "wmf2gd missing";
  ASSERT_TRUE(Succeeds("wmf2gd --maxwidth=641 --maxheight=481 --maxsize -t png -o " + folder / "wmf.png" + " " +
                  folder / "x.wmf"));
  Compare("wmf2gd", folder / "wmf.png", true);
}

INSTANTIATE_TEST_SUITE_P(Pictures, MetafileReadersTest, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<TCase>& info) { return info.param.Name; });

}  // namespace
