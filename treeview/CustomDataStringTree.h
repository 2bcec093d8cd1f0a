#pragma once
// The tree whose cells show text. It keeps no text: a cell's text is asked
// from OnGetText whenever it is painted, measured, edited or searched, and a
// text the user typed goes back through OnNewText. Texts are UTF-8 all the
// way; nothing is narrowed.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "treeview/BaseDataTree.h"
#include "treeview/StringTreeOptions.h"

class TBitmap;

// The nodes an export takes, in tree order.
enum TContentSource { txAll, txInitialized, txSelected, txCutCopySet, txVisible };

// Puts the clipboard's header of "HTML Format" (the byte offsets of the document and the fragment) before the fragment.
void WrapHtmlForClipboard(std::string& html);

// ttNormal: the cell's text; ttStatic: a read-only second text right of it.
enum TDSTTextType { ttNormal, ttStatic };

using TDSTGetTextEvent = std::function<void(TBaseDataTree* sender, PDataNode node, TColumnIndex column,
                                            TDSTTextType textType, std::string& cellText)>;
using TDSTNewTextEvent =
    std::function<void(TBaseDataTree* sender, PDataNode node, TColumnIndex column, const std::string& newText)>;
using TDTPaintText = std::function<void(TBaseDataTree* sender, TCanvas& targetCanvas, PDataNode node,
                                        TColumnIndex column, TDSTTextType textType)>;
// Done: Result holds the shortened text; else the tree shortens it itself.
using TDSTShortenStringEvent =
    std::function<void(TBaseDataTree* sender, TCanvas& targetCanvas, PDataNode node, TColumnIndex column,
                       const std::string& text, int textSpace, std::string& result, bool& done)>;
using TDSTGetHintEvent = std::function<void(TBaseDataTree* sender, PDataNode node, TColumnIndex column,
                                            TDTTooltipLineBreakStyle& lineBreakStyle, std::string& hintText)>;

class TCustomDataStringTree : public TBaseDataTree {
public:
  explicit TCustomDataStringTree(TComponent* owner);
  ~TCustomDataStringTree() override;

  // Every cell's text until OnGetText gives another.
  const std::string& DefaultText() const { return defaultText_; }
  void SetDefaultText(const std::string& text);
  TCustomStringTreeOptions& TreeOptions() {
    return static_cast<TCustomStringTreeOptions&>(TBaseDataTree::TreeOptions());
  }

  // The text OnGetText gives for the cell (the node is initialised first).
  std::string CellText(PDataNode node, TColumnIndex column);
  // Hands the text to OnNewText and repaints the node.
  void SetCellText(PDataNode node, TColumnIndex column, const std::string& text);
  // The tree font's character height and the width of "..." in it.
  int TextHeight() const { return textHeight_; }
  int EllipsisWidth() const { return ellipsisWidth_; }
  // The node's measured main-column width with 2 x TextMargin (0: not
  // measured yet); nil for nil and the root.
  int32_t* TextWidthCache(PDataNode node) const;

  std::string NodeHint(PDataNode node, TColumnIndex column, TDTTooltipLineBreakStyle& lineBreakStyle) override;
  std::string NodeTooltip(PDataNode node, TColumnIndex column, TDTTooltipLineBreakStyle& lineBreakStyle) override;
  int NodeContentWidth(PDataNode node, TColumnIndex column, TCanvas& canvas) override;
  void CellTextInfo(PDataNode node, TColumnIndex column, TFont& font, TRect& r, std::string& text) override;
  void MainColumnSwitched() override;
  void RepaintNode(PDataNode node) override;
  void ReinitializeNode(PDataNode node, bool recursive) override;

  // The cells of the source's nodes in the visible columns (CustomDataStringTreeExport.cpp): an
  // HTML table, an RTF table, or lines of fields with a separator, the tree's indentation kept.
  std::string ExportHtml(TContentSource source, const std::string& caption = "");
  std::string ExportRtf(TContentSource source);
  std::string ExportText(TContentSource source, char separator);
  std::u16string ExportUnicodeText(TContentSource source, char16_t separator);
  // A text clipboard format's rendering ending in one zero character; empty for other formats.
  std::vector<uint8_t> RenderContentToGlobal(UINT format, TContentSource source);
  // The tree's own formats first; a text format the base does not render comes from the exports
  // of the cut or copy set (ForClipboard) or the selection.
  HRESULT RenderTreeData(const TFormatEtc& format, TStgMedium& medium, bool forClipboard) override;

