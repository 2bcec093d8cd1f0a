#pragma once
// The routines through which a running script asks the user: one value in
// the input dialog, or a button of a message box. Both go through the
// process-wide prompt (Prompt.h); the script waits for the answer.

#include <cstdint>

#include "engine/Func.h"

// The ordinals of the message enumerations, in the order of their
// definitions. Scoped: the windows' own dialog names are alike.
enum class TMsgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgButton : std::uint8_t {
  mbAbort,
  mbCancel,
  mbContinue,
  mbIgnore,
  mbNo,
  mbOK,
  mbRetry,
  mbTryAgain,
  mbYes,
};
enum class TMsgButtons : std::uint8_t {
  mbsAbortRetryIgnore,
  mbsCancelTryContinue,
  mbsOK,
  mbsOkCancel,
  mbsRetryCancel,
  mbsYesNo,
  mbsYesNoCancel,
};

// The members System registers for the three enumerations.
inline constexpr const char* MsgTypeMembers[] = {"mtWarning", "mtError", "mtInformation", "mtConfirmation",
                                                 "mtCustom"};
inline constexpr const char* MsgButtonMembers[] = {"mbAbort", "mbCancel",  "mbContinue", "mbIgnore", "mbNo",
                                                   "mbOK",    "mbRetry",   "mbTryAgain", "mbYes"};
inline constexpr const char* MsgButtonsMembers[] = {"mbsAbortRetryIgnore", "mbsCancelTryContinue", "mbsOK",
                                                    "mbsOkCancel",         "mbsRetryCancel",       "mbsYesNo",
                                                    "mbsYesNoCancel"};

// The message box options of a dialog kind and a button set: always topmost
// and in the foreground; the custom kind shows the error icon.
std::uint32_t MessageBoxFlags(TMsgType dialog, TMsgButtons buttons);
// The button of a message box answer; false for an answer outside the table.
bool ButtonOfAnswer(int answer, TMsgButton& button);

// "function ( Label, Default : string ) : string"
class TInpStr final : public TFunc {
public:
  TInpStr(TFuncKind* kind, TLib* lib) : TFunc("InputString", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function ( Label : string; Default : integer ) : integer"
class TInpInt final : public TFunc {
public:
  TInpInt(TFuncKind* kind, TLib* lib) : TFunc("InputInteger", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function ( Label : string; Default : real ) : real"
class TInpReal final : public TFunc {
public:
  TInpReal(TFuncKind* kind, TLib* lib) : TFunc("InputReal", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

// "function ( Caption, Text : string; Dialog : TMsgType = mtCustom;
// Buttons : TMsgButtons = mbsOK ) : TMsgButton". An answer outside the
// table is reported and fails the call.
class TShowMsgIOF final : public TFunc {
public:
  TShowMsgIOF(TFuncKind* kind, TLib* lib) : TFunc("ShowMessage", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};
