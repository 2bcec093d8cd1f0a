#pragma once
// A read-only view of the bytes [Start, End) of another stream: a reader
// handed the window cannot read or seek past it. Positions are relative to
// Start; the other stream's position follows the window's reads.

#include "runtime/Stream.h"

class TStreamWindow : public TStream {
public:
  TStreamWindow(TStream& stream, std::int64_t start, std::int64_t end);

  std::int64_t Read(void* buffer, std::int64_t count) override;
  // Raises EStreamError: the window is read-only.
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  // Clamped to the window.
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;
  std::int64_t Size() override { return end_ - start_; }

private:
  TStream& stream_;
  std::int64_t start_;
  std::int64_t end_;
  std::int64_t position_ = 0;
};
