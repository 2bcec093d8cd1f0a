#include "shell/Program.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "console/Console.h"
#include "console/XEdit.h"
#include "engine/Tarnscript.h"
#include "toolkit/controls/ActionList.h"
#include "runtime/Exceptions.h"
#include "runtime/Params.h"
#include "runtime/Storage.h"
#include "shell/AddVarDlg.h"
#include "shell/CreationTable.h"
#include "shell/EdSettsForm.h"
#include "shell/EditorForm.h"
#include "shell/EvaluatorForm.h"
#include "shell/Graph3DForm.h"
#include "shell/GSettsForm.h"
#include "shell/GraphForm.h"
#include "shell/Images.h"
#include "shell/InputForm.h"
#include "shell/InstCtrl.h"
#include "shell/LibMan.h"
#include "shell/MainForm.h"
#include "shell/PlotterForm.h"
#include "shell/SettingsForm.h"
#include "shell/Splash.h"
#include "shell/TipsForm.h"
#include "shell/WelcomeForm.h"
#include "shell/WorkForm.h"
#include "tests/runtime/ChildProcesses.h"
#include "tests/runtime/Packer.h"
#include "tests/runtime/TempFolder.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/PlaySound.h"
#include "toolkit/win/Timers.h"
#include "toolkit/win/Window.h"

namespace {

namespace fs = std::filesystem;

// What the splash was told.
class TRecordingSplash final : public ILoadProgress {
public:
  void AddMessage(const std::string& Message) override { Messages.push_back(Message); }
  void SetProgress(int Percent) override { Progress.push_back(Percent); }
  std::vector<std::string> Messages;
  std::vector<int> Progress;
};

// The program in this process, with a program folder (LIBS, DATA) and a
// settings folder of its own. Steps run one after another from the
// message loop; each later one once the previous one has returned or
// while it waits in a modal loop. A step that answers false is not ready
// and runs again from the loop.
class ProgramTest : public testing::Test {
protected:
  ProgramTest() {
    fs::create_directories(program_.Path() / "LIBS");
    fs::create_directories(program_.Path() / "DATA");
    // As the build lays it beside the program.
    std::ofstream(program_.Path() / TfrmTips::TipsFileName) << "A tip.\n";
    SetAppFolder(program_.Path().string() + "/");
    SetSoundBackend(&sounds_);
  }
  ~ProgramTest() override {
    DeallocateHWnd(stepper_);
    Params = TParams();
    SetSoundBackend(nullptr);
    SetAppFolder("");
  }

  // As a fresh process: the command line is XEDIT1 again.
  int Run(std::vector<std::function<bool()>> steps, const std::vector<std::string>& arguments = {}) {
    TXEdit::ResetNameCounter();
    steps_ = std::move(steps);
    step_ = 0;
    PostMessage(stepper_, WM_USER, 0, 0);
    Start.Arguments = arguments;
    if (Start.ProgramFile.empty()) Start.ProgramFile = program_ / "quantrel";
    return RunProgram(argc_, argv_, Start);
  }
  // The next step runs from the loop that runs when this one waits.
  void Next() { PostMessage(stepper_, WM_USER, 0, 0); }

  static void Type(HWND window, const std::string& text) {
    SynthesizeTyping(window, text);
    ProcessEverything();
  }
  static void Enter(HWND window) {
    SynthesizeKeyStroke(window, VK_RETURN, "\r");
    ProcessEverything();
  }
  static std::string LastLine() {
    TDataDrawTree& tree = *MainForm->Console->Tree;
    PDataNode last = nullptr;
    for (PDataNode node = tree.FirstRootNodeRaw(); node; node = tree.NextSiblingOf(node)) last = node;
    return last ? std::string(MainForm->Console->LineRecord(last)->Text()) : "<none>";
  }
  static std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    TDataDrawTree& tree = *MainForm->Console->Tree;
    for (PDataNode node = tree.FirstRootNodeRaw(); node; node = tree.NextSiblingOf(node))
      lines.emplace_back(MainForm->Console->LineRecord(node)->Text());
    return lines;
  }
  static bool CloseProgram() {
    MainForm->Close();
    return true;
  }

  std::string SettingsText() {
    for (const auto& entry : fs::recursive_directory_iterator(config_.Path()))
      if (entry.path().extension() == ".ini") return ReadFileText(entry.path().string());
    return "";
  }

