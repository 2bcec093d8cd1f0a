#include "skin/GeneralRoutines.h"

#include <filesystem>
#include <system_error>

#include "runtime/NumberText.h"
#include "runtime/PublishedProperties.h"
#include "runtime/Storage.h"
#include "runtime/StringList.h"
#include "skin/SkinCommonData.h"
#include "toolkit/gdi/Icon.h"
#include "toolkit/win/FileIcons.h"
#include "toolkit/win/SysMetrics.h"

void SplitIniSections(const TStrings& lines, TStringList& sections) {
  sections.Clear();
  sections.OwnsObjects = true;
  TStringList* current = nullptr;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string line = lines.Strings(i);
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = new TStringList;
      sections.AddObject(line.substr(1, line.size() - 2), current);
    } else if (current) {
      current->Add(line);
    }
  }
}

std::string IniString(const TStringList& sections, const std::string& section, const std::string& defaultValue,
                      const std::string& ident) {
  const int sectionIndex = sections.IndexOf(section);
  if (sectionIndex < 0) return defaultValue;
  const auto* lines = dynamic_cast<const TStringList*>(sections.Objects(sectionIndex));
  const int line = lines ? lines->IndexOfName(ident) : -1;
  if (line < 0) return defaultValue;
  return lines->At(line).substr(ident.size() + 1);
}

