#include "libraries/InOutRoutines.h"

#include "engine/ArrVar.h"
#include "engine/Kind.h"
#include "runtime/Exceptions.h"
#include "tests/libraries/DataFileEngine.h"

namespace {

using InOutRoutines = DataFileEngine;

constexpr const char* EndOfFile = "End of file at [1:1] |False";

TEST_F(InOutRoutines, WritesCharactersBytesAndStrings) {
  ExpectLines({
      {"h := Open(" + Source("out.txt") + ", omWrite)", "1"},
      {"WriteByte(h, 300)", "True"},
      {"WriteByte(h, -1)", "True"},
      {"WriteByte(h, 256)", "True"},
      {"WriteChar(h, 'A')", "True"},
      {"WriteStr(h, '')", "True"},
      {"WriteStr(h, 'ab', False)", "True"},
      {"WriteStr(h, '', False)", "True"},
      {"WriteStr(h, 'cd')", "True"},
      {"Close(h)", ""},
  });
  EXPECT_EQ(FileText("out.txt"), std::string(",\xff\0A\nabcd\n", 10));
}

TEST_F(InOutRoutines, ReadStrEndsTextsAtLineEnds) {
  WriteFile("in.txt", "ab\r\ncd");
  ExpectLines({
      {"h := Open(" + Source("in.txt") + ", omRead)", "1"},
      {"s := 'old'", "'old'"},
      {"ReadStr(h, s)", "True"},
      {"s", "'ab'"},
      {"ReadStr(h, s)", "True"},
      {"s", "''"},
      {"ReadStr(h, s)", "True"},
      {"s", "'cd'"},
      {"ReadStr(h, s)", EndOfFile},
      {"s", "'cd'"},
  });
}

TEST_F(InOutRoutines, ReadStrWithoutETXTakesEveryByte) {
  WriteFile("in.txt", std::string("a\r\n\0b", 5));
  Eval("h := Open(" + Source("in.txt") + ", omRead)");
  Eval("s := 'old'");
  EXPECT_EQ(Eval("ReadStr(h, s, False)"), "True");
  const auto* s = dynamic_cast<TBaseVar*>(Engine->FindVariable("s"));
  EXPECT_EQ(s->GetValue().Str(), std::string("a\r\n\0b", 5));
}

TEST_F(InOutRoutines, ReadsCharactersAndBytesUntilTheDataEnds) {
  WriteFile("in.txt", "A\xff");
  ExpectLines({
      {"h := Open(" + Source("in.txt") + ", omRead)", "1"},
      {"c := 'x'", "'x'"},
      {"n := 7", "7"},
      {"ReadChar(h, c)", "True"},
      {"ReadByte(h, n)", "True"},
      {"c", "'A'"},
      {"n", "255"},
      {"ReadByte(h, n)", EndOfFile},
      {"ReadChar(h, c)", EndOfFile},
      {"n", "255"},
      {"c", "'A'"},
  });
}

TEST_F(InOutRoutines, HandlesThatAreNotOpen) {
  for (const char* line : {"c := 'x'", "n := 0", "s := 'old'", "v := {1}", "m := {{1}}"}) Eval(line);
  const char* notOpened = "Bad data source handle at [1:1] |Device is not opened at [1:1] |False";
  const char* badHandle = "Bad data source handle at [1:1] |False";
  ExpectLines({
      {"ReadChar(0, c)", notOpened},    {"WriteChar(0, c)", notOpened},   {"ReadByte(0, n)", notOpened},
      {"WriteByte(0, n)", notOpened},   {"ReadStr(0, s)", notOpened},     {"WriteStr(0, s)", notOpened},
      {"ReadVar(0, n)", notOpened},     {"WriteVar(0, n)", notOpened},    {"ReadVector(0, v)", badHandle},
      {"WriteVector(0, v)", badHandle}, {"ReadVecCSV(0, v)", badHandle},  {"WriteVecCSV(0, v)", badHandle},
      {"ReadMatCSV(0, m)", badHandle},  {"WriteMatCSV(0, m)", badHandle}, {"Close(12)", "Bad data source handle at [1:1] "},
  });
  EXPECT_THROW(Eval("ReadChar(5000000000, c)"), ERangeError);
}

TEST_F(InOutRoutines, OpenReportsWhatTheSystemRefuses) {
  ExpectLines({
      {"Open('xyz://a', omRead)", "Unknown data source type \"xyz\" at [1:1] |0"},
      {"Open(" + Source("missing.txt") + ", omRead)",
       "Cannot open file \"" + Path("missing.txt") + "\": No such file or directory at [1:1] |0"},
  });
}

TEST_F(InOutRoutines, ClosedHandlesAreGone) {
  ExpectLines({
      {"h := Open(" + Source("out.txt") + ", omWrite)", "1"},
      {"Close(h)", ""},
      {"Close(h)", "Bad data source handle at [1:1] "},
      {"WriteStr(h, 'x')", "Bad data source handle at [1:1] |Device is not opened at [1:1] |False"},
  });
}

TEST_F(InOutRoutines, VariableRecordsRoundTrip) {
  for (const char* line : {"x := 3", "v := {1, 2.5}", "f := Sin", "y := 0", "w := {}", "g := Cos"}) Eval(line);
  ExpectLines({
      {"h := Open(" + Source("vars.txt") + ", omWrite)", "1"},
      {"WriteVar(h, x)", "True"},
      {"WriteVar(h, v)", "True"},
      {"WriteVar(h, f)", "True"},
      {"Close(h)", ""},
  });
  EXPECT_EQ(FileText("vars.txt"), "Integer\n3\nVector\n2\n1\n2.5\nTMathFunc\nSin\n");
  ExpectLines({
      {"h := Open(" + Source("vars.txt") + ", omRead)", "2"},
      {"ReadVar(h, y)", "True"},
      {"ReadVar(h, w)", "True"},
      {"ReadVar(h, g)", "True"},
      {"y", "3"},
      {"w", "{1, 2.5}"},
      {"g", "Sin"},
      {"ReadVar(h, y)", "False"},
  });
}

TEST_F(InOutRoutines, ReadVarRefusesAnotherKind) {
  WriteFile("in.txt", "Real\n2.5\n");
  ExpectLines({
      {"h := Open(" + Source("in.txt") + ", omRead)", "1"},
      {"x := 3", "3"},
      {"ReadVar(h, x)", "Cannot read type \"Real\" into \"Integer\" at [1:1] |False"},
      {"x", "3"},
  });
}

TEST_F(InOutRoutines, WriteVarRefusesAnonymousKinds) {
  TLib* system = Engine->FindLibrary("System");
  TKind* integers = Engine->Kinds().Register(std::make_unique<TArrKind>(BaseKind(kcInteger), "", system, 1, 0), system);
  ASSERT_FALSE(integers->HasName());
  Engine->AddVariable("a", integers);
  Eval("h := Open(" + Source("out.txt") + ", omWrite)");
  EXPECT_EQ(Eval("WriteVar(h, a)"),
            "Cannot save variables with unkown kind \"" + integers->Name() + "\" at [1:1] |False");
  Eval("Close(h)");
  EXPECT_EQ(FileText("out.txt"), "");
}

TEST_F(InOutRoutines, WriteVarWritesNothingOfAStringItRefuses) {
  Eval("h := Open(" + Source("out.txt") + ", omWrite)");
  Eval("s := 'old'");
  static_cast<TBaseVar*>(Engine->FindVariable("s"))->SetValue(TValue::String("a\nb"));
  EXPECT_EQ(Eval("WriteVar(h, s)"), "Cannot save a string containing a line feed at [1:1] |False");
  Eval("Close(h)");
  EXPECT_EQ(FileText("out.txt"), "");
}

TEST_F(InOutRoutines, WriteAndReadRoutinesAreImportAndExportRoutines) {
  const TImpExpRec* chars = Engine->ImportExport().Find(BaseKind(kcChar));
  ASSERT_NE(chars, nullptr);
  EXPECT_EQ(chars->GetImport(0)->Name(), "ReadChar");
  EXPECT_EQ(chars->GetExport(0)->Name(), "WriteChar");
  const TImpExpRec* vectors = Engine->ImportExport().Find(Engine->Kinds().FindKind("Vector"));
  ASSERT_NE(vectors, nullptr);
  ASSERT_EQ(vectors->ImportCount(), 2);
  EXPECT_EQ(vectors->GetImport(1)->Name(), "ReadVecCSV");
  EXPECT_EQ(vectors->GetExport(1)->Name(), "WriteVecCSV");
  EXPECT_EQ(Engine->Funcs().Find("WriteVector")->Signature(), Engine->Funcs().Find("WriteVecCSV")->Signature());
}

}  // namespace
