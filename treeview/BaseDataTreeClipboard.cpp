// The tree's clipboard side: the registry of living trees behind "Data Tree
// Reference", rendering the tree's own format, copy, cut and paste through
// the toolkit's clipboard, inserting the nodes a data object carries, and
// the standard edit actions.

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>

#include "runtime/Stream.h"
#include "runtime/Utf16.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Clipboard.h"
#include "treeview/BaseDataTree.h"
#include "treeview/ClipboardFormatList.h"
#include "treeview/DTDataObject.h"
#include "treeview/DataTreeError.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/EnumFormatEtc.h"
#include "treeview/OLEMemoryStream.h"
#include "treeview/TransferDataObject.h"
#include "treeview/DataTransferResults.h"

namespace {

// Never destroyed: trees that live until the process ends leave it then.
std::map<uint64_t, TBaseDataTree*>& LivingTrees() {
  static auto* trees = new std::map<uint64_t, TBaseDataTree*>;
  return *trees;
}

uint32_t ProcessId() { return static_cast<uint32_t>(getpid()); }

// The formats a paste reads from the clipboard.
const char* const PastedFormats[] = {"Data Tree Data", "Data Tree Reference"};

}  // namespace

// ---- Tree references --------------------------------------------------------------------

uint64_t TBaseDataTree::EnterTreeRegistry(TBaseDataTree* tree) {
  static uint64_t lastSerial = 0;
  LivingTrees()[++lastSerial] = tree;
  return lastSerial;
}

void TBaseDataTree::LeaveTreeRegistry(uint64_t serial) { LivingTrees().erase(serial); }

TBaseDataTree* TBaseDataTree::LivingTree(uint64_t serial) {
  const auto found = LivingTrees().find(serial);
  return found == LivingTrees().end() ? nullptr : found->second;
}

UINT TBaseDataTree::TreeReferenceFormat() { return RegisterClipboardFormat("Data Tree Reference"); }

UINT TBaseDataTree::TreeDataFormat() { return RegisterClipboardFormat("Data Tree Data"); }

std::vector<uint8_t> TBaseDataTree::TreeReference() const {
  std::vector<uint8_t> reference(12);
  const uint32_t process = ProcessId();
  std::memcpy(reference.data(), &process, 4);
  std::memcpy(reference.data() + 4, &serial_, 8);
  return reference;
}

TBaseDataTree* TBaseDataTree::SourceTreeOf(IDTDataObject& dataObject) {
  TStgMedium medium;
  if (dataObject.GetData(TFormatEtc{TreeReferenceFormat()}, medium) != S_OK || !medium.HGlobal ||
      medium.HGlobal->size() < 12)
    return nullptr;
  uint32_t process;
  uint64_t serial;
  std::memcpy(&process, medium.HGlobal->data(), 4);
  std::memcpy(&serial, medium.HGlobal->data() + 4, 8);
  return process == ProcessId() ? LivingTree(serial) : nullptr;
}

// ---- Formats and rendering ----------------------------------------------------------------

CountedPtr<IDTDataObject> TBaseDataTree::CreateDataObject(bool forClipboard) {
  CountedPtr<IDTDataObject> dataObject;
  if (OnCreateDataObject) OnCreateDataObject(this, dataObject);
  if (!dataObject) dataObject = MakeCounted<TDTDataObject>(*this, forClipboard);
  return dataObject;
}

void TBaseDataTree::CollectClipboardFormats(TFormatEtcArray& formats) {
  ClipboardFormatList().ListFormatsFor(*this, formats, clipboardFormats_.get());
  if (OnGetUserClipboardFormats) OnGetUserClipboardFormats(this, formats);
}

HRESULT TBaseDataTree::RenderTreeData(const TFormatEtc& format, TStgMedium& medium, bool forClipboard) {
  medium.Release();
  if (format.Format != TreeDataFormat() || !(format.Tymed & (TYMED_HGLOBAL | TYMED_ISTREAM))) {
    HRESULT result = E_FAIL;
    if (OnRenderOLEData) OnRenderOLEData(this, format, medium, forClipboard, result);
    return result;
  }
  const TNodeArray nodes = forClipboard                              ? SortedCutCopyNodes(true)
                           : states_.Contains(tsOLEDragging)         ? dragSelection_
                                                                     : SortedSelection(true);
  auto records = std::make_shared<TMemoryStream>();
  for (PDataNode node : nodes) WriteNodeChunk(*records, node);
  if (records->Size() <= 0) return E_FAIL;
  if (format.Tymed & TYMED_HGLOBAL) {
    const auto size = static_cast<uint32_t>(records->Size());
    auto block = std::make_shared<std::vector<uint8_t>>(4 + size);
    std::memcpy(block->data(), &size, 4);
    std::memcpy(block->data() + 4, records->Memory(), size);
    medium.Tymed = TYMED_HGLOBAL;
    medium.HGlobal = std::move(block);
  } else {
    records->SetPosition(0);
    medium.Tymed = TYMED_ISTREAM;
    medium.Stream = std::move(records);
  }
  return S_OK;
}

