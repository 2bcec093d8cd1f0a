#include "skin/SkinCommonData.h"

#include <algorithm>
#include <utility>

#include "runtime/AsciiCase.h"
#include "skin/ControlRoutines.h"
#include "skin/forms/SkinProvider.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/CornerRepair.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Frame.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

namespace {

// The section a class of host takes when none was given.
struct TClassSection {
  int First;
  int Last;
  const char* Section;
};
constexpr TClassSection DefaultSections[] = {
    {2, 8, "EDIT"},          {10, 10, "EDIT"},        {41, 41, "EDIT"},        {76, 76, "EDIT"},
    {78, 78, "EDIT"},        {83, 84, "EDIT"},        {96, 97, "EDIT"},        {131, 131, "EDIT"},
    {140, 140, "EDIT"},      {227, 227, "EDIT"},      {11, 18, "COMBOBOX"},    {81, 82, "COMBOBOX"},
    {19, 19, "BAR"},         {20, 20, "BARTITLE"},    {32, 32, "CHECKBOX"},    {152, 152, "CHECKBOX"},
    {33, 33, "RADIOBUTTON"}, {51, 51, "PANEL"},       {59, 59, "PANEL"},       {68, 68, "PANEL"},
    {73, 73, "PANEL"},       {52, 52, "PANEL_LOW"},   {58, 58, "PANEL_LOW"},   {53, 54, "TOOLBAR"},
    {60, 60, "TOOLBAR"},     {56, 56, "DRAGBAR"},     {57, 57, "TABSHEET"},    {74, 74, "GROUPBOX"},
    {226, 226, "GROUPBOX"},  {75, 75, "SPLITTER"},    {92, 92, "SPEEDBUTTON"}, {95, 95, "SPEEDBUTTON"},
    {93, 94, "BUTTON"},      {98, 98, "TOOLBUTTON"},  {141, 141, "PAGECONTROL"}, {143, 143, "PAGECONTROL"},
    {151, 151, "STATUSBAR"}, {161, 161, "GAUGE"},     {165, 165, "TRACKBAR"},
};

const TSkinGeneralData NoSection;

bool IsDesigning(const TObject* object) {
  const auto* component = dynamic_cast<const TComponent*>(object);
  return component && (component->ComponentState() & csDesigning);
}

bool IsDestroyingObject(const TObject* object) {
  const auto* component = dynamic_cast<const TComponent*>(object);
  return component && component->IsDestroying();
}

bool InsideFrame(const TComponent* component) {
  for (const TComponent* owner = component->Owner(); owner; owner = owner->Owner())
    if (dynamic_cast<const TFrame*>(owner)) return true;
  return false;
}

// Hosts whose children may fill with their plain colour instead of copying it.
bool MayHavePlainBackground(const TControl* host) {
  return dynamic_cast<const TFrame*>(host) || dynamic_cast<const TPanel*>(host) ||
         dynamic_cast<const TScrollingWinControl*>(host) || dynamic_cast<const TPageControl*>(host);
}

TColor Clamp255(int value) { return TColor(std::clamp(value, 0, 255)); }

}  // namespace

TColor BlendOverParent(TColor own, TColor parent, int transparency) {
  const int weight = std::clamp(transparency, 0, 100) * 255 / 100;
  TColor result = parent & 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8) {
    const int ownChannel = int(own >> shift & 0xFF);
    const int parentChannel = int(parent >> shift & 0xFF);
    result |= Clamp255((parentChannel * weight + ownChannel * (255 - weight) + 127) >> 8) << shift;
  }
  return result;
}

bool InNoHotStateCodes(int classCode) {
  return classCode == 19 || (classCode >= 51 && classCode <= 74) || classCode == 110 ||
         (classCode >= 141 && classCode <= 161);
}

// ---------------------------------------------------------------- construction and properties

TSkinCommonData::TSkinCommonData(TObject* owner, bool withCacheBitmap)
    : hostControl_(dynamic_cast<TControl*>(owner)), hostObject_(owner) {
  if (withCacheBitmap) cacheBitmap_ = std::make_unique<TBitmap>(0, 0, pf24bit);
}

