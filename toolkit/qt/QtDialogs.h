#pragma once
// The desktop's message boxes, common dialogs and clipboard, for the Qt
// platform start.

#include <string>

#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Dialogs.h"
#include "toolkit/win/MessageBox.h"

IMessageBoxes& QtMessageBoxes();
ICommonDialogs& QtCommonDialogs();
IClipboardStore& QtClipboardStore();
// A filter as Qt's file dialog takes it: "Description (mask mask)".
std::string QtNameFilter(const TFileFilter& filter);
