#pragma once
// Byte streams: the base with its buffer and copy operations, a stream held
// in memory and a stream on a file. Positions and sizes are byte counts.

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/Object.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// A TObject, so that stream events can name the stream as their sender.
class TStream : public TObject {
public:
  virtual ~TStream() = default;

  // Each answers the number of bytes moved, which may be fewer than asked.
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  // Answers the new position.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual void SetSize(std::int64_t size) = 0;
  virtual std::int64_t Size();

  // Raise EStreamError "Stream read error" / "Stream write error" when short.
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);

  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, soBeginning); }

  // Copies count bytes from the source's position; a count of 0 copies the
  // whole source from its start. Answers the number of bytes copied.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);

  // Little-endian values, as the program's binary formats store them; short reads raise as ReadBuffer.
  std::int32_t ReadInt32();
  void WriteInt32(std::int32_t value);
};

// A stream in memory; writing past the end grows it, the gap filled with zeros.
class TMemoryStream : public TStream {
public:
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }

  // Valid until the size changes.
  std::uint8_t* Memory() { return bytes_.data(); }
  const std::uint8_t* Memory() const { return bytes_.data(); }
  void Clear();

  // Replace the content with the whole source and leave the position at 0.
  void LoadFromStream(TStream& source);
  void LoadFromFile(const std::string& fileName);
  // Write the whole content; the position stays.
  void SaveToStream(TStream& target);
  void SaveToFile(const std::string& fileName);

private:
  std::vector<std::uint8_t> bytes_;
  std::int64_t position_ = 0;
};

// A block of bytes as a binary property keeps it on a stream: a 32-bit
// byte count, then the bytes. Writing puts the whole of data (a block
// beyond 2^31 - 1 bytes raises "Stream write error"); reading replaces
// data's content and leaves its position at 0, and raises "Stream read
// error" for a negative count or one beyond the bytes the source holds.
void WriteBinaryProperty(TStream& target, TMemoryStream& data);
void ReadBinaryProperty(TStream& source, TMemoryStream& data);

constexpr unsigned fmCreate = 0xFF00;
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
// Share modes are accepted and ignored: files here are not locked against other openers.
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;

// A stream on a file. fmCreate makes the file, or empties an existing one,
// for reading and writing; the open modes need the file to exist. Failures
// raise EFCreateError or EFOpenError naming the file and the reason.
class TFileStream : public TStream {
public:
  TFileStream(const std::string& fileName, unsigned mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;

  const std::string& FileName() const { return fileName_; }

private:
  std::string fileName_;
  int descriptor_ = -1;
};
