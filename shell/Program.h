#pragma once
// The program's main block. The single-instance gate comes first: a start
// that hands its file to a running copy ends there, before any settings,
// plug-in or window system. Otherwise it makes the settings store, the
// options, the desktop platform, the data sources, the splash, the
// pictures and the windows of the creation table, runs the windows until
// the main window closes and then frees everything in the reverse order,
// writing the settings. The first argument, when given, is a file to run
// once the main window shows.

#include <string>
#include <vector>

class ILoadProgress;
struct TCreationStep;

// What one start is given; tests run the program in process with their own
// (and their own settings folder through XDG_CONFIG_HOME).
struct TProgramStart {
  // Without the program.
  std::vector<std::string> Arguments;
  // The program file as the single-instance control knows it (its key);
  // empty: the running program's.
  std::string ProgramFile;
  // Told each splash message and progress as well.
  ILoadProgress* ProgressWatcher = nullptr;
  // The windows to make; nullptr: CreationTable().
  const std::vector<TCreationStep>* Table = nullptr;
};

// The exit status: 0 after a run or a hand-over; non-zero when a window
// could not be made (after the application's error box).
// Argc lives as long as the process: the desktop platform keeps it.
int RunProgram(int& argc, char** argv, const TProgramStart& start);
// With the process's own arguments.
int RunProgram(int& argc, char** argv);
