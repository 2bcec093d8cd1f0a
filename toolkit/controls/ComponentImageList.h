#pragma once
// An image list that is a component: its owner frees it, a form stream
// loads it, and it hears when the loading ends (Loaded) like any component.

#include "toolkit/controls/Component.h"
#include "toolkit/gdi/ImageList.h"

class TComponentImageList : public TComponent, public TImageList {
public:
  // owner may be null.
  explicit TComponentImageList(TComponent* owner, int width = 16, int height = 16)
      : TComponent(owner), TImageList(width, height) {}
};
