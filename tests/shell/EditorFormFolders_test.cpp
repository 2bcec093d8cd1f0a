// The program editor window's folder tree, its settings across starts, and
// what it paints.

#include <filesystem>

#include "console/Syntax.h"
#include "tests/shell/EditorFormFixture.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/Splitter.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/win/Paint.h"

namespace {

namespace fs = std::filesystem;

class EditorFoldersTest : public EditorFormTest {
protected:
  // A folder of programs below the test's folder, with files of those names.
  std::string MakeFolder(const std::string& name, std::initializer_list<const char*> files) {
    const fs::path folder = programs.Path() / name;
    fs::create_directories(folder);
    for (const char* file : files) std::ofstream(folder / file) << "program P;\nend.\n";
    return folder.string();
  }
  TTreeNode* Root(int index) {
    TTreeNode* root = editor->FileTree->Items().GetFirstNode();
    for (int i = 0; i < index && root; ++i) root = root->getNextSibling();
    return root;
  }
  void Select(TTreeNode* node) {
    editor->FileTree->SetSelected(node);
    Idle();
  }
};

TEST_F(EditorFoldersTest, AnAddedFolderShowsItsProgramsSortedWithPicturesThatFollowItsState) {
  StartShown();
  const std::string folder = MakeFolder("Mixed", {"b.tarn", "a.TARN", "notes.txt"});
  fs::create_directory(fs::path(folder) / "sub.tarn");
  dialogs.Script({true, "", 1, folder});
  editor->actAddFolder->Execute();
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Kind, TDialogKind::Folder);
  EXPECT_EQ(dialogs.Requests[0].Title, "Select a folder with Tarnscript files");
  EXPECT_EQ(dialogs.Requests[0].Folder, Storage->AppFolder);
  ASSERT_EQ(Roots(), std::vector<std::string>{"MIXED"});
  EXPECT_EQ(ChildrenOf(Root(0)), (std::vector<std::string>{"a.TARN", "b.tarn"}));
  EXPECT_EQ(Root(0)->ImageIndex(), 0);
  EXPECT_EQ(Root(0)->Item(0)->ImageIndex(), 2);
  Root(0)->Expand(false);
  EXPECT_EQ(Root(0)->ImageIndex(), 1);
  Root(0)->Collapse(false);
  EXPECT_EQ(Root(0)->ImageIndex(), 0);

  fs::create_directory_symlink(folder, programs.Path() / "link");
  for (const std::string& same : {folder + "/", folder + "/../Mixed", programs / "link"}) editor->AddFolder(same);
  editor->AddFolder(programs / "missing");
  EXPECT_EQ(Roots(), std::vector<std::string>{"MIXED"}) << "one folder, however its path is written";
}

TEST_F(EditorFoldersTest, ARemovedFolderLeavesAnEmptyEntryAndTheOthersKeepTheirPaths) {
  StartShown();
  const std::vector<std::string> folders{MakeFolder("Alpha", {}), MakeFolder("Beta", {}), MakeFolder("Gamma", {})};
  for (const std::string& folder : folders) editor->AddFolder(folder);
  Select(Root(1));
  EXPECT_TRUE(editor->actDelFolder->Enabled());
  boxes.Answer = IDNO;
  editor->actDelFolder->Execute();
  EXPECT_EQ(Roots().size(), 3u) << "No keeps it";
  boxes.Answer = IDYES;
  editor->actDelFolder->Execute();
  ASSERT_EQ(boxes.Shown.size(), 2u);
  EXPECT_EQ(boxes.Shown[1].Text, "Are you sure you want to remove folder \"BETA\"?");
  EXPECT_EQ(boxes.Shown[1].Caption, "Confirmation");
  EXPECT_EQ(Roots(), (std::vector<std::string>{"ALPHA", "GAMMA"}));

  RestartEditor();
  EXPECT_EQ(Roots(), (std::vector<std::string>{"ALPHA", "GAMMA"}));
  EXPECT_EQ(editor->Folders, (std::vector<std::string>{folders[0], folders[2]})) << "the paths as given";
  FreeEditor();
  Free();
  Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
  EXPECT_EQ(Stored("EDITORPARAMS", "FolderCount"), "2");
}

TEST_F(EditorFoldersTest, TheStoredListKeepsTheEmptyEntryOfARemovedFolder) {
  StartShown();
  for (const char* name : {"Alpha", "Beta", "Gamma"}) editor->AddFolder(MakeFolder(name, {}));
  Select(Root(1));
  boxes.Answer = IDYES;
  editor->actDelFolder->Execute();
  FreeEditor();
  EXPECT_EQ(Stored("EDITORPARAMS", "FolderCount"), "3");
  EXPECT_EQ(Stored("EDITORPARAMS", "Folder1"), "");
  EXPECT_EQ(Stored("EDITORPARAMS", "Folder2"), programs / "Gamma");
}

