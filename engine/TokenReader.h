#pragma once
// The compiler's reading position: the lexer, the current token (one token
// of look-ahead) and the library being compiled, in which token errors are
// reported. The engine derives from it, so the compiler reads with Next,
// Match and Expect.

#include "engine/Lex.h"
#include "engine/Token.h"

class TLib;

class TTokenReader {
public:
  TLex Lex;
  TToken Token;
  TLib* CurLib = nullptr;  // nil between operations

  // Reads the next token that is not a comment; at the end of the input the
  // token becomes end of input. An unreadable token is reported
  // ("Unknown character") and gives false.
  bool Next();
  // A plain identifier has code 0, so a keyword never matches an identifier.
  bool Match(TTokenClass tokClass, std::uint8_t code) const {
    return Token.TokClass == tokClass && Token.Code == code;
  }
  // Passes a matching token (Next); otherwise reports what was expected and
  // what was found, and gives false.
  bool Expect(TTokenClass tokClass, std::uint8_t code);
  // Reports the current token as out of place: Unexpected symbol "<text>".
  void ReportUnexpectedSymbol() const;

private:
  void ReportAtToken(const std::string& message) const;
};
