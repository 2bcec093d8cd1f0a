#include "libraries/StandardLibraries.h"

#include "libraries/MathLibrary.h"
#include "libraries/SystemLibrary.h"

TCatalogues StandardCatalogues() {
  TCatalogues catalogues;
  catalogues.System = RegisterSystemLibrary;
  catalogues.Math = RegisterMathLibrary;
  return catalogues;
}
