#include "toolkit/win/FileIcons.h"

namespace {

IFileIcons* Icons = nullptr;

constexpr int SmallIconSize = 16;
constexpr int LargeIconSize = 32;

}  // namespace

void SetFileIcons(IFileIcons* icons) { Icons = icons; }

bool SHGetFileInfo(const std::string& path, DWORD /*fileAttributes*/, SHFILEINFO& info, UINT flags) {
  info.hIcon = nullptr;
  if (!(flags & SHGFI_ICON) || !Icons) return false;
  info.hIcon = Icons->FileIcon(path, (flags & SHGFI_SMALLICON) ? SmallIconSize : LargeIconSize);
  return info.hIcon != nullptr;
}
