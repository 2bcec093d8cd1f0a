// The provider component: making it on a form, freeing it, loading,
// hearing of managers and controls, and its properties.

#include "skin/forms/SkinProvider.h"

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/SkinMessageBoxes.h"
#include "skin/SkinnedForms.h"
#include "skin/adapters/SkCtrlAdapter.h"
#include "skin/adapters/SkScrollWnd.h"
#include "skin/menus/SkinSystemMenu.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Frame.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"

TSkinProvider* ActiveChildProvider = nullptr;
bool ButtonPressed = false;
bool MaximizeNewChild = false;
bool UseDwmFrames = false;

void ResetProviderGlobals() {
  ActiveChildProvider = nullptr;
  ButtonPressed = false;
  MaximizeNewChild = false;
  UseDwmFrames = false;
}

namespace {

// Stores a new value; false when it was already held.
template <class T>
bool Change(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

// Another provider among the components the form owns.
bool FormHasOtherProvider(const TForm* form, const TSkinProvider* self) {
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* other = dynamic_cast<TSkinProvider*>(form->Components(i));
    if (other && other != self) return true;
  }
  return false;
}

}  // namespace

TSkinProvider::TSkinProvider(TComponent* owner, TBare)
    : TComponent(owner),
      skinData_(std::make_unique<TSkinCommonData>(this, true)),
      titleButtons_(std::make_unique<TSkinTitleButtons>(this)),
      titleIcon_(std::make_unique<TSkinTitleIcon>()) {
  skinData_->ClassCode = ProviderClassCode;
}

TSkinProvider::TSkinProvider(TComponent* owner) : TSkinProvider(owner, TBare{}) {
  hostForm_ = OwnerForm(this);
  if (dynamic_cast<TFrame*>(owner))
    ShowWarning(
        "TSkinProvider component must be used with forms only!\r\nFor frames skinning may be used "
        "TSkinFrameAdapter component.");
  skinData_->SetSkinSection("FORM");
  if (hostForm_ && hostForm_->ControlState != 0) skinData_->SetPaintSuspended(true);
  if (hostForm_ && FormHasOtherProvider(hostForm_, this)) {
    hostForm_ = nullptr;
    if (Designing()) ShowWarning("Only one instance of the TSkinProvider component is allowed!");
  }
  hostComponent_ = hostForm_;
  if (!Designing() && hostForm_) AttachToForm();
  AfterConstruction();
}

void TSkinProvider::AttachToForm() {
  ButtonsBackdrop = std::make_unique<TBitmap>();
  MenuLineBitmap = std::make_unique<TBitmap>(0, 0, pf24bit);
  MdiSetupPending = true;
  BorderCutRects.clear();
  MenuRowCount = -1;
  SavedWindowProc = hostForm_->WindowProc.Current();
  hostForm_->WindowProc = TWndHandler::OfMethod(&WindowProcOf, this);
  AddSkinnedForm(hostForm_);
  ActiveLook = true;
}

void TSkinProvider::WindowProcOf(TObject* self, TMessage& message) {
  static_cast<TSkinProvider*>(self)->NewWindowProc(message);
}

// What the skin made of the form goes back in the reverse order of taking
// it: the scroll adapter saved this provider's window method as its own,
// so it goes before the form gets its own method back.
TSkinProvider::~TSkinProvider() {
  const bool formGone = FormGoing();
  ScrollWnd.reset();
  ControlAdapter.reset();
  if (hostComponent_ && !Designing()) {
    RemoveSkinnedForm(hostComponent_);
    if (!formGone) GiveFormBack();
    if (MdiMainProvider == this) MdiMainProvider = nullptr;
  }
  delete SysMenu;
  if (ActiveChildProvider == this) ActiveChildProvider = nullptr;
}

bool TSkinProvider::FormGoing() const { return IsDestroying() || (hostComponent_ && hostComponent_->IsDestroying()); }

void TSkinProvider::GiveFormBack() {
  hostForm_->WindowProc = SavedWindowProc;
  ToggleSysMenuStyle(false);
  SetFrameOwn(false);
  TellMdiFrameMenuChanged();
}

// A child's menu merged into the frame's menu line goes with it.
void TSkinProvider::TellMdiFrameMenuChanged() {
  if (hostForm_->FormStyle() != fsMDIChild || !hostForm_->Menu() || !MdiMainProvider) return;
  if (MdiMainProvider->FormGoing()) return;
  MdiMainProvider->SkinData().CacheStale = true;
  MdiMainProvider->MenuRowCount = -1;
  if (TForm* frame = MdiMainProvider->HostForm(); frame && frame->HandleAllocated())
    SendMessage(frame->Handle(), WM_NCPAINT, 0, 0);
}

