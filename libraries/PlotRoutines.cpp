#include "libraries/PlotRoutines.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/ArrVar.h"
#include "engine/RunFlags.h"
#include "libraries/ArrayArgs.h"
#include "libraries/BuiltInArgs.h"
#include "libraries/Callback.h"
#include "libraries/PlotTargets.h"
#include "runtime/StorageLimit.h"

namespace {

constexpr std::int64_t CurvePoints = 300;
constexpr std::int64_t MeshPointsPerAxis = 40;
constexpr long double Gap = std::numeric_limits<long double>::quiet_NaN();

// The TPlotStyle and TMeshStyle ordinals the routines look at.
constexpr std::int64_t PlotLine = 0;
constexpr std::int64_t PlotStem = 7;
constexpr std::int64_t PlotWall = 8;
constexpr std::int64_t MeshScatter = 1;
constexpr std::int64_t MeshStyleCount = 4;

constexpr const char* NoWindowMessage = "No graph window to plot in";
constexpr const char* TooFewPointsMessage = "Too few plot points";
constexpr const char* SameSizeMessage = "Data vectors must have the same size";

// A count of points as Round gives it, kept within 64 bits; NaN counts as
// too few.
std::int64_t RoundedCount(long double n) {
  constexpr long double Limit = 9223372036854775808.0L;  // 2^63
  const long double rounded = std::nearbyint(n);
  if (!(rounded > -Limit)) return 0;
  if (rounded >= Limit) return std::numeric_limits<std::int64_t>::max();
  return std::int64_t(rounded);
}

// A range vector {from, to[, n]}: n points from from to to, both included.
struct TRange {
  long double From = 0;
  long double To = 0;
  std::int64_t Count = 0;

  long double At(std::int64_t k) const { return (To - From) * k / (Count - 1) + From; }
};

// From a vector of at least two elements; false after the report.
bool ReadRange(const TArrVar& vector, std::int64_t defaultCount, const char* zeroRangeMessage, TSourcePos pos,
               TRange& range) {
  range.From = RealAt(vector, 0);
  range.To = RealAt(vector, 1);
  range.Count = vector.Count() >= 3 ? RoundedCount(RealAt(vector, 2)) : defaultCount;
  if (range.Count < 2) return Refuse(TooFewPointsMessage, pos);
  return range.From < range.To || Refuse(zeroRangeMessage, pos);
}

// Storage for the plot is refused before it is asked for: ENotEnoughMemory
// ends the call with "Not enough memory" at its position.
CountedPtr<IVector> NewVector(std::int64_t n) {
  RequireStorage(std::uint64_t(n), sizeof(long double));
  return MakeCounted<TVector>(n);
}

CountedPtr<IMatrix> NewMatrix(std::int64_t rows, std::int64_t cols) {
  constexpr std::int64_t MaxCount = std::numeric_limits<std::int32_t>::max();
  if (rows > MaxCount || cols > MaxCount) throw ENotEnoughMemory();
  RequireStorage(std::uint64_t(rows) * std::uint64_t(cols), sizeof(long double));
  auto matrix = MakeCounted<TMatrix>();
  if (!matrix->SetSize(std::int32_t(rows), std::int32_t(cols))) throw ENotEnoughMemory();
  return matrix;
}

CountedPtr<IVector> CopyOf(const TArrVar& v) {
  CountedPtr<IVector> copy = NewVector(v.Count());
  for (std::int32_t p = 0; p < v.Count(); ++p) copy->SetItem(p, RealAt(v, p));
  return copy;
}

// 1, 2, ..., n: the place of each point.
CountedPtr<IVector> Counting(std::int64_t n) {
  CountedPtr<IVector> places = NewVector(n);
  for (std::int64_t k = 0; k < n; ++k) places->SetItem(k, k + 1);
  return places;
}

// The vector, or fallback() where it is empty.
template <class TFallback>
CountedPtr<IVector> CopyOr(const TArrVar& v, TFallback fallback) {
  return v.Count() ? CopyOf(v) : fallback();
}

TPlot NewPlot(TPlotWindow window, TPlotKind kind, std::string name, bool append) {
  TPlot plot;
  plot.Window = window;
  plot.Kind = kind;
  plot.Name = std::move(name);
  plot.Append = append;
  return plot;
}

void SetAxes(TPlot& plot, TAxesChange change, std::int64_t axesType) {
  plot.Axes = change;
  plot.CoordSys = std::uint8_t(axesType);
}

bool RefuseNoWindow(TSourcePos pos) { return Refuse(NoWindowMessage, pos); }

// Checked before sampling, so that nothing is sampled for no window.
bool HasTarget(TPlotWindow window, TSourcePos pos) { return GetPlotTarget(window) || RefuseNoWindow(pos); }

// To the window's target of now: sampling runs script code, which may
// have seen the window go.
bool HandOver(TPlot& plot, TSourcePos pos) {
  CountedPtr<IPlotTarget> target = GetPlotTarget(plot.Window);
  if (!target) return RefuseNoWindow(pos);
  target->Show(plot);
  return true;
}

// A line style the plot has no drawing for becomes a plain line, with a warning.
void ReplaceLineStyle(TPlot& plot, std::int64_t firstReplaced, const char* warning) {
  if (plot.Style < firstReplaced) return;
  plot.Style = PlotLine;
  WriteMessage(warning, lkWarning, 0);
}

// The routines a call samples, one per routine argument in the order
// given. A routine held by several arguments is entered once: a second
// entry would be refused as a reentry.
class TSampledRoutines {
public:
  // False after the report (an empty routine variable, a routine running).
  bool Open(const TFunc& plot, std::initializer_list<int> args, TSourcePos pos) {
    for (int arg : args) {
      const auto& holder = static_cast<const TFuncVar&>(*plot.Arg(arg));
      TCallback* callback = Entered(holder.Func());
      if (!callback) {
        callbacks_.push_back(std::make_unique<TCallback>(TCallback::TLocals::Kept));
        callback = callbacks_.back().get();
        if (!callback->Open(holder, pos, TCallback::TRunPosition::None)) return false;
      }
      byArg_.push_back({holder.Func(), callback});
    }
    return true;
  }

