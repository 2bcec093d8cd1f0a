#pragma once
// Packed skins: a skin folder's "Options.dat" and image files in one file
// (".skz") or one block of bytes, each member compressed by zlib. All
// integers are 32-bit signed little-endian:
//   "ASzf", Count, then Count members back to back, each
//   NameLength, the name (one byte a character), UnpackedSize, and a zlib
//   stream (header, deflate data, checksum) that inflates to UnpackedSize
//   bytes. A member ends where its zlib stream ends.
// The member named "Options.dat" (any case) is the settings text; the
// others are the images the settings name.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Exceptions.h"
#include "runtime/Object.h"
#include "runtime/Stream.h"

class TGraphic;

// A fault zlib reported; Code is zlib's result code.
class EZLibError : public EQuantrelError {
public:
  EZLibError(const std::string& text, int code) : EQuantrelError(text), code_(code) {}
  int Code() const { return code_; }

private:
  int code_;
};

class EZDecompressionError : public EZLibError {
public:
  // zlib's own message for the code ("data error", "need dictionary" ...).
  explicit EZDecompressionError(int code);
  EZDecompressionError(const std::string& text, int code) : EZLibError(text, code) {}
};

// Holds zlib's stream record apart from this header, which needs no zlib.
struct TZStreamRecord;

// The base of the zlib streams: the source, where reading continues in
// it, the progress event and the input buffer.
class TCustomZStream : public TStream {
public:
  ~TCustomZStream() override;

  // Fired after every refill of the input buffer from the source.
  TNotifyEvent OnProgress;

protected:
  explicit TCustomZStream(TStream& source);
  virtual void DoProgress();

  static constexpr std::int64_t BufferSize = 65536;
  TStream& source_;
  std::int64_t sourcePosition_;
  std::unique_ptr<TZStreamRecord> record_;
  std::vector<std::uint8_t> buffer_;
};

// Inflates a zlib stream that starts at the source's position when made.
// Read-only: Write and SetSize raise EZDecompressionError "Invalid ZStream
// operation!". After the zlib stream's end the source stands just after
// it, for the next member to follow.
class TZDecompressionStream : public TCustomZStream {
public:
  // Raises EZDecompressionError when zlib cannot start.
  explicit TZDecompressionStream(TStream& source);
  ~TZDecompressionStream() override;

  // Fewer bytes than asked once the zlib stream (or the source) ends;
  // corrupt data raises EZDecompressionError with zlib's message.
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  // Answers the bytes delivered since the stream began. (0, soBeginning)
  // starts over where the stream began; forward moves from the current
  // position, or from the beginning to a place not yet delivered, read
  // and drop the bytes (EStreamError "Stream read error" when the data
  // ends first); (0, soEnd) reads to the end. Anything else raises
  // EZDecompressionError "Invalid ZStream operation!".
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;

  // inflate has met the zlib stream's end.
  bool StreamEnded() const { return ended_; }

private:
  void Inflate();
  void GiveBackUnreadInput();
  void Skip(std::int64_t count);

  std::int64_t startPosition_;
  bool ended_ = false;
};

// One image member: its name as stored, whether it is a bitmap (".BMP" in
// any case), and its unpacked bytes.
struct TSkImageItem {
  std::string Name;
  bool IsBitmap = false;
  std::unique_ptr<TMemoryStream> Data;

  // Loads the picture from the data's start; the picture's own errors
  // propagate.
  void LoadGraphic(TGraphic& picture) const;
};
using TSkImageItems = std::vector<TSkImageItem>;

// Unpacks a packed skin into its settings text and its images.
class TSkSkinConvertor : public TPersistent {
public:
  TSkSkinConvertor() = default;
  ~TSkSkinConvertor() override;
  TSkSkinConvertor(const TSkSkinConvertor&) = delete;
  TSkSkinConvertor& operator=(const TSkSkinConvertor&) = delete;

  // Count - 1: the image members of a well-formed file.
  int ImageCount = 0;
  TSkImageItems Images;  // in file order
  std::unique_ptr<TMemoryStream> IniStream;  // the settings text; null without one
  std::unique_ptr<TMemoryStream> SourceStream;  // the packed bytes

  // Reads SourceStream from its start. Without the magic "ASzf" (exact
  // case) it warns "Loaded data is not packed ZavorEvid file", clears
  // and ends with nothing. Every field is read within the bytes there:
  // a field cut short, a negative Count, NameLength or UnpackedSize, a
  // name longer than the rest, and a member that does not inflate to
  // exactly UnpackedSize raise EStreamError "Stream read error"; corrupt
  // deflate data raises EZDecompressionError. Memory follows the bytes
  // inflated, not the sizes claimed.
  void UnpackSkinFile();
  // Frees the images, the settings text and the source.
  void Clear();

  // The settings text; empty without one.
  std::string IniText() const;
  // The image member of that name, compared without regard to case; null
  // when none has it.
  const TSkImageItem* FindImage(const std::string& name) const;

private:
  void UnpackMember(std::int32_t nameLength);
};

// When the file exists: empties convertor (made when null), loads the
// whole file into its SourceStream and unpacks it; then frees SourceStream
// when freeSource is set, also when unpacking fails. A missing file does
// nothing.
void LoadPackedSkin(const std::string& fileName, std::unique_ptr<TSkSkinConvertor>& convertor, bool freeSource);
// The same for packed bytes held in memory (a stored skin's data),
// copied whole from the start.
void LoadPackedData(TStream& packed, std::unique_ptr<TSkSkinConvertor>& convertor, bool freeSource);
