// The shared routines of the tree: eliding text and blending rectangles.

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "tests/treeview/TreeTestSupport.h"
#include "treeview/TreeRoutines.h"

namespace {

TEST(ElideTextTest, KeepsTheLongestFittingStart) {
  TBitmap bitmap(10, 10, pf32bit);
  HDC dc = bitmap.Canvas().Handle();
  const int ellipsis = bitmap.Canvas().TextWidth("...");
  EXPECT_EQ(ElideText(dc, "abcdef", ellipsis - 1, 0), "");
  EXPECT_EQ(ElideText(dc, "abcdef", 10000, 0), "abcde...") << "never the whole text";
  const int abc = bitmap.Canvas().TextWidth("abc");
  EXPECT_EQ(ElideText(dc, "abcdef", abc + ellipsis, 0), "abc...");
  const std::string wide = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9";
  const std::string elided = ElideText(dc, wide, bitmap.Canvas().TextWidth("\xC3\xA9\xC3\xA9") + ellipsis, 0);
  EXPECT_EQ(elided, "\xC3\xA9\xC3\xA9...") << "characters are never split";
  EXPECT_EQ(ElideText(dc, "", 100, 0), "");
}

// One blended channel: the destination pixel's blue after blending a source pixel over it.
int BlendedBlue(int source, int destination, int mode, int alpha, int bias) {
  TBitmap from(1, 1, pf32bit);
  TBitmap to(1, 1, pf32bit);
  from.Handle()->ScanLine(0)[0] = static_cast<uint8_t>(source);
  from.Handle()->ScanLine(0)[3] = 255;
  to.Handle()->ScanLine(0)[0] = static_cast<uint8_t>(destination);
  BlendRect(from.Canvas().Handle(), to.Canvas().Handle(), Rect(0, 0, 1, 1), Point(0, 0), mode, alpha, bias);
  return to.Handle()->ScanLine(0)[0];
}

TEST(BlendRectTest, ChannelTable) {
  struct TCase {
    int Source, Destination, Mode, Alpha, Bias, Expected;
  };
  for (const TCase& c : std::vector<TCase>{{200, 40, 0, 0, 0, 40},
                                           {200, 40, 0, 255, 0, (40 + 255 * 200) / 256},
                                           {100, 100, 0, 128, 200, 255},
                                           {100, 100, 0, 128, -200, 0},
                                           {200, 40, 1, 0, 0, (256 * 40 + 255 * 160) / 256},
                                           {200, 40, 2, 128, 0, (256 * 40 + 127 * 160) / 256},
                                           {0, 0, 3, 128, 0xFF0000, 127}})
    EXPECT_EQ(BlendedBlue(c.Source, c.Destination, c.Mode, c.Alpha, c.Bias), c.Expected)
        << "mode " << c.Mode << " alpha " << c.Alpha << " bias " << c.Bias;
}

TEST(BlendRectTest, RefusesBitmapsNotOf32Bits) {
  TBitmap from(1, 1, pf24bit);
  TBitmap to(1, 1, pf32bit);
  try {
    BlendRect(from.Canvas().Handle(), to.Canvas().Handle(), Rect(0, 0, 1, 1), Point(0, 0), 0, 10, 0);
    FAIL() << "a 24-bit source was blended";
  } catch (const EAssertionFailed& error) {
    EXPECT_TRUE(std::string(error.what()).starts_with("Alpha blending error: bitmap must use 32 bpp."));
  }
}

TEST(TreeRoutinesTest, SmallRoutines) {
  EXPECT_EQ(NormalizeRect(Rect(10, 20, 5, 8)), Rect(5, 8, 10, 20));
  EXPECT_EQ(ColorToRgbValue(clNone), 0xFFFFFFFFu);
  EXPECT_EQ(ColorToRgbValue(clDefault), 0xFF000000u);
  EXPECT_EQ(ColorToRgbValue(RGB(1, 2, 3)), RGB(1, 2, 3));
  TTestTree tree;
  tree.SetRootNodeCount(4);
  TNodeArray nodes = AllNodes(tree);
  std::reverse(nodes.begin(), nodes.end());
  SortNodeArray(nodes, 0, 3);
  EXPECT_TRUE(std::is_sorted(nodes.begin(), nodes.end(), std::less<PDataNode>()));
  EXPECT_EQ(TreeOfNode(nodes[2]), &tree);
}

}  // namespace