  TCallback& operator[](std::size_t i) const { return *byArg_[i].Callback; }
  const std::string& Name(std::size_t i) const { return byArg_[i].Routine->Name(); }
  std::size_t Count() const { return byArg_.size(); }

private:
  struct TEntry {
    const TFunc* Routine;
    TCallback* Callback;
  };

  TCallback* Entered(const TFunc* routine) const {
    for (const TEntry& entry : byArg_)
      if (routine && entry.Routine == routine) return entry.Callback;
    return nullptr;
  }

  std::vector<std::unique_ptr<TCallback>> callbacks_;
  std::vector<TEntry> byArg_;
};

// One run on the arguments set: the real result, or a gap when the run
// failed or reported an error (a script routine goes on past a failed
// statement, its Result unset). An abort ends the call at once.
long double SampleRun(TCallback& routine) {
  const std::uint64_t errorsBefore = ReportedErrorCount();
  if (routine.Run() && ReportedErrorCount() == errorsBefore) return routine.RealResult();
  if (AbortFlag) throw EAborted();
  return Gap;
}

// A platform fault is a failed run too, reported by its message alone.
long double SampleReportingFaults(TCallback& routine) {
  try {
    return SampleRun(routine);
  } catch (const EAssertionFailed&) {
    throw;
  } catch (const EAborted&) {
    throw;
  } catch (const EQuantrelError& fault) {
    ReportError(fault.what(), NoPosition, nullptr);
    return Gap;
  }
}

// Coordinate c of point k is routine c at t_k, the routines run in the
// order of the coordinates.
void SampleCoordinates(const TSampledRoutines& routines, const TRange& t, std::initializer_list<IVector*> coordinates) {
  for (std::int64_t k = 0; k < t.Count; ++k) {
    std::size_t c = 0;
    for (IVector* coordinate : coordinates) {
      TCallback& routine = routines[c++];
      routine.SetReal(0, t.At(k));
      coordinate->SetItem(k, SampleReportingFaults(routine));
    }
  }
}

// The range vector of a function plot, or false after the report.
bool ReadCurveRange(const TFunc& plot, int arg, const char* tooShortMessage, TSourcePos messagePos, TRange& t) {
  const TArrVar& vector = ArrArg(plot, arg);
  if (vector.Count() < 2) return Refuse(tooShortMessage, messagePos);
  return ReadRange(vector, CurvePoints, "Zero plotting range", messagePos, t);
}

TPlotWindow MeshWindow(std::int64_t style) { return style <= MeshScatter ? pwGraph3D : pwGraph2D; }

bool CheckMeshStyle(std::int64_t style, TSourcePos pos) {
  return (style >= 0 && style < MeshStyleCount) || Refuse("Unknown mesh style", pos);
}

// The length the non-empty vectors share, counting them; false after the
// report when two differ.
bool CommonLength(std::initializer_list<const TArrVar*> vectors, std::int32_t& n, int& nonEmpty, TSourcePos pos) {
  n = -1;
  nonEmpty = 0;
  for (const TArrVar* v : vectors) {
    if (v->Count() == 0) continue;
    ++nonEmpty;
    if (n < 0) n = v->Count();
    if (v->Count() != n) return Refuse(SameSizeMessage, pos);
  }
  return true;
}

bool SameLengths(std::initializer_list<const TArrVar*> vectors, std::int32_t n, TSourcePos pos) {
  for (const TArrVar* v : vectors)
    if (v->Count() != n) return Refuse("All parameter vectors must have the same size", pos);
  return true;
}

// The name of the variable the caller passed, when it has one of its own.
std::string PassedName(const TFunc& routine, int arg, const char* otherwise) {
  const TVar* source = routine.ArgSource(arg);
  return source && source->HasName() ? source->Name() : otherwise;
}

// Reported without a position. A matrix of empty rows is as empty as one
// without rows.
bool CheckMesh(const TArrVar& m, const TArrVar& x, const TArrVar& y) {
  if (m.Count() == 0) return Refuse("Empty mesh matrix", NoPosition);
  if (!IsRectangular(m)) return Refuse("Mesh matrix has to be either rectangular or square", NoPosition);
  if (MatColCount(m) == 0) return Refuse("Empty mesh matrix", NoPosition);
  if (y.Count() != 0 && y.Count() != m.Count())
    return Refuse("Size of the Y vector is incompatible with the mesh", NoPosition);
  if (x.Count() != 0 && x.Count() != MatColCount(m))
    return Refuse("Size of the X vector is incompatible with the mesh", NoPosition);
  return true;
}

// x and y of a mesh pass through 64-bit floats.
long double ThroughDouble(long double x) { return static_cast<double>(x); }

CountedPtr<IVector> GridValues(const TArrVar& given, std::int32_t n) {
  CountedPtr<IVector> values = NewVector(n);
  for (std::int32_t p = 0; p < n; ++p) values->SetItem(p, ThroughDouble(given.Count() ? RealAt(given, p) : p + 1));
  return values;
}

std::int32_t FaceIndex(long double x) {
  constexpr long double Largest = std::numeric_limits<std::int32_t>::max();
  constexpr long double Smallest = std::numeric_limits<std::int32_t>::min();
  const long double rounded = std::nearbyint(x);
  if (!(rounded < Largest)) return std::numeric_limits<std::int32_t>::max();
  return rounded > Smallest ? std::int32_t(rounded) : std::numeric_limits<std::int32_t>::min();
}

bool CheckShape(const TArrVar& vertices, const TArrVar& faces, TSourcePos pos) {
  if (vertices.Count() == 0) return Refuse("Shape contains no vertices", pos);
  if (MatColCount(vertices) != 3 || !IsRectangular(vertices))
    return Refuse("Vertex matrix must have 3 columns {X, Y, Z}", pos);
  if (faces.Count() == 0) return Refuse("Shape contains no faces", pos);
  const std::int32_t corners = MatColCount(faces);
  if ((corners != 3 && corners != 4) || !IsRectangular(faces))
    return Refuse("Face matrix must have 3 or 4 columns", pos);
  return true;
}

}  // namespace

