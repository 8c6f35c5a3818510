#include "appearance/ColorSwatches.h"

#include <array>

namespace {

struct Swatch
{
    const char* name;
    int red;
    int green;
    int blue;
};

constexpr std::array<Swatch, ColorSwatches::Count> kPalette{{
    {"Black", 0, 0, 0},
    {"Brown", 128, 64, 0},
    {"Olive Green", 64, 64, 0},
    {"Dark Green", 0, 64, 0},
    {"Dark Blue", 47, 79, 159},
    {"Indigo", 0, 51, 102},
    {"Dark Slate Blue", 51, 51, 153},
    {"80% Gray", 51, 51, 51},
    {"Dark Red", 139, 0, 0},
    {"Dark Orange", 255, 128, 0},
    {"Olive", 128, 128, 0},
    {"Green", 0, 128, 0},
    {"Teal", 0, 128, 128},
    {"Blue", 0, 0, 255},
    {"Blue Gray", 102, 102, 153},
    {"50% Gray", 128, 128, 128},
    {"Red", 255, 0, 0},
    {"Orange", 255, 165, 0},
    {"Lime Green", 153, 204, 0},
    {"Sea Green", 51, 153, 102},
    {"Aqua", 127, 255, 212},
    {"Light Blue", 51, 153, 255},
    {"Violet", 128, 0, 128},
    {"40% Gray", 150, 150, 150},
    {"Fuchsia", 255, 0, 255},
    {"Gold", 255, 215, 0},
    {"Yellow", 255, 255, 0},
    {"Bright Green", 0, 255, 0},
    {"Cyan", 0, 255, 255},
    {"Turquoise", 72, 209, 204},
    {"Plum", 199, 21, 133},
    {"25% Gray", 192, 192, 192},
    {"Rose", 255, 153, 204},
    {"Tan", 255, 192, 128},
    {"Light Yellow", 255, 255, 153},
    {"Light Green", 204, 255, 204},
    {"Light Cyan", 224, 255, 255},
    {"Sky Blue", 135, 206, 235},
    {"Lavender", 204, 153, 255},
    {"White", 255, 255, 255},
}};

bool inRange(int index)
{
    return index >= 0 && index < ColorSwatches::Count;
}

int left(int index)
{
    return ColorSwatches::Margin + ColorSwatches::Pitch * (index % ColorSwatches::Columns);
}

int top(int index)
{
    return ColorSwatches::Margin + ColorSwatches::Pitch * (index / ColorSwatches::Columns);
}

} // namespace

QString ColorSwatches::Name(int index)
{
    return inRange(index) ? QString::fromLatin1(kPalette[static_cast<std::size_t>(index)].name)
                          : QString();
}

std::int32_t ColorSwatches::Color(int index)
{
    if (!inRange(index))
        return 0;
    const Swatch& s = kPalette[static_cast<std::size_t>(index)];
    return s.red + 256 * s.green + 65536 * s.blue;
}

int ColorSwatches::IndexOf(std::int32_t color)
{
    for (int i = 0; i < Count; ++i) {
        if (Color(i) == color)
            return i;
    }
    return -1;
}

QRect ColorSwatches::SwatchRect(int index)
{
    return QRect(left(index), top(index), Side, Side);
}

QRect ColorSwatches::MarkerRect(int index)
{
    return SwatchRect(index).adjusted(-Margin, -Margin, Margin, Margin);
}

QSize ColorSwatches::BoxSize()
{
    const QRect last = MarkerRect(Count - 1);
    return QSize(last.left() + last.width(), last.top() + last.height());
}

int ColorSwatches::HitTest(double x, double y)
{
    for (int i = 0; i < Count; ++i) {
        const int l = left(i);
        const int t = top(i);
        if (l - Margin < x && x <= l + Side + Margin && t - Margin < y && y <= t + Side + Margin)
            return i;
    }
    return -1;
}
