#include "treeview/DTDataObject.h"

#include <algorithm>
#include <new>

#include "treeview/BaseDataTree.h"
#include "treeview/EnumFormatEtc.h"

TDTDataObject::TDTDataObject(TBaseDataTree& owner, bool forClipboard)
    : ownerSerial_(owner.TreeSerial()), forClipboard_(forClipboard) {
  owner.CollectClipboardFormats(formats_);
}

TBaseDataTree* TDTDataObject::Owner() const { return TBaseDataTree::LivingTree(ownerSerial_); }

HRESULT TDTDataObject::GetData(const TFormatEtc& format, TStgMedium& medium) {
  medium.Release();
  TBaseDataTree* owner = Owner();
  if (!owner) return E_FAIL;
  if (format.Format == TBaseDataTree::TreeReferenceFormat()) {
    if (owner->TreeStates().Contains(tsClipboardFlushing)) return E_FAIL;
    medium.Tymed = TYMED_HGLOBAL;
    medium.HGlobal = std::make_shared<std::vector<uint8_t>>(owner->TreeReference());
    return S_OK;
  }
  HRESULT result = QueryGetData(format);
  if (result != S_OK) return result;
  const auto stored = std::find_if(storedMedia_.begin(), storedMedia_.end(),
                                   [&format](const TStoredMedium& entry) { return entry.Format == format.Format; });
  if (stored != storedMedia_.end() && stored->Medium.Tymed != 0) return CopyMedium(stored->Medium, medium, false);
  try {
    result = owner->RenderTreeData(format, medium, forClipboard_);
  } catch (...) {
    result = E_FAIL;
  }
  if (result != S_OK) medium.Release();
  return result;
}

HRESULT TDTDataObject::QueryGetData(const TFormatEtc& format) {
  HRESULT result = DV_E_FORMATETC;
  for (const TFormatEtc& entry : formats_) {
    if (entry.Format != format.Format) continue;
    if ((entry.Tymed & format.Tymed) == 0)
      result = DV_E_TYMED;
    else if (entry.Aspect != format.Aspect)
      result = DV_E_DVASPECT;
    else if (entry.Index != format.Index)
      result = DV_E_LINDEX;
    else
      return S_OK;
  }
  return result;
}

HRESULT TDTDataObject::SetData(const TFormatEtc& format, TStgMedium& medium, bool release) {
  const auto known = std::find_if(formats_.begin(), formats_.end(), [&format](const TFormatEtc& entry) {
    return entry.Format == format.Format && entry.Aspect == format.Aspect && entry.Index == format.Index &&
           (entry.Tymed & format.Tymed) != 0;
  });
  const bool added = known == formats_.end();
  if (added) {
    formats_.push_back(format);
    storedMedia_.push_back({format.Format, {}});
  }
  auto stored = std::find_if(storedMedia_.begin(), storedMedia_.end(),
                             [&format](const TStoredMedium& entry) { return entry.Format == format.Format; });
  if (stored == storedMedia_.end()) stored = storedMedia_.insert(storedMedia_.end(), {format.Format, {}});
  stored->Medium.Release();
  if (release) {
    stored->Medium = std::move(medium);
    medium.Release();
    return S_OK;
  }
  const HRESULT result = CopyMedium(medium, stored->Medium, true);
  if (result != S_OK && added) {
    // A format whose data could not be kept is not offered.
    formats_.pop_back();
    storedMedia_.erase(stored);
  }
  return result;
}

HRESULT TDTDataObject::EnumFormatEtc(DWORD direction, CountedPtr<TEnumFormatEtc>& enumerator) {
  if (direction != DATADIR_GET) return OLE_S_USEREG;
  enumerator = MakeCounted<TEnumFormatEtc>(formats_);
  return S_OK;
}

HRESULT TDTDataObject::CopyMedium(const TStgMedium& in, TStgMedium& out, bool copyInMedium) {
  out = in;
  switch (in.Tymed) {
    case TYMED_HGLOBAL:
      if (copyInMedium && in.HGlobal) {
        try {
          out.HGlobal = std::make_shared<std::vector<uint8_t>>(*in.HGlobal);
        } catch (const std::bad_alloc&) {
          out.Release();
          return E_OUTOFMEMORY;
        }
      }
      return S_OK;
    case TYMED_ISTREAM:
      return S_OK;
    default:
      out.Release();
      return DV_E_TYMED;
  }
}

HRESULT IDTDataObject::DAdvise() { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT IDTDataObject::DUnadvise() { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT IDTDataObject::EnumDAdvise() { return OLE_E_ADVISENOTSUPPORTED; }
