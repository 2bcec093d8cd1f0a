#pragma once
// A stream that reads a memory block in place, as the tree reads the node
// records of a transferred block without copying them; it cannot be written.

#include <cstdint>

#include "runtime/Stream.h"

class TOLEMemoryStream : public TStream {
public:
  TOLEMemoryStream(const uint8_t* data, std::int64_t size) : data_(data), size_(size) {}

  std::int64_t Read(void* buffer, std::int64_t count) override;
  // Raises EStreamError "Can't write to a read-only resource stream".
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;
  std::int64_t Size() override { return size_; }

private:
  const uint8_t* data_;
  std::int64_t size_;
  std::int64_t position_ = 0;
};
