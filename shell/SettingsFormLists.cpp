// The settings window's " Libraries " and " Sounds " pages. Both edit rows
// only: the library copy goes back to the main window's list, and the
// rows' sound files to the sound events, at OK.

#include <filesystem>
#include <functional>

#include "console/Sounds.h"
#include "runtime/Storage.h"
#include "shell/ActionBars.h"
#include "shell/DialogLayout.h"
#include "shell/LibMan.h"
#include "shell/SettingsForm.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Dialogs.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/ListView.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/win/PlaySound.h"

namespace {

const TActionSpec<TSettingsForm> ListActions[] = {
    {&TSettingsForm::actBrowse, "Set", " Set sound from file "},
    {&TSettingsForm::actRemove, "Remove", " Remove sound "},
    {&TSettingsForm::actRemoveAll, "Remove all", " Remove all sounds "},
    {&TSettingsForm::actPlay, "Play", " Play sound "},
    {&TSettingsForm::actAddLib, "Add", " Add library to the preload list "},
    {&TSettingsForm::actRemoveLib, "Remove", " Remove library from the preload list "},
    {&TSettingsForm::actMoveUp, "Up", " Move selected library up in the list "},
    {&TSettingsForm::actMoveDown, "Down", " Move selected library down the list "},
    {&TSettingsForm::actLibHelp, "Help", " Show library help "},
};

// A column of buttons, one for each action, at the right of a page.
void PlaceButtons(TComponent* owner, TWinControl* page, int left, std::initializer_list<TAction*> actions) {
  int top = 24;
  for (TAction* action : actions) {
    Place<TButton>(owner, page, left, top, 75, 25)->SetAction(action);
    top += 32;
  }
}

}  // namespace

void TSettingsForm::CreateListActions() {
  MakeActions(*this, ActionList, ListActions);
  const auto selectedRow = [this] { return lstSounds->ItemIndex(); };
  OnExecute(actBrowse, [this] { SetSound(); });
  EnableWhen(actBrowse, [selectedRow] { return selectedRow() >= 0; });
  OnExecute(actRemove, [this] { ClearSounds(false); });
  EnableWhen(actRemove, [this, selectedRow] { return !SoundOf(selectedRow()).empty(); });
  OnExecute(actRemoveAll, [this] { ClearSounds(true); });
  EnableWhen(actRemoveAll, [this] { return AnySound(); });
  OnExecute(actPlay, [this] { PlaySelectedSound(); });
  EnableWhen(actPlay, [this, selectedRow] { return !SoundOf(selectedRow()).empty(); });
  OnExecute(actAddLib, [this] { AddLibrary(); });
  OnExecute(actRemoveLib, [this] { RemoveLibrary(); });
  EnableWhen(actRemoveLib, [this] { return SelectedLibrary() >= 0; });
  OnExecute(actMoveUp, [this] { MoveLibrary(-1); });
  EnableWhen(actMoveUp, [this] { return SelectedLibrary() > 0; });
  OnExecute(actMoveDown, [this] { MoveLibrary(1); });
  EnableWhen(actMoveDown,
             [this] { return SelectedLibrary() >= 0 && SelectedLibrary() < Libraries->Count() - 1; });
  OnExecute(actLibHelp, [this] { Libraries->GetItem(SelectedLibrary()).ShowHelp(); });
  EnableWhen(actLibHelp, [this] { return SelectedLibrary() >= 0 && Libraries->GetItem(SelectedLibrary()).HasHelp(); });
}

// ---------------------------------------------------------------- libraries

void TSettingsForm::CreateLibrariesPage() {
  TWinControl* page = LibrariesPage;
  Place<TLabel>(this, page, "Startup library preloading list", 8, 8, 440, 13);
  LibList = Place<TCheckListBox>(this, page, 8, 24, 456, 244);
  LibList->OnClick = [this](TObject*) { LibListClick(); };
  LibList->OnClickCheck = [this](TObject*) { LibListClickCheck(); };
  PlaceButtons(this, page, 472, {actAddLib, actRemoveLib, actMoveUp, actMoveDown, actLibHelp});
  Place<TLabel>(this, page, "Library file", 8, 276, 440, 13);
  edtFile = Place<TEdit>(this, page, 8, 292, 539, 21);
  edtFile->SetColor(clBtnFace);
  edtFile->SetReadOnly(true);
}

void TSettingsForm::LoadLibraries(const TLibMan& manager) {
  Libraries->Assign(manager);
  LibList->Items().Clear();
  for (int i = 0; i < Libraries->Count(); ++i) AddLibraryRow(i);
  if (Libraries->Count() > 0) LibList->SetItemIndex(0);
  LibListClick();
}

void TSettingsForm::StoreLibraries(TLibMan& manager) { manager.Assign(*Libraries); }

std::string TSettingsForm::LibDisplayName(int index) const {
  const TLibData& library = Libraries->GetItem(index);
  return " " + (library.Loaded ? library.Name : std::filesystem::path(library.FileName).stem().string());
}

void TSettingsForm::AddLibraryRow(int index) {
  LibList->Items().Add(LibDisplayName(index));
  LibList->SetChecked(index, Libraries->GetItem(index).Load);
}

