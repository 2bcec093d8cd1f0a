#include "skin/SkinPanel.h"

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "toolkit/controls/Application.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Paint.h"

namespace {

constexpr int PanelClassCode = 51;

}  // namespace

TSkinPanel::TSkinPanel(TComponent* owner)
    : TPanel(owner), skinData_(std::make_unique<TSkinCommonData>(this, true)) {
  skinData_->ClassCode = PanelClassCode;
  // The last step of construction: the section becomes the class default at once.
  skinData_->Loaded();
}

TSkinPanel::~TSkinPanel() {
  // Messages during destruction see the panel going and leave the skin alone.
  Destroying();
}

void TSkinPanel::Loaded() {
  TPanel::Loaded();
  skinData_->Loaded();
}

void TSkinPanel::Paint() {
  if (Showing() && OnPaint)
    OnPaint(this, Canvas());
  else
    TPanel::Paint();
}

// The mouse entering and leaving reach OnMouseEnter and OnMouseLeave
// through the inherited procedure on both paths.
void TSkinPanel::WndProc(TMessage& message) {
  if (message.Msg == SM_SKINCMD && HandleOwnSkinCommand(message)) return;
  if (skinData_->Skinned(false) && ControlCanPaint(this))
    SkinnedWndProc(message);
  else
    UnskinnedWndProc(message);
}

bool TSkinPanel::HandleOwnSkinCommand(TMessage& message) {
  switch (SubCommandOf(message.WParam)) {
    case scSkinApplied:
    case scSkinRemoved:
    case scSkinChanged:
      SkinArrivedOrLeft(message);
      return true;
    case scIsSkinnable:
      message.Result = 1;
      return true;
    case scGetBackdrop:
      AnswerBackgroundRequest(message);
      return true;
    case scGetApplication:
      message.Result = reinterpret_cast<LRESULT>(&Application());
      return true;
    default:
      return false;
  }
}

void TSkinPanel::SkinArrivedOrLeft(TMessage& message) {
  const WORD sub = SubCommandOf(message.WParam);
  const bool fromOwnManager = reinterpret_cast<LPARAM>(skinData_->GetSkinManager()) == message.LParam;
  // A skinned look is never opaque: the cache may show the parent through.
  if (sub != scSkinChanged) ControlStyle &= ~csOpaque;
  if (sub == scSkinApplied) BroadcastToChildren(this, message);
  if (fromOwnManager) {
    HandleCommonMessage(message, skinData_.get());
    if (sub == scSkinRemoved) Invalidate();
    if (sub == scSkinChanged && HandleAllocated()) {
      InvalidateRect(Handle(), nullptr, true);
      RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    }
  }
  if (sub != scSkinApplied) BroadcastToChildren(this, message);
}

void TSkinPanel::AnswerBackgroundRequest(TMessage& message) {
  auto& query = *reinterpret_cast<TBackdropQuery*>(message.LParam);
  skinData_->AnswerBackgroundRequest(query, 0, nullptr);
  // The cache covers the whole panel, the asker's offset counts from inside the frame.
  if (ClientWidth() != Width() && query.Kind == bkImage && !query.DrawNow)
    query.Offset = {query.Offset.X + FrameWidth(), query.Offset.Y + FrameWidth()};
}

void TSkinPanel::ResumePainting() {
  if (skinData_->PaintingSuspended()) {
    skinData_->PaintSuspended = false;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
  RepaintChildren(this);
}

// Painting from the skin comes with the section painters; until then a
// skinned panel paints as a plain one.
void TSkinPanel::SkinnedWndProc(TMessage& message) {
  switch (message.Msg) {
    case SM_SKINCMD:
      if (SubCommandOf(message.WParam) == scResumePainting)
        ResumePainting();
      else if (SubCommandOf(message.WParam) == scIsPaintingSuspended)
        message.Result = skinData_->PaintingSuspended() ? 1 : 0;
      else
        HandleSkinCommand(message, skinData_.get());
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TPanel::WndProc(message);
      return;
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_PRINT:
      UnskinnedWndProc(message);
      return;
    case CM_VISIBLECHANGED:
      skinData_->CacheStale = true;
      skinData_->PaintSuspended = false;
      TPanel::WndProc(message);
      return;
    case CM_TEXTCHANGED:
      if (Parent()) skinData_->Invalidate();
      return;
    case CM_COLORCHANGED:
      if (skinData_->CustomColor()) skinData_->CacheStale = true;
      break;
  }
  HandleCommonMessage(message, skinData_.get());
  TPanel::WndProc(message);
  if (message.Msg == WM_SETFONT && !Caption().empty()) {
    skinData_->CacheStale = true;
    Repaint();
  }
  if (message.Msg == CM_ENABLEDCHANGED) skinData_->Invalidate();
}

void TSkinPanel::UnskinnedWndProc(TMessage& message) {
  if (message.Msg == WM_ERASEBKGND && OnPaint) return;
  if (message.Msg == WM_PRINT && OnPaint) {
    OnPaint(this, Canvas());
    if (message.WParam)
      BitBlt(reinterpret_cast<HDC>(message.WParam), 0, 0, Width(), Height(), Canvas().Handle(), 0, 0, SRCCOPY);
    return;
  }
  TPanel::WndProc(message);
}
