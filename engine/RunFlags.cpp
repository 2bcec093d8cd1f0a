#include "engine/RunFlags.h"

bool AbortFlag = false;
bool NoUIFlag = false;
bool BreakFlag = false;
bool ContinueFlag = false;
bool ExitFlag = false;
