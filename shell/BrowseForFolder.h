#pragma once
// The folder browser of the program's windows: the toolkit's folder dialog.
// True, with folder the choice, when the user confirmed; folder is the one
// preselected and stays as it was on Cancel.

#include <string>

#include "toolkit/controls/Dialogs.h"

inline bool BrowseForFolder(const std::string& title, std::string& folder, HWND owner) {
  return SelectFolder(title, folder, owner);
}
