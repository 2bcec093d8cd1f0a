// Node records in streams (nested chunks), whole trees in streams and moving
// nodes within a tree or to another tree. Records come from files, the
// clipboard and other programs' drops, so every size and count is checked
// against the bytes that hold it before anything is read or allocated.

#include <cstring>

#include "runtime/Exceptions.h"
#include "runtime/Stream.h"
#include "runtime/StreamWindow.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DataTreeError.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/TreeRoutines.h"

namespace {

constexpr int32_t NodeChunk = 1;
constexpr int32_t BaseChunk = 2;
constexpr int32_t UserChunk = 4;
constexpr int64_t ChunkHeaderSize = 8;
constexpr int64_t BaseBodySize = 17;
constexpr int64_t OldBaseBodySize = 12;
constexpr int TreeStreamVersion = 2;
constexpr uint16_t StreamMagic[] = {0x2045, u'V', u'T', TreeStreamVersion, 0x0020, 0x2046};
// Deeper records are refused: reading them would exhaust the stack.
constexpr int DeepestRecord = 4000;
constexpr unsigned LargestNodeHeight = 65535;

constexpr uint16_t UnsavedStates = nsChecking | nsCutOrCopy | nsDeleting | nsInitialUserData | nsHeightMeasured;
constexpr uint16_t TransientStates = UnsavedStates | nsClearing | nsToggling | nsAllChildrenHidden;

int64_t BaseBodySizeFor(int version) { return version < 2 ? OldBaseBodySize : BaseBodySize; }
// The fewest bytes a child's record takes.
int64_t SmallestRecord(int version) { return 2 * ChunkHeaderSize + BaseBodySizeFor(version); }

struct TChunkHeader {
  int32_t Type;
  int32_t Size;
};

// Reads a chunk header and checks that its body fits before Limit.
TChunkHeader ReadChunkHeader(TStream& stream, int64_t limit, void (*raise)()) {
  if (limit - stream.Position() < ChunkHeaderSize) raise();
  TChunkHeader header{stream.ReadInt32(), stream.ReadInt32()};
  if (header.Size < 0 || header.Size > limit - stream.Position()) raise();
  return header;
}

[[noreturn]] void RaiseTooSmall() { RaiseStreamTooSmall(); }
[[noreturn]] void RaiseAfterEnd() { RaiseDataAfterNodeEnd(); }

struct TBaseBody {
  uint32_t ChildCount = 0;
  uint32_t NodeHeight = 0;
  uint16_t States = 0;
  uint8_t Align = 0;
  uint8_t CheckState = 0;
  uint8_t CheckType = 0;
};

uint32_t LittleEndian32(const uint8_t* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24;
}

// Reads the base chunk's fixed body; the chunk must hold it and room for its children's records.
TBaseBody ReadBaseBody(TStream& stream, int version, int64_t chunkEnd) {
  const int64_t bodySize = BaseBodySizeFor(version);
  if (chunkEnd - stream.Position() < bodySize) RaiseDataAfterNodeEnd();
  uint8_t bytes[BaseBodySize];
  stream.ReadBuffer(bytes, bodySize);
  TBaseBody body;
  body.ChildCount = LittleEndian32(bytes);
  body.NodeHeight = LittleEndian32(bytes + 4);
  if (version < 2) {
    // The old one-byte states kept the selection in bit 7, and every node was visible.
    body.States = static_cast<uint16_t>((bytes[8] & 0x7F) | nsVisible | (bytes[8] & 0x80 ? nsSelected : 0));
    body.Align = bytes[9];
    body.CheckState = bytes[10];
    body.CheckType = bytes[11];
  } else {
    body.States = static_cast<uint16_t>(bytes[8] | bytes[9] << 8);
    body.Align = bytes[10];
    body.CheckState = bytes[11];
    body.CheckType = bytes[12];
  }
  body.States &= static_cast<uint16_t>(~TransientStates & 0x7FFF);
  if (body.NodeHeight > LargestNodeHeight) throw ERangeError();
  if (body.ChildCount > (chunkEnd - stream.Position()) / SmallestRecord(version)) RaiseStreamTooSmall();
  return body;
}

void WriteStreamHeader(TStream& stream) {
  uint8_t bytes[sizeof StreamMagic];
  for (size_t i = 0; i < std::size(StreamMagic); ++i) {
    bytes[2 * i] = static_cast<uint8_t>(StreamMagic[i]);
    bytes[2 * i + 1] = static_cast<uint8_t>(StreamMagic[i] >> 8);
  }
  stream.WriteBuffer(bytes, sizeof bytes);
}

// Reads and checks the stream header; answers the stream's version.
int ReadStreamHeader(TStream& stream) {
  if (stream.Size() - stream.Position() < static_cast<int64_t>(sizeof StreamMagic)) RaiseStreamTooSmall();
  uint8_t bytes[sizeof StreamMagic];
  stream.ReadBuffer(bytes, sizeof bytes);
  const auto word = [&bytes](size_t i) { return static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8); };
  for (size_t i : {0, 1, 2, 5})
    if (word(i) != StreamMagic[i])
      RaiseTreeError("Unable to load tree structure, the format is wrong.", WrongStreamFormatHelp);
  const int version = word(3);
  if (version > TreeStreamVersion)
    RaiseTreeError("Unable to load tree structure, the version is unknown.", WrongStreamVersionHelp);
  return version;
}

}  // namespace

