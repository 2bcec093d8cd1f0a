#pragma once
// The skin demo's page "sections": every section of the test skin painted
// in the normal, hot and pressed states over a checked parent picture,
// each with its caption in the section's text colours.

#include <memory>

class TBitmap;
class TForm;

TForm* CreateSectionsPage();
// A checked 24-bit picture, so that what is transparent shows what lies
// behind it; the demo's pages draw over it.
std::unique_ptr<TBitmap> CheckedPicture(int width, int height);
