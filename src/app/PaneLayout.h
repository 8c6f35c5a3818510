#pragma once

// Where the tree, the splitter and the list sit, in twips of the window's client
// coordinates. The rules keep a small window at its last usable layout rather than
// squeezing the panes to nothing.
class PaneLayout
{
public:
    struct Box
    {
        double left = 0;
        double top = 0;
        double width = 0;
        double height = 0;
    };

    // The window's outer size and the bars around the panes.
    struct Frame
    {
        double windowWidth = 0;
        double windowHeight = 0;
        double toolbarTop = 0;
        double toolbarHeight = 0;
        double statusHeight = 0;
    };

    static constexpr double SplitterWidth = 75;
    // From the tree's right edge to the window's: the list's least width and its margins.
    static constexpr double MinListRoom = 2060;

    Box tree{0, 0, 3075, 3000};
    Box splitter{3090, 0, SplitterWidth, 3000};
    Box list{3175, 0, 7000, 3000};

    void Resize(const Frame& frame);
    // Widths of 100 twips or less change nothing; wider than the window leaves the list
    // MinListRoom.
    void SetTreeWidth(double width, double windowWidth);
    // The splitter's left edge moved to left + x while dragging; refused closer than 1000
    // twips to the window's left edge or 2000 to its right edge.
    bool DragSplitter(double x, double windowWidth);
};
