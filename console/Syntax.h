#pragma once
// Splits one line of Tarnscript into classified tokens with the engine's own
// lexer, for colouring. Positions and lengths count bytes of the line, as
// the lexer does; clients that count characters convert.
//
//   TSyntaxLine line(syntax, text);
//   while (!syntax.AtEnd()) { kind = syntax.NextKind(); ... TokenStart(), TokenLength() ... }

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "console/SymAttrs.h"
#include "engine/Lex.h"
#include "engine/Token.h"

class TSyntax {
public:
  TSyntax() = default;
  ~TSyntax() { EndLine(); }
  TSyntax(const TSyntax&) = delete;
  TSyntax& operator=(const TSyntax&) = delete;

  TSymAttrs& Attrs() { return attrs_; }
  const TSymAttrs& Attrs() const { return attrs_; }

  // Ends a line still open, then opens text.
  void BeginLine(std::string_view text);
  void EndLine();
  bool HasLine() const { return hasLine_; }
  bool AtEnd() const { return lex_.AtEnd(); }

  // The class of the next token, or skEndOfLine.
  TSymKind NextKind();
  // The attribute of NextKind's class; plain text at the end of the line.
  const TSymAttr& NextAttr() { return attrs_.GetAttr(NextKind()); }
  // A string's text has its quotes.
  const std::string& TokenText() const { return token_.Text; }
  // The current token's place in the line, never outside it: a token the
  // lexer read as longer than what it consumed (a lone quote) is clipped.
  int TokenStart() const { return start_; }
  int TokenLength() const { return length_; }
  // Reads on until the lexer reaches position (restarting inside a text).
  void SetPosition(int position) { lex_.SkipTo(position); }

  TClassifier Classifier;

private:
  void PlaceToken();

  TSymAttrs attrs_;
  TLex lex_;
  std::istringstream stream_;  // reused: making a stream per line costs more than lexing it
  bool hasLine_ = false;
  TToken token_;
  int lineLength_ = 0;
  int start_ = 0;
  int length_ = 0;
};

// Keeps a line open for its scope, also when an exception leaves it.
class TSyntaxLine {
public:
  TSyntaxLine(TSyntax& syntax, std::string_view text) : syntax_(syntax) { syntax_.BeginLine(text); }
  ~TSyntaxLine() { syntax_.EndLine(); }
  TSyntaxLine(const TSyntaxLine&) = delete;
  TSyntaxLine& operator=(const TSyntaxLine&) = delete;

private:
  TSyntax& syntax_;
};