bool TPlotNF::Execute(TSourcePos pos) {
  TRange x;
  if (!ReadCurveRange(*this, 1, "X range must contain at least 2 real numbers", NoPosition, x)) return false;
  TSampledRoutines f;
  if (!f.Open(*this, {0}, pos)) return false;
  TPlot plot = NewPlot(pwGraph2D, pkSeries, f.Name(0), BoolArg(*this, 2));
  plot.Style = std::uint8_t(IntArg(*this, 3));
  SetAxes(plot, acCoordSysMinorGrids, IntArg(*this, 4));
  RequireStorage(std::uint64_t(x.Count), 2 * sizeof(long double));
  plot.X = NewVector(x.Count);
  plot.Y = NewVector(x.Count);
  if (!HasTarget(plot.Window, pos)) return false;
  for (std::int64_t k = 0; k < x.Count; ++k) plot.X->SetItem(k, x.At(k));
  SampleCoordinates(f, x, {plot.Y.get()});
  return HandOver(plot, pos);
}

bool TPlotParamNF::Execute(TSourcePos pos) {
  TRange t;
  if (!ReadCurveRange(*this, 2, "Third parameter must contain at least 2 real numbers", pos, t)) return false;
  TSampledRoutines f;
  if (!f.Open(*this, {0, 1}, pos)) return false;
  TPlot plot = NewPlot(pwGraph2D, pkSeries, f.Name(1) + " vs " + f.Name(0), BoolArg(*this, 3));
  plot.Style = std::uint8_t(IntArg(*this, 4));
  SetAxes(plot, acCoordSysMinorGrids, IntArg(*this, 5));
  RequireStorage(std::uint64_t(t.Count), 2 * sizeof(long double));
  plot.X = NewVector(t.Count);
  plot.Y = NewVector(t.Count);
  if (!HasTarget(plot.Window, pos)) return false;
  SampleCoordinates(f, t, {plot.X.get(), plot.Y.get()});
  return HandOver(plot, pos);
}

