#pragma once
// The one entry into the Qt backend: starts the process's Qt application and
// installs it as the window system under the toolkit. Call once from main()
// before any window exists; the application lives until the process ends.

void StartQtPlatform(int& argc, char** argv);
