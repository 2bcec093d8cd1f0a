#pragma once
// An enumerator over its own copy of a list of format descriptors.

#include "treeview/DataTransfer.h"

class TEnumFormatEtc : public TCounted {
public:
  explicit TEnumFormatEtc(TFormatEtcArray formats, size_t currentIndex = 0)
      : formats_(std::move(formats)), currentIndex_(currentIndex) {}

  // Copies up to Count descriptors from the current one on and moves past
  // them; S_OK when at least one was copied, else S_FALSE.
  HRESULT Next(size_t count, TFormatEtcArray& buffer, size_t* fetched);
  // S_OK when the descriptors left reach; else S_FALSE and the position stays.
  HRESULT Skip(size_t count);
  HRESULT Reset();
  HRESULT Clone(CountedPtr<TEnumFormatEtc>& enumerator) const;
  size_t CurrentIndex() const { return currentIndex_; }

private:
  TFormatEtcArray formats_;
  size_t currentIndex_;
};
