// Library files and unloading: where a library file is looked for, how a
// file replaces the libraries it names only once it has compiled, packaged
// files, and unloading with everything that cannot outlive the library,
// refused while compiled code elsewhere still refers to it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Expression.h"
#include "engine/Lib.h"
#include "runtime/Exceptions.h"
#include "tests/engine/ProgramFixture.h"
#include "tests/runtime/Packer.h"
#include "tests/runtime/TempFolder.h"

namespace {

// The current folder for the length of a test.
class TCurrentFolder {
public:
  explicit TCurrentFolder(const std::filesystem::path& folder) : saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~TCurrentFolder() { std::filesystem::current_path(saved_); }
  TCurrentFolder(const TCurrentFolder&) = delete;
  TCurrentFolder& operator=(const TCurrentFolder&) = delete;

private:
  std::filesystem::path saved_;
};

// A library with a record type, a routine, a variable, a string routine
// for its type, an operator and a block that reports each load.
constexpr const char* Geometry =
    "library Geometry;\n"
    "type TPoint = record x, y : Real end; TShape = (Dot, Line);\n"
    "const Origin : TPoint = (x: 0; y: 0);\n"
    "var Loads : Integer;\n"
    "function Norm(p : TPoint) : Real; begin Result := Sqrt(p.x * p.x + p.y * p.y) end;\n"
    "function PointText(p : TPoint) : String; typestr; begin Result := 'point' end;\n"
    "operator + (a, b : TPoint) : TPoint; begin Result.x := a.x + b.x; Result.y := a.y + b.y end;\n"
    "begin Loads := Loads + 1; Write('loaded ', Norm(Origin)) end.";

class LibraryFilesTest : public ProgramFixture {
protected:
  // The file's path without its extension.
  std::string WriteFile(const std::string& fileName, const std::string& content) {
    std::ofstream(Folder / fileName, std::ios::binary) << content;
    return (Folder.Path() / fileName).replace_extension().string();
  }
  std::string WritePacked(const std::string& name, const std::string& text) {
    return WriteFile(name + PackedLibraryExt, PackText(text, PackedLibraryKey, PackedLibrarySeed));
  }
  std::string Load(const std::string& path) {
    Sink->Lines.clear();
    return Engine->LoadSourceLibrary(path);
  }
  std::string LoadPacked(const std::string& path) {
    Sink->Lines.clear();
    return Engine->LoadPackedLibrary(path);
  }
  std::vector<std::string> LineTexts() const {
    std::vector<std::string> texts;
    for (const TLine& line : Sink->Lines) texts.push_back(line.Text);
    return texts;
  }
  void Assign(const std::string& line) {
    Engine->SetOption(0, true);
    Eval(line);
    Engine->SetOption(0, false);
  }
  // The engine is left as it should be between operations.
  void ExpectSoundEngine() {
    EXPECT_FALSE(Engine->IsRunning());
    EXPECT_EQ(Engine->CurLib, nullptr);
    EXPECT_EQ(Result("1 + 1"), "2");
  }

