// The text tree's exports: separated text in both widths with its quoting,
// the HTML table with indentation cells and escaped texts, the RTF table,
// the clipboard's HTML header and the rendered clipboard blocks.

#include <map>

#include <gtest/gtest.h>

#include "runtime/Utf16.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Clipboard.h"
#include "treeview/DataStringTree.h"

namespace {

// A text tree whose cell texts are "node column" entries of a table.
class ExportTest : public testing::Test {
protected:
  ExportTest() : tree(nullptr) {
    tree.OnGetText = [this](TBaseDataTree*, PDataNode node, TColumnIndex column, TDSTTextType, std::string& text) {
      const auto found = texts.find({node, column});
      text = found == texts.end() ? "?" : found->second;
    };
  }

  PDataNode Add(PDataNode parent, const std::string& text, const std::string& second = "") {
    const PDataNode node = tree.AppendChildNode(parent);
    texts[{node, ColumnNone}] = text;
    texts[{node, 0}] = text;
    texts[{node, 1}] = second;
    return node;
  }

  void AddColumns(int count) {
    for (int i = 0; i < count; ++i) {
      TDataTreeColumn& column = tree.Header().Columns().AddColumn();
      column.SetText("C" + std::to_string(i));
    }
  }

  TDataStringTree tree;
  std::map<std::pair<PDataNode, TColumnIndex>, std::string> texts;
};

TEST_F(ExportTest, TextWithoutColumnsIndentsChildLinesWithSeparators) {
  const PDataNode parent = Add(nullptr, "A");
  Add(parent, "B");
  EXPECT_EQ(tree.ExportText(txAll, ';'), "A\r\n;B\r\n");
  EXPECT_EQ(tree.ExportUnicodeText(txAll, u';'), u"A\r\n;B\r\n");
}

TEST_F(ExportTest, FieldsAreQuotedByEachExportsRule) {
  AddColumns(2);
  const struct {
    const char* cell;
    const char* text;
    const char* unicodeText;
  } cases[] = {
      {"plain", "plain", "plain"},
      {"a;b", "\"a;b\"", "\"a;b\""},
      {"\"", "\"\"\"\"", "\""},
      {"a;\"b", "\"a;\"\"b\"", "\"a;\"\"b\""},
      {"x\r\ny", "\"x\r\ny\"", "\"x\r\ny\""},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.cell);
    tree.Clear();
    texts.clear();
    Add(nullptr, "n", test.cell);
    EXPECT_EQ(tree.ExportText(txAll, ';'), std::string("C0;C1\r\nn;") + test.text + "\r\n");
    EXPECT_EQ(EncodeUtf8(tree.ExportUnicodeText(txAll, u';')), std::string("C0;C1\r\nn;") + test.unicodeText + "\r\n");
  }
}

TEST_F(ExportTest, TextPadsTheMainColumnToTheDeepestLevel) {
  AddColumns(2);
  const PDataNode parent = Add(nullptr, "A", "1");
  Add(parent, "B", "2");
  EXPECT_EQ(tree.ExportText(txAll, ','), "C0,,C1\r\nA,,1\r\n,B,2\r\n");
}

TEST(WrapHtmlTest, EmptyFragmentGivesTheFixedOffsets) {
  std::string html;
  WrapHtmlForClipboard(html);
  EXPECT_EQ(html.substr(0, 97),
            "Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000301\r\nStartFragment:00000269\r\nEndFragment:00000269\r\n");
  EXPECT_EQ(html.size(), 301u);
  EXPECT_EQ(html.substr(269 - 20, 20), "<!--StartFragment-->");
  std::string fragment = "<b>x</b>";
  WrapHtmlForClipboard(fragment);
  EXPECT_NE(fragment.find("EndFragment:00000277"), std::string::npos);
  EXPECT_EQ(fragment.substr(269, 8), "<b>x</b>");
}

