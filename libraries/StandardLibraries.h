#pragma once
// The catalogues of the standard libraries, for whoever builds the engine
// of the program.

#include "engine/XBuilder.h"

TCatalogues StandardCatalogues();
