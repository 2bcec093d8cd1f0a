#include "skin/SkinToolBar.h"

#include <algorithm>

#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/ToolButtonLook.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/CornerRepair.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/png/SkinAlphaImageList.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/ControlCanvas.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/SysMetrics.h"

namespace {

constexpr int ToolBarClassCode = 54;

bool IsDesigning(const TComponent& component) { return component.ComponentState() & csDesigning; }

}  // namespace

TSkinToolBar::TSkinToolBar(TComponent* owner)
    : TToolBar(owner), skinData_(std::make_unique<TSkinCommonData>(this, true)) {
  skinData_->ClassCode = ToolBarClassCode;
  // The last step of construction: the section becomes the class default at once.
  skinData_->Loaded();
  UpdateCustomDrawHandlers();
}

TSkinToolBar::~TSkinToolBar() {
  // Messages during destruction see the bar going and leave the skin alone.
  Destroying();
}

void TSkinToolBar::Loaded() {
  TToolBar::Loaded();
  skinData_->Loaded();
  UpdateCustomDrawHandlers();
}

void TSkinToolBar::SetBtnDisabledKind(TSkinDisabledKind kind) {
  if (kind == btnDisabledKind_) return;
  btnDisabledKind_ = kind;
  Repaint();
}

void TSkinToolBar::UpdateCustomDrawHandlers() {
  if (!skinData_->Skinned(false)) {
    OnAdvancedCustomDraw = nullptr;
    if (!IsDesigning(*this)) OnAdvancedCustomDrawButton = nullptr;
    return;
  }
  OnAdvancedCustomDraw = [this](TToolBar*, const TRect& rect, TCustomDrawStage stage, bool& defaultDraw) {
    PaintBarBackground(rect, stage, defaultDraw);
  };
  if (!IsDesigning(*this))
    OnAdvancedCustomDrawButton = [this](TToolBar*, TToolButton* button, TCustomDrawState state,
                                        TCustomDrawStage stage, TTBCustomDrawFlags& flags, bool& defaultDraw) {
      PaintButton(button, state, stage, flags, defaultDraw);
    };
}

int TSkinToolBar::ButtonAtPoint(TPoint point) {
  for (int i = 0; i < ButtonCount(); ++i) {
    TRect rect;
    if (!Perform(TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect)) || !PtInRect(rect, point)) continue;
    const TToolButtonStyle style = Buttons(i)->Style();
    return style == tbsSeparator || style == tbsDivider ? -1 : i;
  }
  return -1;
}

void TSkinToolBar::Notification(TComponent* component, TOperation operation) {
  TToolBar::Notification(component, operation);
  // The drop-down-closed message must not repaint a button that is gone.
  if (operation == opRemove && component == DroppedButton) DroppedButton = nullptr;
  // Drop-down menus of a skinned bar take the skin's look.
  auto* menu = dynamic_cast<TPopupMenu*>(component);
  TSkinManager* manager = DefaultManager();
  if (menu && manager && !IsDesigning(*this) && skinData_->Skinned(false))
    manager->SkinableMenus().HookPopupMenu(menu, operation == opInsert);
}

bool TSkinToolBar::FromOwnManager(const TMessage& message) const {
  return reinterpret_cast<LPARAM>(skinData_->GetSkinManager()) == message.LParam;
}

void TSkinToolBar::WndProc(TMessage& message) {
  if (message.Msg == SM_SKINCMD && HandleOwnSkinCommand(message)) return;
  if (skinData_->Skinned(false) && ControlCanPaint(this))
    SkinnedWndProc(message);
  else
    TToolBar::WndProc(message);
}

