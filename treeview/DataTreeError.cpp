#include "treeview/DataTreeError.h"

void RaiseTreeError(const std::string& message, int helpContext) { throw EDataTreeError(message, helpContext); }

void RaiseStreamTooSmall() {
  RaiseTreeError("Unable to load tree structure, not enough data available.", StreamTooSmallHelp);
}

void RaiseAnchorChunkMissing() {
  RaiseTreeError("Stream data corrupt. A node's anchor chunk is missing.", AnchorChunkMissingHelp);
}

void RaiseDataAfterNodeEnd() {
  RaiseTreeError("Stream data corrupt. Unexpected data after node's end position.", DataAfterNodeEndHelp);
}
