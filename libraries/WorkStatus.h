#pragma once
// The one operation of the windows that built-in routines call: the status
// text of the workspace window (TWorkForm.SetStatusText), where the CSV
// importers show their progress. The window sets the handler; without one
// the text goes nowhere.

#include <functional>
#include <string>

using TStatusTextHandler = std::function<void(const std::string& text)>;

void SetWorkStatusHandler(TStatusTextHandler handler);

// Whether a window shows the text, so that callers compose it only then.
bool HasWorkStatusHandler();

// Processes window messages, sets the text and processes them again, so
// that the text is painted at once.
void SetWorkStatusText(const std::string& text);
