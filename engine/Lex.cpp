#include "engine/Lex.h"

#include <algorithm>
#include <istream>
#include <limits>
#include <memory>

#include "runtime/Exceptions.h"
#include "runtime/Random.h"

namespace {

// Character classes, as bits of one table entry per byte.
enum : std::uint8_t {
  ccLetter = 1,
  ccDigit = 2,
  ccBinaryDigit = 4,
  ccHexDigit = 8,
  ccExponent = 16,
  ccSign = 32,
  ccBlank = 64,
};

constexpr std::array<std::uint8_t, 256> MakeCharClasses() {
  std::array<std::uint8_t, 256> classes{};
  for (int c = 'a'; c <= 'z'; ++c) classes[c] |= ccLetter;
  for (int c = 'A'; c <= 'Z'; ++c) classes[c] |= ccLetter;
  classes['_'] |= ccLetter;
  for (int c = '0'; c <= '9'; ++c) classes[c] |= ccDigit | ccHexDigit;
  for (int c = 'a'; c <= 'f'; ++c) classes[c] |= ccHexDigit;
  for (int c = 'A'; c <= 'F'; ++c) classes[c] |= ccHexDigit;
  classes['0'] |= ccBinaryDigit;
  classes['1'] |= ccBinaryDigit;
  classes['E'] |= ccExponent;
  classes['e'] |= ccExponent;
  classes['+'] |= ccSign;
  classes['-'] |= ccSign;
  for (int c : {'\t', '\n', '\r', ' '}) classes[c] |= ccBlank;
  return classes;
}

constexpr std::array<std::uint8_t, 256> CharClasses = MakeCharClasses();

bool Is(std::uint8_t c, std::uint8_t charClasses) { return (CharClasses[c] & charClasses) != 0; }

constexpr char LineEnd = '\n';

// Indexes of the role table.
enum TRole { rlCommentOpen = 1, rlCommentClose, rlLineComment, rlQuote, rlHexPrefix, rlBinaryPrefix };

struct TFixedEntry {
  const char* text;
  std::uint8_t code;
};

// The role symbols, by role (index 0 is role 1); registered first.
constexpr TFixedEntry RoleSymbols[] = {
    {"(*", tkCommentOpen}, {"*)", tkCommentClose}, {"//", tkLineComment},
    {"'", tkQuote},        {"$", tkHexPrefix},     {"#", tkBinaryPrefix},
};

std::string_view RoleText(TRole role) { return RoleSymbols[role - 1].text; }

// Every other keyword and symbol, in registration order; keywords are the
// entries that begin with a letter.
constexpr TFixedEntry FixedEntries[] = {
    {":=", tkAssign},
    {"(", tkLeftParen},
    {")", tkRightParen},
    {"{", tkLeftBrace},
    {"}", tkRightBrace},
    {".", tkDot},
    {",", tkComma},
    {";", tkSemicolon},
    {":", tkColon},
    {"+", tkPlus},
    {"-", tkMinus},
    {"*", tkStar},
    {"/", tkSlash},
    {"=", tkEqual},
    {"<", tkLess},
    {">", tkGreater},
    {"<=", tkLessEqual},
    {">=", tkGreaterEqual},
    {"<>", tkNotEqual},
    {"div", tkDiv},
    {"mod", tkMod},
    {"shl", tkShl},
    {"shr", tkShr},
    {"and", tkAnd},
    {"not", tkNot},
    {"or", tkOr},
    {"xor", tkXor},
    {"library", tkLibrary},
    {"program", tkProgram},
    {"uses", tkUses},
    {"begin", tkBegin},
    {"end", tkEnd},
    {"const", tkConst},
    {"var", tkVar},
    {"type", tkType},
    {"function", tkFunction},
    {"procedure", tkProcedure},
    {"operator", tkOperator},
    {"if", tkIf},
    {"for", tkFor},
    {"repeat", tkRepeat},
    {"while", tkWhile},
    {"do", tkDo},
    {"until", tkUntil},
    {"to", tkTo},
    {"downto", tkDownto},
    {"break", tkBreak},
    {"continue", tkContinue},
    {"exit", tkExit},
    {"then", tkThen},
    {"else", tkElse},
    {"case", tkCase},
    {"with", tkWith},
    {"array", tkArray},
    {"of", tkOf},
    {"record", tkRecord},
    {"set", tkSet},
    {"in", tkIn},
    {"interfaced", tkInterfaced},
    {"typestr", tkTypestr},
    {"typeout", tkTypeout},
    {"typeconv", tkTypeconv},
    {"varimport", tkVarimport},
    {"varexport", tkVarexport},
    {"[", tkLeftBracket},
    {"]", tkRightBracket},
    {"..", tkRange},
    {"^", tkCaret},
    {"`", tkBackquote},
};

void SetAll(std::bitset<256>& set, std::initializer_list<std::uint8_t> codes) {
  for (std::uint8_t code : codes) set.set(code);
}

// Printed names of the token classes; tcBinary has none of its own.
constexpr const char* ClassNames[] = {"None",       "Integer", "Hex",    "None",    "Real",
                                      "Identifier", "String",  "Symbol", "Comment", "<EOF>"};

const TLexNode* FindIn(const THashTab& table, std::string_view text) {
  return static_cast<const TLexNode*>(table.Find(text));
}

std::uint8_t CodeOf(const TLexNode* entry) { return entry ? entry->Code() : std::uint8_t{tkNone}; }

const TLexNode* FindCodeIn(const THashTab& table, std::uint8_t code) {
  for (int bucket = 0; bucket < THashTab::BucketCount; ++bucket)
    for (const THashNode* node = table.Bucket(bucket); node; node = node->Next())
      if (static_cast<const TLexNode*>(node)->Code() == code) return static_cast<const TLexNode*>(node);
  return nullptr;
}

}  // namespace

