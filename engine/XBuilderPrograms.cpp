// Whole texts: a library, which stays loaded, or a program, which is
// compiled into a library of its own name, run once and removed again.
//
//   library Name ; [uses] declarations ( begin statements end | end ) .
//   [program Name ;] [uses] declarations begin statements end .

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/Lib.h"
#include "engine/RunFlags.h"
#include "engine/RunState.h"
#include "engine/Statement.h"
#include "engine/Unloading.h"
#include "engine/XBuilder.h"

namespace {

constexpr const char* UntitledPrefix = "_Untitled_";

// Programs without a name line are numbered from 1 for the life of the process.
std::int64_t UntitledPrograms = 0;

}  // namespace

// One compilation of a whole text, for its length. CurLib is nil before
// and after. The libraries a library text replaces are taken out of the
// engine while it compiles (Replace); the compilation then either keeps
// the library it built and frees them (Keep), or removes the library it
// built, if any, and brings them back (Drop), which a program always does
// and which happens too when a fault passes.
class TXBuilder::TCompilation {
public:
  explicit TCompilation(TXBuilder& engine) : engine_(engine) {
    engine_.CurLib = nullptr;
    engine_.compilation_ = this;
  }
  ~TCompilation() {
    if (!ended_) {
      try {
        Drop();
      } catch (...) {
        // The fault that is passing is the one the caller hears of.
      }
    }
    engine_.CurLib = nullptr;
    engine_.compilation_ = nullptr;
  }
  TCompilation(const TCompilation&) = delete;
  TCompilation& operator=(const TCompilation&) = delete;

  // Takes lib out of the engine until the compilation ends.
  void Replace(TLib* lib) { replaced_.push_back(std::make_unique<TUnloading>(engine_, lib)); }
  // True when it replaced a library.
  bool Keep() {
    ended_ = true;
    for (const auto& unloading : replaced_) unloading->Complete();
    return !replaced_.empty();
  }
  // Brings back in reverse order; true when a library had been built.
  bool Drop() {
    ended_ = true;
    TLib* built = std::exchange(engine_.CurLib, nullptr);
    if (built) engine_.RemoveLibrary(built);
    while (!replaced_.empty()) {
      replaced_.back()->Restore();
      replaced_.pop_back();
    }
    return built != nullptr;
  }

private:
  TXBuilder& engine_;
  std::vector<std::unique_ptr<TUnloading>> replaced_;
  bool ended_ = false;
};

bool TXBuilder::CompileText(const std::string& text) {
  if (running_) return false;
  TRunningScope running(*this);
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
  if (loaded) {
    compilation_->Keep();
    WriteMessage("Library \"" + name + "\" loaded successfully", lkInfo, 0);
  } else {
    compilation_->Drop();
  }
  NotifyDataClients(dcEverything);
  return loaded;
}

// A library file's text, read with seed. The library of the file's name
// (fileLib, unless nil) and the library the text names are replaced once
// the text has compiled. The result is the name the text gives, empty
// after an error.
std::string TXBuilder::LoadLibraryText(const std::string& text, std::int32_t seed, TLib* fileLib) {
  ResetRunState();
  TCompilation compilation(*this);
  if (fileLib) {
    if (RefusedWhileHeld(fileLib, NoPosition)) return {};
    compilation.Replace(fileLib);
  }
  TInputBinding input(*this, text, seed);
  std::string name;
  if (!Next() || !CompileLibrary(name)) {
    if (compilation.Drop()) NotifyDataClients(dcEverything);
    return {};
  }
  if (compilation.Keep()) NotifyDataClients(dcEverything);
  NotifyDataClients(dcLibraryLoaded);
  return name;
}

// A program that failed before its library was made removes nothing: a
// program named after a loaded library leaves that library alone.
bool TXBuilder::CompileTextAsProgram() {
  std::string name;
  bool compiled = CompileProgram(name);
  if (compilation_->Drop()) NotifyDataClients(dcEverything);
  return compiled;
}

// A library of that name is replaced once the text has compiled, unless it
// is built in (the engine's own libraries cannot be taken apart) or other
// compiled code holds it. It is out of the engine meanwhile, so the text
// can declare its names again. A compilation must be under way.
bool TXBuilder::CompileLibrary(std::string& name) {
  QASSERT(compilation_, "5D3FC988");
  CurLib = nullptr;
  if (!Expect(tcIdentifier, tkLibrary)) return false;
  name = Token.Text;
  TSourcePos at = TokenPos();
  if (!Expect(tcIdentifier, tkNone)) return false;
  if (TLib* loaded = libs_.Find(name)) {
    if (loaded->BuiltIn()) {
      ReportAt("Library name \"" + name + "\" is redefined", at);
      return false;
    }
    if (RefusedWhileHeld(loaded, at)) return false;
    compilation_->Replace(loaded);
  }
  AddScriptLibrary(name);
  if (!Expect(tcSymbol, tkSemicolon)) return false;
  if (Match(tcIdentifier, tkUses) && !CompileUses()) return false;
  if (!CompileDeclarations(true)) return false;
  if (Match(tcIdentifier, tkBegin)) {
    std::unique_ptr<TStatement> block = CompileCompound(true);
    // The block's errors do not decide the load, but an abort does: a
    // library stopped half-way is not loaded, and one of its name stays.
    if (!block || !block->Check()) return false;
    RunOnce(std::move(block));
    if (AbortFlag) return false;
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
  if (libs_.Find(name)) {
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
  CurLib = libs_.Add(std::make_unique<TLib>(name, false));
}

void TXBuilder::RunOnce(std::unique_ptr<TStatement> block) {
  ResetRunState();
  block->Execute();
}

// uses only checks: every loaded library is visible to every text anyway.
bool TXBuilder::CompileUses() {
  if (!Expect(tcIdentifier, tkUses)) return false;
  while (Match(tcIdentifier, tkNone)) {
    if (!libs_.Find(Token.Text)) {
      ReportAt("Library \"" + Token.Text + "\" is not loaded", TokenPos());
      return false;
    }
    if (!Next()) return false;
    if (!Match(tcSymbol, tkComma)) break;
    if (!Next()) return false;
  }
  return Expect(tcSymbol, tkSemicolon);
}

void TXBuilder::RemoveLibrary(TLib* lib) { TUnloading(*this, lib).Complete(); }

bool TXBuilder::RefusedWhileHeld(const TLib* lib, TSourcePos pos) const {
  if (!lib->Held()) return false;
  for (int i = 0; i < libs_.Count(); ++i) {
    if (libs_.Get(i)->Uses().Contains(lib)) {
      ReportAt("Library \"" + lib->Name() + "\" is used by \"" + libs_.Get(i)->Name() + "\"", pos);
      return true;
    }
  }
  ReportAt("Library \"" + lib->Name() + "\" is in use", pos);
  return true;
}
