#pragma once
// The engine facade: the one interface through which the windows drive the
// engine (evaluate a typed line, abort a run, find, add and delete variables,
// enumerate libraries, subscribe to changes), and the subscriber interface
// through which they hear about changes. TXBuilder implements it.
//
// One thread calls the engine. A running script pumps window messages, so
// handlers can call back in while it runs: the engine's running flag refuses
// a second run and every operation that would change or free what the run
// is using.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/MessageChannel.h"
#include "runtime/AESDecipher.h"
#include "runtime/CountedPtr.h"

class TExpression;
class TImpExp;
class TKind;
class TLib;
class TObject;
class TVar;
class TVariant;

// Names the engine and the windows share.
inline constexpr const char* WorkspaceLibName = "Workspace";
inline constexpr const char* AnsVarName = "ans";
inline constexpr const char* SourceLibraryExt = ".tarn";
inline constexpr const char* PackedLibraryExt = ".tarl";

// A packaged library file is its text XORed with the process-wide
// generator's byte stream from PackedLibrarySeed, then enciphered with
// AES-256 in ECB mode under PackedLibraryKey.
inline constexpr TAESKey PackedLibraryKey = {0x51, 0x75, 0x61, 0x6E, 0x74, 0x72, 0x65, 0x6C, 0x9C, 0x2B, 0xE4,
                                             0x07, 0x6F, 0xD1, 0x38, 0xA5, 0x4E, 0x19, 0xB2, 0xC7, 0x60, 0x8D,
                                             0xF3, 0x2A, 0x95, 0x1E, 0x74, 0xCB, 0x03, 0x5F, 0xA8, 0x36};
inline constexpr std::int32_t PackedLibrarySeed = 0x2F6B1D93;

// What changed, as Update tells a subscriber.
enum TDataChange : std::uint8_t {
  dcEverything = 0,  // after a text was compiled or a library unloaded
  dcVariables = 1,   // after a successful evaluation
  dcLibraryLoaded = 4,
};

// Kinds of the items EnumLibraries hands to AddItem, and the Item each is:
// TVar*, TFunc*, TVar* (a constant), TLib*, TKind*.
enum TDataItemKind : std::uint8_t {
  dikVariable = 1,
  dikRoutine = 2,
  dikConstant = 3,
  dikLibrary = 4,
  dikType = 5,
};

class IXDataClient : public TCounted {
public:
  // Something of the engine's symbols changed (a TDataChange, or up to 7).
  virtual void Update(std::uint8_t what) = 0;
  // Bit n set: the client wants Update(n). Update(0) reaches every client.
  virtual std::uint8_t GetMask() = 0;
  // One item of EnumLibraries; the result is only used as the parent of a
  // library's items.
  virtual void* AddItem(void* parent, void* item, std::uint8_t kind) = 0;
};

class ITarnscript : public TCounted {
public:
  // Library folder searched for library files; put in front of a bare name.
  virtual void SetLibraryPath(const std::string& path) = 0;

  // Loads a library file: fileName with the extension .tarn, in the current
  // folder or else in the library folder ("File "<fileName>" not found").
  // The library of the file's base name and the library the text names are
  // replaced, unless they are built in, once the text has compiled: a text
  // that fails leaves every library and variable as it was. A library that
  // other compiled code refers to is not replaced (the load fails). The
  // result is the name the text gives; empty after an error, and while a
  // run is in progress ("Reentrace attempted"). The load is a run of its
  // own: Abort stops the library's block. A file that cannot be read
  // raises EStreamError.
  virtual std::string LoadSourceLibrary(const std::string& fileName) = 0;
  // The same for a packaged library file, extension .tarl; a file that
  // cannot be deciphered raises EAESError, with nothing changed.
  virtual std::string LoadPackedLibrary(const std::string& fileName) = 0;
  // Removes the library of that name with everything it defined: its
  // variables and types, the variables of its types and the types built on
  // them wherever they are; variables that held its routines become nil.
  // With clearWorkspace the Workspace is cleared too. False, with nothing
  // changed, when no library has the name, and with an error line for a
  // built-in library, for a library that the compiled code of another
  // library or a tree from ParseExpression refers to, and while a run is
  // in progress.
  virtual bool UnloadLibrary(const std::string& name, bool clearWorkspace) = 0;

  // Compiles text as one expression and evaluates it. With show the result
  // is printed as result lines (multiLine: the listing of ListVar, else the
  // one-line text) and kept in the Workspace variable ans. value receives
  // the result when it is a scalar, empty when there is none, an error
  // variant when the line failed. seed -1 reads plain text.
  virtual void Evaluate(const std::string& text, bool multiLine, bool show, std::int32_t seed,
                        TVariant& value) = 0;
  // Compiles one expression without running it; no error line reaches the
  // sink. Nil for an empty or faulty text. The caller owns the tree, which
  // keeps the libraries it refers to loaded while it lives.
  virtual std::unique_ptr<TExpression> ParseExpression(const std::string& text) = 0;
  // Compiles a text that begins with library into a library that stays
  // loaded ("Library "<name>" loaded successfully") and replaces the one of
  // its name once it has compiled (as LoadSourceLibrary does), any other
  // text as a program that runs once and leaves nothing behind; variables
  // that held the program's routines become nil. False when the text
  // did not compile (a run-time error of the program does not count), when
  // it is empty ("Nothing to compile") and, silently, while a run is in
  // progress.
  virtual bool CompileText(const std::string& text) = 0;
  // CompileText of a file's content; false, silently, when it cannot be read.
  virtual bool CompileFile(const std::string& fileName) = 0;

