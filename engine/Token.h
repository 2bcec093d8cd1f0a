#pragma once
// Tokens of Tarnscript: their classes and their one-byte codes. The codes of
// keywords and symbols are fixed (1 to 76): the console's syntax colouring and
// stored settings depend on them. Codes 78 to 254 are handed out at run time
// to operator symbols that scripts declare; 77 is never used.

#include <cstdint>
#include <string>

enum TTokenClass : std::uint8_t {
  tcNone = 0,
  tcInteger = 1,
  tcHex = 2,
  tcBinary = 3,
  tcReal = 4,
  tcIdentifier = 5,  // keywords too, with their code
  tcString = 6,
  tcSymbol = 7,
  tcComment = 8,
  tcEOF = 9,
};

enum TTokenCode : std::uint8_t {
  tkNone = 0,  // a plain identifier, or a symbol that is not registered
  tkEndOfInput = 1,
  tkCommentOpen = 2,   // (*
  tkCommentClose = 3,  // *)
  tkLineComment = 4,   // //
  tkQuote = 5,         // '; also the code of a string not closed on its line
  tkAssign = 6,        // :=
  tkPlus = 7,
  tkMinus = 8,
  tkStar = 9,
  tkDiv = 10,
  tkSlash = 11,
  tkMod = 12,
  tkShl = 13,
  tkShr = 14,
  tkAnd = 15,
  tkOr = 16,
  tkNot = 17,
  tkXor = 18,
  tkEqual = 19,
  tkLess = 20,
  tkGreater = 21,
  tkLessEqual = 22,
  tkGreaterEqual = 23,
  tkIn = 24,
  tkNotEqual = 25,  // <>
  tkLeftParen = 26,
  tkRightParen = 27,
  tkDot = 28,
  tkColon = 29,
  tkSemicolon = 30,
  tkComma = 31,
  tkLibrary = 32,
  tkBegin = 33,
  tkEnd = 34,
  tkConst = 35,
  tkVar = 36,
  tkFunction = 37,
  tkProcedure = 38,
  tkType = 39,
  tkRecord = 40,
  tkSet = 41,
  tkIf = 42,
  tkFor = 43,
  tkRepeat = 44,
  tkWhile = 45,
  tkDo = 46,
  tkUntil = 47,
  tkTo = 48,
  tkDownto = 49,
  tkContinue = 50,
  tkBreak = 51,
  tkExit = 52,
  tkThen = 53,
  tkElse = 54,
  tkCase = 55,
  tkWith = 56,
  tkArray = 57,
  tkLeftBracket = 58,
  tkRightBracket = 59,
  tkOf = 60,
  tkRange = 61,      // ..
  tkOperator = 62,
  tkHexPrefix = 63,  // $
  tkLeftBrace = 64,
  tkRightBrace = 65,
  tkCaret = 66,
  tkBinaryPrefix = 67,  // #
  tkProgram = 68,
  tkBackquote = 69,
  tkInterfaced = 70,
  tkTypestr = 71,
  tkTypeout = 72,
  tkTypeconv = 73,
  tkUses = 74,
  tkVarimport = 75,
  tkVarexport = 76,
  tkFirstOperatorTag = 78,
  tkLastOperatorTag = 254,
};

struct TToken {
  std::int32_t Line = 0;  // 1-based, of the token's first character
  std::int32_t Col = 0;   // 1-based
  TTokenClass TokClass = tcNone;
  std::uint8_t Code = tkNone;
  std::string Text;
};