  TempFolder Folder;
};

TEST_F(LibraryFilesTest, AFileIsLookedForUnderItsNameThenInTheLibraryFolder) {
  const std::string path = WriteFile("mylib.tarn", "library MyLib; const Where = 'named'; end.");
  EXPECT_EQ(Load(path), "MyLib");
  EXPECT_EQ(Load(path + ".txt"), "MyLib") << "the extension is replaced";

  TempFolder libraries;
  std::ofstream(libraries / "mylib.tarn") << "library Shelved; end.";
  std::ofstream(libraries / "shelved.tarn") << "library Shelved; end.";
  Engine->SetLibraryPath(libraries.Path().string() + "/");
  EXPECT_EQ(Load("shelved"), "Shelved");
  {
    TCurrentFolder here(Folder.Path());
    EXPECT_EQ(Load("mylib"), "MyLib") << "the current folder comes first";
  }
  EXPECT_EQ(Result("Where"), "'named'");

  EXPECT_EQ(Load("nowhere"), "");
  EXPECT_EQ(Sink->Lines, (std::vector<TLine>{{"File \"nowhere\" not found", lkError, 0}}));
}

TEST_F(LibraryFilesTest, AFileReplacesTheLibraryOfItsNameAndTheVariablesOfItsTypes) {
  Run("library stats; type TPair = record a, b : Integer end; const One = 1; end.");
  Engine->AddVariable("pair", Engine->Kinds().FindKind("TPair"));
  Assign("n := 3");
  auto client = MakeCounted<TCountingClient>();
  Engine->AddDataClient(client);

  EXPECT_EQ(Load(WriteFile("stats.tarn", "library Stat2; const Two = 2; end.")), "Stat2");
  EXPECT_TRUE(Sink->Lines.empty());
  EXPECT_EQ(client->Updates, (std::vector<std::uint8_t>{dcEverything, dcLibraryLoaded}));
  EXPECT_EQ(Engine->FindLibrary("stats"), nullptr);
  EXPECT_EQ(Engine->FindVariable("One"), nullptr);
  EXPECT_EQ(Engine->FindVariable("pair"), nullptr);
  EXPECT_EQ(Engine->Kinds().FindKind("TPair"), nullptr);
  EXPECT_EQ(Result("n + Two"), "5");
}

TEST_F(LibraryFilesTest, AFailedLoadLeavesTheOldLibraryAndTheWorkspace) {
  const std::string path = WriteFile("geometry.tarn", Geometry);
  ASSERT_EQ(Load(path), "Geometry");
  TLib* old = Engine->FindLibrary("Geometry");
  const int libraries = Engine->Libs().Count();
  Engine->AddVariable("p", Engine->Kinds().FindKind("TPoint"));
  Assign("w := 5");

  // The same names again, then an error: the old ones must be out of the
  // way while the text compiles and back afterwards.
  const std::string broken =
      "library Geometry;\n"
      "type TPoint = record x, y, z : Real end; TShape = (Line, Dot);\n"
      "var Loads : Integer;\n"
      "function Norm(p : TPoint) : Real; begin Result := 0 end;\n"
      "function PointText(p : TPoint) : String; typestr; begin Result := 'new' end;\n"
      "begin Loads := 100 end";
  WriteFile("geometry.tarn", broken);
  EXPECT_EQ(Load(path), "");
  EXPECT_EQ(ErrorTexts(),
            std::vector<std::string>{"Symbol \".\" is expected but <EOF> is found in \"Geometry\" at [6:23] "});
  EXPECT_EQ(Engine->FindLibrary("Geometry"), old);
  EXPECT_EQ(Engine->Libs().Count(), libraries);
  EXPECT_EQ(Result("Loads"), "1");
  EXPECT_EQ(Result("p"), "point") << "its string routine is back";
  EXPECT_EQ(Result("Norm(Origin + Origin)"), "0") << "its operator is back";
  EXPECT_EQ(Result("Line"), "Line") << "its enumeration is back";
  EXPECT_EQ(Result("w"), "5");

  WriteFile("geometry.tarn", "begin Write('a program') end.");
  EXPECT_EQ(Load(path), "");
  EXPECT_EQ(LineTexts(), std::vector<std::string>{
                             "Identifier \"library\" is expected but Identifier \"begin\" is found at [1:1] "});

  EXPECT_EQ(Run("library Geometry; type TPoint = (a, b"), (std::vector<TLine>{
      {"Symbol \")\" is expected but <EOF> is found in \"Geometry\" at [1:38] ", lkError, 0}}));
  EXPECT_EQ(Engine->FindLibrary("Geometry"), old) << "nor does a failed text";
  EXPECT_EQ(Result("w + Loads"), "6");
  ExpectSoundEngine();
}

// The registries are put back as they were: a replacement neither warns
// that it redefines its own predecessor's routine nor loses it on failure.
TEST_F(LibraryFilesTest, TypeRoutinesGoAndComeBackWithTheirLibrary) {
  const std::string text =
      "library Fmt; function IntText(i : Integer) : String; typestr; begin Result := 'int' end; end.";
  Run(text);
  EXPECT_EQ(Result("1"), "int");
  EXPECT_EQ(Texts(text), std::vector<std::string>{"Library \"Fmt\" loaded successfully"});
  Run("library Fmt; function IntText(i : Integer) : String; typestr; begin Result := 'new' end; end");
  EXPECT_FALSE(Compiled);
  EXPECT_EQ(Result("1"), "int");
  EXPECT_TRUE(Engine->UnloadLibrary("Fmt", false));
  EXPECT_EQ(Result("1"), "1");
}

TEST_F(LibraryFilesTest, APackedLibraryLoadsLikeItsSource) {
  ASSERT_EQ(Load(WriteFile("geometry.tarn", Geometry)), "Geometry");
  const std::vector<std::string> fromSource = LineTexts();
  ASSERT_EQ(fromSource, std::vector<std::string>{"loaded 0"});
  EXPECT_EQ(LoadPacked(WritePacked("geometry", Geometry)), "Geometry");
  EXPECT_EQ(LineTexts(), fromSource);
  EXPECT_EQ(Result("Loads"), "1") << "the packed library replaced the source one";
  EXPECT_EQ(Result("Origin"), "point");
}

TEST_F(LibraryFilesTest, APackedFileThatCannotBeDecipheredChangesNothing) {
  ASSERT_EQ(Load(WriteFile("geometry.tarn", Geometry)), "Geometry");
  const std::string odd = WriteFile("geometry.tarl", std::string(17, 'x'));
  try {
    Engine->LoadPackedLibrary(odd);
    ADD_FAILURE() << "no fault";
  } catch (const EAESError& fault) {
    EXPECT_STREQ(fault.what(), "Invalid buffer size for decryption");
  }
  EXPECT_EQ(Result("Loads"), "1");
  ExpectSoundEngine();
}

TEST_F(LibraryFilesTest, ALoadIsARunThatAbortStops) {
  const std::string forever = WriteFile("forever.tarn", "library Forever; const Version = 1; end.");
  ASSERT_EQ(Load(forever), "Forever");
  WriteFile("forever.tarn", "library Forever; const Version = 2; var i : Integer; begin while i >= 0 do i := 1 end.");
  const std::string other = WriteFile("other.tarn", "library Other; end.");
  std::string nested = "?";
  bool unloaded = true;
  SetMessagePump([&] {
    nested = Engine->LoadSourceLibrary(other);
    unloaded = Engine->UnloadLibrary("Forever", false);
    Engine->Abort();
  });
  EXPECT_EQ(Load(forever), "") << "an aborted load is a failed load";
  EXPECT_EQ(LineTexts(),
            (std::vector<std::string>{"Reentrace attempted", "Reentrace attempted", "Execution terminated"}));
  EXPECT_EQ(nested, "");
  EXPECT_FALSE(unloaded);
  EXPECT_EQ(Engine->FindLibrary("Other"), nullptr);
  EXPECT_EQ(Result("Version"), "1") << "the library loaded before stays";
  ExpectSoundEngine();
}

// A fault in a library's block takes the half-built library and brings the
// old one back.
TEST_F(LibraryFilesTest, AFaultInTheBlockLeavesTheOldLibrary) {
  const std::string path = WriteFile("geometry.tarn", Geometry);
  ASSERT_EQ(Load(path), "Geometry");
  WriteFile("geometry.tarn",
            "library Geometry; var Loads : Integer; begin Loads := 9223372036854775807; Inc(Loads) end.");
  EXPECT_THROW(Engine->LoadSourceLibrary(path), EIntOverflow);
  EXPECT_EQ(Result("Loads"), "1");
  ExpectSoundEngine();
}

constexpr const char* Base =
    "library Base;\n"
    "type TColour = (Red, Green, Blue); TPoint = record x, y : Real end;\n"
    "var Count : Integer;\n"
    "function Half(x : Real) : Real; begin Result := x / 2 end;\n"
    "operator + (a, b : TPoint) : TPoint; begin Result.x := a.x + b.x end;\n"
    "end.";

class UnloadingTest : public LibraryFilesTest {
protected:
  UnloadingTest() {
    Run(Base);
    EXPECT_TRUE(Compiled);
  }
  bool Unload(const std::string& name, bool clearWorkspace = false) {
    Sink->Lines.clear();
    return Engine->UnloadLibrary(name, clearWorkspace);
  }
};

TEST_F(UnloadingTest, EverythingThatCannotOutliveTheLibraryGoesWithIt) {
  TKind* realFunction = Engine->ParseSignature("function ( x : Real ) : Real", std::string());
  Engine->AddVariable("g", realFunction);
  Run(Base);  // its Half now shares the signature kind of g
  Run("library Base2; const Unit : TPoint = (x: 1; y: 0); end.");
  ASSERT_TRUE(Compiled);
  Engine->RegisterType("TColours", "array of TColour");
  Assign("g := Half");
  Assign("colours := [Red, Green]");
  ASSERT_NE(Engine->FindVariable("colours"), nullptr);
  EXPECT_EQ(Engine->FindVariable("colours")->Kind()->Lib(), Engine->FindLibrary(WorkspaceLibName))
      << "a kind made by an evaluated line is Workspace's";
  Assign("anyset := []");
  Assign("anyset := [Blue]");
  Assign("n := 1");
  Eval("Unit");
  ASSERT_NE(Engine->FindVariable(AnsVarName), nullptr);
  ASSERT_TRUE(Unload("Base2"));

  EXPECT_TRUE(Unload("Base"));
  EXPECT_TRUE(Sink->Lines.empty());
  EXPECT_EQ(Engine->FindLibrary("Base"), nullptr);
  EXPECT_EQ(Engine->FindVariable("Count"), nullptr);
  EXPECT_EQ(Engine->FindVariable(AnsVarName), nullptr) << "of a type the library defined";
  EXPECT_EQ(Engine->FindVariable("colours"), nullptr) << "of a type built on one the library defined";
  EXPECT_EQ(Engine->Kinds().FindKind("TColours"), nullptr);
  auto* g = static_cast<TFuncVar*>(Engine->FindVariable("g"));
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->Func(), nullptr);
  EXPECT_EQ(ErrorTexts().size(), 0u);
  Eval("g(2)");
  EXPECT_EQ(ErrorTexts().size(), 1u) << "a nil routine is refused";
  EXPECT_EQ(Result("anyset"), "[  ]") << "members of a type that is gone";
  EXPECT_EQ(Result("n"), "1");
}

