// A packed skin through the unpacker. It either unpacks (a settings text
// that reads as options, images that load as pictures or fail with their
// reader's error, each found by its name) or stops with one of the
// errors of damaged packed data: "Stream read error", zlib's message, or
// nothing at all after the wrong-magic warning. Never a crash, never
// memory beyond what the bytes inflate to. Then the same bytes as a
// ".skz" file set by name: a skin that passes the checks of SkinChecks.h,
// or no skin at all, after those errors or a conversion error only.

#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/AsciiCase.h"
#include "runtime/Exceptions.h"
#include "runtime/MemIniFile.h"
#include "skin/skins/PackedSkin.h"
#include "tests/fuzz/FuzzHarness.h"
#include "tests/fuzz/SkinChecks.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/JPEGImage.h"
#include "toolkit/win/MessageBox.h"

namespace {

// The wrong-magic warning is answered silently.
class TSilentBoxes : public IMessageBoxes {
public:
  int Show(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
};

bool IsPictureError(const EQuantrelError& error) {
  const std::string text = error.what();
  return text == "JPEG image is not valid" || text == "Bitmap image is not valid";
}

void LoadPicture(const TSkImageItem& item) {
  const std::string upper = AsciiUppered(item.Name);
  try {
    if (item.IsBitmap) {
      TBitmap bitmap;
      item.LoadGraphic(bitmap);
    } else if (upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos) {
      TJPEGImage picture;
      item.LoadGraphic(picture);
    }
  } catch (const EQuantrelError& error) {
    FuzzCheck(IsPictureError(error), "a packed picture failed with an unexpected error");
  }
}

void CheckUnpacked(const TSkSkinConvertor& convertor) {
  FuzzCheck(!convertor.SourceStream, "the packed bytes kept after the load");
  const TMemIniFile options("Options.dat", convertor.IniText());
  for (const std::string& section : options.ReadSections()) options.ReadSection(section);
  for (const TSkImageItem& item : convertor.Images) {
    FuzzCheck(item.Data && item.Data->Position() == 0, "an image not ready to read");
    const TSkImageItem* found = convertor.FindImage(AsciiLowered(item.Name));
    FuzzCheck(found && SameAsciiText(found->Name, item.Name), "an image not found by its name");
    LoadPicture(item);
  }
}

bool IsPackedSkinError(const EQuantrelError& error) {
  const std::string text = error.what();
  return dynamic_cast<const EZDecompressionError*>(&error) || dynamic_cast<const EConvertError*>(&error) ||
         text == "Stream read error" || IsPictureError(error);
}

void CheckSetByName(const std::uint8_t* data, std::size_t size) {
  static const std::string skins = std::filesystem::path(WriteFuzzFile("skins", "")).parent_path().string();
  std::ofstream(skins + "/Fuzz.skz", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  TSkinManager manager(nullptr);
  manager.SetSkinDirectory(skins);
  try {
    manager.SetSkinName("Fuzz");
  } catch (const EQuantrelError& error) {
    FuzzCheck(IsPackedSkinError(error), "a packed skin failed with an unexpected error");
  }
  FuzzCheck(manager.SkinActive() || manager.SectionData.empty(), "tables left without a skin");
  CheckMasks(manager);
  CheckLookUps(manager);
  CheckSectionsPaint(manager);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TSilentBoxes boxes;
  SetMessageBoxes(&boxes);
  TMemoryStream packed;
  packed.WriteBuffer(data, static_cast<std::int64_t>(size));
  std::unique_ptr<TSkSkinConvertor> convertor;
  try {
    LoadPackedData(packed, convertor, true);
    CheckUnpacked(*convertor);
  } catch (const EZDecompressionError&) {
  } catch (const EStreamError& error) {
    FuzzCheck(std::string(error.what()) == "Stream read error", "damaged data failed with an unexpected error");
  }
  CheckSetByName(data, size);
  return 0;
}
