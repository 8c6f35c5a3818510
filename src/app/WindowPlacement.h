#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>

namespace WindowPlacement {

// The top-left corner, in twips, that centres a window of the given size over the first
// browser window (never above or left of the screen's edge), or over the screen when no
// browser window runs.
QPointF CenterWindow(const QSizeF& screen, const QSizeF& window,
                     const std::optional<QRectF>& firstBrowserWindow);

} // namespace WindowPlacement
