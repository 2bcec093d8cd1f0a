#include "skin/skins/StoredSkins.h"

#include <array>

#include "runtime/AsciiCase.h"
#include "runtime/NumberText.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/paint/Gradient.h"
#include "skin/skins/MaskFields.h"

void TSkinImage::SetName(const std::string& value) {
  if (name_ != value) name_ = value;
}

void TSkinPattern::SetName(const std::string& value) {
  if (name_ != value) name_ = value;
}

TSkinStoredSkin::TSkinStoredSkin()
    : generalData_(std::make_unique<TSkinGenerals>(this)),
      images_(std::make_unique<TSkinImages>(this)),
      patterns_(std::make_unique<TSkinPatterns>(this)),
      masterBitmap_(std::make_unique<TBitmap>()),
      packedData_(std::make_unique<TMemoryStream>()) {}

TSkinStoredSkin::~TSkinStoredSkin() = default;

void TSkinStoredSkin::SetName(const std::string& value) {
  if (name_ != value) name_ = value;
}

void TSkinStoredSkin::WriteData(TStream& target) const { WriteBinaryProperty(target, *packedData_); }

void TSkinStoredSkin::ReadData(TStream& source) { ReadBinaryProperty(source, *packedData_); }

int TSkinStoredSkins::IndexOf(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i).Name() == name) return i;
  return -1;
}

std::unique_ptr<TBitmap> StoredMasterBitmap(const TSkinStoredSkin& skin) {
  auto master = std::make_unique<TBitmap>();
  master->Assign(skin.MasterBitmap());
  master->SetPixelFormat(pf24bit);
  master->SetTransparent(true);
  master->SetTransparentColor(clSkinKey);
  return master;
}

namespace {

using MaskFields::Small;

TSkinMaskData StoredMask(const TSkinImage& item, TSkinManager* manager) {
  TSkinMaskData mask;
  mask.SectionName = AsciiUppered(item.SectionName);
  mask.PropertyName = AsciiUppered(item.PropertyName);
  mask.Manager = manager;
  if (!item.Name().empty() && !item.Image().Empty()) {
    mask.Image = std::make_unique<TBitmap>();
    mask.Image->Assign(item.Image());
    mask.Image->SetPixelFormat(pf24bit);
    mask.SourceRect = Rect(0, 0, mask.Image->Width(), mask.Image->Height());
  } else {
    mask.SourceRect = Rect(item.Left, item.Top, item.Right, item.Bottom);
  }
  // A picture stored without a frame count is a button's three frames
  // over their alpha rows.
  if (item.ImageCount == 0)
    MaskFields::SetCounts(mask, 3, 1);
  else
    MaskFields::SetCounts(mask, item.ImageCount, item.MaskType);
  mask.BorderWidth = Small(item.BorderWidth);
  mask.StretchMode = Small(item.StretchMode);
  // Image types beyond the three known ones draw as borders.
  mask.ImgType = item.ImgType <= itisaGlyph ? item.ImgType : itisaBorder;
  mask.WL = Small(item.WL);
  mask.WT = Small(item.WT);
  mask.WR = Small(item.WR);
  mask.WB = Small(item.WB);
  MaskFields::FillBorderWidths(mask);
  return mask;
}

// The picture of a pattern: its own, else that of the first other pattern
// of the same Name that has one (one picture serves several sections).
const TJPEGImage& PatternPicture(const TSkinPatterns& patterns, int index) {
  const TSkinPattern& pattern = patterns.Items(index);
  if (!pattern.Image().Empty()) return pattern.Image();
  for (int i = 0; i < patterns.Count(); ++i) {
    const TSkinPattern& other = patterns.Items(i);
    if (i != index && other.Name() == pattern.Name() && !other.Image().Empty()) return other.Image();
  }
  return pattern.Image();
}

// Five blank-separated numbers are the five colours; any other text gives
// the text colour 0 and no outline.
std::array<TColor, 5> FontColors(const std::string& text) {
  std::array<TColor, 5> colors{0, TColor(-1), TColor(-1), TColor(-1), TColor(-1)};
  if (WordCount(text, " ") != 5) return colors;
  for (int i = 0; i < 5; ++i) colors[i] = TColor(StrToInt(ExtractNthWord(i + 1, text, " ")));
  return colors;
}

TSkinGeneralData StoredSection(const TSkinGeneral& item) {
  TSkinGeneralData d;
  d.SectionName = item.SectionName;
  d.ParentClass = item.ParentClass;
  d.Color = item.Color;
  d.FontColor = FontColors(item.FontColor);
  d.HotFontColor = FontColors(item.HotFontColor);
  d.GiveOwnFont = item.GiveOwnFont;
  d.ReservedBoolean = item.ReservedBoolean;
  d.Transparency = item.Transparency;
  d.GradientPercent = item.GradientPercent;
  d.GradientData = item.GradientData;
  ParseGradientData(d.GradientData, d.GradientArray);
  d.ImagePercent = item.ImagePercent;
  d.ShowFocus = item.ShowFocus;
  d.FadingEnabled = item.FadingEnabled;
  d.FadingIterations = item.FadingIterations;
  d.HotColor = item.HotColor;
  d.HotTransparency = item.HotTransparency;
  d.HotGradientPercent = item.HotGradientPercent;
  d.HotGradientData = item.HotGradientData;
  ParseGradientData(d.HotGradientData, d.HotGradientArray);
  d.HotImagePercent = item.HotImagePercent;
  return d;
}

}  // namespace

void ReadStoredMasks(const TSkinStoredSkin& skin, TSkinManager* manager, std::vector<TSkinMaskData>& masks) {
  const TSkinImages& images = skin.Images();
  for (int i = 0; i < images.Count(); ++i) masks.push_back(StoredMask(images.Items(i), manager));
}

void ReadStoredPatterns(const TSkinStoredSkin& skin, std::vector<TSkinPatternData>& patterns) {
  const TSkinPatterns& stored = skin.Patterns();
  for (int i = 0; i < stored.Count(); ++i) {
    auto picture = std::make_unique<TJPEGImage>();
    picture->Assign(PatternPicture(stored, i));
    const TSkinPattern& pattern = stored.Items(i);
    patterns.push_back({std::move(picture), AsciiUppered(pattern.SectionName), AsciiUppered(pattern.PropertyName)});
  }
}

void ReadStoredSectionData(const TSkinStoredSkin& skin, TSkinData& globalInfo,
                           std::vector<TSkinGeneralData>& sections) {
  globalInfo.Version = skin.Version;
  globalInfo.Author = skin.Author;
  globalInfo.Description = skin.Description;
  globalInfo.Shadow1Color = skin.Shadow1Color;
  globalInfo.Shadow1Offset = skin.Shadow1Offset;
  globalInfo.Shadow1Blur = skin.Shadow1Blur;
  globalInfo.Shadow1Transparency = skin.Shadow1Transparency;
  globalInfo.BorderColor = skin.BorderColor;
  const TSkinGenerals& generals = skin.GeneralData();
  for (int i = 0; i < generals.Count(); ++i) sections.push_back(StoredSection(generals.Items(i)));
}
