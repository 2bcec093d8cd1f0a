#pragma once
// The program's main block: makes the settings store, the options, the
// desktop platform, the data sources, the pictures and the main window,
// runs the windows until the main window closes and then frees everything
// in the reverse order, writing the settings. Argv[1], when given, is a
// file to run once the main window shows.

int RunProgram(int argc, char** argv);
