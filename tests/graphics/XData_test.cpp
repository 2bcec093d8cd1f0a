#include "graphics/XData.h"

#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include "graphics/PlotStyles.h"
#include "graphics/XGOptions.h"
#include "runtime/Exceptions.h"
#include "toolkit/gdi/Brush.h"
#include "toolkit/gdi/Pen.h"

namespace {

void ExpectNear(const TPoint3D& expected, const TPoint3D& actual) {
  EXPECT_LE(fabsl(expected.X - actual.X) + fabsl(expected.Y - actual.Y) + fabsl(expected.Z - actual.Z), 1e-18L)
      << double(actual.X) << "," << double(actual.Y) << "," << double(actual.Z);
}

TEST(XData, NewDataSetsHaveEmptyBoundsAndTheirDefaults) {
  const TXData data("d", 3);
  EXPECT_EQ(3, data.Kind);
  EXPECT_EQ(clBlack, data.Pen.Color);
  EXPECT_EQ(1, data.Pen.Width);
  EXPECT_EQ(psSolid, data.Pen.Style);
  EXPECT_EQ(clWhite, data.Brush.Color);
  EXPECT_EQ(bsSolid, data.Brush.Style);
  EXPECT_EQ(dkLine, data.Opts.DrawKind);
  EXPECT_EQ(bkRight, data.Opts.BarKind);
  EXPECT_EQ(smCircle, data.Opts.Symbol);
  EXPECT_EQ(rdFlat, data.Opts.Renderer);
  EXPECT_EQ(shColour, data.Opts.Shader);
  EXPECT_TRUE(data.Visible);

  const TXSeries series("s");
  const TXSeries3D series3D("s3");
  const TXMesh mesh("m");
  const TXShape shape("sh");
  const TXField field("f");
  for (const TXData* d : std::initializer_list<const TXData*>{&data, &series, &series3D, &mesh, &shape, &field})
    EXPECT_TRUE(d->BoundsEmpty()) << d->Name;
  EXPECT_EQ(SeriesKind, series.Kind);
  EXPECT_EQ(Series3DKind, series3D.Kind);
  EXPECT_EQ(MeshKind, mesh.Kind);
  EXPECT_EQ(ShapeKind, shape.Kind);
  EXPECT_EQ(FieldKind, field.Kind);
  EXPECT_EQ(dkSurface, mesh.Opts.DrawKind);
  EXPECT_EQ(psClear, mesh.Pen.Style);
  EXPECT_EQ(shSimpleLighting, mesh.Opts.Shader);
  EXPECT_EQ(dkShape, shape.Opts.DrawKind);
  EXPECT_EQ(dkArrows, field.Opts.DrawKind);
  EXPECT_EQ(MakePoint3D(1, 1, 1), shape.Size);
  EXPECT_EQ(IdentityMatrix4(), shape.Matrix);
}

TEST(XData, SeriesBoundsGrowByFinitePointsOnly) {
  TXSeries series("s");
  series.AddPoint(1, 5);
  series.AddPoint(-2, 7);
  EXPECT_EQ(MakePoint3D(-2, 5, 1), series.Min);
  EXPECT_EQ(MakePoint3D(1, 7, -1), series.Max);

  series.Clear();
  series.AddPoint(NAN, 1);
  series.AddPoint(2, 3);
  series.AddPoint(INFINITY, 9);
  EXPECT_EQ(3, series.Count());
  EXPECT_EQ(2, series.Min.X);
  EXPECT_EQ(2, series.Max.X);
  EXPECT_EQ(3, series.Min.Y);
  EXPECT_EQ(3, series.Max.Y);
  EXPECT_TRUE(std::isnan(series.X->GetItem(0)));
}

TEST(XData, SeriesCountsAndSlots) {
  TXSeries series("s");
  series.AddPoint(1, 2);
  EXPECT_THROW(series.SetCount(-1), EAssertionFailed);
  const CountedPtr<IVector> x = series.X;
  series.SetCount(1);
  EXPECT_EQ(1, series.Count());
  series.SetCount(3);
  EXPECT_EQ(3, series.Y->GetSize());
  EXPECT_EQ(0, series.Y->GetItem(2));
  EXPECT_EQ(MakePoint3D(1, 2, 1), series.Min);  // SetCount leaves the bounds

  TXSeries3D series3D("s3");
  series3D.AddPoint(1, 2, 3);
  series3D.AddPoint(NAN, 0, 0);
  series3D.AddPoint(-1, 5, 0);
  EXPECT_EQ(MakePoint3D(-1, 2, 0), series3D.Min);
  EXPECT_EQ(MakePoint3D(1, 5, 3), series3D.Max);
  series3D.SetCount(5);
  EXPECT_EQ(5u, series3D.Elems.size());
  EXPECT_EQ(nullptr, series3D.GetElem(4));
  EXPECT_EQ(nullptr, series3D.GetElem(5));
  EXPECT_EQ(nullptr, series3D.GetElem(-1));
  auto* elem = reinterpret_cast<TXElem*>(&series3D);
  series3D.SetElem(4, elem);
  EXPECT_EQ(elem, series3D.GetElem(4));
  EXPECT_THROW(series3D.SetElem(5, elem), EAssertionFailed);
  EXPECT_THROW(series3D.SetCount(-1), EAssertionFailed);
}

TEST(XData, MeshGridAndBounds) {
  TXMesh mesh("m");
  mesh.SetYCount(2);
  mesh.SetXCount(2);
  mesh.SetPoint(1, 1, MakePoint3D(3, 4, 5));
  mesh.SetXCount(3);
  ASSERT_EQ(2, mesh.Z->GetRows());
  ASSERT_EQ(3, mesh.Z->GetCols());
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(0, mesh.Z->GetItem(r, c));

  mesh.SetPoint(1, 2, MakePoint3D(7, 8, 9));
  EXPECT_EQ(7, mesh.X->GetItem(2));
  EXPECT_EQ(8, mesh.Y->GetItem(1));
  EXPECT_EQ(9, mesh.Z->GetItem(1, 2));
  EXPECT_EQ(MakePoint3D(7, 8, 9), mesh.GetPoint(1, 2));
  EXPECT_EQ(MakePoint3D(3, 4, 5), mesh.Min);
  EXPECT_EQ(MakePoint3D(7, 8, 9), mesh.Max);
  mesh.SetPoint(0, 0, MakePoint3D(NAN, 0, 0));
  EXPECT_EQ(MakePoint3D(3, 4, 5), mesh.Min);
  EXPECT_THROW(mesh.SetPoint(2, 0, MakePoint3D(0, 0, 0)), EAssertionFailed);
  EXPECT_THROW(mesh.SetPoint(0, 3, MakePoint3D(0, 0, 0)), EAssertionFailed);
  EXPECT_THROW(mesh.SetPoint(-1, 0, MakePoint3D(0, 0, 0)), EAssertionFailed);
}

// A matrix whose storage can never be had, as when memory runs out.
class TRefusingMatrix final : public IMatrix {
public:
  bool SetSize(std::int32_t, std::int32_t) override { return false; }
  bool Resize(std::int32_t, std::int32_t) override { return false; }
  std::int32_t GetRows() const override { return 0; }
  std::int32_t GetCols() const override { return 0; }
  void Fill(long double) override {}
  void SetIdentity() override {}
  bool Assign(const IMatrix&) override { return false; }
  long double GetItem(std::int32_t, std::int32_t) const override { throw ERangeError(); }
  void SetItem(std::int32_t, std::int32_t, long double) override { throw ERangeError(); }
  long double Trace() const override { return 0; }
  bool Equals(const IMatrix&) const override { return false; }
  bool IsSymmetric() const override { return true; }
};

TEST(XData, AMeshWithoutStorageFailsInsteadOfDisagreeingWithItsMatrix) {
  TXMesh mesh("m");
  mesh.Z = MakeCounted<TRefusingMatrix>();
  try {
    mesh.SetXCount(3);
    ADD_FAILURE() << "no failure";
  } catch (const EAssertionFailed& failure) {
    EXPECT_EQ(0u, std::string(failure.what()).rfind("Not enough memory", 0)) << failure.what();
  }
  EXPECT_THROW(mesh.SetYCount(2), EAssertionFailed);
  EXPECT_EQ(0, mesh.XCount());
  EXPECT_EQ(0, mesh.YCount());
}

TEST(XData, FieldBoundsHoldTheArrowTips) {
  TXField field("f");
  field.SetCount(1);
  field.SetPoint(0, MakePoint3D(0, 0, 0));
  field.SetVector(0, MakePoint3D(1, 0, 0));
  EXPECT_GE(field.Max.X, 1);
  EXPECT_EQ(MakePoint3D(1, 0, 0), field.GetVector(0));
  field.SetVector(0, MakePoint3D(NAN, 0, 0));
  EXPECT_EQ(1, field.Max.X);
  EXPECT_EQ(0, field.Min.X);
}

TEST(XData, ShapeVerticesFacesAndRotation) {
  TXShape shape("sh");
  EXPECT_EQ(0, shape.AddVertex(1, 2, 3));
  EXPECT_EQ(1, shape.AddVertex(-1, 0, 0));
  EXPECT_EQ(2, shape.AddVertex(0, 5, -3));
  EXPECT_EQ(MakePoint3D(1, 2, 3), shape.GetVertex(0));
  EXPECT_EQ(MakePoint3D(-1, 0, -3), shape.Min);
  EXPECT_EQ(MakePoint3D(1, 5, 3), shape.Max);
  EXPECT_EQ(0, shape.AddFace(0, 1, 2, -1));
  EXPECT_EQ((TXFace{0, 1, 2, -1}), shape.GetFace(0));
  EXPECT_THROW(shape.GetVertex(3), ERangeError);
  EXPECT_THROW(shape.GetFace(1), ERangeError);
  EXPECT_EQ(nullptr, shape.GetVertexObj(7));

  TXShape turned("t");
  turned.SetRotation(MakePoint3D(0, 0, 90));
  turned.AddVertex(1, 0, 0);
  ExpectNear(MakePoint3D(0, 1, 0), turned.GetVertex(0));

  TXShape xFirst("x");
  xFirst.SetRotation(MakePoint3D(90, 0, 90));
  xFirst.AddVertex(0, 1, 0);
  ExpectNear(MakePoint3D(0, 0, 1), xFirst.GetVertex(0));

  turned.SetRotation(MakePoint3D(450, -90, 0));
  EXPECT_EQ(MakePoint3D(90, 270, 0), turned.Rotation);
  turned.SetRotation(MakePoint3D(1e30L, NAN, -INFINITY));
  EXPECT_EQ(0, turned.Rotation.Y);
  EXPECT_EQ(0, turned.Rotation.Z);
  EXPECT_GE(turned.Rotation.X, 0);
  EXPECT_LT(turned.Rotation.X, 360);
}

TEST(XData, CopyingBetweenDataSets) {
  TXSeries source("src");
  source.AddPoint(1, 2);
  source.Pen.Color = clRed;
  TXSeries copy("copy");
  copy.Assign(source);
  EXPECT_EQ("src", copy.Name);
  EXPECT_EQ(clRed, copy.Pen.Color);
  EXPECT_EQ(source.Min, copy.Min);
  source.X->SetItem(0, 42);
  EXPECT_EQ(1, copy.X->GetItem(0));

  TXMesh mesh("mesh");
  mesh.SetXCount(2);
  mesh.SetYCount(1);
  mesh.SetPoint(0, 1, MakePoint3D(1, 2, 3));
  TXSeries fromMesh("s");
  fromMesh.AddPoint(5, 5);
  fromMesh.Assign(mesh);
  EXPECT_EQ("mesh", fromMesh.Name);
  EXPECT_EQ(MeshKind, fromMesh.Kind);
  EXPECT_EQ(mesh.Min, fromMesh.Min);
  EXPECT_EQ(1, fromMesh.Count());  // no data

  TXMesh meshCopy("mc");
  meshCopy.Assign(mesh);
  EXPECT_EQ(MakePoint3D(1, 2, 3), meshCopy.GetPoint(0, 1));
  EXPECT_EQ(2, meshCopy.XCount());

  // A style copy that carries a series' code holds no series data.
  TXData styleCopy("style", SeriesKind);
  TXSeries fromStyle("s");
  fromStyle.AddPoint(1, 1);
  fromStyle.Assign(styleCopy);
  EXPECT_EQ(1, fromStyle.Count());

  TXShape shape("shape");
  shape.Size = MakePoint3D(2, 2, 2);
  shape.Position = MakePoint3D(1, 0, 0);
  shape.AddVertex(1, 0, 0);
  shape.AddFace(0, 0, 0, -1);
  shape.SetRotation(MakePoint3D(0, 0, 90));
  TXShape shapeCopy("c");
  shapeCopy.Assign(shape);
  EXPECT_EQ(shape.Size, shapeCopy.Size);
  EXPECT_EQ(shape.Position, shapeCopy.Position);
  EXPECT_EQ(shape.Vertices, shapeCopy.Vertices);
  EXPECT_EQ(shape.Faces, shapeCopy.Faces);
  EXPECT_EQ(shape.Rotation, shapeCopy.Rotation);
  EXPECT_EQ(shape.Matrix, shapeCopy.Matrix);
  EXPECT_EQ(1u, shapeCopy.VertexObjs.size());

  TXField field("field");
  field.SetCount(2);
  field.SetPoint(0, MakePoint3D(1, 1, 1));
  TXField fieldCopy("fc");
  fieldCopy.Assign(field);
  EXPECT_EQ("field", fieldCopy.Name);
  EXPECT_EQ(field.Min, fieldCopy.Min);
  EXPECT_EQ(0, fieldCopy.Count());

  TXData style("st", 7);
  style.Visible = false;
  style.Opts.Symbol = smDiamond;
  style.Brush.Style = bsCross;
  TXSeries restyled("r");
  restyled.AddPoint(3, 3);
  restyled.AssignStyle(style);
  EXPECT_EQ("st", restyled.Name);
  EXPECT_FALSE(restyled.Visible);
  EXPECT_EQ(smDiamond, restyled.Opts.Symbol);
  EXPECT_EQ(bsCross, restyled.Brush.Style);
  EXPECT_EQ(SeriesKind, restyled.Kind);
  EXPECT_EQ(3, restyled.Min.X);
}

TEST(XData, PensAndBrushesRoundTripThroughTheToolkit) {
  const TXPen pen(0x123456, 4, psDashDot);
  TPen canvasPen;
  pen.AssignTo(canvasPen);
  TXPen back(clBlack, 1, psSolid);
  back.AssignFrom(canvasPen);
  EXPECT_EQ(0x123456u, back.Color);
  EXPECT_EQ(4, back.Width);
  EXPECT_EQ(psDashDot, back.Style);

  const TXBrush brush(clBtnFace, bsDiagCross);
  TBrush canvasBrush;
  brush.AssignTo(canvasBrush);
  TXBrush brushBack(clBlack, bsSolid);
  brushBack.AssignFrom(canvasBrush);
  EXPECT_EQ(clBtnFace, brushBack.Color);
  EXPECT_EQ(bsDiagCross, brushBack.Style);
}

TEST(XData, OptionsDefaults) {
  const TXGOptions o;
  EXPECT_EQ("", o.Title);
  EXPECT_EQ("", o.TitleX + o.TitleY + o.TitleZ);
  EXPECT_TRUE(o.GridX && o.GridY && o.GridZ && o.LabelsX && o.LabelsY && o.LabelsZ);
  EXPECT_FALSE(o.MinorGridX || o.MinorGridY || o.MinorGridZ);
  EXPECT_EQ(2, o.ExportFormat);
  EXPECT_EQ(akFrame, o.AxesKind);
  EXPECT_EQ(4, o.Mantissa);
  EXPECT_EQ(1, o.Exponent);
  EXPECT_TRUE(o.AutoX && o.AutoY && o.AutoZ);
  EXPECT_EQ(MakePoint3D(0, 0, 0), o.Min);
  EXPECT_EQ(MakePoint3D(1, 1, 1), o.Max);
  EXPECT_EQ(MakePoint3D(1, 1, 1), o.Inc);
  EXPECT_FALSE(o.AxesInFront || o.Legend || o.HeightsBar || o.FastDraw || o.BlackWhite);
  EXPECT_EQ(csLinear, o.CoordSys);
}

// Every field a preset may set holds a marker first.
template <class Series>
std::unique_ptr<Series> Marked() {
  auto series = std::make_unique<Series>("m");
  series->Opts = TDataOpts(TDrawKind(77), TBarKind(77), TSymbol(77), TRenderer(77), TShader(77));
  series->Pen = TXPen(0x77, 77, 77);
  series->Brush = TXBrush(0x77, 77);
  return series;
}

TEST(XData, StylePresets) {
  constexpr int Keep = 77;
  struct Row {
    int drawKind, symbol, penStyle, penWidth, brushStyle;
  };
  const Row rows[] = {{0, Keep, 0, 1, Keep}, {0, Keep, 1, 1, Keep}, {0, Keep, 2, 1, Keep}, {1, 1, 0, 3, Keep},
                      {1, 0, 0, 3, 0},       {1, 2, 0, 3, 0},       {1, 3, 0, 3, 0},       {8, 0, 0, 1, 0},
                      {2, Keep, 0, 1, 0},    {3, Keep, 0, 1, 0}};
  for (int style = 0; style < 10; ++style) {
    auto series = Marked<TXSeries>();
    ApplySeriesStyle(*series, std::uint8_t(style));
    const Row& row = rows[style];
    EXPECT_EQ(row.drawKind, series->Opts.DrawKind) << style;
    EXPECT_EQ(row.symbol, series->Opts.Symbol) << style;
    EXPECT_EQ(row.penStyle, series->Pen.Style) << style;
    EXPECT_EQ(row.penWidth, series->Pen.Width) << style;
    EXPECT_EQ(row.brushStyle, series->Brush.Style) << style;
    EXPECT_EQ(Keep, series->Opts.BarKind) << style;
    EXPECT_EQ(Keep, series->Opts.Renderer) << style;
    EXPECT_EQ(Keep, series->Opts.Shader) << style;
    EXPECT_EQ(0x77u, series->Pen.Color) << style;
    EXPECT_EQ(0x77u, series->Brush.Color) << style;

    auto series3D = Marked<TXSeries3D>();
    ApplySeries3DStyle(*series3D, std::uint8_t(style));
    EXPECT_EQ(style < 8 ? row.drawKind : Keep, series3D->Opts.DrawKind) << style;
    EXPECT_EQ(style < 8 ? row.penWidth : Keep, series3D->Pen.Width) << style;
  }
  auto untouched = Marked<TXSeries>();
  ApplySeriesStyle(*untouched, 10);
  EXPECT_EQ(Keep, untouched->Opts.DrawKind);
  EXPECT_EQ(Keep, untouched->Pen.Width);
}

TEST(XData, PalettesAndPictureExtensions) {
  EXPECT_EQ(0x808000u, PenPalette[4]);
  EXPECT_EQ(0xFFFF00u, BrushPalette[4]);
  EXPECT_EQ(0xC0DCC0u, PenPalette[7]);
  EXPECT_EQ(0x00FF00u, BrushPalette[7]);
  EXPECT_EQ(clBlue, PenPalette[0]);
  EXPECT_EQ(0xF0CAA6u, BrushPalette[0]);
  EXPECT_EQ(".bmp", PictureExtension(0));
  EXPECT_EQ(".wmf", PictureExtension(1));
  EXPECT_EQ(".emf", PictureExtension(2));
  EXPECT_EQ("", PictureExtension(3));
}

}  // namespace
