#pragma once
// A skin made by hand for the painters' pixel tests: a manager whose
// master bitmap the test paints, and small helpers to paint and probe it.

#include <memory>

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/TestSkinManager.h"

constexpr TColor Sentinel = 0x00123456;

inline TColor Grey(int level) { return TColor(level) * 0x010101; }

inline void FillBytes(TBitmap& bmp, const TRect& r, TColor color) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) SetBytesColor(bmp, x, y, color);
}

class PaintFixture : public ::testing::Test {
protected:
  PaintFixture() {
    auto bmp = FilledBitmap(64, 48, Grey(0x77));
    master = bmp.get();
    manager.SetMasterBitmap(std::move(bmp));
  }

  TTestSkinManager manager;
  TBitmap* master = nullptr;
};
