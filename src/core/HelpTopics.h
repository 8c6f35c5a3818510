#pragma once

#include <QList>
#include <QString>

// The help's context numbers and the page each one opens. The pages are HTML files in
// the program's "help" folder.
namespace HelpTopics {

inline constexpr int Contents = 51001;
inline constexpr int GettingStarted = 51002;
inline constexpr int Index = 51005;
inline constexpr int Options = 51006;
inline constexpr int AddLink = 51007;
inline constexpr int Themes = 51008;
inline constexpr int CustomizeToolbar = 51009;
inline constexpr int ArrangeBrowserWindows = 51010;

// Every context number that has a page, in ascending order.
QList<int> Numbers();
// The page's file name inside the help folder; empty for a number without a page.
QString PageName(int topic);
// The context number of a page file name, 0 when no number opens it.
int TopicOfPage(const QString& pageName);
// The help folder of the running executable, installed or in the build tree.
QString DefaultFolder();

} // namespace HelpTopics
