#pragma once
// The resources all trees of the process share, built when the first tree
// is made and released by DoneTreeGlobals (after which the next tree builds
// them again), so tests can start from a clean state.

#include <array>
#include <memory>

#include "toolkit/base/Handles.h"
#include "treeview/DataTreeTypes.h"

class TImageList;

class TTreeGlobals {
public:
  TTreeGlobals();
  ~TTreeGlobals();

  // Trees made since the resources were built.
  int TreesMade = 0;

  // The shared check image list of a kind, made on first use; nil for ckCustom.
  TImageList* CheckImages(TCheckImageKind kind);
  // Draws the lists made so far again in the current system colours; the lists stay the same objects.
  void ReloadCheckImages();
  // The header's sort glyphs, drop marks and hot bar ("DTREE_UTILITIES"), made on first use.
  TImageList& UtilityImages();
  // Draws the utility images again in the current system colours.
  void ReloadUtilityImages();

private:
  void LoadCheckImages(TCheckImageKind kind);

  std::array<std::unique_ptr<TImageList>, ckSystemFlat + 1> checkImages_;
  std::unique_ptr<TImageList> utilityImages_;
  // The column-split cursor, registered as the screen's cursor crHeaderSplit.
  HCURSOR headerSplitCursor_ = nullptr;
};

// Builds the shared resources when they do not exist; answers them.
TTreeGlobals& InitTreeGlobals();
void DoneTreeGlobals();
// True while the shared resources exist.
bool TreeGlobalsBuilt();