int TSettingsForm::SelectedLibrary() {
  const int row = LibList->ItemIndex();
  return row < Libraries->Count() ? row : -1;
}

void TSettingsForm::LibListClick() {
  const int row = SelectedLibrary();
  edtFile->SetText(row >= 0 ? Libraries->GetItem(row).FileName : "");
}

// Every row's flag follows its box, so the row whose box was clicked gets
// its own, whichever row was chosen before.
void TSettingsForm::LibListClickCheck() {
  for (int i = 0; i < Libraries->Count(); ++i) Libraries->GetItem(i).Load = LibList->Checked(i);
  LibListClick();
}

void TSettingsForm::AddLibrary() {
  if (!OpenDialog->Execute(Handle())) return;
  const std::string fileName = OpenDialog->FileName;
  if (Libraries->IndexOf(fileName) >= 0) return;
  const int index = Libraries->Add(fileName, true);
  if (index < 0) return;
  AddLibraryRow(index);
  LibList->SetItemIndex(index);
  LibListClick();
}

void TSettingsForm::RemoveLibrary() {
  const int row = SelectedLibrary();
  Libraries->Delete(row);
  LibList->Items().Delete(row);
  LibListClick();
}

// The rows trade places; the choice stays on the place.
void TSettingsForm::MoveLibrary(int offset) {
  const int row = SelectedLibrary();
  const int other = row + offset;
  Libraries->Exchange(row, other);
  for (const int index : {row, other}) {
    LibList->Items().SetStrings(index, LibDisplayName(index));
    LibList->SetChecked(index, Libraries->GetItem(index).Load);
  }
  LibList->SetItemIndex(row);
  LibListClick();
}

// ---------------------------------------------------------------- sounds

void TSettingsForm::CreateSoundsPage() {
  TWinControl* page = SoundsPage;
  chkNoSounds = Place<TCheckBox>(this, page, " Disable sounds", 8, 4, 200, 17);
  lstSounds = Place<TListView>(this, page, 8, 24, 456, 290);
  lstSounds->SetReadOnly(true);
  lstSounds->SetRowSelect(true);
  lstSounds->SetHideSelection(false);
  TListColumn* event = lstSounds->Columns().Add();
  event->SetCaption("Event");
  event->SetWidth(150);
  TListColumn* sound = lstSounds->Columns().Add();
  sound->SetCaption("Sound");
  sound->SetWidth(302);
  for (int id = 0; id < SoundEventCount; ++id) lstSounds->Items().Add()->SetCaption(std::string(" ") + SoundEventName(id));
  lstSounds->OnDblClick = [this](TObject*) { actPlay->Execute(); };
  PlaceButtons(this, page, 472, {actBrowse, actRemove, actRemoveAll, actPlay});
}

void TSettingsForm::LoadSounds(TSounds& sounds) {
  chkNoSounds->SetChecked(!sounds.Enabled);
  for (int i = 0; i < lstSounds->Items().Count(); ++i) {
    TStrings& cells = lstSounds->Items().Item(i)->SubItems();
    cells.Clear();
    if (const TSound* sound = sounds.GetSound(sounds.GetEvent(i).Sound)) cells.Add(sound->FileName());
  }
}

void TSettingsForm::StoreSounds(TSounds& sounds) {
  sounds.Enabled = !chkNoSounds->Checked();
  for (int i = 0; i < lstSounds->Items().Count(); ++i) sounds.AssignFile(i, SoundOf(i));
}

std::string TSettingsForm::SoundOf(int row) {
  if (row < 0 || row >= lstSounds->Items().Count()) return "";
  const TStrings& cells = lstSounds->Items().Item(row)->SubItems();
  return cells.Count() > 0 ? cells.Strings(0) : "";
}

bool TSettingsForm::AnySound() {
  for (int i = 0; i < lstSounds->Items().Count(); ++i)
    if (!SoundOf(i).empty()) return true;
  return false;
}

// The file keeps its letter case: another case names another file here.
void TSettingsForm::SetSound() {
  TListItem* row = lstSounds->Selected();
  if (!row) return;
  OpenSound->InitialDir = soundFolder_.empty() ? Storage->AppFolder + "DATA/" : soundFolder_;
  OpenSound->FileName.clear();
  if (!OpenSound->Execute(Handle())) return;
  soundFolder_ = std::filesystem::path(OpenSound->FileName).parent_path().string() + "/";
  row->SubItems().Clear();
  row->SubItems().Add(OpenSound->FileName);
}

void TSettingsForm::ClearSounds(bool all) {
  for (int i = 0; i < lstSounds->Items().Count(); ++i)
    if (all || i == lstSounds->ItemIndex()) lstSounds->Items().Item(i)->SubItems().Clear();
}

// From the file, to its end: the toolkit bounds the wait by the sound's length.
void TSettingsForm::PlaySelectedSound() {
  const std::string fileName = SoundOf(lstSounds->ItemIndex());
  if (!fileName.empty()) PlaySound(fileName.c_str(), 0, SND_FILENAME | SND_SYNC);
}
