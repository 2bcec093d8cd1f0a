// Wheel panning: a middle click opens a small window whose picture shows
// the directions the tree can scroll in, and the scroll timer then moves
// the content by the mouse's distance from the click.

#include <cstdlib>

#include "runtime/Exceptions.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/Cursor.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Timers.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowRegion.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/TreeImages.h"

namespace {

constexpr char PanningClassName[] = "DTPanningWindow";
constexpr int PanningWindowSize = 32;
constexpr UINT PanningTickMilliseconds = 20;
// Mouse movement around the start point that scrolls nothing.
constexpr int NeutralZone = 8;

// The class with the default procedure; the tree subclasses each window.
void RegisterPanningClass() {
  WNDCLASS existing;
  if (GetClassInfo(PanningClassName, existing)) {
    if (existing.lpfnWndProc == DefWindowProc) return;
    UnregisterClass(PanningClassName);
  }
  WNDCLASS windowClass;
  windowClass.lpfnWndProc = DefWindowProc;
  windowClass.lpszClassName = PanningClassName;
  RegisterClass(windowClass);
}

// The cursor name for a mouse at (dx, dy) from the start point, with
// horizontal and vertical scrolling possible or not.
std::string PanningCursorFor(int dx, int dy, bool horizontal, bool vertical) {
  if (std::abs(dx) < NeutralZone && std::abs(dy) < NeutralZone) {
    if (!horizontal) return "DTREE_MOVENS";
    return vertical ? "DTREE_MOVEALL" : "DTREE_MOVEEW";
  }
  if (horizontal && vertical) {
    if (dx < -NeutralZone) return dy < -NeutralZone ? "DTREE_MOVENW" : dy <= NeutralZone ? "DTREE_MOVEW" : "DTREE_MOVESW";
    if (dx <= NeutralZone) return dy < 0 ? "DTREE_MOVEN" : "DTREE_MOVES";
    return dy < -NeutralZone ? "DTREE_MOVENE" : dy <= NeutralZone ? "DTREE_MOVEE" : "DTREE_MOVESE";
  }
  if (horizontal) return dx < 0 ? "DTREE_MOVEW" : "DTREE_MOVEE";
  return dy < 0 ? "DTREE_MOVEN" : "DTREE_MOVES";
}

}  // namespace

bool TBaseDataTree::WheelPanningRuns() const {
  return states_.Contains(tsWheelPanning) || states_.Contains(tsWheelScrolling);
}

void TBaseDataTree::BeginWheelPanning(TPoint position) {
  if (!HandleAllocated()) return;
  KillTreeTimer(ScrollTimer);
  ChangeTreeStates({tsWheelPanning, tsWheelScrolling}, {});
  RegisterPanningClass();
  const bool horizontal = ClientWidth() < RangeX();
  const bool vertical = ClientHeight() < RangeY();
  panningImage_ = DrawPanningPicture(horizontal && vertical ? "DTREE_MOVEALL"
                                     : horizontal          ? "DTREE_MOVEEW"
                                                           : "DTREE_MOVENS");
  const TPoint centre = ClientToScreen(position);
  panningWindow_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, PanningClassName, "", WS_POPUP,
                                  centre.X - PanningWindowSize / 2, centre.Y - PanningWindowSize / 2,
                                  PanningWindowSize, PanningWindowSize, Handle(), nullptr, nullptr);
  SetWindowRgn(panningWindow_, PanningImageRegion(), false);
  panningProcedure_ = MakeObjectInstance([this](TMessage& message) { PanningWindowHandler(message); });
  SetWindowLongPtr(panningWindow_, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(panningProcedure_));
  ShowWindow(panningWindow_, SW_SHOWNOACTIVATE);
  SetFocus();
  SetCapture(Handle());
  lastMouse_ = position;
  SetTimer(Handle(), ScrollTimer, PanningTickMilliseconds, nullptr);
}

void TBaseDataTree::EndWheelPanning() {
  if (!WheelPanningRuns()) return;
  KillTreeTimer(ScrollTimer);
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  ChangeTreeStates({}, {tsWheelPanning, tsWheelScrolling});
  if (panningWindow_) DestroyWindow(panningWindow_);
  panningWindow_ = nullptr;
  if (panningProcedure_) FreeObjectInstance(panningProcedure_);
  panningProcedure_ = nullptr;
  panningImage_.reset();
  if (panningCursor_) DestroyCursor(panningCursor_);
  panningCursor_ = nullptr;
  panningCursorName_.clear();
  ::SetCursor(Screen().Cursors(Cursor()));
}

void TBaseDataTree::UpdatePanningCursor(int x, int y) {
  const std::string name = PanningCursorFor(x - lastClickPos_.X, y - lastClickPos_.Y, ClientWidth() < RangeX(),
                                            ClientHeight() < RangeY());
  if (name == panningCursorName_) return;
  const std::unique_ptr<TBitmap> picture = DrawPanningPicture(name);
  const HCURSOR cursor = CreateKeyedCursor(*picture, {PanningWindowSize / 2, PanningWindowSize / 2});
  if (panningCursor_) DestroyCursor(panningCursor_);
  panningCursor_ = cursor;
  panningCursorName_ = name;
  ::SetCursor(cursor);
}

HRGN TBaseDataTree::PanningImageRegion() const {
  QASSERT(panningImage_ && !panningImage_->Empty(), "Invalid wheel panning image.");
  const int width = panningImage_->Width();
  const std::vector<std::uint32_t> pixels = UnkeyedPixels(*panningImage_);
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (int y = 0; y < panningImage_->Height(); ++y) {
    const std::uint32_t* row = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    for (int x = 0; x < width;) {
      if (row[x] == 0) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < width && row[x] != 0) ++x;
      region->Region.Unite(Rect(start, y, x, y + 1));
    }
  }
  return region;
}

void TBaseDataTree::PanningWindowHandler(TMessage& message) {
  if (message.Msg != WM_PAINT) {
    message.Result = DefWindowProc(panningWindow_, message.Msg, message.WParam, message.LParam);
    return;
  }
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(panningWindow_, paint);
  if (panningImage_)
    BitBlt(dc, 0, 0, panningImage_->Width(), panningImage_->Height(), panningImage_->Canvas().Handle(), 0, 0,
           SRCCOPY);
  EndPaint(panningWindow_, paint);
  message.Result = 0;
}
