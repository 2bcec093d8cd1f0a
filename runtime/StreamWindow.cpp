#include "runtime/StreamWindow.h"

#include <algorithm>

#include "runtime/Exceptions.h"

TStreamWindow::TStreamWindow(TStream& stream, std::int64_t start, std::int64_t end)
    : stream_(stream), start_(start), end_(std::max(start, end)) {}

std::int64_t TStreamWindow::Read(void* buffer, std::int64_t count) {
  const std::int64_t taken = std::clamp<std::int64_t>(count, 0, Size() - position_);
  if (taken == 0) return 0;
  stream_.SetPosition(start_ + position_);
  const std::int64_t read = stream_.Read(buffer, taken);
  position_ += read;
  return read;
}

std::int64_t TStreamWindow::Write(const void*, std::int64_t) { throw EStreamError("Stream write error"); }

std::int64_t TStreamWindow::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t target = origin == soBeginning ? offset : origin == soCurrent ? position_ + offset : Size() + offset;
  position_ = std::clamp<std::int64_t>(target, 0, Size());
  return position_;
}

void TStreamWindow::SetSize(std::int64_t) { throw EStreamError("Stream write error"); }