bool TPlotParam3NF::Execute(TSourcePos pos) {
  TRange t;
  if (!ReadCurveRange(*this, 3, "Fourth parameter must contain at least 2 real numbers", pos, t)) return false;
  TSampledRoutines f;
  if (!f.Open(*this, {0, 1, 2}, pos)) return false;
  TPlot plot =
      NewPlot(pwGraph3D, pkSeries3D, f.Name(2) + " vs " + f.Name(1) + " and " + f.Name(0), BoolArg(*this, 4));
  plot.Style = std::uint8_t(IntArg(*this, 5));
  RequireStorage(std::uint64_t(t.Count), 3 * sizeof(long double));
  plot.X = NewVector(t.Count);
  plot.Y = NewVector(t.Count);
  plot.Z = NewVector(t.Count);
  if (!HasTarget(plot.Window, pos)) return false;
  SampleCoordinates(f, t, {plot.X.get(), plot.Y.get(), plot.Z.get()});
  return HandOver(plot, pos);
}

bool TPlotDataNF::Execute(TSourcePos pos) {
  const TArrVar& x = ArrArg(*this, 0);
  const TArrVar& y = ArrArg(*this, 1);
  if (x.Count() != 0 && x.Count() != y.Count()) return Refuse("Vectors must have the same length", pos);
  TPlot plot = NewPlot(pwGraph2D, pkSeries, "2D Data", BoolArg(*this, 2));
  plot.Style = std::uint8_t(IntArg(*this, 3));
  SetAxes(plot, acCoordSysMinorGrids, IntArg(*this, 4));
  plot.X = CopyOr(x, [&] { return Counting(y.Count()); });
  plot.Y = CopyOf(y);
  return HandOver(plot, pos);
}

