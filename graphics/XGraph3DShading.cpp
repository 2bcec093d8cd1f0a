// Lights, vertex normals and the six shaders.

#include <algorithm>
#include <cmath>

#include "graphics/XGraph3D.h"

namespace {

constexpr float Ambient = 0.3f;
constexpr float Specular = 1.0f;
constexpr float SimpleGain = 0.8f;
constexpr float SimpleOffset = 0.5f;
constexpr float HeightLightnessScale = 0.8f;
constexpr float HeightLightnessOffset = 0.1f;
constexpr float HeightHueScale = -0.65f;
constexpr float HeightHueOffset = 0.7f;
// Where the highlights look from: near for Real Lighting, far for the
// height colours, whose highlight then hardly moves across a surface.
constexpr TPoint3D NearEye{0, -5, 0};
constexpr TPoint3D FarEye{0, -100, 0};

float Clamp01(long double v) { return float(std::clamp(v, 0.0L, 1.0L)); }

// The colour with its lightness replaced; hue and saturation stay.
TColor WithLightness(TColor colour, float lightness) {
  TRGBColor hsl = RGB3ToHSL(ColorToRGB3(colour));
  hsl.R = lightness;
  return RGB3ToColor(ClampRGB(HSLToRGB3(hsl)));
}

// From violet-blue at the bottom of the box (t = 0) through green and
// yellow to red-orange at the top.
TRGBColor HeightColour(long double t) {
  return HSLToRGB3(MakeRGB3(0.5f, Clamp01(HeightHueOffset + HeightHueScale * t), 1));
}

// An RGB sum worked out in long double, clamped when it becomes a colour.
struct TLightSum {
  long double R = 0, G = 0, B = 0;

  void Add(long double k, const TRGBColor& c) {
    R += k * c.R;
    G += k * c.G;
    B += k * c.B;
  }
  TColor Color() const { return RGB3ToColor(ClampRGB(MakeRGB3(float(R), float(G), float(B)))); }
};

TRGBColor Product(const TRGBColor& a, const TRGBColor& b) { return MakeRGB3(a.R * b.R, a.G * b.G, a.B * b.B); }

}  // namespace

TXLight::TXLight(const TPoint3D& Direction, const TRGBColor& Color)
    : Direction(NormalizePoint3D(Direction)), Color(Color) {}

TPoint3D TXGraph3D::FaceNormal(const TPoint3D& P1, const TPoint3D& P2, const TPoint3D& P3) {
  return NormalizePoint3D(CrossPoint3D(SubPoint3D(P3, P1), SubPoint3D(P2, P1)));
}

// 0 at the bottom of the box, 1 at the top; 0 when the box has no height.
long double TXGraph3D::HeightFraction(long double Height) const {
  const long double range = DataMax.Z - DataMin.Z;
  if (range == 0 || !std::isfinite(range)) return 0;
  const long double t = (Height - DataMin.Z) / range;
  return std::isfinite(t) ? t : 0;
}

// Diffuse light on Base from every light, a linear highlight towards Eye
// (white in the light's colour, or Base's colour in it), and ambient light.
TColor TXGraph3D::LitColour(const TRGBColor& Base, const TPoint3D& Normal, const TPoint3D& Point,
                            const TPoint3D& Eye, bool BaseHighlight) const {
  TLightSum sum;
  const TPoint3D toEye = NormalizePoint3D(SubPoint3D(Eye, Point));
  for (const auto& light : Lights) {
    const TRGBColor diffuse = Product(Base, light->Color);
    const long double d = DotPoint3D(Normal, light->Direction);
    if (d > 0) sum.Add(d, diffuse);
    const TPoint3D half = NormalizePoint3D(AddPoint3D(toEye, light->Direction));
    const long double s = DotPoint3D(Normal, half);
    if (s > 0) sum.Add(Specular * s, BaseHighlight ? diffuse : light->Color);
  }
  sum.Add(Ambient, Base);
  return sum.Color();
}

void TXGraph3D::ShadeVertex(TXVertex& V, const TXData& Data, const TPoint3D& Normal, long double Height) const {
  const TColor brush = ColorToRGB(Data.Brush.Color);
  V.Color = brush;
  switch (Data.Opts.Shader) {
    case shSimpleLighting: {
      long double b = 0;
      for (const auto& light : Lights) b += SimpleOffset * (1 + SimpleGain * DotPoint3D(Normal, light->Direction));
      V.Color = WithLightness(brush, Clamp01(b));
      break;
    }
    case shRealLighting: V.Color = LitColour(ColorToRGB3(brush), Normal, V.Point, NearEye, false); break;
    case shColourHeight:
    case shHeightColour: V.Color = HeightsBarColor(&Data, Height); break;
    case shHeightColourLight:
      V.Color = LitColour(HeightColour(HeightFraction(Height)), Normal, V.Point, FarEye, true);
      break;
    default: break;
  }
}

// The heights bar follows one data set's height colours: shader 3 in its
// brush's hue, else shader 4.
TColor TXGraph3D::HeightsBarColor(const TXData* Data, long double Z) const {
  const long double t = HeightFraction(Z);
  if (Data && Data->Opts.Shader == shColourHeight)
    return WithLightness(ColorToRGB(Data->Brush.Color), Clamp01(HeightLightnessScale * t + HeightLightnessOffset));
  return RGB3ToColor(ClampRGB(HeightColour(t)));
}

