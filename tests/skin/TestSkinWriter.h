#pragma once
// The test skin: a skin folder drawn entirely by code, for the skin tests,
// the fuzz seeds, the benchmarks and the skin demo. Its files are written
// in lower case ("Options.dat" aside), while the options name some of them
// in upper case, as skins made on a file system that ignores case do.
//
// "Options.dat": GLOBALINFO (version 6.05, "MASTERBITMAP=master.bmp", the
// nine check-box glyphs, GRIPIMAGE, no BORDERCOLOR) and sections for the
// controls the painters look up, with every entry form, inheritance,
// values written "?" and -1, hexadecimal numbers, switches, gradients, a
// section naming itself as parent and two naming each other.
// "master.bmp" (24-bit, 128 x 224): the mask pictures laid out below,
// with the caption glyphs, the title bar and the form's corner images
// (CaptionMasks) in its lower part.
// "btn.bmp" (90 x 42): a button's three frames with their alpha rows.
// "edit.bmp" (48 x 32): a whole-file border of three frames.
// JPEGs of flat colour: "tile16.jpg" (16 x 16), "wide.jpg" (299 x 300,
// a texture) and "back.jpg" (300 x 300, a pattern).

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"

namespace TestSkin {

constexpr int MasterWidth = 128;
constexpr int MasterHeight = 224;

// Rectangles of master.bmp.
constexpr TRect PanelBorder{0, 0, 48, 16};        // 3 frames of 16 x 16; corner row: key, key, picture, key
constexpr TRect ToolButtonBorder{0, 16, 48, 48};  // 3 frames of 16 x 16 over their alpha rows
constexpr TRect ButtonBorder{48, 0, 96, 16};      // 3 frames, widths left to the reader
constexpr TRect ScrollButtonBorder{48, 16, 96, 32};
constexpr TRect BarBorder{0, 64, 48, 80};         // the track before a scroll bar's thumb
constexpr TRect SliderBorder{48, 32, 96, 48};     // a scroll bar's thumb, rings of SliderColors
constexpr TRect TrackAfterBorder{48, 64, 96, 80}; // the track after the thumb, rings of TrackAfterColors
constexpr TRect Tile{96, 48, 112, 64};            // a texture of 16 x 16
constexpr TRect AlphaTile{96, 64, 112, 96};       // a texture of 16 x 16 over its alpha rows
constexpr TRect BoxGlyphs{0, 48, 72, 56};         // BOXCHECKED, BOXUNCHECKED, BOXGRAYED: 3 frames of 8 x 8 each
constexpr TRect RadioGlyphs{0, 88, 72, 96};       // RADIOCHECKED, RADIOUNCHECKED, RADIOGRAYED likewise
constexpr TRect SmallGlyphs{0, 56, 24, 64};       // 3 glyphs of 8 x 8
constexpr TRect Grip{24, 56, 32, 64};
constexpr TRect Arrows{0, 80, 96, 88};            // up, down, left, right: 3 frames of 8 x 8 each

constexpr TColor Magenta = 0xFF00FF;
constexpr TColor PanelColor = 0x00D8C8B8;
constexpr TColor FrameColors[3] = {0x00804020, 0x00C06030, 0x00402010};  // the border frames' rings
// The rings of the scroll bar's thumb and of its track after the thumb, so
// that every element of a bar and every state of it shows its own colour.
constexpr TColor SliderColors[3] = {0x00208040, 0x0030C060, 0x00104020};
constexpr TColor TrackAfterColors[3] = {0x00802080, 0x00C030C0, 0x00401040};
// The check glyphs' rings, in the order of BoxGlyphs then RadioGlyphs, by
// frame: every glyph and every frame its own colour, so that a pixel tells
// which mask and which frame a check box shows.
constexpr int CheckGlyphCount = 6;
constexpr TColor CheckGlyphRings[CheckGlyphCount][3] = {
    {0x00A02020, 0x00E04040, 0x00601010}, {0x0020A020, 0x0040E040, 0x00106010},
    {0x002020A0, 0x004040E0, 0x00101060}, {0x00A0A020, 0x00E0E040, 0x00606010},
    {0x00A020A0, 0x00E040E0, 0x00601060}, {0x0020A0A0, 0x0040E0E0, 0x00106060}};
// Inside the ring: checked dark, unchecked white, grayed grey.
constexpr TColor CheckGlyphInsides[3] = {0x00202020, 0x00FFFFFF, 0x00A0A0A0};
constexpr TColor TileColor = 0x0030A060;
constexpr TColor JpegColor = 0x00406080;  // all three JPEGs

// The masks the form painters draw the caption and the frame's corners
// from: each of three frames of Size x Size, side by side from Left, Top.
// Every mask and every frame has a ring colour of its own (MaskRing), so
// that a pixel tells which glyph, bar or corner was drawn and in which state.
struct TMaskPlace {
  const char* Section;
  const char* Name;
  int Left, Top, Size;
};
constexpr TMaskPlace CaptionMasks[] = {
    {"GLOBALINFO", "BICONCLOSE", 0, 96, 21},   {"GLOBALINFO", "BICONMAX", 63, 96, 21},
    {"GLOBALINFO", "BICONMIN", 0, 117, 21},    {"GLOBALINFO", "BICONHELP", 63, 117, 21},
    {"GLOBALINFO", "BICONNORM", 0, 138, 21},   {"GLOBALINFO", "TITLEBUTTON", 63, 138, 21},
    {"GLOBALINFO", "SICONCLOSE", 0, 159, 16},  {"GLOBALINFO", "SICONMAX", 48, 159, 16},
    {"GLOBALINFO", "SICONMIN", 0, 175, 16},    {"GLOBALINFO", "SICONHELP", 48, 175, 16},
    {"GLOBALINFO", "SICONNORM", 0, 191, 16},   {"FORM", "TITLEBAR", 48, 191, 24},
    {"FORM", "IMGTOPLEFT", 0, 215, 8},         {"FORM", "IMGTOPRIGHT", 24, 215, 8},
    {"FORM", "IMGBTMLEFT", 48, 215, 8},        {"FORM", "IMGBTMRIGHT", 72, 215, 8}};
constexpr int CaptionMaskCount = sizeof(CaptionMasks) / sizeof(CaptionMasks[0]);
// The ring of frame f (0 to 2) of CaptionMasks[mask]; inside it, CaptionMaskInside.
constexpr TColor MaskRing(int mask, int frame) {
  return static_cast<TColor>(0x00200000 + 0x50 * frame * 0x100 + (0x30 + 0x0C * mask) + 0x00040000 * mask);
}
constexpr TColor CaptionMaskInside = 0x00F0F8FF;
// The index of a mask in CaptionMasks by name, -1 when none.
constexpr int CaptionMaskIndex(std::string_view name) {
  for (int i = 0; i < CaptionMaskCount; ++i)
    if (name == CaptionMasks[i].Name) return i;
  return -1;
}

// btn.bmp's size.
constexpr int ButtonImageWidth = 90;
constexpr int ButtonImageHeight = 42;

}  // namespace TestSkin

