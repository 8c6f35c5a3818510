#pragma once

#include <QProxyStyle>

class QWidget;

// Draws a tree's expand arrows in the tree's text colour. Styles draw them in the
// system's foreground colour, which vanishes on a dark theme's background.
class BranchArrowStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Gives the tree the one shared instance, which lives as long as the application.
    static void Install(QWidget* tree);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
