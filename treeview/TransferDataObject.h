#pragma once
// The tree's view of data that came from the toolkit's drag and drop or the
// clipboard: each named format is offered as a memory block.

#include "toolkit/win/DragDrop.h"
#include "treeview/DataTransferResults.h"

class TTransferDataObject : public IDTDataObject {
public:
  explicit TTransferDataObject(TDataObject data) : data_(std::move(data)) {}

  HRESULT GetData(const TFormatEtc& format, TStgMedium& medium) override;
  HRESULT GetDataHere(const TFormatEtc&, TStgMedium&) override { return E_NOTIMPL; }
  HRESULT QueryGetData(const TFormatEtc& format) override;
  HRESULT GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc&) override { return DATA_S_SAMEFORMATETC; }
  HRESULT SetData(const TFormatEtc&, TStgMedium&, bool) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(DWORD direction, CountedPtr<TEnumFormatEtc>& enumerator) override;

private:
  TDataObject data_;
};
