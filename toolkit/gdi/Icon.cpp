#include "toolkit/gdi/Icon.h"

#include <utility>

TGdiIcon::TGdiIcon(const TGdiBitmap& image) : image_(image.Clone().release()) {
  if (image_->Format() != pf32bit) image_->Convert(pf32bit);
}

HICON CreateIconFromImage(const TGdiBitmap& image) { return new TGdiIcon(image); }

bool DestroyIcon(HICON icon) {
  if (!icon) return false;
  delete icon;
  return true;
}

TIcon::~TIcon() { DestroyIcon(handle_); }

void TIcon::SetHandle(HICON handle) {
  if (handle == handle_) return;
  DestroyIcon(std::exchange(handle_, handle));
}

bool TIcon::Empty() const { return !handle_ || handle_->Image().IsEmpty(); }

int TIcon::Width() const { return handle_ ? handle_->Image().Width() : 0; }

int TIcon::Height() const { return handle_ ? handle_->Image().Height() : 0; }