TSkinCommonData::~TSkinCommonData() = default;

void TSkinCommonData::SetHost(TObject* owner) {
  hostObject_ = owner;
  hostControl_ = dynamic_cast<TControl*>(owner);
}

void TSkinCommonData::SetSkinSection(const std::string& value) {
  if (value == skinSection_) return;
  skinSection_ = value.empty() ? "UNKNOWN" : AsciiUppered(value);
  TSkinManager* manager = GetSkinManager();
  const bool hasSections = manager && manager->SectionCount() > 0;
  if (hasSections)
    ResolveIndexes();
  else
    SectionIndex = -1;
  if (!hostControl_ || (hostControl_->ComponentState() & (csLoading | csReading)) || !hostControl_->Parent() ||
      hostControl_->IsDestroying()) {
    if (TSkinProvider* provider = HostProvider()) {
      CacheStale = true;
      provider->TitleCache.reset();
    }
    return;
  }
  const WORD sub = hasSections && manager->IsSectionIndex(SectionIndex) ? scSkinChanged : scSkinRemoved;
  hostControl_->Perform(SM_SKINCMD, SkinCommand(sub), reinterpret_cast<LPARAM>(manager));
}

void TSkinCommonData::SetSkinManager(TSkinManager* value) {
  if (value == skinManager_) return;
  skinManager_ = value == DefaultManager() ? nullptr : value;
  if (hostControl_ && hostControl_->IsLoading()) return;
  const bool hasSections = value && value->SectionCount() > 0;
  if (hasSections)
    ResolveIndexes();
  else
    SectionIndex = -1;
  if (!hostControl_ || !hostControl_->Parent() || hostControl_->IsDestroying()) return;
  const WORD sub = hasSections && value->IsSectionIndex(SectionIndex) ? scSkinChanged : scSkinRemoved;
  // A host failing over its new manager must not break the assignment.
  try {
    hostControl_->Perform(SM_SKINCMD, SkinCommand(sub), reinterpret_cast<LPARAM>(value));
  } catch (...) {
  }
}

TSkinManager* TSkinCommonData::GetSkinManager() const { return skinManager_ ? skinManager_ : DefaultManager(); }

void TSkinCommonData::SetCustomColor(bool value) {
  if (value == customColor_) return;
  customColor_ = value;
  if (Skinned(false) && dynamic_cast<TCustomEdit*>(hostControl_) && !hostControl_->IsLoading())
    ApplySectionColorsToEdit();
  Invalidate();
}

void TSkinCommonData::SetCustomFont(bool value) {
  if (value == customFont_) return;
  customFont_ = value;
  Invalidate();
}

void TSkinCommonData::ApplySectionColorsToEdit() {
  const TSkinGeneralData& section = Section();
  if (!customColor_ && hostControl_->Color() != section.Color) hostControl_->SetColor(section.Color);
  if (!customFont_ && hostControl_->Font().Color() != section.FontColor[0])
    hostControl_->Font().SetColor(section.FontColor[0]);
}

void TSkinCommonData::ResetEditColors() {
  if (!customColor_) hostControl_->SetColor(clWindow);
  if (!customFont_) hostControl_->Font().SetColor(clWindowText);
}

// ---------------------------------------------------------------- sections and indexes

const char* TSkinCommonData::DefaultSection() const {
  for (const TClassSection& entry : DefaultSections)
    if (ClassCode >= entry.First && ClassCode <= entry.Last) return entry.Section;
  return nullptr;
}

void TSkinCommonData::ApplyDefaultSection() {
  if (!skinSection_.empty()) {
    ResolveIndexes();
    return;
  }
  const char* section = DefaultSection();
  SetSkinSection(section ? section : hostObject_ ? hostObject_->ClassName() : "");
}

