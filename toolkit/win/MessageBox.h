#pragma once
// Message boxes, shown through a replaceable implementation: the desktop's
// dialogs in the program, a scripted answerer in tests.

#include <string>

#include "toolkit/base/Handles.h"

constexpr UINT MB_OK = 0x00;
constexpr UINT MB_OKCANCEL = 0x01;
constexpr UINT MB_ABORTRETRYIGNORE = 0x02;
constexpr UINT MB_YESNOCANCEL = 0x03;
constexpr UINT MB_YESNO = 0x04;
constexpr UINT MB_RETRYCANCEL = 0x05;
constexpr UINT MB_CANCELTRYCONTINUE = 0x06;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_DEFBUTTON2 = 0x100;
// A Help button beside the others.
constexpr UINT MB_HELP = 0x4000;
// Raise the box to the front, and keep it above every window.
constexpr UINT MB_SETFOREGROUND = 0x10000;
constexpr UINT MB_TOPMOST = 0x40000;
constexpr UINT MB_TYPEMASK = 0x0F;
constexpr UINT MB_ICONMASK = 0xF0;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDTRYAGAIN = 10;
constexpr int IDCONTINUE = 11;

// The kind of a message dialog, which chooses its icon and default caption.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// The buttons of a message dialog.
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYes = 0x001;
constexpr TMsgDlgButtons mbNo = 0x002;
constexpr TMsgDlgButtons mbOK = 0x004;
constexpr TMsgDlgButtons mbCancel = 0x008;
constexpr TMsgDlgButtons mbAbort = 0x010;
constexpr TMsgDlgButtons mbRetry = 0x020;
constexpr TMsgDlgButtons mbIgnore = 0x040;
constexpr TMsgDlgButtons mbAll = 0x080;
constexpr TMsgDlgButtons mbNoToAll = 0x100;
constexpr TMsgDlgButtons mbYesToAll = 0x200;
constexpr TMsgDlgButtons mbHelp = 0x400;

class IMessageBoxes {
public:
  virtual ~IMessageBoxes() = default;
  // Shows the box and answers the ID* of the button chosen.
  virtual int Show(HWND owner, const std::string& text, const std::string& caption, UINT type) = 0;
};

// Installs the implementation (the caller keeps ownership); nullptr: none.
void SetMessageBoxes(IMessageBoxes* boxes);
IMessageBoxes* MessageBoxes();
// 0 when no implementation is installed (the text goes to standard error).
int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
