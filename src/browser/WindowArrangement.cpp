#include "browser/WindowArrangement.h"

#include "platform/VbConvert.h"

#include <algorithm>
#include <cmath>

namespace WindowArrangement {

namespace {

int roundHalfEven(double value)
{
    return static_cast<int>(VbConvert::RoundHalfEven(value));
}

// Columns of width / s, each filled from the top with its own count of equal bands.
QList<Placement> columns(int n, double width, double height)
{
    QList<Placement> places;
    const QList<int> counts = BandCounts(n);
    const double s = static_cast<double>(counts.size());
    for (int c = 0; c < counts.size(); ++c) {
        const double rows = counts.at(c);
        for (int r = 0; r < counts.at(c); ++r)
            places.append({c * width / s, r * height / rows, width / s, height / rows});
    }
    return places;
}

} // namespace

QList<Placement> Cascade(int n, const Screen& screen)
{
    if (n <= 0)
        return {};
    const double W = screen.width;
    const double H = screen.height;
    double width = W - n * CascadeStepX;
    int restartAfter = n;
    if (W - CascadeMinWidth < n * CascadeStepX) {
        width = CascadeMinWidth;
        restartAfter = roundHalfEven((W - CascadeMinWidth) / CascadeStepX);
    }
    double height = H - n * CascadeStepY;
    if (H - CascadeMinHeight < n * CascadeStepY) {
        height = CascadeMinHeight;
        const double fits = (H - CascadeMinHeight) / CascadeStepY;
        if (fits < restartAfter)
            restartAfter = roundHalfEven(fits);
    }
    // On a screen too small for even two steps every window starts in the corner,
    // rather than never starting again and running off the screen.
    restartAfter = std::max(1, restartAfter);

    QList<Placement> places;
    double x = 0;
    double y = 0;
    int k = 0;
    for (int i = 0; i < n; ++i) {
        places.append({x, y, width, height});
        if (++k == restartAfter) {
            k = 0;
            x = 0;
            y = 0;
        } else {
            x += CascadeStepX;
            y += CascadeStepY;
        }
    }
    return places;
}

QList<int> BandCounts(int n)
{
    if (n <= 0)
        return {};
    int s = static_cast<int>(std::sqrt(static_cast<double>(n)));
    while (s * s > n)
        --s;
    while ((s + 1) * (s + 1) <= n)
        ++s;
    const int e = n - s * s;
    QList<int> counts(s, s);
    if (e < s) {
        for (int c = 0; c < e; ++c)
            ++counts[c];
        return counts;
    }
    for (int& count : counts)
        ++count;
    for (int c = s - (e - s); c < s; ++c)
        ++counts[c];
    return counts;
}

QList<Placement> TileHoriz(int n, const Screen& screen)
{
    return columns(n, screen.width, screen.height);
}

QList<Placement> TileVert(int n, const Screen& screen)
{
    // Rows are columns of the screen turned on its side.
    QList<Placement> places = columns(n, screen.height, screen.width);
    for (Placement& place : places) {
        std::swap(place.x, place.y);
        std::swap(place.width, place.height);
    }
    return places;
}

QRect ToPixels(const Placement& place, const Screen& screen)
{
    return QRect(roundHalfEven(place.x / screen.twipsPerPixelX),
                 roundHalfEven(place.y / screen.twipsPerPixelY),
                 roundHalfEven(place.width / screen.twipsPerPixelX),
                 roundHalfEven(place.height / screen.twipsPerPixelY))
        .translated(screen.origin);
}

} // namespace WindowArrangement