TLex::TLex() {
  RegisterFixedEntries();
  SetAll(relational_, {tkEqual, tkLess, tkGreater, tkLessEqual, tkGreaterEqual, tkIn, tkNotEqual});
  SetAll(additive_, {tkPlus, tkMinus, tkOr, tkXor});
  SetAll(multiplicative_, {tkStar, tkDiv, tkSlash, tkMod, tkShl, tkShr, tkAnd, tkCaret});
  SetAll(unary_, {tkPlus, tkMinus, tkNot, tkBackquote});
  SetAll(declarationStarters_, {tkBegin, tkConst, tkVar, tkFunction, tkProcedure, tkType, tkOperator});
}

void TLex::RegisterFixedEntries() {
  for (int role = rlCommentOpen; role <= rlBinaryPrefix; ++role) {
    const TFixedEntry& entry = RoleSymbols[role - 1];
    RegisterSymbol(entry.text, entry.code);
    roles_[role] = entry.code;
  }
  for (const TFixedEntry& entry : FixedEntries) {
    if (Is(entry.text[0], ccLetter))
      RegisterKeyword(entry.text, entry.code);
    else
      RegisterSymbol(entry.text, entry.code);
  }
}

void TLex::AddEntry(THashTab& table, std::string text, std::uint8_t code, const char* duplicateTag) {
  auto node = std::make_unique<TLexNode>(std::move(text), code);
  const bool added = table.Add(node);
  QASSERT(added, duplicateTag);
}

void TLex::RegisterKeyword(std::string text, std::uint8_t code) {
  AddEntry(keywords_, std::move(text), code, "98CA4CFA");
}

void TLex::RegisterSymbol(std::string text, std::uint8_t code) {
  QASSERT(text.size() <= MaxSymbolLength, "C24BAEA1");
  AddEntry(symbols_, std::move(text), code, "B084F0BA");
}

std::uint8_t TLex::SymbolCode(std::string_view text) const {
  return CodeOf(FindIn(symbols_, text));
}

// ---- Input ----

void TLex::SetInput(std::istream* stream, std::int32_t seed) {
  std::int64_t size = 0;
  if (stream) {
    stream->clear();
    stream->seekg(0, std::ios::end);
    size = stream->tellg();  // -1 for a stream that cannot tell: read as empty
    if (size > std::numeric_limits<std::int32_t>::max()) throw ERangeError();
    stream->seekg(0, std::ios::beg);
  }
  stream_ = stream;
  scrambled_ = stream && seed != -1;
  size_ = static_cast<std::int32_t>(size);
  unread_ = size_ > 0 ? size_ : 0;
  chunkPos_ = chunkEnd_ = 0;
  pos_ = line_ = col_ = stream ? 1 : 0;
  atEnd_ = size_ <= 0;
  if (scrambled_) TRandom::Seed(static_cast<std::uint32_t>(seed));
  cur_ = ahead_ = 0;
  if (atEnd_) return;
  cur_ = ReadByte();
  ahead_ = ReadByte();
  CountLineEnd();
}

std::uint8_t TLex::ReadByte() {
  if (chunkPos_ == chunkEnd_ && !FillChunk()) return 0;
  const auto value = static_cast<std::uint8_t>(chunk_[chunkPos_++]);
  return scrambled_ ? value ^ static_cast<std::uint8_t>(TRandom::Below(256)) : value;
}

bool TLex::FillChunk() {
  if (unread_ == 0) return false;
  const auto wanted = std::min(unread_, static_cast<std::int32_t>(chunk_.size()));
  const auto got = static_cast<std::int32_t>(stream_->rdbuf()->sgetn(chunk_.data(), wanted));
  // A stream shorter than it claimed reads as zero bytes.
  std::fill(chunk_.begin() + got, chunk_.begin() + wanted, '\0');
  unread_ -= wanted;
  chunkPos_ = 0;
  chunkEnd_ = wanted;
  return true;
}

