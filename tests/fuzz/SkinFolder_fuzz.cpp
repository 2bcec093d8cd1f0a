// A skin's "Options.dat" through the skin loader, beside the test skin's
// pictures. The load fills the tables, or stops with a conversion error or
// a picture's error; either way every mask it kept can be drawn (at least
// one frame, no negative mask type, an own picture's frame inside it) and
// every look-up answers.

#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/Exceptions.h"
#include "skin/skins/SkinManager.h"
#include "tests/fuzz/FuzzHarness.h"
#include "tests/skin/TestSkinWriter.h"

namespace {

// The test skin, written once per process into the process's folder.
const std::string& SkinsFolder() {
  static const std::string folder = [] {
    const std::filesystem::path skins = std::filesystem::path(WriteFuzzFile("skins", "")).parent_path() / "Skins";
    std::filesystem::create_directories(skins);
    WriteTestSkin(skins.string());
    return skins.string();
  }();
  return folder;
}

bool IsExpectedError(const EQuantrelError& error) {
  const std::string text = error.what();
  return dynamic_cast<const EConvertError*>(&error) || text == "JPEG image is not valid" ||
         text == "Bitmap image is not valid";
}

void CheckMasks(TSkinManager& manager) {
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

void CheckLookUps(TSkinManager& manager) {
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& skins = SkinsFolder();
  std::ofstream(skins + "/TestSkin/Options.dat", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  TSkinManager manager(nullptr);
  manager.SetSkinDirectory(skins);
  try {
    manager.SetSkinName("TestSkin");
  } catch (const EQuantrelError& error) {
    FuzzCheck(IsExpectedError(error), "a load failed with an unexpected error");
  }
  CheckMasks(manager);
  CheckLookUps(manager);
  return 0;
}
