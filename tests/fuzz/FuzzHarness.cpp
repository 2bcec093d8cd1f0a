#include "tests/fuzz/FuzzHarness.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "engine/Lib.h"
#include "engine/data/IOSystem.h"
#include "engine/MessageChannel.h"
#include "engine/RunState.h"
#include "engine/Variant.h"
#include "libraries/StandardLibraries.h"
#include "runtime/Exceptions.h"
#include "runtime/ProcessState.h"
#include "runtime/WholeFile.h"

namespace {

class TDroppingSink final : public IXConsBase {
public:
  void Write(const std::string&, std::uint8_t, int) override {}
  void ExpandToLevel(int) override {}
  void Clear() override {}
};

// The files of this process, and the data sources that read them: the
// plug-ins stay loaded for the whole process, as in the program.
class TFuzzProcess {
public:
  TFuzzProcess() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quantrel-fuzz-XXXXXX").string();
    FuzzCheck(mkdtemp(pattern.data()) != nullptr, "cannot make a temporary folder");
    folder_ = pattern;
    IOSystem = std::make_unique<TIOSystem>();
    SetMessageSink(MakeCounted<TDroppingSink>());
  }
  ~TFuzzProcess() {
    engine_ = nullptr;
    SetMessageSink(nullptr);
    IOSystem.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  const std::filesystem::path& Folder() const { return folder_; }

  TXBuilder& Engine() {
    if (!engine_ || uses_ == MaxUses) {
      engine_ = nullptr;
      engine_ = MakeCounted<TXBuilder>(StandardCatalogues());
      uses_ = 0;
    }
    ++uses_;
    return *engine_;
  }

  // Removes what an input left; a new engine comes next when that fails.
  void Clean() {
    SetMessagePump(nullptr);
    engine_->SetOption(0, false);
    if (!UnloadScriptLibraries()) uses_ = MaxUses;
    engine_->ClearWorkspace();
    ResetRuntimeState();
    ResetEngineState();
  }

private:
  static constexpr int MaxUses = 100;

  // Later libraries may use earlier ones: they go first.
  bool UnloadScriptLibraries() {
    for (int i = engine_->Libs().Count() - 1; i >= 0; --i) {
      const TLib* lib = engine_->Libs().Get(i);
      if (!lib->BuiltIn() && !engine_->UnloadLibrary(lib->Name(), false)) return false;
    }
    return true;
  }

  std::filesystem::path folder_;
  CountedPtr<TXBuilder> engine_;
  int uses_ = 0;
};

TFuzzProcess& Process() {
  static TFuzzProcess process;
  return process;
}

}  // namespace

void FuzzCheck(bool condition, const char* message) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", message);
  std::abort();
}

std::string WriteFuzzFile(const std::string& name, const std::string& bytes) {
  const std::string path = (Process().Folder() / name).string();
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  FuzzCheck(static_cast<bool>(file.flush()), "cannot write a fuzz file");
  return path;
}

std::string ReadFuzzFile(const std::string& path) {
  std::string bytes;
  return ReadWholeFile(path, bytes) ? bytes : std::string();
}

TFuzzEngine::TFuzzEngine() : engine_(&Process().Engine()) {}

TFuzzEngine::~TFuzzEngine() { Process().Clean(); }

void TFuzzEngine::Run(const std::function<void()>& body) {
  using TClock = std::chrono::steady_clock;
  const TClock::time_point start = TClock::now();
  SetMessagePump([this, start] {
    if (TClock::now() - start > std::chrono::milliseconds(RunBudgetMs)) engine_->Abort();
  });
  try {
    body();
  } catch (const EAssertionFailed&) {
    throw;
  } catch (const EQuantrelError&) {
    // A platform fault, shown to the user; the engine must have survived it.
  }
  SetMessagePump(nullptr);
  ExpectWhole();
}

void TFuzzEngine::Evaluate(const std::string& line) {
  Run([&] {
    TVariant value;
    engine_->SetOption(0, true);
    engine_->Evaluate(line, false, true, -1, value);
    engine_->SetOption(0, false);
  });
}

void TFuzzEngine::ExpectWhole() {
  engine_->SetOption(0, false);
  FuzzCheck(!engine_->IsRunning(), "the engine is left running");
  TVariant value;
  engine_->Evaluate("1+1", false, false, -1, value);
  FuzzCheck(value.VarType() != varError && value.AsInt() == 2, "the engine does not evaluate 1+1 after the input");
}
