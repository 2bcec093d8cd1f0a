// The main window's geometry, settings, library help menu and window options.

#include <filesystem>
#include <fstream>

#include "console/Console.h"
#include "console/Syntax.h"
#include "engine/Tarnscript.h"
#include "shell/LibMan.h"
#include "shell/MainForm.h"
#include "shell/XHint.h"
#include "tests/runtime/Packer.h"
#include "tests/shell/MainFormFixture.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

namespace fs = std::filesystem;

namespace {

TRect Geometry(TMainForm& form) { return form.BoundsRect(); }

// The keys of a section of the settings file, in file order.
std::vector<std::string> SectionKeys(const std::string& fileName, const std::string& section) {
  std::ifstream file(fileName);
  std::vector<std::string> keys;
  bool inSection = false;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line[0] == '[')
      inSection = line == "[" + section + "]";
    else if (inSection && line.find('=') != std::string::npos)
      keys.push_back(line.substr(0, line.find('=')));
  }
  return keys;
}

TEST_F(MainFormTest, EachViewKeepsItsOwnGeometry) {
  Start();
  EXPECT_EQ(Geometry(*form), Bounds(225, 114, 631, 381)) << "the first start";
  form->SetBounds(100, 100, 600, 400);
  form->SetCompact(true);
  form->SetBounds(300, 50, 420, form->Height());
  const TRect compact = Geometry(*form);
  form->SetCompact(false);
  EXPECT_EQ(Geometry(*form), Bounds(100, 100, 600, 400));
  form->SetCompact(true);
  EXPECT_EQ(Geometry(*form), compact);

  Restart();
  EXPECT_TRUE(form->Compact) << "closed in the compact view";
  EXPECT_EQ(Geometry(*form), compact);
  form->SetCompact(false);
  EXPECT_EQ(Geometry(*form), Bounds(100, 100, 600, 400)) << "the stored full view, not the designed one";
}

TEST_F(MainFormTest, TheWindowKeepsItsSmallestSize) {
  Start();
  form->SetBounds(form->Left(), form->Top(), 200, 100);
  EXPECT_EQ(form->Width(), 320);
  EXPECT_EQ(form->Height(), 200);
  form->SetCompact(true);
  const int twoLines = form->Height();
  form->SetBounds(form->Left(), form->Top(), 200, 100);
  EXPECT_EQ(form->Width(), 320);
  EXPECT_EQ(form->Height(), twoLines);
  EXPECT_EQ(form->ClientHeight(), form->CommandLine->Height() + form->ResultLine->Height());
}

// Stored sizes of another screen, an older program or a hand edit: the
// window still shows, at least at its smallest and within the work area.
TEST_F(MainFormTest, StoredGeometryIsMadeUsableOnLoad) {
  const TRect area = Screen().WorkAreaRect();
  const std::vector<std::vector<std::pair<std::string, std::string>>> cases = {
      {{"FWidth", "-5000"}, {"FHeight", "0"}},
      {{"FHeight", "-1"}},
      {{"Compact", "1"}, {"CWidth", "-5000"}},
      {{"FLeft", "0"}, {"FTop", "0"}, {"FWidth", "2147483647"}, {"FHeight", "2147483647"}},
      {{"FWidth", "20000"}, {"FHeight", "20000"}},
      {{"FTop", "99999999999"}},
  };
  for (const auto& keys : cases) {
    const std::string name = keys.front().first + "=" + keys.back().second;
    for (const auto& [key, value] : keys) Store("MAINFORM", key, value);
    Start();
    EXPECT_TRUE(form->Showing()) << name;
    EXPECT_GE(form->Width(), 320) << name;
    EXPECT_LE(form->Width(), area.Width()) << name;
    EXPECT_GE(form->ClientHeight(), form->CommandLine->Height()) << name;
    EXPECT_LE(form->Height(), area.Height()) << name;
    TRect shared;
    EXPECT_TRUE(IntersectRect(shared, form->BoundsRect(), area)) << name;
    EXPECT_TRUE(form->CommandLine->Showing()) << name;
    Free();
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    Storage->OpenSection("MAINFORM", true);
    Storage->CloseSection();
  }
}

