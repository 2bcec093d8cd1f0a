#pragma once
// Sound through Qt's audio output, played on a thread of its own so that a
// long script statement on the window thread does not starve it. Without
// an audio device, or once the device fails to open, it is silent (a
// TNullSoundBackend takes the requests).

#include "toolkit/win/PlaySound.h"

ISoundBackend& QtSoundBackend();
