#include "skin/menus/SkinSystemMenu.h"

#include "runtime/StringList.h"
#include "skin/SkinCommonData.h"
#include "skin/SkinTexts.h"
#include "skin/forms/SkinProvider.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Messages.h"

namespace {

constexpr int SkinsPerColumn = 20;
const char* const SkinSelectName = "SkinSelectItem";

// A caption showing the text as it is: "&" alone would underline the next letter.
std::string DoubledAmpersands(const std::string& text) {
  std::string caption;
  for (char c : text) caption += c == '&' ? std::string("&&") : std::string(1, c);
  return caption;
}

}  // namespace

TSkinSystemMenu::TSkinSystemMenu(TSkinProvider* provider) : TPopupMenu(provider), provider_(provider) {
  SetName("SysMenu");
  ItemRestore = AddItem(SkinTextId::Restore, "ItemRestore", SC_RESTORE);
  ItemMove = AddItem(SkinTextId::Move, "ItemMove", SC_MOVE);
  ItemSize = AddItem(SkinTextId::Size, "ItemSize", SC_SIZE);
  ItemMinimize = AddItem(SkinTextId::Minimize, "ItemMinimize", SC_MINIMIZE);
  ItemMaximize = AddItem(SkinTextId::Maximize, "ItemMaximize", SC_MAXIMIZE);
  auto* separator = new TMenuItem(this);
  separator->SetCaption("-");
  Items().Add(separator);
  ItemClose = AddItem(SkinTextId::Close, "ItemClose", SC_CLOSE);
  ItemClose->SetShortCut(scAlt | VK_F4);
  ItemMinimize->OnClick = [this](TObject*) { MinimizeClicked(); };
}

TMenuItem* TSkinSystemMenu::AddItem(int textId, const char* name, unsigned command) {
  auto* item = new TMenuItem(this);
  item->SetCaption(SkinText(textId));
  item->SetName(name);
  item->Tag = command;
  item->OnClick = [this, command](TObject*) { SendCommand(command); };
  Items().Add(item);
  return item;
}

void TSkinSystemMenu::SendCommand(unsigned command) {
  if (Form) SendMessage(Form->Handle(), WM_SYSCOMMAND, command, 0);
  if (command == SC_RESTORE || command == SC_MAXIMIZE) UpdateItems();
}

// The main form stands for the application: minimizing it minimizes the
// application, which the desktop shows as one window.
void TSkinSystemMenu::MinimizeClicked() {
  if (Form && Form == Application().MainForm()) {
    Application().Minimize();
    UpdateItems();
  } else {
    SendCommand(SC_MINIMIZE);
  }
}

bool TSkinSystemMenu::IsMdiChild() const { return Form->FormStyle() == fsMDIChild; }
bool TSkinSystemMenu::HasSystemFrame() const {
  return Form->BorderStyle() == bsSingle || Form->BorderStyle() == bsSizeable;
}
bool TSkinSystemMenu::Iconic() const { return Form->WindowState() == wsMinimized; }

bool TSkinSystemMenu::CloseShown() const { return provider_ && provider_->SysMenuStyleRemoved; }
bool TSkinSystemMenu::RestoreShown() const { return CloseShown() && (IsMdiChild() || HasSystemFrame()); }
bool TSkinSystemMenu::SizeShown() const { return IsMdiChild() || HasSystemFrame() || Form->BorderStyle() == bsSizeToolWin; }
bool TSkinSystemMenu::MinimizeShown() const {
  return CloseShown() && (Iconic() || IsMdiChild() || (HasSystemFrame() && (Form->BorderIcons() & biMinimize)));
}
bool TSkinSystemMenu::MaximizeShown() const {
  return CloseShown() && (Iconic() || IsMdiChild() || (HasSystemFrame() && (Form->BorderIcons() & biMaximize)));
}
bool TSkinSystemMenu::RestoreEnabled() const {
  return Form->WindowState() == wsMinimized || (Form->WindowState() != wsNormal && (Form->BorderIcons() & biMaximize));
}
bool TSkinSystemMenu::MoveEnabled() const { return Form->WindowState() != wsMaximized; }
bool TSkinSystemMenu::SizeEnabled() const { return Form->BorderStyle() != bsSingle && !Iconic(); }
bool TSkinSystemMenu::MinimizeEnabled() const { return (Form->BorderIcons() & biMinimize) && !Iconic(); }
bool TSkinSystemMenu::MaximizeEnabled() const {
  return (Form->BorderIcons() & biMaximize) &&
         (IsMdiChild() || (Form->WindowState() != wsMaximized && HasSystemFrame()));
}

void TSkinSystemMenu::UpdateItems() {
  if (!Form) return;
  ItemRestore->SetVisible(RestoreShown());
  ItemRestore->SetEnabled(RestoreEnabled());
  ItemMove->SetEnabled(MoveEnabled());
  ItemSize->SetVisible(SizeShown());
  ItemSize->SetEnabled(SizeEnabled());
  ItemMinimize->SetVisible(MinimizeShown());
  ItemMinimize->SetEnabled(MinimizeEnabled());
  ItemMaximize->SetVisible(MaximizeShown());
  ItemMaximize->SetEnabled(MaximizeEnabled());
  ItemClose->SetVisible(CloseShown());
}

// The manager is asked again: it may have changed since the list was made.
void TSkinSystemMenu::ChooseSkin(const std::string& name) {
  if (TSkinManager* manager = provider_->SkinData().GetSkinManager()) manager->SetSkinName(name);
}

// Each item keeps its skin's real name: a caption shows "&" doubled (a
// single one would underline the next letter), and the name is what the
// manager is given, so a skin named "Rock&Roll" can be chosen.
void TSkinSystemMenu::AddSkinList() {
  TSkinManager* manager = provider_ ? provider_->SkinData().GetSkinManager() : nullptr;
  if (!manager) return;
  TStringList names;
  std::string firstName;
  manager->ListSkins(names, 2, firstName);
  if (names.Count() == 0) return;
  auto* list = new TMenuItem(this);
  list->SetCaption(SkinText(SkinTextId::AvailableSkins));
  list->SetName(SkinSelectName);
  Items().Insert(0, list);
  auto* separator = new TMenuItem(this);
  separator->SetCaption("-");
  Items().Insert(1, separator);
  for (int i = 0; i < names.Count(); ++i) {
    const std::string name = names.Strings(i);
    auto* item = new TMenuItem(this);
    item->SetCaption(DoubledAmpersands(name));
    item->SetName(SkinSelectName + std::to_string(i));
    item->SetRadioItem(true);
    item->SetChecked(name == manager->SkinName());
    if (i > 0 && i % SkinsPerColumn == 0) item->SetBreak(mbBreak);
    item->OnClick = [this, name](TObject*) { ChooseSkin(name); };
    list->Add(item);
  }
}
