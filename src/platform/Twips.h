#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Lengths of the interface are kept in twips: 1440 to the logical inch, so 15 to a
// pixel at 96 dots per inch.
class Twips
{
public:
    explicit Twips(double logicalDpi = 96.0);
    // The logical DPI of the primary screen (96 without one).
    static Twips ForScreen();

    double PerPixel() const { return m_perPixel; }
    double FromPixels(int pixels) const { return pixels * m_perPixel; }
    // Rounded to the nearest pixel, halves to even; not a number gives 0, and lengths beyond
    // 2^24 pixels stop there.
    int ToPixels(double twips) const;
    QRect ToPixels(double left, double top, double width, double height) const;

private:
    double m_perPixel;
};