  TProgramStart Start;
  TRecordingMessageBoxes boxes_;
  TempFolder program_;
  TempFolder config_;

private:
  ScopedEnvironment configHome_{"XDG_CONFIG_HOME", config_.Path().string()};
  ScopedEnvironment dataHome_{"XDG_DATA_HOME", (config_.Path() / "data").string()};
  TNullSoundBackend sounds_;
  int argc_ = 1;
  char name_[9] = "quantrel";
  char* argv_[2] = {name_, nullptr};
  std::vector<std::function<bool()>> steps_;
  size_t step_ = 0;
  static bool CloseStartDialog() {
    for (TForm* dialog : {static_cast<TForm*>(WelcomeForm), static_cast<TForm*>(frmTips)})
      if (dialog && dialog->Visible()) {
        dialog->SetModalResult(mrCancel);
        return true;
      }
    return false;
  }
  // Retried a little later: a message posted again at once would keep the
  // loop that handles waiting messages busy for ever.
  void Retry() { SetTimer(stepper_, 1, 10, nullptr); }
  HWND stepper_ = AllocateHWnd([this](TMessage& message) {
    if (message.Msg == WM_TIMER) KillTimer(stepper_, 1);
    if ((message.Msg != WM_USER && message.Msg != WM_TIMER) || step_ >= steps_.size()) return;
    // The first step waits for the main window's first activation and the
    // start's welcome screen and tips, which are closed as they show.
    if (step_ == 0 && CloseStartDialog()) return Retry();
    const bool ready = step_ > 0 || (MainForm && !MainForm->FirstActivation && !MainForm->StartPending);
    if (!ready) return Retry();
    const size_t step = step_++;
    if (!steps_[step]()) {
      step_ = step;
      Retry();
    }
  });
};

// The lines of one section of settings text.
std::vector<std::string> SectionLines(const std::string& settings, const std::string& section) {
  std::vector<std::string> lines;
  std::istringstream in(settings.substr(std::min(settings.size(), settings.find("[" + section + "]"))));
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line) && !line.empty() && line[0] != '[') lines.push_back(line);
  return lines;
}

TEST_F(ProgramTest, StartsThroughTheSplashAndTheInputDialogAnswersScripts) {
  std::ofstream(program_ / "LIBS/first.tarl", std::ios::binary)
      << PackText("library First;\nbegin end.", PackedLibraryKey, PackedLibrarySeed);
  TRecordingSplash splash;
  Start.ProgressWatcher = &splash;
  const int status = Run({[&] {
                            EXPECT_NE(frmSplash, nullptr);
                            EXPECT_FALSE(frmSplash->Visible()) << "the first activation hides the splash";
                            EXPECT_EQ(frmSplash->Messages.front(), "Version  " + frmSplash->GetVersionText());
                            EXPECT_EQ(Application().MainForm(), MainForm);
                            MainForm->CommandLine->SetFocus();
                            MainForm->actAbout->Update();
                            EXPECT_TRUE(MainForm->actAbout->Enabled());
                            Next();
                            MainForm->actAbout->Execute();
                            EXPECT_FALSE(frmSplash->Visible()) << "a key closed the About box";
                            EXPECT_TRUE(MainForm->Active()) << "the main window has the keyboard again";
                            Next();
                            Type(MainForm->Handle(), "InputInteger('n', 5)");
                            Enter(MainForm->Handle());
                            EXPECT_EQ(LastLine(), "7");
                            return CloseProgram();
                          },
                          [&] {
                            if (!frmSplash->Showing()) return false;
                            EXPECT_EQ(frmSplash->Messages[3], frmSplash->SysInfo.GetOSText()) << "the first view";
                            SynthesizeKeyStroke(frmSplash->Handle(), 'X', "x");
                            return true;
                          },
                          [&] {
                            if (!InputForm->Showing()) return false;
                            Type(InputForm->Edit().Handle(), "\b7");
                            Enter(InputForm->Edit().Handle());
                            return true;
                          }});
  EXPECT_EQ(status, 0);
  EXPECT_EQ(splash.Messages,
            (std::vector<std::string>{"Creating main console", "Initializing engine", "Initializing sounds",
                                      "Initializing library manager", "Loading \"first\"", "Creating evaluation interfaces",
                                      "Creating tips", "Creating settings", "Creating editor",
                                      "Creating editor settings", "Creating plotter", "Creating Workspace",
                                      "Creating 3D graphs", "Creating 2D graphs", "Creating graphs settings",
                                      "Initialization complete"}));
  ASSERT_GE(splash.Progress.size(), 11u);
  EXPECT_EQ(std::vector<int>(splash.Progress.end() - 11, splash.Progress.end()),
            (std::vector<int>{50, 53, 55, 60, 65, 70, 75, 80, 85, 90, 100}));

  const std::string settings = SettingsText();
  for (const char* section : {"[GENERAL]", "[PARAMS]", "[SOUNDS]", "[MAINFORM]", "[XEDIT1]", "[LIBS]",
                              "[CONSOLELINES]", "[CONSOLECOLORS]", "[EDITORFORM]", "[EDITORPARAMS]", "[EDITORCOLORS]",
                              "[EVALPARAMS]", "[EVALFORM]", "[WORKFORM]", "[PLOTTERFORM]", "[GRAPHFORM]", "[GRAPH3DFORM]",
                              "[WELCOME]", "[TIPS]"})
    EXPECT_NE(settings.find(section), std::string::npos) << section << " missing in\n" << settings;
  const std::vector<std::string> general = SectionLines(settings, "GENERAL");
  EXPECT_EQ(std::count(general.begin(), general.end(), "First=0"), 1) << settings;
  EXPECT_EQ(std::count_if(general.begin(), general.end(),
                          [](const std::string& line) { return line.starts_with("Build") && line.ends_with("=0"); }),
            1)
      << settings;
  EXPECT_EQ(SectionLines(settings, "PARAMS").size(), 14u) << settings;
}

