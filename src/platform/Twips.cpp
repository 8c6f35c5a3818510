#include "platform/Twips.h"

#include "platform/VbConvert.h"

#include <QGuiApplication>
#include <QScreen>

Twips::Twips(double logicalDpi) : m_perPixel(1440.0 / (logicalDpi > 0 ? logicalDpi : 96.0)) {}

Twips Twips::ForScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return Twips(screen ? screen->logicalDotsPerInchX() : 96.0);
}

int Twips::ToPixels(double twips) const
{
    return static_cast<int>(VbConvert::RoundHalfEven(twips / m_perPixel));
}

QRect Twips::ToPixels(double left, double top, double width, double height) const
{
    return QRect(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}
