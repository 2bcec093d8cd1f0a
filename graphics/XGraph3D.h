#pragma once
// The 3D renderer: a list of data sets shown as a perspective view of a box
// that is 2 x 2 x 1 whatever the data. Between two drawings it holds only
// the data sets, the options, the view and the lights; every build makes
// the whole scene anew: the plotted ranges, the view rotation, the box,
// the layout in the drawing rectangle, and the data as shaded vertices and
// elements sorted far to near, for painting in that order.
//
// View space: the data mapped into the box (x and y to -1 .. 1, z to
// -0.5 .. 0.5) and turned by Matrix. The eye lies at y = -D and looks
// along +y, so a larger y is farther away.
//
// What cannot be drawn is left out rather than guessed at: a build with a
// plotted range of no width or not finite, or without room in the
// rectangle, gives no scene; a point with a coordinate that is not finite,
// or at or behind the eye, gets no vertex and its element is not made; an
// axis whose step cannot be walked (not finite and positive, or more than
// 10,000 ticks) has no ticks, and one without an outline edge is not drawn.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Point3D.h"
#include "graphics/RGBColor.h"
#include "graphics/XAxis3D.h"
#include "graphics/ScenePool.h"
#include "graphics/XData.h"
#include "graphics/XElem.h"
#include "graphics/XGOptions.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Font.h"

class TCanvas;

// A light fixed to the viewer: turning the view turns the data under it.
class TXLight {
public:
  // Stores the direction normalised.
  TXLight(const TPoint3D& Direction, const TRGBColor& Color);

  TPoint3D Direction;  // view space, from the surface towards the light
  TRGBColor Color;     // intensity per channel, 1 = full
};

class TXGraph3D {
public:
  static constexpr long double ViewDistance = 5;  // D: the eye lies at y = -D
  static constexpr long double RotationStep = 0.2L;  // degrees
  static constexpr long double MinElevation = -90;
  static constexpr long double MaxElevation = 90;

  // The default view, one white light from +x and the default content.
  TXGraph3D();
  ~TXGraph3D();
  TXGraph3D(const TXGraph3D&) = delete;
  TXGraph3D& operator=(const TXGraph3D&) = delete;

  int Count() const { return int(Items.size()); }
  // I outside 0 .. Count - 1 fails an assertion.
  TXData* GetItem(int I) const;
  // Frees the data sets; the box becomes (-1, -1, -1) .. (1, 1, 1), the step (1, 1, 1).
  void Clear();
  // Appends Data with the palette colours of its position.
  TXData* AddItem(std::unique_ptr<TXData> Data);
  // Kind 1 a TXSeries (listed in the legend, not drawn), 2 a TXSeries3D,
  // 3 a TXMesh, 4 a TXShape, 5 a TXField; any other fails an assertion.
  TXData* AddData(const std::string& Name, std::uint8_t Kind);
  // The 40 x 40 surface "Sinc function".
  void SetDefaultContent();
  TXLight* AddLight(const TPoint3D& Direction, const TRGBColor& Color);
  void SetFont(const TFont& NewFont);
  std::string FormatLabel(long double Value) const;

  // Elevation 20, azimuth 330 degrees.
  void ResetView();
  // Steps of 0.2 degree; the azimuth wraps into [0, 360).
  void RotateAzimuth(int Steps);
  // Steps of 0.2 degree; the elevation stays within -90 .. 90.
  void RotateElevation(int Steps);

  // The box of the visible data sets, or the options' ranges where an axis
  // is not automatic. An axis takes the bounds of every data set that has
  // them in that axis (a 2D series has none in z); without any it stays -1 .. 1.
  void ComputeRanges();
  // Rounds an automatic axis's range to round ticks, five or more steps of
  // S; S is 0 when the range is reversed, not finite, or below the
  // resolution of its ends (which then stay as they were).
  static void RoundRange(long double& Lo, long double& Hi, long double& S);
  static long double MapRange(long double V, long double SrcLo, long double SrcHi, long double DstLo,
                              long double DstHi);
  // A data point in view space.
  TPoint3D ToViewBox(const TPoint3D& P) const;
  // A vertex for the data point P, appended to the scene.
  TXVertex* NewVertex(const TPoint3D& P);
  int VertexCount() const { return int(Vertices.Count()); }
  // I outside 0 .. VertexCount - 1 fails an assertion.
  TXVertex* GetVertex(int I) const;
  // Sets V.Screen: unscaled, the perspective view; scaled, stretched so
  // that the box fills Rect. False, leaving V alone, when V lies at or
  // behind the eye or the result is not finite.
  bool Project(TXVertex& V, const TRect& Rect, bool Scaled) const;
  // Fits the box into Rect, which comes back reduced to the plot area (less
  // the title, the legend and the labels' overhang); marks the back faces
  // of the box.
  void Layout(TCanvas& Canvas, TRect& Rect);

