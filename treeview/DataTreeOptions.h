#pragma once
// The tree's option sets, with their defaults.

#include "treeview/DataTreeTypes.h"

class TCustomDataTreeOptions {
public:
  TDTPaintOptions PaintOptions{toShowButtons, toShowDropmark, toShowRoot, toShowTreeLines, toThemeAware,
                               toUseBlendedImages};
  TDTAnimationOptions AnimationOptions;
  TDTAutoOptions AutoOptions{toAutoDropExpand, toAutoScrollOnExpand, toAutoTristateTracking,
                             toAutoDeleteMovedNodes};
  TDTSelectionOptions SelectionOptions;
  TDTMiscOptions MiscOptions{toAcceptOLEDrop, toFullRepaintOnResize, toInitOnSave, toToggleOnDblClick,
                             toWheelPanning};
};
