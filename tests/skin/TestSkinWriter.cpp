#include "tests/skin/TestSkinWriter.h"

#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tests/toolkit/FlatJpeg.h"
#include "toolkit/gdi/Bitmap.h"

namespace {

using namespace TestSkin;

// Fixed-column values: "^left,top,right,bottom,wl,wt,wr,wb,frames,mask type,
// stretch mode,border width" (48 characters), "@left,top,right,bottom,frames,
// mask type" (24), "~left,top,right,bottom,stretch mode," (24) with a
// mask-type digit as character 25. Numbers are 4 digits wide.
const char* const Options = R"(; The test skin of the Quantrel skin tests, drawn by code.
[GLOBALINFO]
VERSION=6.05
AUTHOR=Quantrel tests
DESCRIPTION=A skin drawn by code
MASTERBITMAP=master.bmp
COLOR=$00C8D0D4
FONTCOLOR=$00102030
SHADOW1COLOR=$00404040
SHADOW1OFFSET=2
SHADOW1TRANSPARENCY=60
BISPACE=2
BIRIGHT=4
BOXCHECKED=@0000,0048,0024,0056,3,0
BOXUNCHECKED=@0024,0048,0048,0056,3,0
BOXGRAYED=@0048,0048,0072,0056,3,0
RADIOCHECKED=@0000,0088,0024,0096,3,0
RADIOUNCHECKED=@0024,0088,0048,0096,3,0
RADIOGRAYED=@0048,0088,0072,0096,3,0
SMALLCHECKED=@0000,0056,0008,0064,1,0
SMALLUNCHECKED=@0008,0056,0016,0064,1,0
SMALLGRAYED=@0016,0056,0024,0064,1,0
GRIPIMAGE=@0024,0056,0032,0064,1,0
$GLOBALINFO$
[PANEL]
COLOR=$00D8C8B8
FONTCOLOR=$FF
TCLEFT=$00FFFFFF
TRANSPARENCY=40
GRADIENTPERCENT=30
GRADIENTDATA=16777215;12632256;50;0;0;12632256;8421504;50;0;0
GIVEOWNFONT=TRUE
BORDERSMASK=^0000,0000,0048,0016,0004,0004,0004,0004,3,0,4,2
PATTERN=tile16.jpg
IMAGEPERCENT=20

[PANEL_LOW]
PARENTCLASS=PANEL
COLOR=$00B0A090
TRANSPARENCY=-1
GRADIENTDATA=?

[TOOLBAR]
COLOR=$00E0D0C0
GRADIENTPERCENT=100
GRADIENTDATA=15790320;11579568;100;1;0
FADINGITERATIONS=0x10
HOTGRADIENTDATA=255;65280;100;1;0

[TOOLBUTTON]
COLOR=$00E8E0D8
HOTCOLOR=$00FFE0C0
HOTFONTCOLOR=$000000C0
BORDERSMASK=^0000,0016,0048,0048,0004,0004,0004,0004,3,1,0,0

[DIVIDER]
COLOR=$00A0A0A0
BORDERSMASK=#(0,64,8,80)(0,-2)

[BUTTON]
COLOR=$FF00000F
HOTCOLOR=$FF00000F
FONTCOLOR=$00000000
SHOWFOCUS=TRUE
BORDERSMASK=!BTN.BMP!3!1!0

[Button]
COLOR=$000000FF
BORDERSMASK=!btn.bmp!3!1!0

[CHECKBOX]
COLOR=$00F0F0F0
TRANSPARENCY=100

[COMBOBOX]
COLOR=$00FFFFFF
SHOWFOCUS=yes
GLYPHMASK=@0024,0080,0048,0088,3,0

[COMBOBTN]
BORDERSMASK=^0048,0016,0096,0032,0003,0003,0003,0003,3,0,0,0
PATTERN=~0096,0048,0112,0064,00,
HOTPATTERN=~0096,0064,0112,0096,00,1

[EDIT]
COLOR=$00E0F0F0
HOTFONTCOLOR=$00101080
SHOWFOCUS=true
BORDERSMASK=edit.bmp

[GROUPBOX]
COLOR=$00E0E0E0
BORDERSMASK=^0048,0000,0096,0016,0000,0000,0000,0000,0,0,0,0

[SCROLLBTNTOP]
COLOR=$00D0D0D0
BORDERSMASK=^0048,0016,0096,0032,0003,0003,0003,0003,3,0,0,0
GLYPHMASK=@0000,0080,0024,0088,3,0

[SCROLLBTNBOTTOM]
PARENTCLASS=SCROLLBTNTOP
GLYPHMASK=@0024,0080,0048,0088,3,0

[SCROLLBTNLEFT]
PARENTCLASS=SCROLLBTNTOP
RESERVEDBOOLEAN=TRUE
GLYPHMASK=@0048,0080,0072,0088,3,0

[SCROLLBTNRIGHT]
PARENTCLASS=SCROLLBTNTOP
GLYPHMASK=@0072,0080,0096,0088,3,0

[SCROLLSLIDERV]
COLOR=$00C0C0C0
BORDERSMASK=^0048,0032,0096,0048,0003,0003,0003,0003,3,0,0,0
GLYPHMASK=@0024,0056,0032,0064,1,0
PATTERN=~0096,0048,0112,0064,00,
HOTPATTERN=~0096,0064,0112,0096,00,1

[SCROLLSLIDERH]
PARENTCLASS=SCROLLSLIDERV

[SCROLLBAR1H]
COLOR=$00E8E8E8
BORDERSMASK=^0000,0064,0048,0080,0003,0003,0003,0003,3,0,0,0
PATTERN=~0096,0048,0112,0064,00,
HOTPATTERN=~0096,0064,0112,0096,00,1

[SCROLLBAR1V]
PARENTCLASS=SCROLLBAR1H

[SCROLLBAR2H]
PARENTCLASS=SCROLLBAR1H
BORDERSMASK=^0048,0064,0096,0080,0003,0003,0003,0003,3,0,0,0

[SCROLLBAR2V]
PARENTCLASS=SCROLLBAR2H

[TABTOP]
COLOR=$00F0E8E0
BORDERSMASK=^0000,0000,0048,0016,0004,0004,0004,0004,3,0,4,2

[TABBOTTOM]
PARENTCLASS=TABTOP

[FORM]
COLOR=$00D4D0C8
PATTERN=WIDE.JPG
$FORM$
[FORMTITLE]
COLOR=$00804000
FONTCOLOR=$00FFFFFF
HOTCOLOR=$00A06020

[MENUITEM]
COLOR=$00F8F8F8
HOTCOLOR=$00C08040
BORDERSMASK=^0000,0064,0048,0080,0003,0003,0003,0003,3,0,0,0

[MENULINE]
COLOR=$00E0E0E0
FONTCOLOR=$00000080
HOTFONTCOLOR=$00008000

[MAINMENU]
COLOR=$00F0E0D0
BORDERSMASK=^0000,0000,0048,0016,0003,0003,0003,0003,3,0,0,3

[DIVIDERV]
COLOR=$00A0A0A0
BORDERSMASK=^0048,0016,0096,0032,0001,0000,0001,0000,3,0,0,0

[DIALOG]
COLOR=$00D4D0C8
PATTERN=back.jpg

[STATUSBAR]
COLOR=tile16.jpg
FONTCOLOR=$00202020

[SELFISH]
PARENTCLASS=SELFISH
TRANSPARENCY=-1
HOTCOLOR=?

[CYCLEA]
PARENTCLASS=CYCLEB
TRANSPARENCY=-1

[CYCLEB]
PARENTCLASS=CYCLEA

[TABLEFT]
PARENTCLASS=TABTOP

[TABRIGHT]
PARENTCLASS=TABTOP

[PAGECONTROL]
COLOR=$00E8E0D8
BORDERSMASK=^0048,0016,0096,0032,0003,0003,0003,0003,3,0,0,0

[PAGECONTROLBOTTOM]
PARENTCLASS=PAGECONTROL

[PAGECONTROLLEFT]
PARENTCLASS=PAGECONTROL

[PAGECONTROLRIGHT]
PARENTCLASS=PAGECONTROL

[UPDOWNBTN]
COLOR=$00D0D0D0
BORDERSMASK=^0048,0016,0096,0032,0003,0003,0003,0003,3,0,0,0

[SPEEDBUTTON_SMALL]
PARENTCLASS=UPDOWNBTN
)";