  // The axes with labels, a grid or a caption, and their tick vertices.
  void BuildAxes();
  // Of two outline edges, the one to draw an axis on: for z the leftmost;
  // for x and y one that borders the floor (the top when the floor faces
  // the viewer), else the clearly longer, else the one further right or lower.
  TXBEdge* ChooseEdge(TXBEdge* E1, TXBEdge* E2, int Index) const;
  // Measuring (Draw false): chooses the axis's edge and widens MinCorner and
  // MaxCorner to hold its labels and caption, painting nothing. Drawing:
  // tick marks, labels and caption on the chosen edge. Nothing for a null axis.
  void DrawAxes(TCanvas& Canvas, TXAxis* Axis, bool Draw, TRealPoint& MinCorner, TRealPoint& MaxCorner);
  // Grid lines across the back walls, between the edges' inner ticks.
  void DrawGrid(TCanvas& Canvas, const TXAxis* Axis);

  // The whole plot in Rect: the legend, the box with its walls, grid and
  // axes, then the elements far to near (the data not while the view is
  // dragged with FastDraw on). The canvas keeps its pen and brush and
  // takes the renderer's font.
  void Draw(TCanvas& Canvas, const TRect& Rect);
  // Draws through the back buffer, one pixel wider and higher than Rect.
  bool PaintTo(TCanvas& Canvas, const TRect& Rect);
  // The picture as a bitmap, WMF or EMF by the export format (see
  // PictureExport.h); a clipboard that cannot be opened is left alone,
  // file errors reach the caller.
  void CopyToClipboard(const TRect& Rect);
  void SaveToFile(const std::string& FileName, const TRect& Rect);
  void DrawBox(TCanvas& Canvas, const TRect& Rect);
  // A polygon of a mesh or shape, flat or with a colour gradient; grey when
  // it does not face the viewer.
  void DrawElem(TCanvas& Canvas, const TXElem& E);
  // A line of a 3D series, a marker or an arrow, by the data set's class.
  void DrawLineElem(TCanvas& Canvas, const TXElem& E);
  void DrawMarker(TCanvas& Canvas, const TXElem& E);
  // A legend's symbol at P.
  void DrawSymbol(TCanvas& Canvas, TPoint P, const TDataOpts& Opts, const TXPen& Pen, const TXBrush& Brush);
  void DrawArrow(TCanvas& Canvas, const TXData& Data, const TRealPoint& Tail, const TRealPoint& Tip);
  // The legend strip's width; 0 without data sets.
  int LegendWidth(TCanvas& Canvas) const;
  void DrawLegend(TCanvas& Canvas, const TRect& Rect, int W);
  // The heights bar's colour of height Z: by Data's brush colour when its
  // shader is 3, else the colours of shader 4.
  TColor HeightsBarColor(const TXData* Data, long double Z) const;

  // Colours V by Data's shader from its brush colour, the normal N (view
  // space), the data height and the lights.
  void ShadeVertex(TXVertex& V, const TXData& Data, const TPoint3D& Normal, long double Height) const;
  static TPoint3D FaceNormal(const TPoint3D& P1, const TPoint3D& P2, const TPoint3D& P3);

  // The scene for drawing into Rect on Canvas (which measures the title);
  // Rect comes back reduced to the plot area. False, with every list
  // empty, when there is nothing to draw. No data elements while the view
  // is dragged with FastDraw on.
  bool Build(TCanvas& Canvas, TRect& Rect);
  // A polygon of three vertices, or four when V4 is not null; appended to
  // the element list unless Data is null (a box face).
  TXElem* AddPolygon(TXVertex* V1, TXVertex* V2, TXVertex* V3, TXVertex* V4, TXData* Data);
  // The winding on the screen (y down): +1 when V1, V2, V3 run clockwise
  // or lie on a line, else -1.
  static int IsFacing(const TXVertex& V1, const TXVertex& V2, const TXVertex& V3);
  // 1 when A lies nearer than B, -1 when farther, 0 at equal depth.
  static int CompareDepth(const TXElem& A, const TXElem& B);
  void BuildSeries3D(TXSeries3D& Series, const TRect& Rect);
  void BuildMesh(TXMesh& Mesh, const TRect& Rect);
  void BuildShape(TXShape& Shape, const TRect& Rect);
  void BuildField(TXField& Field, const TRect& Rect);
  // Far to near; equal depths keep their build order.
  void SortElements();
  // Empties the scene; the storage is kept for the next build.
  void ClearScene();