  virtual void SetConsole(CountedPtr<IXConsBase> sink) = 0;
  virtual CountedPtr<IXConsBase> GetConsole() = 0;

  // Called each time a run ends, on every path: completed, failed or
  // aborted (a failed or aborted run notifies no data client). The handler
  // must not throw; nil removes it.
  virtual void SetOnRunEnd(std::function<void()> handler) = 0;

  // Declares a named type in System from a definition text: an enumeration
  // "( a, b )" or a type expression "array of real".
  virtual bool RegisterType(const std::string& name, const std::string& definition) = 0;

  // A new Workspace variable of kind (nil after an error line).
  virtual TVar* AddVariable(const std::string& name, TKind* kind) = 0;
  // Adds a ready variable to the global table, which takes it on success;
  // a refused variable stays with the caller.
  virtual bool InsertVariable(std::unique_ptr<TVar>& variable) = 0;
  // 0 unknown, 1 variable, 2 constant, 3 routine, 4 type, 5 enumeration member.
  virtual std::uint8_t ClassifyIdentifier(const std::string& name) = 0;

  virtual std::uint8_t GetIntegerFormat() = 0;
  virtual void SetIntegerFormat(std::uint8_t format) = 0;

  // The last error reported; -1 when it had no position.
  virtual std::int32_t GetErrorLine() = 0;
  virtual std::int32_t GetErrorColumn() = 0;
  virtual std::string GetErrorText() = 0;

  // Innermost scope first; nil when nothing has the name.
  virtual TVar* FindVariable(const std::string& name) = 0;
  virtual TLib* FindLibrary(const std::string& name) = 0;
  // Frees the first global variable of that name, whatever its library,
  // unless compiled code (a library, a tree from ParseExpression) refers
  // to it: then an error line says it is in use.
  virtual void DeleteVariable(const std::string& name) = 0;

  // Host objects. AddClient publishes object as a System record variable
  // named name (empty: a component's Name, a TTarnClient's TarnName); False,
  // without a line, for an empty or taken name or an object already
  // published. AddClientFunction declares a routine of the object whose
  // kind is being built, from within TTarnClient::TarnExports: a header
  // with its name, "function Scale(x : Real) : Real", routine number index.
  // RemoveClient deletes a host object's variable of that name, as
  // DeleteVariable does; a variable of another sort stays.
  virtual bool AddClient(TObject& object, const std::string& name) = 0;
  virtual bool AddClientFunction(int index, const std::string& signature) = 0;
  virtual void RemoveClient(const std::string& name) = 0;

  // Stops the run in progress; nothing when none runs.
  virtual void Abort() = 0;
  virtual bool IsRunning() = 0;
  // Option 0, the only one: an assignment to an unknown name in an evaluated
  // line creates a Workspace variable. Another number is a range error.
  virtual void SetOption(std::uint8_t option, bool on) = 0;
  virtual bool GetOption(std::uint8_t option) = 0;
  // A well-formed identifier that no keyword, global variable, type,
  // enumeration member or library uses.
  virtual bool IsFreeIdentifier(const std::string& name) = 0;

  // Calls callback for each global variable (of library libName when it is
  // not empty) until it answers false; the result is its last answer, false
  // when it was never called.
  virtual bool ForEachVariable(const std::function<bool(TVar*)>& callback, const std::string& libName) = 0;
  // Deletes every Workspace variable, and every variable of a Workspace
  // type, except those compiled code refers to.
  virtual void ClearWorkspace() = 0;

  virtual bool AddDataClient(CountedPtr<IXDataClient> client) = 0;
  virtual void NotifyDataClients(std::uint8_t what) = 0;
  // Hands libraries and their items to client.AddItem; kinds has bit n set
  // for each TDataItemKind n wanted. Libraries whose name begins with "_"
  // are never reported, built-in ones only with includeBuiltIn, and with a
  // nameFilter only the library of that name.
  virtual void EnumLibraries(IXDataClient& client, bool includeBuiltIn, std::uint8_t kinds,
                             const std::string& nameFilter) = 0;
  // The registry of import and export routines, by the kind they move.
  virtual TImpExp& ImportExport() = 0;
};

// The engine of the process, for built-in routines and host objects; set
// while a TXBuilder exists, nil otherwise.
extern ITarnscript* ScriptEngine;
