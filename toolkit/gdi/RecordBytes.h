#pragma once
// Little-endian bytes of a metafile under construction: values appended at
// the end or written over at a known offset.

#include <cstdint>
#include <cstring>
#include <vector>

class TRecordBytes {
public:
  std::size_t Size() const { return bytes_.size(); }
  void Put8(std::uint8_t v) { bytes_.push_back(v); }
  void Put16(std::uint16_t v) { PutLittle(v, 2); }
  void Put32(std::uint32_t v) { PutLittle(v, 4); }
  void PutFloat(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, 4);
    Put32(bits);
  }
  void PutZeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void Set16At(std::size_t offset, std::uint16_t v) { SetLittle(offset, v, 2); }
  void Set32At(std::size_t offset, std::uint32_t v) { SetLittle(offset, v, 4); }
  std::uint16_t Get16At(std::size_t offset) const { return std::uint16_t(bytes_[offset] | bytes_[offset + 1] << 8); }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
  void PutLittle(std::uint32_t v, int count) {
    for (int i = 0; i < count; ++i) bytes_.push_back(std::uint8_t(v >> (8 * i)));
  }
  void SetLittle(std::size_t offset, std::uint32_t v, int count) {
    for (int i = 0; i < count; ++i) bytes_[offset + std::size_t(i)] = std::uint8_t(v >> (8 * i));
  }

  std::vector<std::uint8_t> bytes_;
};
