#pragma once
// What every skin a fuzz target loads must allow, whatever its source:
// every mask it kept can be drawn (at least one frame, no negative mask
// type, an own picture's frame inside it), every look-up answers, and
// every section paints.

#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/skins/SkinManager.h"
#include "tests/fuzz/FuzzHarness.h"

inline void CheckMasks(TSkinManager& manager) {
  for (int i = 0; i < static_cast<int>(manager.Masks.size()); ++i) {
    const TSkinMaskData& mask = manager.Masks[i];
    FuzzCheck(mask.ImageCount >= 1 && mask.MaskType >= 0, "a mask without a frame to draw");
    const TSize frame = manager.MaskFrameSize(i);
    if (mask.Image) {
      const TRect whole = Rect(0, 0, mask.Image->Width(), mask.Image->Height());
      FuzzCheck(mask.SourceRect == whole || mask.SourceRect == TRect(), "an own picture's source outside it");
      FuzzCheck(frame.cx >= 0 && frame.cy >= 0 && frame.cx * mask.ImageCount <= whole.Right &&
                    frame.cy * (mask.MaskType + 1) <= whole.Bottom,
                "a frame outside its own picture");
    }
    manager.MaskLeftWidth(i);
    manager.MaskRightWidth(i);
    manager.MaskBottomWidth(i);
    manager.MaskBorders(i);
  }
}

inline void CheckLookUps(TSkinManager& manager) {
  for (int i = 0; i < manager.SectionCount(); ++i) {
    const std::string& name = manager.SectionData[i].SectionName;
    for (const char* piece : {"BORDERSMASK", "PATTERN", "GLYPHMASK"}) {
      const int mask = manager.MaskIndexOf(i, name, piece);
      FuzzCheck(mask == -1 || manager.IsMaskIndex(mask), "a mask index outside the table");
      FuzzCheck(manager.TextureIndexOf(i, name, piece) >= -1, "a texture look-up");
      const int pattern = manager.PatternIndexOf(i, name, piece);
      FuzzCheck(pattern < static_cast<int>(manager.Patterns.size()), "a pattern index outside the table");
    }
  }
  manager.RefreshCachedIndexes();
  manager.GlobalColor();
  manager.GlobalFontColor();
}

inline void CheckSectionsPaint(TSkinManager& manager) {
  const auto bmp = NewBitmap24(40, 30);
  for (int i = 0; i < manager.SectionCount(); ++i)
    for (int state = 0; state < 2; ++state)
      PaintSection(i, manager.SectionData[i].SectionName, EmptyBackdrop, true, state, Rect(0, 0, 40, 30), {0, 0},
                   bmp.get(), &manager);
}
