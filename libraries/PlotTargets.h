#pragma once
// Where the plotting routines put their plots: the renderers of the 2D and
// the 3D graph window. The routines live beside the other libraries, which
// know no windows, so each window sets a target for itself when it is made
// and removes it when it is freed; without one (the headless runner, a
// library whose start-up runs before the windows exist) a plot has nowhere
// to go and the routine refuses it.
//
// A routine makes its whole plot first, as plain data, and hands it over
// only then: what it samples may clear the graph meanwhile (a plot from
// inside the sampled routine, the window's Clear button), so no data set of
// the renderer is ever filled while script code runs.

#include <cstdint>
#include <string>

#include "Numerics/Matrix.h"
#include "runtime/CountedPtr.h"
#include "runtime/Vector.h"

enum TPlotWindow : std::uint8_t { pwGraph2D, pwGraph3D };

// The class code of the data set a plot becomes; a 3D series in the 2D
// window is an error plot (x, y and the error in z).
enum TPlotKind : std::uint8_t {
  pkSeries = 1,
  pkSeries3D = 2,
  pkMesh = 3,
  pkShape = 4,
  pkField = 5,
};

// What a plot changes in the 2D options.
enum TAxesChange : std::uint8_t {
  acNone,
  acCoordSys,            // the coordinate system only
  acCoordSysMinorGrids,  // and the minor grids, on along a logarithmic axis
};

// One finished plot. The data set takes the vectors and matrices over as
// they are: a series its X and Y (and Z), a mesh its X (one value per
// column), Y (one per row) and Heights, a field its positions X, Y, Z and
// components VX, VY, VZ, a shape its vertices X, Y, Z and Faces (one row of
// four vertex indices per face; a negative fourth makes a triangle).
struct TPlot {
  TPlotWindow Window = pwGraph2D;
  TPlotKind Kind = pkSeries;
  std::string Name;
  bool Append = false;  // else the graph is cleared first
  // A TPlotStyle ordinal for series, a TMeshStyle ordinal for meshes.
  std::uint8_t Style = 0;
  TAxesChange Axes = acNone;
  std::uint8_t CoordSys = 0;  // a TAxesType ordinal
  CountedPtr<IVector> X, Y, Z;
  CountedPtr<IVector> VX, VY, VZ;
  CountedPtr<IMatrix> Heights;
  CountedPtr<IMatrix> Faces;
};

class IPlotTarget : public TCounted {
public:
  // Makes the plot a new data set of the window's renderer and shows the
  // window; the plot's vectors and matrices pass to the data set.
  virtual void Show(TPlot& plot) = 0;
};

// The window's target; nil removes it.
void SetPlotTarget(TPlotWindow window, CountedPtr<IPlotTarget> target);
// Nil while the window has none.
CountedPtr<IPlotTarget> GetPlotTarget(TPlotWindow window);
