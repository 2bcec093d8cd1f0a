#include "console/TxControlScrollBar95.h"

#include <algorithm>

#include "runtime/Exceptions.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/ScrollBar.h"

void TTxControlScrollBar95::SetParam(TParam which, int value) {
  switch (which) {
    case spMin: min_ = value; break;
    case spMax: max_ = value; break;
    case spPosition: position_ = value; break;
    case spPage: page_ = value; break;
  }
  if (max_ < min_) throw EInvalidOperation("Scrollbar property out of range");
  position_ = std::clamp(position_, min_, max_);
  UpdateWindowBar();
}

void TTxControlScrollBar95::UpdateWindowBar() const {
  if (!Handle) return;
  SCROLLINFO info;
  info.fMask = SIF_DISABLENOSCROLL;
  if (min_ >= 0 || max_ >= 0) info.fMask |= SIF_RANGE;
  if (position_ >= 0) info.fMask |= SIF_POS;
  if (page_ >= 0) info.fMask |= SIF_PAGE;
  info.nMin = min_;
  info.nMax = max_;
  info.nPos = position_;
  info.nPage = static_cast<UINT>(std::max(page_, 0));
  SetScrollInfo(Handle, Kind, info, true);
}

int TTxControlScrollBar95::DoScroll(int code) {
  int pos = position_;
  switch (code) {
    case SB_LINEUP: pos -= SmallChange; break;
    case SB_LINEDOWN: pos += SmallChange; break;
    case SB_PAGEUP: pos -= LargeChange; break;
    case SB_PAGEDOWN: pos += LargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      if (Handle) {
        SCROLLINFO info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle, Kind, info);
        pos = info.nTrackPos;
      }
      break;
    case SB_TOP: pos = min_; break;
    case SB_BOTTOM: pos = max_; break;
    default: break;
  }
  pos = std::clamp(pos, min_, max_);
  if (OnScroll) OnScroll(code, pos);
  SetPosition(pos);
  return position_;
}