TEST_F(ProgramTest, TeardownGoesInReverseAndTwoRunsLeaveNothingBehind) {
  const int forms = Screen().FormCount();
  std::vector<std::string> freed;
  std::vector<TCreationStep> table = CreationTable();
  // A freed window notes whether the one it must outlive is still there.
  const auto note = [&](const std::string& message, size_t window, std::function<std::string()> what) {
    const auto step = std::find_if(table.begin(), table.end(), [&](const TCreationStep& s) { return s.Message == message; });
    ASSERT_NE(step, table.end()) << message;
    step->Windows.at(window).Destroy = [&freed, what, destroy = step->Windows[window].Destroy] {
      freed.push_back(what());
      destroy();
    };
  };
  const auto alive = [](const void* window, std::string name) { return name + (window ? " alive" : " gone"); };
  note("", 0, [&] { return alive(Images, "main window, pictures"); });
  note("Creating evaluation interfaces", 0, [&] { return alive(MainForm, "input dialog, main window"); });
  note("Creating evaluation interfaces", 1, [&] { return alive(InputForm, "evaluator, input dialog"); });
  note("Creating Workspace", 0, [&] { return alive(AddVarDlg, "workspace, its dialog"); });
  note("Creating Workspace", 1, [&] { return alive(InputForm, "New Variable dialog, input dialog"); });
  note("Creating 3D graphs", 0, [&] { return alive(GraphForm, "3D graph, 2D graph"); });
  note("Creating 2D graphs", 0, [&] { return alive(WorkForm, "2D graph, workspace"); });
  note("Creating graphs settings", 0, [&] { return alive(GraphForm, "graph settings, 2D graph"); });
  Start.Table = &table;
  for (int run = 0; run < 2; ++run) {
    freed.clear();
    EXPECT_EQ(Run({CloseProgram}), 0);
    EXPECT_EQ(freed, (std::vector<std::string>{"graph settings, 2D graph alive", "2D graph, workspace alive", "3D graph, 2D graph gone",
                                               "New Variable dialog, input dialog alive", "workspace, its dialog gone",
                                               "evaluator, input dialog alive", "input dialog, main window alive",
                                               "main window, pictures alive"}));
    EXPECT_EQ(Screen().FormCount(), forms) << "run " << run;
    for (const void* global :
         std::initializer_list<const void*>{MainForm, WelcomeForm, InputForm, EvaluatorForm, frmTips, PlotterForm, WorkForm,
                                            AddVarDlg, SettingsForm, EdSettsForm, GraphForm, Graph3DForm, GSettsForm, frmSplash, Images,
                                            InstCtrl, LoadProgress, Application().MainForm()})
      EXPECT_EQ(global, nullptr) << "run " << run;
    EXPECT_FALSE(MillisecondsToNextTimer().has_value()) << "a timer is left, run " << run;
  }
}

