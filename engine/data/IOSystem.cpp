#include "engine/data/IOSystem.h"

#include <dlfcn.h>
#include <fnmatch.h>

#include <algorithm>
#include <filesystem>
#include <limits>

#include "engine/HashTab.h"
#include "runtime/AsciiCase.h"
#include "runtime/Exceptions.h"
#include "runtime/PluginInOut.h"
#include "runtime/Quoted.h"

std::unique_ptr<TIOSystem> IOSystem;

namespace {

// A cursor over an open string.
class TOpenStringReader {
public:
  explicit TOpenStringReader(std::string_view text) : rest_(text) {}

  bool AtEnd() const { return rest_.empty(); }
  // Whether the last token ended at its delimiter rather than at the end.
  bool DelimiterFound() const { return delimiterFound_; }

  // The characters up to the next Delimiter, which is passed over; at the
  // end of the text, what is left.
  std::string_view ReadToken(char Delimiter) {
    const std::size_t end = rest_.find(Delimiter);
    delimiterFound_ = end != std::string_view::npos;
    const std::string_view token = rest_.substr(0, end);
    rest_.remove_prefix(delimiterFound_ ? end + 1 : rest_.size());
    return token;
  }
  // Exactly the next character; empty at the end.
  std::string_view ReadCharacter() {
    const std::string_view character = rest_.substr(0, 1);
    rest_.remove_prefix(character.size());
    return character;
  }

private:
  std::string_view rest_;
  bool delimiterFound_ = false;
};

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The specifier, then one parameter per option; a ";" at the end of the
// options leaves an empty one after it.
void AddParams(TOpenStringReader& reader, TParamSys& params) {
  std::string specifier(reader.ReadToken(':'));
  if (specifier.size() == 1 && IsLetter(specifier[0])) specifier += ":" + std::string(reader.ReadToken(':'));
  params.AddParam("spec=" + specifier);
  bool more = !reader.AtEnd();
  while (more) {
    params.AddParam(std::string(reader.ReadToken(';')));
    more = !reader.AtEnd() || reader.DelimiterFound();
  }
}

// The entries of a folder in name order; none when it cannot be read.
std::vector<std::filesystem::directory_entry> SortedEntries(const std::string& Folder) {
  std::error_code error;
  std::vector<std::filesystem::directory_entry> entries;
  for (const auto& entry : std::filesystem::directory_iterator(Folder, error)) entries.push_back(entry);
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
  return entries;
}

bool IsPlainFolder(const std::filesystem::directory_entry& entry) {
  std::error_code error;
  return entry.is_directory(error) && !entry.is_symlink(error) && entry.path().filename().string()[0] != '.';
}

}  // namespace

TIOPlugin::~TIOPlugin() { Unload(); }

void TIOPlugin::Unload() {
  if (module_) dlclose(module_);
  module_ = nullptr;
  create_ = nullptr;
}

bool TIOPlugin::Load(const std::string& Path) {
  path_ = Path;
  module_ = dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module_) {
    ReportError("Failed to load DIO filter " + Quoted(Path), NoPosition, nullptr);
    return false;
  }
  create_ = reinterpret_cast<QIOCreateFunction>(dlsym(module_, "CreateIO"));
  if (!create_) {
    Unload();
    ReportError("Failed to find create function", NoPosition, nullptr);
    return false;
  }
  QIOInOut* object = create_();
  QASSERT(object != nullptr, "8EAF301A");
  const CountedPtr<IInOut> source(new TPluginInOut(object));
  typeName_ = source->GetTypeName();
  flags_ = source->GetFlags();
  return true;
}

CountedPtr<IInOut> TIOPlugin::CreateIO() const {
  QIOInOut* object = create_();
  QASSERT(object != nullptr, "3EDA5A90");
  return CountedPtr<IInOut>(new TPluginInOut(object));
}

TIOInst::TIOInst(TIOPlugin& Plugin, std::int32_t Handle, std::string FilesFolder)
    : handle_(Handle),
      inOut_(Plugin.CreateIO()),
      plugin_(&Plugin),
      params_(MakeCounted<TParamSys>(std::move(FilesFolder))) {}

