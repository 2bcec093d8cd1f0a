#include "libraries/SourceScope.h"

#include <memory>

TIOSystem& ProgramIOSystem() {
  if (!IOSystem) IOSystem = std::make_unique<TIOSystem>();
  return *IOSystem;
}

TSourceScope::TSourceScope(const std::string& OpenString, std::uint8_t Mode, TSourcePos Pos)
    : instance_(ProgramIOSystem().Open(OpenString, Mode, Pos)) {
  if (instance_) handle_ = instance_->Handle();
}

TSourceScope::~TSourceScope() {
  if (instance_ && IOSystem) IOSystem->Close(handle_, NoPosition);
}
