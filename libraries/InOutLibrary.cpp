#include "libraries/InOutLibrary.h"

#include <memory>

#include "engine/Catalogue.h"
#include "libraries/CSVRoutines.h"
#include "libraries/InOutRoutines.h"
#include "runtime/Exceptions.h"

namespace {

template <class TRoutine>
void Register(TCatalogue& catalogue, const char* name, TFuncKind* signature, TFuncRegistration how) {
  catalogue.AddRoutine(std::make_unique<TRoutine>(name, signature, catalogue.Lib()), how);
}

template <class TRoutine>
void Register(TCatalogue& catalogue, const char* name, const char* signature, TFuncRegistration how) {
  Register<TRoutine>(catalogue, name, catalogue.Signature(signature), how);
}

}  // namespace

void RegisterInOutLibrary(TCatalogue& catalogue) {
  catalogue.AddType("TOpenMode", "( omRead, omWrite )");
  Register<TOpenIO>(catalogue, "Open", "function ( Params : string; Mode : TOpenMode  ) : integer", frPlain);
  Register<TCloseIO>(catalogue, "Close", "procedure ( n : integer )", frPlain);
  Register<TWriteVarIO>(catalogue, "WriteVar", "function ( Handle : integer; V : Anything ) : boolean",
                        frVarExport);
  Register<TReadVarIO>(catalogue, "ReadVar", "function ( Handle : integer; var V : Anything ) : boolean",
                       frVarImport);
  Register<TWriteCharIO>(catalogue, "WriteChar", "function ( Handle : integer; C : char ) : boolean", frVarExport);
  Register<TReadCharIO>(catalogue, "ReadChar", "function ( Handle : integer; var C : char ) : boolean",
                        frVarImport);
  Register<TWriteByteIO>(catalogue, "WriteByte", "function ( Handle : integer; N : integer ) : boolean",
                         frVarExport);
  Register<TReadByteIO>(catalogue, "ReadByte", "function ( Handle : integer; var N : integer ) : boolean",
                        frVarImport);
  Register<TWriteStrIO>(catalogue, "WriteStr",
                        "function ( Handle : integer; S : string; UseETX : boolean = TRUE ) : boolean", frVarExport);
  Register<TReadStrIO>(catalogue, "ReadStr",
                       "function ( Handle : integer; var S : string; UseETX : boolean = TRUE ) : boolean",
                       frVarImport);
  TFuncKind* writeVector = catalogue.Signature("function ( Handle : integer; V : Vector ) : boolean");
  Register<TWriteVecIO>(catalogue, "WriteVector", writeVector, frVarExport);
  Register<TWriteVCSVIO>(catalogue, "WriteVecCSV", writeVector, frVarExport);
  TFuncKind* readVector = catalogue.Signature("function ( Handle : integer; var V : Vector ) : boolean");
  Register<TReadVecIO>(catalogue, "ReadVector", readVector, frVarImport);
  Register<TReadVCSVIO>(catalogue, "ReadVecCSV", readVector, frVarImport);
  Register<TWriteMCSVIO>(catalogue, "WriteMatCSV", "function ( Handle : integer; M : Matrix ) : boolean",
                         frVarExport);
  Register<TReadMCSVIO>(catalogue, "ReadMatCSV", "function ( Handle : integer; var M : Matrix ) : boolean",
                        frVarImport);
}