void TSkinToolBar::SkinnedWndProc(TMessage& message) {
  switch (message.Msg) {
    case SM_SKINCMD:
      if (SubCommandOf(message.WParam) == scGetBackdrop) {
        auto& query = *reinterpret_cast<TBackdropQuery*>(message.LParam);
        query.Offset = NonClientWidths().TopLeft();
        skinData_->AnswerBackgroundRequest(query, 0, nullptr);
        return;
      }
      break;
    case WM_SIZE:
      skinData_->CacheStale = true;
      break;
    case WM_PAINT:
      // A form fading in paints through its snapshot only.
      if (AnimationRunning && !CaptureDC) return;
      break;
    case WM_ERASEBKGND:
      if (IsDesigning(*this)) break;
      skinData_->PaintSuspended = skinData_->PaintingSuspended();
      message.Result = 1;
      return;
    case WM_PRINT:
      PrintMessage(message);
      return;
    case CM_COLORCHANGED:
      return;
    case CM_TEXTCHANGED:
      Repaint();
      return;
    case CN_NOTIFY:
      FollowNotification(message);
      break;
  }
  if (HandleCommonMessage(message, skinData_.get())) return;
  TToolBar::WndProc(message);
  switch (message.Msg) {
    case WM_SIZE:
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED:
      skinData_->CacheStale = true;
      InvalidateRect(Handle(), nullptr, false);
      break;
    case WM_PAINT:
      if (Flat() && !AnimationRunning && SectionIndexOf("DIVIDER") >= 0) {
        HDC dc = message.WParam ? reinterpret_cast<HDC>(message.WParam) : GetWindowDC(Handle());
        PaintDividers(dc, true);
        if (!message.WParam) ReleaseDC(Handle(), dc);
      }
      break;
    case WM_MOUSEMOVE:
      if (!Flat() && !IsDesigning(*this))
        TrackHotButton({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
      break;
    case CN_DROPDOWNCLOSED:
      if (DroppedButton) {
        HotButtonIndex = -1;
        const int index = DroppedButton->Index();
        DroppedButton = nullptr;
        RepaintButton(index);
      }
      break;
    case CM_MOUSELEAVE:
      if (!Flat() && !IsDesigning(*this)) ForgetHotButton();
      break;
  }
}

int TSkinToolBar::SectionIndexOf(const char* section) const {
  const TSkinManager* manager = skinData_->GetSkinManager();
  return manager ? manager->SectionIndexOf(section) : -1;
}

// A disabled button under the mouse keeps the previous hot one.
void TSkinToolBar::TrackHotButton(TPoint point) {
  const int index = ButtonAtPoint(point);
  if (index == HotButtonIndex || (index >= 0 && !Buttons(index)->Enabled())) return;
  const int old = std::exchange(HotButtonIndex, index);
  for (const int changed : {old, index})
    if (changed >= 0 && !Buttons(changed)->Down()) RepaintButton(changed);
}

void TSkinToolBar::ForgetHotButton() {
  const int old = std::exchange(HotButtonIndex, -1);
  if (old >= 0 && old < ButtonCount() && !Buttons(old)->Down()) RepaintButton(old);
}

void TSkinToolBar::Dispatch(TMessage& message) {
  if (message.Msg == WM_NCPAINT && skinData_->Skinned(false))
    NonClientPaint();
  else
    TToolBar::Dispatch(message);
}

void TSkinToolBar::BuildCache() {
  skinData_->PrepareCacheBitmap();
  TBackdropRef backdrop;
  skinData_->ParentBackdrop(backdrop);
  PaintControl(*skinData_, backdrop, false, 0, Rect(0, 0, Width(), Height()), {Left(), Top()},
               skinData_->CacheBitmap(), true);
  skinData_->CacheStale = false;
}

void TSkinToolBar::CopyNonClientBands(HDC dc) {
  TRect client;
  ClientRectInWindow(Handle(), client);
  CopyBandsAroundClient(dc, skinData_->CacheBitmap()->Canvas().Handle(), client, Width(), Height());
}

void TSkinToolBar::PaintDividers(HDC dc, bool skipWrapped) {
  const TPoint origin = NonClientWidths().TopLeft();
  for (int i = 0; i < ButtonCount(); ++i) {
    TToolButton* button = Buttons(i);
    const bool separator = button->Style() == tbsSeparator || button->Style() == tbsDivider;
    if (!separator || !button->Visible() || (skipWrapped && button->Wrap())) continue;
    TRect r = button->BoundsRect();
    OffsetRect(r, origin.X, origin.Y);
    PaintDivider(dc, r);
  }
}

void TSkinToolBar::PrintMessage(TMessage& message) {
  skinData_->PaintSuspended = false;
  if (skinData_->CacheStale) BuildCache();
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  if (!dc) return;
  CopyNonClientBands(dc);
  TRect client;
  ClientRectInWindow(Handle(), client);
  const int saved = SaveDC(dc);
  OffsetWindowOrgEx(dc, -client.Left, -client.Top, nullptr);
  IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
  SendMessage(Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
  if (Flat()) PaintDividers(dc, false);
}

void TSkinToolBar::NonClientPaint() {
  skinData_->PaintSuspended = skinData_->PaintingSuspended();
  if (IsDestroying() || skinData_->PaintSuspended || !HandleAllocated()) return;
  if (IsDesigning(*this) && skinData_->CacheStale) BuildCache();
  if (!skinData_->CacheBitmap()) return;
  HDC dc = GetWindowDC(Handle());
  const int saved = SaveDC(dc);
  TRect client;
  ClientRectInWindow(Handle(), client);
  ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
  CopyNonClientBands(dc);
  RestoreDC(dc, saved);
  ReleaseDC(Handle(), dc);
}

void TSkinToolBar::PaintBarBackground(const TRect& rect, TCustomDrawStage stage, bool& defaultDraw) {
  if (!skinData_->Skinned(false)) {
    defaultDraw = true;
    return;
  }
  skinData_->PaintSuspended = skinData_->PaintingSuspended();
  if (stage != cdPrePaint || skinData_->PaintSuspended) {
    defaultDraw = false;
    return;
  }
  if (skinData_->CacheBitmap()) skinData_->CacheBitmap()->Canvas().Font().Assign(Font());
  if (skinData_->CacheStale || !skinData_->CacheBitmap()) BuildCache();
  TRect client;
  ClientRectInWindow(Handle(), client);
  HDC dc = Canvas().Handle();
  CopyCacheToDC(this, *skinData_, client, 0, 0, true, dc, rect);
  PaintGraphicChildren(dc, this, {0, 0});
  RepaintChildren(this);
  if (client != Rect(0, 0, Width(), Height())) SendMessage(Handle(), WM_NCPAINT, 1, 0);
}


void TSkinToolBar::PaintButton(TToolButton* button, TCustomDrawState state, TCustomDrawStage stage,
                               TTBCustomDrawFlags& flags, bool& defaultDraw) {
  if (!skinData_->Skinned(false)) {
    defaultDraw = true;
    return;
  }
  defaultDraw = false;
  TSkinManager* manager = skinData_->GetSkinManager();
  if (stage != cdPrePaint || skinData_->PaintingSuspended() || !button) return;
  // Separators show the bar (a flat bar's get their dividers after it).
  if (button->Style() == tbsSeparator || button->Style() == tbsDivider) return;
  if (!Flat() && !IsDesigning(*this) && button->Index() == HotButtonIndex) state |= cdsHot;
  flags |= tbNoEdges | tbNoEtchedEffect;
  if (!skinData_->CacheBitmap() || skinData_->CacheStale) BuildCache();
  const TRect bounds = button->BoundsRect();
  const std::unique_ptr<TBitmap> bmp = NewBitmap24(bounds.Width(), bounds.Height());
  bmp->Canvas().Font().Assign(Font());
  const int s = ToolButtonStateIndex(*button, state);
  const int section = manager->SectionIndexOf("TOOLBUTTON");
  const TPoint origin = NonClientWidths().TopLeft();
  TBackdropRef backdrop = MakeBackdropRef(skinData_->CacheBitmap(), origin.X, origin.Y);
  const TRect face = Rect(0, 0, bounds.Width(), ButtonHeight());
  PaintSectionBackground(section, "TOOLBUTTON", backdrop, s, face, bounds.TopLeft(), bmp.get(), manager, -1, -1,
                         clSkinKey);
  backdrop.X += bounds.Left;
  backdrop.Y += bounds.Top;
  const int border = manager->MaskIndexOf(section, "TOOLBUTTON", "BORDERSMASK");
  if (manager->IsMaskIndex(border)) DrawMaskRect(bmp.get(), face, false, backdrop, manager->Masks[border], s, true);
  const int faceWidth = bounds.Width() - (button->Style() == tbsDropDown ? GetSystemMetrics(SM_CXVSCROLL) - 2 : 0);
  if (ShowCaptions()) {
    TCanvas& canvas = bmp->Canvas();
    const int textHeight = canvas.TextHeight("A");
    TRect r;
    if (List()) {
      r = Rect(Images() ? Images()->Width() + 6 : 1, 2, faceWidth - 2, bounds.Height() - 2);
    } else {
      const int imageHeight = Images() ? Images()->Height() + 3 : 0;
      const int top = (bounds.Height() - imageHeight - textHeight) / 2 + imageHeight;
      r = Rect(0, top, faceWidth + 2, top + textHeight);
    }
    if (s == 2) OffsetRect(r, 1, 1);
    const int fontSection = FontSectionOfToolButton(button, section, manager);
    WriteSectionText(canvas, button->Caption().c_str(), button->Enabled(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                     fontSection, s > 0, manager);
  }
  if (Images() && button->ImageIndex() >= 0 && button->ImageIndex() < Images()->Count()) {
    const int glyphState = state == 0 || state == cdsDisabled ? 0 : (state & (cdsSelected | cdsChecked)) ? 2 : 1;
    CopyToolButtonImage(*this, button, glyphState, bmp.get());
  }
  if (button->Style() == tbsDropDown)
    PaintToolButtonArrow(*this, manager, button, button == DroppedButton && button->DropdownMenu, state, bmp.get(),
                         faceWidth, backdrop);
  if (!button->Enabled() || button->Indeterminate())
    DimImage(bmp.get(), btnDisabledKind_, Parent(), backdrop, {0, 0});
  BitBlt(Canvas().Handle(), bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), bmp->Canvas().Handle(), 0, 0,
         SRCCOPY);
}

void TSkinToolBar::RepaintButton(int index) {
  if (index < 0 || index >= ButtonCount() || !Buttons(index)->Visible() || !HandleAllocated()) return;
  HDC dc = GetWindowDC(Handle());
  const int saved = SaveDC(dc);
  const TPoint origin = NonClientWidths().TopLeft();
  OffsetWindowOrgEx(dc, -origin.X, -origin.Y, nullptr);
  TTBCustomDrawFlags flags = tbNoEdges | tbNoEtchedEffect;
  bool defaultDraw = false;
  static_cast<TControlCanvas&>(Canvas()).PaintWith(
      dc, [&] { PaintButton(Buttons(index), 0, cdPrePaint, flags, defaultDraw); });
  RestoreDC(dc, saved);
  ReleaseDC(Handle(), dc);
}

void TSkinToolBar::PaintDivider(HDC dc, const TRect& r) {
  TSkinManager* manager = skinData_->GetSkinManager();
  const int section = manager ? manager->SectionIndexOf("DIVIDER") : -1;
  if (section < 0 || !manager->IsMaskIndex(manager->MaskIndexOf(section, "DIVIDER", "BORDERSMASK"))) return;
  const int width = r.Width(), height = r.Height();
  if (width <= 0 || height <= 0) return;
  const std::unique_ptr<TBitmap> bmp = NewBitmap24(width, height);
  TBackdropQuery query;
  query.Rect = Rect(0, 0, width, height);
  query.Offset = r.TopLeft();
  query.DC = bmp->Canvas().Handle();
  query.Bmp = bmp.get();
  AskWindowBackdrop(query, Handle(), true);
  query = TBackdropQuery{};
  query.Offset = r.TopLeft();
  AskWindowBackdrop(query, Handle(), false);
  const TRect strip = Rect(width / 2 - 2, 2, width / 2 + 2, height - 2);
  PaintSection(section, "DIVIDER", QueryToBackdropRef(query), true, 0, strip,
               {r.Left + strip.Left, r.Top + strip.Top}, bmp.get(), manager);
  BitBlt(dc, r.Left, r.Top, width, height, bmp->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinToolBar::FollowNotification(const TMessage& message) {
  const auto& record = *reinterpret_cast<const NMTOOLBAR*>(message.LParam);
  if (record.hdr.code == TBN_DELETINGBUTTON) {
    if (HotButtonIndex >= ButtonCount()) HotButtonIndex = -1;
    // The drop-down-closed message must not reach a deleted button.
    if (DroppedButton && DroppedButton->Index() == record.iItem) DroppedButton = nullptr;
  } else if (record.hdr.code == TBN_DROPDOWN) {
    TBBUTTON button;
    if (Perform(TB_GETBUTTON, record.iItem, reinterpret_cast<LPARAM>(&button))) {
      DroppedButton = reinterpret_cast<TToolButton*>(button.dwData);
      RepaintButton(record.iItem);
    }
  }
}

bool TSkinToolBar::HandleOwnSkinCommand(TMessage& message) {
  switch (SubCommandOf(message.WParam)) {
    case scSkinApplied:
      if (!FromOwnManager(message)) return false;
      SkinApplied(message);
      return true;
    case scSkinRemoved:
    case scSkinChanged:
      if (!FromOwnManager(message)) return false;
      SkinRemovedOrChanged(message);
      return true;
    case scResumePainting:
      if (!skinData_->PaintingSuspended()) return false;
      ResumePainting();
      return true;
    case scIsSkinnable:
      message.Result = 1;
      return true;
    case scGetApplication:
      message.Result = reinterpret_cast<LRESULT>(&Application());
      return true;
    default:
      return false;
  }
}

void TSkinToolBar::SkinApplied(TMessage& message) {
  // A skinned bar paints its buttons itself, without the desktop's visual style.
  if (!IsDesigning(*this) && SetWindowThemeProc && HandleAllocated()) SetWindowThemeProc(Handle(), " ", " ");
  BroadcastToChildren(this, message);
  HandleCommonMessage(message, skinData_.get());
}

void TSkinToolBar::SkinRemovedOrChanged(TMessage& message) {
  DroppedButton = nullptr;
  HandleCommonMessage(message, skinData_.get());
  if (SubCommandOf(message.WParam) == scSkinRemoved && !IsDesigning(*this) && SetWindowThemeProc &&
      HandleAllocated())
    SetWindowThemeProc(Handle(), nullptr, nullptr);
  BroadcastToChildren(this, message);
  UpdateCustomDrawHandlers();
  Repaint();
  if (HandleAllocated()) SendMessage(Handle(), WM_NCPAINT, 1, 0);
}

void TSkinToolBar::ResumePainting() {
  skinData_->PaintSuspended = false;
  skinData_->CacheStale = true;
  if (HandleAllocated())
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
  Repaint();
}
