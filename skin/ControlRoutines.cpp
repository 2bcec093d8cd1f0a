#include "skin/ControlRoutines.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "skin/OutputWindow.h"
#include "skin/SkinCommonData.h"
#include "skin/forms/SkinProvider.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/PixelRoutines.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Frame.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Clock.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowRegion.h"

bool AnimationRunning = false;
HDC CaptureDC = nullptr;
TBitmap* ScreenSnapshot = nullptr;
TOutputWindow* OverlayWindow = nullptr;
TSetWindowThemeProc SetWindowThemeProc = nullptr;

LRESULT SendSkinCommand(HWND window, WORD subCommand, LPARAM lParam) {
  return SendMessage(window, SM_SKINCMD, SkinCommand(subCommand), lParam);
}

LRESULT SendSkinCommandTo(TControl* control, WORD subCommand, LPARAM lParam) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed) return control->Perform(SM_SKINCMD, SkinCommand(subCommand), lParam);
  if (windowed->IsDestroying() || !windowed->HandleAllocated()) return 0;
  return SendSkinCommand(windowed->Handle(), subCommand, lParam);
}

LRESULT AskControl(TControl* control, WORD subCommand) { return SendSkinCommandTo(control, subCommand, 0); }

bool WindowAnswersOne(HWND window, WORD subCommand) { return SendSkinCommand(window, subCommand, 0) == 1; }

void BroadcastToChildren(TWinControl* parent, TMessage& message) {
  for (int i = 0; i < parent->ControlCount() && !parent->Controls(i)->IsDestroying(); ++i) {
    TControl* child = parent->Controls(i);
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed || !windowed->HandleAllocated())
      child->Perform(message.Msg, message.WParam, message.LParam);
    else if (WindowAnswersOne(windowed->Handle(), scIsSkinnable))
      SendMessage(windowed->Handle(), message.Msg, message.WParam, message.LParam);
    else
      BroadcastToChildren(windowed, message);
  }
}

void BroadcastToChildWindows(HWND window, const TMessage& message) {
  EnumChildWindows(window, [&](HWND child) {
    if (GetParent(child) == window) SendMessage(child, message.Msg, message.WParam, message.LParam);
    return true;
  });
}

void RepaintChildren(TWinControl* parent) {
  if (AnimationRunning) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* windowed = dynamic_cast<TWinControl*>(parent->Controls(i));
    if (windowed && !windowed->IsDestroying() && windowed->HandleAllocated() && windowed->Showing())
      SendSkinCommand(windowed->Handle(), scResumePainting, 0);
  }
}

void RepaintChildWindows(HWND window) {
  EnumChildWindows(window, [](HWND child) {
    if (GetWindowLongPtr(child, GWL_STYLE) & WS_CHILD) SendSkinCommand(child, scResumePainting, 0);
    return true;
  });
}

void AnnounceToParentForm(TControl* control) {
  if (control->ComponentState() & csDesigning) return;
  TForm* form = GetParentForm(control);
  if (form && form->HandleAllocated())
    SendSkinCommand(form->Handle(), scAdaptControl, reinterpret_cast<LPARAM>(control));
}

TColor ParentColorOf(TControl* control) {
  if (!control) return clSkinKey;
  if (control->Perform(SM_SKINCMD, SkinCommand(scIsSkinnable), 0) == 1)
    return ColorToRGB(TColor(control->Perform(SM_SKINCMD, SkinCommand(scGetColor), clSkinKey)));
  return ColorToRGB(control->Color());
}

TColor WindowColorOf(HWND window) {
  if (!window) return clSkinKey;
  return ColorToRGB(TColor(SendSkinCommand(window, scGetColor, clSkinKey)));
}

bool ControlCanPaint(const TControl* control) {
  if (!control) return false;
  const auto* windowed = dynamic_cast<const TWinControl*>(control);
  if (windowed && !windowed->HandleAllocated()) return false;
  if ((control->ControlState & csCreating) || (control->ComponentState() & (csReading | csLoading | csDestroying)))
    return false;
  return control->Parent() != nullptr;
}

void ClientRectInWindow(HWND window, TRect& rect) {
  GetClientRect(window, rect);
  TRect windowRect;
  GetWindowRect(window, windowRect);
  TPoint origin{0, 0};
  ClientToScreen(window, origin);
  OffsetRect(rect, origin.X - windowRect.Left, origin.Y - windowRect.Top);
}

