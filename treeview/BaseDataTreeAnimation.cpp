// The slide of expanding and collapsing: a stepped runner paced by the
// toolkit clock and the step that moves the window's pixels.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "toolkit/controls/Application.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiObject.h"
#include "toolkit/win/Clock.h"
#include "toolkit/win/Paint.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeColumns.h"

namespace {

void SleepFor(unsigned milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace

void TBaseDataTree::WaitAnimationStep(unsigned milliseconds) {
  if (AnimationWait)
    AnimationWait(milliseconds);
  else
    SleepFor(milliseconds);
}

void TBaseDataTree::RunAnimation(unsigned steps, unsigned duration, const TAnimationCallback& callback, void* data) {
  if (states_.Contains(tsInAnimation) || duration == 0) return;
  ChangeTreeStates({tsInAnimation}, {});
  try {
    uint64_t remainingTime = duration;
    int stepSize = static_cast<int>(std::lround(std::max(static_cast<double>(steps) / duration, 1.0)));
    uint64_t remainingSteps = steps / static_cast<unsigned>(stepSize);
    int step = 0;
    while (remainingSteps > 0 && remainingTime > 0 && !Application().Terminated()) {
      const uint64_t start = Clock().Milliseconds();
      const uint64_t nextTime = start + remainingTime / remainingSteps;
      if (!callback(step, stepSize, data)) break;
      // Sleeping, not spinning: the steps keep their pace without burning a core.
      const uint64_t now = Clock().Milliseconds();
      if (now < nextTime) WaitAnimationStep(static_cast<unsigned>(nextTime - now));
      const uint64_t elapsed = Clock().Milliseconds() - start;
      if (elapsed > remainingTime) {
        remainingTime = 0;
        remainingSteps = 0;
      } else {
        remainingTime -= elapsed;
        --remainingSteps;
      }
      while (remainingSteps > 0 && remainingTime / remainingSteps < 1) {
        ++stepSize;
        remainingSteps = remainingTime / static_cast<unsigned>(stepSize);
      }
      step = static_cast<int>(steps - remainingSteps);
    }
    if (!Application().Terminated()) callback(0, 0, data);
  } catch (...) {
    ChangeTreeStates({}, {tsInAnimation, tsCancelHintAnimation});
    throw;
  }
  ChangeTreeStates({}, {tsInAnimation, tsCancelHintAnimation});
}

bool TBaseDataTree::AnimationStep(int step, int stepSize, void* data) {
  if (stepSize <= 0) return true;
  auto& animation = *static_cast<TToggleAnimationData*>(data);
  const TRect& area = animation.ScrollRect;
  ScrollDC(animation.DC, 0, animation.Expand ? stepSize : -stepSize, &area, &area, nullptr, nullptr);
  if (step == 0) {
    // Expanding uncovers the top of the area, collapsing its bottom.
    const TRect stripe = animation.Expand ? Rect(area.Left, area.Top, area.Right, area.Top + stepSize + 1)
                                          : Rect(area.Left, area.Bottom - stepSize - 1, area.Right, area.Bottom);
    ClearAnimationStripe(animation, stripe);
  }
  return true;
}

void TBaseDataTree::ClearAnimationStripe(const TToggleAnimationData& animation, const TRect& stripe) {
  if (!header_->HasColumns()) {
    FillRect(animation.DC, stripe, animation.Brush);
    return;
  }
  const TDataTreeColumns& columns = header_->Columns();
  const int clientWidth = ClientWidth();
  for (TColumnIndex column = columns.FirstVisibleColumn(); column != ColumnNotFound;
       column = columns.NextVisibleColumn(column)) {
    TRect part = stripe;
    columns.ColumnHorzExtent(column, part.Left, part.Right);
    if (part.Left >= clientWidth) break;
    const TDataTreeColumn& info = columns.ColumnAt(column);
    if (info.Options().Contains(coParentColor)) {
      FillRect(animation.DC, part, animation.Brush);
    } else {
      const HBRUSH brush = CreateSolidBrush(ColorToRGB(info.Color()));
      FillRect(animation.DC, part, brush);
      DeleteObject(brush);
    }
  }
}

void TBaseDataTree::AnimateToggle(PDataNode node, bool expand, unsigned childrenHeight) {
  Application().CancelHint();
  UpdateWindow(Handle());
  const TRect row = NodeDisplayRect(node, ColumnNone, false);
  if (row.Bottom <= row.Top || row.Bottom >= ClientHeight()) return;
  const unsigned steps = std::min(childrenHeight, static_cast<unsigned>(ClientHeight() - row.Bottom + 1));
  TToggleAnimationData animation;
  animation.DC = GetDC(Handle());
  animation.Brush = CreateSolidBrush(ColorToRGB(Color()));
  animation.ScrollRect = Rect(0, row.Bottom, ClientWidth(), ClientHeight());
  animation.Expand = expand;
  const auto release = [&] {
    DeleteObject(animation.Brush);
    ReleaseDC(Handle(), animation.DC);
  };
  try {
    RunAnimation(steps, animationDuration_,
                 [this](int step, int stepSize, void* data) { return AnimationStep(step, stepSize, data); }, &animation);
  } catch (...) {
    release();
    throw;
  }
  release();
}
