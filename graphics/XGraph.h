#pragma once
// The 2D renderer: a list of data sets, the scale box every drawing step
// maps through (DataMin .. DataMax, Step per axis; on a logarithmic axis
// the step is in decades), and the drawing of scales, axes and grids.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Point3D.h"
#include "graphics/XData.h"
#include "graphics/XGOptions.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Font.h"

class TCanvas;

class TXGraph {
public:
  // Holds the default content, the heights map "Sin(x*y)".
  TXGraph();
  ~TXGraph();
  TXGraph(const TXGraph&) = delete;
  TXGraph& operator=(const TXGraph&) = delete;

  // Frees the data sets; the box becomes (-1,-1,-1) .. (1,1,1), the step (1,1,1).
  void Clear();
  // Kind 1 a TXSeries, 2 a TXSeries3D drawn as an error plot, 3 a TXMesh,
  // 5 a TXField; any other kind fails an assertion.
  TXData* AddData(const std::string& Name, std::uint8_t Kind);
  // Appends Data with the palette colours of its position.
  TXData* AddItem(std::unique_ptr<TXData> Data);
  TXData* GetItem(int I) const;
  int Count() const { return int(Items.size()); }
  void SetFont(const TFont& NewFont);
  void SetDefaultContent();

  // The box of the visible data sets, or of the user's ranges where Auto is off.
  void AutoScale();
  bool IsLogX() const;
  bool IsLogY() const;
  // The pixel of a data point in the plot rectangle R; always defined (see the source).
  TPoint WorldToScreen(const TRect& R, long double X, long double Y) const;

  // Rounds Lo .. Hi to round ticks whose labels fit: Extent > 0 is a
  // vertical axis of that many pixels, Extent <= 0 a horizontal one.
  void LinearTicks(long double& Lo, long double& Hi, TCanvas& Canvas, int Extent, long double& OutStep) const;
  // Whole decades, at least one.
  void LogTicks(long double& Lo, long double& Hi, long double& OutStep) const;
  std::string FormatTick(long double X) const;
  // The widest label of the x or y scale.
  int LabelWidth(TCanvas& Canvas, bool IsX) const;
  // The four margins the labels need around the framed area R.
  TRect MeasureMargins(TCanvas& Canvas, const TRect& R) const;
  // Rounds the axes whose Auto option is on, for the area R.
  void RoundScales(TCanvas& Canvas, const TRect& R);
  void DrawAxes(TCanvas& Canvas, const TRect& R) const;
  void DrawPolarGrid(TCanvas& Canvas, const TRect& R) const;

  std::vector<std::unique_ptr<TXData>> Items;
  TPoint3D DataMin;
  TPoint3D DataMax;
  TPoint3D Step;
  TXPen GridPen;
  TXPen FramePen;
  TXPen SavePen;
  TXBrush BackBrush;
  TXBrush SaveBrush;
  TXGOptions Options;
  TBitmap Buffer;
  TFont Font;
  bool Grayscale = false;

private:
  void DrawXAxis(TCanvas& Canvas, const TRect& R, int textHeight) const;
  void DrawYAxis(TCanvas& Canvas, const TRect& R) const;
  void DrawRadiusScale(TCanvas& Canvas, const TRect& R, TPoint pole) const;
  void DrawGridLine(TCanvas& Canvas, TPoint from, TPoint to) const;
  void DrawLine(TCanvas& Canvas, TPoint from, TPoint to) const;
};
