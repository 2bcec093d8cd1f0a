// A call of the shown routine is a run of the engine: it can be aborted,
// an exception leaves everything usable, and what the user does meanwhile
// waits for it; while another run is in progress nothing is called.

#include <stdexcept>

#include "Edits/EdExpr.h"
#include "Edits/EdTitle.h"
#include "engine/Catalogue.h"
#include "engine/RunFlags.h"
#include "tests/Edits/EdListFixture.h"

namespace {

class TBrokenRoutine : public TFunc {
public:
  TBrokenRoutine(TFuncKind* signature, TLib* lib) : TFunc("Broken", signature, lib) {}
  bool Execute(TSourcePos) override { throw std::runtime_error("Broken routine"); }
};

class EdListCallTest : public EdListTest {
protected:
  // The action, from the desktop's loop once a call of the list is under way.
  void DuringCall(std::function<void()> action) {
    RunLater(5, [this, action] {
      if (list->Busy())
        action();
      else
        DuringCall(action);
    });
  }
  // Types text into the emptied row, whose change calls the routine; what
  // the call posted for afterwards is still waiting on return.
  void StartCall(TEdExpr& row, const std::string& text) {
    Retype(row.Edit(), "");
    row.Edit().SetFocus();
    SynthesizeTyping(row.Edit().Handle(), text);
  }
};

TEST_F(EdListCallTest, AnEndlessRoutineIsAbortedAndTheListGoesOn) {
  list->Auto = false;
  Show("Forever");
  RunLater(50, [this] { engine->Abort(); });
  EXPECT_FALSE(list->Evaluate());
  EXPECT_EQ(sink->Lines.back().Text, "Execution terminated");
  EXPECT_EQ(Result(), "") << "an aborted result is not shown";
  EXPECT_FALSE(engine->IsRunning());
  EXPECT_FALSE(list->Routine()->Busy());
  EXPECT_FALSE(list->Busy());
  Show("Gain");
  EXPECT_TRUE(list->Evaluate());
  EXPECT_EQ(Result(), "0");
}

TEST_F(EdListCallTest, AnExceptionLeavesTheListAndTheEngineUsable) {
  TCatalogue catalogue(*engine, engine->FindLibrary("Math"));
  TFunc* broken = catalogue.AddRoutine(
      std::make_unique<TBrokenRoutine>(catalogue.Signature(Function({Param("x", kcReal)}, kcReal)), catalogue.Lib()),
      frPlain);
  list->Auto = false;
  list->SetRoutine(broken);
  EXPECT_THROW(list->Evaluate(), std::runtime_error);
  EXPECT_FALSE(list->Busy());
  EXPECT_FALSE(broken->Busy());
  EXPECT_FALSE(engine->IsRunning());
  EXPECT_FALSE(NoUIFlag);
  EXPECT_TRUE(list->CanEvaluate());
  Show("Gain");
  EXPECT_TRUE(list->Evaluate());
}

// A script's run: the list evaluates nothing and writes nothing; a change
// made meanwhile is evaluated once the run has ended.
TEST_F(EdListCallTest, NothingIsCalledWhileAScriptRuns) {
  Show("Gain");
  TEdExpr& x = Row<TEdExpr>(3);
  bool evaluated = true, ready = true;
  std::size_t linesBefore = 0, linesAfter = 0;
  RunLater(50, [&] {
    linesBefore = sink->Lines.size();
    ready = list->CanEvaluate();
    evaluated = list->Evaluate();
    Retype(x.Edit(), "4");
    list->CatchUp();
    linesAfter = sink->Lines.size();
  });
  EXPECT_TRUE(engine->CompileText("program P; begin Delay(0.3) end."));
  EXPECT_FALSE(ready);
  EXPECT_FALSE(evaluated);
  EXPECT_EQ(linesAfter, linesBefore) << "not even \"Reentrace attempted\"";
  EXPECT_EQ(Result(), "0");
  list->CatchUp();
  EXPECT_EQ(Result(), "8") << "the change typed during the run";
}

// During a call, a change and a new choice wait for it to return.
TEST_F(EdListCallTest, WhatTheUserDoesDuringACallWaitsForIt) {
  Show("Slow");
  TEdExpr& x = Row<TEdExpr>(2);
  std::string rowsDuring;
  DuringCall([&] {
    Retype(x.Edit(), "7");
    list->SetRoutine(Routine("Gain"));
    rowsDuring = Row<TEdTitle>(0).TitleText();
  });
  StartCall(x, "5");
  EXPECT_EQ(rowsDuring, "Slow") << "the rows the call uses stay";
  EXPECT_EQ(Result(), "5");
  ProcessEverything();
  EXPECT_EQ(Row<TEdTitle>(0).TitleText(), "Gain") << "the choice made during the call, once it returned";
}

TEST_F(EdListCallTest, TheChangeTypedDuringACallIsEvaluatedAfterIt) {
  Show("Slow");
  TEdExpr& x = Row<TEdExpr>(2);
  DuringCall([&] { Retype(x.Edit(), "7"); });
  StartCall(x, "5");
  EXPECT_EQ(Result(), "5");
  ProcessEverything();
  EXPECT_EQ(Result(), "7");
}

}  // namespace
