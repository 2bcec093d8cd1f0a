// Programs that write and read data files through tarnsh, in a folder of
// their own ($DIR in the program text).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "tests/runtime/TempFolder.h"
#include "tests/tools/TarnshRun.h"

namespace {

std::string WithFolder(std::string text, const std::string& folder) {
  for (std::size_t at = text.find("$DIR"); at != std::string::npos; at = text.find("$DIR", at))
    text.replace(at, 4, folder);
  return text;
}

// Runs the program with $DIR naming the folder.
TRun RunInFolder(const std::string& program, TempFolder& folder) {
  std::ofstream(folder / "program.tarn") << WithFolder(program, folder.Path().string());
  return RunTarnsh("'" + (folder / "program.tarn") + "'");
}

TEST(DataFilePrograms, VectorsBytesStringsAndMatrices) {
  const std::string program = R"(program DataFiles;
var h, n : Integer;
    v : Vector;
    m : Matrix;
    s : String;
    c : Char;
begin
  h := Open('file://$DIR/v.txt', omWrite);
  Write(WriteVector(h, {1, 0.5, -2}), WriteByte(h, 300), WriteStr(h, ''));
  Close(h);
  h := Open('file://$DIR/v.txt', omRead);
  Write(ReadVector(h, v), ' ', v);
  Write(ReadByte(h, n), ' ', n);
  Close(h);
  h := Open('file://$DIR/s.txt', omWrite);
  WriteStr(h, 'ab', False); WriteByte(h, 13); WriteByte(h, 10); WriteStr(h, 'cd', False);
  Close(h);
  h := Open('file://$DIR/s.txt', omRead);
  while ReadStr(h, s) do Write('[', s, ']');
  Close(h);
  h := Open('file://$DIR/m.txt', omWrite);
  WriteMatCSV(h, {{1, 2.5}, {-3, 1e20}});
  Close(h);
  h := Open('file://$DIR/m.txt', omRead);
  Write(ReadMatCSV(h, m), ' ', m);
  Close(h);
  Write(Open('xyz://a', omRead));
  Write(ReadChar(0, c));
end.
)";
  TempFolder folder;
  const TRun run = RunInFolder(program, folder);
  EXPECT_EQ(run.Output,
            "0:0:TrueTrueTrue\n"
            "0:0:True {1, 0.5, -2}\n"
            "0:0:True 44\n"
            "0:0:[ab]\n"
            "0:0:[]\n"
            "0:0:[cd]\n"
            "5:0:End of file at [19:9] \n"
            "0:0:True {{1, 2.5}, {-3, 1E20}}\n"
            "5:0:Unknown data source type \"xyz\" at [27:9] \n"
            "0:0:0\n"
            "5:0:Bad data source handle at [28:9] \n"
            "5:0:Device is not opened at [28:9] \n"
            "0:0:False\n");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(ReadFileText(folder / "v.txt"), "{1,0.5,-2},\n");
  EXPECT_EQ(ReadFileText(folder / "m.txt"), "1\t2.5\n-3\t1E20");
}

TEST(DataFilePrograms, VariablesOfEveryKindRoundTrip) {
  const std::string program = R"(program RoundTrip;
type TColor = (red, green, blue);
     TColors = set of TColor;
     TPoint = record x : Real; name : String; c : TColor; s : TColors end;
var h : Integer;
    p, q : TPoint;
    f, g : TMathFunc;
    r, t : Real;
    ch, ch2 : Char;
begin
  p.x := 1/3; p.name := 'pt'; p.c := blue; p.s := [red, blue];
  f := Sin; r := Inf; ch := 'z';
  h := Open('file://$DIR/vars.txt', omWrite);
  Write(WriteVar(h, p) and WriteVar(h, f) and WriteVar(h, r) and WriteVar(h, ch));
  Close(h);
  g := Cos;
  h := Open('file://$DIR/vars.txt', omRead);
  Write(ReadVar(h, q) and ReadVar(h, g) and ReadVar(h, t) and ReadVar(h, ch2));
  Close(h);
  Write(q.x = p.x, ' ', q.name, ' ', q.c, ' ', q.s, ' ', g(1) = Sin(1), ' ', t, ' ', ch2);
end.
)";
  TempFolder folder;
  const TRun run = RunInFolder(program, folder);
  EXPECT_EQ(run.Output, "0:0:True\n0:0:True\n0:0:True pt blue [ red, blue ] True INF z\n");
  EXPECT_EQ(ReadFileText(folder / "vars.txt"),
            "TPoint\n0.33333333333333333334\npt\n2\n101TMathFunc\nSin\nReal\nINF\nChar\nz");
}

// The new file used to replace the link itself, leaving the linked file as it was.
TEST(DataFilePrograms, WritingThroughALinkWritesTheLinkedFile) {
  TempFolder folder;
  std::ofstream(folder / "data.txt") << "previous";
  std::filesystem::create_symlink("data.txt", folder / "link.txt");
  const TRun run = RunInFolder(R"(program ThroughLink;
var h : Integer;
begin
  h := Open('file://$DIR/link.txt', omWrite);
  WriteStr(h, 'saved', False);
  Close(h);
end.
)",
                               folder);
  EXPECT_EQ(run.Output, "");
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.txt"));
  EXPECT_EQ(ReadFileText(folder / "data.txt"), "saved");
}

// The build lays out the Files folder beside tarnsh; without it every
// relative name failed.
TEST(DataFilePrograms, ARelativeNameIsAFileOfTheFilesFolder) {
  const std::string name = "DataFilePrograms-" + std::to_string(getpid()) + ".txt";
  const std::filesystem::path file = std::filesystem::path(TARNSH_PATH).parent_path() / "Files" / name;
  const TRun run = RunTarnsh("-e \"Close(Open('file://" + name + "', omWrite))\"");
  EXPECT_EQ(run.Output, "");
  EXPECT_TRUE(std::filesystem::remove(file)) << file;
}

}  // namespace
