#include "skin/skins/PackedSkin.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "runtime/AsciiCase.h"
#include "runtime/FilePaths.h"
#include "skin/SkinMessageBoxes.h"
#include "toolkit/gdi/Graphic.h"

struct TZStreamRecord {
  z_stream Stream{};
  // An allocation asked for more than zlib's sizes can count.
  bool Overflowed = false;
};

namespace {

const char InvalidOperation[] = "Invalid ZStream operation!";
constexpr std::int64_t SkipBlock = 8192;

[[noreturn]] void ReadError() { throw EStreamError("Stream read error"); }

voidpf Allocate(voidpf opaque, uInt items, uInt size) {
  uInt bytes = 0;
  if (__builtin_mul_overflow(items, size, &bytes)) {
    static_cast<TZStreamRecord*>(opaque)->Overflowed = true;
    return Z_NULL;
  }
  return std::malloc(bytes);
}

void Release(voidpf, voidpf block) { std::free(block); }

// A zlib result below zero, or one that would leave inflate waiting for
// what it will never get (a preset dictionary), stops the stream.
void Check(int result, const TZStreamRecord& record) {
  if (result >= 0 && result != Z_NEED_DICT) return;
  if (record.Overflowed) throw EIntOverflow();
  throw EZDecompressionError(result);
}

}  // namespace

EZDecompressionError::EZDecompressionError(int code) : EZLibError(zError(code), code) {}

TCustomZStream::TCustomZStream(TStream& source)
    : source_(source),
      sourcePosition_(source.Position()),
      record_(std::make_unique<TZStreamRecord>()),
      buffer_(BufferSize) {
  record_->Stream.zalloc = Allocate;
  record_->Stream.zfree = Release;
  record_->Stream.opaque = record_.get();
}

TCustomZStream::~TCustomZStream() = default;

void TCustomZStream::DoProgress() {
  if (OnProgress) OnProgress(this);
}

TZDecompressionStream::TZDecompressionStream(TStream& source)
    : TCustomZStream(source), startPosition_(sourcePosition_) {
  Check(inflateInit(&record_->Stream), *record_);
}

TZDecompressionStream::~TZDecompressionStream() { inflateEnd(&record_->Stream); }

std::int64_t TZDecompressionStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  z_stream& z = record_->Stream;
  if (source_.Position() != sourcePosition_) source_.SetPosition(sourcePosition_);
  auto* out = static_cast<Bytef*>(buffer);
  std::int64_t left = count;
  while (left > 0 && !ended_) {
    if (z.avail_in == 0) {
      const std::int64_t got = source_.Read(buffer_.data(), BufferSize);
      if (got <= 0) break;
      z.next_in = buffer_.data();
      z.avail_in = static_cast<uInt>(got);
      sourcePosition_ = source_.Position();
      DoProgress();
    }
    // zlib counts output space in 32 bits.
    const auto room = static_cast<uInt>(std::min<std::int64_t>(left, std::int64_t{1} << 30));
    z.next_out = out;
    z.avail_out = room;
    Inflate();
    const uInt made = room - z.avail_out;
    out += made;
    left -= made;
  }
  if (ended_) GiveBackUnreadInput();
  return count - left;
}

void TZDecompressionStream::Inflate() {
  const int result = inflate(&record_->Stream, Z_NO_FLUSH);
  Check(result, *record_);
  if (result == Z_STREAM_END) ended_ = true;
}

// What the last refill read beyond the zlib stream belongs to whatever
// follows it in the source.
void TZDecompressionStream::GiveBackUnreadInput() {
  z_stream& z = record_->Stream;
  if (z.avail_in == 0) return;
  sourcePosition_ -= z.avail_in;
  source_.SetPosition(sourcePosition_);
  z.avail_in = 0;
}

std::int64_t TZDecompressionStream::Write(const void*, std::int64_t) {
  throw EZDecompressionError(InvalidOperation, Z_STREAM_ERROR);
}

void TZDecompressionStream::SetSize(std::int64_t) { throw EZDecompressionError(InvalidOperation, Z_STREAM_ERROR); }

std::int64_t TZDecompressionStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  z_stream& z = record_->Stream;
  const auto delivered = static_cast<std::int64_t>(z.total_out);
  if (offset == 0 && origin == soBeginning) {
    Check(inflateReset(&z), *record_);
    z.avail_in = 0;
    ended_ = false;
    sourcePosition_ = startPosition_;
    source_.SetPosition(startPosition_);
  } else if (origin == soCurrent && offset >= 0) {
    Skip(offset);
  } else if (origin == soBeginning && offset >= delivered) {
    // Seeking to where the stream stands moves nothing.
    Skip(offset - delivered);
  } else if (origin == soEnd && offset == 0) {
    std::uint8_t block[SkipBlock];
    while (Read(block, SkipBlock) > 0) {
    }
  } else {
    throw EZDecompressionError(InvalidOperation, Z_STREAM_ERROR);
  }
  return static_cast<std::int64_t>(z.total_out);
}