TEST_F(ProgramTest, AWindowThatCannotBeMadeStopsTheStartWithTheErrorBox) {
  std::vector<TCreationStep> table = CreationTable();
  table.insert(table.begin() + 2, {"Creating a test window", {{[] { throw EQuantrelError("no test window"); }, [] {}, {}}}, 54});
  Start.Table = &table;
  EXPECT_NE(Run({CloseProgram}), 0);
  ASSERT_EQ(boxes_.Shown.size(), 1u);
  EXPECT_EQ(boxes_.Shown[0].Text, "no test window");
  EXPECT_EQ(MainForm, nullptr);
  EXPECT_EQ(InputForm, nullptr);
  EXPECT_EQ(frmSplash, nullptr);
}

// A logout or a kill closes the program as its close box does: a running
// script is aborted first, and the settings are written.
TEST_F(ProgramTest, SigtermAndSighupCloseAsTheCloseBoxDoes) {
  const int idle = Run({[&] {
    MainForm->CommandLine->SetFocus();
    Type(MainForm->Handle(), "2+3");
    Enter(MainForm->Handle());
    raise(SIGHUP);
    return true;
  }});
  EXPECT_EQ(idle, 0);
  EXPECT_EQ(SectionLines(SettingsText(), "XEDIT1"), (std::vector<std::string>{"CmdCount=1", "Cmd_0=2+3"}));

  // The first run in a process names its settings file after the program
  // file, later ones after the title: each run gets a folder of its own.
  fs::remove_all(config_.Path());
  std::string lastLine;
  const int running = Run({[&] {
                             MainForm->CommandLine->SetFocus();
                             Next();
                             Type(MainForm->Handle(), "Delay(60000)");
                             Enter(MainForm->Handle());
                             lastLine = LastLine();
                             return true;
                           },
                           [&] {
                             if (!MainForm->Engine->IsRunning()) return false;
                             raise(SIGTERM);
                             return true;
                           }});
  EXPECT_EQ(running, 0);
  EXPECT_EQ(lastLine, "Execution terminated");
  EXPECT_EQ(SectionLines(SettingsText(), "XEDIT1"), (std::vector<std::string>{"CmdCount=1", "Cmd_0=Delay(60000)"}));

  // Nobody is there to answer a question: an unsaved program is kept aside.
  fs::remove_all(config_.Path());
  const int withText = Run({[&] {
    EditorForm->actNew->Execute();
    raise(SIGTERM);
    return true;
  }});
  EXPECT_EQ(withText, 0);
  const std::vector<std::string> params = SectionLines(SettingsText(), "EDITORPARAMS");
  const auto recovered = std::find_if(params.begin(), params.end(),
                                      [](const std::string& line) { return line.starts_with("Recovered="); });
  ASSERT_NE(recovered, params.end()) << "no recovery copy";
  EXPECT_TRUE(fs::exists(fs::path(recovered->substr(10)) / "Untitled1.tarn")) << *recovered;
}

// The engine's lines, with a look at the desktop when the first one comes.
class TFirstLineWatch final : public IXConsBase {
public:
  TFirstLineWatch(CountedPtr<IXConsBase> console, std::function<void()> first)
      : console_(std::move(console)), first_(std::move(first)) {}
  void Write(const std::string& text, std::uint8_t kind, int level) override {
    if (first_) std::exchange(first_, nullptr)();
    console_->Write(text, kind, level);
  }
  void ExpandToLevel(int level) override { console_->ExpandToLevel(level); }
  void Clear() override { console_->Clear(); }

private:
  CountedPtr<IXConsBase> console_;
  std::function<void()> first_;
};

