#pragma once
// The built-in operators on vectors and matrices: equality, the dot product,
// sums, differences, scaling by a real, the matrix product with matrices and
// vectors, and the prefix backquote that transposes a matrix. They belong
// to no library, so no unloading removes them. Their errors are reported
// without position or library.

class TCatalogue;

// Adds the 17 operators after those already there. The kinds "Vector" and
// "Matrix" must be registered (assertion "Assertion failure").
void RegisterVectorOperators(TCatalogue& catalogue);
