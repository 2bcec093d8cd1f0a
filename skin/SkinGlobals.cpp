#include "skin/SkinGlobals.h"

#include "skin/adapters/ScrollTracking.h"
#include "skin/adapters/SkMainWnd.h"

void ResetSkinLayerGlobals() {
  DialogModeActive = false;
  DetachAllRunning = false;
  AdapterDisabledKind = 0;
  ResetScrollTracking();
}
