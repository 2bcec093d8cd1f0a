#include "runtime/Stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "runtime/Exceptions.h"

std::int64_t TStream::Size() {
  const std::int64_t position = Position();
  const std::int64_t size = Seek(0, soEnd);
  SetPosition(position);
  return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EStreamError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  constexpr std::int64_t BlockSize = 64 * 1024;
  std::vector<std::uint8_t> block(static_cast<size_t>(std::min(count, BlockSize)));
  for (std::int64_t left = count; left > 0;) {
    const std::int64_t part = std::min(left, BlockSize);
    source.ReadBuffer(block.data(), part);
    WriteBuffer(block.data(), part);
    left -= part;
  }
  return count;
}

std::int32_t TStream::ReadInt32() {
  std::uint8_t bytes[4];
  ReadBuffer(bytes, 4);
  return static_cast<std::int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t{bytes[3]} << 24);
}

void TStream::WriteInt32(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                 static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
  WriteBuffer(bytes, 4);
}

namespace {

// The position an origin and offset name, from the current position and size.
std::int64_t SeekTarget(std::int64_t offset, TSeekOrigin origin, std::int64_t position, std::int64_t size) {
  switch (origin) {
    case soCurrent: return position + offset;
    case soEnd: return size + offset;
    default: return offset;
  }
}

}  // namespace

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
  const std::int64_t available = std::max<std::int64_t>(0, Size() - position_);
  const std::int64_t taken = std::clamp<std::int64_t>(count, 0, available);
  if (taken > 0) std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(taken));
  position_ += taken;
  return taken;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  if (position_ + count > Size()) bytes_.resize(static_cast<size_t>(position_ + count));
  std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(count));
  position_ += count;
  return count;
}

// A position past the end is kept; the next write fills the gap.
std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t target = SeekTarget(offset, origin, position_, Size());
  if (target >= 0) position_ = target;
  return position_;
}

void TMemoryStream::SetSize(std::int64_t size) {
  bytes_.resize(static_cast<size_t>(std::max<std::int64_t>(size, 0)));
  position_ = std::min(position_, Size());
}

void TMemoryStream::Clear() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  const std::int64_t size = source.Size();
  SetSize(size);
  source.ReadBuffer(bytes_.data(), size);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& target) { target.WriteBuffer(bytes_.data(), Size()); }

void TMemoryStream::SaveToFile(const std::string& fileName) {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

namespace {

int OpenFlags(unsigned mode) {
  if ((mode & fmCreate) == fmCreate) return O_RDWR | O_CREAT | O_TRUNC;
  switch (mode & 0x3) {
    case fmOpenWrite: return O_WRONLY;
    case fmOpenReadWrite: return O_RDWR;
    default: return O_RDONLY;
  }
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : fileName_(fileName) {
  descriptor_ = ::open(fileName.c_str(), OpenFlags(mode) | O_CLOEXEC, 0666);
  if (descriptor_ >= 0) return;
  const std::string reason = std::strerror(errno);
  if ((mode & fmCreate) == fmCreate) throw EFCreateError(fileName, reason);
  throw EFOpenError(fileName, reason);
}

TFileStream::~TFileStream() { ::close(descriptor_); }

// Loops over partial transfers and interrupted calls; a failure ends the
// transfer and the count so far is the answer.
std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  std::int64_t done = 0;
  while (done < count) {
    const ssize_t part = ::read(descriptor_, static_cast<char*>(buffer) + done, static_cast<size_t>(count - done));
    if (part < 0 && errno == EINTR) continue;
    if (part <= 0) break;
    done += part;
  }
  return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  std::int64_t done = 0;
  while (done < count) {
    const ssize_t part =
        ::write(descriptor_, static_cast<const char*>(buffer) + done, static_cast<size_t>(count - done));
    if (part < 0 && errno == EINTR) continue;
    if (part <= 0) break;
    done += part;
  }
  return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const int whence = origin == soCurrent ? SEEK_CUR : origin == soEnd ? SEEK_END : SEEK_SET;
  const off_t position = ::lseek(descriptor_, offset, whence);
  return position < 0 ? ::lseek(descriptor_, 0, SEEK_CUR) : position;
}

void TFileStream::SetSize(std::int64_t size) {
  if (::ftruncate(descriptor_, size) != 0) throw EStreamError("Stream write error");
  if (Position() > size) SetPosition(size);
}

void WriteBinaryProperty(TStream& target, TMemoryStream& data) {
  const std::int64_t size = data.Size();
  if (size > INT32_MAX) throw EStreamError("Stream write error");
  target.WriteInt32(static_cast<std::int32_t>(size));
  target.WriteBuffer(data.Memory(), size);
}

// The count is checked against the bytes left before anything is
// allocated: a damaged count must not ask for gigabytes.
void ReadBinaryProperty(TStream& source, TMemoryStream& data) {
  const std::int32_t count = source.ReadInt32();
  if (count < 0 || count > source.Size() - source.Position()) throw EStreamError("Stream read error");
  data.Clear();
  data.SetSize(count);
  source.ReadBuffer(data.Memory(), count);
  data.SetPosition(0);
}