void TSkinCommonData::ResolveIndexes() {
  const auto* component = dynamic_cast<const TComponent*>(hostObject_);
  if (component && (component->ComponentState() & csDesigning) && InsideFrame(component)) {
    SectionIndex = PatternIndex = HotPatternIndex = -1;
    return;
  }
  CacheStale = true;
  TSkinManager* manager = GetSkinManager();
  SectionIndex = manager ? manager->SectionIndexOf(skinSection_) : -1;
  StateFlags = 0;
  if (SectionIndex < 0) {
    PatternIndex = HotPatternIndex = -1;
    return;
  }
  BorderMaskIndex = manager->MaskIndexOf(SectionIndex, skinSection_, "BORDERSMASK");
  PatternIndex = manager->TextureIndexOf(SectionIndex, skinSection_, "PATTERN");
  HotPatternIndex = manager->TextureIndexOf(SectionIndex, skinSection_, "HOTPATTERN");
  UpdatePlainFlag(false);
}

const TSkinGeneralData& TSkinCommonData::Section() const {
  const TSkinManager* manager = GetSkinManager();
  return manager && manager->IsSectionIndex(SectionIndex) ? manager->Section(SectionIndex) : NoSection;
}

int TSkinCommonData::TransparencyOf(int state) const {
  return state == 0 ? Section().Transparency : Section().HotTransparency;
}

void TSkinCommonData::Loaded() {
  ApplyDefaultSection();
  if (!Skinned(false) || !hostControl_ || !hostControl_->Parent() || hostControl_->IsLoading()) return;
  if (dynamic_cast<TWinControl*>(hostControl_)) AnnounceToParentForm(hostControl_);
  if (dynamic_cast<TCustomEdit*>(hostControl_) || ClassCode == 97) ApplySectionColorsToEdit();
}

// ---------------------------------------------------------------- queries

bool TSkinCommonData::Skinned(bool checkActive) const {
  const TSkinManager* manager = GetSkinManager();
  if (!manager || SectionIndex < 0 || IsDestroyingObject(hostObject_) || manager->IsDestroying()) return false;
  if (checkActive && !manager->SkinActive()) return false;
  return SectionIndex < manager->SectionCount();
}

bool TSkinCommonData::LookIsComplex() const {
  const TSkinManager* manager = GetSkinManager();
  if (!manager || SectionIndex < 0) return false;
  if (BorderMaskIndex >= 0) {
    const TMaskBorders borders = manager->MaskBorders(BorderMaskIndex);
    if (borders.Left + borders.Top + borders.Right + borders.Bottom > 24) return true;
  }
  const TSkinGeneralData& section = Section();
  if (section.Transparency == 100) {
    if (!hostControl_ || !hostControl_->Parent()) return true;
    return !(AskControl(hostControl_->Parent(), scPlainBackground) & sfPlainBackground);
  }
  if (section.Transparency != 0) return true;
  return section.ImagePercent != 0 || section.GradientPercent != 0;
}

bool TSkinCommonData::IsTransparentSection() const { return Skinned(false) && Section().Transparency > 0; }

void TSkinCommonData::UpdatePlainFlag(bool tellChildren) {
  StateFlags &= ~sfPlainBackground;
  if (!hostControl_) {
    if (HostProvider() && !LookIsComplex()) StateFlags |= sfPlainBackground;
    return;
  }
  if (MayHavePlainBackground(hostControl_) && !LookIsComplex()) StateFlags |= sfPlainBackground;
  auto* windowed = dynamic_cast<TWinControl*>(hostControl_);
  if (!tellChildren || !windowed) return;
  for (int i = 0; i < windowed->ControlCount(); ++i) SendSkinCommandTo(windowed->Controls(i), scPlainBackground, 1);
}

bool TSkinCommonData::IsActiveState() const {
  if (!hostControl_ || hostControl_->IsDestroying() || !hostControl_->Enabled() || IsDesigning(hostControl_))
    return false;
  const auto* windowed = dynamic_cast<const TWinControl*>(hostControl_);
  if (HasFocus || (windowed && windowed->Focused())) return true;
  return MouseInside && !InNoHotStateCodes(ClassCode);
}

bool TSkinCommonData::MustUseCache() const {
  return AnimationRunning || !(StateFlags & sfPlainBackground) || IsActiveState();
}

