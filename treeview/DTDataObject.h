#pragma once
// A tree's data in its clipboard formats, for the clipboard or a drag: the
// tree renders a format when asked; data set on the object is kept and
// handed out instead. The object names its tree by its reference, so a
// tree destroyed meanwhile renders nothing.

#include <cstdint>
#include <vector>

#include "treeview/DataTransferResults.h"

class TBaseDataTree;

class TDTDataObject : public IDTDataObject {
public:
  TDTDataObject(TBaseDataTree& owner, bool forClipboard);

  HRESULT GetData(const TFormatEtc& format, TStgMedium& medium) override;
  HRESULT GetDataHere(const TFormatEtc&, TStgMedium&) override { return E_NOTIMPL; }
  HRESULT QueryGetData(const TFormatEtc& format) override;
  HRESULT GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc&) override { return DATA_S_SAMEFORMATETC; }
  HRESULT SetData(const TFormatEtc& format, TStgMedium& medium, bool release) override;
  HRESULT EnumFormatEtc(DWORD direction, CountedPtr<TEnumFormatEtc>& enumerator) override;

  // Out := In; a memory block is copied with CopyInMedium, shared otherwise; a stream is shared.
  static HRESULT CopyMedium(const TStgMedium& in, TStgMedium& out, bool copyInMedium);
  const TFormatEtcArray& Formats() const { return formats_; }
  bool ForClipboard() const { return forClipboard_; }

private:
  struct TStoredMedium {
    UINT Format;
    TStgMedium Medium;
  };
  TBaseDataTree* Owner() const;

  std::uint64_t ownerSerial_;
  bool forClipboard_;
  TFormatEtcArray formats_;
  std::vector<TStoredMedium> storedMedia_;
};
