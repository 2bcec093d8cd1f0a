#include "engine/ConsoleLine.h"

#include "engine/Tarnscript.h"
#include "engine/Variant.h"

namespace {

class TOptionZeroScope {
public:
  TOptionZeroScope(ITarnscript& engine, bool on) : engine_(engine) { engine_.SetOption(0, on); }
  ~TOptionZeroScope() { engine_.SetOption(0, false); }
  TOptionZeroScope(const TOptionZeroScope&) = delete;
  TOptionZeroScope& operator=(const TOptionZeroScope&) = delete;

private:
  ITarnscript& engine_;
};

}  // namespace

void EvaluateConsoleLine(ITarnscript& engine, const std::string& line, bool createsVariables, bool multiLine) {
  TVariant value;
  if (engine.IsRunning()) {
    engine.Evaluate(line, false, true, -1, value);
    return;
  }
  const TOptionZeroScope option(engine, createsVariables);
  engine.Evaluate(line, multiLine, true, -1, value);
}
