#include "skin/SkinGlobals.h"

#include "skin/adapters/ScrollTracking.h"
#include "skin/adapters/SkCtrlAdapter.h"
#include "skin/adapters/SkMainWnd.h"
#include "skin/adapters/SkPageControlWnd.h"
#include "skin/forms/SkinProvider.h"
#include "skin/menus/SkinableMenus.h"

void ResetSkinLayerGlobals() {
  DialogModeActive = false;
  DetachAllRunning = false;
  AttachAllRunning = false;
  AdapterDisabledKind = 0;
  FreePageAdapters();
  ResetScrollTracking();
  ResetMenuGlobals();
  ResetProviderGlobals();
}
