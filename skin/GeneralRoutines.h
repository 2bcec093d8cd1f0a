#pragma once
// Small routines the whole skin layer uses: values out of a skin's options
// text, words and strings, rectangles and numbers, published properties by
// name, a folder's entries and a file's desktop icon.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "toolkit/base/Rect.h"

class TBitmap;
class TIcon;
class TObject;
class TStringList;
class TStrings;
struct TBackdropRef;

// Options text. Sections holds one line per section name with the list of
// that section's "name=value" lines as its object (owned by Sections).
// Empty lines and lines starting with ";" are dropped, and so are lines
// before the first "[name]".
void SplitIniSections(const TStrings& lines, TStringList& sections);
// Everything after "ident=" in the section's line named ident, or
// defaultValue when the section or the line is missing.
std::string IniString(const TStringList& sections, const std::string& section, const std::string& defaultValue,
                      const std::string& ident);
// The value as StrToInt reads it, "0x" standing for "$"; defaultValue when
// missing or not a number.
int IniInteger(const TStringList& sections, const std::string& section, int defaultValue, const std::string& ident);

// Words are the longest runs of characters not in delims.
int WordCount(std::string_view text, std::string_view delims);
// The 1-based position of the first character of word n (from 1); 0 when
// there are fewer words.
int NthWordStart(int n, std::string_view text, std::string_view delims);
// Empty when there is no word n.
std::string ExtractNthWord(int n, std::string_view text, std::string_view delims);
std::string RemoveChar(std::string_view text, char ch);
// Every occurrence of find, left to right; the search goes on after each
// replacement, so a replacement is never searched again.
std::string ReplaceAllText(std::string_view text, std::string_view find, std::string_view replace);
// "" stays ""; a final "\" stays, a final "/" becomes "\"; a drive letter
// gets ":\", anything else "\".
std::string WithTrailingBackslash(const std::string& path);
// The program file's folder, with its trailing separator.
std::string ProgramFolder();

// Right - Left and Bottom - Top; 0 for a negative value when clampNegative.
int RectWidth(const TRect& r, bool clampNegative);
int RectHeight(const TRect& r, bool clampNegative);
// False for an empty r.
bool RectsOverlap(const TRect& outer, const TRect& r);
int ClampByte(int value);
inline int IntMax(int a, int b) { return a > b ? a : b; }
inline int IntMin(int a, int b) { return a < b ? a : b; }
inline bool Between(int value, int low, int high) { return low <= value && value <= high; }
inline int ChooseInt(bool flag, int a, int b) { return flag ? a : b; }
inline std::string ChooseStr(bool flag, const std::string& a, const std::string& b) { return flag ? a : b; }
// A ready backdrop: bmp at (x, y).
TBackdropRef MakeBackdropRef(TBitmap* bmp, int x, int y);
// The height of the caption font of the non-client metrics; 0 when unknown.
int CaptionFontHeight();

// Published properties by name; a null object has none.
bool HasProperty(TObject* object, const std::string& name);
// Null when there is no such object property.
TObject* ObjectProperty(TObject* object, const std::string& name);
// -1 when there is no such ordinal property; setting one that is missing does nothing.
std::int64_t OrdPropertyValue(TObject* object, const std::string& name);
void SetOrdPropertyValue(TObject* object, const std::string& name, std::int64_t value);
// Whether the set property holds the element of that name (compared exactly).
bool SetPropertyContains(TObject* object, const std::string& propName, const std::string& elementName);
// Adds the element to the set property or removes it, editing the set's
// text ("a,b"). Answers False.
bool ChangeSetProperty(TObject* object, const std::string& propName, const std::string& elementName, bool add);

// One entry of a folder walk.
struct TSearchRec {
  TSearchRec();
  ~TSearchRec();
  std::string Name;  // without the folder
  bool IsFolder = false;
  struct TWalk;
  std::unique_ptr<TWalk> Walk;
};
// The first entry of the folder; false when it has none or cannot be read.
bool FindFirstFile(const std::string& folder, TSearchRec& search);
// The next entry; false at the end.
bool FindNextFile(TSearchRec& search);
void CloseFind(TSearchRec& search);

// The desktop's icon of the file (flags 0: large, SHGFI_SMALLICON: small);
// null when the file does not exist or has no icon.
std::unique_ptr<TIcon> FileIcon(const std::string& fileName, unsigned flags);