TEST_F(UnloadingTest, AProgramsRoutinesLeaveTheVariablesThatHeldThem) {
  Engine->AddVariable("g", Engine->ParseSignature("function ( x : Real ) : Real", std::string()));
  Run("function Twice(x : Real) : Real; begin Result := 2 * x end; begin g := Twice; Write(g(2)) end.");
  EXPECT_EQ(LineTexts(), std::vector<std::string>{"4"});
  EXPECT_EQ(static_cast<TFuncVar*>(Engine->FindVariable("g"))->Func(), nullptr);
}

TEST_F(UnloadingTest, ALibraryOthersReferToIsNeitherUnloadedNorReplaced) {
  Assign("picked := [Red]");  // a Workspace kind built on Base's, which User's set type reuses
  const char* users[] = {
      "library User; var h : Real; begin h := Half(4) end.",
      "library User; var x : Integer; begin x := Count end.",
      "library User; var p : TPoint; end.",
      "library User; var c : TColour; begin c := Green end.",
      "library User; var s : set of TColour; end.",
      "library User; procedure ShowPicked; begin Write(picked) end; end.",
      "library User; var a : array of TPoint; end.",
      "library User; function F(a, b : TPoint) : Real; var c : TPoint; begin c := a + b; Result := c.x end; end.",
  };
  for (const char* user : users) {
    Run(user);
    ASSERT_TRUE(Compiled) << user;
    EXPECT_FALSE(Unload("Base")) << user;
    EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Library \"Base\" is used by \"User\""}) << user;
    EXPECT_EQ(Error("library Base; end."), "Library \"Base\" is used by \"User\" at [1:9] ") << user;
    EXPECT_EQ(Result("Half(3)"), "1.5") << user;
    EXPECT_TRUE(Unload("User")) << user;
  }
  EXPECT_TRUE(Unload("Base"));
}

