#pragma once
// The program's help: HTML pages in the folder named after the application
// title with ".help", beside the program. It holds the default page
// "index.htm", the topic pages the windows name, "keywords.txt" (per line a
// keyword, a TAB and its page) and "contexts.txt" (per line a help context
// number, a TAB and its page).
//
// The pages are shown by a viewer that the program binds at start-up; with
// none bound, asking for help does nothing.

#include <cstddef>
#include <string>
#include <vector>

struct THelpKeyword {
  std::string Keyword;
  std::string Page;
};

class IHelpViewer {
public:
  virtual ~IHelpViewer() = default;
  // Address: a page file name, possibly with "#anchor". The viewer says so
  // when the file does not exist.
  virtual void ShowPage(const std::string& address) = 0;
  // Keywords: the help's keyword list, sorted; nearest: the entry to show first.
  virtual void ShowIndex(const std::vector<THelpKeyword>& keywords, std::size_t nearest) = 0;
};

// Binds the viewer (the caller keeps ownership); nullptr: none.
void SetHelpViewer(IHelpViewer* viewer);

// GetAppFolder() + GetAppTitle() + ".help/".
std::string HelpFolder();
std::string HelpDefaultPage();
// The keyword list sorted ignoring case; empty when the file is missing.
std::vector<THelpKeyword> ReadHelpKeywords();

// An empty topic opens the default page.
void ShowHelp(const std::string& topic);
// An empty keyword does nothing; a keyword in the list (compared ignoring
// case) opens its page, any other the keyword index at the nearest entry.
void ShowHelpKeyword(const std::string& keyword);
// The page the context list gives the number; the default page for a number
// not listed.
void ShowHelpContext(int context);

// Opens a document with the desktop's default program for its type (a
// library's help file, a web address); replaceable for tests.
class IDocumentOpener {
public:
  virtual ~IDocumentOpener() = default;
  virtual bool Open(const std::string& document) = 0;
};

void SetDocumentOpener(IDocumentOpener* opener);
// False when nothing is installed or the desktop cannot open it.
bool OpenDocument(const std::string& document);
