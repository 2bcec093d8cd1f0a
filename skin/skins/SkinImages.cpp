// The image entries of a skin's options: a key's value points at a
// rectangle of the master bitmap, names a bitmap of its own or names a JPEG
// picture. The first character chooses the form:
//   "~" texture, "@" glyph, "^" border: fixed columns of the master bitmap;
//   "!" an own bitmap: "!file!frames!mask type!image type[!wl!wt!wr!wb]";
//   a "#" anywhere: a border of the master bitmap, "# (l,t,r,b) (frames,
//   mask type, border width, stretch mode)";
//   else a value holding ".BMP" is a whole bitmap, one holding ".JPG" or
//   ".JPEG" a texture (small) or a pattern (90,000 pixels or more).

#include <algorithm>
#include <limits>

#include "runtime/AsciiCase.h"
#include "runtime/MemIniFile.h"
#include "runtime/NumberText.h"
#include "runtime/StringList.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/skins/MaskFields.h"
#include "skin/skins/PackedSkin.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr std::int64_t MinPatternPixels = 90000;

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

bool NamesJpeg(const std::string& value) {
  const std::string upper = AsciiUppered(value);
  return Contains(upper, ".JPG") || Contains(upper, ".JPEG");
}

using MaskFields::FillBorderWidths;
using MaskFields::SetCounts;
using MaskFields::Small;

// Characters from..from + count - 1 (counted from 1) as a number; a field
// beyond the value's end is empty, which is no number either.
int Columns(const std::string& value, size_t from, size_t count) {
  return StrToInt(from <= value.size() ? value.substr(from - 1, count) : std::string());
}

int WordNumber(int n, const std::string& text, const std::string& delims) {
  return StrToInt(ExtractNthWord(n, text, delims));
}

}  // namespace

// A packed skin's pictures come from its members, except those
// CommonSections names.
bool TSkinManager::ReadPicture(const std::string& name, TGraphic& picture, bool onDisk) const {
  if (isPacked_ && !onDisk) {
    const TSkImageItem* item = convertor_ ? convertor_->FindImage(name) : nullptr;
    if (item) item->LoadGraphic(picture);
    return item != nullptr;
  }
  const std::string file = ImageFile(name);
  if (!file.empty()) picture.LoadFromFile(file);
  return !file.empty();
}

// A bitmap as the entries want it; null when missing or without pixels.
std::unique_ptr<TBitmap> TSkinManager::LoadSkinBitmap(const std::string& name, bool as24Bit, bool onDisk) const {
  auto image = std::make_unique<TBitmap>();
  if (!ReadPicture(name, *image, onDisk) || image->Width() < 1) return nullptr;
  if (as24Bit) image->SetPixelFormat(pf24bit);
  return image;
}

std::unique_ptr<TJPEGImage> TSkinManager::LoadSkinJpeg(const std::string& name, bool onDisk) const {
  auto picture = std::make_unique<TJPEGImage>();
  if (!ReadPicture(name, *picture, onDisk) || picture->Width() < 1) return nullptr;
  return picture;
}

TSkinMaskData TSkinManager::NewMask(const std::string& section, const std::string& key, TSkImgType type) {
  TSkinMaskData mask;
  mask.SectionName = section;
  mask.PropertyName = key;
  mask.ImgType = type;
  mask.Manager = this;
  return mask;
}

void TSkinManager::ReadMasks(const TMemIniFile& ini) {
  Masks.clear();
  masterBitmap_.reset();
  ReadMasterBitmap(ini);
  for (const std::string& section : ini.ReadSections())
    for (const std::string& key : ini.ReadSection(section)) {
      if (section == "GLOBALINFO" && key == "MASTERBITMAP") continue;
      const std::string value = ini.ReadString(section, key, "");
      if (!value.empty()) ReadMaskEntry(section, key, value);
    }
  ReadCommonMasks();
}

