#include "ScreenFit.h"

#include <algorithm>

namespace tombreli {

QPoint fitOnScreen(const QRect& outer, const QRect& available)
{
    // Left and top last, so that they win where the window cannot fit.
    const int left =
        std::max(std::min(outer.left(), available.right() + 1 - outer.width()), available.left());
    const int top = std::max(std::min(outer.top(), available.bottom() + 1 - outer.height()), available.top());
    return {left, top};
}

} // namespace tombreli
