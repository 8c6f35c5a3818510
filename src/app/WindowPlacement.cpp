#include "app/WindowPlacement.h"

#include <algorithm>

namespace WindowPlacement {

QPointF CenterWindow(const QSizeF& screen, const QSizeF& window,
                     const std::optional<QRectF>& firstBrowserWindow)
{
    if (!firstBrowserWindow)
        return {screen.width() / 2 - window.width() / 2, screen.height() / 2 - window.height() / 2};
    const QRectF& browser = *firstBrowserWindow;
    return {std::max(0.0, browser.width() / 2 - window.width() / 2 + browser.left()),
            std::max(0.0, browser.height() / 2 - window.height() / 2 + browser.top())};
}

} // namespace WindowPlacement
