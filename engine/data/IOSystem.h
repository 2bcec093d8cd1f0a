#pragma once
// The data-source I/O system. Every data source is provided by a plug-in: a
// shared object "*.dio" below the program's DATA folder, exporting CreateIO
// (runtime/IOPluginABI.h). The system loads the plug-ins once, opens sources
// from open strings, keeps the open ones under integer handles and closes
// them all when a run is aborted.
//
// An open string is type://specifier[:option;option;...]. Only the type is
// case-insensitive; the specifier and the options reach the source as
// written, as the parameters spec=<specifier> and one per option. A
// specifier of one letter is a drive letter: its colon belongs to it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/MessageChannel.h"
#include "engine/data/ParamSys.h"
#include "runtime/IOPluginABI.h"
#include "runtime/InOut.h"
#include "runtime/Storage.h"

// One loaded plug-in; it owns the loaded library.
class TIOPlugin {
public:
  TIOPlugin() = default;
  ~TIOPlugin();
  TIOPlugin(const TIOPlugin&) = delete;
  TIOPlugin& operator=(const TIOPlugin&) = delete;

  // Loads the library at Path and learns the type name and flags from one
  // object it makes. A library that does not load or lacks CreateIO is
  // reported (no position) and gives false; one whose CreateIO makes nothing
  // fails the assertion "8EAF301A".
  bool Load(const std::string& Path);
  // A new source of the plug-in's type; assertion "3EDA5A90" when it makes none.
  CountedPtr<IInOut> CreateIO() const;

  const std::string& Path() const { return path_; }
  const std::string& TypeName() const { return typeName_; }
  std::uint8_t Flags() const { return flags_; }

private:
  void Unload();

  void* module_ = nullptr;
  QIOCreateFunction create_ = nullptr;
  std::string path_;
  std::string typeName_;
  std::uint8_t flags_ = 0;
};

// One open data source. Freeing it releases the source, which completes its
// work; it does not call IInOut::Close.
class TIOInst {
public:
  TIOInst(TIOPlugin& Plugin, std::int32_t Handle, std::string FilesFolder);

  std::int32_t Handle() const { return handle_; }
  const CountedPtr<IInOut>& InOut() const { return inOut_; }
  TIOPlugin& Plugin() const { return *plugin_; }
  TParamSys& Params() const { return *params_; }

private:
  std::int32_t handle_;
  CountedPtr<IInOut> inOut_;
  TIOPlugin* plugin_;
  CountedPtr<TParamSys> params_;
};

class TIOSystem {
public:
  // Loads every plug-in "*.dio" below AppFolder + "DATA/": the files of a
  // folder first, then its sub-folders (hidden ones and links excepted),
  // each in name order. Files/ beside DATA/ is the sources' Files folder.
  explicit TIOSystem(const std::string& AppFolder = GetAppFolder());
  // Frees the open sources first, then the plug-ins.
  ~TIOSystem();
  TIOSystem(const TIOSystem&) = delete;
  TIOSystem& operator=(const TIOSystem&) = delete;

  // Mode is a TIOMode. Errors are reported at Pos; the result is nil then.
  TIOInst* Open(const std::string& OpenString, std::uint8_t Mode, TSourcePos Pos);
  // "Bad data source handle" at Pos when Handle is not open.
  void Close(std::int32_t Handle, TSourcePos Pos);
  TIOInst* GetInstance(std::int32_t Handle, TSourcePos Pos) const;
  // IInOut::Close on every open source in order of opening, then frees them all.
  void CloseAll();

  // The first plug-in loaded whose type equals TypeName ignoring case.
  TIOPlugin* FindPlugin(std::string_view TypeName) const;
  int PluginCount() const { return static_cast<int>(plugins_.size()); }
  TIOPlugin& GetPlugin(int Index) const;  // assertion outside 0..PluginCount-1

private:
  void ScanFolder(const std::string& Folder, const std::string& Mask);
  void LoadPlugin(const std::string& Path);
  // A distinct non-zero handle within 32 bits.
  std::int32_t NewHandle();
  std::vector<std::unique_ptr<TIOInst>>::const_iterator FindOpen(std::int32_t Handle) const;

  std::vector<std::unique_ptr<TIOPlugin>> plugins_;  // in order of loading
  std::vector<std::unique_ptr<TIOInst>> open_;      // in order of opening
  const std::string filesFolder_;
  std::int32_t lastHandle_ = 0;
};

// The program's one I/O system, made after the settings store and before any
// window; nil while none exists.
extern std::unique_ptr<TIOSystem> IOSystem;
