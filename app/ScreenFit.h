#pragma once

#include <QPoint>
#include <QRect>

namespace tombreli {

// Where a window whose frame takes `outer` goes so as to lie within
// `available`: its own place when it fits there, else moved just enough; a
// window larger than `available` keeps its top left corner in view. Returns
// the frame's new top left, as QWidget::move takes it.
QPoint fitOnScreen(const QRect& outer, const QRect& available);

} // namespace tombreli
