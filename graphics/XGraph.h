#pragma once
// The 2D renderer: a list of data sets, the scale box every drawing step
// maps through (DataMin .. DataMax, Step per axis; on a logarithmic axis
// the step is in decades), the drawing of scales, axes and grids, of the
// data sets and the legend, and the picture output through a back buffer.
//
// A value that is not finite makes a gap: such a point is left out of the
// drawing (a line breaks there).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Point3D.h"
#include "graphics/XContour.h"
#include "graphics/XData.h"
#include "graphics/XGOptions.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Font.h"

class TCanvas;
class IMatrix;
class IVector;

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

  // One whole plot in Rect: false when the area is too small or a scale
  // cannot be drawn (a logarithmic axis from a bound that is not positive,
  // a scale without width); nothing is drawn then. The canvas keeps its pen
  // and brush and takes the renderer's font.
  bool Draw(TCanvas& Canvas, const TRect& Rect, bool ForExport);
  // Draws through the back buffer, one pixel wider and higher than Rect.
  bool PaintTo(TCanvas& Canvas, const TRect& Rect);
  // The picture as a bitmap, WMF or EMF by the export format (see
  // PictureExport.h); a clipboard that cannot be opened is left alone, file
  // errors reach the caller.
  void CopyToClipboard(const TRect& Rect);
  void SaveToFile(const std::string& FileName, const TRect& Rect);
  int LegendWidth(TCanvas& Canvas) const;
  void DrawLegend(TCanvas& Canvas, const TRect& Rect, int Width);
  // The colour of height Z on the z scale for a shader.
  TColor HeightColor(TColor BaseColor, std::uint8_t Shader, long double Z) const;

  // FillColor 0: none (the brush's colour).
  void DrawMarker(TCanvas& Canvas, TPoint P, TColor FillColor, const TDataOpts& Opts, const TXPen& Pen,
                  const TXBrush& Brush) const;
  void DrawLines(TCanvas& Canvas, int Index, const TRect& R) const;
  void DrawMarkers(TCanvas& Canvas, int Index, const TRect& R) const;
  void DrawWall(TCanvas& Canvas, int Index, const TRect& R) const;
  void DrawBars(TCanvas& Canvas, int Index, const TRect& R) const;
  void DrawStems(TCanvas& Canvas, int Index, const TRect& R) const;
  void DrawErrorPlot(TCanvas& Canvas, int Index, const TRect& R) const;
  void DrawField(TCanvas& Canvas, int Index, const TRect& R) const;
  // In Field's pen and brush: a line from Tail to Tip and a filled head.
  void DrawArrow(TCanvas& Canvas, const TXData& Field, long double HeadLength, long double HalfWidth,
                 const TRealPoint& Tip, const TRealPoint& Tail) const;

  // A TXMesh as markers (draw kind 1) or cells in height colours; a point
  // is drawn when it lies within the scale box, a cell when its four corners do.
  void DrawHeightsMap(TCanvas& Canvas, int Index, const TRect& R) const;
  // A TXMesh as contours at the z ticks strictly inside the z scale (csLinear
  // only): lines with a clear brush, else filled bands, outermost first.
  // Levels holds the levels until the next call.
  void DrawContours(TCanvas& Canvas, int Index, const TRect& R);
  // Cuts the cells ILow <= i < IHigh, JLow <= j < JHigh of M (i along x with
  // the values XV, j along y with YV) at the levels Z (ascending; level k is
  // Levels[k]) into segments: drawn at once in the level's colour, or added
  // to the level. A corner index outside M is reported and clamped; cells
  // beyond the vectors, and cells with a corner that is not finite, are left out.
  void TraceContours(const IMatrix& M, int ILow, bool DrawNow, TCanvas& Canvas, const TRect& R, const IVector& Z,
                     const IVector& YV, const IVector& XV, int JHigh, int JLow, int IHigh);
  TXCLevel* GetLevel(int I) const;
  // Orders contours by their nesting: 0 when either is missing or the counts
  // are equal, 1 when A's is larger, else -1.
  static int CompareContours(const TXContour* A, const TXContour* B);

  std::vector<std::unique_ptr<TXData>> Items;
  // Counts Clear and AddItem, so that a holder of copies by index sees
  // whether the list changed under it.
  std::uint64_t ListChanges = 0;
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
  // The contour levels of the last contour pass.
  std::vector<std::unique_ptr<TXCLevel>> Levels;
  TFont Font;
  bool Grayscale = false;

private:
  // The titles' room; false when what is left is too small.
  bool ReserveTitles(TCanvas& Canvas, TRect& R) const;
  bool ScalesDrawable() const;
  void DrawTitles(TCanvas& Canvas, const TRect& Rect, const TRect& R);
  void DrawScales(TCanvas& Canvas, const TRect& R) const;
  void DrawDataSets(TCanvas& Canvas, const TRect& R);
  void DrawLegendEntries(TCanvas& Canvas, int x, int& y, int h);
  void DrawHeightsScale(TCanvas& Canvas, int x, int y, int h) const;
  // The z values of the heights scale, from Max.z down.
  std::vector<long double> HeightScaleValues() const;
  // The y of the walls', bars' and stems' base line.
  long double BaseLine() const;
  // Sets the canvas's pen and brush from a data set; in grayscale black and white.
  void ApplyStyle(TCanvas& Canvas, const TXData& Data, bool honourGrayscale) const;
  void DrawXAxis(TCanvas& Canvas, const TRect& R, int textHeight) const;
  void DrawYAxis(TCanvas& Canvas, const TRect& R) const;
  void DrawRadiusScale(TCanvas& Canvas, const TRect& R, TPoint pole) const;
  void DrawGridLine(TCanvas& Canvas, TPoint from, TPoint to) const;
  void DrawLine(TCanvas& Canvas, TPoint from, TPoint to) const;
  void DrawMeshMarkers(TCanvas& Canvas, const TXMesh& Mesh, const TRect& R) const;
  void DrawMeshCells(TCanvas& Canvas, const TXMesh& Mesh, const TRect& R) const;
  // Joins, nests and paints the traced levels as filled polygons.
  void FillContours(TCanvas& Canvas, const TXMesh& Mesh, const TRect& Box);
};
