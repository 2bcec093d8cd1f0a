#include "libraries/SystemLibrary.h"

#include <cstdint>
#include <memory>

#include "engine/Kind.h"
#include "engine/Var.h"
#include "engine/Catalogue.h"
#include "libraries/InputRoutines.h"
#include "libraries/MatrixDisplay.h"
#include "libraries/StandardLibraries.h"
#include "libraries/SysApply.h"
#include "libraries/SysConvert.h"
#include "libraries/SysRoutines.h"
#include "libraries/SysStrings.h"
#include "libraries/SysTimeChance.h"

namespace {

struct TNamedSignature {
  const char* Name;
  TSignatureSpec Signature;
};

// By event code 1..6: the host events a script procedure can handle.
constexpr TNamedSignature EventTypes[] = {
    {"TProcedure", Procedure()},
    {"TNotifyEvent", Procedure({Param("Sender", "TObject")})},
    {"TMouseButtonEvent", Procedure({Param("Sender", "TObject"), Param("Button", "TMouseButton"),
                                     Param("Shift", "TShiftState"), Param("X", kcInteger), Param("Y", kcInteger)})},
    {"TMouseMoveEvent", Procedure({Param("Sender", "TObject"), Param("Shift", "TShiftState"), Param("X", kcInteger),
                                   Param("Y", kcInteger)})},
    {"TKeyUpDownEvent",
     Procedure({Param("Sender", "TObject"), VarParam("Key", "Word"), Param("Shift", "TShiftState")})},
    {"TKeyPressEvent", Procedure({Param("Sender", "TObject"), VarParam("Key", kcChar)})},
};

// The output routine of an array kind: the array and how its numbers print.
consteval TSignatureSpec ArrayOutput(const char* array, const char* kind) {
  return Procedure({Param(array, kind), Param("Labels", kcBoolean, true), Param("Mantissa", kcInteger, 5),
                    Param("Exponent", kcInteger, 1)});
}

constexpr const char* ShiftStateMembers[] = {"ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble"};
constexpr const char* MouseButtonMembers[] = {"mbLeft", "mbRight", "mbMiddle"};

class TSystemCatalogue {
public:
  explicit TSystemCatalogue(TCatalogue& catalogue) : catalogue_(catalogue), lib_(catalogue.Lib()) {}

  void Register() {
    RegisterHostKinds();
    RegisterEventTypes();
    RegisterRoutines();
  }

private:
  template <class... Routines>
  void Group(const TSignatureSpec& signature, const char* typeName = "") {
    RegisterRoutineRow<Routines...>(catalogue_, signature, typeName);
  }

  // The two kinds the host's events use: a set over an enumeration that has
  // no name a script can write, and an enumeration.
  void RegisterHostKinds() {
    TEnumKind* shift = catalogue_.AddEnumeration("", ShiftStateMembers);
    catalogue_.AddKind(std::make_unique<TSetKind>("TShiftState", shift, lib_));
    catalogue_.AddEnumeration("TMouseButton", MouseButtonMembers);
  }

  void RegisterEventTypes() {
    std::uint8_t eventCode = 0;
    for (const TNamedSignature& event : EventTypes) {
      catalogue_.Signature(event.Signature, event.Name)->SetEventCode(++eventCode);
    }
  }

  // A routine constant that holds no routine.
  void RegisterNil() {
    catalogue_.AddConstant(MakeVar("nil", catalogue_.Signature(Function({}, "AnyFunction")), true, NoneValue, lib_));
  }

  template <class TRoutine>
  void OutputRoutine(const TSignatureSpec& signature) {
    catalogue_.AddRoutine(std::make_unique<TRoutine>(catalogue_.Signature(signature), lib_), frTypeOut);
  }

