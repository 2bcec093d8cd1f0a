#include "libraries/InOutLibrary.h"

#include <memory>

#include "engine/Catalogue.h"
#include "libraries/CSVRoutines.h"
#include "libraries/InOutRoutines.h"

namespace {

constexpr const char* OpenModeMembers[] = {"omRead", "omWrite"};

template <class TRoutine>
void Register(TCatalogue& catalogue, const char* name, TFuncKind* signature, TFuncRegistration how) {
  catalogue.AddRoutine(std::make_unique<TRoutine>(name, signature, catalogue.Lib()), how);
}

template <class TRoutine>
void Register(TCatalogue& catalogue, const char* name, const TSignatureSpec& signature, TFuncRegistration how) {
  Register<TRoutine>(catalogue, name, catalogue.Signature(signature), how);
}

// The transfer routines: a handle and the value written, or the variable
// read into; a function telling whether it succeeded.
consteval TSignatureSpec Transfer(TParamSpec value) {
  return Function({Param("Handle", kcInteger), value}, kcBoolean);
}

consteval TSignatureSpec StringTransfer(TParamSpec value) {
  return Function({Param("Handle", kcInteger), value, Param("UseETX", kcBoolean, true)}, kcBoolean);
}

}  // namespace

void RegisterInOutLibrary(TCatalogue& catalogue) {
  catalogue.AddEnumeration("TOpenMode", OpenModeMembers);
  Register<TOpenIO>(catalogue, "Open", Function({Param("Params", kcString), Param("Mode", "TOpenMode")}, kcInteger),
                    frPlain);
  Register<TCloseIO>(catalogue, "Close", Procedure({Param("n", kcInteger)}), frPlain);
  Register<TWriteVarIO>(catalogue, "WriteVar", Transfer(Param("V", "Anything")), frVarExport);
  Register<TReadVarIO>(catalogue, "ReadVar", Transfer(VarParam("V", "Anything")), frVarImport);
  Register<TWriteCharIO>(catalogue, "WriteChar", Transfer(Param("C", kcChar)), frVarExport);
  Register<TReadCharIO>(catalogue, "ReadChar", Transfer(VarParam("C", kcChar)), frVarImport);
  Register<TWriteByteIO>(catalogue, "WriteByte", Transfer(Param("N", kcInteger)), frVarExport);
  Register<TReadByteIO>(catalogue, "ReadByte", Transfer(VarParam("N", kcInteger)), frVarImport);
  Register<TWriteStrIO>(catalogue, "WriteStr", StringTransfer(Param("S", kcString)), frVarExport);
  Register<TReadStrIO>(catalogue, "ReadStr", StringTransfer(VarParam("S", kcString)), frVarImport);
  TFuncKind* writeVector = catalogue.Signature(Transfer(Param("V", "Vector")));
  Register<TWriteVecIO>(catalogue, "WriteVector", writeVector, frVarExport);
  Register<TWriteVCSVIO>(catalogue, "WriteVecCSV", writeVector, frVarExport);
  TFuncKind* readVector = catalogue.Signature(Transfer(VarParam("V", "Vector")));
  Register<TReadVecIO>(catalogue, "ReadVector", readVector, frVarImport);
  Register<TReadVCSVIO>(catalogue, "ReadVecCSV", readVector, frVarImport);
  Register<TWriteMCSVIO>(catalogue, "WriteMatCSV", Transfer(Param("M", "Matrix")), frVarExport);
  Register<TReadMCSVIO>(catalogue, "ReadMatCSV", Transfer(VarParam("M", "Matrix")), frVarImport);
}
