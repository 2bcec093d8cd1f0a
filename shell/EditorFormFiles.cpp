// The program editor window's tabs: new texts, opening, saving and closing,
// and the recovery copies of texts nobody could be asked about.

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "console/SrcEdit.h"
#include "runtime/FilePaths.h"
#include "runtime/SafeFileWriter.h"
#include "runtime/Storage.h"
#include "runtime/WholeFile.h"
#include "shell/EditorForm.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Dialogs.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/win/MessageBox.h"

namespace fs = std::filesystem;

namespace {

// A text never saved is named by its caption alone; a file by its path.
bool NamesAFile(const std::string& fileName) { return fileName.find('/') != std::string::npos; }

std::string CaptionOf(const std::string& fileName) { return fs::path(fileName).stem().string(); }

}  // namespace

// ---------------------------------------------------------------- tabs

std::string TEditorForm::EditorText(TTarnEditor& editor) {
  std::string text;
  const TStrings& rows = editor.Lines();
  for (int row = 0; row < rows.Count(); ++row) {
    text += rows.Strings(row);
    text += '\n';
  }
  return text;
}

TSrcTab* TEditorForm::AddTab(const std::string& caption) {
  auto* tab = new TSrcTab(this);
  tab->SetPageControl(PageControl);
  if (!caption.empty()) tab->SetCaption(caption);
  PageControl->SetActivePage(tab);
  TTarnEditor* editor = tab->Edit()->Editor();
  editor->Syntax = Syntax.get();
  editor->SetColors(Setts);
  editor->OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { EditorKeyDown(sender, key, shift); };
  if (editor->CanFocus()) editor->SetFocus();
  return tab;
}

// A new text starts modified: it was never saved.
void TEditorForm::AddTextTab(const std::string& name, const std::string& text) {
  TSrcTab* tab = AddTab(name);
  tab->Edit()->FileName = name;
  TTarnEditor* editor = tab->Edit()->Editor();
  editor->Lines().SetText(text);
  editor->Modified = true;
}

TSrcTab* TEditorForm::ActiveTab() const { return static_cast<TSrcTab*>(PageControl->ActivePage()); }

TSrcEdit* TEditorForm::ActiveEdit() const { return ActiveTab() ? ActiveTab()->Edit() : nullptr; }

bool TEditorForm::HasActiveTab() const { return ActiveTab() != nullptr; }

TSrcTab* TEditorForm::TabOf(const TSrcEdit* edit) const {
  for (int i = 0; i < PageControl->PageCount(); ++i) {
    auto* tab = static_cast<TSrcTab*>(PageControl->Pages(i));
    if (tab->Edit() == edit) return tab;
  }
  return nullptr;
}

TSrcTab* TEditorForm::TabOfFile(const std::string& fileName) const {
  for (int i = 0; i < PageControl->PageCount(); ++i) {
    auto* tab = static_cast<TSrcTab*>(PageControl->Pages(i));
    if (NamesAFile(tab->Edit()->FileName) && SameFile(tab->Edit()->FileName, fileName)) return tab;
  }
  return nullptr;
}

// ---------------------------------------------------------------- new texts and opening

void TEditorForm::NewText(int& counter, const std::string& prefix, const std::string& keyword) {
  const std::string name = prefix + std::to_string(++counter);
  AddTextTab(name, keyword + " " + name + ";\n\nbegin\n\nend.");
}

void TEditorForm::OpenProgramText(const std::string& text) {
  AddTextTab("Untitled" + std::to_string(++UntitledCount), text);
  if (!Visible()) Show();
}

// One file, one tab: a file open already is only brought forward, so that
// no two tabs overwrite each other's text.
bool TEditorForm::OpenFile(const std::string& fileName) {
  if (fileName.empty()) {
    TSrcTab* tab = AddTab("");
    tab->Edit()->FileName = tab->Caption();
    tab->Edit()->Editor()->Modified = true;
    return true;
  }
  if (TSrcTab* open = TabOfFile(fileName)) {
    PageControl->SetActivePage(open);
    return true;
  }
  std::string text;
  if (!ReadWholeFile(fileName, text)) {
    ShowFileError("Cannot open file", fileName, errno);
    return false;
  }
  const std::string path = fs::absolute(fileName).string();
  TSrcTab* tab = AddTab(CaptionOf(path));
  tab->Edit()->FileName = path;
  tab->Edit()->Editor()->Lines().SetText(text);
  tab->Edit()->Editor()->Modified = false;
  return true;
}

void TEditorForm::Open() {
  if (OpenDialog->Execute(Handle())) OpenFile(OpenDialog->FileName);
}

void TEditorForm::ShowFileError(const std::string& what, const std::string& fileName, int error) {
  MessageBox(Handle(), what + " \"" + fileName + "\": " + std::strerror(error), Application().Title(),
             MB_OK | MB_ICONERROR);
}

