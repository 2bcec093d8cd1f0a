#pragma once
// Drags through Qt: registered windows take Qt's drag events, and
// DoDragDrop runs a QDrag. Data travels as MIME data (QtMimeTypes.h).

#include "toolkit/win/DragDrop.h"

IDragSource& QtDragSource();
