#include "runtime/Storage.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "runtime/Exceptions.h"
#include "runtime/SafeFileWriter.h"
#include "runtime/IniFile.h"
#include "runtime/SysInfo.h"

extern char** environ;

std::unique_ptr<TStorage> Storage;

namespace {

std::string AppTitle;
std::string AppFolderOverride;

constexpr std::uint8_t PerUserMode = 0;

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  const passwd* user = getpwuid(getuid());
  return user && user->pw_dir ? user->pw_dir : "";
}

// An XDG base folder: the variable when it holds an absolute path, else the
// fallback below the home folder.
std::filesystem::path XdgFolder(const char* variable, const char* fallback) {
  if (const char* value = std::getenv(variable); value && value[0] == '/') return value;
  return std::filesystem::path(HomeFolder()) / fallback;
}

std::string DefaultStoreName() { return std::filesystem::path(GetAppTitle()).replace_extension(".ini").string(); }

std::string StoreFileName(std::uint8_t mode, const std::string& storeName, const std::string& appFolder) {
  if (mode != PerUserMode) return appFolder + storeName;
  return (XdgFolder("XDG_CONFIG_HOME", ".config") / "quantrel" / storeName).string();
}

// Nothing may leave a destructor; the settings file stays as it was.
template <class Action>
void IgnoringFailure(Action action) {
  try {
    action();
  } catch (const std::exception&) {
  }
}

}  // namespace

std::string GetAppTitle() {
  return AppTitle.empty() ? std::filesystem::path(ProgramFileName()).stem().string() : AppTitle;
}

void SetAppTitle(const std::string& Title) { AppTitle = Title; }

void SetAppFolder(const std::string& Folder) { AppFolderOverride = Folder; }

std::string GetAppFolder() {
  if (!AppFolderOverride.empty()) return AppFolderOverride;
  std::string folder = std::filesystem::path(ProgramFileName()).parent_path().string();
  return (folder.empty() ? "." : folder) + "/";
}

TStorage::TStorage(const std::string& storeName, std::uint8_t mode)
    : Mode(mode),
      StoreName(storeName.empty() ? DefaultStoreName() : storeName),
      AppFolder(GetAppFolder()),
      BuildText(TInfo().Build),
      fileName_(StoreFileName(Mode, StoreName, AppFolder)) {
  ReadStartFlags();
}

TStorage::~TStorage() {
  IgnoringFailure([this] {
    if (IsSectionOpen()) CloseSection();
  });
  IgnoringFailure([this] { WriteStartFlags(); });
}

std::string TStorage::BuildKey() const { return "Build" + BuildText; }

void TStorage::ReadStartFlags() {
  OpenSection("GENERAL", false);
  TSectionCloser closer(*this);
  NewBuild = ReadBool(BuildKey(), true);
  FirstRun = ReadBool("First", true);
}

// Erasing first drops the keys of earlier builds.
void TStorage::WriteStartFlags() {
  OpenSection("GENERAL", true);
  TSectionCloser closer(*this);
  WriteBool(BuildKey(), false);
  WriteBool("First", false);
}

void TStorage::OpenSection(const std::string& Name, bool Erase) {
  QASSERT(!IsSectionOpen(), "Assertion failure");
  QASSERT(!Name.empty(), "Assertion failure");
  backend_ = std::make_unique<TIniFile>(fileName_);
  SectionName = Name;
  if (Erase) backend_->EraseSection(Name);
}

// The section is closed even when writing the file fails.
void TStorage::CloseSection() {
  QASSERT(IsSectionOpen(), "Assertion failure");
  std::unique_ptr<TIniFile> backend = std::move(backend_);
  SectionName.clear();
  backend->UpdateFile();
}

bool TStorage::IsSectionOpen() const { return backend_ && !SectionName.empty(); }

TIniFile& TStorage::Backend() const {
  QASSERT(IsSectionOpen(), "Assertion failure");
  return *backend_;
}

std::int64_t TStorage::ReadInteger(const std::string& Key, std::int64_t Default) const {
  return Backend().ReadInteger(SectionName, Key, Default);
}

void TStorage::WriteInteger(const std::string& Key, std::int64_t Value) {
  Backend().WriteInteger(SectionName, Key, Value);
}