// A start file compiles without handling messages: the window is on the
// desktop and painted before the file's first line.
TEST_F(ProgramTest, TheWindowIsShownPaintedBeforeAStartFileWrites) {
  const std::string file = program_ / "long.tarn";
  std::ofstream(file, std::ios::binary) << "program P;\nbegin\n  Write('first');\n  Delay(300);\nend.\n";
  std::optional<TWindowPicture> shown;
  std::vector<TCreationStep> table = CreationTable();
  const TStartWindow watch{[&] {
                             MainForm->Engine->SetConsole(MakeCounted<TFirstLineWatch>(
                                 MainForm->Console->ConsoleIntf, [&] { shown = GrabShownWindow(MainForm->Handle()); }));
                           },
                           [] {},
                           {}};
  table.insert(table.begin() + 1, {"", {watch}, -1});
  Start.Table = &table;
  EXPECT_EQ(Run({[&] { return LastLine() == "first" && CloseProgram(); }}, {file}), 0);
  ASSERT_TRUE(shown.has_value());
  const long white = std::count(shown->Pixels.begin(), shown->Pixels.end(), 0xFFFFFFu);
  EXPECT_GT(white, static_cast<long>(shown->Pixels.size()) / 2) << "the console's white, shown";
}

// The first instance runs in this process with the key of the real
// program; later starts are real processes of it, sharing this process's
// runtime and settings folders.
class SingleInstanceTest : public ProgramTest {
protected:
  SingleInstanceTest() {
    Start.ProgramFile = QuantrelPath();
    fs::create_directories(program_.Path() / "other/rel");
  }

  static std::string QuantrelPath() { return (fs::read_symlink("/proc/self/exe").parent_path() / "../bin/quantrel").lexically_normal().string(); }

  std::string WriteProgram(const std::string& path, const std::string& line) {
    std::ofstream(path, std::ios::binary) << "program P;\nbegin\n  Write('" << line << "');\nend.\n";
    return path;
  }

  // A later start from the folder "other", without a window system to start.
  pid_t StartLater(const std::vector<std::string>& arguments, const std::string& program = QuantrelPath(),
                   const std::string& platform = "no-such-platform") {
    std::vector<std::string> command{program};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return processes_.Start(command, program_ / "other", {"QT_QPA_PLATFORM=" + platform});
  }

  // Its exit status, while this process answers it.
  int Finish(pid_t pid) {
    std::optional<int> status;
    while (!(status = processes_.Poll(pid))) Application().ProcessMessages();
    ProcessEverything();
    return *status;
  }

