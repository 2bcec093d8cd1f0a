#include "libraries/VarFiles.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "engine/Kind.h"
#include "engine/Lib.h"
#include "engine/Tarnscript.h"
#include "engine/Var.h"
#include "runtime/Quoted.h"
#include "libraries/SourceScope.h"
#include "libraries/VarEncoding.h"
#include "runtime/Exceptions.h"

namespace {

using TStagedVars = std::vector<std::unique_ptr<TVar>>;

std::string FileOpenString(const std::string& path) { return "file://" + path; }

ITarnscript& Engine() {
  QASSERT(ScriptEngine != nullptr, "7C0E51A1");
  return *ScriptEngine;
}

// The kind a kind line names; reported when it names none.
TKind* KindNamed(const std::string& line) {
  TKind* kind = FindKind(line);
  if (!kind) ReportError("Unknown variable type " + Quoted(line), NoPosition, nullptr);
  return kind;
}

void ReportNotCreated(const std::string& name) {
  ReportError("Failed to create variable " + Quoted(name), NoPosition, nullptr);
}

void ReportNoDevice(const std::string& openString) {
  ReportError("Failed to create IO device " + Quoted(openString), NoPosition, nullptr);
}

// Writing.

// Composes everything first, then opens the file: a file that cannot be
// composed is never opened, so an existing one stays as it was.
bool SaveComposed(const std::string& path, const std::function<bool(TIOFiler&)>& compose, bool reportNoDevice) {
  std::string bytes;
  if (!ComposeText(compose, bytes)) return false;
  const std::string openString = FileOpenString(path);
  TSourceScope file(openString, ioWrite, NoPosition);
  if (!file) {
    if (reportNoDevice) ReportNoDevice(openString);
    return false;
  }
  return WriteBytes(file.Source(), bytes);
}

std::vector<TVar*> StorableWorkspaceVariables() {
  std::vector<TVar*> storable;
  Engine().ForEachVariable(
      [&](TVar* var) {
        if (var->Kind()->HasName()) storable.push_back(var);
        return true;
      },
      WorkspaceLibName);
  return storable;
}

bool WriteWorkspace(TIOFiler& filer, const std::vector<TVar*>& vars) {
  if (!filer.WriteInteger(static_cast<std::int64_t>(vars.size()))) return false;
  for (TVar* var : vars)
    if (!filer.WriteLine(var->Name()) || !WriteVariableRecord(filer, var, NoPosition)) return false;
  return true;
}

// Reading.

// A name that a variable outside the workspace, or an earlier entry of the
// file, already has.
bool NameTaken(const std::string& name, const TStagedVars& staged, const TLib* workspace) {
  for (const auto& var : staged)
    if (SameName(var->Name(), name)) return true;
  const TVar* existing = Engine().FindVariable(name);
  return existing && existing->Lib() != workspace;
}

// One entry, read into a variable of its own outside the engine's tables.
bool ReadWorkspaceEntry(TIOFiler& filer, TStagedVars& staged, TLib* workspace) {
  std::string name;
  std::string kindLine;
  if (!filer.ReadLine(name) || !filer.ReadLine(kindLine)) return false;
  TKind* kind = KindNamed(kindLine);
  if (!kind) return false;
  if (NameTaken(name, staged, workspace)) {
    ReportNotCreated(name);
    return false;
  }
  staged.push_back(MakeVar(name, kind, false, NoneValue, workspace));
  return ReadVariableValue(filer, staged.back().get(), NoPosition);
}

// A count of 0 or less holds no variable; a count beyond 32 bits is corrupt.
bool ReadWorkspace(TIOFiler& filer, TStagedVars& staged) {
  std::int64_t count = 0;
  if (!filer.ReadInteger(count) || count > std::numeric_limits<std::int32_t>::max()) return false;
  TLib* workspace = Engine().FindLibrary(WorkspaceLibName);
  for (std::int64_t i = 0; i < count; ++i)
    if (!ReadWorkspaceEntry(filer, staged, workspace)) return false;
  return true;
}

// The engine refuses to clear the workspace, and says so, while a run is in
// progress; the workspace then stays as it is.
bool ReplaceWorkspace(TStagedVars& staged) {
  ITarnscript& engine = Engine();
  engine.ClearWorkspace();
  if (engine.IsRunning()) return false;
  for (auto& var : staged)
    engine.InsertVariable(var);
  return true;
}

}  // namespace

bool SaveVariableFile(TVar* V, const std::string& Path) {
  return SaveComposed(Path, [V](TIOFiler& filer) { return WriteVariableRecord(filer, V, NoPosition); }, false);
}

bool LoadVariableFile(const std::string& Path, const std::string& Name) {
  TSourceScope file(FileOpenString(Path), ioRead, NoPosition);
  if (!file) return false;
  TIOFiler filer(file.Instance()->InOut(), fmText);
  std::string kindLine;
  if (!filer.ReadLine(kindLine)) return false;
  TKind* kind = KindNamed(kindLine);
  if (!kind) return false;
  ITarnscript& engine = Engine();
  TVar* var = engine.AddVariable(Name, kind);
  if (!var) {
    ReportNotCreated(Name);
    return false;
  }
  if (ReadVariableValue(filer, var, NoPosition)) return true;
  engine.DeleteVariable(Name);
  return false;
}

bool SaveWorkspaceFile(const std::string& Path) {
  const std::vector<TVar*> vars = StorableWorkspaceVariables();
  return SaveComposed(Path, [&vars](TIOFiler& filer) { return WriteWorkspace(filer, vars); }, true);
}

bool LoadWorkspaceFile(const std::string& Path) {
  const std::string openString = FileOpenString(Path);
  bool loaded = false;
  {
    TSourceScope file(openString, ioRead, NoPosition);
    if (!file) {
      ReportNoDevice(openString);
      return false;
    }
    TIOFiler filer(file.Instance()->InOut(), fmText);
    TStagedVars staged;
    loaded = ReadWorkspace(filer, staged) && ReplaceWorkspace(staged);
  }
  Engine().NotifyDataClients(dcVariables);
  return loaded;
}
