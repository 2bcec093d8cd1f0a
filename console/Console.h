#pragma once
// The console: an outline of coloured lines, one line a node of an
// owner-drawn tree. The engine writes every line through the console's sink
// (TConsInt); a line's level nests it under the focused line, so listings
// become collapsible outlines. The console paints its lines itself
// (ConsolePaint.cpp), copies the selected lines, echoes output and results
// to the clipboard on request and plays the sound of each line kind.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "console/LineAttrs.h"
#include "console/LineStore.h"
#include "engine/MessageChannel.h"
#include "toolkit/controls/Frame.h"
#include "treeview/DataDrawTree.h"

class TConsole;
class TImageList;
class TSyntax;
class TTimer;

// The kind, level, text and token classes of one line. The text and its
// token classes (one for each byte of text, two to a byte) share one block
// of the console's line store: its length, the text, the classes. So a
// line of a long listing costs little more than its tree node.
class TLineData {
public:
  // The token classes start as 0 (plain text).
  TLineData(std::uint8_t kind, int level, std::string_view text, TLineStore& store);

  // 0-based, inside the line (assertions otherwise).
  std::uint8_t GetToken(int position) const;
  void SetToken(int position, std::uint8_t kind);
  // Bytes of the text.
  int Length() const;
  std::string_view Text() const;

  std::uint8_t Kind;
  int Level;  // 0 = top level

private:
  std::uint8_t* Tokens() const;

  std::byte* block_ = nullptr;  // nil for an empty line
};

// The user data of a line's node, made in place when the line is added and
// destroyed when the node is freed.
struct TConsLineRec {
  // What was painted last, in pixels (0 for separators); UnmeasuredWidth
  // until the line is painted or its width asked for.
  int Width;
  TLineData Data;

  std::string_view Text() const { return Data.Text(); }
};

inline constexpr int UnmeasuredWidth = -1;

// The console's sink for the engine.
class TConsInt : public IXConsBase {
public:
  explicit TConsInt(TConsole* console) : Console(console) {}
  void Write(const std::string& text, std::uint8_t kind, int level) override;
  void ExpandToLevel(int level) override;
  void Clear() override;

  TConsole* Console;  // cleared when the console goes
};

// The console's clipboard helper.
class TConEx {
public:
  explicit TConEx(TConsole& console) : Console(console) {}
  void CopyConsole();
  // False, with nothing changed, when the clipboard cannot be opened.
  bool PutText(const std::string& text);

  TConsole& Console;
};

class TConsole : public TFrame {
public:
  explicit TConsole(TComponent* owner);
  ~TConsole() override;

  void AddLine(const std::string& text, std::uint8_t kind, int level);
  void Clear();
  // Top-level lines.
  int LineCount() const;
  int SelectedCount() const;
  void CopySelection();
  // Lines below the level stay open, the others close.
  void ExpandToLevel(int level);
  void ApplyScheme(int scheme);
  void TokenizeLine(const std::string& text, TLineData& data);
  void CopyLookFrom(TConsole& other);
  void LoadLineAttrs(const std::string& section);
  void SaveLineAttrs(const std::string& section);
  TColor GetBackColor() const;
  void SetBackColor(TColor color);
  void SetImages(TImageList* images) { Images = images; }
  TImageList* GetImages() const { return Images; }
  void RefreshView();
  // A sample view: top-aligned, no root lines, single selection, the handler on click.
  void SetPreviewMode(TNotifyEvent onClick);
  // The data of the first selected line; nil when none is selected.
  TLineData* SelectedLineData();
  TConsLineRec* LineRecord(PDataNode node) const;

  TDataDrawTree* Tree;
  CountedPtr<IXConsBase> ConsoleIntf;
  TLineAttrs LineAttrs;
  TSyntax* Syntax = nullptr;  // not owned; nil: no token colours
  bool NoEcho = false;
  TImageList* Images = nullptr;  // not owned; nil: no icons
  bool ShowPrefixInCopy = false;
  bool NoBackground = false;
  TConEx Copier{*this};

private:
  PDataNode ParentForLevel(int level);
  void FrameResize();
  // Lines arrive inside one update bracket of the tree: a line costs its
  // node and its data, while scrolling, scroll bars and painting happen once
  // for the lines that arrived in ShowInterval or before the console is
  // shown again (RefreshView, ExpandToLevel, the timer).
  void OpenArrivals();
  void ShowArrivedLines();
  // Painting (ConsolePaint.cpp).
  void TreeBeforeCellPaint(TCanvas& canvas, PDataNode node, const TRect& cellRect);
  void TreeDrawNode(const TDTPaintInfo& paintInfo);
  void DrawSeparator(TCanvas& canvas, const TLineAttr& look, std::string_view text, const TRect& cell, bool selected);
  void DrawLine(TCanvas& canvas, const TLineAttr& look, TConsLineRec& line, const TRect& content, bool selected);
  int DrawTokens(TCanvas& canvas, const TConsLineRec& line, int x, int y);
  bool SelectedAndFocused(PDataNode node) const;
  // The width painting gives the line, for lines not painted yet.
  int MeasuredWidth(TCanvas& canvas, TConsLineRec& line);
  int LineWidth(TCanvas& canvas, const TLineAttr& look, const TConsLineRec& line);

  TLineStore store_;
  TTimer* showTimer_;
  bool arriving_ = false;
};
