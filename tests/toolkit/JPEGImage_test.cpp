#include "toolkit/gdi/JPEGImage.h"

#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "tests/runtime/TempFolder.h"
#include "tests/toolkit/FlatJpeg.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

bool Near(TColor a, TColor b) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 2) return false;
  return true;
}

class JPEGImageTest : public ::testing::Test {
protected:
  std::string Jpeg(int width, int height, TColor color, bool grey = false) {
    const std::string file = folder / "picture.jpg";
    WriteFlatJpeg(file, width, height, color, grey);
    return ReadFileText(file);
  }
  static void Load(TJPEGImage& picture, const std::string& bytes) {
    std::istringstream stream(bytes);
    picture.LoadFromStream(stream);
  }
  TempFolder folder;
};

TEST_F(JPEGImageTest, DecodesColourAndGreyPicturesInto24Bits) {
  const struct {
    int Width, Height;
    TColor Color;
    bool Grey;
  } cases[] = {{16, 16, 0x00406080, false}, {299, 300, 0x00C01020, false}, {7, 3, 0x00909090, true}};
  for (const auto& c : cases) {
    TJPEGImage picture;
    Load(picture, Jpeg(c.Width, c.Height, c.Color, c.Grey));
    EXPECT_EQ((TSize{picture.Width(), picture.Height()}), (TSize{c.Width, c.Height}));
    EXPECT_FALSE(picture.Empty());
    EXPECT_FALSE(picture.Transparent());
    TBitmap target(c.Width + 4, c.Height + 4, pf24bit);
    target.Canvas().Draw(2, 2, picture);
    EXPECT_TRUE(Near(target.Handle()->Pixel(c.Width / 2 + 2, c.Height / 2 + 2), c.Color)) << c.Width;
    EXPECT_EQ(target.Handle()->Pixel(1, 1), 0U) << "drawn at its place only";
  }
}

TEST_F(JPEGImageTest, DataThatIsNoPictureIsRefusedAndThePictureStays) {
  const std::string good = Jpeg(10, 8, 0x00204080);
  std::string huge = good;
  const size_t frame = huge.find("\xFF\xC0");  // the frame header: precision, then height and width
  ASSERT_NE(frame, std::string::npos);
  huge.replace(frame + 5, 4, "\xFF\xF0\xFF\xF0");
  const struct {
    const char* Name;
    std::string Bytes;
  } cases[] = {
      {"empty", ""},
      {"not a JPEG", "BM not a JPEG at all"},
      {"the header cut short", good.substr(0, 20)},
      {"65520 x 65520 pixels", huge},
  };
  for (const auto& c : cases) {
    TJPEGImage picture;
    Load(picture, good);
    try {
      Load(picture, c.Bytes);
      ADD_FAILURE() << c.Name << ": read";
    } catch (const EQuantrelError& error) {
      EXPECT_STREQ(error.what(), "JPEG image is not valid") << c.Name;
    }
    EXPECT_EQ(picture.Width(), 10) << c.Name << ": the picture before stays";
  }
}

TEST_F(JPEGImageTest, APictureCutInsideItsDataStillReads) {
  const std::string good = Jpeg(64, 64, 0x00204080);
  TJPEGImage picture;
  Load(picture, good.substr(0, good.size() - 40));
  EXPECT_EQ(picture.Width(), 64);
}

TEST_F(JPEGImageTest, PicturesOfOtherKindsAssignAsTheyCan) {
  TJPEGImage picture;
  Load(picture, Jpeg(12, 6, 0x00102030));
  TBitmap bitmap;
  bitmap.Assign(picture);
  EXPECT_EQ((TSize{bitmap.Width(), bitmap.Height()}), (TSize{12, 6}));
  EXPECT_TRUE(Near(bitmap.Handle()->Pixel(6, 3), 0x00102030));
  TJPEGImage copy;
  copy.Assign(picture);
  EXPECT_EQ(copy.Height(), 6);
  try {
    copy.Assign(bitmap);
    ADD_FAILURE() << "a bitmap became a JPEG";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "Cannot assign a TBitmap to a TJPEGImage");
  }
}

TEST_F(JPEGImageTest, StretchDrawScalesAndFilesLoadByName) {
  const std::string file = folder / "flat.jpg";
  WriteFlatJpeg(file, 4, 4, 0x00FF8000);
  TJPEGImage picture;
  picture.LoadFromFile(file);
  TBitmap target(20, 20, pf24bit);
  target.Canvas().StretchDraw(Rect(0, 0, 20, 10), picture);
  EXPECT_TRUE(Near(target.Handle()->Pixel(19, 9), 0x00FF8000));
  EXPECT_EQ(target.Handle()->Pixel(19, 10), 0U);
  EXPECT_THROW(picture.LoadFromFile(folder / "missing.jpg"), EQuantrelError);
}

}  // namespace
