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

int ScreenFor(const QRect& frame, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return -1;
    // Two corners rather than QRect::center(), which overflows on far-off rectangles.
    const QPoint centre(static_cast<int>((qint64(frame.left()) + frame.right()) / 2),
                        static_cast<int>((qint64(frame.top()) + frame.bottom()) / 2));
    for (int i = 0; i < screens.size(); ++i)
        if (screens[i].contains(centre))
            return i;
    int best = 0;
    qint64 bestArea = 0;
    for (int i = 0; i < screens.size(); ++i) {
        const QRect overlap = screens[i].intersected(frame);
        const qint64 area = qint64(overlap.width()) * overlap.height();
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

QRect FitToScreen(const QRect& frame, const QRect& available)
{
    const auto fit = [](int start, int length, int minimum, int areaStart, int areaLength) {
        length = std::clamp(length, std::min(minimum, areaLength), areaLength);
        start = std::clamp(start, areaStart, areaStart + areaLength - length);
        return std::pair{start, length};
    };
    const auto [left, width] =
        fit(frame.left(), frame.width(), MinimumSize.width(), available.left(), available.width());
    const auto [top, height] =
        fit(frame.top(), frame.height(), MinimumSize.height(), available.top(), available.height());
    return {left, top, width, height};
}

} // namespace WindowPlacement