  TDSTGetTextEvent OnGetText;
  TDSTNewTextEvent OnNewText;
  TDTPaintText OnPaintText;
  TDSTShortenStringEvent OnShortenString;
  TDSTGetHintEvent OnGetHint;

protected:
  virtual int MeasureCellText(TCanvas& canvas, PDataNode node, const std::string& text, TColumnIndex column);
  virtual void FireGetText(PDataNode node, TColumnIndex column, TDSTTextType textType, std::string& text);
  virtual void FireNewText(PDataNode node, TColumnIndex column, const std::string& text);
  virtual void FirePaintText(PDataNode node, TCanvas& canvas, TDSTTextType textType, TColumnIndex column);
  virtual std::string FireShortenString(TCanvas& canvas, PDataNode node, TColumnIndex column,
                                        const std::string& text, int width, int ellipsisWidth);
  virtual void DrawCellText(TDTPaintInfo& paintInfo, const std::string& text, TRect& r, unsigned drawFormat);
  virtual int TextWidthOf(TCanvas& canvas, PDataNode node, const std::string& text, TColumnIndex column);
  // The height the text (empty: the cell's text) takes word-wrapped in the cell's width.
  virtual int TextHeightOf(TCanvas& canvas, PDataNode node, TColumnIndex column, const std::string& text);
  virtual void FireGetHint(PDataNode node, TColumnIndex column, TDTTooltipLineBreakStyle& lineBreakStyle,
                           std::string& hintText);

  // The tree font on the canvas, underlined for the hot node and in the
  // highlight text colour on a selected cell.
  void PrepareTextFont(TDTPaintInfo& paintInfo);
  void PaintCellText(TDTPaintInfo& paintInfo, const std::string& cellText);
  void PaintCellStaticText(TDTPaintInfo& paintInfo, const std::string& text);

  void PaintNodeContent(TDTPaintInfo& paintInfo) override;
  void AdjustCellRect(TDTPaintInfo& paintInfo, TColumnIndex& nextNonEmpty) override;
  bool FireGetCellIsEmpty(PDataNode node, TColumnIndex column) override;
  // Without OnCreateEditor the tree edits with its own TStringEditLink.
  CountedPtr<IDTEditLink> FireCreateEditor(PDataNode node, TColumnIndex column) override;
  // The default search: 0 when the focused column's text starts with the search text, else 1.
  int FireIncrementalSearch(PDataNode node, const std::string& searchText) override;
  void Dispatch(TMessage& message) override;
  // The caption chunk: the main column's text as UTF-16 (CustomDataStringTreeStream.cpp).
  void WriteNodeChunks(TStream& stream, PDataNode node) override;
  bool ReadNodeSubChunk(TStream& stream, int version, PDataNode node, int chunkType, int chunkSize) override;
  void CheckNodeSubChunk(TStream& stream, int version, int chunkType, int64_t chunkEnd, int depth) override;

private:
  // The canvas to measure on: a memory canvas while the tree has no window.
  TCanvas& MeasuringCanvas(TCanvas& canvas);
  // Sets the tree font on the canvas, making a new font object only when its look differs.
  void UseTreeFont(TCanvas& canvas);
  void UseDisabledColor(TDTPaintInfo& paintInfo);
  void MeasureFontMetrics();
  TNodeArray ContentNodes(TContentSource source);
  // The visible columns in display order; ColumnNone alone without columns.
  std::vector<TColumnIndex> ExportColumns();
  // Sets the tree font and fires OnPaintText as painting does; answers whether the handler changed the font.
  bool PrepareExportCell(TCanvas& canvas, PDataNode node, TColumnIndex column);
  template <class TText>
  TText ExportSeparated(TContentSource source, typename TText::value_type separator, bool quoteQuotes,
                       TText (*convert)(const std::string&));
  void ResetTextWidths();

  std::string defaultText_ = "Node";
  unsigned textWidthOffset_ = 0;
  int textHeight_ = 0;
  int ellipsisWidth_ = 0;
  std::unique_ptr<TBitmap> measureBitmap_;
};
