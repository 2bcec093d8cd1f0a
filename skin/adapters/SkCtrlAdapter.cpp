#include "skin/adapters/SkCtrlAdapter.h"

#include <array>
#include <vector>

#include "runtime/StringList.h"
#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/adapters/SkBtnWnd.h"
#include "skin/adapters/SkCheckBoxWnd.h"
#include "skin/adapters/SkEditWnd.h"
#include "skin/adapters/SkGridWnd.h"
#include "skin/adapters/SkGroupBoxWnd.h"
#include "skin/adapters/SkListViewWnd.h"
#include "skin/adapters/SkPageControlWnd.h"
#include "skin/adapters/SkPanelWnd.h"
#include "skin/adapters/SkStatusBarWnd.h"
#include "skin/adapters/SkTabControlWnd.h"
#include "skin/adapters/SkToolBarVCLWnd.h"
#include "skin/adapters/SkTreeViewWnd.h"
#include "skin/adapters/SkWWComboBoxWnd.h"
#include "skin/forms/SkinProvider.h"
#include "skin/skins/SkinFrameAdapter.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Frame.h"
#include "toolkit/controls/Label.h"
#include "toolkit/win/MessageQueue.h"

bool AttachAllRunning = false;

namespace {

constexpr int AdapterItemClassCode = 227;

using TMakeAdapter = TSkAdapterPtr<> (*)(TWinControl& ctrl, TSkinCommonData& data, const char* section);

// What each of the manager's seventeen lists makes of a control it names:
// the window adapter, the section the item takes before it is made (null:
// the item keeps its own) and the section the adapter falls back to when
// the item has none (empty: none).
struct TListRow {
  TMakeAdapter Make;
  const char* ForcedSection;
  const char* DefaultSection;
};

template <class Adapter>
TSkAdapterPtr<> MakeOnHandle(TWinControl& ctrl, TSkinCommonData& data, const char* section) {
  return TSkMainWnd::Make<Adapter>(ctrl.Handle(), &data, data.GetSkinManager(), section, true);
}

// The foreign combo adapter reads the control itself.
TSkAdapterPtr<> MakeOnControl(TWinControl& ctrl, TSkinCommonData& data, const char* section) {
  return TSkMainWnd::Make<TSkWWComboBoxWnd>(ctrl.Handle(), &data, data.GetSkinManager(), section, true, ctrl);
}

constexpr std::array<TListRow, ThirdPartyList::KindCount> ListRows{{
    {&MakeOnHandle<TSkEditWnd>, nullptr, "EDIT"},                          // ThirdEdits
    {&MakeOnHandle<TSkBtnWnd>, "BUTTON", "BUTTON"},                        // ThirdButtons
    {&MakeOnHandle<TSkBitBtnWnd>, "BUTTON", "BUTTON"},                     // ThirdBitBtns
    {&MakeOnHandle<TSkCheckBoxWnd>, "CHECKBOX", ""},                       // ThirdCheckBoxes
    {&MakeOnHandle<TSkComboBoxWnd>, nullptr, "EDIT"},                      // ThirdComboBoxes
    {&MakeOnHandle<TSkGridWnd>, nullptr, "EDIT"},                          // ThirdGrids
    {&MakeOnHandle<TSkGroupBoxWnd>, "GROUPBOX", ""},                       // ThirdGroupBoxes
    {&MakeOnHandle<TSkListViewWnd>, nullptr, "EDIT"},                      // ThirdListViews
    {&MakeOnHandle<TSkPanelWnd>, "PANEL", "PANEL"},                        // ThirdPanels
    {&MakeOnHandle<TSkTreeViewWnd>, nullptr, "EDIT"},                      // ThirdTreeViews
    {&MakeOnControl, nullptr, "EDIT"},                                     // ThirdWWEdits
    {&MakeOnHandle<TSkGridEhWnd>, nullptr, "EDIT"},                        // ThirdGridEh
    {&MakeOnHandle<TSkDataTreeViewWnd>, nullptr, "EDIT"},                  // ThirdDataTrees
    {&MakeOnHandle<TSkPageControlWnd>, "PAGECONTROL", "PAGECONTROL"},      // ThirdPageControl
    {&MakeOnHandle<TSkTabControlWnd>, "PAGECONTROL", "PAGECONTROL"},       // ThirdTabControl
    {&MakeOnHandle<TSkToolBarVCLWnd>, "TOOLBAR", "TOOLBAR"},               // ThirdToolBar
    {&MakeOnHandle<TSkStatusBarWnd>, "STATUSBAR", "STATUSBAR"},            // ThirdStatusBar
}};

// The first list (in index order) with a line equal to the class name,
// case counting; -1 when none.
int ListNaming(const TSkinManager& manager, const std::string& className) {
  for (int kind = 0; kind < ThirdPartyList::KindCount; ++kind) {
    const TStringList& names = manager.ThirdLists(ThirdPartyList::TKind(kind));
    for (int line = 0; line < names.Count(); ++line)
      if (names.At(line) == className) return kind;
  }
  return -1;
}

// The control answers the handled-control query: it is skinned already.
bool AlreadySkinned(TWinControl* ctrl) { return SendSkinCommandTo(ctrl, scIsSkinnable, 0) != 0; }

bool IsDead(const std::unique_ptr<TSkAdapterItem>& item) {
  return !item || !item->WndAdapter || item->WndAdapter->Detached;
}

// A label lies on the skin's background in the skin's text colour.
void BlendIntoSkin(TLabel& label) {
  label.SetTransparent(true);
  if (const TSkinManager* manager = DefaultManager()) label.Font().SetColor(manager->GlobalFontColor());
}

// Clears the running flag however the walk ends.
struct TWalkFlag {
  TWalkFlag() { AttachAllRunning = true; }
  ~TWalkFlag() { AttachAllRunning = false; }
  TWalkFlag(const TWalkFlag&) = delete;
  TWalkFlag& operator=(const TWalkFlag&) = delete;
};

}  // namespace

