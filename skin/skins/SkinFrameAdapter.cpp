#include "skin/skins/SkinFrameAdapter.h"

#include "runtime/AsciiCase.h"
#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/SkinMessageBoxes.h"
#include "skin/adapters/SkScrollWnd.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/paint/FrameRoutines.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/SectionPainting.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Frame.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

namespace {

constexpr int FrameAdapterClassCode = 226;
constexpr const char* FrameSection = "GROUPBOX";
constexpr const char* WrongOwnerText = "TSkinFrameAdapter adapter must be placed on the handled frame";
// The designer's host of a frame being designed.
constexpr const char* DesignHostClass = "TWinControlForm";

constexpr UINT RedrawEverything = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

}  // namespace

TSkinFrameAdapter::TSkinFrameAdapter(TComponent* owner)
    : TComponent(owner), frame_(dynamic_cast<TFrame*>(owner)) {
  skinData_ = std::make_unique<TSkinCommonData>(frame_ ? static_cast<TObject*>(frame_) : this, true);
  skinData_->ClassCode = FrameAdapterClassCode;
  if (!frame_) {
    ShowError(WrongOwnerText);
  } else {
    savedWindowProc_ = frame_->WindowProc.Current();
    frame_->WindowProc = TWndHandler::OfMethod(&TSkinFrameAdapter::WndProcOf, this);
  }
  AfterConstruction();
}

// A frame freeing its adapter has already lost its window method with
// the rest of its control part: only a living frame gets it back.
TSkinFrameAdapter::~TSkinFrameAdapter() {
  scrollWnd_.reset();
  if (frame_ && savedWindowProc_ && !frame_->IsDestroying()) frame_->WindowProc = savedWindowProc_;
}

void TSkinFrameAdapter::AfterConstruction() {
  ApplyDefaultSection();
  if (FrameIsSkinnable()) skinData_->ResolveIndexes();
}

void TSkinFrameAdapter::ApplyDefaultSection() {
  const std::string& section = skinData_->SkinSection();
  if (section.empty() || section == AsciiUppered(ClassName())) skinData_->SetSkinSection(FrameSection);
}

bool TSkinFrameAdapter::FrameIsSkinnable() const {
  return frame_ && frame_->Perform(SM_SKINCMD, SkinCommand(scIsSkinnable), 0) == 1;
}

bool TSkinFrameAdapter::Designing() const { return (ComponentState() & csDesigning) != 0; }

bool TSkinFrameAdapter::FrameDesigned() const { return (frame_->ComponentState() & csDesigning) != 0; }

void TSkinFrameAdapter::Loaded() {
  TComponent::Loaded();
  ApplyDefaultSection();
  TSkinManager* manager = skinData_->GetSkinManager();
  if (!FrameIsSkinnable() || !manager) return;
  skinData_->ResolveIndexes();
  if (!manager->SkinActive() || Designing()) return;
  ColorDesignHost(true);
  HookPopupMenus();
  if (skinData_->Skinned(false)) AskFormToAdapt();
}

void TSkinFrameAdapter::CallSaved(TMessage& message) {
  if (savedWindowProc_)
    savedWindowProc_(message);
  else
    frame_->WndProc(message);
}

// ---------------------------------------------------------------- the window method

void TSkinFrameAdapter::WndProcOf(TObject* self, TMessage& message) {
  static_cast<TSkinFrameAdapter*>(self)->NewWindowProc(message);
}

void TSkinFrameAdapter::NewWindowProc(TMessage& message) {
  if (Designing()) return CallSaved(message);
  if (message.Msg == SM_SKINCMD && HandleOwnSkinCommand(message)) return;
  if (!Skinnable()) return CallSaved(message);
  if (message.Msg == SM_SKINCMD)
    SkinnedSkinCommand(message);
  else
    SkinnedMessage(message);
}

bool TSkinFrameAdapter::Skinnable() const {
  return !IsDestroying() && !frame_->IsDestroying() && skinData_->Skinned(true);
}