std::string Digits4(int value) {
  std::string digits = std::to_string(value);
  return std::string(4 - digits.size(), '0') + digits;
}

// The "NAME=@left,top,right,bottom,3,0" lines of the caption masks of section.
std::string CaptionMaskLines(std::string_view section) {
  std::string lines;
  for (const TMaskPlace& mask : CaptionMasks)
    if (section == mask.Section)
      lines += std::string(mask.Name) + "=@" + Digits4(mask.Left) + "," + Digits4(mask.Top) + "," +
               Digits4(mask.Left + 3 * mask.Size) + "," + Digits4(mask.Top + mask.Size) + ",3,0\n";
  return lines;
}

// The options with the caption masks written into their sections.
std::string OptionsText() {
  std::string text = Options;
  for (const std::string section : {"GLOBALINFO", "FORM"}) {
    const std::string marker = "$" + section + "$";
    text.replace(text.find(marker), marker.size(), CaptionMaskLines(section));
  }
  return text;
}

class TPainter {
public:
  explicit TPainter(TBitmap& bitmap) : bitmap_(bitmap) {}
  void Fill(const TRect& r, TColor color) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) bitmap_.Handle()->SetPixel(x, y, color);
  }
  void Pixel(int x, int y, TColor color) { bitmap_.Handle()->SetPixel(x, y, color); }
  // A frame: a ring of width 2 in ring, filled with fill.
  void Frame(const TRect& r, TColor ring, TColor fill) {
    Fill(r, ring);
    Fill(Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2), fill);
  }

