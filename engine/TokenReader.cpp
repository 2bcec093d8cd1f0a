#include "engine/TokenReader.h"

#include "engine/MessageChannel.h"

bool TTokenReader::Next() {
  if (Lex.AtEnd()) {
    // Placed where the input ends, never left at a token of an earlier text.
    Token.TokClass = tcEOF;
    Token.Code = tkEndOfInput;
    Token.Text.clear();
    Token.Line = Lex.Line();
    Token.Col = Lex.Col();
    return true;
  }
  do Lex.NextToken(Token);
  while (Token.TokClass == tcComment);
  if (Token.TokClass != tcNone) return true;
  ReportAtToken("Unknown character \"" + Token.Text + "\"");
  return false;
}

bool TTokenReader::Expect(TTokenClass tokClass, std::uint8_t code) {
  if (Match(tokClass, code)) return Next();
  ReportAtToken(Lex.TokenText(tokClass, code) + " is expected but " + Lex.TokenText(Token) + " is found");
  return false;
}

void TTokenReader::ReportUnexpectedSymbol() const { ReportAtToken("Unexpected symbol \"" + Token.Text + "\""); }

void TTokenReader::ReportAtToken(const std::string& message) const {
  ReportError(message, {Token.Line, Token.Col}, CurLib);
}
