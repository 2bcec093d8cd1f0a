// "HTML Format": the clipboard header comes off for the desktop's
// text/html and goes on again when read back, also through the clipboard.

#include "toolkit/win/HtmlFormat.h"

#include <gtest/gtest.h>

#include "toolkit/controls/Clipboard.h"

namespace {

const std::string Document =
    "<html><body><!--StartFragment--><b>x</b><!--EndFragment--></body></html>";

TEST(HtmlFormatTest, TheHeaderComesOffAndGoesOnAgain) {
  const std::string clipboard = ClipboardHtmlOf(Document);
  EXPECT_EQ(clipboard.substr(0, 97),
            "Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000169\r\nStartFragment:00000129\r\nEndFragment:"
            "00000137\r\n");
  EXPECT_EQ(clipboard.substr(129, 8), "<b>x</b>");
  EXPECT_EQ(HtmlDocumentOf(clipboard), Document);
  EXPECT_EQ(HtmlDocumentOf(clipboard + std::string(1, '\0')), Document);
  // Without the header the text is the document; without markers the fragment is all of it.
  EXPECT_EQ(HtmlDocumentOf(Document), Document);
  EXPECT_NE(ClipboardHtmlOf("<p>y</p>").find("StartFragment:00000097\r\nEndFragment:00000105"), std::string::npos);
  // Offsets out of range do not cut outside the text.
  EXPECT_EQ(HtmlDocumentOf("Version:1.0\r\nStartHTML:99999999\r\n"), "Version:1.0\r\nStartHTML:99999999\r\n");
}

TEST(HtmlFormatTest, TheDesktopClipboardGivesBackTheHeader) {
  const UINT format = RegisterClipboardFormat("HTML Format");
  ASSERT_TRUE(Clipboard().Open());
  Clipboard().Clear();
  const std::string clipboard = ClipboardHtmlOf(Document);
  Clipboard().SetData(format, {clipboard.begin(), clipboard.end()});
  Clipboard().Close();
  const std::vector<uint8_t> back = Clipboard().Data(format);
  EXPECT_EQ(std::string(back.begin(), back.end()), clipboard);
}

}  // namespace
