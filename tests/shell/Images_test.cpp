#include "shell/Images.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/gdi/Bitmap.h"

namespace {

std::vector<std::uint32_t> Pixels(const TImageList& list, int index) {
  TBitmap picture;
  list.GetBitmap(index, picture);
  EXPECT_EQ(picture.Width(), 16);
  EXPECT_EQ(picture.Height(), 16);
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < picture.Height(); ++y) {
    const auto* row = static_cast<const std::uint32_t*>(picture.ScanLine(y));
    pixels.insert(pixels.end(), row, row + picture.Width());
  }
  return pixels;
}

int OpaquePixels(const TImageList& list, int index) {
  int opaque = 0;
  for (std::uint32_t pixel : Pixels(list, index)) opaque += (pixel >> 24) == 0xFF;
  return opaque;
}

const std::vector<int> NamedNorm = {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15};
const std::vector<int> NamedSmall = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 15, 16, 17, 18};

TEST(Images, FiveListsOfSixteenPixelPictures) {
  const TImages images(nullptr);
  EXPECT_EQ(Images, &images);
  const struct {
    const TImageList& List;
    int Count;
  } lists[] = {{images.Norm, 16}, {images.Hot, 16}, {images.SNorm, 32}, {images.SDis, 32}, {images.SHot, 32}};
  for (const auto& entry : lists) {
    EXPECT_EQ(entry.List.Count(), entry.Count);
    EXPECT_EQ(entry.List.Width(), 16);
    EXPECT_EQ(entry.List.Height(), 16);
  }
}

TEST(Images, EveryNamedPictureIsDrawnAndTheNormPicturesDiffer) {
  const TImages images(nullptr);
  for (int index : NamedNorm) {
    EXPECT_GT(OpaquePixels(images.Norm, index), 20) << "Norm " << index;
    EXPECT_GT(OpaquePixels(images.Hot, index), 20) << "Hot " << index;
  }
  for (int index : NamedSmall)
    for (const TImageList* list : {&images.SNorm, &images.SDis, &images.SHot})
      EXPECT_GT(OpaquePixels(*list, index), 20) << "small " << index;
  for (size_t i = 0; i < NamedNorm.size(); ++i)
    for (size_t j = i + 1; j < NamedNorm.size(); ++j)
      EXPECT_NE(Pixels(images.Norm, NamedNorm[i]), Pixels(images.Norm, NamedNorm[j]))
          << NamedNorm[i] << " and " << NamedNorm[j];
  EXPECT_EQ(OpaquePixels(images.SNorm, 11), 0) << "a slot without a meaning stays transparent";
}

TEST(Images, HotPicturesAreBrighterAndDisabledOnesGrey) {
  const TImages images(nullptr);
  const auto sum = [](const std::vector<std::uint32_t>& pixels) {
    long total = 0;
    for (std::uint32_t p : pixels) total += (p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF);
    return total;
  };
  EXPECT_GT(sum(Pixels(images.Hot, 2)), sum(Pixels(images.Norm, 2)));
  EXPECT_GT(sum(Pixels(images.SHot, 7)), sum(Pixels(images.SNorm, 7)));
  for (std::uint32_t pixel : Pixels(images.SDis, 7)) {
    if (pixel >> 24) {
      EXPECT_TRUE((pixel & 0xFF) == (pixel >> 8 & 0xFF) && (pixel & 0xFF) == (pixel >> 16 & 0xFF));
    }
  }
}

}  // namespace