// ---------------------------------------------------------------- saving

bool TEditorForm::SaveToFile(const std::string& fileName) { return ActiveTab() && WriteTab(*ActiveTab(), fileName); }

// A tab whose file went away is saved as a new one.
bool TEditorForm::SaveTab(TSrcTab& tab) {
  const std::string& fileName = tab.Edit()->FileName;
  return NamesAFile(fileName) && IsExistingFile(fileName) ? WriteTab(tab, fileName) : SaveTabAs(tab);
}

bool TEditorForm::SaveTabAs(TSrcTab& tab) {
  SaveDialog->FileName = tab.Edit()->FileName;
  SaveDialog->InitialDir = InitialSaveFolder();
  if (!SaveDialog->Execute(Handle())) return false;
  const bool written = WriteTab(tab, SaveDialog->FileName);
  RefreshFolders();
  return written;
}

// The file is replaced whole or not at all; the tab takes the file's name
// only once its text is there.
bool TEditorForm::WriteTab(TSrcTab& tab, const std::string& fileName) {
  if (!WriteFileSafely(fileName, EditorText(*tab.Edit()->Editor()))) {
    ShowFileError("Cannot save file", fileName, errno);
    return false;
  }
  tab.Edit()->FileName = fs::absolute(fileName).string();
  tab.Edit()->Editor()->Modified = false;
  tab.SetCaption(CaptionOf(fileName));
  return true;
}

// The selected folder of the tree (a file's folder), or the program's.
std::string TEditorForm::InitialSaveFolder() {
  TTreeNode* folder = SelectedFolderNode();
  return folder ? FolderOf(folder) : Storage->AppFolder;
}

// ---------------------------------------------------------------- closing

TEditorForm::TSaveAnswer TEditorForm::AskToSave(TSrcTab& tab) {
  if (!tab.Edit()->Editor()->Modified) return TSaveAnswer::Clean;
  if (!Setts.SaveAuto) {
    if (!Setts.SavePrompt) return TSaveAnswer::Discarded;
    PageControl->SetActivePage(&tab);
    const int answer = MessageBox(Handle(), "Save changes to \"" + tab.Caption() + "\"?", "Saving Confirmation",
                                  MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES) return TSaveAnswer::Discarded;
  }
  return SaveTab(tab) ? TSaveAnswer::Clean : TSaveAnswer::Kept;
}

bool TEditorForm::ConfirmSave(TSrcTab* tab) {
  if (!tab) tab = ActiveTab();
  if (!tab) return false;
  const TSaveAnswer answer = AskToSave(*tab);
  return answer == TSaveAnswer::Clean || (answer == TSaveAnswer::Discarded && !Setts.SavePrompt);
}

bool TEditorForm::ConfirmSaveAll() {
  discarded_.clear();
  askedAtEnd_ = true;
  for (int i = 0; i < PageControl->PageCount(); ++i) {
    auto* tab = static_cast<TSrcTab*>(PageControl->Pages(i));
    switch (AskToSave(*tab)) {
      case TSaveAnswer::Clean: break;
      case TSaveAnswer::Discarded: discarded_.insert(tab->Edit()); break;
      case TSaveAnswer::Kept: askedAtEnd_ = false; return false;
    }
  }
  return true;
}

void TEditorForm::CloseActiveTab() {
  TSrcTab* tab = ActiveTab();
  if (tab && AskToSave(*tab) != TSaveAnswer::Kept) FreeTab(tab);
}

void TEditorForm::FreeTab(TSrcTab* tab) {
  if (runningEdit_ == tab->Edit()) runningEdit_ = nullptr;
  discarded_.erase(tab->Edit());
  delete tab;
}

// Each modified text nobody decided about goes to a folder of its own
// beside the settings, named after the moment; the next start names it.
void TEditorForm::WriteRecoveryCopies() {
  const bool asked = askedAtEnd_ && !endWithoutAsking_;
  fs::path folder;
  for (int i = 0; i < PageControl->PageCount(); ++i) {
    TSrcEdit* edit = static_cast<TSrcTab*>(PageControl->Pages(i))->Edit();
    if (!edit->Editor()->Modified || (asked && discarded_.count(edit))) continue;
    if (folder.empty()) {
      char moment[32];
      const std::time_t now = std::time(nullptr);
      std::strftime(moment, sizeof moment, "%Y-%m-%d %H.%M.%S", std::localtime(&now));
      folder = fs::path(Storage->FileName()).parent_path() / "Recovered" / moment;
    }
    fs::path copy = folder / (CaptionOf(edit->FileName) + ".tarn");
    for (int n = 2; fs::exists(copy); ++n) copy = folder / (CaptionOf(edit->FileName) + " (" + std::to_string(n) + ").tarn");
    if (WriteFileSafely(copy.string(), EditorText(*edit->Editor()))) recoveryFolder_ = folder.string();
  }
}