bool TSkinCommonData::PaintingSuspended() const {
  const TSkinManager* manager = GetSkinManager();
  if (!manager || IsDesigning(manager)) return false;
  if (!MustUseCache() || !hostControl_ || hostControl_->IsDestroying()) return PaintSuspended;
  if (!PaintSuspended && hostControl_->Parent())
    return (AskControl(hostControl_->Parent(), scIsPaintingSuspended) & 0xFF) != 0;
  return true;
}

bool TSkinCommonData::DependsOnParentImage() const {
  if (CacheFrozen || !Skinned(false)) return true;
  if (!hostControl_ || (hostControl_->ControlState & csCreating) || !hostControl_->Visible()) return true;
  if (!GetSkinManager()->IsSectionIndex(SectionIndex)) return false;
  const bool dependent = !hostControl_->Enabled() || Section().Transparency > 0;
  TWinControl* parent = hostControl_->Parent();
  if (dependent && parent && parent->HandleAllocated())
    return (SendSkinCommand(parent->Handle(), scHasComplexBackground, 0) & 0xFF) != 0;
  return dependent;
}

TColor TSkinCommonData::FallbackColor() const {
  if (hostControl_) return hostControl_->Color();
  const TSkinProvider* provider = HostProvider();
  const TForm* form = provider ? provider->HostForm() : nullptr;
  return form ? form->Color() : clBtnFace;
}

TSkinProvider* TSkinCommonData::HostProvider() const { return dynamic_cast<TSkinProvider*>(hostObject_); }

// Without a host control the form of a provider hears it.
void TSkinCommonData::TellHost(WORD subCommand) {
  if (hostControl_) {
    hostControl_->Perform(SM_SKINCMD, SkinCommand(subCommand), 0);
    return;
  }
  const TSkinProvider* provider = HostProvider();
  TForm* form = provider ? provider->HostForm() : nullptr;
  if (form && form->HandleAllocated()) SendMessage(form->Handle(), SM_SKINCMD, SkinCommand(subCommand), 0);
}

TColor TSkinCommonData::ParentColor(HWND window) const {
  if (!hostControl_) {
    const HWND parent = window ? GetParent(window) : nullptr;
    return parent ? WindowColorOf(parent) : ColorToRGB(clBtnFace);
  }
  TWinControl* parent = hostControl_->Parent();
  if (!parent) return ColorToRGB(hostControl_->Color());
  const TColor color = ParentColorOf(parent);
  return color == clSkinKey ? ColorToRGB(parent->Color()) : color;
}

TColor TSkinCommonData::ControlColor(int state, HWND window) const {
  if (!Skinned(false)) return FallbackColor();
  const TSkinGeneralData& section = Section();
  const TColor own = state == 0 ? section.Color : section.HotColor;
  const int transparency = TransparencyOf(state);
  if (transparency <= 0) return customColor_ ? FallbackColor() : own;
  const TColor parent = ParentColor(window);
  return transparency >= 100 ? parent : BlendOverParent(own, parent, transparency);
}

int TSkinCommonData::MaxBorderWidth() const {
  const TSkinManager* manager = GetSkinManager();
  if (!manager || BorderMaskIndex < 0) return 0;
  const TMaskBorders borders = manager->MaskBorders(BorderMaskIndex);
  if (borders.NoBorderInNormalState) return 0;
  return std::max({borders.Left, borders.Top, borders.Right, borders.Bottom});
}

void TSkinCommonData::ParentBackdrop(TBackdropRef& ref) const {
  if (!Skinned(false) || !hostControl_ || !hostControl_->Parent()) {
    ref = TBackdropRef{};
    ref.FillColor = ControlColor(0);
    return;
  }
  TBackdropQuery query;
  AskBackdrop(query, hostControl_->Parent(), false);
  ref = QueryToBackdropRef(query);
}

void TSkinCommonData::WindowParentBackdrop(HWND window, TBackdropRef& ref) const {
  const HWND parent = window ? GetParent(window) : nullptr;
  if (!parent) {
    ref.Ready = false;
    return;
  }
  TBackdropQuery query;
  AskWindowBackdrop(query, parent, false);
  ref = QueryToBackdropRef(query);
}

