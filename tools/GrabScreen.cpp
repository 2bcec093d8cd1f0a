// grab-screen FILE.png: saves what the display shows, every program's
// windows included (scripts/program-screenshot.sh).

#include <iostream>

#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/Screenshot.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: grab-screen FILE.png\n";
    return 2;
  }
  StartQtPlatform(argc, argv);
  if (SaveScreen(argv[1])) return 0;
  std::cerr << "grab-screen: cannot save " << argv[1] << '\n';
  return 1;
}