int IniInteger(const TStringList& sections, const std::string& section, int defaultValue, const std::string& ident) {
  std::string text = IniString(sections, section, "", ident);
  if (text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X"))) text.replace(0, 2, "$");
  return StrToIntDef(text, defaultValue);
}

namespace {

bool IsDelim(char c, std::string_view delims) { return delims.find(c) != std::string_view::npos; }

// Where word n (from 1) starts, or npos.
size_t WordStart(int n, std::string_view text, std::string_view delims) {
  int count = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (!IsDelim(text[i], delims) && (i == 0 || IsDelim(text[i - 1], delims)) && ++count == n) return i;
  return std::string_view::npos;
}

}  // namespace

int WordCount(std::string_view text, std::string_view delims) {
  int count = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (!IsDelim(text[i], delims) && (i == 0 || IsDelim(text[i - 1], delims))) ++count;
  return count;
}

int NthWordStart(int n, std::string_view text, std::string_view delims) {
  const size_t start = WordStart(n, text, delims);
  return start == std::string_view::npos ? 0 : static_cast<int>(start) + 1;
}

std::string ExtractNthWord(int n, std::string_view text, std::string_view delims) {
  const size_t start = WordStart(n, text, delims);
  if (start == std::string_view::npos) return "";
  size_t end = start;
  while (end < text.size() && !IsDelim(text[end], delims)) ++end;
  return std::string(text.substr(start, end - start));
}

std::string RemoveChar(std::string_view text, char ch) {
  std::string result;
  for (char c : text)
    if (c != ch) result += c;
  return result;
}

std::string ReplaceAllText(std::string_view text, std::string_view find, std::string_view replace) {
  if (find.empty()) return std::string(text);
  std::string result;
  size_t from = 0;
  for (size_t found; (found = text.find(find, from)) != std::string_view::npos; from = found + find.size()) {
    result += text.substr(from, found - from);
    result += replace;
  }
  result += text.substr(from);
  return result;
}

std::string WithTrailingBackslash(const std::string& path) {
  if (path.empty() || path.back() == '\\') return path;
  if (path.back() == '/') return path.substr(0, path.size() - 1) + '\\';
  return path + (path.size() == 1 ? ":\\" : "\\");
}

std::string ProgramFolder() { return GetAppFolder(); }

int RectWidth(const TRect& r, bool clampNegative) { return clampNegative && r.Width() < 0 ? 0 : r.Width(); }

int RectHeight(const TRect& r, bool clampNegative) { return clampNegative && r.Height() < 0 ? 0 : r.Height(); }

bool RectsOverlap(const TRect& outer, const TRect& r) {
  if (outer.Top >= r.Bottom || outer.Left >= r.Right || r.Left >= outer.Right || r.Top >= outer.Bottom) return false;
  return !IsRectEmpty(r);
}

int ClampByte(int value) { return value < 0 ? 0 : value > 255 ? 255 : value; }

TBackdropRef MakeBackdropRef(TBitmap* bmp, int x, int y) { return {bmp, x, y, clSkinKey, true}; }

int CaptionFontHeight() {
  NONCLIENTMETRICS metrics;
  if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return 0;
  return metrics.lfCaptionFont.lfHeight;
}

bool HasProperty(TObject* object, const std::string& name) { return object && IsPublishedProp(*object, name); }

TObject* ObjectProperty(TObject* object, const std::string& name) {
  return object ? GetObjectProp(*object, name) : nullptr;
}

std::int64_t OrdPropertyValue(TObject* object, const std::string& name) {
  return object ? GetOrdProp(*object, name) : -1;
}

void SetOrdPropertyValue(TObject* object, const std::string& name, std::int64_t value) {
  if (object) SetOrdProp(*object, name, value);
}

bool SetPropertyContains(TObject* object, const std::string& propName, const std::string& elementName) {
  const TPublishedProperty* property = object ? FindPublishedProperty(*object, propName) : nullptr;
  if (!property || property->Kind != TPropertyKind::Set) return false;
  const std::int64_t bits = property->GetOrdinal(*object);
  const auto& names = property->SetElements;
  for (size_t bit = 0; bit < 32 && bit < names.size(); ++bit)
    if ((bits >> bit & 1) && names[bit] == elementName) return true;
  return false;
}

bool ChangeSetProperty(TObject* object, const std::string& propName, const std::string& elementName, bool add) {
  if (!object) return false;
  std::string text = GetSetProp(*object, propName);
  if (add) {
    if (text.find(elementName) != std::string::npos) return false;
    SetSetProp(*object, propName, text + "," + elementName);
    return false;
  }
  for (const std::string& piece : {"," + elementName, elementName + ",", elementName}) {
    const size_t found = text.find(piece);
    if (found == std::string::npos) continue;
    text.erase(found, piece.size());
    SetSetProp(*object, propName, text);
    break;
  }
  return false;
}

struct TSearchRec::TWalk {
  std::filesystem::directory_iterator Entry;
};

TSearchRec::TSearchRec() = default;
TSearchRec::~TSearchRec() = default;

namespace {

// Fills the record from the walk's entry; false (and the walk closed) at the end.
bool TakeEntry(TSearchRec& search) {
  if (!search.Walk || search.Walk->Entry == std::filesystem::directory_iterator()) {
    CloseFind(search);
    return false;
  }
  std::error_code error;
  search.Name = search.Walk->Entry->path().filename().string();
  search.IsFolder = search.Walk->Entry->is_directory(error);
  return true;
}

}  // namespace

bool FindFirstFile(const std::string& folder, TSearchRec& search) {
  std::error_code error;
  search.Walk = std::make_unique<TSearchRec::TWalk>();
  search.Walk->Entry = std::filesystem::directory_iterator(folder, error);
  if (error) search.Walk->Entry = {};
  return TakeEntry(search);
}

bool FindNextFile(TSearchRec& search) {
  if (!search.Walk) return false;
  std::error_code error;
  search.Walk->Entry.increment(error);
  if (error) search.Walk->Entry = {};
  return TakeEntry(search);
}

void CloseFind(TSearchRec& search) { search.Walk.reset(); }

std::unique_ptr<TIcon> FileIcon(const std::string& fileName, unsigned flags) {
  std::error_code error;
  if (!std::filesystem::exists(fileName, error)) return nullptr;
  SHFILEINFO info;
  if (!SHGetFileInfo(fileName, 0, info, flags | SHGFI_ICON)) return nullptr;
  auto icon = std::make_unique<TIcon>(info.hIcon);
  if (icon->Empty()) return nullptr;
  return icon;
}
