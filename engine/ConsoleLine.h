#pragma once
// A line typed at the console, evaluated the one way the main window and
// the headless runner both use.

#include <string>

class ITarnscript;

// CreatesVariables lets an assignment to a new name make a Workspace
// variable (engine option 0); the option is off again on every path, also
// when a fault leaves the engine, so that no later line makes variables
// unasked. MultiLine lists a result over several lines. While a program
// runs, the engine refuses the line and the program keeps its option.
void EvaluateConsoleLine(ITarnscript& engine, const std::string& line, bool createsVariables, bool multiLine);