// ---------------------------------------------------------------- items

TSkAdapterItem::TSkAdapterItem(TSkCtrlAdapter* ownerAdapter)
    : SkinData(std::make_unique<TSkinCommonData>(this, true)), OwnerAdapter(ownerAdapter) {
  SkinData->ClassCode = AdapterItemClassCode;
}

TSkAdapterItem::~TSkAdapterItem() {
  // The window adapter paints from the skin data: it goes first.
  WndAdapter.reset();
  SkinData.reset();
}

void TSkAdapterItem::Attach(TWinControl* ctrl) {
  if (!ctrl->HandleAllocated() || (ctrl->Parent() && AlreadySkinned(ctrl))) return;
  Ctrl = ctrl;
  SkinData->SetHost(ctrl);
  const TSkinManager* manager = SkinData->GetSkinManager();
  if (!ctrl->Parent() || !manager) return;
  const int kind = ListNaming(*manager, ctrl->ClassName());
  if (kind < 0) return;
  const TListRow& row = ListRows[kind];
  if (row.ForcedSection) SkinData->SetSkinSection(row.ForcedSection);
  WndAdapter = row.Make(*ctrl, *SkinData, row.DefaultSection);
}

// ---------------------------------------------------------------- the adapter

TSkCtrlAdapter::TSkCtrlAdapter(TSkinProvider* provider) : Provider(provider) {}

TSkCtrlAdapter::~TSkCtrlAdapter() {
  DropDeadItems();
  DetachAll();
}

bool TSkCtrlAdapter::AskProvider(TComponent* item, std::string& skinSection) const {
  bool canBeAdded = true;
  if (Provider->OnSkinItem) Provider->OnSkinItem(item, canBeAdded, skinSection);
  return canBeAdded;
}

bool TSkCtrlAdapter::IsSkinnable(TControl* control) {
  if (!control || control->Tag == NoSkinTag) return false;
  if (auto* windowed = dynamic_cast<TWinControl*>(control);
      windowed && (!windowed->HandleAllocated() || AlreadySkinned(windowed)))
    return false;
  std::string noSection;
  if (dynamic_cast<TLabel*>(control)) return AskProvider(control, noSection);
  if (dynamic_cast<TGraphicControl*>(control)) return false;
  if (dynamic_cast<TFrame*>(control)) return AskProvider(control, noSection);
  const TSkinManager* manager = Provider->SkinData().GetSkinManager();
  return manager && ListNaming(*manager, control->ClassName()) >= 0;
}

TSkAdapterItem* TSkCtrlAdapter::ItemAt(int index) const {
  return index >= 0 && index < Count() ? ItemList[static_cast<size_t>(index)].get() : nullptr;
}

TSkAdapterItem* TSkCtrlAdapter::ItemOf(TWinControl* ctrl) const {
  for (const auto& item : ItemList)
    if (item && item->Ctrl == ctrl) return item.get();
  return nullptr;
}

