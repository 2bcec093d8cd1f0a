#include "engine/MessageChannel.h"

#include "engine/Lib.h"

namespace {

struct TChannel {
  CountedPtr<IXConsBase> Sink;
  std::string LastErrorText;
  TSourcePos LastErrorPos = NoPosition;
  std::string LastErrorLib;
  std::uint64_t ErrorCount = 0;
};

TChannel& Channel() {
  static TChannel channel;
  return channel;
}

std::string LibraryPart(const TLib* lib) {
  return lib ? " in \"" + lib->Name() + "\"" : std::string();
}

std::string PositionPart(TSourcePos pos) {
  if (pos.Line < 0) return {};
  return " at [" + std::to_string(pos.Line) + ":" + std::to_string(pos.Column) + "] ";
}

}  // namespace

void SetMessageSink(CountedPtr<IXConsBase> sink) {
  TChannel& channel = Channel();
  if (sink == channel.Sink) return;
  channel.Sink = std::move(sink);
  ClearLastError();
}

CountedPtr<IXConsBase> GetMessageSink() { return Channel().Sink; }

void WriteMessage(const std::string& text, std::uint8_t kind, int level) {
  if (const auto& sink = Channel().Sink) sink->Write(text, kind, level);
}

void ExpandMessageLevels(int level) {
  if (const auto& sink = Channel().Sink) sink->ExpandToLevel(level);
}

void ReportError(const std::string& msg, TSourcePos pos, const TLib* lib) {
  TChannel& channel = Channel();
  channel.LastErrorText = msg;
  channel.LastErrorPos = pos;
  channel.LastErrorLib = lib ? lib->Name() : std::string();
  ++channel.ErrorCount;
  WriteMessage(msg + LibraryPart(lib) + PositionPart(pos), lkError, 0);
}

std::uint64_t ReportedErrorCount() { return Channel().ErrorCount; }

void ClearLastError() {
  TChannel& channel = Channel();
  channel.LastErrorText.clear();
  channel.LastErrorPos = NoPosition;
  channel.LastErrorLib.clear();
}

const std::string& GetLastErrorText() { return Channel().LastErrorText; }

TSourcePos GetLastErrorPos() { return Channel().LastErrorPos; }

const std::string& GetLastErrorLib() { return Channel().LastErrorLib; }
