#pragma once
// Transparency helpers for PNG pictures of the toolkit's PNG class: the
// faded look of a disabled PNG glyph, and an item of a collection read
// without failing on a bad index.

#include <cstdint>

#include "toolkit/gdi/Color.h"

class TCollection;
class TCollectionItem;
class TPNGObject;

// Scales every alpha byte to alpha / 256 x (amount + 1), rounded to even;
// pixels of a single transparent colour get 0. Grey and indexed images
// become RGB with alpha (AddAlphaLayer), RGB ones gain an alpha channel.
void MakeHalfTransparent(TPNGObject& image, std::uint8_t amount);
// Replaces the image by an RGB image with alpha of its colours: alpha 0
// where singleColour holds and the colour is key, amount elsewhere.
void AddAlphaLayer(bool singleColour, TColor key, TPNGObject& image, std::uint8_t amount);
// Null for an index below 0 or not below the count.
TCollectionItem* ItemOrNil(const TCollection& collection, int index);
