#include "shell/InstCtrl.h"

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "tests/runtime/ChildProcesses.h"
#include "tests/runtime/TempFolder.h"
#include "tests/toolkit/ToolkitTestSupport.h"

namespace {

namespace fs = std::filesystem;

// Copies of the probe program, each test's in a folder of its own (so its
// key is its own), with a folder for what the copies report.
class InstCtrlTest : public testing::Test {
protected:
  InstCtrlTest() {
    fs::create_directories(folder_ / "bin");
    fs::create_directories(folder_ / "reports");
    fs::create_directories(folder_ / "work");
    Probe = PlaceProbe(folder_ / "bin");
  }

  static std::string PlaceProbe(const std::string& folder) {
    const fs::path original = fs::read_symlink("/proc/self/exe").parent_path() / "shell_InstCtrlProbe";
    const fs::path copy = fs::path(folder) / "probe";
    std::error_code error;
    fs::create_hard_link(original, copy, error);
    if (error) fs::copy_file(original, copy);
    return copy.string();
  }

  pid_t Start(const std::string& program, const std::string& maxInst, const std::vector<std::string>& file = {}) {
    std::vector<std::string> arguments{program, folder_ / "reports", maxInst};
    arguments.insert(arguments.end(), file.begin(), file.end());
    return Processes.Start(arguments, folder_ / "work");
  }

  std::string Report(const std::string& name) { return folder_ / ("reports/" + name); }
  bool Ran(pid_t pid) { return fs::exists(Report("ran-" + std::to_string(pid))); }

  // Starts a copy that runs, and waits until it listens.
  pid_t StartRunning(const std::string& program, const std::string& maxInst) {
    const pid_t pid = Start(program, maxInst);
    EXPECT_TRUE(WaitFor([&] { return Ran(pid); })) << "the copy did not run";
    return pid;
  }

  std::vector<std::string> Messages(size_t count) {
    std::vector<std::string> messages;
    for (size_t n = 1; n <= count; ++n) {
      const std::string name = Report("message-" + std::to_string(n));
      EXPECT_TRUE(WaitFor([&] { return fs::exists(name); })) << "no message " << n;
      messages.push_back(ReadFileText(name));
    }
    return messages;
  }

