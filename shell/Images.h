#pragma once
// The pictures every window shares, made before any window: 16 x 16
// pictures in five lists. Norm and Hot (16 each, same order) serve the main
// window's tool bar, menus and actions and the consoles' line icons; SNorm,
// SDis and SHot (32 each) the tool windows' tool bars, menus and actions.
// Hot pictures are brighter, disabled ones greyed, both made from the
// normal ones. Slots without a meaning yet stay transparent.
//
// Norm: 0 main menu, 1 fatal error, 2 error, 3 warning, 4 information,
// 5 settings, 6 clear, 8 2D graph, 9 editor, 10 help, 11 copy, 12 3D graph,
// 13 plotter, 14 evaluator, 15 workspace.
// Small lists: 0 new program, 1 open, 2 save, 3 cut, 4 copy, 5 paste,
// 6 undo, 7 execute, 8 settings, 9 help, 10 new library, 12 add folder,
// 15 clear / remove, 16 refresh, 17 abort, 18 reset view, 21 close tab,
// 22 new variable, 23 rename variable, 24 edit variable, 25 import,
// 26 export, 27 load workspace, 28 save workspace, 29 load library,
// 30 unload library, 31 modify size.

#include "toolkit/controls/Component.h"
#include "toolkit/gdi/ImageList.h"

class TImages : public TComponent {
public:
  static constexpr int NormCount = 16;
  static constexpr int SmallCount = 32;

  // The first one made becomes the global Images.
  explicit TImages(TComponent* owner);
  ~TImages() override;

  TImageList Norm;
  TImageList Hot;
  TImageList SNorm;
  TImageList SDis;
  TImageList SHot;
};

// Nil until the main block makes the pictures.
extern TImages* Images;
