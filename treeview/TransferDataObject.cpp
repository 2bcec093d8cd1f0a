#include "treeview/TransferDataObject.h"

#include "toolkit/controls/Clipboard.h"
#include "treeview/EnumFormatEtc.h"

HRESULT TTransferDataObject::QueryGetData(const TFormatEtc& format) {
  if (!data_.HasFormat(GetClipboardFormatName(format.Format))) return DV_E_FORMATETC;
  return (format.Tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
}

HRESULT TTransferDataObject::GetData(const TFormatEtc& format, TStgMedium& medium) {
  medium.Release();
  const HRESULT result = QueryGetData(format);
  if (result != S_OK) return result;
  medium.Tymed = TYMED_HGLOBAL;
  medium.HGlobal = std::make_shared<std::vector<uint8_t>>(data_.Data(GetClipboardFormatName(format.Format)));
  return S_OK;
}

HRESULT TTransferDataObject::EnumFormatEtc(DWORD direction, CountedPtr<TEnumFormatEtc>& enumerator) {
  if (direction != DATADIR_GET) return OLE_S_USEREG;
  TFormatEtcArray formats;
  for (const std::string& name : data_.Formats()) formats.push_back(TFormatEtc{RegisterClipboardFormat(name)});
  enumerator = MakeCounted<TEnumFormatEtc>(std::move(formats));
  return S_OK;
}