// ---------------------------------------------------------------- actions

bool TSkinCommonData::HostMayChange() const {
  return hostControl_ && !hostControl_->IsDestroying() && !hostControl_->IsLoading();
}

void TSkinCommonData::Invalidate() {
  if (!HostMayChange()) return;
  CacheStale = true;
  if (ControlCanPaint(hostControl_)) hostControl_->Invalidate();
}

void TSkinCommonData::PrepareCacheBitmap() {
  if (!cacheBitmap_) cacheBitmap_ = std::make_unique<TBitmap>();
  if (cacheBitmap_->PixelFormat() != pf24bit) cacheBitmap_->SetPixelFormat(pf24bit);
  if (!hostControl_) return;
  if (cacheBitmap_->Width() != hostControl_->Width()) cacheBitmap_->SetWidth(hostControl_->Width());
  if (cacheBitmap_->Height() != hostControl_->Height()) cacheBitmap_->SetHeight(hostControl_->Height());
}

void TSkinCommonData::ReleaseCacheBitmap() { cacheBitmap_.reset(); }

void TSkinCommonData::SuspendPaint() {
  PaintSuspended = true;
  TellHost(scPaintSuspended);
}

void TSkinCommonData::ResumePaint() {
  PaintSuspended = false;
  TellHost(scPaintResumed);
}

void TSkinCommonData::AnswerFromCache(TBackdropQuery& query) {
  query.Kind = bkImage;
  if (query.DrawNow) {
    BitBlt(query.DC, query.Rect.Left, query.Rect.Top, query.Rect.Width(), query.Rect.Height(),
           cacheBitmap_->Canvas().Handle(), query.Offset.X, query.Offset.Y, SRCCOPY);
    return;
  }
  query.Bmp = cacheBitmap_.get();
  query.Offset = {0, 0};
}

void TSkinCommonData::AnswerBackgroundRequest(TBackdropQuery& query, int state, HWND window) {
  if (!Skinned(false) || customColor_) {
    query.Kind = bkColor;
    if (hostControl_) query.Color = hostControl_->Color();
    return;
  }
  const TSkinGeneralData& section = Section();
  const int transparency = TransparencyOf(state);
  const int gradient = state == 0 ? section.GradientPercent : section.HotGradientPercent;
  const int image = state == 0 ? section.ImagePercent : section.HotImagePercent;
  if (transparency == 0 && gradient <= 0 && image <= 0) {
    query.Kind = bkColor;
    query.Bmp = cacheBitmap_.get();
    query.Color = ControlColor(state, window);
    if (query.DrawNow) FillDeviceRect(query.DC, query.Rect, query.Color);
    return;
  }
  if (transparency == 100) {
    const TMaskBorders borders = BorderMaskIndex >= 0 ? GetSkinManager()->MaskBorders(BorderMaskIndex) : TMaskBorders{};
    if (borders.Left + borders.Top + borders.Right + borders.Bottom > 24) {
      if (cacheBitmap_)
        AnswerFromCache(query);
      else
        query.Kind = bkColor;
    } else if (hostControl_ && hostControl_->Parent()) {
      AskBackdrop(query, hostControl_->Parent(), query.DrawNow);
      if (query.Kind == bkImage) query.Offset = {query.Offset.X + hostControl_->Left(), query.Offset.Y + hostControl_->Top()};
    } else if (window && GetParent(window)) {
      AskWindowBackdrop(query, GetParent(window), query.DrawNow);
    } else {
      query.Kind = bkColor;
      query.Color = DefaultManager() ? DefaultManager()->GlobalColor() : ColorToRGB(clBtnFace);
    }
    return;
  }
  if (!cacheBitmap_) {
    query.Kind = bkColor;
    query.Color = clSkinKey;
    return;
  }
  AnswerFromCache(query);
}

// ---------------------------------------------------------------- the skin command

void TSkinCommonData::SkinApplied() {
  ResolveIndexes();
  UpdatePlainFlag(false);
}

