#pragma once
// Drives the desktop's own modal dialogs (message boxes, file dialogs) as a
// user would, for tests and tools: an action that runs once a dialog shows,
// and key presses, button clicks and the close box on the dialog showing.

#include <functional>
#include <string>
#include <vector>

#include "toolkit/base/Handles.h"

// Runs the action from the event loop as soon as a modal dialog is showing;
// gives up after timeoutMilliseconds without one.
void WhenModalDialogShown(std::function<void()> action, int timeoutMilliseconds = 5000);

bool ModalDialogShowing();
std::string ModalDialogTitle();
bool ModalDialogStaysOnTop();
// The texts of its visible buttons, mnemonic marks removed, left to right.
std::vector<std::string> ModalDialogButtons();
// False when no button has that text.
bool ClickModalDialogButton(const std::string& text);
// Key events delivered through the dialog's window, as the desktop delivers them.
void PressModalDialogKey(WORD virtualKey, const std::string& text = "");
void TypeIntoModalDialog(const std::string& text);
void CloseModalDialog();
// Saves a picture of the dialog showing (a PNG); false when that fails.
bool SaveModalDialogPicture(const std::string& fileName);
