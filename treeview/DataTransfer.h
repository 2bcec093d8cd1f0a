#pragma once
// The tree's data transfer types: format descriptors, storage media, the
// result codes, and the data object interface that the tree's own data
// object and the adapter of incoming drops and clipboard contents implement.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/CountedPtr.h"
#include "toolkit/base/Handles.h"

class TStream;

// The result codes are in DataTransferResults.h, kept out of the tree's headers.
using HRESULT = int32_t;
// The scroll bit a drop target adds to its effect while it scrolls.
constexpr DWORD DROPEFFECT_SCROLL = 0x80000000;

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
  HRESULT DAdvise();
  HRESULT DUnadvise();
  HRESULT EnumDAdvise();
};
