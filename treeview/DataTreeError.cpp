#include "treeview/DataTreeError.h"

void RaiseTreeError(const std::string& message, int helpContext) { throw EDataTreeError(message, helpContext); }
