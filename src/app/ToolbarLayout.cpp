#include "app/ToolbarLayout.h"

#include "favorites/IconSet.h"
#include "platform/TextFields.h"

#include <QAction>
#include <QHash>
#include <QToolBar>

namespace ToolbarLayout {

const QString Catalogue = QStringLiteral(
    "S,Open,Favorites,OpenLink,OpenNewLink,PasteLink,S,Refresh,Search,AlwaysOnTop,Arrange,S,"
    "Fonts,Color,Themes,S,Undo,Redo,CopyTo,MoveTo,Delete,Rename,NewFolder,Properties,S,ViewNormal,"
    "AtoZ,"
    "ABtoYZ,List,Accessed,Modified,Created,SearchResults,S,Help");

QString ButtonDescription(const QString& key)
{
    static const QHash<QString, QString> descriptions = {
        {QStringLiteral("Open"), QStringLiteral("Browse For Favorites")},
        {QStringLiteral("Favorites"), QStringLiteral("Open Current User Favorites")},
        {QStringLiteral("OpenLink"), QStringLiteral("Open Link")},
        {QStringLiteral("OpenNewLink"), QStringLiteral("Open Link in New Window")},
        {QStringLiteral("PasteLink"), QStringLiteral("Add Link from Browser")},
        {QStringLiteral("CopyLink"), QStringLiteral("Copy Link to Clipboard")},
        {QStringLiteral("AlwaysOnTop"), QStringLiteral("Always on Top")},
        {QStringLiteral("Fonts"), QStringLiteral("Change Font")},
        {QStringLiteral("Color"), QStringLiteral("Change Color")},
        {QStringLiteral("CopyTo"), QStringLiteral("Copy To")},
        {QStringLiteral("MoveTo"), QStringLiteral("Move To")},
        {QStringLiteral("NewFolder"), QStringLiteral("New Folder")},
        {QStringLiteral("ViewNormal"), QStringLiteral("Normal View")},
        {QStringLiteral("AtoZ"), QStringLiteral("Phone Book View")},
        {QStringLiteral("ABtoYZ"), QStringLiteral("Address Book View")},
        {QStringLiteral("List"), QStringLiteral("Single List View")},
        {QStringLiteral("Accessed"), QStringLiteral("Last Accessed View")},
        {QStringLiteral("Modified"), QStringLiteral("Last Modified View")},
        {QStringLiteral("Created"), QStringLiteral("Created View")},
        {QStringLiteral("SearchResults"), QStringLiteral("Search Results View")},
    };
    return descriptions.value(key, key);
}

QList<Button> Parse(const QString& layout)
{
    QList<Button> buttons;
    QString bare = layout;
    if (bare.remove(u',').trimmed().isEmpty())
        return buttons;
    const int fields = TextFields::CountChar(layout, u',') + 1;
    for (int n = 1; n <= fields; ++n) {
        const QString field = TextFields::GetField(layout, u',', n);
        if (field == QLatin1String("S"))
            buttons.append({QLatin1Char('S') + QString::number(n), true});
        else if (!field.isEmpty())
            buttons.append({field, false});
    }
    return buttons;
}

void LoadToolbar(QToolBar& toolbar, const QString& layout, const IconSet& icons)
{
    const QList<Button> buttons = Parse(layout);
    if (buttons.isEmpty())
        return;
    toolbar.clear();
    for (const Button& button : buttons) {
        QAction* action = nullptr;
        if (button.Separator) {
            action = toolbar.addSeparator();
        } else {
            action = toolbar.addAction(icons.Icon(button.Key), ButtonDescription(button.Key));
            action->setToolTip(ButtonDescription(button.Key));
        }
        action->setData(button.Key);
        action->setObjectName(button.Key);
    }
}

QString SaveToolbar(const QToolBar& toolbar)
{
    QStringList keys;
    for (const QAction* action : toolbar.actions())
        keys.append(action->isSeparator() ? QStringLiteral("S") : Key(action));
    return keys.join(u',');
}

QString Key(const QAction* action)
{
    return action ? action->data().toString() : QString();
}

} // namespace ToolbarLayout
