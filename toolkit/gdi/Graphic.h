#pragma once
// What picture classes share: their progress report while a picture loads,
// and the faults of reading a picture file.

#include <functional>
#include <string>

#include "runtime/Exceptions.h"
#include "toolkit/base/Rect.h"

class TBitmap;

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