TEST_F(EditorFoldersTest, RefreshAndOpeningFilesFollowTheDisk) {
  StartShown();
  const std::string kept = MakeFolder("Kept", {"one.tarn"});
  const std::string gone = MakeFolder("Gone", {"two.tarn"});
  editor->AddFolder(kept);
  editor->AddFolder(gone);
  Root(1)->Expand(false);
  std::ofstream(fs::path(kept) / "new.tarn") << "program N;\nend.\n";
  fs::remove_all(gone);
  editor->actRefresh->Execute();
  EXPECT_EQ(ChildrenOf(Root(1)), (std::vector<std::string>{"new.tarn", "one.tarn"}));
  EXPECT_TRUE(Root(1)->Expanded()) << "the open folder stays open";
  EXPECT_EQ(Roots(), (std::vector<std::string>{"GONE", "KEPT"})) << "a vanished folder keeps its node";
  EXPECT_EQ(Root(0)->Count(), 0);

  Select(Root(1)->Item(1));
  EXPECT_TRUE(editor->actFolderOpen->Enabled());
  editor->actFolderOpen->Execute();
  Key('N', Ctrl);
  editor->actFolderOpen->Execute();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"one", "Untitled1"}));
  EXPECT_EQ(ActiveCaption(), "one") << "the tab holding the file comes forward";

  fs::remove(fs::path(kept) / "new.tarn");
  Select(Root(1)->Item(0));
  boxes.Answer = IDYES;
  editor->actFolderOpen->Execute();
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, "File does not exist! Refresh folders?");
  EXPECT_EQ(boxes.Shown[0].Type, static_cast<UINT>(MB_YESNO | MB_ICONERROR));
  EXPECT_EQ(ChildrenOf(Root(1)), std::vector<std::string>{"one.tarn"}) << "Yes refreshed";
}

TEST_F(EditorFoldersTest, SaveAsStartsInTheSelectedFolder) {
  StartShown();
  const std::string folder = MakeFolder("Work", {"w.tarn"});
  editor->AddFolder(folder);
  Key('N', Ctrl);
  for (TTreeNode* node : {Root(0), Root(0)->Item(0)}) {
    Select(node);
    dialogs.ScriptCancel();
    editor->actSaveAs->Execute();
    EXPECT_EQ(dialogs.Requests.back().Folder, folder);
  }
}

TEST_F(EditorFoldersTest, TheFirstStartOfABuildShowsTheExamples) {
  fs::create_directories(program.Path() / "Examples");
  std::ofstream(program.Path() / "Examples" / "Hello.tarn") << "program Hello;\nend.\n";
  StartEditor();
  EXPECT_EQ(Roots(), std::vector<std::string>{"EXAMPLES"});
  EXPECT_EQ(ChildrenOf(Root(0)), std::vector<std::string>{"Hello.tarn"});
}

TEST_F(EditorFoldersTest, SettingsSurviveARestart) {
  StartShown();
  editor->Setts.Color = clYellow;
  editor->Setts.GutterColor = clNavy;
  editor->Setts.GutterWidth = 32;
  editor->Setts.GutLines = false;
  editor->Setts.SaveAuto = true;
  editor->Setts.SavePrompt = false;
  editor->ConsolePanel->SetHeight(120);
  editor->FolderPanel->SetWidth(140);
  editor->Syntax->Attrs().Comments().Color = clRed;
  editor->SetBounds(100, 90, 700, 560);
  RestartEditor();
  ASSERT_TRUE(editor->Visible());
  const TEditorSetts& setts = editor->Setts;
  EXPECT_EQ(setts.Color, clYellow);
  EXPECT_EQ(setts.GutterColor, clNavy);
  EXPECT_EQ(setts.GutterWidth, 32);
  EXPECT_FALSE(setts.GutLines);
  EXPECT_TRUE(setts.SaveAuto);
  EXPECT_FALSE(setts.SavePrompt);
  EXPECT_EQ(editor->ConsolePanel->Height(), 120);
  EXPECT_EQ(editor->FolderPanel->Width(), 140);
  EXPECT_EQ(editor->ConsoleSplitter->Top() + 3, editor->ConsolePanel->Top()) << "the splitter above the console";
  EXPECT_EQ(editor->FolderSplitter->Left(), 140) << "and beside the folders";
  EXPECT_EQ(editor->Syntax->Attrs().Comments().Color, clRed);
  EXPECT_EQ(editor->BoundsRect(), Bounds(100, 90, 700, 560));
  editor->actNew->Execute();
  EXPECT_EQ(ActiveEditor().GetColors().GutterWidth, 32) << "new tabs take the colours";
}

