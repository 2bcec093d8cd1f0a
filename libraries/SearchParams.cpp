#include "libraries/SearchParams.h"

#include <cmath>
#include <limits>

#include "libraries/ArrayArgs.h"
#include "runtime/Exceptions.h"

long double ParamOr(const TArrVar& params, int position, long double fallback) {
  return params.Count() >= position ? RealAt(params, position - 1) : fallback;
}

std::int32_t CountParam(const TArrVar& params, int position, std::int32_t fallback) {
  if (params.Count() < position) return fallback;
  const long double count = std::trunc(RealAt(params, position - 1));
  if (!(count >= std::numeric_limits<std::int32_t>::min() && count <= std::numeric_limits<std::int32_t>::max()))
    throw ERangeError();
  return count < 1 ? fallback : static_cast<std::int32_t>(count);
}

long double ToleranceParam(const TArrVar& params, int position, long double fallback) {
  const long double tolerance = ParamOr(params, position, fallback);
  return tolerance < 0 ? fallback : tolerance;
}