  void RegisterRoutines() {
    Group<TIncSF, TDecSF>(Procedure({VarParam("a", kcInteger), Param("n", kcInteger, 1)}));
    Group<TLengthSF, THighSF, TLowSF>(Function({Param("a", "AnyArray")}, kcInteger));
    Group<TSetLengthSF>(Procedure({VarParam("a", "AnyArray"), Param("n", kcInteger), Param("m", kcInteger, -1)}));
    Group<TWriteSF, TShowSF>(Procedure({Param("a", "Anything")}));
    OutputRoutine<TShowMVF>(ArrayOutput("M", "Matrix"));
    OutputRoutine<TShowVVF>(ArrayOutput("V", "Vector"));
    Group<TStrSF, TStrXSF>(Function({Param("a", "Anything")}, kcString));
    Group<TBinSF, THexSF>(Function({Param("N", kcInteger)}, kcString));
    Group<TSysTimeSF, TRandSF>(Function({}, kcReal));
    Group<TIsInfSF>(Function({Param("V", kcReal)}, kcBoolean));
    Group<TRGBSF>(Function({Param("r", kcInteger), Param("g", kcInteger), Param("b", kcInteger)}, kcInteger));
    Group<TAssignedSF>(Function({VarParam("a", "AnyFunction")}, kcBoolean));
    Group<TErrorSF, TInfoSF, TWarnSF, TSplitSF, TFatalSF>(Procedure({Param("Message", kcString)}));
    Group<TRoundSF, TTruncSF, TCeilSF, TFloorSF>(Function({Param("x", kcReal)}, kcInteger));
    Group<TMinSF, TMaxSF>(Function({Param("x", kcReal), Param("y", kcReal)}, kcReal), "TMeshFunc");
    Group<TRandGSF>(Function({Param("Mu", kcReal, 0), Param("Sigma", kcReal, 1)}, kcReal));
    Group<TMinISF, TMaxISF>(Function({Param("x", kcInteger), Param("y", kcInteger)}, kcInteger));
    Group<TChrSF>(Function({Param("x", kcInteger)}, kcChar));
    Group<TOrdSF>(Function({Param("x", kcChar)}, kcInteger));
    Group<TCopySF>(Function({Param("s", kcString), Param("index", kcInteger), Param("count", kcInteger)}, kcString));
    Group<TCmpStrSF>(
        Function({Param("Str1", kcString), Param("Str2", kcString), Param("CaseSens", kcBoolean, false)}, kcBoolean));
    Group<TTokenSF>(Function({Param("Text", kcString), Param("Start", kcBoolean, false)}, kcString));
    Group<TStrToFloatSF>(Function({Param("Text", kcString), VarParam("R", kcReal)}, kcBoolean));
    Group<TStrToIntSF>(Function({Param("Text", kcString), VarParam("N", kcInteger)}, kcBoolean));
    Group<TDelaySF>(Procedure({Param("Time", kcReal)}));
    Group<TApplySF>(Procedure({VarParam("F", "AnyFunction"), VarParam("A", "AnyArray")}));
    RegisterNil();
    Group<TSaveToWorkSF>(Function({Param("Name", kcString), Param("A", "Anything")}, kcBoolean));
    Group<TInpStr>(Function({Param("Label", kcString), Param("Default", kcString)}, kcString));
    Group<TInpInt>(Function({Param("Label", kcString), Param("Default", kcInteger)}, kcInteger));
    Group<TInpReal>(Function({Param("Label", kcString), Param("Default", kcReal)}, kcReal));
    catalogue_.AddEnumeration("TMsgType", MsgTypeMembers);
    catalogue_.AddEnumeration("TMsgButton", MsgButtonMembers);
    catalogue_.AddEnumeration("TMsgButtons", MsgButtonsMembers);
    Group<TShowMsgIOF>(Function({Param("Caption", kcString), Param("Text", kcString),
                                 Param("Dialog", "TMsgType", TDefaultSpec::Member("mtCustom")),
                                 Param("Buttons", "TMsgButtons", TDefaultSpec::Member("mbsOK"))},
                                "TMsgButton"));
  }

  TCatalogue& catalogue_;
  TLib* lib_;
};

}  // namespace

void RegisterSystemLibrary(TCatalogue& catalogue) { TSystemCatalogue(catalogue).Register(); }
