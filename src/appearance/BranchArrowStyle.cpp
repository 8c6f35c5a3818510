#include "appearance/BranchArrowStyle.h"

#include <QApplication>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>

void BranchArrowStyle::Install(QWidget* tree)
{
    static QPointer<BranchArrowStyle> shared;
    if (!shared) {
        shared = new BranchArrowStyle;
        shared->setParent(qApp);
    }
    if (tree && tree->style() != shared)
        tree->setStyle(shared);
}

void BranchArrowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const
{
    if (element != PE_IndicatorBranch || !option) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Styles differ in the role they draw arrows with; all of them take the text colour.
    // The copy keeps the option's own type, which some styles look at.
    const auto draw = [&](auto arrow) {
        const QColor text = arrow.palette.color(QPalette::Text);
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::ButtonText, QPalette::Dark, QPalette::Shadow})
            arrow.palette.setColor(role, text);
        QProxyStyle::drawPrimitive(element, &arrow, painter, widget);
    };
    if (const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option))
        draw(*item);
    else
        draw(*option);
}