// A library may reuse a kind that an evaluated line made: clearing the
// Workspace leaves the library's variables of that kind alone.
TEST_F(UnloadingTest, ClearingTheWorkspaceLeavesTheVariablesOfLibraries) {
  Assign("picked := [Red]");
  Run("library User; var s : set of TColour; function Size : Integer; begin s := [Red, Green]; Result := 2 end; end.");
  ASSERT_EQ(Engine->FindVariable("s")->Kind(), Engine->FindVariable("picked")->Kind());
  Engine->ClearWorkspace();
  EXPECT_EQ(Engine->FindVariable("picked"), nullptr);
  EXPECT_EQ(Result("Size()"), "2");
  EXPECT_EQ(Result("s"), "[ Red, Green ]");
}

TEST_F(UnloadingTest, AParsedTreeKeepsItsLibrariesLoaded) {
  std::unique_ptr<TExpression> plain = Engine->ParseExpression("Sqrt(4)");
  for (const char* text : {"Half(3)", "Count + 1", "Green", "[Red, Blue]"}) {
    std::unique_ptr<TExpression> tree = Engine->ParseExpression(text);
    ASSERT_NE(tree, nullptr) << text;
    EXPECT_FALSE(Unload("Base")) << text;
    EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Library \"Base\" is in use"}) << text;
    EXPECT_EQ(Load(WriteFile("base.tarn", "library Other; end.")), "") << "nor does a file of its name replace it";
    EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Library \"Base\" is in use"}) << text;
    EXPECT_TRUE(tree->Evaluate()) << text;
    tree.reset();
    EXPECT_TRUE(Unload("Base")) << text;
    Run(Base);
  }
  EXPECT_TRUE(plain->Evaluate());
}