namespace {

template <class Owner>
Owner* FirstOwnerOf(TComponent* component) {
  for (TComponent* owner = component ? component->Owner() : nullptr; owner; owner = owner->Owner())
    if (auto* found = dynamic_cast<Owner*>(owner)) return found;
  return nullptr;
}

}  // namespace

TForm* OwnerForm(TComponent* component) { return FirstOwnerOf<TForm>(component); }

TFrame* OwnerFrame(TComponent* component) { return FirstOwnerOf<TFrame>(component); }

unsigned AlignmentTextFlags(const TControl& control, TAlignment alignment) {
  static constexpr unsigned horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return control.DrawTextBiDiModeFlags(horizontal[alignment] | DT_VCENTER | DT_EXPANDTABS);
}

int AlignedChildrenSize(TWinControl* parent, TAlign align, bool withGraphic) {
  const bool vertical = align == alTop || align == alBottom;
  if (!vertical && align != alLeft && align != alRight) return 0;
  int size = 0;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    const TControl* child = parent->Controls(i);
    if (!child->Visible() || child->Align() != align) continue;
    if (!withGraphic && !dynamic_cast<const TWinControl*>(child)) continue;
    size += vertical ? child->Height() : child->Width();
  }
  return size;
}

void ReadCursorPos(TPoint& point) { GetCursorPos(point); }

void ReadWorkArea(TRect& rect) { SystemParametersInfo(SPI_GETWORKAREA, 0, &rect, 0); }

namespace {

bool Designing(const TComponent& component) { return (component.ComponentState() & csDesigning) != 0; }

// Tool buttons that are buttons are painted by their tool bar; separators and dividers are not.
bool PaintedByItsToolBar(const TControl& child) {
  const auto* button = dynamic_cast<const TToolButton*>(&child);
  return button && (button->Style() == tbsButton || button->Style() == tbsCheck || button->Style() == tbsDropDown);
}

TRect PlaceInDC(const TControl& child, TPoint offset) {
  TRect place = child.BoundsRect();
  OffsetRect(place, offset.X, offset.Y);
  return place;
}

bool PaintsAsGraphicChild(HDC dc, TControl& child, TPoint offset) {
  return (child.Visible() || Designing(child)) && !dynamic_cast<TWinControl*>(&child) && child.Width() >= 1 &&
         child.Height() >= 1 && !(child.ControlStyle & csNoDesignVisible) && !child.IsDestroying() &&
         !PaintedByItsToolBar(child) && RectVisible(dc, PlaceInDC(child, offset));
}

// Fills each child's area of the off-screen DC with what lies behind it.
void PrefillChildAreas(HDC offscreen, const std::vector<TControl*>& children, const TBackdropQuery& backdrop) {
  for (TControl* child : children) {
    const TRect place = child->BoundsRect();
    if (child->ControlStyle & csOpaque)
      FillDeviceRect(offscreen, place, ParentColorOf(child));
    else if (backdrop.Kind == bkImage && backdrop.Bmp)
      BitBlt(offscreen, place.Left, place.Top, place.Width(), place.Height(), backdrop.Bmp->Canvas().Handle(),
             place.Left + backdrop.Offset.X, place.Top + backdrop.Offset.Y, SRCCOPY);
    else
      FillDeviceRect(offscreen, place, backdrop.Color);
  }
}

// The form's provider repaints an aligned child of an MDI frame first.
void RepaintOnMdiFrame(TWinControl& parent, TControl& child) {
  const auto* form = dynamic_cast<TForm*>(&parent);
  if (!form || form->FormStyle() != fsMDIForm || child.Align() == alNone) return;
  SendSkinCommandTo(&parent, scChildRepainting, reinterpret_cast<LPARAM>(&child));
  child.Repaint();
  SendSkinCommandTo(&parent, scChildRepainting, 0);
}

bool WhollyInside(const TRect& inner, const TRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right && inner.Bottom <= outer.Bottom;
}

void PaintChildOffscreen(HDC dc, HDC offscreen, const TWinControl& parent, TControl& child, TPoint offset) {
  const int level = SaveDC(offscreen);
  TRect clipBox;
  GetClipBox(dc, &clipBox);
  if (!WhollyInside(PlaceInDC(child, offset), clipBox)) SendSkinCommandTo(&child, scPartlyPainted, 0);
  OffsetWindowOrgEx(offscreen, -child.Left(), -child.Top(), nullptr);
  IntersectClipRect(offscreen, 0, 0, child.Width(), child.Height());
  const bool paintCopy = (parent.ControlState & csPaintCopy) && !(child.ControlState & csPaintCopy);
  if (paintCopy) child.ControlState |= csPaintCopy;
  child.Perform(WM_PAINT, reinterpret_cast<WPARAM>(offscreen), 0);
  if (paintCopy) child.ControlState &= ~csPaintCopy;
  RestoreDC(offscreen, level);
}

}  // namespace

