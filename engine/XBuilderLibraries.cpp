// Files: a program file, compiled and run like a typed text, and library
// files, in source form (.tarn) or packaged (.tarl: deciphered, then read
// by the lexer in its scrambled mode); unloading a library; and the uses of
// other libraries that compiled code notes, by which a library that code
// still refers to is never unloaded.

#include <filesystem>
#include <sstream>
#include <string>

#include "engine/Kind.h"
#include "engine/Lib.h"
#include "engine/Var.h"
#include "engine/XBuilder.h"
#include "runtime/AESDecipher.h"
#include "runtime/Exceptions.h"
#include "runtime/WholeFile.h"

namespace {

bool IsFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::string Decipher(const std::string& packed) {
  std::istringstream source(packed);
  std::ostringstream plain;
  DecryptStreamAES256(source, 0, PackedLibraryKey, plain);
  return plain.str();
}

// The file with the extension replaced, else the same name in the library
// folder; empty when neither exists.
std::filesystem::path FindLibraryFile(const std::string& fileName, const char* extension, const std::string& libPath) {
  std::filesystem::path path = std::filesystem::path(fileName).replace_extension(extension);
  if (IsFile(path)) return path;
  path = std::filesystem::path(libPath + path.filename().string());
  return IsFile(path) ? path : std::filesystem::path();
}

}  // namespace

bool TXBuilder::CompileFile(const std::string& fileName) {
  std::string text;
  if (!IsFile(fileName) || !ReadWholeFile(fileName, text)) return false;
  return CompileText(text);
}

std::string TXBuilder::LoadSourceLibrary(const std::string& fileName) {
  return LoadLibraryFile(fileName, SourceLibraryExt, false);
}

std::string TXBuilder::LoadPackedLibrary(const std::string& fileName) {
  return LoadLibraryFile(fileName, PackedLibraryExt, true);
}

// The file is read, and deciphered, before anything changes: a file that
// cannot be read or deciphered raises its fault with the engine untouched.
// A built-in library is never replaced by a file of its name.
std::string TXBuilder::LoadLibraryFile(const std::string& fileName, const char* extension, bool packed) {
  if (RefusedWhileRunning()) return {};
  std::filesystem::path path = FindLibraryFile(fileName, extension, libPath_);
  if (path.empty()) {
    ReportError("File \"" + fileName + "\" not found", NoPosition, nullptr);
    return {};
  }
  std::string text;
  if (!ReadWholeFile(path.string(), text)) throw EStreamError("Stream read error");
  if (packed) text = Decipher(text);
  TRunningScope running(*this);
  TLib* fileLib = libs_.Find(path.stem().string());
  return LoadLibraryText(text, packed ? PackedLibrarySeed : -1, fileLib && !fileLib->BuiltIn() ? fileLib : nullptr);
}

bool TXBuilder::UnloadLibrary(const std::string& name, bool clearWorkspace) {
  if (RefusedWhileRunning()) return false;
  TLib* lib = libs_.Find(name);
  if (!lib) return false;
  if (lib->BuiltIn()) {
    ReportError("Built-in library \"" + lib->Name() + "\" cannot be unloaded", NoPosition, nullptr);
    return false;
  }
  if (RefusedWhileHeld(lib, NoPosition)) return false;
  RemoveLibrary(lib);
  if (clearWorkspace) ClearWorkspaceVariables();
  NotifyDataClients(dcEverything);
  return true;
}

// Uses of other libraries.

// A script library or program being compiled notes into its own uses, a
// tree being parsed into the tree's; a built-in library's catalogue and an
// evaluated line (whose tree is gone before anything can be unloaded) note
// nothing.
TLibUses* TXBuilder::UsesToNote() const {
  if (CurLib) return CurLib->BuiltIn() ? nullptr : &CurLib->Uses();
  return treeUses_;
}

void TXBuilder::NoteUse(const TLib* lib) const {
  TLibUses* uses = UsesToNote();
  if (uses && lib != CurLib) uses->Add(lib);
}

// A kind is used with every kind it is built from: the set of an
// enumeration of one library may belong to another (or to Workspace).
void TXBuilder::NoteUse(const TKind* kind) const {
  if (!UsesToNote()) return;
  ForEachKindPart(kind, [this](const TKind& part) { NoteUse(part.Lib()); });
}

void TXBuilder::NoteUse(const TVar& var) const {
  NoteUse(var.Lib());
  NoteUse(var.Kind());
  if (TLibUses* uses = UsesToNote()) uses->AddVariable(&var, varHolds_);
}
