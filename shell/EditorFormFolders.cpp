// The program editor window's folder tree: the user's program folders as
// roots captioned in upper case, each with its program files.

#include <cstdint>
#include <filesystem>

#include "runtime/AsciiCase.h"
#include "runtime/FilePaths.h"
#include "runtime/Storage.h"
#include "shell/BrowseForFolder.h"
#include "shell/EditorForm.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/win/MessageBox.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* SourceMask = "*.tarn";
constexpr int ClosedFolderPicture = 0;
constexpr int OpenFolderPicture = 1;
constexpr int FilePicture = 2;

// A root keeps its folder's index in Folders as its data.
void* IndexData(std::size_t index) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(index)); }
std::size_t IndexOf(const TTreeNode& root) { return static_cast<std::size_t>(reinterpret_cast<std::intptr_t>(root.Data)); }

// The folder's own name, also for a path that ends in "/".
std::string FolderName(const std::string& path) {
  const fs::path folder = fs::path(path).lexically_normal();
  return (folder.has_filename() ? folder.filename() : folder.parent_path().filename()).string();
}

void ShowPicture(TTreeNode& node, int picture) {
  node.SetImageIndex(picture);
  node.SetSelectedIndex(picture);
}

}  // namespace

void TEditorForm::AddFolder(const std::string& path) {
  if (path.empty() || !IsExistingFolder(path) || FolderIndex(path) >= 0) return;
  TTreeNode* root = FileTree->Items().AddObject(nullptr, AsciiUppered(FolderName(path)), IndexData(Folders.size()));
  Folders.push_back(path);
  ShowPicture(*root, ClosedFolderPicture);
  AddFolderFiles(path, SourceMask, root);
  FileTree->Invalidate();
}

int TEditorForm::FolderIndex(const std::string& path) const {
  for (std::size_t i = 0; i < Folders.size(); ++i)
    if (!Folders[i].empty() && SameFile(Folders[i], path)) return static_cast<int>(i);
  return -1;
}

// Not recursive; only files: a folder of a matching name is no program.
void TEditorForm::AddFolderFiles(const std::string& folder, const std::string& mask, TTreeNode* node) {
  for (const fs::directory_entry& entry : SortedEntries(folder)) {
    const std::string name = entry.path().filename().string();
    if (MatchesMask(name, mask) && IsExistingFile(entry.path().string())) AddFileNode(entry.path().string(), node);
  }
}

void TEditorForm::AddFileNode(const std::string& path, TTreeNode* node) {
  ShowPicture(*FileTree->Items().AddChild(node, fs::path(path).filename().string()), FilePicture);
}

void TEditorForm::ShowFolderState(TTreeNode& node, bool expanded) {
  if (!node.Parent()) ShowPicture(node, expanded ? OpenFolderPicture : ClosedFolderPicture);
}

// The selected folder node, or the folder of the selected file; nil when nothing is selected.
TTreeNode* TEditorForm::SelectedFolderNode() {
  TTreeNode* node = FileTree->Selected();
  return node && node->Parent() ? node->Parent() : node;
}

// Empty for a root whose folder was removed.
std::string TEditorForm::FolderOf(TTreeNode* folderNode) const {
  const std::size_t index = IndexOf(*folderNode);
  return index < Folders.size() ? Folders[index] : std::string();
}

void TEditorForm::BrowseAndAddFolder() {
  std::string folder = Storage->AppFolder;
  if (!BrowseForFolder("Select a folder with Tarnscript files", folder, Application().Handle())) return;
  AddFolder(folder);
  FileTree->AlphaSort();
}

void TEditorForm::RemoveFolder() {
  TTreeNode* root = FileTree->Selected();
  if (!root || root->Parent()) return;
  const int answer = MessageBox(Handle(), "Are you sure you want to remove folder \"" + root->Text() + "\"?",
                                "Confirmation", MB_YESNO | MB_ICONQUESTION);
  if (answer == IDNO) return;
  const std::size_t index = IndexOf(*root);
  if (index < Folders.size()) Folders[index].clear();
  root->Delete();
}

// A folder that went away keeps its node, without files.
void TEditorForm::RefreshFolders() {
  TTreeNodes& nodes = FileTree->Items();
  nodes.BeginUpdate();
  for (TTreeNode* root = nodes.GetFirstNode(); root; root = root->getNextSibling()) {
    const bool expanded = root->Expanded();
    while (root->Count() > 0) root->Item(root->Count() - 1)->Delete();
    const std::string folder = FolderOf(root);
    if (folder.empty() || !IsExistingFolder(folder)) continue;
    AddFolderFiles(folder, SourceMask, root);
    if (expanded) root->Expand(false);
  }
  nodes.EndUpdate();
}

void TEditorForm::OpenSelectedFile() {
  TTreeNode* file = FileTree->Selected();
  if (!file || !file->Parent()) return;
  const std::string path = (fs::path(FolderOf(file->Parent())) / file->Text()).string();
  if (IsExistingFile(path)) {
    OpenFile(path);
    return;
  }
  const int answer = MessageBox(Handle(), "File does not exist! Refresh folders?", Application().Title(),
                                MB_YESNO | MB_ICONERROR);
  if (answer == IDYES) RefreshFolders();
}
