#include "skin/adapters/SkTreeViewWnd.h"

#include "skin/SkinCommonData.h"
#include "skin/paint/Backdrop.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

void TSkTreeViewWnd::RestoreStdLook() {
  TSkEditWnd::RestoreStdLook();
  SendMessage(Handle, TVM_SETBKCOLOR, 0, LPARAM(ColorToRGB(clWindow)));
}

TColor TSkTreeViewWnd::Background() const {
  const TSkinManager* manager = SkinData ? SkinData->GetSkinManager() : nullptr;
  if (DialogMode || !manager || !manager->IsSectionIndex(SkinData->SectionIndex)) return clWindow;
  return SectionValues().HotColor;
}

void TSkTreeViewWnd::ApplySkinLook() {
  SkinLookApplied = true;
  if (!DialogMode) {
    if (!SkinData) return;
    const TSkinManager* manager = SkinData->GetSkinManager();
    if (!manager || !manager->IsSectionIndex(SkinData->SectionIndex)) return;
    if (TControl* host = SkinData->HostControl()) {
      const TColor fontColor = SectionValues().HotFontColor[0];
      if (!SkinData->CustomFont() && host->Font().Color() != fontColor) host->Font().SetColor(fontColor);
      if (SkinData->CustomColor() || ColorToRGB(SectionValues().HotColor) == host->Color()) return;
    }
  }
  SendMessage(Handle, TVM_SETBKCOLOR, 0, LPARAM(ColorToRGB(Background())));
}

bool TSkTreeViewWnd::ErasesItself() const {
  const auto* tree = dynamic_cast<const TTreeView*>(SkinData->HostControl());
  return tree && tree->OnAdvancedCustomDraw;
}

void TSkTreeViewWnd::Erase(TMessage& message) {
  if (ErasesItself()) {
    message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
    return;
  }
  SkinData->PaintSuspended = SkinData->PaintingSuspended();
  if (SkinData->PaintSuspended) return;
  if (SkinData->CacheStale) PrepareAdapterCache(*SkinData, Handle, DialogMode);
  ReadWindowGeometry(*this);
  const auto given = reinterpret_cast<HDC>(message.WParam);
  const HDC dc = given ? given : GetWindowDC(Handle);
  FillDeviceRect(dc, {0, 0, WndSize.cx, WndSize.cy}, ColorToRGB(Background()));
  if (!given) ReleaseDC(Handle, dc);
  message.Result = 0;
}

void TSkTreeViewWnd::AdapterWndProc(TMessage& message) {
  if (Detached || !SkinData || !SkinData->Skinned(false)) return TSkEditWnd::AdapterWndProc(message);
  if (message.Msg == WM_ERASEBKGND) return Erase(message);
  TSkEditWnd::AdapterWndProc(message);
  if (message.Msg == WM_LBUTTONUP) ReleaseCapture();
}