TEST_F(MainFormTest, TheSettingsSurviveARestart) {
  Store("MAINFORM", "Stale", "1");
  Start();
  EXPECT_FALSE(form->Console->LineAttrs.Outputs.Syntax) << "the very first start";
  form->Console->LineAttrs.Outputs.Syntax = true;
  Enter("1+2");
  form->Console->SetBackColor(clYellow);
  form->Syntax->Attrs().GetAttr(skInteger).Color = clPurple;
  const std::string settings = Storage->FileName();
  Restart();
  EXPECT_EQ(SectionKeys(settings, "MAINFORM"),
            (std::vector<std::string>{"CLeft", "CTop", "CWidth", "CHeight", "FLeft", "FTop", "FWidth", "FHeight",
                                      "Compact"}));
  EXPECT_EQ(form->CommandLine->History(), std::vector<std::string>{"1+2"});
  EXPECT_EQ(form->Console->GetBackColor(), clYellow);
  EXPECT_TRUE(form->Console->LineAttrs.Outputs.Syntax) << "only the first start switches it off";
  EXPECT_EQ(form->Syntax->Attrs().GetAttr(skInteger).Color, clPurple);
  EXPECT_FALSE(SectionKeys(settings, "LIBS").empty());
}

// Plays nothing; notes whether the main window's settings were written when a sound waited.
class TWaitWatcher : public ISoundBackend {
public:
  void Play(const TWaveFormat&, TSoundSamples, bool wait) override {
    if (wait) SettingsWrittenAtWait = SectionKeys(Storage->FileName(), "MAINFORM").size();
    Waited = Waited || wait;
  }
  void Stop() override {}
  void Beep() override {}
  bool Waited = false;
  size_t SettingsWrittenAtWait = 0;
};

TEST_F(MainFormTest, ApplicationFinishPlaysBeforeTheSettingsAreWritten) {
  BindSound(sndAppFinish, "end.wav");
  TWaitWatcher watcher;
  SetSoundBackend(&watcher);
  Start();
  const std::string settings = Storage->FileName();
  Free();
  EXPECT_TRUE(watcher.Waited);
  EXPECT_EQ(watcher.SettingsWrittenAtWait, 0u);
  EXPECT_EQ(SectionKeys(settings, "MAINFORM").size(), 9u);
}

TEST_F(MainFormTest, TheFileTypeIsRegisteredOnTheFirstStartOfABuild) {
  const fs::path entry = config.Path() / "data" / "applications" / "tarnfile.desktop";
  Start();
  EXPECT_TRUE(fs::exists(entry));
  fs::remove(entry);
  Restart();
  EXPECT_FALSE(fs::exists(entry));
}

class MainFormLibrariesTest : public MainFormTest {
protected:
  void Packed(const std::string& name, const std::string& library) {
    std::ofstream(program / ("LIBS/" + name), std::ios::binary)
        << PackText("library " + library + ";\nbegin end.", PackedLibraryKey, PackedLibrarySeed);
  }
  void HelpKeywords(const std::string& text) {
    fs::create_directories(HelpFolder());
    std::ofstream(HelpFolder() + "keywords.txt") << text;
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> captions;
    for (int i = 0; i < form->mnuLibraries->Count(); ++i) captions.push_back(form->mnuLibraries->Items(i)->Caption());
    return captions;
  }
};

TEST_F(MainFormLibrariesTest, EachLibraryWithHelpHasItsItem) {
  Packed("alpha.tarl", "Alpha");
  Packed("beta.tarl", "Beta");
  std::ofstream(program / "LIBS/broken.tarl") << "not a library";
  HelpKeywords("alpha\talpha.htm\nbeta\tbeta.htm\n");
  Start();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Alpha", "Beta", "broken"}));
  EXPECT_TRUE(form->mnuLibraries->Enabled());

  TLibMan copy(program / "LIBS/", nullptr);
  copy.Assign(*form->LibMan);
  copy.Exchange(0, 1);
  form->LibMan->Assign(copy);
  ASSERT_EQ(Captions(), (std::vector<std::string>{"Beta", "Alpha", "broken"}));
  form->mnuLibraries->Items(0)->Click();
  form->mnuLibraries->Items(1)->Click();
  EXPECT_EQ(help.Pages, (std::vector<std::string>{HelpFolder() + "beta.htm", HelpFolder() + "alpha.htm"}));
}

TEST_F(MainFormLibrariesTest, WithoutLibrariesTheMenuIsDisabled) {
  Start();
  EXPECT_EQ(form->mnuLibraries->Count(), 0);
  EXPECT_FALSE(form->mnuLibraries->Enabled());
}

TEST_F(MainFormTest, WindowOptionsChooseTheHintWindowAndStayOnTop) {
  Params.WinsInTask = true;
  Params.MainOnTop = true;
  Start();
  std::unique_ptr<THintWindow> hint(Application().HintWindowClass()(nullptr));
  EXPECT_NE(dynamic_cast<TXHint*>(hint.get()), nullptr);
  EXPECT_EQ(form->FormStyle(), fsStayOnTop);
  EXPECT_NE(GetWindowLongPtr(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  Application().SetHintWindowClass(HintWindowClassOf<THintWindow>());
}

}  // namespace