private:
  TBitmap& bitmap_;
};

// Three frames of size x size from (left, top), each its own ring colour.
void DrawFrames(TPainter& paint, int left, int top, int size, const TColor (&rings)[3] = FrameColors) {
  for (int f = 0; f < 3; ++f) paint.Frame(Bounds(left + f * size, top, size, size), rings[f], PanelColor);
}

// Alpha rows below frames: 0 (picture) on the ring, 255 (background) inside.
void DrawAlphaRows(TPainter& paint, int left, int top, int width, int size) {
  for (int x = left; x < left + width; x += size) paint.Frame(Bounds(x, top, size, size), 0, 0x00FFFFFF);
}

// A small arrow pointing up, down, left or right in each of 3 frames of 8 x 8.
void DrawArrow(TPainter& paint, int left, int top, int direction) {
  for (int f = 0; f < 3; ++f)
    for (int i = 0; i < 4; ++i)
      for (int j = -i; j <= i; ++j) {
        const int along = direction % 2 == 0 ? 2 + i : 5 - i;  // up and left widen downwards / rightwards
        const int x = direction < 2 ? 4 + j : along, y = direction < 2 ? along : 4 + j;
        if (x >= 0 && x < 8 && y >= 0 && y < 8) paint.Pixel(left + f * 8 + x, top + y, FrameColors[f]);
      }
}

void WriteMaster(const std::string& file) {
  TBitmap master(MasterWidth, MasterHeight, pf24bit);
  TPainter paint(master);
  paint.Fill(Rect(0, 0, MasterWidth, MasterHeight), Magenta);
  DrawFrames(paint, PanelBorder.Left, PanelBorder.Top, 16);
  for (int f = 0; f < 3; ++f) {  // the corner row: key, key, picture, key
    paint.Pixel(f * 16, 0, Magenta);
    paint.Pixel(f * 16 + 1, 0, Magenta);
    paint.Pixel(f * 16 + 3, 0, Magenta);
  }
  DrawFrames(paint, ButtonBorder.Left, ButtonBorder.Top, 16);
  DrawFrames(paint, ToolButtonBorder.Left, ToolButtonBorder.Top, 16);
  DrawAlphaRows(paint, ToolButtonBorder.Left, ToolButtonBorder.Top + 16, 48, 16);
  DrawFrames(paint, ScrollButtonBorder.Left, ScrollButtonBorder.Top, 16);
  DrawFrames(paint, BarBorder.Left, BarBorder.Top, 16);
  DrawFrames(paint, SliderBorder.Left, SliderBorder.Top, 16, SliderColors);
  DrawFrames(paint, TrackAfterBorder.Left, TrackAfterBorder.Top, 16, TrackAfterColors);
  for (int g = 0; g < CheckGlyphCount; ++g)
    for (int f = 0; f < 3; ++f) {
      const TRect& row = g < 3 ? BoxGlyphs : RadioGlyphs;
      paint.Frame(Bounds(row.Left + (g % 3) * 24 + f * 8, row.Top, 8, 8), CheckGlyphRings[g][f], CheckGlyphInsides[g % 3]);
    }
  for (int g = 0; g < 3; ++g) paint.Frame(Bounds(g * 8, SmallGlyphs.Top, 8, 8), 0x00404040, 0x00C0C0C0);
  for (int i = 0; i < 3; ++i) paint.Fill(Bounds(Grip.Left + 2 * i + 1, Grip.Top + 6 - 2 * i, 2, 2), 0x00606060);
  paint.Fill(Tile, TileColor);
  paint.Fill(Bounds(Tile.Left + 4, Tile.Top + 4, 8, 8), 0x0020C080);
  paint.Fill(Bounds(AlphaTile.Left, AlphaTile.Top, 16, 16), TileColor);
  paint.Fill(Bounds(AlphaTile.Left, AlphaTile.Top + 16, 16, 16), 0x00808080);
  for (int a = 0; a < 4; ++a) DrawArrow(paint, Arrows.Left + a * 24, Arrows.Top, a);
  for (int m = 0; m < CaptionMaskCount; ++m)
    for (int f = 0; f < 3; ++f) {
      const TMaskPlace& mask = CaptionMasks[m];
      paint.Frame(Bounds(mask.Left + f * mask.Size, mask.Top, mask.Size, mask.Size), MaskRing(m, f), CaptionMaskInside);
    }
  master.SaveToFile(file);
}