void TSkinManager::ReadMasterBitmap(const TMemIniFile& ini) {
  masterBitmap_ = std::make_unique<TBitmap>();
  const std::string name = ini.ReadString("GLOBALINFO", "MASTERBITMAP", "");
  if (!name.empty()) ReadPicture(name, *masterBitmap_, false);
  masterBitmap_->SetPixelFormat(pf24bit);
  masterBitmap_->SetTransparent(true);
  masterBitmap_->SetTransparentColor(clSkinKey);
}

void TSkinManager::SetMasterBitmap(std::unique_ptr<TBitmap> bitmap) { masterBitmap_ = std::move(bitmap); }

void TSkinManager::ReadMaskEntry(const std::string& section, const std::string& key, const std::string& value) {
  const char form = value[0];
  if (form == '~' || form == '@' || form == '^') {
    TSkinMaskData mask = NewMask(section, key, form == '~' ? itisaTexture : form == '@' ? itisaGlyph : itisaBorder);
    mask.SourceRect = Rect(Columns(value, 2, 4), Columns(value, 7, 4), Columns(value, 12, 4), Columns(value, 17, 4));
    if (form == '~') {
      mask.StretchMode = Small(Columns(value, 22, 2));
      SetCounts(mask, 1, value.size() > 24 ? Columns(value, 25, 1) : 0);
    } else if (form == '@') {
      SetCounts(mask, Columns(value, 22, 1), Columns(value, 24, 1));
    } else {
      mask.WL = Small(Columns(value, 22, 4));
      mask.WT = Small(Columns(value, 27, 4));
      mask.WR = Small(Columns(value, 32, 4));
      mask.WB = Small(Columns(value, 37, 4));
      SetCounts(mask, Columns(value, 42, 1), Columns(value, 44, 1));
      mask.StretchMode = Small(Columns(value, 46, 1));
      mask.BorderWidth = Small(Columns(value, 48, 1));
      FillBorderWidths(mask);
    }
    Masks.push_back(std::move(mask));
    return;
  }
  if (form == '!') return ReadOwnImageEntry(section, key, value);
  if (Contains(value, "#") && value != "#") return ReadFreeFormEntry(section, key, value);
  if (Contains(AsciiUppered(value), ".BMP")) ReadWholeImageEntry(section, key, value, false);
}

void TSkinManager::ReadOwnImageEntry(const std::string& section, const std::string& key, const std::string& value) {
  const std::string file = ExtractNthWord(1, value, "!");
  if (!Contains(file, ".BMP")) return;
  TSkinMaskData mask = NewMask(section, key, itisaBorder);
  const int imageCount = WordNumber(2, value, "!");
  const int maskType = WordNumber(3, value, "!");
  const int imageType = WordNumber(4, value, "!");
  const bool givesWidths = WordCount(value, "!") > 4;
  if (givesWidths) {
    mask.WL = Small(WordNumber(5, value, "!"));
    mask.WT = Small(WordNumber(6, value, "!"));
    mask.WR = Small(WordNumber(7, value, "!"));
    mask.WB = Small(WordNumber(8, value, "!"));
  }
  // Image types beyond the three known ones draw as borders.
  if (imageType == itisaTexture || imageType == itisaGlyph) mask.ImgType = TSkImgType(imageType);
  std::unique_ptr<TBitmap> image = LoadSkinBitmap(file, mask.ImgType != itisaTexture, false);
  if (!image) return;
  // Without a frame count the picture is a button's three frames with
  // their alpha mask, as stored skins read such a picture.
  if (imageCount < 1)
    SetCounts(mask, 3, 1);
  else
    SetCounts(mask, imageCount, maskType);
  mask.SourceRect = Rect(0, 0, image->Width(), image->Height());
  mask.StretchMode = smCentreInMask;
  if (!givesWidths) FillBorderWidths(mask);
  mask.Image = std::move(image);
  Masks.push_back(std::move(mask));
}