TEST_F(ExportTest, HtmlIndentsWithCellsAndEscapesTexts) {
  AddColumns(2);
  const PDataNode level0 = Add(nullptr, "top");
  const PDataNode level1 = Add(level0, "mid");
  const PDataNode level2 = Add(level1, "a<b & c", "\"q\"");
  Add(level2, "deep");
  const std::string html = tree.ExportHtml(txAll, "T<1>");
  EXPECT_NE(html.find("caption=\"T&lt;1&gt;\""), std::string::npos);
  EXPECT_NE(html.find("<th height=\"17px\" align=left colspan=\"4\""), std::string::npos);
  const size_t row = html.find("a&lt;b &amp; c");
  ASSERT_NE(row, std::string::npos);
  const size_t rowStart = html.rfind("<tr", row);
  const std::string cells = html.substr(rowStart, row - rowStart);
  // Main column with its own colour: one indentation cell per level.
  size_t indentation = 0;
  for (size_t at = cells.find("class=\"noborder\""); at != std::string::npos; at = cells.find("class=\"noborder\"", at + 1))
    ++indentation;
  EXPECT_EQ(indentation, 0u);
  EXPECT_EQ(std::count(cells.begin(), cells.end(), '&'), 2);  // two "&nbsp;" indentation cells
  EXPECT_NE(cells.find("colspan=\"2\""), std::string::npos);
  EXPECT_NE(html.find("&quot;q&quot;"), std::string::npos);
  EXPECT_EQ(html.substr(html.size() - 8), "</table>");
}

TEST_F(ExportTest, RtfWritesUnitsSignedAndColumnsInTwips) {
  tree.Header().Columns().AddColumn().SetWidth(96);
  tree.Header().Columns().AddColumn().SetWidth(192);
  tree.Header().Columns().AddColumn().SetWidth(96);
  Add(nullptr, "\xC3\xA9\xEF\xBF\xBD");
  const std::string rtf = tree.ExportRtf(txAll);
  EXPECT_EQ(rtf.find("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl{\\f0 "), 0u);
  EXPECT_NE(rtf.find("\\cellx1440\\cellx4320\\cellx5760"), std::string::npos);
  EXPECT_NE(rtf.find(" \\u233\\'3f\\u-3\\'3f\\cell"), std::string::npos);
  EXPECT_EQ(rtf.substr(rtf.size() - 10), "\\pard\\par}");
}

TEST_F(ExportTest, OnPaintTextFiresForEveryExportedCell) {
  AddColumns(2);
  Add(Add(nullptr, "A"), "B");
  int fired = 0;
  tree.OnPaintText = [&fired](TBaseDataTree*, TCanvas& canvas, PDataNode, TColumnIndex column, TDSTTextType) {
    ++fired;
    if (column == 1) canvas.Font().SetStyle(fsBold);
  };
  const std::string html = tree.ExportHtml(txAll);
  EXPECT_EQ(fired, 4);
  EXPECT_NE(html.find("<td class=\"normalborder\"  style=\"{font: bold"), std::string::npos);
}

TEST_F(ExportTest, RenderedBlocksEndInOneZeroCharacter) {
  Add(nullptr, "x");
  const std::vector<uint8_t> text = tree.RenderContentToGlobal(CF_TEXT, txAll);
  EXPECT_EQ(std::string(text.begin(), text.end()), std::string("x\r\n\0", 4));
  const std::vector<uint8_t> unicode = tree.RenderContentToGlobal(CF_UNICODETEXT, txAll);
  ASSERT_EQ(unicode.size(), 8u);
  EXPECT_EQ(unicode[5], 0);
  EXPECT_EQ(unicode[6] | unicode[7], 0);
  const std::vector<uint8_t> html = tree.RenderContentToGlobal(RegisterClipboardFormat("HTML Format"), txAll);
  EXPECT_EQ(std::string(html.begin(), html.begin() + 11), "Version:1.0");
  EXPECT_EQ(html.back(), 0);
  EXPECT_TRUE(tree.RenderContentToGlobal(RegisterClipboardFormat("Data Tree Data"), txAll).empty());
}

}  // namespace
