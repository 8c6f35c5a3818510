#pragma once

#include <QList>
#include <QString>

class IconSet;
class QAction;
class QToolBar;

// The toolbar as a layout string: command keys and "S" for a separator, comma
// separated, left to right. Separators are keyed "S" and their field position.
namespace ToolbarLayout {

struct Button
{
    QString Key;
    bool Separator = false;
};

// The buttons the customize dialog offers, in order.
extern const QString Catalogue;

QString ButtonDescription(const QString& key);
// The buttons a layout makes; empty fields are skipped. A layout with nothing but
// commas and blanks makes none.
QList<Button> Parse(const QString& layout);
// Replaces the toolbar's buttons by the layout; a layout of nothing but commas and blanks
// leaves the toolbar as it is. Each button's action carries its key as data.
void LoadToolbar(QToolBar& toolbar, const QString& layout, const IconSet& icons);
QString SaveToolbar(const QToolBar& toolbar);
// The command key of a toolbar action ("S5" for the separator of field 5).
QString Key(const QAction* action);

} // namespace ToolbarLayout