void PaintGraphicChildren(HDC dc, TWinControl* parent, TPoint offset) {
  if (!(parent->Visible() || Designing(*parent)) || parent->ControlCount() == 0) return;
  TRect clipBox;
  if (GetClipBox(dc, &clipBox) == NULLREGION || IsRectEmpty(clipBox)) {
    SendSkinCommandTo(parent, scPartlyPainted, 0);
    return;
  }
  TBackdropQuery backdrop;
  AskBackdrop(backdrop, parent, false);
  std::vector<TControl*> children;
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (PaintsAsGraphicChild(dc, *parent->Controls(i), offset)) children.push_back(parent->Controls(i));
  if (children.empty()) return;
  const HDC offscreen = CreateCompatibleDC(dc);
  const HBITMAP pixels = CreateCompatibleBitmap(dc, parent->Width(), parent->Height());
  SelectObject(offscreen, pixels);
  for (size_t i = 0; i < children.size(); ++i) {
    RepaintOnMdiFrame(*parent, *children[i]);
    if (i == 0) PrefillChildAreas(offscreen, children, backdrop);
    PaintChildOffscreen(dc, offscreen, *parent, *children[i], offset);
  }
  // A child that left its top-left pixel magenta is transparent there: it is not copied.
  for (TControl* child : children)
    if (GetPixel(offscreen, child->Left(), child->Top()) != clSkinKey)
      BitBlt(dc, child->Left() + offset.X, child->Top() + offset.Y, child->Width(), child->Height(), offscreen,
             child->Left(), child->Top(), SRCCOPY);
  DeleteDC(offscreen);
  DeleteObject(pixels);
}

void PaintControlTree(TBitmap& bmp, TControl* control) {
  if (!control->Visible()) return;
  const HDC dc = bmp.Canvas().Handle();
  const int level = SaveDC(dc);
  IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed) {
    control->Perform(WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, level);
    return;
  }
  auto paintAt = [&](TControl* child) {
    const int childLevel = SaveDC(dc);
    OffsetWindowOrgEx(dc, -child->Left(), -child->Top(), nullptr);
    PaintControlTree(bmp, child);
    RestoreDC(dc, childLevel);
  };
  if (auto* form = dynamic_cast<TForm*>(control); form && form->FormStyle() == fsMDIForm)
    for (int i = 0; i < form->MDIChildCount(); ++i) paintAt(form->MDIChildren(i));
  if (WindowAnswersOne(windowed->Handle(), scIsSkinnable))
    SendMessage(windowed->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
  else
    windowed->PaintTo(dc, 0, 0);
  // Children have this control as their parent: each is moved to its place.
  for (int i = 0; i < windowed->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(windowed->Controls(i));
    if (child && child->Visible()) paintAt(child);
  }
  RestoreDC(dc, level);
}

namespace {

// What a fade-in makes, freed however it ends; the process-wide values go back to their rest.
class TFadeIn {
public:
  explicit TFadeIn(TWinControl& form) : form_(form) {}
  ~TFadeIn() {
    if (dc_) ReleaseDC(OverlayWindow->Handle(), dc_);
    delete std::exchange(OverlayWindow, nullptr);
    delete std::exchange(ScreenSnapshot, nullptr);
    CaptureDC = nullptr;
    AnimationRunning = false;
  }
  TFadeIn(const TFadeIn&) = delete;
  TFadeIn& operator=(const TFadeIn&) = delete;

  void ShowOverlay();
  void SnapshotForm();
  void ShapeOverlayAsForm();
  void Fade(int time);
  void ShowForm();

private:
  void CaptureScreenUnderForm(const TRect& place);
  void Show(const TBitmap& picture);

