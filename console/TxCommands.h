#pragma once
// The editing commands of the text editor: codes 0..255 type their
// character; the others are these. Hosts run them by code from menus.

#include "toolkit/base/Handles.h"

enum TTxCommand : WORD {
  ecLeft = 257,
  ecUp = 258,
  ecRight = 259,
  ecDown = 260,
  ecSelLeft = 265,
  ecSelUp = 266,
  ecSelRight = 267,
  ecSelDown = 268,
  ecWordLeft = 269,
  ecWordRight = 270,
  ecSelWordLeft = 271,
  ecSelWordRight = 272,
  ecSelWord = 273,
  ecTopOfView = 274,
  ecBottomOfView = 275,
  ecPageUp = 276,
  ecPageDown = 277,
  ecSelPageUp = 278,
  ecSelPageDown = 279,
  ecLineStart = 280,
  ecLineEnd = 281,
  ecDocStart = 282,
  ecDocEnd = 283,
  ecSelLineStart = 284,
  ecSelLineEnd = 285,
  ecSelDocStart = 286,
  ecSelDocEnd = 287,
  ecSelectAll = 288,
  ecScrollUp = 289,
  ecScrollDown = 290,
  ecBlockInclusive = 356,  // .. 359: the block formats in their order
  ecBlockLine = 357,
  ecBlockColumn = 358,
  ecBlockNonInclusive = 359,
  ecNewLine = 377,
  ecBackspace = 378,
  ecDelete = 379,
  ecToggleInsert = 380,
  ecTab = 381,
  ecShiftTab = 382,
  ecBlockIndent = 383,
  ecBlockUnindent = 384,
  ecDeleteSelection = 387,
  ecCopy = 388,
  ecCut = 389,
  ecPaste = 390,
  ecDeleteLine = 391,
  ecDeleteWord = 392,
  ecUpperCase = 393,
  ecLowerCase = 394,
  ecSwapCase = 395,
  ecUndo = 396,
  ecRedo = 397,
  ecBeginCompound = 398,
  ecEndCompound = 399,
  ecBeginUpdate = 400,
  ecEndUpdate = 401,
  ecSetBookmark0 = 402,   // .. 411
  ecGotoBookmark0 = 412,  // .. 421
  ecCompleteIdentifier = 422,
  ecCompleteTemplate = 423,
  ecRecord = 424,
  ecPlayMacro = 425,
};

// The answer of the key map for the first key of a chord.
constexpr WORD ecChordPrefix = 0xFFFF;
