#pragma once
// Pictures of any format, as a canvas draws them (TCanvas::Draw and
// StretchDraw hand them the rectangle) and as files and streams hold them;
// their progress report while a picture loads, and the faults of reading a
// picture file.

#include <functional>
#include <istream>
#include <string>

#include "runtime/Exceptions.h"
#include "runtime/Object.h"
#include "toolkit/base/Rect.h"

class TBitmap;
class TCanvas;

enum TProgressStage { psStarting, psRunning, psEnding };

// Sender, stage, percent done, whether the part in rect should be redrawn
// now, the part of the picture that is ready, and a message for the user.
using TProgressEvent =
    std::function<void(TBitmap& sender, TProgressStage stage, int percentDone, bool redrawNow, const TRect& rect,
                       const std::string& message)>;

// A picture file whose content this reader cannot take.
class EInvalidGraphic : public EQuantrelError {
public:
  using EQuantrelError::EQuantrelError;
};

// The decompressor of a picture's data could not start or end.
class EGraphicCompression : public EQuantrelError {
public:
  using EQuantrelError::EQuantrelError;
};

class TGraphic : public TPersistent {
public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // No pixels.
  virtual bool Empty() const = 0;
  // Whether drawing leaves some pixels of the target as they were (a
  // bitmap's transparent colour, an icon's alpha).
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { transparent_ = transparent; }

  // Reads the file through LoadFromStream; raises EQuantrelError
  // "Cannot open file "<name>"" when it cannot be opened.
  void LoadFromFile(const std::string& fileName);
  // Raises EQuantrelError with the format's own text for data it cannot read.
  virtual void LoadFromStream(std::istream& stream) = 0;
  // Takes the source's picture; EConvertError "Cannot assign a <source
  // class> to a <this class>" when this kind of picture cannot hold it.
  virtual void Assign(const TGraphic& source) = 0;
  // Draws the picture scaled into rect.
  virtual void Draw(TCanvas& canvas, const TRect& rect) const = 0;

protected:
  [[noreturn]] void CannotAssign(const TGraphic& source) const;

private:
  bool transparent_ = false;
};
