#include "treeview/OLEMemoryStream.h"

#include <algorithm>
#include <cstring>

#include "runtime/Exceptions.h"

namespace {

[[noreturn]] void RaiseReadOnly() { throw EStreamError("Can't write to a read-only resource stream"); }

}  // namespace

std::int64_t TOLEMemoryStream::Read(void* buffer, std::int64_t count) {
  const std::int64_t taken = std::clamp<std::int64_t>(count, 0, size_ - position_);
  if (taken > 0) std::memcpy(buffer, data_ + position_, static_cast<size_t>(taken));
  position_ += taken;
  return taken;
}

std::int64_t TOLEMemoryStream::Write(const void*, std::int64_t) { RaiseReadOnly(); }

std::int64_t TOLEMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t target = origin == soBeginning ? offset : origin == soCurrent ? position_ + offset : size_ + offset;
  position_ = std::clamp<std::int64_t>(target, 0, size_);
  return position_;
}

void TOLEMemoryStream::SetSize(std::int64_t) { RaiseReadOnly(); }
