#pragma once
// Help pages, and documents given to the desktop, recorded instead of shown.

#include <string>
#include <vector>

#include "runtime/Help.h"

class TRecordedViewer : public IHelpViewer {
public:
  void ShowPage(const std::string& address) override { Pages.push_back(address); }
  void ShowIndex(const std::vector<THelpKeyword>& keywords, std::size_t nearest) override {
    Pages.push_back("index:" + (nearest < keywords.size() ? keywords[nearest].Keyword : std::string()));
  }
  std::vector<std::string> Pages;
};

class TRecordedOpener : public IDocumentOpener {
public:
  bool Open(const std::string& document) override {
    Opened.push_back(document);
    return true;
  }
  std::vector<std::string> Opened;
};
