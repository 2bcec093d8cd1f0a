#include "shell/LibMan.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

#include "engine/MessageChannel.h"
#include "runtime/AsciiCase.h"
#include "runtime/Exceptions.h"
#include "runtime/FilePaths.h"
#include "runtime/Help.h"
#include "runtime/Storage.h"

namespace fs = std::filesystem;

ILoadProgress* LoadProgress = nullptr;

namespace {

constexpr const char* PackedExtension = ".tarl";
constexpr const char* HelpExtensions[] = {".chm", ".txt", ".doc", ".htm", ".html"};

std::string LoweredExtension(const std::string& fileName) {
  return AsciiLowered(fs::path(fileName).extension().string());
}

std::string FileKey(int number) { return "L_" + std::to_string(number) + "_File"; }
std::string LoadKey(int number) { return "L_" + std::to_string(number) + "_Load"; }

}  // namespace

std::string TLoader::Load(ITarnscript& Engine, const std::string& FileName) {
  return Engine.LoadPackedLibrary(FileName);
}

TLibData::TLibData(const std::string& FileName, bool LoadAtStart)
    : FileName(FileName), Name(fs::path(FileName).stem().string()), Load(LoadAtStart),
      canonicalName_(CanonicalPath(FileName)) {
  FindHelpFile();
}

bool TLibData::IsPacked() const { return LoweredExtension(FileName) == PackedExtension; }

bool TLibData::HasHelp() const { return !HelpFile.empty() || IsPacked(); }

void TLibData::ShowHelp() const {
  if (!HasHelp()) return;
  if (IsPacked())
    ShowHelpKeyword(fs::path(FileName).stem().string());
  else
    OpenDocument(HelpFile);
}

void TLibData::FindHelpFile() {
  for (const char* extension : HelpExtensions)
    if (TryHelpFile(extension)) return;
}

bool TLibData::TryHelpFile(const std::string& Extension) {
  HelpFile = fs::path(FileName).replace_extension(Extension).string();
  if (IsExistingFile(HelpFile)) return true;
  HelpFile.clear();
  return false;
}

TLibMan::TLibMan(const std::string& Folder, CountedPtr<ITarnscript> Engine)
    : engine_(std::move(Engine)), loader_(std::make_unique<TLoader>()) {
  if (!engine_) return;
  ReadSettings();
  ScanFolder(Folder, PackedMask);
}

TLibMan::~TLibMan() {
  loader_.reset();
  if (!engine_) return;
  try {
    WriteSettings();
  } catch (const std::exception&) {
    // The stored list stays as it was; the program is ending anyway.
  }
}

int TLibMan::Add(const std::string& FileName, bool Load) {
  if (!IsExistingFile(FileName)) return -1;
  items_.push_back(std::make_unique<TLibData>(FileName, Load));
  return Count() - 1;
}

void TLibMan::AddIfMissing(const std::string& FileName) {
  if (IndexOf(FileName) < 0) Add(FileName, true);
}

int TLibMan::IndexOf(const std::string& FileName) const {
  const std::string wanted = CanonicalPath(FileName);
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<size_t>(i)]->CanonicalName() == wanted) return i;
  return -1;
}

TLibData& TLibMan::GetItem(int Index) const {
  QASSERT(Index >= 0 && Index < Count(), "4C1B7E21");
  return *items_[static_cast<size_t>(Index)];
}

void TLibMan::Delete(int Index) {
  GetItem(Index);
  items_.erase(items_.begin() + Index);
}

void TLibMan::Exchange(int I, int J) {
  GetItem(I);
  GetItem(J);
  std::swap(items_[static_cast<size_t>(I)], items_[static_cast<size_t>(J)]);
}

int TLibMan::AddCopy(const TLibData& Item) {
  auto copy = std::make_unique<TLibData>(Item.FileName, Item.Load);
  copy->Name = Item.Name;
  copy->Loaded = Item.Loaded;
  items_.push_back(std::move(copy));
  return Count() - 1;
}

void TLibMan::Assign(const TLibMan& Source) {
  if (&Source == this) return;
  Clear();
  for (const auto& item : Source.items_) AddCopy(*item);
  if (OnReplaced) OnReplaced();
}

void TLibMan::ScanFolder(const std::string& Folder, const std::string& Mask) {
  const std::vector<fs::directory_entry> entries = SortedEntries(Folder);
  for (const auto& entry : entries)
    if (MatchesMask(entry.path().filename().string(), Mask)) AddIfMissing(Folder + entry.path().filename().string());
  for (const auto& entry : entries) {
    std::error_code error;
    // A link may lead back up the tree: scanning through it would never end.
    if (entry.is_symlink(error) || !entry.is_directory(error)) continue;
    ScanFolder(Folder + entry.path().filename().string() + "/", Mask);
  }
}

void TLibMan::ReadSettings() {
  Storage->OpenSection(Section, false);
  TSectionCloser closer(*Storage);
  const int count = Storage->ReadCount("Count", std::numeric_limits<int>::max());
  Libraries = Storage->ReadBool("Libraries", false);
  for (int n = 1; n <= count; ++n) {
    const std::string fileName = Storage->ReadString(FileKey(n), "");
    if (fileName.empty()) continue;
    bool load = Storage->ReadBool(LoadKey(n), false);
    // Before the manager wrote the section, packaged libraries load whatever is stored.
    if (!Libraries && LoweredExtension(fileName) == PackedExtension) load = true;
    Add(fileName, load);
  }
}

void TLibMan::WriteSettings() {
  Storage->OpenSection(Section, true);
  TSectionCloser closer(*Storage);
  Storage->WriteInteger("Count", Count());
  Storage->WriteBool("Libraries", true);
  for (int i = 0; i < Count(); ++i) {
    Storage->WriteString(FileKey(i + 1), GetItem(i).FileName);
    Storage->WriteBool(LoadKey(i + 1), GetItem(i).Load);
  }
}

void TLibMan::LoadAll() {
  if (!engine_) return;
  if (LoadProgress) LoadProgress->SetProgress(10);
  for (int i = 0; i < Count(); ++i) {
    TLibData& item = GetItem(i);
    if (!item.Load) continue;
    if (LoadProgress) LoadProgress->AddMessage("Loading \"" + item.Name + "\"");
    LoadEntry(item);
    if (LoadProgress) LoadProgress->SetProgress(10 + (i + 1) * 30 / Count());
  }
}

// A file that cannot be read or deciphered becomes an error line like any
// other failed load, so one damaged library does not stop the start-up.
void TLibMan::LoadEntry(TLibData& Item) {
  std::string name;
  ReportingFaults([&] {
    name = Item.IsPacked() ? loader_->Load(*engine_, Item.FileName) : engine_->LoadSourceLibrary(Item.FileName);
  });
  Item.Name = name;
  Item.Loaded = !name.empty();
}
