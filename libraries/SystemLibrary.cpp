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
#include "runtime/Exceptions.h"

namespace {

struct TNamedText {
  const char* Name;
  const char* Text;
};

// By event code 1..6: the host events a script procedure can handle.
constexpr TNamedText EventTypes[] = {
    {"TProcedure", "procedure"},
    {"TNotifyEvent", "procedure ( Sender : TObject )"},
    {"TMouseButtonEvent", "procedure (Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer)"},
    {"TMouseMoveEvent", "procedure (Sender: TObject; Shift: TShiftState; X, Y: Integer)"},
    {"TKeyUpDownEvent", "procedure (Sender: TObject; var Key: Word; Shift: TShiftState)"},
    {"TKeyPressEvent", "procedure (Sender: TObject; var Key: Char)"},
};

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
  TFuncKind* Signature(const char* text, const char* typeName = "") { return catalogue_.Signature(text, typeName); }

  void RegisterType(const char* name, const char* definition) { catalogue_.AddType(name, definition); }

  template <class... Routines>
  void Group(const char* signature, const char* typeName = "") {
    RegisterRoutineRow<Routines...>(catalogue_, signature, typeName);
  }

  template <std::size_t N>
  TEnumKind* Enumeration(const char* name, const char* const (&members)[N]) {
    auto kind = std::make_unique<TEnumKind>(name, lib_);
    for (const char* member : members) kind->AddName(member);
    return static_cast<TEnumKind*>(catalogue_.AddKind(std::move(kind)));
  }

  // The two kinds the host's events use: a set over an enumeration that has
  // no name a script can write, and an enumeration.
  void RegisterHostKinds() {
    TEnumKind* shift = Enumeration("", ShiftStateMembers);
    catalogue_.AddKind(std::make_unique<TSetKind>("TShiftState", shift, lib_));
    Enumeration("TMouseButton", MouseButtonMembers);
  }

  void RegisterEventTypes() {
    std::uint8_t eventCode = 0;
    for (const TNamedText& event : EventTypes) {
      TFuncKind* kind = Signature(event.Text, event.Name);
      QASSERT(kind != nullptr, "5E4B1D20");
      kind->SetEventCode(++eventCode);
    }
  }

  // A routine constant that holds no routine.
  void RegisterNil() {
    catalogue_.AddConstant(MakeVar("nil", Signature("function : AnyFunction"), true, NoneValue, lib_));
  }

  void RegisterRoutines() {
    Group<TIncSF, TDecSF>("procedure ( var a : integer; n : integer = 1 )");
    Group<TLengthSF, THighSF, TLowSF>("function ( a : AnyArray ) : integer");
    Group<TSetLengthSF>("procedure ( var a : AnyArray; n : integer; m : integer = -1 )");
    Group<TWriteSF, TShowSF>("procedure( a : Anything )");
    // The output routines of the kinds Matrix and Vector.
    catalogue_.AddRoutine(
        std::make_unique<TShowMVF>(
            Signature("procedure ( M : Matrix; Labels : Boolean = TRUE; Mantissa : integer = 5; Exponent : integer = 1 )"),
            lib_),
        frTypeOut);
    catalogue_.AddRoutine(
        std::make_unique<TShowVVF>(
            Signature("procedure ( V : Vector; Labels : Boolean = TRUE; Mantissa : integer = 5; Exponent : integer = 1 )"),
            lib_),
        frTypeOut);
    Group<TStrSF, TStrXSF>("function( a : Anything ) : string");
    Group<TBinSF, THexSF>("function( N : integer ) : string");
    Group<TSysTimeSF, TRandSF>("function : real");
    Group<TIsInfSF>("function ( V : Real ) : Boolean");
    Group<TRGBSF>("function( r, g, b : integer ) : integer");
    Group<TAssignedSF>("function( var a : AnyFunction ) : boolean");
    Group<TErrorSF, TInfoSF, TWarnSF, TSplitSF, TFatalSF>("procedure( Message : string )");
    Group<TRoundSF, TTruncSF, TCeilSF, TFloorSF>("function ( x : real ) : integer");
    Group<TMinSF, TMaxSF>("function ( x, y : real ) : real", "TMeshFunc");
    Group<TRandGSF>("function ( Mu : real = 0; Sigma : real = 1 ) : real");
    Group<TMinISF, TMaxISF>("function ( x, y : integer ) : integer");
    Group<TChrSF>("function ( x : integer ) : char");
    Group<TOrdSF>("function ( x : char ) : integer");
    Group<TCopySF>("function ( s : string; index, count : integer ) : string");
    Group<TCmpStrSF>("function( Str1, Str2 : string; CaseSens : boolean = false ) : boolean");
    Group<TTokenSF>("function( Text : string; Start : boolean = false ) : string");
    Group<TStrToFloatSF>("function( Text : string; var R : Real ) : Boolean");
    Group<TStrToIntSF>("function( Text : string; var N : Integer ) : Boolean");
    Group<TDelaySF>("procedure( Time : Real )");
    Group<TApplySF>("procedure( var F : AnyFunction; var A : AnyArray )");
    RegisterNil();
    Group<TSaveToWorkSF>("function ( Name : string; A : Anything ) : boolean");
    Group<TInpStr>("function ( Label, Default : string ) : string");
    Group<TInpInt>("function ( Label : string; Default : integer ) : integer");
    Group<TInpReal>("function ( Label : string; Default : real ) : real");
    RegisterType("TMsgType", MsgTypeDefinition);
    RegisterType("TMsgButton", MsgButtonDefinition);
    RegisterType("TMsgButtons", MsgButtonsDefinition);
    Group<TShowMsgIOF>(
        "function ( Caption, Text : string; Dialog : TMsgType = mtCustom; Buttons : TMsgButtons = mbsOK ) : "
        "TMsgButton");
  }

  TCatalogue& catalogue_;
  TLib* lib_;
};

}  // namespace

void RegisterSystemLibrary(TCatalogue& catalogue) { TSystemCatalogue(catalogue).Register(); }
