#pragma once

#include <QList>
#include <QRect>

// Where Cascade and the two Tile commands put n windows. Everything is worked out in
// twips of the whole screen (taskbar included) and only turned into pixels at the end.
namespace WindowArrangement {

struct Screen
{
    double width = 0;  // twips
    double height = 0; // twips
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
    QPoint origin; // the screen's top left corner on the desktop, in pixels
};

// One window's place in twips.
struct Placement
{
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

inline constexpr double CascadeStepX = 400;
inline constexpr double CascadeStepY = 450;
inline constexpr double CascadeMinWidth = 5000;
inline constexpr double CascadeMinHeight = 2500;

// Each window a step right and down from the one before, starting again at the top left
// corner once the smallest windows would run off the screen.
QList<Placement> Cascade(int n, const Screen& screen);

// How many windows each of the s = floor(sqrt n) bands holds, in band order; they add up
// to n. Up to s + 1 extra windows go one to a band from the first; beyond that every band
// holds s + 1 and the rest go one more to a band from the last. For n <= 3 this is the
// single band {n}.
QList<int> BandCounts(int n);

// Columns of the screen's width / s, filled one after another from the top.
QList<Placement> TileHoriz(int n, const Screen& screen);
// Rows of the screen's height / s, filled one after another from the left.
QList<Placement> TileVert(int n, const Screen& screen);

// Each value divided by its axis's twips per pixel and rounded, halves to even.
QRect ToPixels(const Placement& place, const Screen& screen);

} // namespace WindowArrangement