void TSkinCommonData::SkinRemoved() {
  TSkinManager* manager = GetSkinManager();
  if (manager && manager->IsDestroying()) skinManager_ = nullptr;
  BorderMaskIndex = SectionIndex = PatternIndex = HotPatternIndex = -1;
  PaintSuspended = true;
  if (cacheBitmap_) cacheBitmap_->SetSize(0, 0);
  if (dynamic_cast<TCustomEdit*>(hostControl_)) ResetEditColors();
}

void TSkinCommonData::SkinChanged() {
  CacheStale = true;
  PaintSuspended = false;
  if (Skinned(false) && hostControl_) {
    if (dynamic_cast<TCustomEdit*>(hostControl_)) ApplySectionColorsToEdit();
    if (dynamic_cast<TWinControl*>(hostControl_)) AnnounceToParentForm(hostControl_);
  }
  UpdatePlainFlag(false);
}

LRESULT TSkinCommonData::ComplexBackgroundAnswer() const {
  const TSkinGeneralData& section = Section();
  TWinControl* parent = hostControl_ ? hostControl_->Parent() : nullptr;
  if (section.Transparency == 100 && parent)
    return parent->HandleAllocated() ? SendSkinCommand(parent->Handle(), scHasComplexBackground, 0) & 0x7F : 0;
  return section.GradientPercent + section.ImagePercent > 0 || DependsOnParentImage() ? 1 : 0;
}

// Needs a host control.
LRESULT TSkinCommonData::ColorAnswer() const {
  if (!Skinned(false)) return ColorToRGB(hostControl_->Color());
  const TSkinGeneralData& section = Section();
  if (section.Transparency <= 0) return section.Color;
  const TColor parent = ParentColor(nullptr);
  return section.Transparency >= 100 ? parent : BlendOverParent(section.Color, parent, section.Transparency);
}

void TSkinCommonData::TellChildren(WPARAM wParam, LPARAM lParam, bool skipRightOrBottomAnchored) {
  auto* windowed = dynamic_cast<TWinControl*>(hostControl_);
  if (!windowed) return;
  for (int i = 0; i < windowed->ControlCount(); ++i) {
    TControl* child = windowed->Controls(i);
    if (child->IsDestroying()) continue;
    if (skipRightOrBottomAnchored && (child->Anchors() & (akRight | akBottom))) continue;
    child->Perform(SM_SKINCMD, wParam, lParam);
  }
}

void TSkinCommonData::ParentImageChanged(WORD lo) {
  const bool dependent = DependsOnParentImage();
  CacheStale = CacheStale || dependent;
  auto* windowed = dynamic_cast<TWinControl*>(hostControl_);
  if (!windowed) return;
  if (lo == 1 && windowed->HandleAllocated())
    RedrawWindow(windowed->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN);
  if (dependent) TellChildren(SkinCommand(scParentImageChanged, 0), 0, false);
}

bool HandleSkinCommand(TMessage& message, TSkinCommonData* data) {
  if (!data || message.Msg != SM_SKINCMD) return false;
  const bool fromOwnManager = reinterpret_cast<LPARAM>(data->GetSkinManager()) == message.LParam;
  const WORD lo = LoOf(message.WParam);
  switch (SubCommandOf(message.WParam)) {
    case scSkinApplied:
      if (fromOwnManager) data->SkinApplied();
      return false;
    case scSkinRemoved:
      if (fromOwnManager) data->SkinRemoved();
      return false;
    case scSkinChanged:
      if (fromOwnManager) data->SkinChanged();
      return false;
    case scIsSkinnable:
      message.Result = 1;
      return true;
    case scSetPaintSuspended:
      data->PaintSuspended = lo == 1;
      return false;
    case scFreezeCache:
      data->CacheFrozen = lo == 1;
      return false;
    case scIsPaintingSuspended:
      message.Result = data->CacheStale || data->PaintSuspended ? 1 : 0;
      return true;
    case scWasPartlyPainted:
      message.Result = data->PartlyPainted ? 1 : 0;
      return true;
    case scParentLookChanged:
      if (lo == 1 && data->IsTransparentSection()) data->CacheStale = true;
      return false;
    case scChildRepainting:
      data->RepaintingChild = reinterpret_cast<TControl*>(message.LParam);
      return false;
    case scInvalidateCache:
      data->CacheStale = true;
      return false;
    case scHasComplexBackground:
      if (data->SectionIndex < 0) return false;
      message.Result = data->ComplexBackgroundAnswer();
      message.LParam = message.Result;
      return true;
    case scParentImageChanged:
      data->ParentImageChanged(lo);
      return false;
    case scGetColor:
      if (!data->HostControl()) return false;
      message.Result = data->ColorAnswer();
      return true;
    case scPartlyPainted:
      data->PartlyPainted = true;
      return false;
    case scGetSection:
      message.Result = data->SectionIndex + 1;
      return true;
    case scGetBackdrop:
      data->AnswerBackgroundRequest(*reinterpret_cast<TBackdropQuery*>(message.LParam), 0, nullptr);
      return false;
    case scPlainBackground:
      if (message.LParam == 1) data->UpdatePlainFlag(true);
      message.Result = data->StateFlags;
      return true;
    case scGetApplication:
      message.Result = reinterpret_cast<LRESULT>(&Application());
      return false;
    default:
      return false;
  }
}

