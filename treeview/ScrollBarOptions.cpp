#include "treeview/ScrollBarOptions.h"

#include "runtime/Exceptions.h"
#include "treeview/BaseDataTree.h"

void TScrollBarOptions::RecreateOwnerWindow() {
  if (!owner_.IsLoading() && owner_.HandleAllocated()) owner_.RecreateWnd();
}

void TScrollBarOptions::SetAlwaysVisible(bool value) {
  if (value == alwaysVisible_) return;
  alwaysVisible_ = value;
  RecreateOwnerWindow();
}

void TScrollBarOptions::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  RecreateOwnerWindow();
}

void TScrollBarOptions::SetScrollBarStyle(TScrollBarStyle value) {
  QASSERT(value == sbmRegular,
          "Flat scrollbars styles are disabled. Enable UseFlatScrollbars in DTConfig forflat scrollbar support.");
  style_ = value;
}

void TScrollBarOptions::Assign(const TScrollBarOptions& source) {
  SetAlwaysVisible(source.alwaysVisible_);
  HorizontalIncrement = source.HorizontalIncrement;
  SetScrollBars(source.scrollBars_);
  SetScrollBarStyle(source.style_);
  VerticalIncrement = source.VerticalIncrement;
}