  TempFolder folder_;
  ChildProcesses Processes;
  std::string Probe;
};

TEST_F(InstCtrlTest, ALaterStartHandsItsFileOverMadeAbsoluteAndEnds) {
  StartRunning(Probe, "1");
  EXPECT_EQ(Processes.Finish(Start(Probe, "1", {"rel/prog.tarn"})), 0);
  EXPECT_EQ(Processes.Finish(Start(Probe, "1")), 0);
  EXPECT_EQ(Messages(2), (std::vector<std::string>{folder_ / "work/rel/prog.tarn", ""}))
      << "each hand-over is read once; a start without a file hands over nothing";
  EXPECT_TRUE(fs::exists(Report("maxinst-0"))) << "OnMaxInst, with no window to name";
}

TEST_F(InstCtrlTest, DisabledEveryStartRuns) {
  for (int i = 0; i < 3; ++i) StartRunning(Probe, "off");
}

TEST_F(InstCtrlTest, WithMaxInstTwoTwoStartsRunAndTheThirdHandsOverToTheFirst) {
  StartRunning(Probe, "2");
  StartRunning(Probe, "2");
  EXPECT_EQ(Processes.Finish(Start(Probe, "2", {"third.tarn"})), 0);
  EXPECT_EQ(Messages(1), std::vector<std::string>{folder_ / "work/third.tarn"});
}

TEST_F(InstCtrlTest, AClaimLeftByAKilledCopyIsFreeAgain) {
  Processes.Kill(StartRunning(Probe, "1"));
  StartRunning(Probe, "1");
}

// A hung copy keeps its claim, so later starts cannot hand over to it:
// each runs after the channel's bound instead, and leaves the claim and the
// socket to the hung copy, which answers again once it runs on.
TEST_F(InstCtrlTest, AStartWhoseRunningCopyDoesNotAnswerRunsLeavingTheClaimAlone) {
  const pid_t hung = StartRunning(Probe, "1");
  kill(hung, SIGSTOP);
  const pid_t later = Start(Probe, "1", {"later.tarn"});
  EXPECT_TRUE(WaitFor([&] { return Ran(later); })) << "the later start did not run";
  EXPECT_EQ(ReadFileText(Report("warning-" + std::to_string(later))),
            "The running copy of the program did not answer; this copy runs on its own");
  kill(hung, SIGCONT);
  EXPECT_EQ(Processes.Finish(Start(Probe, "1", {"third.tarn"})), 0);
  EXPECT_EQ(Messages(1), std::vector<std::string>{folder_ / "work/third.tarn"}) << "handed over to the first copy";
}

TEST_F(InstCtrlTest, ACopyInAnotherFolderIsAProgramOfItsOwn) {
  StartRunning(Probe, "1");
  fs::create_directories(folder_ / "other");
  StartRunning(PlaceProbe(folder_ / "other"), "1");
}

TEST_F(InstCtrlTest, SimultaneousStartsHandOverEachFileOnce) {
  StartRunning(Probe, "1");
  std::set<std::string> sent;
  std::vector<pid_t> starts;
  for (int i = 0; i < 5; ++i) {
    const std::string file = "file" + std::to_string(i) + ".tarn";
    sent.insert(folder_ / ("work/" + file));
    starts.push_back(Start(Probe, "1", {file}));
  }
  for (pid_t start : starts) EXPECT_EQ(Processes.Finish(start), 0);
  const std::vector<std::string> received = Messages(5);
  EXPECT_EQ(std::set<std::string>(received.begin(), received.end()), sent);
  EXPECT_FALSE(fs::exists(Report("message-6")));
}

TEST(InstCtrl, OnlyOneInAProcess) {
  {
    TInstCtrl first(nullptr);
    EXPECT_EQ(InstCtrl, &first);
    try {
      TInstCtrl second(nullptr);
      FAIL() << "a second control was made";
    } catch (const EInstCtrl& error) {
      EXPECT_STREQ(error.what(), "Only one copy of this component can be dropped on a form!");
    }
    EXPECT_EQ(InstCtrl, &first);
    EXPECT_TRUE(first.Enabled);
    EXPECT_EQ(first.MaxInst, 1u);
    EXPECT_TRUE(first.Counted);
  }
  EXPECT_EQ(InstCtrl, nullptr);
  TInstCtrl again(nullptr);
  EXPECT_EQ(InstCtrl, &again);
}

// This process as the running copy: each text is one message, whose text
// GetCmdLine answers only while it is handled, also while another one is
// handled inside it (a run pumps messages).
TEST_F(InstCtrlTest, EachTextIsOneMessageReadWhileItIsHandled) {
  TInstCtrl control(nullptr);
  control.Check(Probe, {});
  ASSERT_TRUE(FirstInstance);
  control.Listen();
  control.Deliver();
  const auto handOver = [&](const std::string& file) {
    const pid_t start = Start(Probe, "1", {file});
    std::optional<int> status;
    while (!(status = Processes.Poll(start))) Application().ProcessMessages();
    EXPECT_EQ(*status, 0);
    ProcessEverything();
  };
  std::vector<std::string> seen;
  Application().OnMessage = [&](MSG& message, bool& handled) {
    if (message.message != WM_INSTCTRL) return;
    handled = true;
    const TInstCtrl::THandling handling(message);
    seen.push_back(control.GetCmdLine());
    if (seen.size() > 1) return;
    handOver("b.tarn");
    seen.push_back(control.GetCmdLine());
  };
  handOver("a.tarn");
  Application().OnMessage = nullptr;
  EXPECT_EQ(seen, (std::vector<std::string>{folder_ / "work/a.tarn", folder_ / "work/b.tarn", folder_ / "work/a.tarn"}));
  EXPECT_EQ(control.GetCmdLine(), "");
}

}  // namespace
