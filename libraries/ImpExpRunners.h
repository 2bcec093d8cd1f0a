#pragma once
// How the workspace window applies a registered export or import routine
// (function(Handle: Integer; [var] V: T): Boolean) to a variable: the
// routine runs on a data source opened for the call from an open string,
// and its Boolean result is the outcome. The source is closed in every case.

#include <string>

class TFunc;
class TVar;

// V must be given (assertion "7C0E51A2").
bool RunExportRoutine(const std::string& Spec, TVar* V, TFunc* Routine);

// Imports into V; when V is nil, into a new Workspace variable Name of the
// kind of the routine's second parameter, which V then refers to. A failed
// import leaves an existing V as it was, and deletes a variable it created
// (V becomes nil).
bool RunImportRoutine(const std::string& Name, const std::string& Spec, TVar*& V, TFunc* Routine);
