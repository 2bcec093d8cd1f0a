#pragma once
// The hidden library _SysMath: numeric routines for libraries written in
// Tarnscript. Its name starts with "_", so the library enumeration never
// shows it, but its routines are found by name like any other.

class TCatalogue;

void RegisterSysMathLibrary(TCatalogue& catalogue);
