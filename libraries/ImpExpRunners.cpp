#include "libraries/ImpExpRunners.h"

#include <memory>

#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/Tarnscript.h"
#include "engine/Var.h"
#include "libraries/SourceScope.h"
#include "runtime/Exceptions.h"

namespace {

// The routine run on the source's handle and V, at no position; false when
// the run failed.
bool RunOnSource(TFunc& routine, const TSourceScope& source, TVar* v) {
  TBaseVar handle(std::string(), BaseKind(kcInteger), false, nullptr);
  handle.SetValue(TValue::Integer(source.Instance()->Handle()));
  TVar* args[] = {&handle, v};
  if (!routine.CallDirect(args, NoPosition)) return false;
  const auto* result = dynamic_cast<const TBaseVar*>(routine.ResultVariable());
  return result && result->GetValue().AsBool();
}

// The import goes to a copy, which the variable takes only on success.
bool ImportIntoExisting(TFunc& routine, const TSourceScope& source, TVar& v) {
  const std::unique_ptr<TVar> copy = MakeVar(std::string(), v.Kind(), false, NoneValue, v.Lib());
  copy->Assign(v, false);
  return RunOnSource(routine, source, copy.get()) && v.Assign(*copy, false);
}

bool ImportIntoNew(const std::string& name, TFunc& routine, const TSourceScope& source, TVar*& v) {
  QASSERT(ScriptEngine != nullptr, "7C0E51A3");
  v = ScriptEngine->AddVariable(name, routine.ArgKind(1));
  if (!v) return false;
  if (RunOnSource(routine, source, v)) return true;
  ScriptEngine->DeleteVariable(name);
  v = nullptr;
  return false;
}

}  // namespace

bool RunExportRoutine(const std::string& Spec, TVar* V, TFunc* Routine) {
  QASSERT(V != nullptr, "7C0E51A2");
  const TSourceScope source(Spec, ioWrite, NoPosition);
  return source && RunOnSource(*Routine, source, V);
}

bool RunImportRoutine(const std::string& Name, const std::string& Spec, TVar*& V, TFunc* Routine) {
  const TSourceScope source(Spec, ioRead, NoPosition);
  if (!source) return false;
  return V ? ImportIntoExisting(*Routine, source, *V) : ImportIntoNew(Name, *Routine, source, V);
}