bool TStorage::ReadBool(const std::string& Key, bool Default) const {
  return Backend().ReadBool(SectionName, Key, Default);
}

void TStorage::WriteBool(const std::string& Key, bool Value) { Backend().WriteBool(SectionName, Key, Value); }

std::string TStorage::ReadString(const std::string& Key, const std::string& Default) const {
  return Backend().ReadString(SectionName, Key, Default);
}

void TStorage::WriteString(const std::string& Key, const std::string& Value) {
  Backend().WriteString(SectionName, Key, Value);
}

int TStorage::ReadCount(const std::string& Key, int Limit) const {
  const std::int64_t keys = static_cast<std::int64_t>(Backend().ReadSection(SectionName).size());
  const std::int64_t count = ReadInteger(Key, 0);
  return static_cast<int>(std::max<std::int64_t>(0, std::min({count, keys, static_cast<std::int64_t>(Limit)})));
}

TSectionCloser::TSectionCloser(TStorage& Store) : store_(Store), exceptionsAtStart_(std::uncaught_exceptions()) {}

TSectionCloser::~TSectionCloser() noexcept(false) {
  if (!store_.IsSectionOpen()) return;
  if (std::uncaught_exceptions() > exceptionsAtStart_)
    IgnoringFailure([this] { store_.CloseSection(); });
  else
    store_.CloseSection();
}

namespace {

// Replaced whole or not at all, so that a failure never leaves the desktop
// half an entry.
void WriteTextFile(const std::filesystem::path& file, const std::string& text) {
  if (!WriteFileSafely(file.string(), text)) throw EQuantrelError("Cannot write " + file.string());
}

// One argument of a desktop entry's Exec key, quoted, then escaped as a
// desktop entry string value. A percent sign is doubled, since a lone one
// starts a field code.
std::string ExecArgument(const std::string& argument) {
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  quoted += '"';
  std::string escaped;
  for (char c : quoted) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\n': escaped += "\\n"; break;
      case '\t': escaped += "\\t"; break;
      case '\r': escaped += "\\r"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string MimePackage(const std::string& mimeType, const std::string& extension) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"" + mimeType + "\">\n"
         "    <glob pattern=\"*." + extension + "\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string DesktopEntry(const std::string& mimeType, const std::string& programPath) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" + std::filesystem::path(programPath).stem().string() + "\n"
         "Exec=" + ExecArgument(programPath) + " %f\n"
         "MimeType=" + mimeType + ";\n"
         "NoDisplay=true\n";
}

// Runs a desktop database tool on folder and waits for it; a missing tool
// or its failure leaves the desktop to notice the files by itself.
void RunQuietly(const char* program, const std::filesystem::path& folder) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string argument = folder.string();
  char* argv[] = {const_cast<char*>(program), argument.data(), nullptr};
  pid_t child;
  if (posix_spawnp(&child, program, &actions, nullptr, argv, environ) == 0)
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  posix_spawn_file_actions_destroy(&actions);
}

bool IsPlainExtension(const std::string& extension) {
  return !extension.empty() &&
         std::all_of(extension.begin(), extension.end(), [](unsigned char c) { return std::isalnum(c); });
}

}  // namespace

void RegisterFileType(const std::string& Extension, const std::string& ProgramPath) {
  QASSERT(IsPlainExtension(Extension) && !ProgramPath.empty() && Storage, "Assertion failure");
  std::filesystem::path dataFolder = XdgFolder("XDG_DATA_HOME", ".local/share");
  std::filesystem::path mimeFile = dataFolder / "mime" / "packages" / (Extension + "file.xml");
  std::filesystem::path desktopFile = dataFolder / "applications" / (Extension + "file.desktop");
  std::error_code error;
  if (std::filesystem::exists(mimeFile, error) && !Storage->NewBuild) return;
  std::string mimeType = "application/x-" + Extension;
  WriteTextFile(mimeFile, MimePackage(mimeType, Extension));
  WriteTextFile(desktopFile, DesktopEntry(mimeType, ProgramPath));
  RunQuietly("update-mime-database", dataFolder / "mime");
  RunQuietly("update-desktop-database", dataFolder / "applications");
}
