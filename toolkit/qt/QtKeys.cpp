#include "toolkit/qt/QtKeys.h"

#include <array>

#include <Qt>

#include "toolkit/win/Keys.h"

namespace {

struct TKeyPair {
  int Qt;
  WORD Virtual;
};

// Keys named alike on both sides; the first entry of a virtual key is the
// one synthesised input uses.
constexpr std::array<TKeyPair, 55> NamedKeys{{
    {Qt::Key_Escape, VK_ESCAPE},        {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},          {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Return, VK_RETURN},        {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Insert, VK_INSERT},        {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Pause, VK_PAUSE},          {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Home, VK_HOME},            {Qt::Key_End, VK_END},
    {Qt::Key_Left, VK_LEFT},            {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},          {Qt::Key_Down, VK_DOWN},
    {Qt::Key_PageUp, VK_PRIOR},         {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_Shift, VK_SHIFT},          {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},             {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_NumLock, VK_NUMLOCK},      {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Menu, VK_APPS},            {Qt::Key_Space, VK_SPACE},
    {Qt::Key_Help, VK_HELP},            {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Equal, VK_OEM_PLUS},       {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Minus, VK_OEM_MINUS},      {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Comma, VK_OEM_COMMA},      {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Period, VK_OEM_PERIOD},    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Semicolon, VK_OEM_1},      {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Slash, VK_OEM_2},          {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},      {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},      {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},   {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},     {Qt::Key_QuoteDbl, VK_OEM_7},
    {Qt::Key_Exclam, '1'},              {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},          {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
}};

// Keys that the keypad reports with their own codes.
constexpr std::array<TKeyPair, 6> KeypadKeys{{
    {Qt::Key_Asterisk, VK_MULTIPLY},
    {Qt::Key_Plus, VK_ADD},
    {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Slash, VK_DIVIDE},
    {Qt::Key_Period, VK_DECIMAL},
    {Qt::Key_Comma, VK_DECIMAL},
}};

// The shifted digits of the main keyboard not in NamedKeys.
constexpr std::array<TKeyPair, 4> ShiftedDigits{{
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
}};

template <size_t N>
WORD Find(const std::array<TKeyPair, N>& table, int qtKey) {
  for (const TKeyPair& pair : table)
    if (pair.Qt == qtKey) return pair.Virtual;
  return 0;
}

}  // namespace

WORD VirtualKeyOfQtKey(int qtKey, bool keypad) {
  if (keypad) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<WORD>(VK_NUMPAD0 + (qtKey - Qt::Key_0));
    if (const WORD key = Find(KeypadKeys, qtKey)) return key;
  }
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return static_cast<WORD>(qtKey);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<WORD>(VK_F1 + (qtKey - Qt::Key_F1));
  if (qtKey == Qt::Key_ParenRight) return '0';
  if (const WORD key = Find(NamedKeys, qtKey)) return key;
  return Find(ShiftedDigits, qtKey);
}

int QtKeyOfVirtualKey(WORD virtualKey) {
  if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) return virtualKey;
  if (virtualKey >= VK_F1 && virtualKey <= VK_F24) return Qt::Key_F1 + (virtualKey - VK_F1);
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD0 + 9) return Qt::Key_0 + (virtualKey - VK_NUMPAD0);
  for (const TKeyPair& pair : KeypadKeys)
    if (pair.Virtual == virtualKey) return pair.Qt;
  for (const TKeyPair& pair : NamedKeys)
    if (pair.Virtual == virtualKey) return pair.Qt;
  return Qt::Key_unknown;
}
