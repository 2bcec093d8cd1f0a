#pragma once
// The tree's data transfer types: format descriptors, storage media, the
// result codes, and the data object interface that the tree's own data
// object and the adapter of incoming drops and clipboard contents implement.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/CountedPtr.h"
#include "toolkit/win/Handles.h"

class TStream;

using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFF);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064);
constexpr HRESULT DV_E_TYMED = static_cast<HRESULT>(0x80040069);
constexpr HRESULT DV_E_DVASPECT = static_cast<HRESULT>(0x8004006B);
constexpr HRESULT DV_E_LINDEX = static_cast<HRESULT>(0x80040068);
constexpr HRESULT DATA_S_SAMEFORMATETC = 0x00040130;
constexpr HRESULT OLE_S_USEREG = 0x00040000;
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003);
constexpr HRESULT DRAGDROP_S_DROP_RESULT = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL_RESULT = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

// Storage media, by bit.
constexpr DWORD TYMED_HGLOBAL = 1;
constexpr DWORD TYMED_FILE = 2;
constexpr DWORD TYMED_ISTREAM = 4;
constexpr DWORD TYMED_ISTORAGE = 8;
constexpr DWORD TYMED_GDI = 16;
constexpr DWORD TYMED_MFPICT = 32;
constexpr DWORD TYMED_ENHMF = 64;
constexpr DWORD DVASPECT_CONTENT = 1;
constexpr DWORD DATADIR_GET = 1;
constexpr DWORD DATADIR_SET = 2;

// A format descriptor: the clipboard format, the media it may come on, the aspect and the index (-1: all).
struct TFormatEtc {
  UINT Format = 0;
  DWORD Aspect = DVASPECT_CONTENT;
  int32_t Index = -1;
  DWORD Tymed = TYMED_HGLOBAL;
  bool operator==(const TFormatEtc&) const = default;
};
using TFormatEtcArray = std::vector<TFormatEtc>;

// Data on a medium: a memory block or a stream, shared by whoever holds the medium.
struct TStgMedium {
  DWORD Tymed = 0;
  std::shared_ptr<std::vector<uint8_t>> HGlobal;
  std::shared_ptr<TStream> Stream;
  void Release() { *this = TStgMedium(); }
};

class TEnumFormatEtc;

class IDTDataObject : public TCounted {
public:
  virtual HRESULT GetData(const TFormatEtc& format, TStgMedium& medium) = 0;
  virtual HRESULT GetDataHere(const TFormatEtc& format, TStgMedium& medium) = 0;
  virtual HRESULT QueryGetData(const TFormatEtc& format) = 0;
  virtual HRESULT GetCanonicalFormatEtc(const TFormatEtc& format, TFormatEtc& canonical) = 0;
  virtual HRESULT SetData(const TFormatEtc& format, TStgMedium& medium, bool release) = 0;
  virtual HRESULT EnumFormatEtc(DWORD direction, CountedPtr<TEnumFormatEtc>& enumerator) = 0;
  // No data advise holder exists here: each answers that advising is not supported.
  HRESULT DAdvise() { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT DUnadvise() { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT EnumDAdvise() { return OLE_E_ADVISENOTSUPPORTED; }
};
