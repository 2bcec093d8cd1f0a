#include "engine/data/IOSystem.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "KindsFixture.h"
#include "engine/data/IOFiler.h"
#include "runtime/Exceptions.h"
#include "tests/runtime/TempFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr TSourcePos At{3, 7};

// The built plug-ins: the program's beside the tests, the test plug-ins apart.
std::string BuiltPlugin(const std::string& name) {
  return GetAppFolder() + (name == "file.dio" ? "DATA/" : "testplugins/") + name;
}

void WriteFile(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A program folder of its own: DATA/ with the plug-ins a test lays out, and Files/.
class IOSystemTest : public ::testing::Test {
protected:
  IOSystemTest() {
    SetMessageSink(Sink);
    fs::create_directories(App.Path() / "Files");
  }
  ~IOSystemTest() override { SetMessageSink(nullptr); }

  void Install(const std::string& plugin, const std::string& target) {
    const fs::path path = App.Path() / "DATA" / target;
    fs::create_directories(path.parent_path());
    fs::copy_file(BuiltPlugin(plugin), path);
  }
  // The "file" source, and the "echo" source in a sub-folder.
  TIOSystem& StandardSystem() {
    Install("file.dio", "file.dio");
    Install("echo.dio", "devices/echo.dio");
    system_ = std::make_unique<TIOSystem>(App.Path().string() + "/");
    return *system_;
  }
  std::string FilesFolder() const { return App / "Files/"; }

  std::vector<std::string> Errors() const {
    std::vector<std::string> texts;
    for (const TLine& line : Sink->Lines) texts.push_back(line.Text);
    return texts;
  }
  // Everything a source delivers, line by line.
  static std::vector<std::string> ReadLines(TIOInst& source) {
    TIOFiler filer(source.InOut(), fmText);
    std::vector<std::string> lines;
    for (std::string line; filer.ReadLine(line);) lines.push_back(line);
    return lines;
  }

  TempFolder App;
  CountedPtr<TRecordingSink> Sink = MakeCounted<TRecordingSink>();
  std::unique_ptr<TIOSystem> system_;
};

TEST_F(IOSystemTest, PluginsAreFoundDepthFirst) {
  TIOSystem& io = StandardSystem();
  ASSERT_EQ(io.PluginCount(), 2);
  EXPECT_EQ(io.GetPlugin(0).TypeName(), "file");
  EXPECT_EQ(io.GetPlugin(0).Flags(), ioTakesFileName);
  EXPECT_EQ(io.GetPlugin(1).TypeName(), "echo");
  EXPECT_EQ(io.GetPlugin(1).Flags(), ioTakesSpecifier | ioTakesOptions);
  EXPECT_EQ(io.FindPlugin("ECHO"), &io.GetPlugin(1));
  EXPECT_EQ(io.FindPlugin("ftp"), nullptr);
  EXPECT_THROW(io.GetPlugin(2), EAssertionFailed);
  EXPECT_TRUE(Sink->Lines.empty());
}

TEST_F(IOSystemTest, TheProgramsDataFolderHoldsTheFileSource) {
  TIOSystem io;
  EXPECT_NE(io.FindPlugin("file"), nullptr);
}

TEST_F(IOSystemTest, BrokenPluginsAreReportedAndSkipped) {
  WriteFile(App / "DATA/broken.dio", "not a library");
  Install("echo_nocreate.dio", "echo_nocreate.dio");
  Install("echo_null.dio", "echo_null.dio");
  Install("echo.dio", "b/echo.dio");
  Install("echo.dio", "a/echo.dio");
  Install("file.dio", ".hidden/file.dio");
  TIOSystem io(App.Path().string() + "/");

  ASSERT_EQ(io.PluginCount(), 2);
  EXPECT_EQ(io.FindPlugin("echo")->Path(), App / "DATA/a/echo.dio") << "the first one found serves";
  EXPECT_EQ(io.FindPlugin("file"), nullptr) << "hidden folders are not entered";
  const std::vector<std::string> errors = Errors();
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_EQ(errors[0], "Failed to load DIO filter \"" + (App / "DATA/broken.dio") + "\"");
  EXPECT_EQ(errors[1], "Failed to find create function");
  EXPECT_EQ(errors[2].substr(0, 8), "8EAF301A");
  EXPECT_EQ(GetLastErrorPos(), NoPosition);
}

TEST_F(IOSystemTest, OpenStringsAreCutIntoParameters) {
  TIOSystem& io = StandardSystem();
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"echo://results.csv", {"spec=results.csv"}},
      {"echo://dev:a=1;b=2;", {"spec=dev", "a=1", "b=2", ""}},
      {"ECHO://Data.CSV:Text=Hi", {"spec=Data.CSV", "Text=Hi"}},
      {"echo://C:\\Data\\X.CSV:a=1", {"spec=C:\\Data\\X.CSV", "a=1"}},
      {"echo://2:a=1", {"spec=2", "a=1"}},
      {"echo://dev:", {"spec=dev"}},
      {"echo://x:y", {"spec=x:y"}},
      {"echo://dev:;", {"spec=dev", "", ""}},
      {"echo://", {"spec="}},
  };
  for (const auto& [text, params] : cases) {
    TIOInst* source = io.Open(text, ioRead, At);
    ASSERT_NE(source, nullptr) << text;
    EXPECT_EQ(source->Params().Texts(), params) << text;
    EXPECT_EQ(source->Params().GetFilesFolder(), FilesFolder());
  }
  EXPECT_TRUE(Sink->Lines.empty());
}

