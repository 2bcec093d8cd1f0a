#pragma once
// The settings store: every persistent setting of the program goes through
// it. One section is open at a time; a client opens it, reads (with
// defaults) or writes keys, and closes it in a guaranteed-cleanup path:
//
//   Storage->OpenSection("PARAMS", false);
//   TSectionCloser closer(*Storage);
//   ... Storage->ReadInteger("FMantissa", 8) ...
//
// The store also knows the program's folder and detects the first start of
// the program and the first start of a new build (section GENERAL).
//
// Backends: Mode 0 is the per-user store, the file
// $XDG_CONFIG_HOME/quantrel/<StoreName> (~/.config when unset); any other
// Mode the file AppFolder + StoreName. Both are INI files (see TIniFile).

#include <cstdint>
#include <memory>
#include <string>

class TIniFile;

class TStorage {
public:
  // An empty StoreName means GetAppTitle with its extension replaced by ".ini".
  TStorage(const std::string& StoreName, std::uint8_t Mode);
  // Marks GENERAL as started by this build; a section still open is closed first.
  ~TStorage();
  TStorage(const TStorage&) = delete;
  TStorage& operator=(const TStorage&) = delete;

  // Opening while a section is open, or with an empty Name, fails with an
  // assertion and leaves the store as it was. Erase deletes every key of the
  // section first.
  void OpenSection(const std::string& Name, bool Erase);
  // Writes the changes to the file and closes the section.
  void CloseSection();
  bool IsSectionOpen() const;

  // Each read or write needs an open section (assertion otherwise).
  std::int64_t ReadInteger(const std::string& Key, std::int64_t Default) const;
  void WriteInteger(const std::string& Key, std::int64_t Value);
  bool ReadBool(const std::string& Key, bool Default) const;
  void WriteBool(const std::string& Key, bool Value);
  std::string ReadString(const std::string& Key, const std::string& Default) const;
  void WriteString(const std::string& Key, const std::string& Value);
  // The number of entries a stored count announces, for a loop over its
  // keys: 0 when missing, never negative, and never more than Limit or the
  // keys the section holds, so a damaged count costs no more than the file.
  int ReadCount(const std::string& Key, int Limit) const;

  // The file that holds the store.
  const std::string& FileName() const { return fileName_; }

  const std::uint8_t Mode;
  const std::string StoreName;
  const std::string AppFolder;  // with a trailing "/"
  const std::string BuildText;  // the build number of the program's version
  // Fixed for the whole run at the values found at start.
  bool FirstRun = true;
  bool NewBuild = true;

private:
  TIniFile& Backend() const;  // the open section's file
  void ReadStartFlags();
  void WriteStartFlags();
  std::string BuildKey() const;

  const std::string fileName_;
  std::string SectionName;  // empty when no section is open
  std::unique_ptr<TIniFile> backend_;
};

// Closes the store's open section when it goes out of scope, also when an
// exception leaves the scope. A failure to write the file propagates, unless
// another exception is already on its way (that one is kept).
class TSectionCloser {
public:
  explicit TSectionCloser(TStorage& Store);
  ~TSectionCloser() noexcept(false);
  TSectionCloser(const TSectionCloser&) = delete;
  TSectionCloser& operator=(const TSectionCloser&) = delete;

private:
  TStorage& store_;
  int exceptionsAtStart_;
};

// The program's one store: made before any other settings client and freed
// after all of them (reset() it to write GENERAL). Tests make and free it
// as often as they like.
extern std::unique_ptr<TStorage> Storage;

// The application title, or the program file's name without folder and
// extension while no title is set.
std::string GetAppTitle();
// The application object passes its title on here; runtime/ knows no GUI.
void SetAppTitle(const std::string& Title);
// Folder of the program file, with a trailing "/", unless SetAppFolder
// named another one.
std::string GetAppFolder();
// Puts the program's folders (LIBS, DATA, help) elsewhere, for tests; Folder
// ends with "/"; empty returns to the program file's folder. Stores made
// before keep the folder they found.
void SetAppFolder(const std::string& Folder);

// Associates documents *.Extension with the program at ProgramPath in the
// user's desktop (a shared-mime-info type and a desktop entry in
// $XDG_DATA_HOME, ~/.local/share when unset). When the association exists
// already it is rewritten only on the first start of a new build (needs
// Storage). Extension must be letters and digits, as it also names files and
// the MIME type, and ProgramPath non-empty (assertion otherwise).
void RegisterFileType(const std::string& Extension, const std::string& ProgramPath);