bool TPlotData3DNF::Execute(TSourcePos pos) {
  const TArrVar& x = ArrArg(*this, 0);
  const TArrVar& y = ArrArg(*this, 1);
  const TArrVar& z = ArrArg(*this, 2);
  std::int32_t n;
  int nonEmpty;
  if (!CommonLength({&x, &y, &z}, n, nonEmpty, pos)) return false;
  if (nonEmpty == 0) return Refuse("There is nothing to plot", pos);
  // A single vector is plotted against the places of its points.
  auto missing = [&] { return nonEmpty < 2 ? Counting(n) : NewVector(n); };
  TPlot plot = NewPlot(pwGraph3D, pkSeries3D, "3D Data", BoolArg(*this, 3));
  plot.Style = std::uint8_t(IntArg(*this, 4));
  plot.X = CopyOr(x, missing);
  plot.Y = CopyOr(y, missing);
  plot.Z = CopyOr(z, missing);
  if (!HasTarget(plot.Window, pos)) return false;
  ReplaceLineStyle(plot, PlotWall, "Line style has been changed to pLine");
  return HandOver(plot, pos);
}

bool TPlotErrorNF::Execute(TSourcePos pos) {
  const TArrVar& x = ArrArg(*this, 0);
  const TArrVar& y = ArrArg(*this, 1);
  const TArrVar& errors = ArrArg(*this, 2);
  if (y.Count() == 0) return Refuse("Second parameter vector must contain data", pos);
  if ((x.Count() != 0 && x.Count() != y.Count()) || (errors.Count() != 0 && errors.Count() != y.Count()))
    return Refuse(SameSizeMessage, pos);
  const std::int32_t n = y.Count();
  TPlot plot = NewPlot(pwGraph2D, pkSeries3D, "Error plot", BoolArg(*this, 3));
  plot.Style = std::uint8_t(IntArg(*this, 4));
  SetAxes(plot, acCoordSys, 0);
  plot.X = CopyOr(x, [&] { return Counting(n); });
  plot.Y = CopyOf(y);
  plot.Z = CopyOr(errors, [&] { return NewVector(n); });
  if (!HasTarget(plot.Window, pos)) return false;
  ReplaceLineStyle(plot, PlotStem, "Line style has been changed to psLine");
  return HandOver(plot, pos);
}

bool TPlot3DNF::Execute(TSourcePos pos) {
  const TArrVar& xRange = ArrArg(*this, 1);
  const TArrVar& yRange = ArrArg(*this, 2);
  if (xRange.Count() < 2) return Refuse("X range must contain at least 2 real numbers", pos);
  if (yRange.Count() < 2) return Refuse("Y range must contain at least 2 real numbers", pos);
  TRange x, y;
  if (!ReadRange(xRange, MeshPointsPerAxis, "Zero X range", pos, x) ||
      !ReadRange(yRange, MeshPointsPerAxis, "Zero Y range", pos, y))
    return false;
  const std::int64_t style = IntArg(*this, 4);
  if (!CheckMeshStyle(style, pos)) return false;
  TSampledRoutines f;
  if (!f.Open(*this, {0}, pos)) return false;
  TPlot plot = NewPlot(MeshWindow(style), pkMesh, f.Name(0), BoolArg(*this, 3));
  plot.Style = std::uint8_t(style);
  plot.Heights = NewMatrix(y.Count, x.Count);
  plot.X = NewVector(x.Count);
  plot.Y = NewVector(y.Count);
  if (!HasTarget(plot.Window, pos)) return false;
  for (std::int64_t j = 0; j < x.Count; ++j) plot.X->SetItem(j, x.At(j));
  for (std::int64_t i = 0; i < y.Count; ++i) plot.Y->SetItem(i, y.At(i));
  // A platform fault leaves the call: the plot is dropped, the graph stays.
  for (std::int32_t i = 0; i < y.Count; ++i)
    for (std::int32_t j = 0; j < x.Count; ++j) {
      f[0].SetReal(0, plot.X->GetItem(j));
      f[0].SetReal(1, plot.Y->GetItem(i));
      plot.Heights->SetItem(i, j, SampleRun(f[0]));
    }
  return HandOver(plot, pos);
}

