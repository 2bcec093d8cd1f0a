#pragma once
// The desktop's message boxes and clipboard, for the Qt platform start.

#include "toolkit/controls/Clipboard.h"
#include "toolkit/win/MessageBox.h"

IMessageBoxes& QtMessageBoxes();
IClipboardStore& QtClipboardStore();
