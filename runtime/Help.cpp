#include "runtime/Help.h"

#include <algorithm>
#include <fstream>

#include "runtime/AsciiCase.h"
#include "runtime/Storage.h"

namespace {

IHelpViewer* Viewer = nullptr;
IDocumentOpener* Opener = nullptr;

struct TTabLine {
  std::string Key;
  std::string Value;
};

// Lines of "key<TAB>value"; lines without a TAB are skipped, a CR before the
// line end is dropped.
std::vector<TTabLine> ReadTabLines(const std::string& fileName) {
  std::vector<TTabLine> lines;
  std::ifstream file(fileName);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t tab = line.find('\t');
    if (tab != std::string::npos) lines.push_back({line.substr(0, tab), line.substr(tab + 1)});
  }
  return lines;
}

std::string KeywordFile() { return HelpFolder() + "keywords.txt"; }

}  // namespace

void SetHelpViewer(IHelpViewer* viewer) { Viewer = viewer; }

std::string HelpFolder() { return GetAppFolder() + GetAppTitle() + ".help/"; }

std::string HelpDefaultPage() { return HelpFolder() + "index.htm"; }

std::vector<THelpKeyword> ReadHelpKeywords() {
  std::vector<THelpKeyword> keywords;
  for (TTabLine& line : ReadTabLines(KeywordFile())) keywords.push_back({std::move(line.Key), std::move(line.Value)});
  std::stable_sort(keywords.begin(), keywords.end(), [](const THelpKeyword& a, const THelpKeyword& b) {
    return CompareAsciiText(a.Keyword, b.Keyword) < 0;
  });
  return keywords;
}

void ShowHelp(const std::string& topic) {
  if (Viewer) Viewer->ShowPage(topic.empty() ? HelpDefaultPage() : HelpFolder() + topic);
}

// The nearest entry is the first that sorts at or after the keyword, or the
// last of all. Without a keyword file the viewer says the file is missing.
void ShowHelpKeyword(const std::string& keyword) {
  if (!Viewer || keyword.empty()) return;
  const std::vector<THelpKeyword> keywords = ReadHelpKeywords();
  if (keywords.empty()) return Viewer->ShowPage(KeywordFile());
  const auto nearest = std::lower_bound(keywords.begin(), keywords.end(), keyword,
                                        [](const THelpKeyword& entry, const std::string& wanted) {
                                          return CompareAsciiText(entry.Keyword, wanted) < 0;
                                        });
  if (nearest != keywords.end() && SameAsciiText(nearest->Keyword, keyword))
    return Viewer->ShowPage(HelpFolder() + nearest->Page);
  const size_t index = static_cast<size_t>(nearest - keywords.begin());
  Viewer->ShowIndex(keywords, std::min(index, keywords.size() - 1));
}

void ShowHelpContext(int context) {
  for (const TTabLine& line : ReadTabLines(HelpFolder() + "contexts.txt"))
    if (line.Key == std::to_string(context)) return ShowHelp(line.Value);
  ShowHelp("");
}

void SetDocumentOpener(IDocumentOpener* opener) { Opener = opener; }

bool OpenDocument(const std::string& document) { return Opener && Opener->Open(document); }