TIOSystem::TIOSystem(const std::string& AppFolder) : filesFolder_(AppFolder + "Files/") {
  ScanFolder(AppFolder + "DATA/", "*.dio");
}

TIOSystem::~TIOSystem() {
  open_.clear();
  plugins_.clear();
}

void TIOSystem::ScanFolder(const std::string& Folder, const std::string& Mask) {
  const auto entries = SortedEntries(Folder);
  for (const auto& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (fnmatch(Mask.c_str(), name.c_str(), FNM_CASEFOLD) == 0) LoadPlugin(Folder + name);
  }
  for (const auto& entry : entries)
    if (IsPlainFolder(entry)) ScanFolder(Folder + entry.path().filename().string() + "/", Mask);
}

// A plug-in that fails its checks is freed, which unloads it; the program goes on.
void TIOSystem::LoadPlugin(const std::string& Path) {
  auto plugin = std::make_unique<TIOPlugin>();
  try {
    if (plugin->Load(Path)) plugins_.push_back(std::move(plugin));
  } catch (const EAssertionFailed& failure) {
    ReportError(failure.what(), NoPosition, nullptr);
  }
}

TIOPlugin* TIOSystem::FindPlugin(std::string_view TypeName) const {
  for (const auto& plugin : plugins_)
    if (SameName(plugin->TypeName(), TypeName)) return plugin.get();
  return nullptr;
}

TIOPlugin& TIOSystem::GetPlugin(int Index) const {
  QASSERT(Index >= 0 && Index < PluginCount(), "Assertion failure");
  return *plugins_[Index];
}

TIOInst* TIOSystem::Open(const std::string& OpenString, std::uint8_t Mode, TSourcePos Pos) {
  TOpenStringReader reader(OpenString);
  const std::string typeName = AsciiLowered(std::string(reader.ReadToken(':')));
  TIOPlugin* plugin = FindPlugin(typeName);
  if (!plugin) {
    ReportError("Unknown data source type " + Quoted(typeName), Pos, nullptr);
    return nullptr;
  }
  const std::string_view first = reader.ReadCharacter();
  const std::string_view second = reader.ReadCharacter();
  if (first != "/" || second != "/") {
    ReportError(Quoted(first) + " found instead of " + Quoted("//") + " in the open string", Pos, nullptr);
    return nullptr;
  }
  auto instance = std::make_unique<TIOInst>(*plugin, NewHandle(), filesFolder_);
  AddParams(reader, instance->Params());
  const CountedPtr<IIOParamSys> params(&instance->Params());
  if (!instance->InOut()->Open(params, Mode)) {
    const std::string refusal = instance->InOut()->GetLastError();
    if (!refusal.empty()) ReportError(refusal, Pos, nullptr);
    return nullptr;
  }
  open_.push_back(std::move(instance));
  return open_.back().get();
}

std::int32_t TIOSystem::NewHandle() {
  do {
    lastHandle_ = lastHandle_ == std::numeric_limits<std::int32_t>::max() ? 1 : lastHandle_ + 1;
  } while (FindOpen(lastHandle_) != open_.end());
  return lastHandle_;
}

std::vector<std::unique_ptr<TIOInst>>::const_iterator TIOSystem::FindOpen(std::int32_t Handle) const {
  return std::find_if(open_.begin(), open_.end(),
                      [Handle](const auto& instance) { return instance->Handle() == Handle; });
}

void TIOSystem::Close(std::int32_t Handle, TSourcePos Pos) {
  const auto instance = FindOpen(Handle);
  if (instance == open_.end()) {
    ReportError("Bad data source handle", Pos, nullptr);
    return;
  }
  open_.erase(instance);
}

TIOInst* TIOSystem::GetInstance(std::int32_t Handle, TSourcePos Pos) const {
  const auto instance = FindOpen(Handle);
  if (instance != open_.end()) return instance->get();
  ReportError("Bad data source handle", Pos, nullptr);
  return nullptr;
}

void TIOSystem::CloseAll() {
  for (const auto& instance : open_) instance->InOut()->Close();
  open_.clear();
}
