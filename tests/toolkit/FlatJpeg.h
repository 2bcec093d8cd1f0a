#pragma once
// JPEG files for tests, written with libjpeg at quality 100: one flat
// colour (or grey), so that a decoded picture can be compared within a
// small tolerance.

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "toolkit/gdi/Color.h"

inline void WriteFlatJpeg(const std::string& file, int width, int height, TColor color, bool grey = false) {
  FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) throw std::runtime_error("cannot write " + file);
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, out);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row;
  for (int x = 0; x < width; ++x)
    if (grey)
      row.push_back(JSAMPLE(GetGValue(color)));
    else
      row.insert(row.end(), {JSAMPLE(GetRValue(color)), JSAMPLE(GetGValue(color)), JSAMPLE(GetBValue(color))});
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(out);
}
