#pragma once
// The library manager: the script library files loaded at start-up and the
// help file of each. The list joins the entries stored in the settings
// section "LIBS" with every packaged library (".tarl") found in the library
// folder tree; list order is load order, settings order and menu order.
// The main window keeps one manager bound to the engine, which reads the
// list when made and writes it when freed; the settings window keeps a copy
// without an engine, which never reads, writes or loads anything.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Tarnscript.h"
#include "runtime/CountedPtr.h"

// Loads packaged libraries.
class TLoader {
public:
  // The loaded library's name; empty on failure.
  std::string Load(ITarnscript& Engine, const std::string& FileName);
};

// One entry of the list.
class TLibData {
public:
  // Name: the file name without folder and extension until a load replaces it.
  TLibData(const std::string& FileName, bool LoadAtStart);

  bool IsPacked() const;
  // Packaged libraries have their topics in the program's help.
  bool HasHelp() const;
  // Packaged: the program's help at the keyword of the file's base name;
  // otherwise the help file in the desktop's program for its type.
  void ShowHelp() const;
  // The first of ".chm", ".txt", ".doc", ".htm", ".html" beside the library.
  void FindHelpFile();
  bool TryHelpFile(const std::string& Extension);

  // The file however its path is written: links, "." and ".." resolved.
  const std::string& CanonicalName() const { return canonicalName_; }

  std::string FileName;  // full path as listed
  std::string Name;
  std::string HelpFile;  // full path, or empty
  bool Load = false;     // load at start-up
  bool Loaded = false;   // the start-up load gave a library name

private:
  std::string canonicalName_;
};

// Where LoadAll tells its progress: the splash window while it shows.
class ILoadProgress {
public:
  virtual ~ILoadProgress() = default;
  virtual void AddMessage(const std::string& Message) = 0;
  virtual void SetProgress(int Percent) = 0;
};

// Nil until the splash window sets it.
extern ILoadProgress* LoadProgress;

class TLibMan {
public:
  static constexpr const char* Section = "LIBS";
  static constexpr const char* PackedMask = "*.tarl";

  // Folder ends with "/". With an engine, the stored entries are read and
  // Folder is scanned for packaged libraries.
  TLibMan(const std::string& Folder, CountedPtr<ITarnscript> Engine);
  // With an engine, writes the list; a failure to write loses nothing else.
  ~TLibMan();
  TLibMan(const TLibMan&) = delete;
  TLibMan& operator=(const TLibMan&) = delete;

  // The new entry's index; -1, with nothing added, when the file does not exist.
  int Add(const std::string& FileName, bool Load);
  void AddIfMissing(const std::string& FileName);
  // One file is one entry, however its path is written (links, "." and ".." resolved).
  int IndexOf(const std::string& FileName) const;
  int Count() const { return static_cast<int>(items_.size()); }
  TLibData& GetItem(int Index) const;
  void Delete(int Index);
  void Exchange(int I, int J);
  void Clear() { items_.clear(); }
  // A new entry from Item's file and load flag (help searched again), with its Name and Loaded.
  int AddCopy(const TLibData& Item);
  // The entries of Source, in order; the engine stays. OnReplaced follows.
  void Assign(const TLibMan& Source);
  // The list was replaced: what holds its entries must take them again.
  std::function<void()> OnReplaced;

  // Offers every file matching Mask in Folder and its subfolders, depth
  // first in name order. Folders reached through a link are not entered.
  void ScanFolder(const std::string& Folder, const std::string& Mask);
  void ReadSettings();
  void WriteSettings();
  // Loads the entries marked Load, in list order, telling LoadProgress.
  void LoadAll();

  ITarnscript* Engine() const { return engine_.get(); }
  // "Libraries" as read: once true, the stored load flags are the user's.
  bool Libraries = false;

private:
  void LoadEntry(TLibData& Item);

  std::vector<std::unique_ptr<TLibData>> items_;
  CountedPtr<ITarnscript> engine_;
  std::unique_ptr<TLoader> loader_;
};