// ---- Copy, cut and paste ------------------------------------------------------------------

void TBaseDataTree::EmptyClipboard() {
  TClipboard& clipboard = Clipboard();
  if (!clipboard.Open()) return;
  clipboard.Clear();
  clipboard.Close();
}

namespace {

std::string AnsiText(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), std::find(bytes.begin(), bytes.end(), 0));
}

std::string UnicodeText(const std::vector<uint8_t>& bytes) {
  std::u16string units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    if (unit == 0) break;
    units.push_back(unit);
  }
  return EncodeUtf8(units);
}

// Renders every format the data object offers onto the clipboard, the text formats as its text.
bool RenderOntoClipboard(IDTDataObject& dataObject) {
  TClipboard& clipboard = Clipboard();
  if (!clipboard.Open()) return false;
  clipboard.Clear();
  CountedPtr<TEnumFormatEtc> enumerator;
  TFormatEtcArray formats;
  if (dataObject.EnumFormatEtc(DATADIR_GET, enumerator) == S_OK) enumerator->Next(SIZE_MAX, formats, nullptr);
  formats.push_back(TFormatEtc{TBaseDataTree::TreeReferenceFormat()});
  bool hasText = false;
  for (TFormatEtc format : formats) {
    format.Tymed = TYMED_HGLOBAL;
    TStgMedium medium;
    if (dataObject.GetData(format, medium) != S_OK || !medium.HGlobal) continue;
    std::vector<uint8_t>& bytes = *medium.HGlobal;
    if (format.Format == CF_TEXT || format.Format == CF_UNICODETEXT) {
      // The clipboard keeps one UTF-8 text for both text formats.
      if (!hasText) clipboard.SetAsText(format.Format == CF_TEXT ? AnsiText(bytes) : UnicodeText(bytes));
      hasText = true;
    } else {
      clipboard.SetData(format.Format, std::move(bytes));
    }
  }
  clipboard.Close();
  return true;
}

}  // namespace

void TBaseDataTree::PutSelectionOnClipboard(TDataTreeState state) {
  if (selectionLive_ == 0) return;
  // The clipboard gets every format now, so the set it renders from is flagged first.
  DropCutCopySet();
  FlagCutCopySelection();
  ChangeTreeStates({state}, {state == tsCutPending ? tsCopyPending : tsCutPending});
  const CountedPtr<IDTDataObject> dataObject = CreateDataObject(true);
  if (!RenderOntoClipboard(*dataObject)) {
    DropCutCopySet();
    return;
  }
  if (HandleAllocated()) Invalidate();
}

void TBaseDataTree::CopySelectionToClipboard() { PutSelectionOnClipboard(tsCopyPending); }

void TBaseDataTree::CutSelectionToClipboard() {
  if (!ReadOnly()) PutSelectionOnClipboard(tsCutPending);
}

bool TBaseDataTree::PasteClipboardNodes() {
  if (ReadOnly()) return false;
  TClipboard& clipboard = Clipboard();
  if (!clipboard.Open()) RaiseTreeError("Clipboard operation failed.", ClipboardFailedHelp);
  TDataObject contents;
  for (const char* name : PastedFormats) {
    std::vector<uint8_t> bytes = clipboard.Data(RegisterClipboardFormat(name));
    if (!bytes.empty()) contents.SetData(name, std::move(bytes));
  }
  clipboard.Close();
  const auto dataObject = MakeCounted<TTransferDataObject>(std::move(contents));
  TBaseDataTree* source = SourceTreeOf(*dataObject);
  const bool optimized = source && source->states_.Contains(tsCutPending);
  const bool result = InsertFromDataObject(source, *dataObject, focusedNode_, DefaultPasteMode, optimized);
  if (source == this)
    ChangeTreeStates({}, {tsCutPending});
  else if (source)
    source->CompleteCutCopy();
  return result;
}

void TBaseDataTree::DropCutCopySet() {
  if (!states_.Contains(tsCutPending) && !states_.Contains(tsCopyPending)) return;
  for (PDataNode node = root_->FirstChild; node; node = NextNodeInOrderRaw(node)) node->Exclude(nsCutOrCopy);
  ChangeTreeStates({}, {tsCutPending, tsCopyPending});
  if (HandleAllocated()) Invalidate();
}

