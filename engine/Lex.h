#pragma once
// The lexer: turns a byte stream of Tarnscript text into tokens. It owns the
// keyword and symbol tables (text -> one-byte token code), the symbols with
// a special role (comment brackets, line comment, quote, number prefixes),
// the operator classes that decide each operator token's precedence, and the
// tags handed out to operator symbols that scripts declare.
//
// It needs no engine: the console's syntax colouring runs its own lexer over
// one line at a time. The compiler's reading operations sit on top of it
// (TokenReader.h).
//
// Reading is one byte at a time with one byte of look-ahead; a token's text
// is appended into the caller's token, whose storage is reused.

#include <array>
#include <bitset>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "engine/HashTab.h"
#include "engine/MessageChannel.h"
#include "engine/Token.h"

class TLib;

// A keyword or symbol with its token code.
class TLexNode : public THashNode {
public:
  TLexNode(std::string text, std::uint8_t code) : THashNode(std::move(text)), code_(code) {}
  std::uint8_t Code() const { return code_; }

private:
  std::uint8_t code_;
};

class TLex {
public:
  static constexpr int MaxOperatorTags = tkLastOperatorTag - tkFirstOperatorTag + 1;
  // Bytes of the longest symbol (a character outside ASCII may need more).
  static constexpr std::size_t MaxSymbolLength = 2;

  TLex();
  TLex(const TLex&) = delete;
  TLex& operator=(const TLex&) = delete;

  // Binds a stream (not owned; nil detaches) and rewinds it. Seed -1 reads
  // plain text; any other value seeds the process-wide generator and every
  // byte read is XORed with its next byte (packaged library text).
  // A stream longer than 2^31 - 1 bytes is an ERangeError.
  void SetInput(std::istream* stream, std::int32_t seed);
  // Comments are tokens too (tcComment). On an empty input the token stays
  // tcNone; at the end of a non-empty one it is tcEOF.
  void NextToken(TToken& token);
  // Reads on until Pos() reaches position or the input ends; nothing when
  // Pos() is already there or beyond.
  void SkipTo(std::int32_t position);

  // The class name, and for identifiers and symbols with a code the code's
  // registered text in double quotes: Symbol ")" or Identifier "begin".
  std::string TokenText(const TToken& token) const;
  std::string TokenText(TTokenClass tokClass, std::uint8_t code) const;
  // Registered text of a code; empty when the code is not registered.
  std::string CodeText(std::uint8_t code) const;
  // The symbol table first, then the keyword table; case-insensitive.
  const TLexNode* FindEntry(std::string_view text) const;

  // The code of a known symbol, else a new tag (78 ... 254) registered for
  // it. Refusals give 0: a symbol that is empty or begins with a digit, and
  // every request once the tags have run out ("No more tags available").
  std::uint8_t NewOperatorTag(const std::string& symbol);
  // Admits a tagged symbol as a declared operator, reporting refusals at pos
  // in lib and giving 0; else the code. An operator that is new to every
  // class binds like "*" when binary and like "not" when unary.
  std::uint8_t DefineOperator(const std::string& symbol, bool unary, const TLib* lib, TSourcePos pos);

  // Operator classes, by token code.
  bool IsRelational(std::uint8_t code) const { return relational_[code]; }
  bool IsAdditive(std::uint8_t code) const { return additive_[code]; }
  bool IsMultiplicative(std::uint8_t code) const { return multiplicative_[code]; }
  bool IsUnary(std::uint8_t code) const { return unary_[code]; }
  bool IsDeclarationStarter(std::uint8_t code) const { return declarationStarters_[code]; }

  // 1-based index of the current character, the next one a token takes;
  // after the last character, Size() + 1.
  std::int32_t Pos() const { return pos_; }
  std::int32_t Size() const { return size_; }
  // Position of the current character. A line feed counts as column 0 of
  // the line it begins, so the first character after it is column 1.
  std::int32_t Line() const { return line_; }
  std::int32_t Col() const { return col_; }
  bool AtEnd() const { return atEnd_; }
  bool Scrambled() const { return scrambled_; }
  int TagCount() const { return tagCount_; }

private:
  void RegisterFixedEntries();
  void AddEntry(THashTab& table, std::string text, std::uint8_t code, const char* duplicateTag);
  void RegisterKeyword(std::string text, std::uint8_t code);
  void RegisterSymbol(std::string text, std::uint8_t code);
  std::uint8_t SymbolCode(std::string_view text) const;
  std::uint8_t Refuse(const std::string& message, const TLib* lib, TSourcePos pos);

  std::uint8_t ReadByte();
  bool FillChunk();
  void Advance();
  void CountLineEnd();
  bool CurIs(std::uint8_t charClasses) const;
  bool CurIsChar(char c) const;
  void Take(TToken& token);
  void TakeWhile(TToken& token, std::uint8_t charClasses);

  void ScanIdentifier(TToken& token);
  void ScanNumber(TToken& token);
  TTokenClass ScanNumberParts(TToken& token);
  TTokenClass ScanExponent(TToken& token);
  void ScanSymbol(TToken& token);
  void TakeRestOfCharacter(TToken& token, std::uint8_t lead);
  void ScanByRole(TToken& token);
  void ScanString(TToken& token);
  void ScanPrefixedDigits(TToken& token, std::uint8_t digitClass, TTokenClass tokClass);
  void ReadUpTo(TToken& token, std::string_view terminator, bool stopBeforeLineEnd);

  THashTab keywords_;  // keywords and operator names made of letters
  THashTab symbols_;   // symbols of one or two characters
  // The token code that plays each special role (0: none), by TRole.
  std::array<std::uint8_t, 8> roles_{};
  int tagCount_ = 0;

  std::bitset<256> relational_;
  std::bitset<256> additive_;
  std::bitset<256> multiplicative_;
  std::bitset<256> unary_;
  std::bitset<256> declarationStarters_;

  std::istream* stream_ = nullptr;
  std::int32_t unread_ = 0;  // bytes of the stream not yet fetched into the chunk
  // Raw bytes fetched from the stream ahead of Cur and Ahead; unscrambled
  // one at a time as they are read, so the generator advances exactly as the
  // text is read.
  std::array<char, 4096> chunk_;
  std::int32_t chunkPos_ = 0;
  std::int32_t chunkEnd_ = 0;
  std::int32_t pos_ = 0;
  std::int32_t size_ = 0;
  std::int32_t line_ = 0;
  std::int32_t col_ = 0;
  std::uint8_t cur_ = 0;
  std::uint8_t ahead_ = 0;  // 0 past the end of the stream
  bool atEnd_ = true;
  bool scrambled_ = false;
};
