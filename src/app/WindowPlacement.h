#pragma once

#include <QList>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>

#include <optional>

namespace WindowPlacement {

// The top-left corner, in twips, that centres a window of the given size over the first
// browser window (never above or left of the screen's edge), or over the screen when no
// browser window runs.
QPointF CenterWindow(const QSizeF& screen, const QSizeF& window,
                     const std::optional<QRectF>& firstBrowserWindow);

// The smallest window that still shows the menus, the toolbar and both panes, in pixels.
inline constexpr QSize MinimumSize{400, 300};

// The screen a window lands on: the one holding its centre, else the one it overlaps
// most, else the first (the primary). -1 only when there is no screen.
int ScreenFor(const QRect& frame, const QList<QRect>& screens);

// A restored frame (pixels, the frame's outer rectangle) moved and shrunk to lie wholly on
// the available area of its screen, and never smaller than MinimumSize unless the screen is.
QRect FitToScreen(const QRect& frame, const QRect& available);

} // namespace WindowPlacement
