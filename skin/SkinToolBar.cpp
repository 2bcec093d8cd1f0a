#include "skin/SkinToolBar.h"

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"

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

// The skinned bar's painters take both handlers over once they exist; until
// then a skinned bar keeps what it was given and paints as a plain one.
void TSkinToolBar::UpdateCustomDrawHandlers() {
  if (skinData_->Skinned(false)) return;
  OnAdvancedCustomDraw = nullptr;
  if (!IsDesigning(*this)) OnAdvancedCustomDrawButton = nullptr;
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

// Painting the bar and its buttons from the skin comes with the painters;
// until then the inherited procedure paints a skinned bar as a plain one.
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
    case CN_DROPDOWNCLOSED:
      if (DroppedButton) {
        HotButtonIndex = -1;
        DroppedButton = nullptr;
      }
      break;
  }
}

void TSkinToolBar::FollowNotification(const TMessage& message) {
  const auto& record = *reinterpret_cast<const NMTOOLBAR*>(message.LParam);
  if (record.hdr.code == TBN_DELETINGBUTTON) {
    if (HotButtonIndex >= ButtonCount()) HotButtonIndex = -1;
    // The drop-down-closed message must not reach a deleted button.
    if (DroppedButton && DroppedButton->Index() == record.iItem) DroppedButton = nullptr;
  } else if (record.hdr.code == TBN_DROPDOWN) {
    TBBUTTON button;
    if (Perform(TB_GETBUTTON, record.iItem, reinterpret_cast<LPARAM>(&button)))
      DroppedButton = reinterpret_cast<TToolButton*>(button.dwData);
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
