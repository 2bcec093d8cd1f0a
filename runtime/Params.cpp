#include "runtime/Params.h"

constinit TParams Params;
