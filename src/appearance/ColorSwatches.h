#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

// The colour dialog's palette: 40 named swatches in 5 rows of 8, and where they lie in
// their frame, in twips. No widgets here, so the geometry can be checked on its own.
class ColorSwatches
{
public:
    static constexpr int Count = 40;
    static constexpr int Columns = 8;
    // A swatch's side, the step from one swatch to the next, and the gap a marking
    // frame leaves around its swatch (also the first swatch's distance from the edge).
    static constexpr int Side = 255;
    static constexpr int Pitch = 360;
    static constexpr int Margin = 60;

    // The tool tip; empty outside 0..39.
    static QString Name(int index);
    // 0x00BBGGRR; 0 outside 0..39.
    static std::int32_t Color(int index);
    // The first swatch of exactly this colour, or -1.
    static int IndexOf(std::int32_t color);

    static QRect SwatchRect(int index);
    // The marking frame around a swatch, Margin wider on every side.
    static QRect MarkerRect(int index);
    // The frame that holds every swatch and its marker.
    static QSize BoxSize();
    // The swatch a point of the frame belongs to: the first, from 0 on, whose rectangle
    // widened by Margin holds it (left edge out, right edge in). -1 when none does.
    // Neighbours' widened rectangles share a strip; the lower index wins it.
    static int HitTest(double x, double y);
};
