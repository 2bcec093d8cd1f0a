#pragma once
// The tree's option sets. The tree reads them directly; changes go through
// the setters, which do what a change means to the tree (repaint, clear the
// selection, re-create the window).

#include "treeview/DataTreeTypes.h"

class TBaseDataTree;

class TCustomDataTreeOptions {
public:
  explicit TCustomDataTreeOptions(TBaseDataTree& owner) : owner_(owner) {}
  virtual ~TCustomDataTreeOptions() = default;
  TCustomDataTreeOptions(const TCustomDataTreeOptions&) = delete;
  TCustomDataTreeOptions& operator=(const TCustomDataTreeOptions&) = delete;

  TBaseDataTree& Owner() const { return owner_; }

  TDTPaintOptions PaintOptions() const { return paint_; }
  TDTAnimationOptions AnimationOptions() const { return animation_; }
  TDTAutoOptions AutoOptions() const { return auto_; }
  TDTSelectionOptions SelectionOptions() const { return selection_; }
  TDTMiscOptions MiscOptions() const { return misc_; }

  void SetPaintOptions(TDTPaintOptions value);
  void SetAnimationOptions(TDTAnimationOptions value);
  void SetAutoOptions(TDTAutoOptions value);
  void SetSelectionOptions(TDTSelectionOptions value);
  void SetMiscOptions(TDTMiscOptions value);

  // Sets the destination's sets through its own setters, so its tree feels the change.
  virtual void AssignOptionsTo(TCustomDataTreeOptions& destination) const;

private:
  TBaseDataTree& owner_;
  TDTPaintOptions paint_{toShowButtons, toShowDropmark, toShowRoot, toShowTreeLines, toThemeAware,
                         toUseBlendedImages};
  TDTAnimationOptions animation_;
  TDTAutoOptions auto_{toAutoDropExpand, toAutoScrollOnExpand, toAutoTristateTracking, toAutoDeleteMovedNodes};
  TDTSelectionOptions selection_;
  TDTMiscOptions misc_{toAcceptOLEDrop, toFullRepaintOnResize, toInitOnSave, toToggleOnDblClick, toWheelPanning};
};

// The holder the owner-drawn tree publishes.
class TDataTreeOptions : public TCustomDataTreeOptions {
public:
  using TCustomDataTreeOptions::TCustomDataTreeOptions;
};
