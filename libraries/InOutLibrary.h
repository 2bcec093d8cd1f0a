#pragma once
// The catalogue of the standard library InOut: data sources opened and
// closed by scripts, and the routines that move data over them. Every Write
// routine is also an export routine and every Read routine an import
// routine of the type of its second parameter.

class TCatalogue;

void RegisterInOutLibrary(TCatalogue& catalogue);