void TSkinManager::ReadFreeFormEntry(const std::string& section, const std::string& key, const std::string& value) {
  const std::string rect = ExtractNthWord(2, value, " ()");
  const std::string parameters = ExtractNthWord(3, value, " ()");
  const auto number = [](const std::string& text, int n, int missing) {
    const std::string word = ExtractNthWord(n, text, " ,");
    return word.empty() ? missing : StrToInt(word);
  };
  TSkinMaskData mask = NewMask(AsciiUppered(section), AsciiUppered(key), itisaBorder);
  mask.SourceRect = Rect(number(rect, 1, 0), number(rect, 2, 0), number(rect, 3, 0), number(rect, 4, 0));
  SetCounts(mask, number(parameters, 1, 1), number(parameters, 2, 0));
  mask.BorderWidth = std::max<std::int16_t>(Small(number(parameters, 3, 0)), 0);
  mask.StretchMode = Small(number(parameters, 4, 1));
  FillBorderWidths(mask);
  Masks.push_back(std::move(mask));
}

void TSkinManager::ReadWholeImageEntry(const std::string& section, const std::string& key, const std::string& value,
                                       bool onDisk) {
  std::unique_ptr<TBitmap> image = LoadSkinBitmap(AsciiUppered(value), true, onDisk);
  if (!image) return;
  TSkinMaskData mask = NewMask(AsciiUppered(section), AsciiUppered(key), itisaBorder);
  SetCounts(mask, 3, 1);
  mask.SourceRect = Rect(0, 0, image->Width(), image->Height());
  FillBorderWidths(mask);
  mask.Image = std::move(image);
  Masks.push_back(std::move(mask));
}

// CommonSections reads only bitmap files and free-form rectangles.
void TSkinManager::ReadCommonMasks() {
  if (commonSections_->Count() == 0) return;
  const TMemIniFile common("1.tmp", commonSections_->Text());
  for (const std::string& section : common.ReadSections()) {
    if (AsciiUppered(section) == "GLOBALINFO") continue;
    for (const std::string& key : common.ReadSection(section)) {
      const std::string value = common.ReadString(section, key, "-");
      const bool freeForm = Contains(value, "#");
      if (!masterBitmap_ || !freeForm) {
        if (Contains(AsciiUppered(value), ".BMP")) ReadWholeImageEntry(section, key, value, true);
      } else if (value != "#") {
        ReadFreeFormEntry(section, key, value);
      }
    }
  }
}

void TSkinManager::ReadPatterns(const TMemIniFile& ini) {
  Patterns.clear();
  for (const std::string& section : ini.ReadSections())
    for (const std::string& key : ini.ReadSection(section))
      ReadPatternEntry(section, key, ini.ReadString(section, key, "-"));
  ReadCommonPatterns();
}

// A small picture becomes a texture mask of its own, drawn into a bitmap.
void TSkinManager::ReadPatternEntry(const std::string& section, const std::string& key, const std::string& value) {
  if (!NamesJpeg(value)) return;
  std::unique_ptr<TJPEGImage> picture = LoadSkinJpeg(value, false);
  if (!picture) return;
  if (std::int64_t(picture->Width()) * picture->Height() >= MinPatternPixels) {
    Patterns.push_back({std::move(picture), AsciiUppered(section), AsciiUppered(key)});
    return;
  }
  TSkinMaskData mask = NewMask(AsciiUppered(section), AsciiUppered(key), itisaTexture);
  mask.Image = NewBitmap24(picture->Width(), picture->Height());
  mask.Image->Canvas().Draw(0, 0, *picture);
  Masks.push_back(std::move(mask));
}

// Every JPEG CommonSections names is a pattern, whatever its size.
void TSkinManager::ReadCommonPatterns() {
  if (commonSections_->Count() == 0) return;
  const TMemIniFile common("2.tmp", commonSections_->Text());
  for (const std::string& section : common.ReadSections())
    for (const std::string& key : common.ReadSection(section)) {
      const std::string value = AsciiUppered(common.ReadString(section, key, "-"));
      if (!NamesJpeg(value)) continue;
      if (std::unique_ptr<TJPEGImage> picture = LoadSkinJpeg(value, true))
        Patterns.push_back({std::move(picture), AsciiUppered(section), AsciiUppered(key)});
    }
}
