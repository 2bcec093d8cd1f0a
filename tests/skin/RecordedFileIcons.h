#pragma once
// The desktop's file icons in tests: a 16 x 16 or 32 x 32 icon (or none)
// for any file, each request remembered.

#include <string>
#include <vector>

#include "toolkit/gdi/Icon.h"
#include "toolkit/win/FileIcons.h"

class TRecordedFileIcons : public IFileIcons {
public:
  TRecordedFileIcons() { SetFileIcons(this); }
  ~TRecordedFileIcons() override { SetFileIcons(nullptr); }

  HICON FileIcon(const std::string& fileName, int size) override {
    Requests.push_back({fileName, size});
    if (!HasIcons) return nullptr;
    return CreateIconFromImage(TGdiBitmap(size, size, pf32bit));
  }

  struct TRequest {
    std::string FileName;
    int Size;
  };
  std::vector<TRequest> Requests;
  bool HasIcons = true;
};
