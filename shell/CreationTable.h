#pragma once
// The program's windows, made once at start-up in the order of this table
// while the splash tells the progress, and freed in the reverse order at
// the end (the main window, made first, last). Each step's message goes to
// the splash before its windows are made, its progress after them.

#include <functional>
#include <string>
#include <vector>

struct TStartWindow {
  std::function<void()> Create;
  std::function<void()> Destroy;
  // Writes what Destroy would write, freeing nothing (the program ends
  // abruptly); nothing when the window was not made. Empty: nothing to write.
  std::function<void()> SaveSettings = nullptr;
};

struct TCreationStep {
  std::string Message;  // empty: none (the main window tells its own)
  std::vector<TStartWindow> Windows;
  int Progress = -1;    // -1: unchanged
};

const std::vector<TCreationStep>& CreationTable();
