#include "libraries/StandardLibraries.h"

#include "libraries/MathLibrary.h"

TCatalogues StandardCatalogues() {
  TCatalogues catalogues;
  catalogues.Math = RegisterMathLibrary;
  return catalogues;
}
