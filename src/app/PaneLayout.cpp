#include "app/PaneLayout.h"

#include <algorithm>

void PaneLayout::Resize(const Frame& frame)
{
    const double freeHeight =
        frame.windowHeight - (frame.statusHeight + (frame.toolbarTop + frame.toolbarHeight + 830));
    if (freeHeight > 500) {
        list.top = frame.toolbarHeight + 30;
        list.height = freeHeight;
        tree.top = list.top;
        tree.height = freeHeight;
        splitter.top = list.top + 60;
        splitter.height = freeHeight - 120;
    }
    if (frame.windowWidth * 0.35 > 500 && frame.windowWidth * 0.65 > 500) {
        splitter.left = tree.left + tree.width + 15;
        list.left = tree.left + tree.width + 100;
        const double width = frame.windowWidth - (list.left + 180);
        if (width > 50)
            list.width = width;
    }
}

void PaneLayout::SetTreeWidth(double width, double windowWidth)
{
    if (!(width > 100))
        return;
    // The list keeps the room a splitter drag would leave it.
    const double widest = windowWidth - tree.left - MinListRoom;
    tree.width = std::min(width, std::max(widest, 101.0));
    splitter.left = tree.left + tree.width + 15;
    list.left = tree.left + tree.width + 100;
    const double listWidth = windowWidth - (list.left + 180);
    if (listWidth > 50)
        list.width = listWidth;
}

bool PaneLayout::DragSplitter(double x, double windowWidth)
{
    const double left = splitter.left + x;
    if (!(left > 1000 && left + 2000 < windowWidth))
        return false;
    splitter.left = left;
    tree.width = splitter.left - 60;
    list.left = splitter.left + splitter.width + 15;
    list.width = windowWidth - (list.left + 180);
    return true;
}
