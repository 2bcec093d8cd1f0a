#pragma once
// The one entry into the Qt backend: starts the process's Qt application and
// installs it as the window system under the toolkit. Call once from main()
// before any window exists; the application lives until the process ends.

void StartQtPlatform(int& argc, char** argv);

// While on, SIGTERM and SIGHUP (a kill, the desktop's logout) reach the
// window thread as TApplication::RequestEnd; off, they end the process as
// they do by default.
void HandleEndSignals(bool on);
