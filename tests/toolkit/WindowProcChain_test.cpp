// A control's window method chain: takeovers given back by identity, in
// any order, and saved handlers that never reach a removed takeover.

#include "toolkit/controls/WindowProcChain.h"

#include <string>

#include <gtest/gtest.h>

namespace {

// A takeover that records its name and passes on to what it replaced.
class TTakeover : public TObject {
public:
  TTakeover(TWindowProc& proc, std::string& trace, char name) : proc_(proc), trace_(trace), name_(name) {
    saved_ = proc.Current();
    proc = TWndHandler::OfMethod(&Handle, this);
  }
  void GiveBack() { proc_ = saved_; }

private:
  static void Handle(TObject* self, TMessage& message) {
    auto& takeover = *static_cast<TTakeover*>(self);
    takeover.trace_ += takeover.name_;
    takeover.saved_(message);
  }

  TWindowProc& proc_;
  std::string& trace_;
  char name_;
  TWndMethodRef saved_;
};

struct WindowProcChainTest : ::testing::Test {
  WindowProcChainTest() {
    proc = [this](TMessage& message) {
      trace += 'o';
      message.Result = 7;
    };
    own = proc.Method();
  }
  std::string Deliver() {
    trace.clear();
    TMessage message{WM_USER, 0, 0, 0};
    proc.Call(message);
    EXPECT_EQ(message.Result, 7);
    return trace;
  }

  TWindowProc proc;
  TMethod own;
  std::string trace;
};

}  // namespace

TEST_F(WindowProcChainTest, TakeoversAreGivenBackInAnyOrder) {
  // Orders in which the three takeovers a, b, c are given back.
  const char* orders[] = {"abc", "acb", "bac", "bca", "cab", "cba"};
  for (const std::string order : orders) {
    TTakeover a(proc, trace, 'a'), b(proc, trace, 'b'), c(proc, trace, 'c');
    EXPECT_EQ(Deliver(), "cbao");
    std::string left = "cba";
    for (const char name : order) {
      (name == 'a' ? a : name == 'b' ? b : c).GiveBack();
      left.erase(left.find(name), 1);
      EXPECT_EQ(Deliver(), left + "o") << "order " << order << " after giving back " << name;
    }
    EXPECT_EQ(proc.Method(), own) << "order " << order;
  }
}

TEST_F(WindowProcChainTest, AHandlerSavedAsAFunctionKeepsItsIdentity) {
  const TWndMethod saved = proc;
  proc = [this, saved](TMessage& message) {
    trace += 'l';
    saved(message);
  };
  TTakeover above(proc, trace, 'a');
  EXPECT_EQ(Deliver(), "alo");

  proc = saved;  // the lambda's takeover goes, from under the one above it
  EXPECT_EQ(Deliver(), "ao");
  above.GiveBack();
  EXPECT_EQ(proc.Method(), own);
}

TEST_F(WindowProcChainTest, AnyOtherHandlerTakesOverOnTopAndNullEmpties) {
  proc = [this](TMessage& message) {
    trace += 'n';
    message.Result = 7;
  };
  EXPECT_EQ(Deliver(), "n");
  EXPECT_NE(proc.Method(), own);
  proc = nullptr;
  EXPECT_FALSE(proc);
  EXPECT_FALSE(proc.Current());
}
