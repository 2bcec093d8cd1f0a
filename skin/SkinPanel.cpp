#include "skin/SkinPanel.h"

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/CornerRepair.h"
#include "skin/paint/FrameRoutines.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/ControlCanvas.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
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
      if (!Visible() && !(ComponentState() & csDesigning)) break;
      PaintMessage(message);
      return;
    case WM_ERASEBKGND:
      EraseMessage(message);
      return;
    case WM_PRINT:
      PrintMessage(message);
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

void TSkinPanel::PaintWindow(HDC dc) {
  TPanel::PaintWindow(dc);
  PaintSkinned(dc, true);
}

void TSkinPanel::PaintMessage(TMessage& message) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), paint);
  if (skinData_->MustUseCache() && !skinData_->PaintSuspended) {
    if (message.WParam) dc = reinterpret_cast<HDC>(message.WParam);
    const int saved = SaveDC(dc);
    ControlState |= csCustomPaint;
    static_cast<TControlCanvas&>(Canvas()).PaintWith(dc, [&] { PaintSkinned(dc, true); });
    RestoreDC(dc, saved);
    ControlState &= ~csCustomPaint;
  } else if (!ParentBackground) {
    PaintSkinned(dc, true);
  }
  EndPaint(Handle(), paint);
  message.Result = 0;
}

void TSkinPanel::EraseMessage(TMessage& message) {
  skinData_->PaintSuspended = skinData_->PaintingSuspended();
  if (!skinData_->MustUseCache() && !skinData_->PaintSuspended)
    PaintSkinned(reinterpret_cast<HDC>(message.WParam), true);
  message.Result = 1;
}

void TSkinPanel::PrintMessage(TMessage& message) {
  skinData_->PaintSuspended = false;
  if (!ControlCanPaint(this)) return;
  const bool cached = skinData_->MustUseCache();
  if (!cached && !skinData_->CacheBitmap()) skinData_->PrepareCacheBitmap();
  if (skinData_->CacheStale) {
    BuildCache();
    if (OnPaint && skinData_->CacheBitmap()) OnPaint(this, skinData_->CacheBitmap()->Canvas());
  }
  RepairAllCorners(*skinData_, 0);
  PaintSkinned(reinterpret_cast<HDC>(message.WParam), false);
  if (!cached) skinData_->ReleaseCacheBitmap();
}

void TSkinPanel::PaintSkinned(HDC dc, bool repaintChildren) {
  if (!Showing() || !skinData_->Skinned(false)) return;
  HDC target = dc ? dc : Canvas().Handle();
  if ((skinData_->MustUseCache() && !skinData_->CustomColor()) || AnimationRunning)
    PaintCached(target);
  else if (OnPaint)
    OnPaint(this, Canvas());
  else
    PaintDirect(target, dc);
  if (repaintChildren) RepaintChildren(this);
}

void TSkinPanel::PaintCached(HDC dc) {
  skinData_->PaintSuspended = skinData_->PaintingSuspended();
  if (skinData_->PaintSuspended) return;
  const bool rebuild = skinData_->PartlyPainted || skinData_->CacheStale;
  if (skinData_->DependsOnParentImage()) {
    TRect box;
    GetClipBox(dc, &box);
    skinData_->PartlyPainted = box.Width() != Width() || box.Height() != Height();
  } else {
    skinData_->PartlyPainted = false;
  }
  if (rebuild && !skinData_->CacheFrozen) BuildCache();
  CopyCacheToDC(this, *skinData_, TRect{}, 0, 0, false, dc, Rect(0, 0, Width(), Height()));
  PaintGraphicChildren(dc, this, {0, 0});
}

// A plain look: painted straight, the frame through a cache that goes again.
void TSkinPanel::PaintDirect(HDC dc, HDC given) {
  skinData_->PaintSuspended = false;
  const int border = skinData_->MaxBorderWidth();
  TRect r = Rect(0, 0, Width(), Height());
  const int saved = SaveDC(dc);
  ExcludeGraphicChildren(dc, this, 0, 0);
  TBackdropQuery query;
  if (skinData_->CustomColor()) {
    query.Kind = bkColor;
    query.Color = ColorToRGB(Color());
  } else {
    AskBackdrop(query, this, false);
  }
  const bool seeThrough = skinData_->GetSkinManager()->Section(skinData_->SectionIndex).Transparency == 100;
  bool suspended = false;
  if (seeThrough && query.Kind == bkImage) {
    skinData_->PaintSuspended = suspended = skinData_->PaintingSuspended();
    if (!suspended) {
      HDC image = query.Bmp->Canvas().Handle();
      if (border == 0) {
        BitBlt(dc, 0, 0, Width(), Height(), image, query.Offset.X, query.Offset.Y, SRCCOPY);
      } else {
        skinData_->PrepareCacheBitmap();
        TRect inner;
        PaintBorderThroughCache(dc, r, border, inner, 0, *skinData_);
        BlitFrame(dc, 0, 0, Width(), Height(), skinData_->CacheBitmap()->Canvas().Handle(), 0, 0, border);
        BitBlt(dc, border, border, Width() - 2 * border, Height() - 2 * border, image, query.Offset.X + border,
               query.Offset.Y + border, SRCCOPY);
      }
    }
  } else if (border == 0) {
    FillDeviceRect(dc, r, query.Color);
  } else {
    skinData_->PrepareCacheBitmap();
    TRect inner = r;
    PaintBorderThroughCache(dc, r, border, inner, 0, *skinData_);
    FillDeviceRect(dc, inner, seeThrough ? query.Color : skinData_->ControlColor(0));
    BlitFrame(dc, 0, 0, Width(), Height(), skinData_->CacheBitmap()->Canvas().Handle(), 0, 0, border);
  }
  if (!suspended) {
    TRect captionRect = ClientRect();
    InflateRect(captionRect, -FrameWidth(), -FrameWidth());
    if (given)
      PaintCaption(captionRect, nullptr, given);
    else
      PaintCaption(captionRect, &Canvas(), nullptr);
    if (OnPaint) OnPaint(this, Canvas());
  }
  RestoreDC(dc, saved);
  if (!suspended) PaintGraphicChildren(dc, this, {0, 0});
  skinData_->ReleaseCacheBitmap();
}