bool TPlotMeshNF::Execute(TSourcePos pos) {
  const TArrVar& m = ArrArg(*this, 0);
  const TArrVar& x = ArrArg(*this, 1);
  const TArrVar& y = ArrArg(*this, 2);
  if (!CheckMesh(m, x, y)) return false;
  const std::int32_t rows = m.Count();
  const std::int32_t cols = MatColCount(m);
  const std::int64_t style = IntArg(*this, 4);
  if (!CheckMeshStyle(style, pos)) return false;
  TPlot plot = NewPlot(MeshWindow(style), pkMesh, PassedName(*this, 0, "3D Data"), BoolArg(*this, 3));
  plot.Style = std::uint8_t(style);
  plot.Heights = NewMatrix(rows, cols);
  for (std::int32_t q = 0; q < rows; ++q)
    for (std::int32_t r = 0; r < cols; ++r) plot.Heights->SetItem(q, r, RealAt(m, q, r));
  plot.X = GridValues(x, cols);
  plot.Y = GridValues(y, rows);
  return HandOver(plot, pos);
}

bool TPlotFieldNF::Execute(TSourcePos pos) {
  const TArrVar& x = ArrArg(*this, 0);
  const std::int32_t n = x.Count();
  if (n == 0) return Refuse("First parameter contains no data", pos);
  const TArrVar& y = ArrArg(*this, 1);
  const TArrVar& vx = ArrArg(*this, 2);
  const TArrVar& vy = ArrArg(*this, 3);
  if (!SameLengths({&y, &vx, &vy}, n, pos)) return false;
  TPlot plot = NewPlot(pwGraph2D, pkField, "2D Field", BoolArg(*this, 4));
  SetAxes(plot, acCoordSys, IntArg(*this, 5));
  plot.X = CopyOf(x);
  plot.Y = CopyOf(y);
  plot.Z = NewVector(n);
  plot.VX = CopyOf(vx);
  plot.VY = CopyOf(vy);
  plot.VZ = NewVector(n);
  return HandOver(plot, pos);
}

bool TPlotField3NF::Execute(TSourcePos pos) {
  const TArrVar& x = ArrArg(*this, 0);
  const std::int32_t n = x.Count();
  if (n == 0) return Refuse("First parameter contains no data", pos);
  const TArrVar& y = ArrArg(*this, 1);
  const TArrVar& z = ArrArg(*this, 2);
  const TArrVar& vx = ArrArg(*this, 3);
  const TArrVar& vy = ArrArg(*this, 4);
  const TArrVar& vz = ArrArg(*this, 5);
  if (!SameLengths({&y, &z, &vx, &vy, &vz}, n, pos)) return false;
  TPlot plot = NewPlot(pwGraph3D, pkField, "3D Field", BoolArg(*this, 6));
  plot.X = CopyOf(x);
  plot.Y = CopyOf(y);
  plot.Z = CopyOf(z);
  plot.VX = CopyOf(vx);
  plot.VY = CopyOf(vy);
  plot.VZ = CopyOf(vz);
  return HandOver(plot, pos);
}

bool TPlotShapeNF::Execute(TSourcePos pos) {
  const TArrVar& vertices = ArrRefArg(*this, 0);
  const TArrVar& faces = ArrRefArg(*this, 1);
  if (!CheckShape(vertices, faces, pos)) return false;
  TPlot plot = NewPlot(pwGraph3D, pkShape, "Shape", BoolArg(*this, 2));
  const std::int32_t n = vertices.Count();
  plot.X = NewVector(n);
  plot.Y = NewVector(n);
  plot.Z = NewVector(n);
  for (std::int32_t q = 0; q < n; ++q) {
    plot.X->SetItem(q, RealAt(vertices, q, 0));
    plot.Y->SetItem(q, RealAt(vertices, q, 1));
    plot.Z->SetItem(q, RealAt(vertices, q, 2));
  }
  const std::int32_t corners = MatColCount(faces);
  plot.Faces = NewMatrix(faces.Count(), 4);
  for (std::int32_t q = 0; q < faces.Count(); ++q)
    for (std::int32_t c = 0; c < 4; ++c) plot.Faces->SetItem(q, c, c < corners ? FaceIndex(RealAt(faces, q, c)) : -1);
  return HandOver(plot, pos);
}