bool TSkinFrameAdapter::HandleOwnSkinCommand(TMessage& message) {
  const bool fromOwnManager = reinterpret_cast<LPARAM>(skinData_->GetSkinManager()) == message.LParam;
  switch (SubCommandOf(message.WParam)) {
    case scSkinApplied:
      if (!fromOwnManager) return false;
      SkinApplied(message);
      return true;
    case scSkinRemoved:
      if (!fromOwnManager) return false;
      SkinRemoved(message);
      return true;
    case scSkinChanged:
      if (!fromOwnManager) return false;
      SkinChanged(message);
      return true;
    case scIsSkinnable:
      message.Result = 1;
      return true;
    case scBeforeRefresh:
      BroadcastToChildren(frame_, message);
      return false;
    case scGetSection:
      message.Result = skinData_->SectionIndex + 1;
      return true;
    case scGetBackdrop:
      skinData_->AnswerBackgroundRequest(*reinterpret_cast<TBackdropQuery*>(message.LParam), 0, nullptr);
      return true;
    case scBeforeScroll:
    case scAfterScroll:
      HoldRedrawWhileScrolling(SubCommandOf(message.WParam) == scBeforeScroll);
      return false;
    case scGetApplication:
      message.Result = reinterpret_cast<LRESULT>(&Application());
      return true;
    default:
      return false;
  }
}

