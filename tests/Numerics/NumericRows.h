#pragma once
// 1-based numeric vectors and matrices built from and read back into
// nested lists, so tests state their values as literals.

#include <cstdint>
#include <vector>

#include "Numerics/NXMatrix.h"
#include "Numerics/NXVector.h"

using Reals = std::vector<long double>;
using Rows = std::vector<Reals>;

inline TNMatrix MatrixOf(const Rows& rows) {
  TNMatrix m(static_cast<std::int32_t>(rows.size()), static_cast<std::int32_t>(rows[0].size()));
  for (std::int32_t i = 1; i <= m.GetRows(); ++i)
    for (std::int32_t j = 1; j <= m.GetCols(); ++j) m.SetItem(i, j, rows[i - 1][j - 1]);
  return m;
}

inline Reals Elements(const TNVector& v) { return Reals(v.Data(), v.Data() + v.GetSize()); }

inline Rows Elements(const TNMatrix& m) {
  Rows rows(m.GetRows(), Reals(m.GetCols()));
  for (std::int32_t i = 1; i <= m.GetRows(); ++i)
    for (std::int32_t j = 1; j <= m.GetCols(); ++j) rows[i - 1][j - 1] = m.GetItem(i, j);
  return rows;
}
