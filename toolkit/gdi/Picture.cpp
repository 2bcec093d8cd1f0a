#include "toolkit/gdi/Picture.h"

#include <algorithm>
#include <vector>

#include "runtime/AsciiCase.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Icon.h"
#include "toolkit/gdi/JPEGImage.h"
#include "toolkit/gdi/PngObject.h"

namespace {

struct TFileFormat {
  std::string Extension;  // lower case
  std::string Description;
  TGraphicClass Class;
};

std::vector<TFileFormat>& Formats() {
  static std::vector<TFileFormat> formats = {
      {"bmp", "Bitmaps", GraphicClassOf<TBitmap>()},
      {"ico", "Icons", GraphicClassOf<TIcon>()},
      {"jpg", "JPEG Image File", GraphicClassOf<TJPEGImage>()},
      {"jpeg", "JPEG Image File", GraphicClassOf<TJPEGImage>()},
      {"png", "Portable Network Graphics", GraphicClassOf<TPNGObject>()},
  };
  return formats;
}

// The most recent registration of the extension; null when there is none.
const TFileFormat* FindFormat(const std::string& extension) {
  const std::string key = AsciiLowered(extension);
  const auto& formats = Formats();
  const auto found = std::find_if(formats.rbegin(), formats.rend(), [&](const TFileFormat& f) { return f.Extension == key; });
  return found == formats.rend() ? nullptr : &*found;
}

}  // namespace

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  const TGraphicClass& graphicClass) {
  Formats().push_back({AsciiLowered(extension), description, graphicClass});
}

void TPicture::UnregisterGraphicClass(const TGraphicClass& graphicClass) {
  std::erase_if(Formats(), [&](const TFileFormat& f) { return f.Class.Type == graphicClass.Type; });
}

std::string TPicture::FileFormatDescription(const std::string& extension) {
  const TFileFormat* format = FindFormat(extension);
  return format ? format->Description : std::string();
}

void TPicture::LoadFromFile(const std::string& fileName) {
  const std::size_t slash = fileName.find_last_of('/');
  const std::size_t dot = fileName.find_last_of('.');
  const std::string extension =
      dot == std::string::npos || (slash != std::string::npos && dot < slash) ? std::string() : fileName.substr(dot + 1);
  const TFileFormat* format = FindFormat(extension);
  if (!format) throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
  std::unique_ptr<TGraphic> graphic = format->Class.Make();
  graphic->LoadFromFile(fileName);
  graphic_ = std::move(graphic);
}