// A frame whose look scrolls with its parent's picture is drawn once,
// after the scroll, instead of at every step.
void TSkinFrameAdapter::HoldRedrawWhileScrolling(bool before) {
  if (!frame_->HandleAllocated() || !(AskControl(frame_, scHasComplexBackground) || skinData_->DependsOnParentImage()))
    return;
  SendMessage(frame_->Handle(), WM_SETREDRAW, before ? 0 : 1, 0);
  if (!before) Redraw(RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void TSkinFrameAdapter::SkinApplied(TMessage& message) {
  BroadcastToChildren(frame_, message);
  HandleCommonMessage(message, skinData_.get());
  HookPopupMenus();
  ColorDesignHost(true);
}

void TSkinFrameAdapter::SkinRemoved(TMessage& message) {
  scrollWnd_.reset();
  HandleCommonMessage(message, skinData_.get());
  ColorDesignHost(false);
  BroadcastToChildren(frame_, message);
  if (!frame_->HandleAllocated()) return;
  SetWindowPos(frame_->Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Redraw(RedrawEverything);
}

void TSkinFrameAdapter::SkinChanged(TMessage& message) {
  HandleCommonMessage(message, skinData_.get());
  skinData_->ResolveIndexes();
  if (!skinData_->GetSkinManager()) return;
  ColorDesignHost(true);
  BroadcastToChildren(frame_, message);
  Redraw(RedrawEverything);
  UpdateScrollAdapter(*skinData_, scrollWnd_);
}

void TSkinFrameAdapter::SkinnedSkinCommand(TMessage& message) {
  switch (SubCommandOf(message.WParam)) {
    case scResumePainting:
      if (skinData_->PaintingSuspended()) {
        skinData_->PaintSuspended = false;
        Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      }
      return;
    case scSetPaintSuspended:
      skinData_->PaintSuspended = LoOf(message.WParam) == 1;
      BroadcastToChildren(frame_, message);
      return;
    case scIsPaintingSuspended:
      message.Result = !(skinData_->StateFlags & sfPlainBackground) && skinData_->PaintSuspended ? 1 : 0;
      return;
    case scParentLookChanged:
      if (skinData_->IsTransparentSection()) skinData_->CacheStale = true;
      return;
    case scHasComplexBackground:
      message.Result = HasComplexLook() ? 1 : 0;
      message.LParam = message.Result;
      return;
    case scGetColor:
      message.Result = ColorAnswer();
      message.LParam = message.Result;
      return;
    default:
      HandleCommonMessage(message, skinData_.get());
  }
}

bool TSkinFrameAdapter::HasComplexLook() const {
  const TSkinManager* manager = skinData_->GetSkinManager();
  if (!manager || !manager->IsSectionIndex(skinData_->SectionIndex)) return false;
  const TSkinGeneralData& section = manager->Section(skinData_->SectionIndex);
  return section.GradientPercent + section.ImagePercent > 0 || skinData_->DependsOnParentImage();
}

// A frame painted through its cache has no one colour ("no colour"); a
// translucent one blends its section's colour over its parent's as the
// painters do, so that a child filling with the answer matches the frame.
LRESULT TSkinFrameAdapter::ColorAnswer() {
  if (skinData_->MustUseCache()) return clSkinKey;
  TMessage question{SM_SKINCMD, SkinCommand(scGetColor), clSkinKey, 0};
  HandleSkinCommand(question, skinData_.get());
  return question.Result;
}

void TSkinFrameAdapter::SkinnedMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_MOVE:
    case WM_SIZE:
      return SizeOrMove(message);
    case WM_PAINT:
      if (FrameDesigned() || !frame_->Parent() || IsDestroying()) return CallSaved(message);
      return PaintMessage(message);
    case WM_ERASEBKGND:
      return EraseMessage(message);
    case WM_NCPAINT:
      if (FrameDesigned()) return CallSaved(message);
      skinData_->PaintSuspended = skinData_->PaintingSuspended();
      message.Result = 0;
      return;
    case WM_PARENTNOTIFY:
      return ParentNotify(message);
    case WM_PRINT:
      return PrintMessage(message);
    case CM_VISIBLECHANGED:
      skinData_->CacheStale = true;
      CallSaved(message);
      if (TSkinManager* manager = skinData_->GetSkinManager())
        frame_->Perform(SM_SKINCMD, SkinCommand(scSkinChanged), reinterpret_cast<LPARAM>(manager));
      return;
    case CM_MOUSEENTER:
      CallSaved(message);
      if (DefaultManager() && frame_->HandleAllocated()) DefaultManager()->ChangeHotWindow(frame_->Handle());
      return;
    case CM_SHOWINGCHANGED:
      CallSaved(message);
      UpdateScrollAdapter(*skinData_, scrollWnd_);
      AskFormToAdapt();
      return;
    default:
      CallSaved(message);
  }
}

void TSkinFrameAdapter::SizeOrMove(TMessage& message) {
  skinData_->CacheStale =
      skinData_->CacheStale || message.Msg == WM_SIZE || skinData_->DependsOnParentImage();
  if (skinData_->CacheStale) {
    TMessage stale{SM_SKINCMD, SkinCommand(scInvalidateCache, 1), 0, 0};
    BroadcastToChildren(frame_, stale);
  }
  if (message.Msg == WM_SIZE && frame_->HandleAllocated()) InvalidateRect(frame_->Handle(), nullptr, true);
  CallSaved(message);
}

void TSkinFrameAdapter::EraseMessage(TMessage& message) {
  if (FrameDesigned() || !frame_->Showing()) return CallSaved(message);
  message.Result = 1;
  if (AnimationRunning) return;
  skinData_->PaintSuspended = skinData_->PaintingSuspended();
  if (skinData_->PaintSuspended) return;
  if (!skinData_->MustUseCache() || !skinData_->CacheStale) PaintBackground(reinterpret_cast<HDC>(message.WParam));
}

void TSkinFrameAdapter::ParentNotify(TMessage& message) {
  const WORD event = LOWORD(message.WParam);
  CallSaved(message);
  if ((event != WM_CREATE && event != WM_DESTROY) || frame_->IsLoading()) return;
  if (scrollWnd_) SyncScrollInfo(*scrollWnd_, false);
  if (event == WM_CREATE) AskFormToAdapt();
}

void TSkinFrameAdapter::PrintMessage(TMessage& message) {
  skinData_->PaintSuspended = false;
  if (!MayPaint()) return;
  const auto dc = reinterpret_cast<HDC>(message.WParam);
  PaintBackground(dc);
  if (scrollWnd_) PaintScrollBars(*scrollWnd_, dc);
}

// ---------------------------------------------------------------- skin changes around the frame

void TSkinFrameAdapter::HookPopupMenus() {
  TSkinManager* manager = skinData_->GetSkinManager();
  if (!frame_ || !manager || !manager->SkinnedPopups()) return;
  for (int i = 0; i < frame_->ComponentCount(); ++i)
    if (auto* menu = dynamic_cast<TPopupMenu*>(frame_->Components(i))) manager->SkinableMenus().HookPopupMenu(menu, true);
}

// A frame being designed shows on the designer's host, which takes the
// skin's global colour while skinned and the button face after.
void TSkinFrameAdapter::ColorDesignHost(bool skinned) {
  TWinControl* host = frame_->Parent();
  if (!FrameDesigned() || !host || host->ClassName() != DesignHostClass) return;
  TSkinManager* manager = skinData_->GetSkinManager();
  if (!skinned)
    host->SetColor(clBtnFace);
  else if (manager && manager->SectionIndexOf("GLOBALINFO") >= 0)
    host->SetColor(manager->GlobalColor());
}

void TSkinFrameAdapter::AskFormToAdapt() {
  const TSkinManager* manager = skinData_->GetSkinManager();
  if (manager && (manager->SkinningRules & srThirdParty)) AnnounceToParentForm(frame_);
}

void TSkinFrameAdapter::Redraw(unsigned flags) {
  if (frame_->HandleAllocated()) RedrawWindow(frame_->Handle(), nullptr, nullptr, flags);
}

// ---------------------------------------------------------------- painting

bool TSkinFrameAdapter::MayPaint() const {
  return frame_->HandleAllocated() && !frame_->IsLoading() && !frame_->IsDestroying() && !IsDestroying() &&
         frame_->Parent();
}

void TSkinFrameAdapter::PaintMessage(TMessage& message) {
  const bool cached = skinData_->MustUseCache();
  // The plain look is painted whole by the erasing.
  if (MayPaint() && !cached) InvalidateRect(frame_->Handle(), nullptr, true);
  PAINTSTRUCT paint;
  HDC own = BeginPaint(frame_->Handle(), paint);
  HDC dc = message.WParam ? reinterpret_cast<HDC>(message.WParam) : own;
  const int saved = SaveDC(dc);
  if (cached) {
    skinData_->PaintSuspended = skinData_->PaintingSuspended();
    if (!skinData_->PaintSuspended) PaintBackground(dc);
  }
  RestoreDC(dc, saved);
  EndPaint(frame_->Handle(), paint);
  message.Result = 0;
}

void TSkinFrameAdapter::PaintBackground(HDC dc) {
  if (!dc || (AnimationRunning && dc != CaptureDC)) return;
  if (skinData_->MustUseCache())
    PaintCached(dc);
  else
    PaintDirect(dc);
}

void TSkinFrameAdapter::PaintCached(HDC dc) {
  skinData_->PaintSuspended = skinData_->PaintingSuspended();
  if (skinData_->PaintSuspended) return;
  // A frame reaching past its parent's client area was painted only in part.
  if (skinData_->DependsOnParentImage() && frame_->Parent()) {
    const TRect client = frame_->Parent()->ClientRect();
    const TRect bounds = frame_->BoundsRect();
    skinData_->PartlyPainted = !PtInRect(client, {bounds.Left + 1, bounds.Top + 1}) ||
                               !PtInRect(client, {bounds.Right - 1, bounds.Bottom - 1});
  }
  if (skinData_->CacheStale || skinData_->PartlyPainted) BuildCache();
  CopyCacheToDC(frame_, *skinData_, TRect{}, 0, 0, false, dc, Rect(0, 0, frame_->Width(), frame_->Height()));
  PaintGraphicChildren(dc, frame_, {0, 0});
  RepaintChildren(frame_);
}

void TSkinFrameAdapter::BuildCache() {
  skinData_->PrepareCacheBitmap();
  TBitmap* cache = skinData_->CacheBitmap();
  cache->Canvas().Font().Assign(frame_->Font());
  PaintControlOnParent(*skinData_, frame_->Parent(), false, 0, Rect(0, 0, frame_->Width(), frame_->Height()),
                       {frame_->Left(), frame_->Top()}, cache, true);
  skinData_->CacheStale = false;
}

// The plain look: the border bands out of a picture of the whole look,
// the rest filled with the frame's colour.
void TSkinFrameAdapter::PaintDirect(HDC dc) {
  skinData_->PaintSuspended = false;
  const int border = skinData_->MaxBorderWidth();
  const int width = frame_->Width();
  const int height = frame_->Height();
  TRect r = Rect(0, 0, width, height);
  const int saved = SaveDC(dc);
  ExcludeGraphicChildren(dc, frame_, 0, 0);
  std::unique_ptr<TBitmap> picture;
  if (border > 0) {
    picture = std::make_unique<TBitmap>(width, height, pf24bit);
    PaintControlOnParent(*skinData_, frame_->Parent(), false, 0, r, {frame_->Left(), frame_->Top()}, picture.get(),
                         false);
    InflateRect(r, -border, -border);
  }
  FillDeviceRect(dc, r, skinData_->ControlColor(0));
  if (picture) BlitFrame(dc, 0, 0, width, height, picture->Canvas().Handle(), 0, 0, border);
  RestoreDC(dc, saved);
  PaintGraphicChildren(dc, frame_, {0, 0});
}
