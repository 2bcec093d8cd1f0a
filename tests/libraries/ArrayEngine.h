#pragma once
// The standard libraries, System's included, for the vector and matrix
// routines and operators: console lines whose vector and matrix results are
// read back from ans at full precision, and their error lines.

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/ArrVar.h"
#include "engine/ScalarArith.h"
#include "libraries/ArrayArgs.h"
#include "tests/libraries/SystemEngine.h"

using TReals = std::vector<long double>;
using TRows = std::vector<TReals>;

class ArrayEngine : public SystemEngine {
protected:
  const TArrVar* Ans() const { return dynamic_cast<const TArrVar*>(Engine->FindVariable(AnsVarName)); }

  // The elements of the vector a line gives.
  TReals VectorOf(const std::string& line) {
    EXPECT_EQ(ErrorsOf(line), "") << line;
    const TArrVar* ans = Ans();
    return ans ? RealsOf(*ans) : TReals();
  }

  // The rows of the matrix a line gives.
  TRows MatrixOf(const std::string& line) {
    EXPECT_EQ(ErrorsOf(line), "") << line;
    TRows rows;
    if (const TArrVar* ans = Ans())
      for (std::int32_t i = 0; i < ans->Count(); ++i) rows.push_back(RealsOf(MatRow(*ans, i)));
    return rows;
  }

  long double RealOf(const std::string& line) {
    EXPECT_EQ(ErrorsOf(line), "") << line;
    auto* ans = dynamic_cast<const TBaseVar*>(Engine->FindVariable(AnsVarName));
    return ans ? RealOperand(ans->GetValue()) : 0;
  }

  // The error lines a line writes, joined by "|"; empty when there is none.
  std::string ErrorsOf(const std::string& line) {
    Eval(line);
    std::string errors;
    for (const TLine& written : Sink->Lines) {
      if (written.Kind != lkError) continue;
      if (!errors.empty()) errors += "|";
      errors += written.Text;
    }
    return errors;
  }

  struct TRefusalCase {
    const char* Line;
    const char* Error;  // the error lines it writes, joined by "|"
  };
  void ExpectRefusals(std::initializer_list<TRefusalCase> cases) {
    for (const TRefusalCase& c : cases) EXPECT_EQ(ErrorsOf(c.Line), c.Error) << c.Line;
  }
};
