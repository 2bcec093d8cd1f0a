#pragma once
// Data sources as the program sees them. A data source is a byte stream
// provided by a plug-in (PluginInOut.h) and opened by the I/O system from an
// open string type://specifier:options; the parameters of that request
// travel to the source as an IIOParamSys.
//
// Texts are UTF-8.

#include <cstdint>
#include <string>

#include "runtime/CountedPtr.h"

class IIOParams : public TCounted {
public:
  // The value of the first parameter name=value whose name equals Name
  // ignoring case; empty when there is none.
  virtual std::string GetValue(const std::string& Name) = 0;
  // The default folder for data files, with a trailing "/".
  virtual std::string GetFilesFolder() = 0;
};

class IIOParamSys : public IIOParams {
public:
  // Appends one parameter text (normally name=value); returns its 0-based index.
  virtual std::int32_t AddParam(const std::string& Text) = 0;
};

enum TIOMode : std::uint8_t {
  ioRead = 0,
  ioWrite = 1,
};

// Capabilities a source announces to the import/export dialog.
enum TIOFlag : std::uint8_t {
  ioTakesFileName = 1,  // the dialog offers a browse button
  ioTakesSpecifier = 2,
  ioTakesOptions = 4,
};

class IInOut : public TCounted {
public:
  // The type named before "://" in open strings.
  virtual std::string GetTypeName() = 0;
  // Text of the last failure; empty when there is none.
  virtual std::string GetLastError() = 0;
  // Mode is a TIOMode.
  virtual bool Open(const CountedPtr<IIOParamSys>& Params, std::uint8_t Mode) = 0;
  // False at the end of the data or on failure.
  virtual bool ReadByte(std::uint8_t& B) = 0;
  virtual bool WriteByte(std::uint8_t B) = 0;
  // Only when every open source is closed at once (an abort); an ordinary
  // close releases the source, which then completes its work.
  virtual void Close() = 0;
  // A combination of TIOFlag values.
  virtual std::uint8_t GetFlags() = 0;
};
