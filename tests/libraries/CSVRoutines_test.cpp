#include "libraries/CSVRoutines.h"

#include <initializer_list>
#include <vector>

#include "engine/ArrVar.h"
#include "libraries/WorkStatus.h"
#include "tests/libraries/DataFileEngine.h"

namespace {

// Also records the workspace window's status texts.
class CSVRoutines : public DataFileEngine {
protected:
  CSVRoutines() {
    SetWorkStatusHandler([this](const std::string& text) { Status.push_back(text); });
    Eval("v := {7}");
    Eval("m := {{7}}");
  }
  ~CSVRoutines() override { SetWorkStatusHandler(nullptr); }

  // Runs a routine on a source holding bytes; the lines it wrote.
  std::string ReadFrom(const std::string& bytes, const std::string& call) {
    WriteFile("in.txt", bytes);
    Eval("h := Open(" + Source("in.txt") + ", omRead)");
    return Eval(call);
  }
  // The bytes a routine writes to a new file, with the lines it wrote.
  std::string WrittenBy(const std::string& call, std::string& lines) {
    Eval("h := Open(" + Source("out.txt") + ", omWrite)");
    lines = Eval(call);
    Eval("Close(h)");
    return FileText("out.txt");
  }

  struct TReadCase {
    const char* Bytes;
    const char* Lines;  // of the call
    const char* Value;  // the variable read afterwards
  };
  // Reads each case's bytes into the variable var, which holds initial
  // before each read, with routine(h, var).
  void ExpectReads(const std::string& routine, const std::string& var, const std::string& initial,
                   std::initializer_list<TReadCase> cases) {
    for (const TReadCase& c : cases) {
      Eval(var + " := " + initial);
      EXPECT_EQ(ReadFrom(c.Bytes, routine + "(h, " + var + ")"), c.Lines) << c.Bytes;
      EXPECT_EQ(Eval(var), c.Value) << c.Bytes;
    }
  }

