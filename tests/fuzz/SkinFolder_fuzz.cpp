// A skin's "Options.dat" through the skin loader, beside the test skin's
// pictures. The load fills the tables, or stops with a conversion error or
// a picture's error; either way what it kept passes the checks of
// SkinChecks.h.

#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/Exceptions.h"
#include "skin/skins/SkinManager.h"
#include "tests/fuzz/FuzzHarness.h"
#include "tests/fuzz/SkinChecks.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& skins = SkinsFolder();
  std::ofstream(skins + "/TestSkin/Options.dat", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  TSkinManager manager(nullptr);
  manager.SetSkinDirectory(skins);
  // Set by name a failed load leaves no skin; loaded directly it keeps
  // what was read before the error.
  for (bool byName : {true, false}) {
    try {
      if (byName)
        manager.SetSkinName("TestSkin");
      else
        manager.LoadSkin();
    } catch (const EQuantrelError& error) {
      FuzzCheck(IsExpectedError(error), "a load failed with an unexpected error");
    }
    CheckMasks(manager);
    CheckLookUps(manager);
    CheckSectionsPaint(manager);
  }
  return 0;
}