// A button picture: three frames of 30 x 21 above their alpha rows.
void WriteButton(const std::string& file) {
  TBitmap button(ButtonImageWidth, ButtonImageHeight, pf24bit);
  TPainter paint(button);
  for (int f = 0; f < 3; ++f) paint.Frame(Bounds(f * 30, 0, 30, 21), FrameColors[f], 0x00E0E0E0);
  for (int f = 0; f < 3; ++f) paint.Frame(Bounds(f * 30, 21, 30, 21), 0, 0x00404040);
  button.SaveToFile(file);
}

// A whole-file border: three frames of 16 x 16 above their alpha rows.
void WriteEditBorder(const std::string& file) {
  TBitmap edit(48, 32, pf24bit);
  TPainter paint(edit);
  DrawFrames(paint, 0, 0, 16);
  DrawAlphaRows(paint, 0, 16, 48, 16);
  edit.SaveToFile(file);
}

std::string Int32Bytes(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return {char(bits), char(bits >> 8), char(bits >> 16), char(bits >> 24)};
}

std::string Deflated(const std::string& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string packed(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
                static_cast<uLong>(data.size()), Z_BEST_COMPRESSION) != Z_OK)
    throw std::runtime_error("compress2 failed");
  packed.resize(size);
  return packed;
}

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

std::string PackMember(const TPackedMember& member) {
  return Int32Bytes(static_cast<std::int32_t>(member.Name.size())) + member.Name +
         Int32Bytes(static_cast<std::int32_t>(member.Data.size())) + Deflated(member.Data);
}

std::string PackSkin(const std::vector<TPackedMember>& members) {
  std::string packed = "ASzf" + Int32Bytes(static_cast<std::int32_t>(members.size()));
  for (const TPackedMember& member : members) packed += PackMember(member);
  return packed;
}

std::vector<TPackedMember> TestSkinMembers() {
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("quantrel-packed-" + std::to_string(::getpid()));
  const std::filesystem::path folder = WriteTestSkin(scratch.string());
  std::vector<TPackedMember> members;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    members.push_back({entry.path().filename().string(), FileBytes(entry.path())});
  std::filesystem::remove_all(scratch);
  std::sort(members.begin(), members.end(),
            [](const TPackedMember& a, const TPackedMember& b) { return a.Name < b.Name; });
  return members;
}

std::string WritePackedTestSkin(const std::string& parent) {
  const std::string file = (std::filesystem::path(parent) / "TestSkin.skz").string();
  std::ofstream(file, std::ios::binary) << PackSkin(TestSkinMembers());
  return file;
}

TTestSkinFolder::TTestSkinFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quantrel-test-skin-XXXXXX").string();
  if (mkdtemp(pattern.data())) path_ = pattern;
  if (!path_.empty()) WriteTestSkin(path_);
}

TTestSkinFolder::~TTestSkinFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string TestSkinOptions() { return OptionsText(); }

std::string WriteTestSkin(const std::string& parent) {
  const std::filesystem::path folder = std::filesystem::path(parent) / "TestSkin";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "Options.dat", std::ios::binary) << OptionsText();
  WriteMaster((folder / "master.bmp").string());
  WriteButton((folder / "btn.bmp").string());
  WriteEditBorder((folder / "edit.bmp").string());
  WriteFlatJpeg((folder / "tile16.jpg").string(), 16, 16, JpegColor);
  WriteFlatJpeg((folder / "wide.jpg").string(), 299, 300, JpegColor);
  WriteFlatJpeg((folder / "back.jpg").string(), 300, 300, JpegColor);
  return folder.string();
}
