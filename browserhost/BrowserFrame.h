#pragma once

#include "Page.h"

#include <QStringList>
#include <QWidget>

class AddressBar;
class BrowserHost;
class PageLoader;
class QAction;
class QTextBrowser;

// One browser window (class "IEFrame") or Explorer folder window ("CabinetWClass"): menus,
// the navigation toolbar with the extension buttons, the address bar and the page.
class BrowserFrame : public QWidget
{
    Q_OBJECT

public:
    enum class Kind
    {
        Browser,
        Folder
    };

    static constexpr const char* BrowserSuffix = " - Microsoft Internet Explorer";

    BrowserFrame(BrowserHost& host, Kind kind, bool addressBar);

    // A new page; the pages after the current one in the history are dropped once it shows.
    void Navigate(const QString& address, const QString& selected = {});
    // The address of the page shown.
    QString Address() const { return m_history.value(m_current); }
    AddressBar& Bar() const { return *m_addressBar; }
    QAction* AddressBarAction() const { return m_addressBarAction; }

private:
    void buildMenus();
    QWidget* buildToolBar();
    void load(const QString& address, const QString& selected, int historyIndex);
    void showPage(const Page& page);
    void linkClicked(const QUrl& link);
    void updateActions();

    BrowserHost& m_host;
    const Kind m_kind;
    AddressBar* m_addressBar;
    QTextBrowser* m_view;
    PageLoader* m_loader;
    QAction* m_addressBarAction = nullptr;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
    QAction* m_home = nullptr;
    QAction* m_refresh = nullptr;
    QStringList m_history;
    int m_current = -1;
    int m_pendingIndex = -1; // where the page being loaded stands in the history; -1 new
    QUrl m_base;
};
