// The header and its columns in the tree's stream format: 32-bit
// little-endian integers, texts as a length and UTF-16 code units.

#include <algorithm>
#include <set>

#include "runtime/Exceptions.h"
#include "runtime/Stream.h"
#include "runtime/Utf16.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"

namespace {

constexpr int HeaderStreamVersion = 3;

// A length read from a stream must fit the bytes left, so no bad length allocates more than the stream holds.
int32_t ReadLength(TStream& stream, int bytesEach) {
  const int32_t length = stream.ReadInt32();
  if (length < 0 || length > (stream.Size() - stream.Position()) / bytesEach) throw EStreamError("Stream read error");
  return length;
}

void WriteUtf16(TStream& stream, const std::string& text) {
  const std::u16string units = DecodeUtf8(text);
  stream.WriteInt32(static_cast<int32_t>(units.size()));
  for (char16_t unit : units) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(unit), static_cast<uint8_t>(unit >> 8)};
    stream.WriteBuffer(bytes, 2);
  }
}

std::string ReadUtf16(TStream& stream) {
  std::u16string units(static_cast<size_t>(ReadLength(stream, 2)), u'\0');
  for (char16_t& unit : units) {
    uint8_t bytes[2];
    stream.ReadBuffer(bytes, 2);
    unit = static_cast<char16_t>(bytes[0] | bytes[1] << 8);
  }
  return EncodeUtf8(units);
}

// An enumeration's ordinal; one outside 0..Last is a range error.
template <class Enum>
Enum ReadOrdinal(TStream& stream, Enum last) {
  const int32_t value = stream.ReadInt32();
  if (value < 0 || value > static_cast<int32_t>(last)) throw ERangeError();
  return static_cast<Enum>(value);
}

// The members 0..Last whose bits are set; higher bits are dropped.
template <class Enum>
TEnumSet<Enum> SetOfBits(uint32_t bits, Enum last) {
  TEnumSet<Enum> members;
  for (unsigned member = 0; member <= static_cast<unsigned>(last); ++member)
    if (bits & (1u << member)) members.Include(static_cast<Enum>(member));
  return members;
}

}  // namespace

TDTColumnOptions ConvertColumnOptions(int32_t stored, int version) {
  if (stored < 0) throw ERangeError();
  const auto bits = static_cast<uint32_t>(stored);
  uint32_t converted;
  if (version >= 3)
    converted = bits & 0xFFFF;
  else if (version == 2)
    converted = bits & 0xFF;
  else
    converted = (bits & 0x0F) | (bits & 0x70) << 1;
  return SetOfBits(converted, coFixed);
}

void TDataTreeColumn::WriteToStream(TStream& stream) const {
  WriteUtf16(stream, text_);
  WriteUtf16(stream, Hint);
  for (int32_t value : {width_, minWidth_, maxWidth_, static_cast<int32_t>(style_), imageIndex_,
                        static_cast<int32_t>(layout_), margin_, spacing_, static_cast<int32_t>(biDiMode_),
                        static_cast<int32_t>(options_.Bits()), Tag, static_cast<int32_t>(alignment_),
                        static_cast<int32_t>(color_)})
    stream.WriteInt32(value);
}

void TDataTreeColumn::ReadFromStream(TStream& stream, int version) {
  SetText(ReadUtf16(stream));
  Hint = ReadUtf16(stream);
  SetWidth(stream.ReadInt32());
  SetMinWidth(stream.ReadInt32());
  SetMaxWidth(stream.ReadInt32());
  SetStyle(ReadOrdinal(stream, vsOwnerDraw));
  SetImageIndex(stream.ReadInt32());
  SetLayout(ReadOrdinal(stream, blGlyphBottom));
  SetMargin(stream.ReadInt32());
  SetSpacing(stream.ReadInt32());
  SetBiDiMode(ReadOrdinal(stream, bdRightToLeftReadingOnly));
  const TDTColumnOptions options = ConvertColumnOptions(stream.ReadInt32(), version);
  if (version > 0) {
    Tag = stream.ReadInt32();
    SetAlignment(ReadOrdinal(stream, taCenter));
  }
  // The colour's setter drops coParentColor: the stored options are set after it, as Assign does.
  if (version > 1) SetColor(static_cast<TColor>(stream.ReadInt32()));
  SetOptions(options);
}