void TSkCtrlAdapter::AttachControl(TWinControl* ctrl) { AttachControl(ctrl, FallbackSection); }

void TSkCtrlAdapter::AttachControl(TWinControl* ctrl, const std::string& skinSection) {
  if (!ctrl || ctrl->Tag == NoSkinTag || !ctrl->Parent() || AlreadySkinned(ctrl)) return;
  std::string section = skinSection;
  if (!AskProvider(ctrl, section)) return;
  if (auto* frame = dynamic_cast<TFrame*>(ctrl)) {
    // The frame owns its adapter.
    auto* frameAdapter = new TSkinFrameAdapter(frame);
    frameAdapter->SkinData().SetSkinSection("GROUPBOX");
    return;
  }
  if (TSkAdapterItem* item = ItemOf(ctrl)) {
    item->SkinData->SetSkinSection(section);
    // A control whose window was made again gets a new window adapter.
    if (item->WndAdapter && item->WndAdapter->Detached) {
      item->WndAdapter.reset();
      item->Attach(ctrl);
    }
    return;
  }
  ItemList.push_back(std::make_unique<TSkAdapterItem>(this));
  TSkAdapterItem* item = ItemList.back().get();
  item->Ctrl = ctrl;
  item->SkinData->SetSkinSection(section);
  item->Attach(ctrl);
  if (item->WndAdapter) return;
  // No list names the control: the item goes again (found by identity, as
  // the control's answers may have added items meanwhile).
  std::erase_if(ItemList, [item](const std::unique_ptr<TSkAdapterItem>& entry) { return entry.get() == item; });
}

void TSkCtrlAdapter::DetachItem(int index) {
  if (index < 0 || index >= Count()) return;
  // Out of the list before it is freed, so that nothing freeing it meets it there.
  std::unique_ptr<TSkAdapterItem> doomed = std::move(ItemList[static_cast<size_t>(index)]);
  ItemList[static_cast<size_t>(index)] = std::move(ItemList.back());
  ItemList.pop_back();
}

void TSkCtrlAdapter::DetachAll() {
  if (DetachAllRunning) return;
  DetachAllRunning = true;
  while (!ItemList.empty()) {
    std::unique_ptr<TSkAdapterItem> doomed = std::move(ItemList.back());
    ItemList.pop_back();
  }
  DetachAllRunning = false;
}

void TSkCtrlAdapter::DropDeadItems() {
  TSkAdapterItems live;
  TSkAdapterItems dead;
  for (auto& item : ItemList) (IsDead(item) ? dead : live).push_back(std::move(item));
  ItemList = std::move(live);
}

void TSkCtrlAdapter::SendToAll(TMessage& message) {
  try {
    // By index: a receiver may change the list.
    for (size_t i = 0; i < ItemList.size(); ++i) {
      const TSkAdapterItem* item = ItemList[i].get();
      if (IsDead(ItemList[i]) || !item->Ctrl->Parent()) continue;
      SendMessage(item->Ctrl->Handle(), message.Msg, message.WParam, message.LParam);
    }
  } catch (...) {
    // A receiver failing must not stop the sender (a skin being removed).
  }
}

// ---------------------------------------------------------------- the walk

void TSkCtrlAdapter::AttachAll(TWinControl* root) {
  if (AttachAllRunning) return;
  const TSkinManager* manager = Provider->SkinData().GetSkinManager();
  if (!manager || !(manager->SkinningRules & srThirdParty)) return;
  if (!root) root = Provider->Form();
  if (!root) return;
  // Held for the whole walk, nested walks included: a walk asked for from
  // within one (OnSkinItem, a control's answer) is refused throughout.
  const TWalkFlag running;
  Walk(root);
}

void TSkCtrlAdapter::Walk(TWinControl* root) {
  DropDeadItems();
  // By index with the count read each time: adapting may add components.
  for (int i = 0; i < root->ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(root->Components(i))) AttachIfSkinnable(control);
  for (int i = 0; i < root->ControlCount(); ++i) AttachIfSkinnable(root->Controls(i));
}

void TSkCtrlAdapter::AttachIfSkinnable(TControl* control) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (IsSkinnable(control)) {
    if (windowed)
      AttachControl(windowed, "EDIT");
    else if (auto* label = dynamic_cast<TLabel*>(control))
      BlendIntoSkin(*label);
  }
  if (windowed && windowed->HandleAllocated() && windowed->Parent()) Walk(windowed);
}
