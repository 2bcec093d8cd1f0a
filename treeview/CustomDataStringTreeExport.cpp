// The text tree's content as an HTML table, an RTF table and separated
// text, with the columns and the tree's indentation; the clipboard and drag
// formats are rendered from these. OnPaintText is fired for every cell as
// when painting, so per-cell fonts and colours are exported.

#include <cmath>
#include <cstdio>

#include "runtime/Utf16.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/gdi/Canvas.h"
#include "treeview/CustomDataStringTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/DataTransferResults.h"

namespace {

constexpr const char* LineBreak = "\r\n";
// The separator of "CSV": the program writes its numbers with "." whatever the locale.
constexpr char CsvSeparator = ',';

std::string Format(const char* format, auto... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

std::string HtmlColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return Format("#%02X%02X%02X", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

std::string EscapeHtml(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// A font as a CSS rule: named (".default{font: ...;}") or as a style attribute.
std::string HtmlFontStyle(const std::string& name, const TFont& font) {
  std::string style = name.empty() ? " style=\"{font:" : "." + name + "{font:";
  if (font.Style() & fsUnderline) style += " underline";
  if (font.Style() & fsItalic) style += " italic";
  if (font.Style() & fsBold) style += " bold";
  style += Format(" %dpt \"%s\";", font.Size(), font.Name().c_str());
  style += "color:" + HtmlColor(font.Color()) + ";}";
  if (name.empty()) style += "\"";
  return style;
}

// Right-to-left cells mirror their alignment.
TAlignment EffectiveAlignment(TAlignment alignment, bool rightToLeft) {
  if (!rightToLeft || alignment == taCenter) return alignment;
  return alignment == taLeftJustify ? taRightJustify : taLeftJustify;
}

std::string HtmlAlignment(TAlignment alignment, bool rightToLeft) {
  std::string text = rightToLeft ? " dir=\"rtl\"" : "";
  switch (EffectiveAlignment(alignment, rightToLeft)) {
    case taRightJustify: return text + " align=right";
    case taCenter: return text + " align=center";
    default: return text + " align=left";
  }
}

std::string RtfAlignment(TAlignment alignment, bool rightToLeft) {
  switch (EffectiveAlignment(alignment, rightToLeft)) {
    case taRightJustify: return "\\qr";
    case taCenter: return "\\qc";
    default: return "";
  }
}

struct TFontState {
  std::string Name;
  int Height;
  TFontStyles Style;
  TColor Color;
  explicit TFontState(const TFont& font)
      : Name(font.Name()), Height(font.Height()), Style(font.Style()), Color(font.Color()) {}
  bool operator==(const TFontState&) const = default;
};

// The RTF document being built: its font and colour tables and the current run settings.
class TRtfWriter {
public:
  void Append(const std::string& text) { body_ += text; }

  void TextRun(const std::string& text, const TFont& font) {
    if (text.empty()) return;
    const TFontStyles style = font.Style();
    if (style & fsUnderline) body_ += "\\ul";
    if (style & fsItalic) body_ += "\\i";
    if (style & fsBold) body_ += "\\b";
    SwitchTo(fonts_, currentFont_, font.Name(), "\\f", 0);
    SwitchTo(colors_, currentColor_, ColorToRGB(font.Color()), "\\cf", 1);
    if (font.Size() != currentSize_) {
      currentSize_ = font.Size();
      body_ += "\\fs" + std::to_string(2 * currentSize_);
    }
    body_ += ' ';
    for (char16_t unit : DecodeUtf8(text))
      body_ += "\\u" + std::to_string(static_cast<int16_t>(unit)) + "\\'3f";
    if (style & fsUnderline) body_ += "\\ul0";
    if (style & fsItalic) body_ += "\\i0";
    if (style & fsBold) body_ += "\\b0";
  }

  std::string Document() const {
    std::string document = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl";
    for (size_t i = 0; i < fonts_.size(); ++i) document += "{\\f" + std::to_string(i) + " " + fonts_[i] + ";}";
    document += "}{\\colortbl;";
    for (TColor color : colors_)
      document += Format("\\red%d\\green%d\\blue%d;", GetRValue(color), GetGValue(color), GetBValue(color));
    return document + "}" + body_ + "}";
  }

private:
  // A value new to its table is added and always written; a known one only when it is not the current one.
  template <class Value>
  void SwitchTo(std::vector<Value>& table, int& current, const Value& value, const char* control, int base) {
    const auto found = std::find(table.begin(), table.end(), value);
    const int index = static_cast<int>(found - table.begin());
    if (found == table.end()) {
      table.push_back(value);
    } else if (index == current) {
      return;
    }
    current = index;
    body_ += control + std::to_string(index + base);
  }

  std::string body_;
  std::vector<std::string> fonts_;
  std::vector<TColor> colors_;
  int currentFont_ = -1;
  int currentColor_ = -1;
  int currentSize_ = -1;
};

}  // namespace

void WrapHtmlForClipboard(std::string& html) {
  static const std::string Prefix =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"
      "<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\"></head><body>"
      "<!--StartFragment-->";
  static const std::string Suffix = "<!--EndFragment--></body></html>";
  constexpr size_t HeaderLength = 97;
  const size_t startFragment = HeaderLength + Prefix.size();
  const size_t endFragment = startFragment + html.size();
  const size_t endHtml = endFragment + Suffix.size();
  html = Format("Version:1.0\r\nStartHTML:%.8zu\r\nEndHTML:%.8zu\r\nStartFragment:%.8zu\r\nEndFragment:%.8zu\r\n",
                HeaderLength, endHtml, startFragment, endFragment) +
         Prefix + html + Suffix;
}

// ---- Sources and columns -----------------------------------------------------------------

TNodeArray TCustomDataStringTree::ContentNodes(TContentSource source) {
  TNodeArray nodes;
  const auto collect = [&](PDataNode (TBaseDataTree::*first)(), PDataNode (TBaseDataTree::*next)(PDataNode)) {
    for (PDataNode node = (this->*first)(); node; node = (this->*next)(node)) nodes.push_back(node);
  };
  switch (source) {
    case txInitialized:
      for (PDataNode node = FirstInitializedNode(); node; node = NextInitializedNode(node)) nodes.push_back(node);
      break;
    case txSelected: collect(&TBaseDataTree::FirstSelectedNode, &TBaseDataTree::NextSelectedNode); break;
    case txCutCopySet: collect(&TBaseDataTree::FirstCutCopyNode, &TBaseDataTree::NextCutCopyNode); break;
    case txVisible: collect(&TBaseDataTree::FirstVisibleNode, &TBaseDataTree::NextVisibleNode); break;
    default: collect(&TBaseDataTree::FirstRootNode, &TBaseDataTree::NextNodeInOrder); break;
  }
  return nodes;
}

std::vector<TColumnIndex> TCustomDataStringTree::ExportColumns() {
  std::vector<TColumnIndex> columns;
  for (TDataTreeColumn* column : Header().Columns().VisibleColumnsArray()) columns.push_back(column->Index());
  if (!Header().HasColumns()) columns.push_back(ColumnNone);
  return columns;
}

namespace {

int MaxLevelOf(TBaseDataTree& tree, const TNodeArray& nodes) {
  int level = 0;
  for (PDataNode node : nodes) level = std::max(level, static_cast<int>(tree.NodeLevel(node)));
  return level;
}

}  // namespace

bool TCustomDataStringTree::PrepareExportCell(TCanvas& canvas, PDataNode node, TColumnIndex column) {
  UseTreeFont(canvas);
  const TFontState before(canvas.Font());
  FirePaintText(node, canvas, ttNormal, column);
  return !(TFontState(canvas.Font()) == before);
}

// ---- HTML ---------------------------------------------------------------------------------

std::string TCustomDataStringTree::ExportHtml(TContentSource source, const std::string& caption) {
  const TNodeArray nodes = ContentNodes(source);
  const int maxLevel = MaxLevelOf(*this, nodes);
  const std::vector<TColumnIndex> columns = ExportColumns();
  TDataTreeColumns& allColumns = Header().Columns();
  TCanvas& canvas = MeasuringCanvas(Canvas());
  const std::string cellPadding = Format("padding-left:%dpx;padding-right:%dpx;", Margin(), Margin());
  std::string attributes = " ";
  if (!caption.empty()) attributes += "caption=\"" + EscapeHtml(caption) + "\"";
  if (BorderStyle() == bsSingle) attributes += " border=\"1\" frame=box";
  const TDTPaintOptions paint = TreeOptions().PaintOptions();
  const std::string lineStyle = LineStyle() == lsSolid ? "solid;" : "dotted;";

  std::string html = "<style type=\"text/css\">";
  html += LineBreak;
  html += HtmlFontStyle("default", Font()) + LineBreak;
  html += HtmlFontStyle("header", Header().Font()) + LineBreak;
  html += paint.Contains(toShowHorzGridLines)
              ? ".noborder{border-style:" + lineStyle + " border-bottom:1;border-left:0;border-right:0; border-top:0;"
              : std::string(".noborder{border-style:none;");
  html += cellPadding + "}" + LineBreak;
  html += ".normalborder {border-top:none; border-left:none; ";
  html += paint.Contains(toShowVertGridLines) ? "border-right:1 " + lineStyle : std::string("border-right:none;");
  html += paint.Contains(toShowHorzGridLines) ? "border-bottom:1 " + lineStyle : std::string("border-bottom:none;");
  html += cellPadding + "}</style>" + LineBreak;
  html += "<table class=\"default\" bgcolor=" + HtmlColor(Color()) + attributes +
          " cellspacing=\"0\" cellpadding=" + std::to_string(Margin()) + ">" + LineBreak;

  const TColumnIndex mainColumn = Header().MainColumn();
  if (Header().HasColumns()) {
    html += "<tr class=\"header\" style=\"" + cellPadding + "\">" + LineBreak;
    for (TColumnIndex index : columns) {
      const TDataTreeColumn& column = allColumns.ColumnAt(index);
      html += "<th height=\"" + std::to_string(Header().Height()) + "px\"" +
              HtmlAlignment(column.Alignment(), column.ReadsRightToLeft());
      if (index == mainColumn && maxLevel > 0) html += " colspan=\"" + std::to_string(maxLevel + 1) + "\"";
      html += " bgcolor=" + HtmlColor(clBtnFace) + " width=\"" + std::to_string(column.Width()) + "px\">" +
              EscapeHtml(column.Text()) + "</th>";
    }
    html += "</tr>";
    html += LineBreak;
  }

  for (PDataNode node : nodes) {
    const int level = static_cast<int>(NodeLevel(node));
    const std::string height = std::to_string(NodeRowHeight(node));
    html += " <tr class=\"default\">";
    html += LineBreak;
    for (TColumnIndex index : columns) {
      const bool fontChanged = PrepareExportCell(canvas, node, index);
      const TDataTreeColumn* column = index == ColumnNone ? nullptr : &allColumns.ColumnAt(index);
      const bool ownColor = column && !column->Options().Contains(coParentColor);
      if (index == mainColumn) {
        for (int i = 0; i < level; ++i) {
          if (ownColor)
            html += "<td class=\"noborder\" width=\"" + std::to_string(Indent()) + "\" height=\"" + height +
                    "px\" bgcolor=" + HtmlColor(column->Color()) + ">&nbsp;</td>";
          else
            html += i == 0 ? " <td height=\"" + height + "px\">&nbsp;</td>" : std::string(" <td>&nbsp;</td>");
        }
      }
      html += fontChanged ? " <td class=\"normalborder\" " + HtmlFontStyle("", canvas.Font()) + " height=\"" + height
                          : " <td class=\"normalborder\"  height=\"" + height;
      html += "px\"";
      html += column ? HtmlAlignment(column->Alignment(), column->ReadsRightToLeft())
                     : HtmlAlignment(Alignment(), ReadsRightToLeft(ColumnNone));
      if (index == mainColumn && maxLevel > 0 && level < maxLevel)
        html += " colspan=\"" + std::to_string(maxLevel - level + 1) + "\"";
      if (ownColor) html += " bgcolor=" + HtmlColor(column->Color());
      html += ">" + EscapeHtml(CellText(node, index)) + "</td>";
    }
    html += " </tr>";
    html += LineBreak;
  }
  return html + "</table>";
}

// ---- RTF ----------------------------------------------------------------------------------

std::string TCustomDataStringTree::ExportRtf(TContentSource source) {
  const TNodeArray nodes = ContentNodes(source);
  const std::vector<TColumnIndex> columns = ExportColumns();
  TDataTreeColumns& allColumns = Header().Columns();
  TCanvas& canvas = MeasuringCanvas(Canvas());
  const TColumnIndex mainColumn = Header().MainColumn();
  const auto alignmentOf = [&](TColumnIndex index) {
    if (index == ColumnNone) return RtfAlignment(Alignment(), ReadsRightToLeft(ColumnNone));
    const TDataTreeColumn& column = allColumns.ColumnAt(index);
    return RtfAlignment(column.Alignment(), column.ReadsRightToLeft());
  };

  TRtfWriter rtf;
  rtf.Append("\\uc1\\trowd\\trgaph70");
  if (Header().HasColumns()) {
    int right = 0;
    for (TColumnIndex index : columns) {
      right += allColumns.ColumnAt(index).Width();
      rtf.Append("\\cellx" + std::to_string(std::lrint(right * 1440.0 / TFont::PixelsPerInch)));
    }
    rtf.Append("\\pard\\intbl");
    for (TColumnIndex index : columns) {
      rtf.Append(alignmentOf(index));
      rtf.TextRun(allColumns.ColumnAt(index).Text(), Header().Font());
      rtf.Append("\\cell");
    }
    rtf.Append("\\row");
  } else {
    rtf.Append("\\cellx" + std::to_string(std::lrint(ClientWidth() * 1440.0 / TFont::PixelsPerInch)));
  }
  for (PDataNode node : nodes) {
    const int level = static_cast<int>(NodeLevel(node));
    for (TColumnIndex index : columns) {
      rtf.Append("\\pard\\intbl" + alignmentOf(index));
      PrepareExportCell(canvas, node, index);
      if (index == mainColumn) {
        for (int i = 0; i < level; ++i) rtf.Append("\\tab");
        if (level > 0) rtf.Append(" ");
      }
      rtf.TextRun(CellText(node, index), canvas.Font());
      rtf.Append("\\cell");
    }
    rtf.Append("\\row");
  }
  rtf.Append("\\pard\\par");
  return rtf.Document();
}

// ---- Text ----------------------------------------------------------------------------------

namespace {

template <class TText>
bool NeedsQuotes(const TText& text, typename TText::value_type separator, bool quoteQuotes) {
  for (auto c : text)
    if (c == separator || c == '\r' || c == '\n' || (quoteQuotes && c == '"')) return true;
  return false;
}

// A field that holds the separator or a line break goes in double quotes, its own quotes doubled.
template <class TText>
TText QuotedField(const TText& text, typename TText::value_type separator, bool quoteQuotes) {
  if (!NeedsQuotes(text, separator, quoteQuotes)) return text;
  TText quoted(1, '"');
  for (auto c : text) {
    quoted += c;
    if (c == '"') quoted += c;
  }
  quoted += '"';
  return quoted;
}

}  // namespace

template <class TText>
TText TCustomDataStringTree::ExportSeparated(TContentSource source, typename TText::value_type separator,
                                            bool quoteQuotes, TText (*convert)(const std::string&)) {
  const TNodeArray nodes = ContentNodes(source);
  const int maxLevel = MaxLevelOf(*this, nodes);
  const std::vector<TColumnIndex> columns = ExportColumns();
  const TColumnIndex mainColumn = Header().MainColumn();
  const TText pad(static_cast<size_t>(maxLevel), separator);
  const TText lineBreak = convert(LineBreak);
  TCanvas& canvas = MeasuringCanvas(Canvas());
  TText text;
  if (Header().HasColumns()) {
    for (size_t i = 0; i < columns.size(); ++i) {
      text += convert(Header().Columns().ColumnAt(columns[i]).Text());
      if (i + 1 < columns.size()) {
        if (columns[i] == mainColumn) text += pad;
        text += separator;
      }
    }
    text += lineBreak;
  }
  for (PDataNode node : nodes) {
    const auto level = static_cast<size_t>(NodeLevel(node));
    for (size_t i = 0; i < columns.size(); ++i) {
      PrepareExportCell(canvas, node, columns[i]);
      const bool main = columns[i] == mainColumn;
      if (main) text += pad.substr(0, level);
      text += QuotedField(convert(CellText(node, columns[i])), separator, quoteQuotes);
      if (main && Header().HasColumns()) text += pad.substr(0, static_cast<size_t>(maxLevel) - level);
      if (i + 1 < columns.size()) text += separator;
    }
    text += lineBreak;
  }
  return text;
}

std::string TCustomDataStringTree::ExportText(TContentSource source, char separator) {
  return ExportSeparated<std::string>(source, separator, true, [](const std::string& text) { return text; });
}

std::u16string TCustomDataStringTree::ExportUnicodeText(TContentSource source, char16_t separator) {
  return ExportSeparated<std::u16string>(source, separator, false,
                                         [](const std::string& text) { return DecodeUtf8(text); });
}

std::vector<uint8_t> TCustomDataStringTree::RenderContentToGlobal(UINT format, TContentSource source) {
  std::string bytes;
  if (format == CF_TEXT) {
    bytes = ExportText(source, '\t');
  } else if (format == CF_UNICODETEXT) {
    for (char16_t unit : ExportUnicodeText(source, u'\t')) {
      bytes += static_cast<char>(unit & 0xFF);
      bytes += static_cast<char>(unit >> 8);
    }
    bytes += '\0';
  } else {
    const std::string name = GetClipboardFormatName(format);
    if (name == "CSV") {
      bytes = ExportText(source, CsvSeparator);
    } else if (name == "Rich Text Format" || name == "Rich Text Format Without Objects") {
      bytes = ExportRtf(source);
    } else if (name == "HTML Format") {
      bytes = ExportHtml(source);
      WrapHtmlForClipboard(bytes);
    } else {
      return {};
    }
  }
  bytes += '\0';
  return {bytes.begin(), bytes.end()};
}

HRESULT TCustomDataStringTree::RenderTreeData(const TFormatEtc& format, TStgMedium& medium, bool forClipboard) {
  const HRESULT result = TBaseDataTree::RenderTreeData(format, medium, forClipboard);
  if (result == S_OK) return result;
  try {
    std::vector<uint8_t> block = RenderContentToGlobal(format.Format, forClipboard ? txCutCopySet : txSelected);
    if (block.empty()) return result;
    medium.Tymed = TYMED_HGLOBAL;
    medium.HGlobal = std::make_shared<std::vector<uint8_t>>(std::move(block));
    return S_OK;
  } catch (...) {
    medium.Release();
    return E_FAIL;
  }
}
