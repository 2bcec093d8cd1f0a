// Whole texts: a library, which stays loaded, or a program, which is
// compiled into a library of its own name, run once and removed again.
//
//   library Name ; [uses] declarations ( begin statements end | end ) .
//   [program Name ;] [uses] declarations begin statements end .

#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/Lib.h"
#include "engine/RunState.h"
#include "engine/Statement.h"
#include "engine/XBuilder.h"

namespace {

constexpr const char* UntitledPrefix = "_Untitled_";

// Programs without a name line are numbered from 1 for the life of the process.
std::int64_t UntitledPrograms = 0;

}  // namespace

// The library being compiled, for the length of one CompileText. On every
// exit CurLib becomes nil; when a fault leaves the engine on the way, the
// library it was building goes too, so that a program's name is free again.
class TXBuilder::TCompilation {
public:
  explicit TCompilation(TXBuilder& engine) : engine_(engine), exceptions_(std::uncaught_exceptions()) {
    engine_.CurLib = nullptr;
  }
  ~TCompilation() {
    if (std::uncaught_exceptions() > exceptions_ && engine_.CurLib) {
      try {
        engine_.RemoveLibrary(engine_.CurLib, false);
      } catch (...) {
        // The first fault is the one the caller hears of.
      }
    }
    engine_.CurLib = nullptr;
  }
  TCompilation(const TCompilation&) = delete;
  TCompilation& operator=(const TCompilation&) = delete;

private:
  TXBuilder& engine_;
  int exceptions_;
};

bool TXBuilder::CompileText(const std::string& text) {
  if (Running) return false;
  TRunningScope running(Running);
  ResetRunState();
  if (text.empty()) {
    WriteMessage("Nothing to compile", lkWarning, 0);
    return false;
  }
  TInputBinding input(*this, text, -1);
  TCompilation compilation(*this);
  if (!Next()) return false;
  return Match(tcIdentifier, tkLibrary) ? CompileTextAsLibrary() : CompileTextAsProgram();
}

bool TXBuilder::CompileTextAsLibrary() {
  std::string name;
  bool loaded = CompileLibrary(name);
  if (loaded)
    WriteMessage("Library \"" + name + "\" loaded successfully", lkInfo, 0);
  else if (CurLib)
    RemoveLibrary(CurLib, true);
  NotifyDataClients(dcEverything);
  return loaded;
}

// A program that failed before its library was made removes nothing: a
// program named after a loaded library leaves that library alone.
bool TXBuilder::CompileTextAsProgram() {
  std::string name;
  bool compiled = CompileProgram(name);
  if (CurLib) RemoveLibrary(CurLib, false);
  return compiled;
}

bool TXBuilder::CompileFile(const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error)) return false;
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return false;
  std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return CompileText(text);
}

// A library of that name is replaced, unless it is built in: the engine's
// own libraries cannot be taken apart.
bool TXBuilder::CompileLibrary(std::string& name) {
  CurLib = nullptr;
  if (!Expect(tcIdentifier, tkLibrary)) return false;
  name = Token.Text;
  TSourcePos at = TokenPos();
  if (!Expect(tcIdentifier, tkNone)) return false;
  if (TLib* loaded = Libs.Find(name)) {
    if (loaded->BuiltIn()) {
      ReportAt("Library name \"" + name + "\" is redefined", at);
      return false;
    }
    RemoveLibrary(loaded, false);
  }
  AddScriptLibrary(name);
  if (!Expect(tcSymbol, tkSemicolon)) return false;
  if (Match(tcIdentifier, tkUses) && !CompileUses()) return false;
  if (!CompileDeclarations(true)) return false;
  if (Match(tcIdentifier, tkBegin)) {
    std::unique_ptr<TStatement> block = CompileCompound(true);
    // The block's outcome does not decide the load.
    if (!block || !block->Check()) return false;
    RunOnce(std::move(block));
  } else if (!Expect(tcIdentifier, tkEnd)) {
    return false;
  }
  return Expect(tcSymbol, tkDot);
}

bool TXBuilder::CompileProgram(std::string& name) {
  CurLib = nullptr;
  TSourcePos at = TokenPos();
  if (Match(tcIdentifier, tkProgram)) {
    if (!Next()) return false;
    name = Token.Text;
    at = TokenPos();
    if (!Expect(tcIdentifier, tkNone) || !Expect(tcSymbol, tkSemicolon)) return false;
  } else {
    name = UntitledPrefix + std::to_string(++UntitledPrograms);
  }
  if (Libs.Find(name)) {
    ReportAt("Program name \"" + name + "\" is redefined", at);
    return false;
  }
  AddScriptLibrary(name);
  if (Match(tcIdentifier, tkUses) && !CompileUses()) return false;
  if (!CompileDeclarations(true)) return false;
  std::unique_ptr<TStatement> block = CompileCompound(true);
  if (!block || !Expect(tcSymbol, tkDot) || !block->Check()) return false;
  // A run-time error does not fail the compilation: it was reported and
  // the statements after it ran.
  RunOnce(std::move(block));
  return true;
}

void TXBuilder::AddScriptLibrary(const std::string& name) {
  CurLib = Libs.Add(std::make_unique<TLib>(name, false));
}

void TXBuilder::RunOnce(std::unique_ptr<TStatement> block) {
  ResetRunState();
  block->Execute();
}

// uses only checks: every loaded library is visible to every text anyway.
bool TXBuilder::CompileUses() {
  if (!Expect(tcIdentifier, tkUses)) return false;
  while (Match(tcIdentifier, tkNone)) {
    if (!Libs.Find(Token.Text)) {
      ReportAt("Library \"" + Token.Text + "\" is not loaded", TokenPos());
      return false;
    }
    if (!Next()) return false;
    if (!Match(tcSymbol, tkComma)) break;
    if (!Next()) return false;
  }
  return Expect(tcSymbol, tkSemicolon);
}

// The registries first, so that nothing refers to a routine or kind while
// it is freed; a built-in library keeps its names in the tables.
void TXBuilder::RemoveLibrary(TLib* lib, bool clearWorkspace) {
  ImportExport.RemoveLibrary(lib);
  TypeRoutines.RemoveLib(lib);
  Convs.RemoveLib(lib);
  Vars.RemoveLib(lib, false);
  Funcs.RemoveLib(lib, false);
  Ops.RemoveLib(lib);
  Kinds.RemoveLib(lib, false);
  if (CurLib == lib) CurLib = nullptr;
  Libs.Delete(Libs.IndexOf(lib->Name()));
  if (clearWorkspace) ClearWorkspaceVariables();
  NotifyDataClients(dcEverything);
}
