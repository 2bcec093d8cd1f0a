#include "libraries/InOutRoutines.h"

#include "engine/Kind.h"
#include "engine/Var.h"
#include "libraries/BuiltInArgs.h"
#include "runtime/Quoted.h"
#include "libraries/SourceScope.h"
#include "libraries/VarEncoding.h"

namespace {

constexpr std::uint8_t LineFeed = 10;
constexpr std::uint8_t CarriageReturn = 13;

bool EndsText(std::uint8_t byte) { return byte == 0 || byte == CarriageReturn || byte == LineFeed; }

// Anonymous kinds cannot be named in a kind line, except for routine
// variables, whose line is the generic one.
bool IsNamedForRecord(const TKind* kind) { return kind->HasName() || kind->Code() == kcFunction; }

}  // namespace

bool TOpenIO::Execute(TSourcePos pos) {
  const auto mode = static_cast<std::uint8_t>(GetArgValue(1).AsInt());
  const TIOInst* instance = ProgramIOSystem().Open(GetArgValue(0).Str(), mode, pos);
  static_cast<TBaseVar*>(ResultVariable())->SetValue(TValue::Integer(instance ? instance->Handle() : 0));
  return true;
}

bool TCloseIO::Execute(TSourcePos pos) {
  std::int32_t handle = 0;
  ValueToInt(GetArgValue(0), handle);
  ProgramIOSystem().Close(handle, pos);
  return true;
}

bool TWriteVarIO::Transfer(TSourcePos pos) {
  const CountedPtr<IInOut> source = Source(pos, true);
  if (!source) return false;
  TVar* v = Arg(1);
  if (!IsNamedForRecord(v->Kind())) {
    ReportError("Cannot save variables with unkown kind " + Quoted(v->Kind()->Name()), pos, nullptr);
    return false;
  }
  std::string bytes;
  return ComposeText([&](TIOFiler& filer) { return WriteVariableRecord(filer, v, pos); }, bytes) &&
         WriteBytes(*source, bytes);
}

bool TReadVarIO::Transfer(TSourcePos pos) {
  const CountedPtr<IInOut> source = Source(pos, true);
  if (!source) return false;
  TVar* v = RefArg(1);
  TIOFiler filer(source, fmText);
  std::string kindLine;
  if (!filer.ReadLine(kindLine)) return false;
  const TKind* kind = v->Kind();
  if (kind->HasName() && kind->Code() != kcFunction && !SameName(kindLine, kind->Name())) {
    ReportError("Cannot read type " + Quoted(kindLine) + " into " + Quoted(kind->Name()), pos, nullptr);
    return false;
  }
  return ReadVariableValue(filer, v, pos);
}

bool TWriteCharIO::Transfer(TSourcePos pos) {
  const CountedPtr<IInOut> source = Source(pos, true);
  return source && WriteText(*source, std::string(1, GetArgValue(1).AsChar()), pos);
}

bool TReadCharIO::Transfer(TSourcePos pos) {
  const CountedPtr<IInOut> source = Source(pos, true);
  if (!source) return false;
  std::uint8_t byte = 0;
  if (!source->ReadByte(byte)) return SourceFailed(*source, pos);
  BaseRefArg(*this, 1).SetValue(TValue::Char(static_cast<char>(byte)));
  return true;
}

bool TWriteByteIO::Transfer(TSourcePos pos) {
  const CountedPtr<IInOut> source = Source(pos, true);
  const auto byte = static_cast<char>(GetArgValue(1).AsInt() & 0xFF);
  return source && WriteText(*source, std::string(1, byte), pos);
}

bool TReadByteIO::Transfer(TSourcePos pos) {
  const CountedPtr<IInOut> source = Source(pos, true);
  if (!source) return false;
  std::uint8_t byte = 0;
  if (!source->ReadByte(byte)) return SourceFailed(*source, pos);
  BaseRefArg(*this, 1).SetValue(TValue::Integer(byte));
  return true;
}

bool TWriteStrIO::Transfer(TSourcePos pos) {
  const CountedPtr<IInOut> source = Source(pos, true);
  if (!source) return false;
  const bool useETX = GetArgValue(2).AsBool();
  return WriteText(*source, GetArgValue(1).Str(), pos) &&
         (!useETX || WriteText(*source, std::string(1, static_cast<char>(LineFeed)), pos));
}

bool TReadStrIO::Transfer(TSourcePos pos) {
  const CountedPtr<IInOut> source = Source(pos, true);
  if (!source) return false;
  const bool useETX = GetArgValue(2).AsBool();
  std::uint8_t byte = 0;
  if (!source->ReadByte(byte)) return SourceFailed(*source, pos);
  std::string text;
  do {
    if (useETX && EndsText(byte)) break;
    text += static_cast<char>(byte);
  } while (source->ReadByte(byte));
  BaseRefArg(*this, 1).SetValue(TValue::String(text));
  return true;
}
