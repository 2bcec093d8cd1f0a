#include "skin/adapters/SkGridWnd.h"

#include <functional>

#include "runtime/Collection.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/DrawGrid.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/Window.h"

namespace {

// The grid class whose fixed font and columns take the skin's colours too.
bool IsAdvancedGrid(const TObject* grid) { return grid && grid->ClassName() == "TDBAdvGrid"; }

TColor ColorProperty(TObject* object, const std::string& name) {
  return static_cast<TColor>(OrdPropertyValue(object, name));
}

void SetColorProperty(TObject* object, const std::string& name, TColor color) {
  if (HasProperty(object, name)) SetOrdPropertyValue(object, name, color);
}

// The colour of the font the object publishes under fontName.
void SetFontColor(TObject* object, const std::string& fontName, TColor color) {
  SetColorProperty(ObjectProperty(object, fontName), "Color", color);
}

void ForEachColumn(TObject* grid, const std::function<void(TObject&)>& action) {
  auto* columns = dynamic_cast<TCollection*>(ObjectProperty(grid, "Columns"));
  for (int i = 0; columns && i < columns->Count(); ++i) action(columns->Items(i));
}

}  // namespace

void TSkGridWnd::StoreStdLook() {
  TSkEditWnd::StoreStdLook();
  TObject* grid = SkinData->HostControl();
  if (HasProperty(grid, "FixedColor")) StdFixedColor = ColorProperty(grid, "FixedColor");
  if (TObject* font = ObjectProperty(grid, "TitleFont")) StdTitleFontColor = ColorProperty(font, "Color");
  if (TObject* font = ObjectProperty(grid, "FixedFont"); font && IsAdvancedGrid(grid))
    StdTitleFontColor = ColorProperty(font, "Color");
  if (HasProperty(grid, "FooterColor")) StdFooterColor = ColorProperty(grid, "FooterColor");
  if (HasProperty(grid, "FooterCellColor")) StdFooterCellColor = ColorProperty(grid, "FooterCellColor");
  if (HasProperty(grid, "TitleColor")) StdTitleColor = ColorProperty(grid, "TitleColor");
  if (HasProperty(grid, "IndicatorIconColor")) StdIndicatorIconColor = ColorProperty(grid, "IndicatorIconColor");
}

void TSkGridWnd::ApplySkinLook() {
  TSkEditWnd::ApplySkinLook();
  TObject* grid = SkinData->HostControl();
  TSkinManager* manager = SkinData->GetSkinManager();
  if (!grid || !manager || !manager->IsSectionIndex(SkinData->SectionIndex)) return;
  const TColor global = manager->GlobalColor();
  const TColor globalFont = manager->GlobalFontColor();
  const int globalSection = manager->SectionIndexOf("GLOBALINFO");
  const TColor storedGlobal = globalSection >= 0 ? manager->Section(globalSection).Color : clBtnFace;
  const TSkinGeneralData& section = SectionValues();
  SetColorProperty(grid, "FixedColor", global);
  SetFontColor(grid, "TitleFont", globalFont);
  if (IsAdvancedGrid(grid)) {
    SetFontColor(grid, "FixedFont", globalFont);
    ForEachColumn(grid, [&](TObject& column) {
      SetFontColor(&column, "HeaderFont", globalFont);
      SetFontColor(&column, "Font", section.HotFontColor[0]);
      SetColorProperty(&column, "Color", section.Color);
    });
  }
  SetColorProperty(grid, "FooterColor", storedGlobal);
  SetColorProperty(grid, "FooterCellColor", storedGlobal);
  SetColorProperty(grid, "TitleColor", storedGlobal);
  SetColorProperty(grid, "IndicatorIconColor", section.FontColor[0]);
}

void TSkGridWnd::RestoreStdLook() {
  TSkEditWnd::RestoreStdLook();
  TControl* grid = SkinData->HostControl();
  if (!grid || grid->IsDestroying()) return;
  SetColorProperty(grid, "FixedColor", StdFixedColor);
  SetFontColor(grid, "TitleFont", StdTitleFontColor);
  if (IsAdvancedGrid(grid)) {
    SetFontColor(grid, "FixedFont", StdTitleFontColor);
    ForEachColumn(grid, [this](TObject& column) {
      SetFontColor(&column, "HeaderFont", StdTitleFontColor);
      SetFontColor(&column, "Font", StdFontColor);
      SetColorProperty(&column, "Color", StdColor);
    });
  }
  SetColorProperty(grid, "FooterColor", StdFooterColor);
  SetColorProperty(grid, "FooterCellColor", StdFooterCellColor);
  SetColorProperty(grid, "TitleColor", StdTitleColor);
  SetColorProperty(grid, "IndicatorIconColor", StdIndicatorIconColor);
}

// A data-aware grid moves its record pointer by the position: dropping the
// thumb leaves it one past the tracked position.
void TSkGridWnd::FollowTrackedThumb(WPARAM request) {
  if (request == SB_THUMBPOSITION)
    VertBar.Info.nPos = VertBar.Info.nTrackPos + 1;
  else if (request == SB_THUMBTRACK)
    VertBar.Info.nPos = VertBar.Info.nTrackPos;
  VertBar.Info.fMask = SIF_ALL;
  SetScrollInfo(Handle, SB_VERT, VertBar.Info, false);
}

void TSkGridWnd::PrintCells(const TMessage& message) {
  const auto dc = reinterpret_cast<HDC>(message.WParam);
  const int saved = SaveDC(dc);
  OffsetWindowOrgEx(dc, -EdgeLeft, -EdgeLeft, nullptr);
  const TRect client = ClientInPrint();
  IntersectClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
  SendMessage(Handle, WM_PAINT, message.WParam, message.LParam);
  RestoreDC(dc, saved);
}

// The grid makes its own scroll bars again once the skin is gone.
void TSkGridWnd::RebuildScrollBars() {
  auto* grid = dynamic_cast<TDrawGrid*>(SkinData->HostControl());
  if (!grid) return;
  const TScrollStyle bars = grid->ScrollBars();
  grid->SetScrollBars(ssNone);
  grid->SetScrollBars(bars);
}

void TSkGridWnd::AdapterWndProc(TMessage& message) {
  if (Detached || !SkinData || !SkinData->Skinned(false)) return TSkEditWnd::AdapterWndProc(message);
  switch (message.Msg) {
    case WM_ERASEBKGND: SkinData->PaintSuspended = SkinData->PaintingSuspended(); return;
    case WM_VSCROLL:
      if (HasProperty(SkinData->HostControl(), "DataSource")) FollowTrackedThumb(LOWORD(message.WParam));
      break;
    case WM_PRINT:
      TSkEditWnd::AdapterWndProc(message);
      PrintCells(message);
      return;
    default: break;
  }
  const bool removedByOwnManager = message.Msg == SM_SKINCMD && SubCommandOf(message.WParam) == scSkinRemoved &&
                                   reinterpret_cast<TSkinManager*>(message.LParam) == SkinData->GetSkinManager();
  TSkEditWnd::AdapterWndProc(message);
  switch (message.Msg) {
    case WM_PAINT: SyncScrollInfo(*this, true); break;
    case WM_WINDOWPOSCHANGED:
      if (IsWindowVisible(Handle)) SendMessage(Handle, WM_NCPAINT, 0, 0);
      break;
    default:
      if (removedByOwnManager) RebuildScrollBars();
      break;
  }
}
