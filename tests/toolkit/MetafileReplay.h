#pragma once
// A reader of the metafiles our writers make, for tests: it walks their
// records and plays them onto a device context through the toolkit's own
// drawing calls, as a program that opens the file would. A replay of a
// recording onto a white bitmap is then compared with the same drawing
// made on the bitmap directly.

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/gdi/DeviceContext.h"

class TBitmap;

struct TMetafileRecord {
  std::uint32_t Type = 0;  // EMR_* or META_* function
  std::size_t Offset = 0;  // from the start of the file
  std::size_t Size = 0;    // in bytes
};

// The records from the header to the end record; the walk stops at a size
// that does not fit (Error then tells where).
struct TRecordWalk {
  std::vector<TMetafileRecord> Records;
  std::string Error;
};
TRecordWalk WalkEmf(const std::vector<std::uint8_t>& bytes);
// After the placeable and the metafile header.
TRecordWalk WalkWmf(const std::vector<std::uint8_t>& bytes);

// Plays every record onto dc; answers the types of the records it did not know.
std::vector<std::uint32_t> PlayEmf(const std::vector<std::uint8_t>& bytes, HDC dc);
std::vector<std::uint32_t> PlayWmf(const std::vector<std::uint8_t>& bytes, HDC dc);

// Little-endian fields of a file.
std::uint32_t Word32At(const std::vector<std::uint8_t>& bytes, std::size_t offset);
std::uint16_t Word16At(const std::vector<std::uint8_t>& bytes, std::size_t offset);

// Plays the metafile (EMF or WMF by its first bytes) on a white bitmap of
// the given size; unknown records fail the calling test.
void PlayOnWhite(const std::vector<std::uint8_t>& bytes, TBitmap& bitmap);