TEST_F(IOSystemTest, BadOpenStringsAreReportedAtTheirPosition) {
  TIOSystem& io = StandardSystem();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "Unknown data source type \"\""},
      {"FTP://x", "Unknown data source type \"ftp\""},
      {"file", "\"\" found instead of \"//\" in the open string"},
      {"file:/x", "\"/\" found instead of \"//\" in the open string"},
      {"file:x", "\"x\" found instead of \"//\" in the open string"},
  };
  for (const auto& [text, error] : cases) {
    Sink->Lines.clear();
    EXPECT_EQ(io.Open(text, ioRead, At), nullptr) << text;
    EXPECT_EQ(Errors(), std::vector<std::string>{error + " at [3:7] "}) << text;
    EXPECT_EQ(GetLastErrorText(), error);
  }
}

TEST_F(IOSystemTest, ParameterValuesAreFoundByNameIgnoringCase) {
  TParamSys params("/files/");
  params.AddParam("spec=x");
  params.AddParam("Size=10");
  params.AddParam("flag");
  EXPECT_EQ(params.AddParam("size=20"), 3);
  EXPECT_EQ(params.GetValue("SIZE"), "10");
  EXPECT_EQ(params.GetValue("flag"), "");
  EXPECT_EQ(params.GetValue("spec"), "x");
}

TEST_F(IOSystemTest, ReadingThroughATestPlugin) {
  TIOSystem& io = StandardSystem();
  TIOInst* source = io.Open("echo://line:Text=two words", ioRead, At);
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(&source->Plugin(), io.FindPlugin("echo"));
  EXPECT_EQ(ReadLines(*source), std::vector<std::string>{"two words"});
  EXPECT_EQ(source->InOut()->GetLastError(), "End of echo");
}

TEST_F(IOSystemTest, ARefusalIsReportedWithTheSourcesText) {
  TIOSystem& io = StandardSystem();
  EXPECT_EQ(io.Open("echo://dev:fail=Device busy", ioRead, At), nullptr);
  EXPECT_EQ(io.Open("file://missing.csv", ioRead, At), nullptr);
  EXPECT_EQ(Errors(), (std::vector<std::string>{
                          "Device busy at [3:7] ",
                          "Cannot open file \"" + FilesFolder() + "missing.csv\": No such file or directory at [3:7] ",
                      }));
}

TEST_F(IOSystemTest, HandlesAreValidWhileTheSourceIsOpen) {
  TIOSystem& io = StandardSystem();
  TIOInst* first = io.Open("echo://a", ioRead, At);
  TIOInst* second = io.Open("echo://b", ioRead, At);
  ASSERT_TRUE(first && second);
  const std::int32_t handle = first->Handle();
  EXPECT_NE(handle, 0);
  EXPECT_NE(second->Handle(), handle);
  EXPECT_EQ(io.GetInstance(handle, At), first);

  io.Close(handle, At);
  EXPECT_TRUE(Sink->Lines.empty());
  io.Close(handle, At);
  EXPECT_EQ(io.GetInstance(handle, At), nullptr);
  EXPECT_EQ(io.GetInstance(0, At), nullptr);
  EXPECT_EQ(Errors(), std::vector<std::string>(3, "Bad data source handle at [3:7] "));
  EXPECT_EQ(io.GetInstance(second->Handle(), At), second);
}

