#include "core/HelpTopics.h"

#include "core/DataPaths.h"

#include <map>

namespace HelpTopics {

namespace {

const std::map<int, QString>& pages()
{
    static const std::map<int, QString> table = {
        {Contents, QStringLiteral("contents.html")},
        {GettingStarted, QStringLiteral("getting_started.html")},
        {Index, QStringLiteral("index.html")},
        {Options, QStringLiteral("options.html")},
        {AddLink, QStringLiteral("add_link.html")},
        {Themes, QStringLiteral("themes.html")},
        {CustomizeToolbar, QStringLiteral("customize_toolbar.html")},
        {ArrangeBrowserWindows, QStringLiteral("arrange_windows.html")},
    };
    return table;
}

} // namespace

QList<int> Numbers()
{
    QList<int> numbers;
    for (const auto& [topic, page] : pages())
        numbers.append(topic);
    return numbers;
}

QString PageName(int topic)
{
    const auto it = pages().find(topic);
    return it == pages().end() ? QString() : it->second;
}

int TopicOfPage(const QString& pageName)
{
    for (const auto& [topic, page] : pages()) {
        if (page == pageName)
            return topic;
    }
    return 0;
}

QString DefaultFolder()
{
    return DataPaths::ForProgram().HelpFolder();
}

} // namespace HelpTopics
