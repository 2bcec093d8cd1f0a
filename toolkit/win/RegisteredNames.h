#pragma once
// Numbers given to names from 0xC000 (registered window messages and
// clipboard formats). As on the platform, both share one table: a name gets
// the same number whatever it is registered as. Names compare ignoring case.

#include <string>

#include "toolkit/base/Handles.h"

// 0 for an empty name.
UINT RegisterName(const std::string& name);
// The name as first registered; empty for a number no name has.
std::string RegisteredName(UINT number);
