#include "treeview/DTColors.h"

#include "runtime/Exceptions.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "treeview/BaseDataTree.h"

TColor TDTColors::Color(int index) const {
  if (index < 0 || index >= static_cast<int>(colors_.size())) throw ERangeError();
  return colors_[static_cast<size_t>(index)];
}

void TDTColors::SetColor(int index, TColor color) {
  if (Color(index) == color) return;
  colors_[static_cast<size_t>(index)] = color;
  if (owner_.IsLoading() || !owner_.HandleAllocated()) return;
  if (index == BorderColor)
    RedrawWindow(owner_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOERASE | RDW_NOCHILDREN);
  else
    owner_.Invalidate();
}

void TDTColors::Assign(const TDTColors& source) {
  colors_ = source.colors_;
  if (owner_.UpdateCount() == 0 && owner_.HandleAllocated()) owner_.Invalidate();
}