  TWinControl& form_;
  std::unique_ptr<TBitmap> formSnapshot_;
  HDC dc_ = nullptr;
};

void TFadeIn::CaptureScreenUnderForm(const TRect& place) {
  const CountedPtr<TGdiBitmap> screen = CaptureScreen(place);
  ScreenSnapshot = NewBitmap24(form_.Width(), form_.Height()).release();
  const int width = std::min(screen->Width(), ScreenSnapshot->Width());
  std::vector<std::uint32_t> row(static_cast<size_t>(std::max(width, 0)));
  for (int y = 0; y < std::min(screen->Height(), ScreenSnapshot->Height()); ++y) {
    screen->FetchRow(y, 0, width, row.data());
    ScreenSnapshot->Handle()->StoreRow(y, 0, width, row.data());
  }
}

void TFadeIn::ShowOverlay() {
  if (OverlayWindow) return;
  TRect place;
  GetWindowRect(form_.Handle(), place);
  if (!ScreenSnapshot) CaptureScreenUnderForm(place);
  OverlayWindow = new TOutputWindow(&form_);
  if (TWinControl* parent = form_.Parent()) {
    OverlayWindow->SetParent(parent);
    OverlayWindow->SetBounds(form_.Left(), form_.Top(), form_.Width(), form_.Height());
    // Just in front of the form among its siblings.
    const HWND inFront = GetWindow(form_.Handle(), GW_HWNDPREV);
    SetWindowPos(OverlayWindow->Handle(), inFront ? inFront : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(OverlayWindow->Handle(), SW_SHOWNA);
  } else {
    OverlayWindow->SetBounds(place.Left, place.Top, place.Width(), place.Height());
    SetWindowPos(OverlayWindow->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}

void TFadeIn::SnapshotForm() {
  formSnapshot_ = NewBitmap24(form_.Width(), form_.Height());
  CaptureDC = formSnapshot_->Canvas().Handle();
  PaintControlTree(*formSnapshot_, &form_);
  CaptureDC = nullptr;
}

void TFadeIn::ShapeOverlayAsForm() {
  if (!dynamic_cast<TForm*>(&form_)) return;
  auto* provider = reinterpret_cast<TSkinProvider*>(SendSkinCommand(form_.Handle(), scGetProvider, 0));
  if (!provider) return;
  provider->RebuildRegionAndCaches();
  const HRGN shape = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(form_.Handle(), shape) != RGN_ERROR)
    SetWindowRgn(OverlayWindow->Handle(), shape, false);
  else
    DeleteObject(shape);
}

void TFadeIn::Show(const TBitmap& picture) {
  BitBlt(dc_, 0, 0, picture.Width(), picture.Height(), const_cast<TBitmap&>(picture).Canvas().Handle(), 0, 0,
         SRCCOPY);
  PresentNow(OverlayWindow->Handle());
}

// Steps of 8 ms from the screen (level 255) toward the form.
void TFadeIn::Fade(int time) {
  dc_ = GetWindowDC(OverlayWindow->Handle());
  if (time <= 7) return;
  const auto work = NewBitmap32(form_.Width(), form_.Height());
  const int steps = time >> 3;
  const int step = 255 / steps;
  int level = 255;
  for (int i = 0; i <= steps; ++i) {
    if (i > 0) Sleep(8);
    MergeByMask(work.get(), ScreenSnapshot, formSnapshot_.get(), nullptr, std::max(level, 0));
    Show(*work);
    level -= step;
  }
}

void TFadeIn::ShowForm() {
  Show(*formSnapshot_);
  AnimationRunning = false;
  SendMessage(form_.Handle(), WM_SETREDRAW, 1, 0);
  RedrawWindow(form_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  const bool layered =
      dynamic_cast<TForm*>(&form_) && (GetWindowLongPtr(form_.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  if (!layered)
    SetWindowPos(OverlayWindow->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_HIDEWINDOW |
                     SWP_NOCOPYBITS);
}

}  // namespace

void AnimateFormShow(TWinControl* form, int time) {
  AnimationRunning = true;
  TFadeIn fade(*form);
  fade.ShowOverlay();
  fade.SnapshotForm();
  fade.ShapeOverlayAsForm();
  fade.Fade(time);
  fade.ShowForm();
}
