#include "platform/Twips.h"

#include "platform/VbConvert.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

Twips::Twips(double logicalDpi) : m_perPixel(1440.0 / (logicalDpi > 0 ? logicalDpi : 96.0)) {}

Twips Twips::ForScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return Twips(screen ? screen->logicalDotsPerInchX() : 96.0);
}

int Twips::ToPixels(double twips) const
{
    // Saturated well inside int, so rectangles built from the result cannot overflow either.
    constexpr double limit = 1 << 24;
    const double pixels = twips / m_perPixel;
    if (std::isnan(pixels))
        return 0;
    return static_cast<int>(VbConvert::RoundHalfEven(std::clamp(pixels, -limit, limit)));
}

QRect Twips::ToPixels(double left, double top, double width, double height) const
{
    return QRect(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}
