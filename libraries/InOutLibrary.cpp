#include "libraries/InOutLibrary.h"

#include <memory>

#include "engine/XBuilder.h"
#include "libraries/CSVRoutines.h"
#include "libraries/InOutRoutines.h"
#include "runtime/Exceptions.h"

namespace {

template <class TRoutine>
void Register(TXBuilder& builder, TLib* lib, const char* name, TFuncKind* signature, TFuncRegistration how) {
  builder.RegisterFunc(std::make_unique<TRoutine>(name, signature, lib), how);
}

template <class TRoutine>
void Register(TXBuilder& builder, TLib* lib, const char* name, const char* signature, TFuncRegistration how) {
  Register<TRoutine>(builder, lib, name, builder.ParseSignature(signature, ""), how);
}

}  // namespace

void RegisterInOutLibrary(TXBuilder& builder, TLib* lib) {
  const bool registered = builder.RegisterType("TOpenMode", "( omRead, omWrite )");
  QASSERT(registered, "Assertion failure");
  Register<TOpenIO>(builder, lib, "Open", "function ( Params : string; Mode : TOpenMode  ) : integer", frPlain);
  Register<TCloseIO>(builder, lib, "Close", "procedure ( n : integer )", frPlain);
  Register<TWriteVarIO>(builder, lib, "WriteVar", "function ( Handle : integer; V : Anything ) : boolean",
                        frVarExport);
  Register<TReadVarIO>(builder, lib, "ReadVar", "function ( Handle : integer; var V : Anything ) : boolean",
                       frVarImport);
  Register<TWriteCharIO>(builder, lib, "WriteChar", "function ( Handle : integer; C : char ) : boolean", frVarExport);
  Register<TReadCharIO>(builder, lib, "ReadChar", "function ( Handle : integer; var C : char ) : boolean",
                        frVarImport);
  Register<TWriteByteIO>(builder, lib, "WriteByte", "function ( Handle : integer; N : integer ) : boolean",
                         frVarExport);
  Register<TReadByteIO>(builder, lib, "ReadByte", "function ( Handle : integer; var N : integer ) : boolean",
                        frVarImport);
  Register<TWriteStrIO>(builder, lib, "WriteStr",
                        "function ( Handle : integer; S : string; UseETX : boolean = TRUE ) : boolean", frVarExport);
  Register<TReadStrIO>(builder, lib, "ReadStr",
                       "function ( Handle : integer; var S : string; UseETX : boolean = TRUE ) : boolean",
                       frVarImport);
  TFuncKind* writeVector = builder.ParseSignature("function ( Handle : integer; V : Vector ) : boolean", "");
  Register<TWriteVecIO>(builder, lib, "WriteVector", writeVector, frVarExport);
  Register<TWriteVCSVIO>(builder, lib, "WriteVecCSV", writeVector, frVarExport);
  TFuncKind* readVector = builder.ParseSignature("function ( Handle : integer; var V : Vector ) : boolean", "");
  Register<TReadVecIO>(builder, lib, "ReadVector", readVector, frVarImport);
  Register<TReadVCSVIO>(builder, lib, "ReadVecCSV", readVector, frVarImport);
  Register<TWriteMCSVIO>(builder, lib, "WriteMatCSV", "function ( Handle : integer; M : Matrix ) : boolean",
                         frVarExport);
  Register<TReadMCSVIO>(builder, lib, "ReadMatCSV", "function ( Handle : integer; var M : Matrix ) : boolean",
                        frVarImport);
}