TEST_F(UnloadingTest, BuiltInAndUnknownLibrariesAreNotUnloaded) {
  auto client = MakeCounted<TCountingClient>();
  Engine->AddDataClient(client);
  for (const char* name : {"System", "math", "Workspace"}) {
    EXPECT_FALSE(Unload(name)) << name;
    EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Built-in library \"" +
                                                     Engine->FindLibrary(name)->Name() + "\" cannot be unloaded"});
  }
  EXPECT_FALSE(Unload("Nowhere"));
  EXPECT_TRUE(Sink->Lines.empty());
  EXPECT_TRUE(client->Updates.empty());
  EXPECT_EQ(Result("Pi > 3"), "True");
}

TEST_F(UnloadingTest, UnloadingTellsTheClientsAndMayClearTheWorkspace) {
  Assign("w := 1");
  auto client = MakeCounted<TCountingClient>();
  Engine->AddDataClient(client);
  EXPECT_TRUE(Unload("Base"));
  EXPECT_EQ(client->Updates, std::vector<std::uint8_t>{dcEverything});
  EXPECT_NE(Engine->FindVariable("w"), nullptr);
  Run("library Again; end.");
  EXPECT_TRUE(Unload("again", true));
  EXPECT_EQ(Engine->FindVariable("w"), nullptr);
}

TEST_F(UnloadingTest, NothingIsUnloadedWhileARunIsInProgress) {
  bool unloaded = true;
  SetMessagePump([&] {
    unloaded = Engine->UnloadLibrary("Base", false);
    Engine->Abort();
  });
  Run("var i : Integer; begin while i >= 0 do i := Count end.");
  EXPECT_FALSE(unloaded);
  EXPECT_NE(Engine->FindLibrary("Base"), nullptr);
}

// Compiled code holds the variables it refers to: deleting one, clearing
// the Workspace or a new ans of another kind would leave the code pointing
// at freed memory.
TEST_F(UnloadingTest, VariablesCompiledCodeRefersToAreNotDeleted) {
  Assign("w := 5");
  Assign("gone := 1");
  Assign("7");
  Run("library User; procedure ShowAll; begin Write(w, ' ', ans, ' ', Count) end; end.");
  ASSERT_TRUE(Compiled);
  Sink->Lines.clear();
  Engine->DeleteVariable("w");
  Engine->DeleteVariable("Count");
  EXPECT_EQ(ErrorTexts(), (std::vector<std::string>{"Variable \"w\" is in use", "Variable \"Count\" is in use"}));
  Engine->ClearWorkspace();
  EXPECT_EQ(Engine->FindVariable("gone"), nullptr);
  Eval("'text'");
  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Variable \"ans\" is in use"});
  Eval("ShowAll()");
  EXPECT_EQ(LineTexts(), std::vector<std::string>{"5 7 0"});
  EXPECT_TRUE(Unload("User"));
  Engine->DeleteVariable("w");
  EXPECT_EQ(Engine->FindVariable("w"), nullptr);
}

TEST_F(UnloadingTest, AParsedTreeHoldsItsVariables) {
  Assign("w := 5");
  std::unique_ptr<TExpression> tree = Engine->ParseExpression("w + 1");
  ASSERT_NE(tree, nullptr);
  Sink->Lines.clear();
  Engine->DeleteVariable("w");
  Engine->ClearWorkspace();
  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Variable \"w\" is in use"});
  EXPECT_TRUE(tree->Evaluate());
  tree.reset();
  Engine->DeleteVariable("w");
  EXPECT_EQ(Engine->FindVariable("w"), nullptr);
}

}  // namespace