void TLex::Advance() {
  ++pos_;
  ++col_;
  cur_ = ahead_;
  ahead_ = ReadByte();
  if (pos_ > size_) {
    atEnd_ = true;
    return;
  }
  CountLineEnd();
}

void TLex::CountLineEnd() {
  if (cur_ != LineEnd) return;
  col_ = 0;
  ++line_;
}

void TLex::SkipTo(std::int32_t position) {
  while (pos_ < position && !atEnd_) Advance();
}

bool TLex::CurIs(std::uint8_t charClasses) const { return !atEnd_ && Is(cur_, charClasses); }

bool TLex::CurIsChar(char c) const { return !atEnd_ && cur_ == static_cast<std::uint8_t>(c); }

void TLex::Take(TToken& token) {
  token.Text.push_back(static_cast<char>(cur_));
  Advance();
}

void TLex::TakeWhile(TToken& token, std::uint8_t charClasses) {
  while (CurIs(charClasses)) Take(token);
}

// ---- Tokens ----

void TLex::NextToken(TToken& token) {
  token.TokClass = tcNone;
  token.Code = tkNone;
  token.Text.clear();
  token.Line = line_;
  token.Col = col_;
  if (size_ <= 0) return;
  while (CurIs(ccBlank)) Advance();
  if (atEnd_) {
    token.TokClass = tcEOF;
    token.Code = tkEndOfInput;
    return;
  }
  token.Line = line_;
  token.Col = col_;
  if (Is(cur_, ccLetter))
    ScanIdentifier(token);
  else if (Is(cur_, ccDigit) || (cur_ == '.' && Is(ahead_, ccDigit)))
    ScanNumber(token);
  else
    ScanSymbol(token);
}

void TLex::ScanIdentifier(TToken& token) {
  TakeWhile(token, ccLetter | ccDigit);
  token.TokClass = tcIdentifier;
  token.Code = CodeOf(FindIn(keywords_, token.Text));
}

void TLex::ScanNumber(TToken& token) {
  token.TokClass = ScanNumberParts(token);
  // A letter glued to a number makes the whole of it unreadable.
  if (CurIs(ccLetter)) token.TokClass = tcNone;
}

// Integer part, fraction, exponent; stops at the first part that is
// malformed, keeping the characters taken so far.
TTokenClass TLex::ScanNumberParts(TToken& token) {
  if (cur_ != '.') TakeWhile(token, ccDigit);
  bool hasFraction = false;
  if (CurIsChar('.')) {
    if (ahead_ == '.') return tcInteger;  // 1..5 is a range
    Take(token);
    if (!CurIs(ccDigit)) return tcNone;
    TakeWhile(token, ccDigit);
    hasFraction = true;
  }
  if (CurIs(ccExponent)) return ScanExponent(token);
  return hasFraction ? tcReal : tcInteger;
}

TTokenClass TLex::ScanExponent(TToken& token) {
  Take(token);
  if (CurIs(ccSign)) Take(token);
  if (!CurIs(ccDigit)) return tcNone;
  TakeWhile(token, ccDigit);
  return tcReal;
}

// The longest registered symbol of at most two characters; a character that
// forms none stays a symbol with code 0.
void TLex::ScanSymbol(TToken& token) {
  const char pair[2] = {static_cast<char>(cur_), static_cast<char>(ahead_)};
  Take(token);
  token.TokClass = tcSymbol;
  token.Code = SymbolCode({pair, 1});
  if (!atEnd_) {
    if (const std::uint8_t pairCode = SymbolCode({pair, 2})) {
      Take(token);
      token.Code = pairCode;
    }
  }
  if (token.Code == tkNone) TakeRestOfCharacter(token, static_cast<std::uint8_t>(pair[0]));
  ScanByRole(token);
}

// Text is UTF-8: an unregistered character outside ASCII stays whole, so a
// message quotes "ä" and not its first byte. Only the continuation bytes its
// lead byte announces are taken; a stray byte stays alone.
void TLex::TakeRestOfCharacter(TToken& token, std::uint8_t lead) {
  int following = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  for (; following > 0 && !atEnd_ && (cur_ & 0xC0) == 0x80; --following) Take(token);
}

void TLex::ScanByRole(TToken& token) {
  if (token.Code == tkNone) return;
  if (token.Code == roles_[rlCommentOpen]) {
    token.TokClass = tcComment;
    ReadUpTo(token, RoleText(rlCommentClose), false);
  } else if (token.Code == roles_[rlLineComment]) {
    token.TokClass = tcComment;
    ReadUpTo(token, {&LineEnd, 1}, false);
  } else if (token.Code == roles_[rlQuote]) {
    ScanString(token);
  } else if (token.Code == roles_[rlHexPrefix]) {
    ScanPrefixedDigits(token, ccHexDigit, tcHex);
  } else if (token.Code == roles_[rlBinaryPrefix]) {
    ScanPrefixedDigits(token, ccBinaryDigit, tcBinary);
  }
}

