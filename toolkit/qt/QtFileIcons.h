#pragma once
// The desktop's file icons, for the Qt platform start.

#include "toolkit/win/FileIcons.h"

IFileIcons& QtFileIcons();
