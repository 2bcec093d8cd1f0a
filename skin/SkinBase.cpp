#include "skin/SkinBase.h"

#include "skin/SkinCommonData.h"

TColor SkinKeyColor = clSkinKey;
int ScrollArrowSize = 16;
