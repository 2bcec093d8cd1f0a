#include "toolkit/gdi/Picture.h"

#include <fstream>

#include <gtest/gtest.h>

#include "tests/skin/PngFiles.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/PngObject.h"

namespace {

// A picture class that takes "png" over, as the skin layer's reader does.
class TOtherPng : public TPNGObject {};

class Picture : public testing::Test {
protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string png = WriteWithLibpng(MakePngImage(3, 2, 6, 8, false, 1));
};

TEST_F(Picture, PicksTheClassByExtensionRegisteredLast) {
  ::TPicture picture;
  picture.LoadFromFile(Write("a.png", png));
  EXPECT_NE(dynamic_cast<TPNGObject*>(picture.Graphic()), nullptr);
  EXPECT_EQ(::TPicture::FileFormatDescription("PNG"), "Portable Network Graphics");

  ::TPicture::RegisterFileFormat("png", "Other", GraphicClassOf<TOtherPng>());
  picture.LoadFromFile(Write("b.PNG", png));
  EXPECT_NE(dynamic_cast<TOtherPng*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Graphic()->Width(), 3);
  ::TPicture::RegisterFileFormat("png", "Other again", GraphicClassOf<TOtherPng>());
  ::TPicture::UnregisterGraphicClass(GraphicClassOf<TOtherPng>());
  picture.LoadFromFile(Write("c.png", png));
  EXPECT_EQ(typeid(*picture.Graphic()), typeid(TPNGObject)) << "every registration of the class is gone";

  TBitmap bitmap(2, 2, pf24bit);
  bitmap.SaveToFile(testing::TempDir() + "d.bmp");
  picture.LoadFromFile(testing::TempDir() + "d.bmp");
  EXPECT_EQ(typeid(*picture.Graphic()), typeid(TBitmap));
}

TEST_F(Picture, UnknownExtensionsAndBadFilesKeepThePicture) {
  ::TPicture picture;
  picture.LoadFromFile(Write("e.png", png));
  try {
    picture.LoadFromFile(Write("f.xyz", png));
    ADD_FAILURE() << "read";
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), "Unknown picture file extension (.xyz)");
  }
  EXPECT_THROW(picture.LoadFromFile(Write("g.png", "broken")), EInvalidGraphic);
  EXPECT_EQ(picture.Graphic()->Width(), 3);
}

}  // namespace
