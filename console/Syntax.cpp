#include "console/Syntax.h"

#include <algorithm>

void TSyntax::BeginLine(std::string_view text) {
  EndLine();
  stream_.str(std::string(text));
  stream_.clear();
  hasLine_ = true;
  lineLength_ = static_cast<int>(text.size());
  token_ = TToken();
  start_ = length_ = 0;
  lex_.SetInput(&stream_, -1);
}

void TSyntax::EndLine() {
  if (!hasLine_) return;
  lex_.SetInput(nullptr, -1);
  hasLine_ = false;
}

TSymKind TSyntax::NextKind() {
  lex_.NextToken(token_);
  if (token_.TokClass == tcEOF || (token_.TokClass == tcNone && lex_.AtEnd() && token_.Text.empty())) {
    token_.Text.clear();
    PlaceToken();
    return skEndOfLine;
  }
  if (token_.TokClass == tcString) token_.Text = "'" + token_.Text + "'";
  PlaceToken();
  return attrs_.MapToken(token_, Classifier);
}

// The lexer stands just after the token; the token's text tells how far back
// it began.
void TSyntax::PlaceToken() {
  const int end = std::min(lex_.Pos() - 1, lineLength_);
  const int start = end - static_cast<int>(token_.Text.size());
  start_ = std::clamp(start, 0, end);
  length_ = end - start_;
}
