#pragma once
// The C++ face of a plug-in's data-source object (IOPluginABI.h). The
// parameters handed to Open reach the plug-in through a C view of their own,
// which the plug-in may keep counted beyond the call.

#include "runtime/IOPluginABI.h"
#include "runtime/InOut.h"

class TPluginInOut final : public IInOut {
public:
  // Takes over the one reference CreateIO handed out (Object not nil).
  explicit TPluginInOut(QIOInOut* Object);

  std::string GetTypeName() override;
  std::string GetLastError() override;
  bool Open(const CountedPtr<IIOParamSys>& Params, std::uint8_t Mode) override;
  bool ReadByte(std::uint8_t& B) override;
  bool WriteByte(std::uint8_t B) override;
  void Close() override;
  std::uint8_t GetFlags() override;

private:
  ~TPluginInOut() override;

  QIOInOut* object_;
};
