#pragma once
// Deciphering of packaged library files: AES-256 in electronic-codebook mode,
// 16-byte blocks, no padding, no chaining. The program only ever deciphers;
// enciphering belongs to the packing tools.

#include <array>
#include <cstdint>
#include <iosfwd>

using TAESKey = std::array<std::uint8_t, 32>;

// Deciphers Count bytes of Source from its current position into Dest.
// Count 0 means the whole of Source, rewound to its start (ERangeError from
// 2^32 bytes on); a larger Count than the bytes left is cut to them.
// Raises EAESError "Invalid buffer size for decryption" before reading when
// the count is not a multiple of 16 (or negative), and EStreamError "Stream
// read error" / "Stream write error" when a block is short or Source cannot
// tell its position; whatever was written before stays in Dest.
void DecryptStreamAES256(std::istream& Source, std::int64_t Count, const TAESKey& Key, std::ostream& Dest);
