#pragma once
// The console: an outline of coloured lines, one line a node of an
// owner-drawn tree. The engine writes every line through the console's sink
// (TConsInt); a line's level nests it under the focused line, so listings
// become collapsible outlines. The console paints its lines itself
// (ConsolePaint.cpp), copies the selected lines, echoes output and results
// to the clipboard on request and plays the sound of each line kind.

#include <cstdint>
#include <string>
#include <vector>

#include "console/LineAttrs.h"
#include "engine/MessageChannel.h"
#include "toolkit/controls/Frame.h"
#include "treeview/DataDrawTree.h"

class TConsole;
class TImageList;
class TSyntax;

class TLineData {
public:
  TLineData(std::uint8_t kind, int level, int length);

  // 0-based, inside the line (assertions otherwise).
  std::uint8_t GetToken(int position) const;
  void SetToken(int position, std::uint8_t kind);

  std::uint8_t Kind;
  std::vector<std::uint8_t> Tokens;  // a token class a byte of the text; 0 where no token lies
  int Length;                        // bytes of the text
  int Level;
};

// The user data of a line's node, made in place when the line is added and
// destroyed when the node is freed.
struct TConsLineRec {
  int Width = 0;  // what was painted last, in pixels; 0 for separators
  TLineData Data;
  std::string Text;
};

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
  // Painting (ConsolePaint.cpp).
  void TreeBeforeCellPaint(TCanvas& canvas, PDataNode node, const TRect& cellRect);
  void TreeDrawNode(const TDTPaintInfo& paintInfo);
  void DrawSeparator(TCanvas& canvas, const TLineAttr& look, const std::string& text, const TRect& cell, bool selected);
  void DrawLine(TCanvas& canvas, const TLineAttr& look, TConsLineRec& line, const TRect& content, bool selected);
  int DrawTokens(TCanvas& canvas, const TConsLineRec& line, int x, int y);
  bool SelectedAndFocused(PDataNode node) const;
};