void TSkinPanel::BuildCache() {
  if (!skinData_->MustUseCache() && !AnimationRunning) return;
  skinData_->PrepareCacheBitmap();
  TBitmap* cache = skinData_->CacheBitmap();
  PaintControlOnParent(*skinData_, Parent(), false, 0, Rect(0, 0, Width(), Height()), {Left(), Top()}, cache, true);
  TRect captionRect = ClientRect();
  InflateRect(captionRect, -FrameWidth(), -FrameWidth());
  PaintCaption(captionRect, &cache->Canvas(), nullptr);
  if (OnPaint) OnPaint(this, cache->Canvas());
  skinData_->CacheStale = false;
}

void TSkinPanel::PaintCaption(TRect r, TCanvas* canvas, HDC dc) {
  TCanvas own;
  if (!canvas) {
    if (!dc) return;
    own.SetHandle(dc);
    canvas = &own;
  }
  canvas->Font().Assign(Font());
  canvas->Brush().SetStyle(bsClear);
  const int height = canvas->TextHeight("W");
  r.Top = (r.Top + r.Bottom - height) / 2;
  r.Bottom = r.Top + height;
  WriteControlText(*canvas, Caption().c_str(), Enabled(), r, AlignmentTextFlags(*this, Alignment()), *skinData_,
                   false);
  if (canvas == &own) own.SetHandle(nullptr);
}

namespace {

// The bands still missing to reach width on each side inside inner.
void FillToWidth(HDC dc, const TRect& r, const TRect& inner, const TMaskBorders& b, int width, TColor color) {
  const int left = std::max(std::min(width, r.Width() - b.Right) - b.Left, 0);
  const int top = std::max(std::min(width, r.Height() - b.Bottom) - b.Top, 0);
  const int right = std::max(std::min(width, r.Width() - b.Left) - b.Right, 0);
  const int bottom = std::max(std::min(width, r.Height() - b.Top) - b.Bottom, 0);
  FillDeviceFrame(dc, inner, left, top, right, bottom, color);
}

}  // namespace

void PaintBorderThroughCache(HDC dc, const TRect& r, int width, TRect& inner, int state, TSkinCommonData& data) {
  TSkinManager* manager = data.GetSkinManager();
  if (!manager) return;
  const TColor color = data.ControlColor(state);
  TBackdropQuery query;
  TControl* host = data.HostControl();
  if (host && host->Parent()) {
    AskBackdrop(query, host->Parent(), false);
    query.Offset = {query.Offset.X + host->Left(), query.Offset.Y + host->Top()};
  }
  if (!manager->IsMaskIndex(data.BorderMaskIndex)) {
    if (width > 0) FillDeviceFrame(dc, r, width, width, width, width, color);
    return;
  }
  data.PrepareCacheBitmap();
  TBitmap* cache = data.CacheBitmap();
  HDC cacheDC = cache->Canvas().Handle();
  const TSkinMaskData& mask = manager->Masks[data.BorderMaskIndex];
  const TMaskBorders borders = manager->MaskBorders(data.BorderMaskIndex);
  if (mask.MaskType == 1) {
    if (query.Kind == bkImage)
      BitBlt(cacheDC, r.Left, r.Top, r.Width(), r.Height(), query.Bmp->Canvas().Handle(), query.Offset.X + r.Left,
             query.Offset.Y + r.Top, SRCCOPY);
    else
      FillDeviceFrame(cacheDC, r, borders.Left, borders.Top, borders.Right, borders.Bottom, color);
  }
  TBackdropRef backdrop = QueryToBackdropRef(query);
  if (query.Kind == bkNone) backdrop.FillColor = color;
  DrawMaskRect(cache, r, false, backdrop, mask, state, true);
  inner = Rect(r.Left + borders.Left, r.Top + borders.Top, r.Right - borders.Right, r.Bottom - borders.Bottom);
  if (width <= 0) return;
  FillToWidth(cacheDC, r, inner, borders, width, color);
  inner = Rect(r.Left + width, r.Top + width, std::max(r.Right - width, r.Left + width),
               std::max(r.Bottom - width, r.Top + width));
  if (dc != cacheDC) BlitFrame(dc, r.Left, r.Top, r.Width(), r.Height(), cacheDC, r.Left, r.Top, width);
}
