#pragma once
// Helpers of the toolkit tests: message boxes that answer by themselves,
// running Qt's events and the window messages until nothing is waiting,
// rendering windows and looking at their pixels.

#include <string>
#include <vector>

#include "toolkit/controls/Application.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/win/MessageBox.h"
#include "toolkit/win/Paint.h"

// Answers every box at once and remembers what each one said.
class TRecordingMessageBoxes : public IMessageBoxes {
public:
  struct TShown {
    std::string Text;
    std::string Caption;
    UINT Type;
  };

  TRecordingMessageBoxes() : previous_(MessageBoxes()) { SetMessageBoxes(this); }
  ~TRecordingMessageBoxes() override { SetMessageBoxes(previous_); }

  int Show(HWND, const std::string& text, const std::string& caption, UINT type) override {
    Shown.push_back({text, caption, type});
    return Answer;
  }

  std::vector<TShown> Shown;
  int Answer = IDOK;

private:
  IMessageBoxes* previous_;
};

// Qt's events, then the messages they caused, until both are quiet.
inline void ProcessEverything() {
  for (int round = 0; round < 5; ++round) Application().ProcessMessages();
}

// What the window and its children show, after pending painting, as a
// 32-bit bitmap of the window's size.
inline void RenderInto(HWND window, TBitmap& bitmap) {
  const auto image = RenderWindow(window);
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(image->Width(), image->Height());
  std::vector<uint32_t> row(static_cast<size_t>(image->Width()));
  for (int y = 0; y < image->Height(); ++y) {
    image->FetchRow(y, 0, image->Width(), row.data());
    bitmap.Handle()->StoreRow(y, 0, image->Width(), row.data());
  }
}

inline int CountPixels(const TGdiBitmap& image, const TRect& area, TColor color) {
  int count = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (image.Pixel(x, y) == color) ++count;
  return count;
}

// The bounds of every pixel in the area that differs from the background.
inline TRect InkBounds(const TGdiBitmap& image, const TRect& area, TColor background) {
  TRect ink{area.Right, area.Bottom, area.Left, area.Top};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (image.Pixel(x, y) != background) {
        ink.Left = std::min(ink.Left, x);
        ink.Top = std::min(ink.Top, y);
        ink.Right = std::max(ink.Right, x + 1);
        ink.Bottom = std::max(ink.Bottom, y + 1);
      }
  return IsRectEmpty(ink) ? TRect{} : ink;
}