void TDataTreeColumns::WriteToStream(TStream& stream) const {
  stream.WriteInt32(Count());
  for (const auto& column : columns_) column->WriteToStream(stream);
  for (TColumnIndex index : positionToIndex_) stream.WriteInt32(index);
}

void TDataTreeColumns::ReadFromStream(TStream& stream, int version) {
  ClearColumns();
  const int32_t count = stream.ReadInt32();
  if (count <= 0) return;
  BeginUpdate();
  try {
    for (int32_t i = 0; i < count; ++i) AddColumn().ReadFromStream(stream, version);
    std::vector<TColumnIndex> positions(static_cast<size_t>(count));
    for (TColumnIndex& index : positions) index = stream.ReadInt32();
    // Only a permutation of the indexes keeps every column at one position.
    if (std::set<TColumnIndex>(positions.begin(), positions.end()).size() != positions.size() ||
        *std::min_element(positions.begin(), positions.end()) < 0 ||
        *std::max_element(positions.begin(), positions.end()) >= count)
      throw ERangeError();
    positionToIndex_ = positions;
    RecalcPositions(true);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TDTHeader::WriteToStream(TStream& stream) {
  stream.WriteInt32(-1);
  stream.WriteInt32(HeaderStreamVersion);
  columns_.WriteToStream(stream);
  for (int32_t value : {autoSizeIndex_, static_cast<int32_t>(background_), height_,
                        static_cast<int32_t>(options_.Bits()), static_cast<int32_t>(style_),
                        static_cast<int32_t>(font_.Color()), font_.Height()})
    stream.WriteInt32(value);
  stream.WriteInt32(static_cast<int32_t>(font_.Name().size()));
  stream.WriteBuffer(font_.Name().data(), static_cast<int64_t>(font_.Name().size()));
  // The pitch: the fonts here have none but the default.
  stream.WriteInt32(0);
  const auto style = static_cast<uint8_t>(font_.Style());
  stream.WriteBuffer(&style, 1);
  for (int32_t value : {mainColumn_, sortColumn_, static_cast<int32_t>(sortDirection_)}) stream.WriteInt32(value);
}

void TDTHeader::ReadFromStream(TStream& stream) {
  states_.Include(hdLoading);
  const TDTHeaderOptions keptOptions = options_;
  options_ = {};
  bool optionsSet = false;
  try {
    int version = stream.ReadInt32();
    if (version < 0) {
      version = stream.ReadInt32();
    } else {
      stream.Seek(-4, soCurrent);
      version = -1;
    }
    columns_.ReadFromStream(stream, version);
    SetAutoSizeIndex(stream.ReadInt32());
    SetBackground(static_cast<TColor>(stream.ReadInt32()));
    const int32_t height = stream.ReadInt32();
    if (height < 0) throw ERangeError();
    SetHeight(height);
    const TDTHeaderOptions options = SetOfBits(static_cast<uint32_t>(stream.ReadInt32()) & 0xFFFF, hoAutoSpring);
    options_ = keptOptions;
    optionsSet = true;
    SetOptions(options);
    SetStyle(ReadOrdinal(stream, hsXPStyle));
    font_.SetColor(static_cast<TColor>(stream.ReadInt32()));
    font_.SetHeight(stream.ReadInt32());
    std::string name(static_cast<size_t>(ReadLength(stream, 1)), '\0');
    stream.ReadBuffer(name.data(), static_cast<int64_t>(name.size()));
    font_.SetName(name);
    stream.ReadInt32();
    uint8_t style;
    stream.ReadBuffer(&style, 1);
    font_.SetStyle(style);
    if (version > 0) {
      SetMainColumn(stream.ReadInt32());
      SetSortColumn(stream.ReadInt32());
      SetSortDirection(ReadOrdinal(stream, sdDescending));
    }
  } catch (...) {
    if (!optionsSet) options_ = keptOptions;
    states_.Exclude(hdLoading);
    tree_.ColumnResized(ColumnNone);
    throw;
  }
  states_.Exclude(hdLoading);
  tree_.ColumnResized(ColumnNone);
}