// ---------------------------------------------------------------- ordinary messages

bool HandleCommonMessage(TMessage& message, TSkinCommonData* data) {
  if (!data) return false;
  TControl* host = data->HostControl();
  auto* windowed = dynamic_cast<TWinControl*>(host);
  switch (message.Msg) {
    case SM_SKINCMD:
      return HandleSkinCommand(message, data);
    case WM_MOVE:
      if (data->DependsOnParentImage()) {
        data->CacheStale = true;
        if (host) host->Perform(SM_SKINCMD, SkinCommand(scParentImageChanged, 1), 0);
      }
      return false;
    case WM_SIZE:
      if (!data->Skinned(false)) return false;
      data->CacheStale = true;
      if (windowed && data->Section().GradientPercent > 0)
        data->TellChildren(SkinCommand(scParentImageChanged, 1), 0, true);
      return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (windowed && windowed->CanFocus() && windowed->TabStop) {
        data->CacheStale = true;
        data->HasFocus = message.Msg == WM_SETFOCUS;
      }
      return false;
    case WM_FONTCHANGE:
    case CM_ENABLEDCHANGED:
      data->HasFocus = false;
      data->MouseInside = false;
      return false;
    case WM_UPDATEUISTATE:
      if (data->Skinned(false)) return true;
      if (SetWindowThemeProc && windowed) SetWindowThemeProc(windowed->Handle(), nullptr, nullptr);
      return false;
    case WM_PARENTNOTIFY:
      if (windowed && LOWORD(message.WParam) == WM_CREATE) AnnounceToParentForm(host);
      return false;
    case CM_VISIBLECHANGED:
      if (!data->CacheBitmap()) return false;
      if (message.WParam) {
        data->PaintSuspended = false;
        data->CacheStale = true;
      } else {
        data->CacheBitmap()->SetSize(0, 0);
      }
      return false;
    case CM_MOUSEENTER:
      if (!host || IsDesigning(host)) return false;
      if (!InNoHotStateCodes(data->ClassCode)) data->MouseInside = true;
      if (windowed && windowed->HandleAllocated() && DefaultManager())
        DefaultManager()->ChangeHotWindow(windowed->Handle());
      return false;
    case CM_MOUSELEAVE:
      if (host && !IsDesigning(host) && !InNoHotStateCodes(data->ClassCode)) data->MouseInside = false;
      return false;
    default:
      return false;
  }
}

// ---------------------------------------------------------------- tool buttons

int FontSectionOfToolButton(TControl* button, int defaultSection, TSkinManager* manager) {
  if (!button || !manager) return defaultSection;
  TWinControl* parent = button->Parent();
  while (parent) {
    const LRESULT answer = AskControl(parent, scGetSection);
    if (answer <= 0 || !manager->IsSectionIndex(int(answer - 1))) return defaultSection;
    const TSkinGeneralData& section = manager->Section(int(answer - 1));
    if (section.Transparency > 50 && parent->Parent()) {
      parent = parent->Parent();
      continue;
    }
    return section.GiveOwnFont ? int(answer - 1) : defaultSection;
  }
  return defaultSection;
}