// Each bad value falls back to its default; the other keys stay as stored.
TEST_F(EditorFoldersTest, EachBadStoredValueFallsBackAlone) {
  const std::string folder = MakeFolder("Only", {});
  struct TCase {
    const char* Key;
    const char* Value;
  };
  for (const TCase& bad : {TCase{"GutWidth", "81"}, {"GutWidth", "-1"}, {"GutWidth", "wide"}, {"ConHeight", "100000"},
                           {"ConHeight", "-5"}, {"ToolWidth", "100000"}, {"ToolWidth", "x"}, {"FolderCount", "-3"},
                           {"FolderCount", "2000000000"}}) {
    Store("EDITORPARAMS", "GutColor", "255");
    Store("EDITORPARAMS", "SavePrompt", "0");
    Store("EDITORPARAMS", "Folder0", folder);
    Store("EDITORPARAMS", "FolderCount", "1");
    Store("EDITORPARAMS", bad.Key, bad.Value);
    StartEditor();
    const std::string what = std::string(bad.Key) + "=" + bad.Value;
    EXPECT_EQ(editor->Setts.GutterWidth, 48) << what;
    EXPECT_EQ(editor->ConsolePanel->Height(), 149) << what;
    EXPECT_EQ(editor->FolderPanel->Width(), 169) << what;
    EXPECT_EQ(editor->Setts.GutterColor, clRed) << what;
    EXPECT_FALSE(editor->Setts.SavePrompt) << what;
    EXPECT_EQ(Roots(), (std::string(bad.Value) == "-3" ? std::vector<std::string>{} : std::vector<std::string>{"ONLY"}))
        << what;
    FreeEditor();
    Free();
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    Storage->OpenSection("EDITORPARAMS", true);
    Storage->CloseSection();
  }
}

TEST_F(EditorFoldersTest, AProgramIsColouredWithItsGutterAndTheTreeShowsItsPictures) {
  StartShown();
  editor->AddFolder(MakeFolder("Pics", {"p.tarn"}));
  editor->FileTree->Items().GetFirstNode()->Expand(false);
  Key('N', Ctrl);
  SetText("program Colours;\n(* a comment *)\nbegin\n  Write('text', 42)\nend.");
  ActiveEditor().Invalidate();
  ProcessEverything();
  TTarnEditor& source = ActiveEditor();
  const CountedPtr<TGdiBitmap> image = RenderWindow(source.Handle());
  TRect window;
  GetWindowRect(source.Handle(), window);
  const TPoint origin{source.ClientOrigin().X - window.Left, source.ClientOrigin().Y - window.Top};
  const TRect gutter = Bounds(origin.X, origin.Y, 48, source.CellHeight() * 5);
  const TColor gutterColor = ColorToRGB(clBtnFace);
  EXPECT_GT(CountPixels(*image, gutter, gutterColor), 48 * 10) << "a 48-pixel gutter";
  // Left of the gutter's edge line.
  const TRect numbers = InkBounds(*image, Bounds(origin.X, origin.Y, 46, gutter.Height()), gutterColor);
  ASSERT_FALSE(IsRectEmpty(numbers)) << "line numbers";
  EXPECT_LE(numbers.Right, origin.X + 40) << "right-aligned 8 pixels left of the gutter's edge";
  TSymAttrs& attrs = editor->Syntax->Attrs();
  const TRect text = Bounds(origin.X + 48, origin.Y, source.ClientWidth() - 48, source.CellHeight() * 5);
  for (const TSymAttr* attr : {&attrs.Comments(), &attrs.Strings()})
    EXPECT_GT(CountPixels(*image, text, ColorToRGB(attr->Color)), 5) << attr->Name();

  TTreeView& tree = *editor->FileTree;
  auto grab = std::make_unique<TBitmap>(tree.ClientWidth(), tree.ClientHeight(), pf32bit);
  tree.Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(grab->Canvas().Handle()), PRF_CLIENT);
  const TRect folderRow = tree.Items().GetFirstNode()->DisplayRect(false);
  const TRect fileRow = tree.Items().GetFirstNode()->Item(0)->DisplayRect(false);
  const TColor folderYellow = RGB(0xF8, 0xD0, 0x30);
  const TColor paper = RGB(0xFF, 0xFF, 0xF4);
  EXPECT_GT(CountPixels(*grab->Handle(), folderRow, folderYellow), 20) << "an open folder";
  EXPECT_GT(CountPixels(*grab->Handle(), fileRow, paper), 20) << "a file";
  EXPECT_EQ(CountPixels(*grab->Handle(), fileRow, folderYellow), 0);
}

}  // namespace