namespace {

// The neighbours of a grid vertex, as row and column steps: to the right,
// below (a row back), to the left and above. Pair k of the normal is
// neighbour k and neighbour k + 1, wrapping.
constexpr int NeighbourSteps[4][2] = {{0, 1}, {-1, 0}, {0, -1}, {1, 0}};

TPoint3D Negated(const TPoint3D& p) { return MakePoint3D(-p.X, -p.Y, -p.Z); }

bool LightingShader(TShader shader) {
  return shader == shSimpleLighting || shader == shRealLighting || shader == shHeightColourLight;
}

}  // namespace

// Each edge between two grid vertices is normalised once, for both its ends.
// A mesh without columns has no vertex to light.
void TXGraph3D::PrepareMeshNormals(const TXMesh& Mesh) {
  if (!LightingShader(Mesh.Opts.Shader) || GridColumns == 0) return;
  const int rows = int(Grid.size() / GridColumns), cols = int(GridColumns);
  edgeRight_.resize(Grid.size());
  edgeUp_.resize(Grid.size());
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < cols; ++j) {
      const TXVertex* v = GridVertex(i, j);
      if (!v) continue;
      const std::size_t at = std::size_t(i) * GridColumns + std::size_t(j);
      if (j + 1 < cols)
        if (const TXVertex* right = GridVertex(i, j + 1))
          edgeRight_[at] = NormalizePoint3D(SubPoint3D(right->Point, v->Point));
      if (i + 1 < rows)
        if (const TXVertex* up = GridVertex(i + 1, j)) edgeUp_[at] = NormalizePoint3D(SubPoint3D(up->Point, v->Point));
    }
}

// The unit vector from grid vertex (Row, Col) to its neighbour k, which has a vertex.
TPoint3D TXGraph3D::TowardNeighbour(int Row, int Col, int K) const {
  const std::size_t at = std::size_t(Row) * GridColumns + std::size_t(Col);
  switch (K) {
    case 0: return edgeRight_[at];
    case 1: return Negated(edgeUp_[at - GridColumns]);
    case 2: return Negated(edgeRight_[at - 1]);
    default: return edgeUp_[at];
  }
}

bool TXGraph3D::MeshVertexNormal(int Row, int Col, TPoint3D& Normal) const {
  const int rows = int(Grid.size() / GridColumns), cols = int(GridColumns);
  bool onGrid[4], made[4];
  TPoint3D toward[4];
  for (int k = 0; k < 4; ++k) {
    const int r = Row + NeighbourSteps[k][0], c = Col + NeighbourSteps[k][1];
    onGrid[k] = r >= 0 && r < rows && c >= 0 && c < cols;
    made[k] = onGrid[k] && GridVertex(r, c);
    if (made[k]) toward[k] = TowardNeighbour(Row, Col, k);
  }
  TPoint3D sum;
  bool counted = false;
  for (int k = 0; k < 4; ++k) {
    const int next = (k + 1) % 4;
    // A pair off the grid counts (the vertex lies on its edge) but adds nothing.
    if (!onGrid[k] || !onGrid[next]) {
      counted = true;
      continue;
    }
    if (!made[k] || !made[next]) continue;
    counted = true;
    sum = AddPoint3D(sum, NormalizePoint3D(CrossPoint3D(toward[k], toward[next])));
  }
  Normal = NormalizePoint3D(sum);
  return counted;
}

// Only the lighting shaders need normals; a vertex with no usable
// neighbour pair keeps the brush colour.
void TXGraph3D::ShadeMeshVertex(const TXMesh& Mesh, int Row, int Col) {
  TXVertex& v = *GridVertex(Row, Col);
  TPoint3D normal;
  if (LightingShader(Mesh.Opts.Shader) && !MeshVertexNormal(Row, Col, normal)) {
    v.Color = ColorToRGB(Mesh.Brush.Color);
    return;
  }
  ShadeVertex(v, Mesh, normal, Mesh.Z->GetItem(Row, Col));
}

// Each drawable face adds its normal to every vertex it names.
void TXGraph3D::ShadeShape(const TXShape& Shape) {
  normalSums_.assign(Shape.Vertices.size(), TPoint3D{});
  std::array<TXVertex*, 4> corners;
  for (const TXFace& face : Shape.Faces) {
    const int n = FaceVertices(Shape, face, corners);
    if (n == 0) continue;
    const TPoint3D normal = FaceNormal(corners[0]->Point, corners[1]->Point, corners[2]->Point);
    const std::int32_t indices[4] = {face.V1, face.V2, face.V3, face.V4};
    for (int k = 0; k < n; ++k) {
      TPoint3D& sum = normalSums_[std::size_t(indices[k])];
      sum = AddPoint3D(sum, normal);
    }
  }
  for (std::int32_t i = 0; i < Shape.VertexCount(); ++i)
    if (TXVertex* v = Shape.GetVertexObj(i))
      ShadeVertex(*v, Shape, NormalizePoint3D(normalSums_[std::size_t(i)]), Shape.Vertices[std::size_t(i)].Z);
}