void TZDecompressionStream::Skip(std::int64_t count) {
  std::uint8_t block[SkipBlock];
  for (; count > 0; count -= SkipBlock) ReadBuffer(block, std::min(count, SkipBlock));
}

void TSkImageItem::LoadGraphic(TGraphic& picture) const {
  std::istringstream bytes(std::string(reinterpret_cast<const char*>(Data->Memory()), static_cast<size_t>(Data->Size())));
  picture.LoadFromStream(bytes);
}

TSkSkinConvertor::~TSkSkinConvertor() { Clear(); }

void TSkSkinConvertor::Clear() {
  Images.clear();
  IniStream.reset();
  SourceStream.reset();
}

namespace {

// A count or size field; a negative one is no count a writer made.
std::int32_t ReadCount(TStream& source) {
  const std::int32_t value = source.ReadInt32();
  if (value < 0) ReadError();
  return value;
}

bool NamesBitmap(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot != std::string::npos && AsciiUppered(name.substr(dot)) == ".BMP";
}

// Exactly size bytes of the member's zlib stream, which must end there:
// a stream that gives more would start the next member inside this one.
std::unique_ptr<TMemoryStream> InflateMember(TStream& source, std::int32_t size) {
  auto data = std::make_unique<TMemoryStream>();
  TZDecompressionStream member(source);
  // Copied in blocks: memory grows with the bytes zlib gives, not with the size claimed.
  if (size > 0) data->CopyFrom(member, size);
  std::uint8_t beyond = 0;
  if (member.Read(&beyond, 1) != 0 || !member.StreamEnded()) ReadError();
  data->SetPosition(0);
  return data;
}

}  // namespace

void TSkSkinConvertor::UnpackSkinFile() {
  TMemoryStream& source = *SourceStream;
  source.SetPosition(0);
  char magic[4];
  source.ReadBuffer(magic, 4);
  if (std::memcmp(magic, "ASzf", 4) != 0) {
    ShowWarning("Loaded data is not packed ZavorEvid file");
    Clear();
    return;
  }
  const std::int32_t count = ReadCount(source);
  ImageCount = count - 1;
  for (std::int32_t i = 0; i < count; ++i) UnpackMember(ReadCount(source));
}

void TSkSkinConvertor::UnpackMember(std::int32_t nameLength) {
  TMemoryStream& source = *SourceStream;
  if (nameLength > source.Size() - source.Position()) ReadError();
  std::string name(static_cast<size_t>(nameLength), '\0');
  source.ReadBuffer(name.data(), nameLength);
  std::unique_ptr<TMemoryStream> data = InflateMember(source, ReadCount(source));
  if (SameAsciiText(name, "Options.dat"))
    IniStream = std::move(data);
  else
    Images.push_back({name, NamesBitmap(name), std::move(data)});
}

std::string TSkSkinConvertor::IniText() const {
  if (!IniStream) return "";
  return std::string(reinterpret_cast<const char*>(IniStream->Memory()), static_cast<size_t>(IniStream->Size()));
}

const TSkImageItem* TSkSkinConvertor::FindImage(const std::string& name) const {
  const auto found = std::find_if(Images.begin(), Images.end(),
                                  [&](const TSkImageItem& item) { return SameAsciiText(item.Name, name); });
  return found == Images.end() ? nullptr : &*found;
}

namespace {

// Runs the unpacker on the source it was given, and lets go of the source
// afterwards when asked, whether or not unpacking succeeded.
void Unpack(TSkSkinConvertor& convertor, bool freeSource) {
  try {
    convertor.UnpackSkinFile();
  } catch (...) {
    if (freeSource) convertor.SourceStream.reset();
    throw;
  }
  if (freeSource) convertor.SourceStream.reset();
}

TSkSkinConvertor& EmptyConvertor(std::unique_ptr<TSkSkinConvertor>& convertor) {
  if (convertor)
    convertor->Clear();
  else
    convertor = std::make_unique<TSkSkinConvertor>();
  convertor->SourceStream = std::make_unique<TMemoryStream>();
  return *convertor;
}

}  // namespace

void LoadPackedSkin(const std::string& fileName, std::unique_ptr<TSkSkinConvertor>& convertor, bool freeSource) {
  if (!IsExistingFile(fileName)) return;
  TSkSkinConvertor& unpacker = EmptyConvertor(convertor);
  unpacker.SourceStream->LoadFromFile(fileName);
  Unpack(unpacker, freeSource);
}

void LoadPackedData(TStream& packed, std::unique_ptr<TSkSkinConvertor>& convertor, bool freeSource) {
  TSkSkinConvertor& unpacker = EmptyConvertor(convertor);
  unpacker.SourceStream->LoadFromStream(packed);
  Unpack(unpacker, freeSource);
}
