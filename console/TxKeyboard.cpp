#include "console/TxKeyboard.h"

#include "console/TxCommands.h"
#include "toolkit/win/Keys.h"

namespace {

constexpr TShiftState ShiftStates = ssShift | ssAlt | ssCtrl;
constexpr TShiftState None = 0;
constexpr TShiftState Ctrl = ssCtrl;
constexpr TShiftState Shift = ssShift;
constexpr TShiftState CtrlShift = ssCtrl | ssShift;

struct TSingle {
  WORD command;
  WORD key;
  TShiftState shift;
};

constexpr TSingle Singles[] = {
    {ecLeft, VK_LEFT, None},          {ecUp, VK_UP, None},
    {ecRight, VK_RIGHT, None},        {ecDown, VK_DOWN, None},
    {ecSelLeft, VK_LEFT, Shift},      {ecSelUp, VK_UP, Shift},
    {ecSelRight, VK_RIGHT, Shift},    {ecSelDown, VK_DOWN, Shift},
    {ecWordLeft, VK_LEFT, Ctrl},      {ecWordRight, VK_RIGHT, Ctrl},
    {ecSelWordLeft, VK_LEFT, CtrlShift}, {ecSelWordRight, VK_RIGHT, CtrlShift},
    {ecTopOfView, VK_PRIOR, Ctrl},    {ecBottomOfView, VK_NEXT, Ctrl},
    {ecPageUp, VK_PRIOR, None},       {ecPageDown, VK_NEXT, None},
    {ecSelPageUp, VK_PRIOR, Shift},   {ecSelPageDown, VK_NEXT, Shift},
    {ecLineStart, VK_HOME, None},     {ecLineEnd, VK_END, None},
    {ecDocStart, VK_HOME, Ctrl},      {ecDocEnd, VK_END, Ctrl},
    {ecSelLineStart, VK_HOME, Shift}, {ecSelLineEnd, VK_END, Shift},
    {ecSelDocStart, VK_HOME, CtrlShift}, {ecSelDocEnd, VK_END, CtrlShift},
    {ecSelectAll, 'A', Ctrl},         {ecScrollUp, VK_UP, Ctrl},
    {ecScrollDown, VK_DOWN, Ctrl},    {ecNewLine, VK_RETURN, None},
    {ecNewLine, 'N', Ctrl},           {ecBackspace, VK_BACK, None},
    {ecDelete, VK_DELETE, None},      {ecToggleInsert, VK_INSERT, None},
    {ecTab, VK_TAB, None},            {ecShiftTab, VK_TAB, Shift},
    {ecDeleteSelection, VK_DELETE, Ctrl}, {ecCopy, VK_INSERT, Ctrl},
    {ecCopy, 'C', Ctrl},              {ecCut, VK_DELETE, Shift},
    {ecCut, 'X', Ctrl},               {ecPaste, VK_INSERT, Shift},
    {ecPaste, 'V', Ctrl},             {ecDeleteLine, 'Y', Ctrl},
    {ecDeleteWord, 'T', Ctrl},        {ecUndo, 'Z', Ctrl},
    {ecUndo, VK_BACK, ssAlt},         {ecCompleteIdentifier, VK_SPACE, Ctrl},
    {ecCompleteTemplate, 'J', Ctrl},  {ecRecord, 'R', CtrlShift},
    {ecPlayMacro, 'P', CtrlShift},
};

struct TChord {
  WORD command;
  WORD prefix;  // pressed with Ctrl
  WORD key;
};

// Second keys of Ctrl+Q work with and without Ctrl; of Ctrl+K and Ctrl+O only with it.
constexpr TChord QuickChords[] = {
    {ecLeft, 'Q', 'P'},        {ecTopOfView, 'Q', 'E'}, {ecTopOfView, 'Q', 'T'}, {ecBottomOfView, 'Q', 'U'},
    {ecBottomOfView, 'Q', 'X'}, {ecLineStart, 'Q', 'S'}, {ecLineEnd, 'Q', 'D'},  {ecDocStart, 'Q', 'R'},
    {ecDocEnd, 'Q', 'C'},
};

constexpr TChord CtrlChords[] = {
    {ecSelWord, 'K', 'T'},         {ecBlockIndent, 'K', 'I'},   {ecBlockUnindent, 'K', 'U'},
    {ecUpperCase, 'K', 'O'},       {ecLowerCase, 'K', 'N'},     {ecBlockInclusive, 'O', 'I'},
    {ecBlockColumn, 'O', 'C'},     {ecBlockNonInclusive, 'O', 'K'}, {ecSwapCase, 'O', 'U'},
};

}  // namespace

void TTxKeyboard::Add(WORD command, WORD key, TShiftState shift) { keys_.push_back({key, 0, shift, 0, command}); }

void TTxKeyboard::Add2(WORD command, WORD key1, TShiftState shift1, WORD key2, TShiftState shift2) {
  keys_.push_back({key1, key2, shift1, shift2, command});
}

WORD TTxKeyboard::Command(WORD key, TShiftState shift) const {
  shift &= ShiftStates;
  for (const TTxEditKey& entry : keys_)
    if (entry.Key1 == key && entry.Shift1 == shift) return entry.Key2 ? ecChordPrefix : entry.Command;
  return 0;
}

WORD TTxKeyboard::Command2(WORD key1, TShiftState shift1, WORD key2, TShiftState shift2) const {
  shift1 &= ShiftStates;
  shift2 &= ShiftStates;
  for (const TTxEditKey& entry : keys_)
    if (entry.Key1 == key1 && entry.Shift1 == shift1 && entry.Key2 == key2 && entry.Shift2 == shift2)
      return entry.Command;
  return 0;
}

void TTxKeyboard::SetDefaultLayout() {
  Clear();
  for (const TSingle& single : Singles) Add(single.command, single.key, single.shift);
  for (const TChord& chord : QuickChords) {
    Add2(chord.command, chord.prefix, Ctrl, chord.key, None);
    Add2(chord.command, chord.prefix, Ctrl, chord.key, Ctrl);
  }
  for (const TChord& chord : CtrlChords) Add2(chord.command, chord.prefix, Ctrl, chord.key, Ctrl);
  for (WORD digit = 0; digit <= 9; ++digit) {
    const WORD key = static_cast<WORD>('0' + digit);
    Add(static_cast<WORD>(ecSetBookmark0 + digit), key, CtrlShift);
    Add2(static_cast<WORD>(ecSetBookmark0 + digit), 'K', Ctrl, key, None);
    Add2(static_cast<WORD>(ecSetBookmark0 + digit), 'K', Ctrl, key, Ctrl);
    Add(static_cast<WORD>(ecGotoBookmark0 + digit), key, Ctrl);
    Add2(static_cast<WORD>(ecGotoBookmark0 + digit), 'Q', Ctrl, key, None);
    Add2(static_cast<WORD>(ecGotoBookmark0 + digit), 'Q', Ctrl, key, Ctrl);
  }
}