// Writes the folder "TestSkin" into parent (which must exist) and answers
// its path, without a trailing "/".
std::string WriteTestSkin(const std::string& parent);
// The test skin written into a temporary folder of its own (Path, empty
// when none could be made), removed with the object.
class TTestSkinFolder {
public:
  TTestSkinFolder();
  ~TTestSkinFolder();
  TTestSkinFolder(const TTestSkinFolder&) = delete;
  TTestSkinFolder& operator=(const TTestSkinFolder&) = delete;
  const std::string& Path() const { return path_; }

private:
  std::string path_;
};

// The options text of the test skin.
std::string TestSkinOptions();

// A member of a packed skin: its name as stored and its unpacked bytes.
struct TPackedMember {
  std::string Name;
  std::string Data;
};
// The bytes of a packed skin holding the members in order, each deflated
// by zlib's compress2.
std::string PackSkin(const std::vector<TPackedMember>& members);
// One member as PackSkin writes it: NameLength, name, UnpackedSize, zlib stream.
std::string PackMember(const TPackedMember& member);
// The test skin's files, "Options.dat" first, then the pictures by name.
std::vector<TPackedMember> TestSkinMembers();
// Writes the test skin packed as "TestSkin.skz" into parent (which must
// exist) and answers the file's path.
std::string WritePackedTestSkin(const std::string& parent);
