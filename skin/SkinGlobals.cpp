#include "skin/SkinGlobals.h"

#include "skin/adapters/SkMainWnd.h"
#include "skin/adapters/SkPageControlWnd.h"

void ResetSkinLayerGlobals() {
  DialogModeActive = false;
  DetachAllRunning = false;
  AdapterDisabledKind = 0;
  FreePageAdapters();
}