void TBaseDataTree::CompleteCutCopy() {
  if (!states_.Contains(tsCutPending)) return;
  BeginUpdate();
  for (PDataNode node = root_->FirstChild; node;) {
    if (!node->Has(nsCutOrCopy)) {
      node = NextNodeInOrderRaw(node);
      continue;
    }
    const PDataNode next = NextNodeAfterSubtree(node);
    RemoveNode(node);
    node = next;
  }
  EndUpdate();
  ChangeTreeStates({}, {tsCutPending});
}

// ---- Inserting from a data object -----------------------------------------------------------

bool TBaseDataTree::InsertFromDataObject(TBaseDataTree* source, IDTDataObject& dataObject, PDataNode targetNode,
                                         TDTNodeAttachMode mode, bool optimized) {
  const TFormatEtc treeData{TreeDataFormat(), DVASPECT_CONTENT, -1, TYMED_HGLOBAL | TYMED_ISTREAM};
  if (dataObject.QueryGetData(treeData) != S_OK || ReadOnly()) return false;
  if (!targetNode) targetNode = root_;
  if (targetNode == root_) {
    if (mode == amInsertBefore) mode = amAddChildFirst;
    if (mode == amInsertAfter) mode = amAddChildLast;
  }
  BeginUpdate();
  try {
    if (optimized && source)
      InsertOptimized(*source, targetNode, mode);
    else
      InsertRecordsFrom(source, dataObject, targetNode, mode);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return true;
}

void TBaseDataTree::InsertOptimized(TBaseDataTree& source, PDataNode target, TDTNodeAttachMode mode) {
  TNodeArray nodes = source.states_.Contains(tsOLEDragging) ? source.dragSelection_ : source.SortedCutCopyNodes(true);
  // A move cannot put a node below itself.
  if (&source == this)
    std::erase_if(nodes, [&](PDataNode node) { return node == target || IsDescendantOf(target, node); });
  // Each node that goes first, or right after the target, arrives back to front so the order stays.
  if (mode == amInsertAfter || mode == amAddChildFirst) std::reverse(nodes.begin(), nodes.end());
  for (PDataNode node : nodes) source.MoveNodeTo(node, target, mode, false);
  // They are moved: a move by drag must not delete them afterwards.
  source.dragSelection_.clear();
}

void TBaseDataTree::InsertRecordsFrom(TBaseDataTree* source, IDTDataObject& dataObject, PDataNode target,
                                      TDTNodeAttachMode mode) {
  TStgMedium medium;
  if (dataObject.GetData(TFormatEtc{TreeDataFormat(), DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, medium) != S_OK &&
      dataObject.GetData(TFormatEtc{TreeDataFormat(), DVASPECT_CONTENT, -1, TYMED_ISTREAM}, medium) != S_OK)
    return;
  std::unique_ptr<TStream> blockReader;
  TStream* records = medium.Stream.get();
  if (medium.HGlobal) {
    const std::vector<uint8_t>& block = *medium.HGlobal;
    uint32_t size = 0;
    if (block.size() >= 4) std::memcpy(&size, block.data(), 4);
    if (block.size() < 4 || size > block.size() - 4) RaiseStreamTooSmall();
    blockReader = std::make_unique<TOLEMemoryStream>(block.data() + 4, size);
    records = blockReader.get();
  }
  if (!records) return;
  const TChangeReason reason = source == this ? crNodeCopied : crNodeAdded;
  InsertRecords(*records, records->Size(), target, mode, UINT_MAX, [&](PDataNode node) {
    if (!FireNodeCopying(node, target == root_ ? nullptr : target)) {
      RemoveNode(node);
      return false;
    }
    FireNodeCopied(node);
    SignalStructureChange(node, reason);
    return true;
  });
}

// ---- Edit actions ---------------------------------------------------------------------------

bool TBaseDataTree::HandleEditAction(TAction& action) {
  switch (action.EditKind) {
    case eakSelectAll: SelectAllNodes(false); return true;
    case eakCopy: CopySelectionToClipboard(); return true;
    case eakCut:
      if (!ReadOnly()) CutSelectionToClipboard();
      return true;
    case eakPaste:
      if (!ReadOnly()) PasteClipboardNodes();
      return true;
    case eakDelete:
      if (!ReadOnly()) RemoveSelectedNodes();
      return true;
    default: return false;
  }
}

bool TBaseDataTree::HandleEditActionUpdate(TAction& action) {
  if (!Focused() || action.EditKind == eakNone) return false;
  const bool selected = selectionLive_ > 0;
  switch (action.EditKind) {
    case eakCut:
    case eakCopy: action.SetEnabled(selected && clipboardFormats_->Count() > 0); break;
    case eakDelete: action.SetEnabled(selected); break;
    case eakPaste: action.SetEnabled(true); break;
    default:
      action.SetEnabled(options_->SelectionOptions().Contains(toMultiSelect) && visibleCount_ > 0);
      break;
  }
  return true;
}
