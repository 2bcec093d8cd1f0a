#include "treeview/ClipboardFormatList.h"

#include <algorithm>

#include "runtime/AsciiCase.h"
#include "toolkit/controls/Clipboard.h"
#include "treeview/BaseDataTree.h"
#include "treeview/CustomDataStringTree.h"

namespace {

const char* const StandardFormatNames[] = {
    "Plain text",   "Windows bitmap", "Windows metafile", "Symbolic link",    "Data interchange format",
    "Tiff image",   "OEM text",       "DIB image",        "Palette data",     "Pen data",
    "Riff audio data", "Wav audio data", "Unicode text",  "Enhanced metafile image", "File name(s)",
    "Locale descriptor"};

bool AnyTree(const TBaseDataTree&) { return true; }
bool TextTree(const TBaseDataTree& tree) { return dynamic_cast<const TCustomDataStringTree*>(&tree) != nullptr; }

}  // namespace

void TClipboardFormatList::AddFormat(const std::string& name, TTreeClassTest ownerClass, int rank,
                                     const TFormatEtc& formatEtc) {
  entries_.push_back({name, ownerClass, rank, formatEtc});
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const TClipboardFormatListEntry& a, const TClipboardFormatListEntry& b) { return a.Rank < b.Rank; });
}

void TClipboardFormatList::ListFormatsFor(const TBaseDataTree& tree, TFormatEtcArray& formats,
                                          const TClipboardFormats* allowed) const {
  formats.clear();
  for (const TClipboardFormatListEntry& entry : entries_)
    if (entry.OwnerClass(tree) && (!allowed || allowed->IndexOf(entry.FormatName) >= 0))
      formats.push_back(entry.FormatEtc);
}

const TClipboardFormatListEntry* TClipboardFormatList::LookupFormat(const std::string& name) const {
  for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry)
    if (SameAsciiText(entry->FormatName, name)) return &*entry;
  return nullptr;
}

TClipboardFormatList& ClipboardFormatList() {
  // Never destroyed: the trees' shared resources empty it when they go, also at exit.
  static auto* list = new TClipboardFormatList;
  return *list;
}

UINT RegisterTreeFormat(UINT format, TTreeClassTest ownerClass, int rank) {
  const std::string name = format >= 1 && format <= std::size(StandardFormatNames) ? StandardFormatNames[format - 1]
                                                                                   : GetClipboardFormatName(format);
  ClipboardFormatList().AddFormat(name, ownerClass, rank, TFormatEtc{format});
  return format;
}

UINT RegisterTreeFormatName(const std::string& name, TTreeClassTest ownerClass, int rank, DWORD tymed, DWORD aspect,
                            int32_t index) {
  const UINT format = RegisterClipboardFormat(name);
  ClipboardFormatList().AddFormat(name, ownerClass, rank, TFormatEtc{format, aspect, index, tymed});
  return format;
}

void RegisterStandardTreeFormats() {
  RegisterClipboardFormat("Data Tree Reference");
  RegisterTreeFormatName("Data Tree Data", AnyTree, 50, TYMED_HGLOBAL | TYMED_ISTREAM);
  RegisterTreeFormatName("HTML Format", TextTree, 80);
  RegisterTreeFormatName("Rich Text Format Without Objects", TextTree, 84);
  RegisterTreeFormatName("Rich Text Format", TextTree, 85);
  RegisterTreeFormatName("CSV", TextTree, 90);
  RegisterTreeFormat(CF_UNICODETEXT, TextTree, 95);
  RegisterTreeFormat(CF_TEXT, TextTree, 100);
}

TClipboardFormats::TClipboardFormats(const TBaseDataTree& owner) : owner_(owner) {
  SetSorted(true);
  SetDuplicates(dupIgnore);
}

bool TClipboardFormats::Accepts(const std::string& name) const {
  const TClipboardFormatListEntry* entry = ClipboardFormatList().LookupFormat(name);
  return entry && entry->OwnerClass(owner_);
}

int TClipboardFormats::AddObject(const std::string& text, TObject* object) {
  if (!Accepts(text)) return -1;
  return TStringList::AddObject(text, object);
}

void TClipboardFormats::InsertObject(int index, const std::string& text, TObject* object) {
  if (Accepts(text)) TStringList::InsertObject(index, text, object);
}
