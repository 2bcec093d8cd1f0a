#pragma once
// Skins a program carries inside itself, in the manager's InternalSkins:
// either a packed skin held as one block of bytes ("Data") or collections
// that mirror the loaded tables item by item. Here they are filled by code;
// "Data" is written to and read from a stream in the binary property's form.
// When the packed data is not empty it is a whole packed skin and wins
// over the collections.

#include <memory>
#include <string>
#include <vector>

#include "runtime/Collection.h"
#include "runtime/Stream.h"
#include "skin/skins/SkinData.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/JPEGImage.h"

class TSkinManager;

// One mask: an own picture (Image with a non-empty Name) or a rectangle
// (Left, Top, Right, Bottom) of the stored skin's MasterBitmap.
class TSkinImage : public TCollectionItem {
public:
  std::string SectionName;
  const TBitmap& Image() const { return *image_; }
  // Copies the picture into the item's own.
  void SetImage(const TGraphic& picture) { image_->Assign(picture); }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& value);
  std::string PropertyName;
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int ImageCount = 0;
  int MaskType = 0;
  int BorderWidth = 0;
  int StretchMode = 0;
  TSkImgType ImgType = itisaBorder;
  int WL = 0;
  int WR = 0;
  int WT = 0;
  int WB = 0;

private:
  std::unique_ptr<TBitmap> image_ = std::make_unique<TBitmap>();
  std::string name_;
};

// One section. FontColor and HotFontColor hold five whole numbers
// separated by blanks: the text colour, then the left, top, right and
// bottom outline colours. No property has a default of its own.
class TSkinGeneral : public TCollectionItem {
public:
  std::string SectionName;
  std::string ParentClass;
  TColor Color = 0;
  bool ReservedBoolean = false;
  std::string FontColor;
  std::string HotFontColor;
  int Transparency = 0;
  int GradientPercent = 0;
  std::string GradientData;
  int ImagePercent = 0;
  bool ShowFocus = false;
  bool FadingEnabled = false;
  int FadingIterations = 0;
  TColor HotColor = 0;
  int HotTransparency = 0;
  int HotGradientPercent = 0;
  std::string HotGradientData;
  int HotImagePercent = 0;
  std::string Name;
  bool GiveOwnFont = false;
};

// One large background picture; an empty Image takes the picture of
// another pattern of the same Name.
class TSkinPattern : public TCollectionItem {
public:
  std::string SectionName;
  const TJPEGImage& Image() const { return *image_; }
  void SetImage(const TJPEGImage& picture) { image_->Assign(picture); }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& value);
  std::string PropertyName;

private:
  std::unique_ptr<TJPEGImage> image_ = std::make_unique<TJPEGImage>();
  std::string name_;
};

// Items of these collections cannot copy each other: assigning a
// non-empty collection raises EConvertError "Cannot assign a <item class>
// to a <item class>".
using TSkinImages = TCollectionOf<TSkinImage>;
using TSkinGenerals = TCollectionOf<TSkinGeneral>;
using TSkinPatterns = TCollectionOf<TSkinPattern>;

class TSkinStoredSkin : public TCollectionItem {
public:
  TSkinStoredSkin();
  ~TSkinStoredSkin() override;

  // Matched exactly against the manager's SkinName.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& value);
  TSkinGenerals& GeneralData() const { return *generalData_; }
  void SetGeneralData(const TSkinGenerals& value) { generalData_->Assign(value); }
  TSkinImages& Images() const { return *images_; }
  void SetImages(const TSkinImages& value) { images_->Assign(value); }
  TSkinPatterns& Patterns() const { return *patterns_; }
  void SetPatterns(const TSkinPatterns& value) { patterns_->Assign(value); }
  const TBitmap& MasterBitmap() const { return *masterBitmap_; }
  void SetMasterBitmap(const TGraphic& picture) { masterBitmap_->Assign(picture); }
  TColor Shadow1Color = 0;
  int Shadow1Offset = 0;
  int Shadow1Blur = -1;
  int Shadow1Transparency = 0;
  TColor BorderColor = 0xFF00FF;
  double Version = 0;
  std::string Author;
  std::string Description;

  // The packed skin; empty when the collections hold the skin.
  TMemoryStream& PackedData() const { return *packedData_; }
  // "Data": written always, also when empty (a count of 0); reading
  // replaces the packed data.
  void WriteData(TStream& target) const;
  void ReadData(TStream& source);

private:
  std::string name_;
  std::unique_ptr<TSkinGenerals> generalData_;
  std::unique_ptr<TSkinImages> images_;
  std::unique_ptr<TSkinPatterns> patterns_;
  std::unique_ptr<TBitmap> masterBitmap_;
  std::unique_ptr<TMemoryStream> packedData_;
};

class TSkinStoredSkins : public TCollectionOf<TSkinStoredSkin> {
public:
  using TCollectionOf::TCollectionOf;
  // The index of the skin of exactly that name; -1 when none has it.
  int IndexOf(const std::string& name) const;
  // The collection is filled item by item, never copied whole.
  void Assign(const TCollection&) override {}
};

// The three readers of a stored skin without packed data, each filling one
// table of a load in the manager's order (masks, patterns, sections); the
// manager then adds its CommonSections entries and the colour shifts.

// A 24-bit copy of the skin's MasterBitmap, transparent in magenta.
std::unique_ptr<TBitmap> StoredMasterBitmap(const TSkinStoredSkin& skin);
// Appends a mask of manager per TSkinImage, in order.
void ReadStoredMasks(const TSkinStoredSkin& skin, TSkinManager* manager, std::vector<TSkinMaskData>& masks);
// Appends a pattern per TSkinPattern, in order.
void ReadStoredPatterns(const TSkinStoredSkin& skin, std::vector<TSkinPatternData>& patterns);
// Sets the skin-wide values the stored skin holds (the caption-button
// values stay) and appends a section per TSkinGeneral. A FontColor or
// HotFontColor of five words with one that is no number raises
// EConvertError, as does a gradient text with one.
void ReadStoredSectionData(const TSkinStoredSkin& skin, TSkinData& globalInfo,
                           std::vector<TSkinGeneralData>& sections);