namespace {

bool Overlap(const TRect& a, const TRect& b) {
  TRect common;
  return IntersectRect(common, a, b);
}

// The cache copied under a clip to dstRect less what exclude leaves out.
template <class Exclude>
void CopyCacheExcluding(TSkinCommonData& data, const TRect& srcOrigin, bool repairCorners, HDC dc,
                        const TRect& dstRect, Exclude exclude) {
  TBitmap* cache = data.CacheBitmap();
  if (!cache) return;
  if (repairCorners) RepairAllCorners(data, 0);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, dstRect.Left, dstRect.Top, dstRect.Right, dstRect.Bottom);
  exclude();
  BitBlt(dc, dstRect.Left, dstRect.Top, dstRect.Width(), dstRect.Height(), cache->Canvas().Handle(), srcOrigin.Left,
         srcOrigin.Top, SRCCOPY);
  RestoreDC(dc, saved);
}

void ExcludeRect(HDC dc, const TRect& r) { ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom); }

// A group box's frame: its caption band on top, the GROUPBOX section's
// border widths on the other sides.
void ExcludeGroupBoxFrame(HDC dc, HWND box, const TRect& r, TSkinManager& manager) {
  const int top = int(SendSkinCommand(box, scGetCaptionHeight, 0));
  const int mask = manager.MaskIndexOfNames("GROUPBOX", "BORDERSMASK");
  const TMaskBorders borders = manager.IsMaskIndex(mask) ? manager.MaskBorders(mask) : TMaskBorders{};
  ExcludeRect(dc, Rect(r.Left, r.Top, r.Right, r.Top + top));
  ExcludeRect(dc, Rect(r.Left, r.Top + top, r.Left + borders.Left, r.Bottom));
  ExcludeRect(dc, Rect(r.Right - borders.Right, r.Top + top, r.Right, r.Bottom));
  ExcludeRect(dc, Rect(r.Left + borders.Left, r.Bottom - borders.Bottom, r.Right - borders.Right, r.Bottom));
}

bool IsGroupBoxWindow(HWND window) {
  return (GetWindowLongPtr(window, GWL_STYLE) & BS_GROUPBOX) == BS_GROUPBOX &&
         !(GetWindowLongPtr(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

}  // namespace

void CopyCacheToDC(TWinControl* parent, TSkinCommonData& data, const TRect& srcOrigin, int offsetY, int offsetX,
                   bool repairCorners, HDC dc, const TRect& dstRect) {
  CopyCacheExcluding(data, srcOrigin, repairCorners, dc, dstRect, [&] {
    if (!parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
      TControl* child = parent->Controls(i);
      const bool leftOut = !dynamic_cast<TWinControl*>(child) || (child->ControlStyle & csOpaque) || IsDesigning(child);
      if (!child->Visible() || !leftOut) continue;
      TRect r = child->BoundsRect();
      OffsetRect(r, offsetX, offsetY);
      if (Overlap(r, dstRect)) ExcludeRect(dc, r);
    }
  });
}

void CopyCacheToDCByWindows(HWND window, TSkinCommonData& data, const TRect& srcOrigin, int offsetY, int offsetX,
                            bool repairCorners, HDC dc, const TRect& dstRect) {
  CopyCacheExcluding(data, srcOrigin, repairCorners, dc, dstRect, [&] {
    TRect windowRect;
    if (!window || !GetWindowRect(window, windowRect)) return;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (!IsWindowVisible(child)) continue;
      TRect r;
      GetWindowRect(child, r);
      OffsetRect(r, offsetX - windowRect.Left, offsetY - windowRect.Top);
      if (!IsGroupBoxWindow(child))
        ExcludeRect(dc, r);
      else if (TSkinManager* manager = DefaultManager())
        ExcludeGroupBoxFrame(dc, child, r, *manager);
    }
  });
}
