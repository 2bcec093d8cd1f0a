#pragma once
// A picture as records of drawing calls: an enhanced metafile (EMF) or a
// Windows metafile (WMF) of Width x Height pixels at 96 per inch. A
// TMetafileCanvas draws it; its bytes are the file's.

#include <cstdint>
#include <string>
#include <vector>

class TMetafile {
public:
  int Width() const { return width_; }
  void SetWidth(int width) { width_ = width; }
  int Height() const { return height_; }
  void SetHeight(int height) { height_ = height; }
  bool Enhanced() const { return enhanced_; }
  void SetEnhanced(bool enhanced) { enhanced_ = enhanced; }

  // Empty until a canvas has completed the picture.
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  void SetBytes(std::vector<std::uint8_t> bytes) { bytes_ = std::move(bytes); }
  // Replaces the file whole or leaves it as it was; throws EFCreateError
  // ("Cannot create file" and the quoted name) when it cannot be written.
  void SaveToFile(const std::string& fileName) const;

private:
  int width_ = 0;
  int height_ = 0;
  bool enhanced_ = true;
  std::vector<std::uint8_t> bytes_;
};