TSkinCommonData& TSkinProvider::SkinData() const { return *skinData_; }

TForm* TSkinProvider::Form() const { return OwnerForm(const_cast<TSkinProvider*>(this)); }

bool TSkinProvider::Designing() const { return (ComponentState() & csDesigning) != 0; }

bool TSkinProvider::IsMdiFrame() const { return hostForm_ && hostForm_->FormStyle() == fsMDIForm; }

bool TSkinProvider::Skinned() const { return SkinData().Skinned(true); }

void TSkinProvider::AfterConstruction() {
  TSkinManager* manager = SkinData().GetSkinManager();
  if (manager && manager->Active() && !Designing()) AttachSkin();
}

void TSkinProvider::Loaded() {
  TComponent::Loaded();
  if (!SkinData().GetSkinManager() || Designing() || !Skinned()) return;
  if (!ControlAdapter) AdaptControls();
  AttachSkin();
  if (SysMenu) SysMenu->UpdateItems();
  PickUserButtonMasks();
}

void TSkinProvider::PickUserButtonMasks() {
  const TSkinCommonData& data = SkinData();
  const TSkinManager* manager = data.GetSkinManager();
  if (!manager) return;
  int mask = manager->MaskIndexOfNames("GLOBALINFO", "TITLEBUTTON");
  if (mask < 0) mask = manager->MaskIndexOf(data.SectionIndex, data.SkinSection(), "TITLEBUTTON");
  for (int i = 0; i < titleButtons_->Count(); ++i) {
    TSkinTitleButton& button = titleButtons_->Item(i);
    button.Data.ImageIndex = button.UseSkinData ? mask : -1;
  }
}

void TSkinProvider::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (auto* manager = dynamic_cast<TSkinManager*>(component)) {
    TSkinCommonData& data = SkinData();
    if (operation == opInsert && !data.SkinManager()) data.SetSkinManager(manager);
    if (operation == opRemove && data.SkinManager() == manager) data.SetSkinManager(nullptr);
    return;
  }
  auto* control = dynamic_cast<TWinControl*>(component);
  if (operation == opInsert && control && ControlAdapter && ControlAdapter->IsSkinnable(control))
    ControlAdapter->AttachControl(control);
}

void TSkinProvider::SetCaptionAlignment(TAlignment value) {
  if (Change(captionAlignment_, value)) CaptionLookChanged();
}

void TSkinProvider::SetShowAppIcon(bool value) {
  if (Change(showAppIcon_, value)) CaptionLookChanged();
}

void TSkinProvider::SetTitleSkin(const std::string& value) {
  if (Change(titleSkin_, value)) CaptionLookChanged();
}

void TSkinProvider::CaptionLookChanged() {
  SkinData().CacheStale = true;
  if (hostForm_ && hostForm_->Visible() && hostForm_->HandleAllocated())
    SendMessage(hostForm_->Handle(), WM_NCPAINT, 0, 0);
}

void TSkinProvider::SetUseGlobalColor(bool value) {
  if (!Change(useGlobalColor_, value) || !hostForm_) return;
  const TSkinCommonData& data = SkinData();
  const bool global = value && Skinned() && !data.CustomColor();
  hostForm_->SetColor(global ? data.GetSkinManager()->GlobalColor() : clBtnFace);
}

void TSkinProvider::SetMenuLineSkin(const std::string& value) {
  if (Change(menuLineSkin_, value) && Designing()) SkinData().Invalidate();
}

void TSkinProvider::SetTitleButtons(const TSkinTitleButtons& value) { titleButtons_->Assign(value); }

TBitmap* TSkinProvider::MenuLineImage() const {
  return MenuLineBitmap && !MenuLineBitmap->Empty() ? MenuLineBitmap.get() : nullptr;
}

void TSkinProvider::RebuildRegionAndCaches() {
  RegionStale = true;
  RequestFullRepaint();
}

void TSkinProvider::SetFrameOwn(bool own) {
  if (!hostForm_ || !hostForm_->HandleAllocated() || own == tookOwnFrame_) return;
  if (own && HasOwnFrame(hostForm_->Handle())) return;
  SetOwnFrame(hostForm_->Handle(), own);
  tookOwnFrame_ = own;
}