TEST_F(IOSystemTest, CloseAllClosesEverySourceAndInvalidatesItsHandle) {
  TIOSystem& io = StandardSystem();
  WriteFile(FilesFolder() + "in.txt", "a\nb\n");
  TIOInst* reading = io.Open("file://in.txt", ioRead, At);
  TIOInst* writing = io.Open("file://out.txt", ioWrite, At);
  ASSERT_TRUE(reading && writing);
  const std::int32_t handles[] = {reading->Handle(), writing->Handle()};
  TIOFiler filer(reading->InOut(), fmText);
  std::string line;
  EXPECT_TRUE(filer.ReadLine(line));
  EXPECT_TRUE(TIOFiler(writing->InOut(), fmText).WriteLine("saved"));

  io.CloseAll();
  EXPECT_EQ(ReadFileText(FilesFolder() + "out.txt"), "saved\n") << "closing completes the file";
  EXPECT_FALSE(filer.ReadLine(line)) << "the source itself is closed";
  for (std::int32_t handle : handles) EXPECT_EQ(io.GetInstance(handle, At), nullptr);
  EXPECT_EQ(Errors(), std::vector<std::string>(2, "Bad data source handle at [3:7] "));
}

TEST_F(IOSystemTest, TheFileSourceResolvesNamesAndKeepsTheirCase) {
  TIOSystem& io = StandardSystem();
  TIOInst* created = io.Open("file://Results.CSV", ioWrite, At);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->Params().Texts(), std::vector<std::string>{"spec=Results.CSV"});
  EXPECT_TRUE(TIOFiler(created->InOut(), fmText).WriteInteger(42));
  io.Close(created->Handle(), At);
  EXPECT_EQ(ReadFileText(FilesFolder() + "Results.CSV"), "42\n");

  WriteFile(App / "Data.CSV", "1\n2\n");
  TIOInst* absolute = io.Open("FILE://" + (App / "Data.CSV"), ioRead, At);
  ASSERT_NE(absolute, nullptr);
  EXPECT_EQ(ReadLines(*absolute), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(absolute->InOut()->GetLastError(), "End of file");
  EXPECT_TRUE(Sink->Lines.empty());
}

TEST_F(IOSystemTest, AWriteReplacesTheFileOnlyWhenClosed) {
  TIOSystem& io = StandardSystem();
  const std::string name = FilesFolder() + "keep.txt";
  WriteFile(name, "previous\n");
  TIOInst* source = io.Open("file://keep.txt", ioWrite, At);
  ASSERT_NE(source, nullptr);
  EXPECT_TRUE(TIOFiler(source->InOut(), fmText).WriteLine("new"));
  EXPECT_EQ(ReadFileText(name), "previous\n");
  io.Close(source->Handle(), At);
  EXPECT_EQ(ReadFileText(name), "new\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(FilesFolder()), fs::directory_iterator()), 1)
      << "no temporary file is left";
}

TEST_F(IOSystemTest, AWriterThatStopsBeforeClosingLeavesThePreviousFile) {
  TIOSystem& io = StandardSystem();
  const std::string name = FilesFolder() + "keep.txt";
  WriteFile(name, "previous\n");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TIOInst* source = io.Open("file://keep.txt", ioWrite, At);
    const bool written = source && TIOFiler(source->InOut(), fmText).WriteLine(std::string(100000, 'x'));
    _exit(written ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadFileText(name), "previous\n");
}

TEST_F(IOSystemTest, AFolderIsNoFile) {
  TIOSystem& io = StandardSystem();
  fs::create_directories(FilesFolder() + "folder");
  EXPECT_EQ(io.Open("file://folder", ioRead, At), nullptr);
  EXPECT_EQ(io.Open("file://folder", ioWrite, At), nullptr);
  EXPECT_EQ(io.Open("file://", ioWrite, At), nullptr);
  EXPECT_EQ(Errors(), (std::vector<std::string>{
                          "Cannot open file \"" + FilesFolder() + "folder\": Is a directory at [3:7] ",
                          "Cannot create file \"" + FilesFolder() + "folder\": Is a directory at [3:7] ",
                          "No file name given at [3:7] ",
                      }));
}

}  // namespace