  // Whether it runs as a first instance: it comes to hold a claim (a lock
  // file of the runtime folder naming its process) before it ends. Waiting
  // for the claim rather than a fixed time keeps a loaded machine from
  // starting the next process before this one claimed.
  bool RunsAsFirst(pid_t pid) {
    while (!processes_.Poll(pid)) {
      if (HoldsAClaim(pid)) return true;
      Application().ProcessMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  static bool HoldsAClaim(pid_t pid) {
    for (const auto& entry : fs::directory_iterator(std::getenv("XDG_RUNTIME_DIR"))) {
      if (entry.path().extension() != ".lock") continue;
      pid_t owner = 0;
      if (std::ifstream(entry.path()) >> owner && owner == pid) return true;
    }
    return false;
  }

  ChildProcesses processes_;
};

TEST_F(SingleInstanceTest, LaterStartsHandTheirFilesToTheRunningCopy) {
  WriteProgram(program_ / "other/rel/prog.tarn", "prog ran");
  std::string longPath = program_ / "other/a folder é";
  while (longPath.size() < 300 - 12) longPath += "/d";
  fs::create_directories(longPath);
  longPath = WriteProgram(longPath + "/long é.tarn", "long ran");
  ASSERT_GE(longPath.size(), 300u);
  std::string settings;
  const int status = Run({[&] {
                            settings = SettingsText();
                            EXPECT_EQ(Finish(StartLater({"rel/prog.tarn"})), 0) << "the later start never starts a platform";
                            EXPECT_EQ(LastLine(), "prog ran");
                            EXPECT_EQ(Finish(StartLater({longPath})), 0);
                            EXPECT_EQ(LastLine(), "long ran");

                            const size_t lines = Lines().size();
                            TForm other(nullptr);
                            other.Show();
                            other.SetFocus();
                            ProcessEverything();
                            EXPECT_EQ(Finish(StartLater({})), 0);
                            EXPECT_TRUE(MainForm->Active()) << "brought to the front";
                            MainForm->SetWindowState(wsMinimized);
                            ProcessEverything();
                            EXPECT_EQ(Finish(StartLater({})), 0);
                            EXPECT_EQ(MainForm->WindowState(), wsNormal) << "restored";
                            EXPECT_EQ(Lines().size(), lines) << "a start without a file runs nothing";

                            std::vector<pid_t> starts;
                            for (int i = 0; i < 5; ++i)
                              starts.push_back(StartLater({WriteProgram(program_ / ("other/f" + std::to_string(i) + ".tarn"), "file " + std::to_string(i))}));
                            for (pid_t start : starts) EXPECT_EQ(Finish(start), 0);
                            const std::vector<std::string> all = Lines();
                            for (int i = 0; i < 5; ++i)
                              EXPECT_EQ(std::count(all.begin(), all.end(), "file " + std::to_string(i)), 1) << i;

                            MainForm->CommandLine->SetFocus();
                            Next();
                            Type(MainForm->Handle(), "Delay(30)");
                            Enter(MainForm->Handle());
                            EXPECT_EQ(SettingsText(), settings) << "a later start wrote settings";
                            return CloseProgram();
                          },
                          [&] {
                            if (!MainForm->Engine->IsRunning()) return false;
                            EXPECT_EQ(Finish(StartLater({"rel/prog.tarn"})), 0);
                            EXPECT_EQ(LastLine(), "Failed to execute : " + (program_ / "other/rel/prog.tarn"));
                            MainForm->Engine->Abort();
                            return true;
                          }});
  EXPECT_EQ(status, 0);
}

// Messages are pumped while the windows are made (a library's code pumps
// them), before the main window's message hook exists.
TEST_F(SingleInstanceTest, AFileHandedOverWhileTheWindowsAreMadeRunsOnceTheLoopRuns) {
  WriteProgram(program_ / "other/rel/prog.tarn", "prog ran");
  std::vector<TCreationStep> table = CreationTable();
  const TStartWindow handOver{[&] { EXPECT_EQ(Finish(StartLater({"rel/prog.tarn"})), 0); }, [] {}, {}};
  table.insert(table.begin(), {"", {handOver}, -1});
  Start.Table = &table;
  int waits = 0;
  const int status = Run({[&] {
    if (LastLine() != "prog ran" && ++waits < 300) return false;
    EXPECT_EQ(LastLine(), "prog ran") << "the hand-over was lost";
    return CloseProgram();
  }});
  EXPECT_EQ(status, 0);
}

// A running copy that is hung keeps its claim: a later start runs after
// the hand-over's bound instead of leaving the user without a window.
TEST_F(SingleInstanceTest, AStartWhoseRunningCopyDoesNotAnswerRunsAndSaysSo) {
  const pid_t hung = StartLater({}, QuantrelPath(), "offscreen");
  ASSERT_TRUE(RunsAsFirst(hung));
  kill(hung, SIGSTOP);
  std::vector<std::string> lines;
  EXPECT_EQ(Run({[&] {
              lines = Lines();
              return CloseProgram();
            }}),
            0);
  kill(hung, SIGCONT);
  processes_.Kill(hung);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "The running copy of the program did not answer; this copy runs on its own");
}

TEST_F(SingleInstanceTest, ACopyElsewhereRunsOnItsOwnAndAKilledCopyLeavesItsClaimFree) {
  const std::string copy = program_ / "other/quantrel";
  std::error_code error;
  fs::create_hard_link(QuantrelPath(), copy, error);
  if (error) fs::copy_file(QuantrelPath(), copy);
  const int status = Run({[&] {
    const pid_t first = StartLater({}, copy, "offscreen");
    EXPECT_TRUE(RunsAsFirst(first)) << "a copy in another folder is a program of its own";
    EXPECT_EQ(Finish(StartLater({"rel/none.tarn"}, copy)), 0) << "handed over to the copy";
    processes_.Kill(first);
    const pid_t next = StartLater({}, copy, "offscreen");
    EXPECT_TRUE(RunsAsFirst(next)) << "the killed copy's claim is free again";
    processes_.Kill(next);
    return CloseProgram();
  }});
  EXPECT_EQ(status, 0);
}

}  // namespace
