#include "skin/menus/SkProvider.h"

std::vector<TSkProvider*> DialogProviders;