// ---- Writing ------------------------------------------------------------------------

void TBaseDataTree::WriteNodeChunk(TStream& stream, PDataNode node) {
  if (options_->MiscOptions().Contains(toInitOnSave)) {
    if (!node->Has(nsInitialized)) RunNodeInit(node);
    if (node->Has(nsHasChildren) && node->ChildCount == 0) InitNodeChildren(node);
  }
  const int64_t start = stream.Position();
  stream.WriteInt32(NodeChunk);
  stream.WriteInt32(0);
  WriteNodeChunks(stream, node);
  CloseChunkHeader(stream, start, stream.Position());
}

void TBaseDataTree::WriteNodeChunks(TStream& stream, PDataNode node) {
  int64_t start = stream.Position();
  // The count is that of the child records that follow, so a reader never takes later records for children.
  const uint32_t childRecords = node->Has(nsInitialized) ? node->ChildCount : 0;
  const auto states = static_cast<uint16_t>(node->States & ~UnsavedStates);
  uint8_t body[2 * ChunkHeaderSize + BaseBodySize] = {};
  const auto put32 = [&body](size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) body[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  put32(0, BaseChunk);
  put32(8, childRecords);
  put32(12, node->NodeHeight);
  body[16] = static_cast<uint8_t>(states);
  body[17] = static_cast<uint8_t>(states >> 8);
  body[18] = node->Align;
  body[19] = node->CheckState;
  body[20] = node->CheckType;
  stream.WriteBuffer(body, ChunkHeaderSize + BaseBodySize);
  if (childRecords > 0)
    for (PDataNode child = node->FirstChild; child; child = child->NextSibling) WriteNodeChunk(stream, child);
  CloseChunkHeader(stream, start, stream.Position());

  start = stream.Position();
  stream.WriteInt32(UserChunk);
  stream.WriteInt32(0);
  FireSaveNode(node, stream);
  const int64_t end = stream.Position();
  if (end - start - ChunkHeaderSize > 0) {
    CloseChunkHeader(stream, start, end);
  } else {
    // An empty user chunk is not stored at all.
    stream.SetPosition(start);
    if (stream.Size() == start + ChunkHeaderSize) stream.SetSize(start);
  }
}

void TBaseDataTree::CloseChunkHeader(TStream& stream, int64_t startPos, int64_t endPos) {
  stream.SetPosition(startPos + 4);
  stream.WriteInt32(static_cast<int32_t>(endPos - startPos - ChunkHeaderSize));
  stream.SetPosition(endPos);
}

void TBaseDataTree::SaveTreeToStream(TStream& stream, PDataNode node) {
  WriteStreamHeader(stream);
  if (node && node != root_) {
    stream.WriteInt32(1);
    WriteNodeChunk(stream, node);
    return;
  }
  stream.WriteInt32(static_cast<int32_t>(root_->ChildCount));
  for (PDataNode child = root_->FirstChild; child; child = child->NextSibling) WriteNodeChunk(stream, child);
}

// ---- Checking -----------------------------------------------------------------------

void TBaseDataTree::CheckNodeChunk(TStream& stream, int version, int64_t limit, int depth) {
  if (depth > DeepestRecord) RaiseAnchorChunkMissing();
  const TChunkHeader header = ReadChunkHeader(stream, limit, RaiseTooSmall);
  if (header.Type != NodeChunk) RaiseAnchorChunkMissing();
  const int64_t end = stream.Position() + header.Size;
  while (stream.Position() < end) {
    const TChunkHeader sub = ReadChunkHeader(stream, end, RaiseAfterEnd);
    const int64_t subEnd = stream.Position() + sub.Size;
    CheckNodeSubChunk(stream, version, sub.Type, subEnd, depth);
    stream.SetPosition(subEnd);
  }
}

void TBaseDataTree::CheckNodeSubChunk(TStream& stream, int version, int chunkType, int64_t chunkEnd, int depth) {
  if (chunkType != BaseChunk) return;
  const TBaseBody body = ReadBaseBody(stream, version, chunkEnd);
  for (uint32_t i = 0; i < body.ChildCount; ++i) CheckNodeChunk(stream, version, chunkEnd, depth + 1);
  if (stream.Position() != chunkEnd) RaiseDataAfterNodeEnd();
}

// ---- Reading ------------------------------------------------------------------------

void TBaseDataTree::ReadNodeChunk(TStream& stream, int version, PDataNode node) {
  ReadNodeChunkWithin(stream, version, node, stream.Size());
}

void TBaseDataTree::ReadNodeChunkWithin(TStream& stream, int version, PDataNode node, int64_t limit) {
  const TChunkHeader header = ReadChunkHeader(stream, limit, RaiseTooSmall);
  if (header.Type != NodeChunk) RaiseAnchorChunkMissing();
  const int64_t end = stream.Position() + header.Size;
  while (stream.Position() < end) {
    const TChunkHeader sub = ReadChunkHeader(stream, end, RaiseAfterEnd);
    const int64_t subEnd = stream.Position() + sub.Size;
    ReadNodeSubChunk(stream, version, node, sub.Type, sub.Size);
    if (stream.Position() > subEnd) RaiseDataAfterNodeEnd();
    stream.SetPosition(subEnd);
  }
}

bool TBaseDataTree::ReadNodeSubChunk(TStream& stream, int version, PDataNode node, int chunkType, int chunkSize) {
  const int64_t start = stream.Position();
  const int64_t end = start + chunkSize;
  switch (chunkType) {
    case BaseChunk: {
      const TBaseBody body = ReadBaseBody(stream, version, end);
      node->States = body.States;
      node->NodeHeight = static_cast<uint16_t>(body.NodeHeight);
      node->TotalHeight = body.NodeHeight;
      node->Align = body.Align;
      node->CheckState = body.CheckState <= csMixedPressed ? static_cast<TCheckState>(body.CheckState) : csUncheckedNormal;
      node->CheckType = body.CheckType;
      for (uint32_t i = 0; i < body.ChildCount; ++i) {
        const PDataNode child = AllocateNode();
        child->Parent = node;
        child->PrevSibling = node->LastChild;
        child->Index = node->LastChild ? node->LastChild->Index + 1 : 0;
        if (node->LastChild)
          node->LastChild->NextSibling = child;
        else
          node->FirstChild = child;
        node->LastChild = child;
        ++node->ChildCount;
        ReadNodeChunkWithin(stream, version, child, end);
      }
      return true;
    }
    case UserChunk: {
      if (chunkSize < 1) return true;
      // The handler reads through a window: it cannot take bytes of the chunks after its own.
      TStreamWindow window(stream, start, end);
      FireLoadNode(node, window);
      stream.SetPosition(end);
      return window.Position() > 0;
    }
    default:
      stream.SetPosition(end);
      return false;
  }
}

void TBaseDataTree::SkipNodeChunk(TStream& stream) {
  const TChunkHeader header = ReadChunkHeader(stream, stream.Size(), RaiseTooSmall);
  if (header.Type != NodeChunk) RaiseAnchorChunkMissing();
  stream.Seek(header.Size, soCurrent);
}

void TBaseDataTree::LoadNodeFromStream(TStream& stream, int version, PDataNode node) {
  QASSERT(node && node != root_, "The root node cannot be loaded from stream.");
  if (node->Has(nsSelected)) DeselectNode(node);
  const TDataNode before = *node;
  const PDataNode lastChildBefore = node->LastChild;
  const unsigned shownRowsBefore = NodeFullyShown(node) ? 1 + CountShownDescendants(node) : 0;
  try {
    const int64_t start = stream.Position();
    CheckNodeChunk(stream, version, stream.Size(), 0);
    stream.SetPosition(start);
    ReadNodeChunk(stream, version, node);
  } catch (...) {
    DiscardFailedRecord(node, before, lastChildBefore);
    throw;
  }
  SettleLoadedNode(node, before, shownRowsBefore);
}

namespace {

// Recomputes counts, heights and the flags that follow from the children, bottom-up.
void SettleSubtree(PDataNode node) {
  node->TotalCount = 1;
  node->TotalHeight = node->NodeHeight;
  bool anyVisible = false;
  for (PDataNode child = node->FirstChild; child; child = child->NextSibling) {
    SettleSubtree(child);
    node->TotalCount += child->TotalCount;
    if (child->Has(nsVisible)) {
      anyVisible = true;
      if (node->Has(nsExpanded)) node->TotalHeight += child->TotalHeight;
    }
  }
  if (node->ChildCount > 0) node->Include(nsHasChildren);
  if (node->ChildCount == 0 && node->Has(nsExpanded)) {
    node->Exclude(nsExpanded);
    node->TotalHeight = node->NodeHeight;
  }
  if (node->ChildCount > 0 && !anyVisible)
    node->Include(nsAllChildrenHidden);
  else
    node->Exclude(nsAllChildrenHidden);
}

}  // namespace

void TBaseDataTree::SettleLoadedNode(PDataNode node, const TDataNode& before, unsigned shownRowsBefore) {
  SettleSubtree(node);
  const PDataNode parent = node->Parent;
  ShiftTotalCount(parent, int64_t{node->TotalCount} - before.TotalCount);
  if (parent->Has(nsExpanded)) {
    const int64_t heightBefore = (before.States & nsVisible) ? before.TotalHeight : 0;
    const int64_t heightNow = node->Has(nsVisible) ? node->TotalHeight : 0;
    ShiftTotalHeight(parent, heightNow - heightBefore);
  }
  const unsigned shownRowsNow = NodeFullyShown(node) ? 1 + CountShownDescendants(node) : 0;
  visibleCount_ = visibleCount_ + shownRowsNow - shownRowsBefore;
  if (parent != root_) UpdateAllChildrenHidden(parent);
  InvalidatePositionCache(node);

  ClearTempNodeCache();
  const PDataNode after = NextNodeAfterSubtree(node);
  const bool multiSelect = options_->SelectionOptions().Contains(toMultiSelect);
  for (PDataNode run = node; run && run != after; run = NextNodeInOrderRaw(run)) {
    if (!run->Has(nsSelected)) continue;
    if (multiSelect)
      CacheTempNode(run);
    else
      run->Exclude(nsSelected);
  }
  if (tempNodeCount_ > 0) {
    // Flags the selection array does not know yet: cleared, then merged in as a new selection.
    for (int i = 0; i < tempNodeCount_; ++i) tempNodes_[static_cast<size_t>(i)]->Exclude(nsSelected);
    SelectNodeArray(tempNodes_, tempNodeCount_, true);
  }
  ClearTempNodeCache();
}

void TBaseDataTree::FreeSubtreeRaw(PDataNode node) {
  for (PDataNode child = node->FirstChild; child;) {
    const PDataNode next = child->NextSibling;
    FreeSubtreeRaw(child);
    child = next;
  }
  FireFreeNode(node);
}

void TBaseDataTree::DiscardFailedRecord(PDataNode node, const TDataNode& before, PDataNode lastChildBefore) {
  PDataNode added = lastChildBefore ? lastChildBefore->NextSibling : node->FirstChild;
  while (added) {
    const PDataNode next = added->NextSibling;
    FreeSubtreeRaw(added);
    added = next;
  }
  if (lastChildBefore) lastChildBefore->NextSibling = nullptr;
  const PDataNode parent = node->Parent;
  const PDataNode previous = node->PrevSibling;
  const PDataNode following = node->NextSibling;
  *node = before;
  node->Parent = parent;
  node->PrevSibling = previous;
  node->NextSibling = following;
  node->LastChild = lastChildBefore;
  if (!lastChildBefore) node->FirstChild = nullptr;
  RemoveNode(node);
}

// ---- Trees in streams -----------------------------------------------------------------

void TBaseDataTree::LoadTreeFromStream(TStream& stream) {
  if (ReadOnly()) return;
  const int version = ReadStreamHeader(stream);
  int64_t count = -1;
  if (version >= 2) {
    if (stream.Size() - stream.Position() < 4) RaiseStreamTooSmall();
    count = static_cast<uint32_t>(stream.ReadInt32());
  }
  const int64_t firstRecord = stream.Position();
  const int64_t size = stream.Size();
  const auto moreRecords = [&](int64_t done) { return stream.Position() < size && (count < 0 || done < count); };
  for (int64_t done = 0; moreRecords(done); ++done) CheckNodeChunk(stream, version, size, 0);
  stream.SetPosition(firstRecord);

  Clear();
  BeginUpdate();
  try {
    for (int64_t done = 0; moreRecords(done); ++done) {
      const PDataNode node = AllocateNode();
      LinkNode(node, root_, *this, amAddChildLast);
      LoadNodeFromStream(stream, version, node);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  FireNodeCopied(nullptr);
}

void TBaseDataTree::LoadTreeFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadTreeFromStream(file);
}

void TBaseDataTree::InsertRecords(TStream& stream, int64_t end, PDataNode target, TDTNodeAttachMode mode,
                                  unsigned count, const std::function<bool(PDataNode)>& arrived) {
  for (unsigned done = 0; done < count && stream.Position() < end; ++done) {
    const PDataNode node = AllocateNode();
    LinkNode(node, target, *this, mode);
    LoadNodeFromStream(stream, TreeStreamVersion, node);
    if (!arrived(node)) continue;
    target = node;
    mode = amInsertAfter;
  }
}

// ---- Moving ---------------------------------------------------------------------------

void TBaseDataTree::MoveNodeTo(PDataNode source, PDataNode target, TDTNodeAttachMode mode, bool childrenOnly) {
  QASSERT(!source || TreeOfNode(source) == this, "The source tree must contain the source node.");
  const bool besideItself = childrenOnly && (mode == amInsertBefore || mode == amInsertAfter);
  if ((source == target && !besideItself) || mode == amNoWhere || !source || source == root_ || ReadOnly()) return;
  TBaseDataTree* targetTree = this;
  if (!target) {
    target = root_;
    mode = amAddChildFirst;
  } else {
    targetTree = TreeOfNode(target);
    if (target == targetTree->root_) {
      if (mode == amInsertBefore) mode = amAddChildFirst;
      if (mode == amInsertAfter) mode = amAddChildLast;
    }
  }
  if (!target->Has(nsInitialized)) targetTree->RunNodeInit(target);
  if (target->Has(nsHasChildren) && target->ChildCount == 0) targetTree->InitNodeChildren(target);

  if (!FireNodeMoving(source, target == targetTree->root_ ? nullptr : target)) return;
  if (targetTree == this)
    MoveWithinTree(source, target, mode, childrenOnly);
  else
    MoveToOtherTree(*targetTree, source, target, mode, childrenOnly);

  InvalidatePositionCache();
  if (updateCount_ == 0) {
    RefreshScrollBars(true);
    if (HandleAllocated()) Invalidate();
    if (targetTree != this && targetTree->HandleAllocated()) targetTree->Invalidate();
  }
  // A node moved to another tree is gone: the change names none.
  SignalStructureChange(childrenOnly || targetTree != this ? nullptr : source, crNodeMoved);
}

void TBaseDataTree::MoveWithinTree(PDataNode source, PDataNode target, TDTNodeAttachMode mode, bool childrenOnly) {
  if (IsDescendantOf(target, source))
    RaiseTreeError("Target node cannot be a child node of the node to be moved.", TargetBelowSourceHelp);
  if (!childrenOnly) {
    UnlinkNode(source, true, true);
    LinkNode(source, target, *this, mode);
    FireNodeMoved(source);
    return;
  }
  // Children that each go first or right after the target arrive back to front, so they keep their order.
  const bool backToFront = mode == amAddChildFirst || mode == amInsertAfter;
  while (PDataNode child = backToFront ? source->LastChild : source->FirstChild) {
    UnlinkNode(child, true, false);
    LinkNode(child, target, *this, mode);
    FireNodeMoved(child);
  }
}

void TBaseDataTree::MoveToOtherTree(TBaseDataTree& targetTree, PDataNode source, PDataNode target,
                                    TDTNodeAttachMode mode, bool childrenOnly) {
  TMemoryStream records;
  unsigned count = 0;
  if (childrenOnly) {
    for (PDataNode child = source->FirstChild; child; child = child->NextSibling, ++count)
      WriteNodeChunk(records, child);
  } else {
    WriteNodeChunk(records, source);
    count = 1;
  }
  records.SetPosition(0);
  targetTree.BeginUpdate();
  try {
    targetTree.InsertRecords(records, records.Size(), target, mode, count, [this](PDataNode node) {
      FireNodeMoved(node);
      return true;
    });
  } catch (...) {
    targetTree.EndUpdate();
    throw;
  }
  targetTree.EndUpdate();
  BeginUpdate();
  if (childrenOnly)
    RemoveChildNodes(source, false);
  else
    RemoveNode(source);
  EndUpdate();
}

// ---- Event firers -----------------------------------------------------------------------

void TBaseDataTree::FireSaveNode(PDataNode node, TStream& stream) {
  if (OnSaveNode) OnSaveNode(this, node, stream);
}

void TBaseDataTree::FireLoadNode(PDataNode node, TStream& stream) {
  if (OnLoadNode) OnLoadNode(this, node, stream);
}
