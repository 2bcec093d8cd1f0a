#pragma once
// The Qt painter behind a device context, for the Qt backend's own files:
// one QPainter per surface bitmap, kept open between drawing calls and set
// up again only when another device context or a changed state uses it.

#include "toolkit/gdi/Color.h"

class QColor;
class QPainter;
class TDeviceContext;

QColor QColorOf(TColor color);

// The painter for drawing through dc: clipped to where dc may draw, with
// logical coordinates; callers set pen, brush and composition mode.
QPainter& PainterFor(TDeviceContext& dc);
// After a caller narrowed the painter's clip for one call.
void ForgetPainterState(TDeviceContext& dc);