// There is no escape for a quote: '' ends one string and begins another.
// The text loses its last character, which is the closing quote when the
// string was closed on its line; a string left open gets the quote's code.
void TLex::ScanString(TToken& token) {
  token.Text.clear();
  ReadUpTo(token, RoleText(rlQuote), true);
  const bool closed = !token.Text.empty() && token.Text.back() == RoleText(rlQuote)[0];
  if (!token.Text.empty()) token.Text.pop_back();
  token.TokClass = tcString;
  token.Code = closed ? std::uint8_t{tkNone} : roles_[rlQuote];
}

// The text keeps its prefix ($1F, #101); without a digit the token is unreadable.
void TLex::ScanPrefixedDigits(TToken& token, std::uint8_t digitClass, TTokenClass tokClass) {
  const std::size_t prefixLength = token.Text.size();
  TakeWhile(token, digitClass);
  token.Code = tkNone;
  token.TokClass = token.Text.size() > prefixLength ? tokClass : tcNone;
}

// Appends characters up to and including the terminator (one or two
// characters); the input ending first ends the reading.
void TLex::ReadUpTo(TToken& token, std::string_view terminator, bool stopBeforeLineEnd) {
  QASSERT(!terminator.empty(), "C24BAEA2");
  while (!atEnd_) {
    if (stopBeforeLineEnd && cur_ == LineEnd) return;
    const std::uint8_t taken = cur_;
    Take(token);
    if (taken != static_cast<std::uint8_t>(terminator[0])) continue;
    if (terminator.size() == 1) return;
    if (CurIsChar(terminator[1])) {
      Take(token);
      return;
    }
  }
}

// ---- Texts ----

std::string TLex::TokenText(const TToken& token) const { return TokenText(token.TokClass, token.Code); }

std::string TLex::TokenText(TTokenClass tokClass, std::uint8_t code) const {
  std::string text = std::size_t{tokClass} < std::size(ClassNames) ? ClassNames[tokClass] : ClassNames[tcNone];
  if ((tokClass == tcIdentifier || tokClass == tcSymbol) && code != tkNone)
    text += " \"" + CodeText(code) + "\"";
  return text;
}

std::string TLex::CodeText(std::uint8_t code) const {
  const TLexNode* entry = FindCodeIn(symbols_, code);
  if (!entry) entry = FindCodeIn(keywords_, code);
  return entry ? entry->Name() : std::string();
}

const TLexNode* TLex::FindEntry(std::string_view text) const {
  const TLexNode* entry = FindIn(symbols_, text);
  return entry ? entry : FindIn(keywords_, text);
}

// ---- Operators ----

std::uint8_t TLex::NewOperatorTag(const std::string& symbol) {
  if (const TLexNode* entry = FindEntry(symbol)) return entry->Code();
  // Checked before a tag is spent: such a symbol could never be read back as one token.
  if (symbol.empty() || Is(symbol[0], ccDigit)) return tkNone;
  if (tagCount_ == MaxOperatorTags) return Refuse("No more tags available", nullptr, NoPosition);
  ++tagCount_;
  const auto tag = static_cast<std::uint8_t>(tkFirstOperatorTag - 1 + tagCount_);
  if (Is(symbol[0], ccLetter))
    RegisterKeyword(symbol, tag);
  else
    RegisterSymbol(symbol, tag);
  return tag;
}

std::uint8_t TLex::DefineOperator(const std::string& symbol, bool unary, const TLib* lib, TSourcePos pos) {
  const TLexNode* entry = FindEntry(symbol);
  if (!entry || entry->Code() == tkNone) return Refuse("Undefined operator \"" + symbol + "\"", lib, pos);
  const std::uint8_t code = entry->Code();
  if (code == tkAssign) return Refuse("Assignment operation redefined", lib, pos);
  // Relational and additive operators may be declared either way.
  if (IsRelational(code) || IsAdditive(code)) return code;
  if (unary) {
    if (IsMultiplicative(code)) return Refuse("Operation \"" + symbol + "\" is redefined as unary", lib, pos);
    unary_.set(code);
  } else {
    if (IsUnary(code)) return Refuse("Operation \"" + symbol + "\" is redefined as binary", lib, pos);
    multiplicative_.set(code);
  }
  return code;
}

std::uint8_t TLex::Refuse(const std::string& message, const TLib* lib, TSourcePos pos) {
  ReportError(message, pos, lib);
  return tkNone;
}
