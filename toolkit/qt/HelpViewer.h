#pragma once
// The help viewer: one top-level window of its own, owned by no window of
// the program, with a text browser and Back, Forward, Home and Index. The
// caption is the page's title; relative links and anchors stay in the
// viewer, outside links (web, mail) go to the desktop. A missing page shows
// a page that names the file.
//
// The operations below are also what its buttons and links do, for tests
// and tools.

#include <memory>
#include <string>

#include "runtime/Help.h"

class THelpViewer final : public IHelpViewer {
public:
  THelpViewer();
  ~THelpViewer() override;

  void ShowPage(const std::string& address) override;
  void ShowIndex(const std::vector<THelpKeyword>& keywords, std::size_t nearest) override;

  bool Visible() const;
  std::string Caption() const;
  // The page shown: a file name with its anchor, or an address of the viewer's own pages.
  std::string Address() const;
  std::string PlainText() const;

  // As a click on a link of the page shown with this target.
  void FollowLink(const std::string& target);
  void Back();
  void Forward();
  void Home();
  void Index();
  void Close();
  // Saves a picture of the window; false when that fails.
  bool SaveImage(const std::string& fileName) const;

private:
  class TWindow;
  TWindow& Window();

  std::unique_ptr<TWindow> window_;
};

// The program's one viewer, made at the first use.
THelpViewer& HelpViewer();
// Hands documents and web addresses to the desktop's default programs.
IDocumentOpener& QtDocumentOpener();
