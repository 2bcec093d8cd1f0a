#include "treeview/EnumFormatEtc.h"
#include "treeview/DataTransferResults.h"

#include <algorithm>

HRESULT TEnumFormatEtc::Next(size_t count, TFormatEtcArray& buffer, size_t* fetched) {
  const size_t copied = std::min(count, formats_.size() - currentIndex_);
  buffer.assign(formats_.begin() + static_cast<std::ptrdiff_t>(currentIndex_),
                formats_.begin() + static_cast<std::ptrdiff_t>(currentIndex_ + copied));
  currentIndex_ += copied;
  if (fetched) *fetched = copied;
  return copied > 0 ? S_OK : S_FALSE;
}

HRESULT TEnumFormatEtc::Skip(size_t count) {
  if (count > formats_.size() - currentIndex_) return S_FALSE;
  currentIndex_ += count;
  return S_OK;
}

HRESULT TEnumFormatEtc::Reset() {
  currentIndex_ = 0;
  return S_OK;
}

HRESULT TEnumFormatEtc::Clone(CountedPtr<TEnumFormatEtc>& enumerator) const {
  enumerator = MakeCounted<TEnumFormatEtc>(formats_, currentIndex_);
  return S_OK;
}
