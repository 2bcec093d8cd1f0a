#include "libraries/StandardLibraries.h"

#include "libraries/InOutLibrary.h"
#include "libraries/MathLibrary.h"
#include "libraries/SysMathLibrary.h"
#include "libraries/SysPlotsLibrary.h"
#include "libraries/SystemLibrary.h"

TCatalogues StandardCatalogues() {
  TCatalogues catalogues;
  catalogues.System = RegisterSystemLibrary;
  catalogues.SysMath = RegisterSysMathLibrary;
  catalogues.InOut = RegisterInOutLibrary;
  catalogues.Math = RegisterMathLibrary;
  catalogues.SysPlots = RegisterSysPlotsLibrary;
  return catalogues;
}