  std::vector<std::string> Status;
};

TEST_F(CSVRoutines, WriteVectorWritesBraceGroups) {
  std::string lines;
  EXPECT_EQ(WrittenBy("WriteVector(h, {1, 0.5, -2})", lines), "{1,0.5,-2}");
  EXPECT_EQ(lines, "True");
  EXPECT_EQ(WrittenBy("WriteVector(h, {})", lines), "{}");
  EXPECT_EQ(lines, "True");
}

TEST_F(CSVRoutines, ReadVectorReadsOneGroupAtATime) {
  EXPECT_EQ(ReadFrom("{1,0.5,-2}{ 3 , 4 }x", "ReadVector(h, v)"), "True");
  ExpectLines({
      {"v", "{1, 0.5, -2}"},
      {"ReadVector(h, v)", "True"},
      {"v", "{3, 4}"},
      {"ReadVector(h, v)", "\"{\" expected but \"x\" found at [1:1] |False"},
      {"v", "{}"},
  });
}

TEST_F(CSVRoutines, ReadVectorRefusals) {
  ExpectReads("ReadVector", "v", "{7}", {
      {"{}", "Failed to convert to real:  at [1:1] |False", "{}"},
      {"{1,,2}", "Failed to convert to real:  at [1:1] |False", "{}"},
      {"{1,a}", "Failed to convert to real: a at [1:1] |False", "{}"},
      {"{1,2", "End of file at [1:1] |False", "{}"},
      {"", "End of file at [1:1] |False", "{}"},
  });
}

TEST_F(CSVRoutines, VectorsReadBackExactly) {
  Eval("w := {1/3, -Inf, 1E-4000, 2/3}");
  std::string lines;
  const std::string text = WrittenBy("WriteVector(h, w)", lines);
  EXPECT_EQ(ReadFrom(text, "ReadVector(h, v)"), "True") << text;
  const auto& w = static_cast<const TArrVar&>(*Engine->FindVariable("w"));
  const auto& v = static_cast<const TArrVar&>(*Engine->FindVariable("v"));
  ASSERT_EQ(v.Count(), 4);
  for (std::int64_t i = 1; i <= 4; ++i) EXPECT_EQ(GetVecElem(v, i), GetVecElem(w, i)) << text;
}

TEST_F(CSVRoutines, ReadVecCSVTakesValuesToTheEnd) {
  ExpectReads("ReadVecCSV", "v", "{7}", {
      {"1.5\n2.5", "True", "{1.5, 2.5}"},
      {"1.5\r\n2.5\r\n", "True", "{1.5, 2.5}"},
      {"1,2;3\t4 5", "True", "{1, 2, 3, 4, 5}"},
      {"1, 2.5", "Failed to convert to real:  at [1:1] |False", "{}"},
      {"1\n2x", "Failed to convert to real: 2x at [1:1] |False", "{}"},
      {"", "End of file at [1:1] |False", "{}"},
      {"INF\n-3", "True", "{INF, -3}"},
  });
}

TEST_F(CSVRoutines, ReadVecCSVShowsItsProgress) {
  EXPECT_EQ(ReadFrom("1\r\n2", "ReadVecCSV(h, v)"), "True");
  const std::vector<std::string> expected = {" 0 vector elements imported", " 1 vector elements imported",
                                             " 1 vector elements imported", " Vector [2] successfully imported"};
  EXPECT_EQ(Status, expected);
}

// The status text is shown while window messages flow, one of which may
// ask for an abort: the read then ends at once, and the target stays empty.
TEST_F(CSVRoutines, AnAbortEndsAReadWithNothingKept) {
  int shown = 0;
  SetWorkStatusHandler([&](const std::string&) {
    ++shown;
    Engine->Abort();
  });
  for (const char* target : {"v", "m"}) {
    shown = 0;
    const std::string call = std::string(*target == 'v' ? "ReadVecCSV" : "ReadMatCSV") + "(h, " + target + ")";
    EXPECT_EQ(ReadFrom("1\t2\n3\t4\n5\t6\n", call), "Execution terminated") << call;
    EXPECT_EQ(shown, 1) << call;
    EXPECT_EQ(Eval(target), "{}") << call;
  }
}

TEST_F(CSVRoutines, WriteVecCSVWritesOneValuePerLine) {
  std::string lines;
  EXPECT_EQ(WrittenBy("WriteVecCSV(h, {1, 2.5, 1E20})", lines), "1\n2.5\n1E20");
  EXPECT_EQ(lines, "True");
  EXPECT_EQ(WrittenBy("WriteVecCSV(h, {})", lines), "");
  EXPECT_EQ(lines, "False");
}

TEST_F(CSVRoutines, ReadMatCSVReadsRowsOfEqualLength) {
  ExpectReads("ReadMatCSV", "m", "{{7}}", {
      {"1\t2\n3\t4", "True", "{{1, 2}, {3, 4}}"},
      {"1,2,\n3,4", "True", "{{1, 2, 3, 4}}"},
      {"1,2,\n3,4,\n", "True", "{{1, 2, 3, 4}}"},
      {"1,2\n3,4,", "True", "{{1, 2}, {3, 4}}"},
      {"\n\n 1;;2\r\n\r\n3 4\n\n", "True", "{{1, 2}, {3, 4}}"},
      {"", "True", "{}"},
      {"1,2\n3", "Data source doesn't contain a matrix at [1:1] |False", "{}"},
      {"1,2\n3,x", "Failed to convert \"x\" into a real number|False", "{}"},
  });
}

TEST_F(CSVRoutines, ReadMatCSVShowsItsProgress) {
  EXPECT_EQ(ReadFrom("1\t2\n3\t4", "ReadMatCSV(h, m)"), "True");
  const std::vector<std::string> expected = {" 1 matrix rows imported", " Matrix [2:2] successfully imported"};
  EXPECT_EQ(Status, expected);
  Status.clear();
  EXPECT_EQ(ReadFrom("", "ReadMatCSV(h, m)"), "True");
  EXPECT_EQ(Status, std::vector<std::string>{" Matrix [0:0] successfully imported"});
}

TEST_F(CSVRoutines, WriteMatCSVWritesRowsOfTabSeparatedValues) {
  std::string lines;
  EXPECT_EQ(WrittenBy("WriteMatCSV(h, {{1, 2.5}, {-3, 1e20}})", lines), "1\t2.5\n-3\t1E20");
  EXPECT_EQ(lines, "True");
  static_cast<TArrVar&>(*Engine->FindVariable("m")).Clear();
  EXPECT_EQ(WrittenBy("WriteMatCSV(h, m)", lines), "");
  EXPECT_EQ(lines, "False");
}

TEST_F(CSVRoutines, WriteMatCSVRefusesRowsOfDifferentLengths) {
  Eval("r := {{1, 2}, {3, 4}}");
  Eval("r[2] := {3}");
  std::string lines;
  EXPECT_EQ(WrittenBy("WriteMatCSV(h, r)", lines), "");
  EXPECT_EQ(lines, "Matrix rows must have the same length at [1:1] |False");
}

TEST_F(CSVRoutines, MatricesReadBackExactly) {
  Eval("r := {{1/3, 2/7}, {-1E-300, 1E300}}");
  std::string lines;
  const std::string text = WrittenBy("WriteMatCSV(h, r)", lines);
  EXPECT_EQ(ReadFrom(text, "ReadMatCSV(h, m)"), "True") << text;
  const auto& r = static_cast<const TArrVar&>(*Engine->FindVariable("r"));
  const auto& m = static_cast<const TArrVar&>(*Engine->FindVariable("m"));
  for (std::int64_t i = 1; i <= 2; ++i)
    for (std::int64_t j = 1; j <= 2; ++j) EXPECT_EQ(GetMatElem(m, i, j), GetMatElem(r, i, j)) << text;
}

}  // namespace
