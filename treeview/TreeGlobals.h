#pragma once
// The resources all trees of the process share, built when the first tree
// is made and released by DoneTreeGlobals (after which the next tree builds
// them again), so tests can start from a clean state.

class TTreeGlobals {
public:
  // Trees made since the resources were built.
  int TreesMade = 0;
};

// Builds the shared resources when they do not exist; answers them.
TTreeGlobals& InitTreeGlobals();
void DoneTreeGlobals();
// True while the shared resources exist.
bool TreeGlobalsBuilt();
