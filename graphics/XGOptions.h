#pragma once
// The options of one graph: titles, grid and label switches, axis ranges
// and export settings.

#include <cstdint>
#include <string>

#include "graphics/Point3D.h"
#include "graphics/XData.h"

class TXGOptions {
public:
  // Per axis: an automatic axis writes the data range DataMin .. DataMax
  // into Min and Max, with Inc its width; any other axis sets the plotted
  // range and the step from Min, Max and Inc.
  void ExchangeRanges(TPoint3D& DataMin, TPoint3D& DataMax, TPoint3D& Step);

  std::string Title;  // UTF-8, like the axis captions
  std::string TitleX, TitleY, TitleZ;
  bool GridX = true, GridY = true, GridZ = true;
  bool LabelsX = true, LabelsY = true, LabelsZ = true;
  bool MinorGridX = false, MinorGridY = false, MinorGridZ = false;
  std::uint8_t ExportFormat = 2;  // 0 bitmap, 1 WMF, 2 EMF
  TAxesKind AxesKind = akFrame;
  std::int32_t Mantissa = 4;  // significant digits of the axis labels
  std::int32_t Exponent = 1;  // exponent digits of the axis labels
  bool AutoX = true, AutoY = true, AutoZ = true;
  TPoint3D Min{0, 0, 0};
  TPoint3D Max{1, 1, 1};
  TPoint3D Inc{1, 1, 1};
  bool AxesInFront = false;
  bool Legend = false;
  bool HeightsBar = false;
  TCoordSys CoordSys = csLinear;
  bool FastDraw = false;
  bool BlackWhite = false;
};
