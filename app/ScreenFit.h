#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>

namespace tombreli {

// Where a window whose client area is `window` (and whose frame adds `frame`
// around it) goes so as to lie within `available`: its own place when it
// fits there, else moved just enough; a window larger than `available`
// keeps its top left corner (frame included) in view. Returns the client
// area's new top left.
QPoint fitOnScreen(const QRect& window, const QMargins& frame, const QRect& available);

} // namespace tombreli
