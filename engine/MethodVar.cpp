#include "engine/MethodVar.h"

#include "engine/Kind.h"
#include "engine/MessageChannel.h"
#include "engine/RunState.h"
#include "runtime/Exceptions.h"

namespace {

enum : std::uint8_t {
  ecProcedure = 1,
  ecNotify = 2,
  ecMouseButton = 3,
  ecMouseMove = 4,
  ecKeyUpDown = 5,
  ecKeyPress = 6,
};

constexpr std::int64_t LastAsciiCode = 0x7F;
constexpr std::int64_t LastKeyCode = 0xFFFF;

std::int64_t SetBitsOf(TVar* var) { return static_cast<std::int64_t>(static_cast<TSetVar*>(var)->GetBits()); }

std::int64_t IntOf(TVar* var) { return static_cast<TBaseVar*>(var)->GetValue().AsInt(); }

// An argument the host takes as a 32-bit integer: ERangeError beyond.
std::int64_t Int32Of(TVar* var) {
  std::int32_t n = 0;
  ValueToInt(static_cast<TBaseVar*>(var)->GetValue(), n);
  return n;
}

// A key code the host takes as a Word: ERangeError outside.
std::int64_t KeyCode(std::int64_t key) {
  if (key < 0 || key > LastKeyCode) throw ERangeError();
  return key;
}

void SetInt(TVar* var, std::int64_t n) { static_cast<TBaseVar*>(var)->SetValue(TValue::Integer(n)); }

// A key press's character as Tarnscript's one-byte Char: #0 beyond ASCII.
char CharOfKey(std::int64_t key) { return key >= 0 && key <= LastAsciiCode ? static_cast<char>(key) : '\0'; }

}  // namespace

TMethodFunc::TMethodFunc(std::string name, TFuncKind* kind, THostHandler handler, TLib* lib)
    : TFunc(std::move(name), kind, lib), handler_(std::move(handler)) {}

bool TMethodFunc::Execute(TSourcePos) {
  return !handler_ || ReportingFaults([this] { CallHandler(); });
}

void TMethodFunc::CallHandler() {
  THostEventArgs args;
  const std::uint8_t code = Signature()->EventCode();
  if (code >= ecNotify)
    if (auto* record = dynamic_cast<TRecVar*>(ArgTarget(0))) args.Sender = record->Object();
  switch (code) {
    case ecMouseButton:
      args.Button = IntOf(ArgTarget(1));
      args.Shift = SetBitsOf(ArgTarget(2));
      args.X = Int32Of(ArgTarget(3));
      args.Y = Int32Of(ArgTarget(4));
      break;
    case ecMouseMove:
      args.Shift = SetBitsOf(ArgTarget(1));
      args.X = Int32Of(ArgTarget(2));
      args.Y = Int32Of(ArgTarget(3));
      break;
    case ecKeyUpDown:
      args.Key = KeyCode(IntOf(ArgTarget(1)));
      args.Shift = SetBitsOf(ArgTarget(2));
      break;
    case ecKeyPress:
      args.Key = static_cast<unsigned char>(static_cast<TBaseVar*>(ArgTarget(1))->GetValue().AsChar());
      break;
    default:
      break;
  }
  handler_.Call(args);
  if (code == ecKeyUpDown) SetInt(ArgTarget(1), args.Key);
  if (code == ecKeyPress) static_cast<TBaseVar*>(ArgTarget(1))->SetValue(TValue::Char(CharOfKey(args.Key)));
}

TMethodVar::TMethodVar(std::string name, TRecVar& rec, TFuncKind* kind, bool isConst, TLib* lib,
                       const TPublishedProperty& property)
    : TFuncVar(name, kind, isConst, nullptr, lib), rec_(rec), property_(property) {
  QASSERT(rec.Object() != nullptr, "6E4541A0");
  previous_ = std::make_unique<TMethodFunc>(std::move(name), kind, property.GetHandler(*rec.Object()), lib);
  if (previous_->Handler()) SetFallback(previous_.get());
  if (kind->EventCode() >= ecNotify) callArgs_.push_back(&rec);
  for (int i = 1; i < kind->ArgCount(); ++i) {
    argVars_.push_back(MakeVar(kind->Arg(i)->Name(), kind->Arg(i)->Kind(), false, NoneValue, lib));
    callArgs_.push_back(argVars_.back().get());
  }
  if (!isConst) Hook();
}

TMethodVar::~TMethodVar() {
  if (!IsConstant()) property_.SetHandler(*rec_.Object(), previous_->Handler());
}

void TMethodVar::Hook() {
  property_.SetHandler(*rec_.Object(), THostHandler{nullptr, [this](THostEventArgs& args) { Dispatch(args); }});
}

std::uint8_t TMethodVar::EventCode() const { return static_cast<TFuncKind*>(Kind())->EventCode(); }

void TMethodVar::Dispatch(THostEventArgs& args) {
  TFunc* procedure = Assigned();
  if (!procedure) {
    if (previous_->Handler()) previous_->Handler().Call(args);
    return;
  }
  const std::uint8_t code = EventCode();
  if (code >= ecNotify && args.Sender != rec_.Object()) return;
  // A procedure already running is refused by the call; its arguments,
  // its Key among them, stay as it left them, and so does the host's key.
  const bool enters = !procedure->Busy();
  if (enters) FillArgs(args);
  RunAsEvent([&] { procedure->CallDirect(callArgs_, NoPosition); });
  if (enters) TakeKey(args);
}

void TMethodVar::FillArgs(const THostEventArgs& args) {
  switch (EventCode()) {
    case ecMouseButton:
      static_cast<TBaseVar&>(*argVars_[0]).SetValue(TValue::Enum(args.Button));
      static_cast<TSetVar&>(*argVars_[1]).SetBits(static_cast<std::uint64_t>(args.Shift));
      SetInt(argVars_[2].get(), args.X);
      SetInt(argVars_[3].get(), args.Y);
      break;
    case ecMouseMove:
      static_cast<TSetVar&>(*argVars_[0]).SetBits(static_cast<std::uint64_t>(args.Shift));
      SetInt(argVars_[1].get(), args.X);
      SetInt(argVars_[2].get(), args.Y);
      break;
    case ecKeyUpDown:
      SetInt(argVars_[0].get(), args.Key);
      static_cast<TSetVar&>(*argVars_[1]).SetBits(static_cast<std::uint64_t>(args.Shift));
      break;
    case ecKeyPress:
      static_cast<TBaseVar&>(*argVars_[0]).SetValue(TValue::Char(CharOfKey(args.Key)));
      break;
    default:
      break;
  }
}

// The key the procedure left goes back to the host: a key code must fit a
// Word; a character beyond ASCII, which the procedure saw as #0, comes back
// unchanged unless the procedure put another character.
void TMethodVar::TakeKey(THostEventArgs& args) const {
  if (EventCode() == ecKeyUpDown) {
    args.Key = KeyCode(IntOf(argVars_[0].get()));
  } else if (EventCode() == ecKeyPress) {
    const char c = static_cast<TBaseVar&>(*argVars_[0]).GetValue().AsChar();
    if (c != '\0' || args.Key <= LastAsciiCode) args.Key = static_cast<unsigned char>(c);
  }
}
