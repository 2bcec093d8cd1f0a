#pragma once
// The desktop's icons of files, through a replaceable service: the
// desktop's file icon provider in the program, a recorder in tests.

#include <string>

#include "toolkit/base/Handles.h"
#include "toolkit/gdi/Icon.h"

class IFileIcons {
public:
  virtual ~IFileIcons() = default;
  // A new icon of the file, size pixels square (the caller owns it); null
  // when the desktop has none.
  virtual HICON FileIcon(const std::string& fileName, int size) = 0;
};

// Installs the service (the caller keeps ownership); nullptr: none, and no
// file has an icon.
void SetFileIcons(IFileIcons* icons);

constexpr UINT SHGFI_LARGEICON = 0x000;
constexpr UINT SHGFI_SMALLICON = 0x001;
constexpr UINT SHGFI_ICON = 0x100;

struct SHFILEINFO {
  HICON hIcon = nullptr;  // the caller destroys it
};

// With SHGFI_ICON asks the service for the file's icon: 16 pixels with
// SHGFI_SMALLICON, 32 without. False when there is none.
bool SHGetFileInfo(const std::string& path, DWORD fileAttributes, SHFILEINFO& info, UINT flags);
