// The text tree's caption chunk in node records: the main column's text as
// UTF-16 code units, written under toSaveCaptions and handed to OnNewText
// when read.

#include "runtime/Stream.h"
#include "runtime/Utf16.h"
#include "treeview/CustomDataStringTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeError.h"

namespace {

constexpr int32_t CaptionChunk = 3;

}  // namespace

void TCustomDataStringTree::WriteNodeChunks(TStream& stream, PDataNode node) {
  TBaseDataTree::WriteNodeChunks(stream, node);
  if (!TreeOptions().StringOptions().Contains(toSaveCaptions) || node == RootNode() || !node->Has(nsInitialized))
    return;
  const std::u16string caption = DecodeUtf8(CellText(node, Header().MainColumn()));
  std::string bytes;
  bytes.reserve(2 * caption.size());
  for (char16_t unit : caption) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  stream.WriteInt32(CaptionChunk);
  stream.WriteInt32(static_cast<int32_t>(bytes.size()));
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

bool TCustomDataStringTree::ReadNodeSubChunk(TStream& stream, int version, PDataNode node, int chunkType,
                                             int chunkSize) {
  if (chunkType != CaptionChunk) return TBaseDataTree::ReadNodeSubChunk(stream, version, node, chunkType, chunkSize);
  if (chunkSize % 2 != 0) RaiseAnchorChunkMissing();
  std::string bytes(static_cast<size_t>(chunkSize), '\0');
  stream.ReadBuffer(bytes.data(), chunkSize);
  std::u16string caption(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < caption.size(); ++i)
    caption[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) | static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
  SetCellText(node, Header().MainColumn(), EncodeUtf8(caption));
  return true;
}

void TCustomDataStringTree::CheckNodeSubChunk(TStream& stream, int version, int chunkType, int64_t chunkEnd,
                                              int depth) {
  // A caption holds whole UTF-16 code units.
  if (chunkType == CaptionChunk && (chunkEnd - stream.Position()) % 2 != 0) RaiseAnchorChunkMissing();
  TBaseDataTree::CheckNodeSubChunk(stream, version, chunkType, chunkEnd, depth);
}
