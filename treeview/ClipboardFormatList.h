#pragma once
// The process-wide registry of the clipboard formats trees offer, each for
// a kind of tree and with a rank (lower ranks are offered first), and
// TClipboardFormats, the names of those formats one tree offers.

#include <string>
#include <vector>

#include "runtime/StringList.h"
#include "treeview/DataTransfer.h"

class TBaseDataTree;

// Whether a tree is of the kind a format was registered for (its class or a descendant).
using TTreeClassTest = bool (*)(const TBaseDataTree& tree);

struct TClipboardFormatListEntry {
  std::string FormatName;
  TTreeClassTest OwnerClass;
  int Rank;
  TFormatEtc FormatEtc;
};

class TClipboardFormats;

class TClipboardFormatList {
public:
  // Adds an entry; the list stays sorted by rank.
  void AddFormat(const std::string& name, TTreeClassTest ownerClass, int rank, const TFormatEtc& formatEtc);
  void RemoveAll() { entries_.clear(); }
  // The descriptors of the entries for the tree's kind, in rank order; with
  // Allowed only those whose name it lists.
  void ListFormatsFor(const TBaseDataTree& tree, TFormatEtcArray& formats,
                      const TClipboardFormats* allowed = nullptr) const;
  // The last entry of that name (ignoring case), or nil.
  const TClipboardFormatListEntry* LookupFormat(const std::string& name) const;
  const std::vector<TClipboardFormatListEntry>& Entries() const { return entries_; }

private:
  std::vector<TClipboardFormatListEntry> entries_;
};

TClipboardFormatList& ClipboardFormatList();

// Registers a format by number: 1 to 16 take the standard names, others the name the clipboard knows.
UINT RegisterTreeFormat(UINT format, TTreeClassTest ownerClass, int rank);
// Registers the name with the clipboard and enters it; answers its number.
UINT RegisterTreeFormatName(const std::string& name, TTreeClassTest ownerClass, int rank,
                            DWORD tymed = TYMED_HGLOBAL, DWORD aspect = DVASPECT_CONTENT, int32_t index = -1);
// The registrations every tree relies on, made once with the trees' shared resources.
void RegisterStandardTreeFormats();

// The format names a tree offers: sorted, without duplicates, and only
// names registered for the tree's kind.
class TClipboardFormats : public TStringList {
public:
  explicit TClipboardFormats(const TBaseDataTree& owner);

  // The index of the name, or -1 when it is refused.
  int AddObject(const std::string& text, TObject* object) override;
  // A refused name is not inserted; an accepted one meets the sorted list's refusal of positions.
  void InsertObject(int index, const std::string& text, TObject* object) override;

private:
  bool Accepts(const std::string& name) const;

  const TBaseDataTree& owner_;
};
