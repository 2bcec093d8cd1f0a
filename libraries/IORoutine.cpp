#include "libraries/IORoutine.h"

#include "engine/RunState.h"
#include "engine/Var.h"
#include "libraries/SourceScope.h"

bool TIORoutine::Execute(TSourcePos pos) {
  const bool transferred = Transfer(pos);
  static_cast<TBaseVar*>(ResultVariable())->SetValue(TValue::Boolean(transferred));
  return true;
}

CountedPtr<IInOut> TIORoutine::Source(TSourcePos pos, bool sayNotOpened) const {
  std::int32_t handle = 0;
  ValueToInt(GetArgValue(0), handle);
  if (TIOInst* instance = ProgramIOSystem().GetInstance(handle, pos)) return instance->InOut();
  if (sayNotOpened) ReportError("Device is not opened", pos, nullptr);
  return nullptr;
}

bool SourceFailed(IInOut& source, TSourcePos pos) {
  ReportError(source.GetLastError(), pos, nullptr);
  return false;
}

bool WriteText(IInOut& source, const std::string& text, TSourcePos pos, bool processMessages) {
  for (char byte : text) {
    if (!source.WriteByte(static_cast<std::uint8_t>(byte))) return SourceFailed(source, pos);
    if (processMessages) ProcessMessages();
  }
  return true;
}