  TXGOptions Options;
  std::vector<std::unique_ptr<TXData>> Items;  // drawing and legend order
  // Counts Clear and AddItem, so that a holder of copies by index sees
  // whether the list changed under it.
  std::uint64_t ListChanges = 0;
  TPoint3D DataMin;  // the plotted box in data units
  TPoint3D DataMax;
  TPoint3D Step;     // the tick step per axis
  TBitmap Buffer;    // 24-bit back buffer
  // Every vertex of the scene in creation order: the box corners, the tick
  // vertices of the axes, then the data.
  TScenePool<TXVertex> Vertices;
  std::vector<TXElem*> Elements;  // the data elements, far to near after a build
  std::vector<TXElem*> BoxFaces;  // the six faces; Facing marks a back face
  std::vector<std::unique_ptr<TXLight>> Lights;
  TXPen SavePen;
  TXPen FramePen;
  TXPen GridPen;
  TXBrush SaveBrush;
  TXBrush BackBrush;
  TFont Font;
  TPoint3D View;  // degrees: X the elevation, Y unused, Z the azimuth
  TMatrix4 Matrix;  // the view rotation of the current scene
  // The vertex grid of the mesh being built, row by row, GridColumns to a
  // row; null where a point has no vertex.
  std::vector<TXVertex*> Grid;
  std::size_t GridColumns = 0;
  TRealPoint ScreenCentre;  // mean screen position of the box vertices
  TRealPoint ViewMin;  // the unscaled projection of the box corners
  TRealPoint ViewMax;
  std::unique_ptr<TXAxis> AxisX;  // null for an axis that shows nothing
  std::unique_ptr<TXAxis> AxisY;
  std::unique_ptr<TXAxis> AxisZ;
  int BoxVertexCount = 0;  // the box corners and tick vertices at the head of the vertices
  bool Rotating = false;  // the window's drag of the view is under way

private:
  bool SceneDrawable() const;
  std::unique_ptr<TXAxis> MakeAxis(std::uint8_t Index);
  void ChooseAxisEdge(TXAxis& Axis);
  // The edge across E's back face from E, in E's ring.
  TXBEdge* OppositeEdge(const TXAxis& Axis, const TXBEdge& E) const;
  void MeasureLabels(TCanvas& Canvas, TRect& Rect);
  void DrawGouraud(TCanvas& Canvas, const TXElem& E);
  void DrawLegendEntries(TCanvas& Canvas, int X, int& Y, int H);
  void DrawHeightsBar(TCanvas& Canvas, int X, int Y, int H);
  void SetViewMatrix();
  void RoundRanges();
  void AddBox();
  void ProjectBoxVertices(const TRect& Rect);
  void BuildDataSets(const TRect& Rect);
  bool InBox(const TPoint3D& P) const;
  // An element of the scene, numbered in build order.
  TXElem* NewElement(std::uint8_t Kind, TXData* Data);
  // A projected vertex for the data point P, or null (see the file's head).
  TXVertex* DataVertex(const TPoint3D& P, std::int32_t Index, const TRect& Rect);
  long double HeightFraction(long double Height) const;
  TColor LitColour(const TRGBColor& Base, const TPoint3D& Normal, const TPoint3D& Point, const TPoint3D& Eye,
                   bool BaseHighlight) const;
  TXVertex* GridVertex(int Row, int Col) const { return Grid[std::size_t(Row) * GridColumns + std::size_t(Col)]; }
  void PrepareMeshNormals(const TXMesh& Mesh);
  TPoint3D TowardNeighbour(int Row, int Col, int K) const;
  // The normal of a grid vertex from its four neighbour pairs; false when no pair counts.
  bool MeshVertexNormal(int Row, int Col, TPoint3D& Normal) const;
  void ShadeMeshVertex(const TXMesh& Mesh, int Row, int Col);
  void AddMeshCell(TXMesh& Mesh, int Row, int Col);
  void ShadeShape(const TXShape& Shape);
  // The vertex objects of a face, 3 or 4; 0 when the face cannot be drawn.
  int FaceVertices(const TXShape& Shape, const TXFace& Face, std::array<TXVertex*, 4>& Vertices) const;

  struct TDepthKey {
    double Depth;
    std::uint32_t Sequence;
    TXElem* Elem;
  };

  TScenePool<TXElem> elements_;  // data elements and box faces
  std::vector<TDepthKey> sortKeys_;
  std::vector<TPoint3D> normalSums_;  // per shape vertex
  // Per grid vertex of the mesh being built: the unit vectors to the next
  // vertex in its row and in its column, where both have vertices.
  std::vector<TPoint3D> edgeRight_;
  std::vector<TPoint3D> edgeUp_;
};
