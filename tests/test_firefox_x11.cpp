#include "app/frmFav1.h"
#include "browser/BrowserCommands.h"
#include "browser/frmBrowserWindows.h"
#include "core/clsOptions.h"
#include "exchange/BookmarkExport.h"
#include "exchange/BookmarkImport.h"
#include "favorites/FavoritesTree.h"
#include "health/LinkFile.h"
#include "platform/Clock.h"
#include "platform/QtProgramLauncher.h"
#include "platform/X11WindowSystem.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"
#include "support/OpenboxSession.h"

#include <QMimeData>
#include <QTest>

#include <unistd.h>

// Tavoro with the real Firefox ESR, found by its own desktop file: links go to its running
// instance, a new window is a second window, and Arrange tiles them.
class TestFirefoxX11 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<X11WindowSystem> m_windows;
    OpenboxSession m_openbox;
    QtProgramLauncher m_programs;
    QProcess m_firefox;
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<frmFav1> m_window;

    clsIEList& ieList() { return m_window->Browser().IEList(); }
    QString page(const QString& name) const { return m_app->env.Root() + u'/' + name + ".html"; }
    QString profile() const { return m_app->env.Home() + "/.mozilla/firefox/test"; }
    QString bookmarksFile() const { return m_app->env.Root() + "/bookmarks.html"; }
    QStringList m_exported;
    QByteArray m_exportedFile;
    const FileSystemService m_files; // the window's own is kept inside the Favorites
    // Each link below folder as "name address modified", to the second.
    QStringList links(const QString& folder) const
    {
        QStringList found;
        for (const LinkFile& link : LinkFiles::Collect(m_files, folder))
            found << link.Name + ' ' + link.Address + ' ' +
                         QString::number(link.Modified.toSecsSinceEpoch());
        found.sort();
        return found;
    }
    QStringList captions()
    {
        ieList().Refresh();
        QStringList result;
        for (int i = 1; i <= ieList().Count(); ++i)
            result << ieList().ItemCaption(i);
        result.sort();
        return result;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || !OpenboxSession::Available() ||
            !QFile::exists("/usr/share/applications/firefox-esr.desktop"))
            QSKIP("needs an X display, openbox and firefox-esr (scripts/deps)");
        m_windows = std::make_unique<X11WindowSystem>();
        QVERIFY(m_openbox.Start(*m_windows));
        m_app = std::make_unique<AppFixture>();
        m_app->useWindows = m_windows.get(), m_app->usePrograms = &m_programs;
        qputenv("XDG_DATA_DIRS", "/usr/share");
        // The home's one profile: a second start finds the running instance on the bus.
        const QString profiles = m_app->env.Home() + "/.mozilla/firefox/";
        QVERIFY(QDir().mkpath(profiles + "test"));
        QVERIFY(QFile::copy(QFINDTESTDATA("data/firefox-profiles.ini"), profiles + "profiles.ini"));
        QVERIFY(QFile::copy(QFINDTESTDATA("data/firefox-user.js"), profiles + "test/user.js"));
        qputenv("MOZ_LEGACY_PROFILES", "1");
        qputenv("MOZ_DBUS_REMOTE", "1");
        FavoritesBuilder links(m_app->Favorites());
        for (const QString name : {"Alpha", "Bravo", "Charlie"}) {
            QFile file(page(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(("<title>" + name).toUtf8()));
            links.Link(name + ".url", QUrl::fromLocalFile(page(name)).toString());
        }
        links.Build("Sub/Ünïcode & <b>.url = https://example.org/%C3%BC?a=1&b=2");
        QFile alpha(links.Path("Alpha.url"));
        QVERIFY(alpha.open(QIODevice::Append) &&
                alpha.setFileTime(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)),
                                  QFileDevice::FileModificationTime));
        alpha.close();
        // Firefox takes the exported file as the new profile's bookmarks, and writes its own
        // over it when it quits.
        QVERIFY(BookmarkExport::Export(m_files, m_app->Favorites(), bookmarksFile(),
                                       BookmarkExport::Format::Html)
                    .Error.isEmpty());
        m_exported = this->links(m_app->Favorites());
        QFile exported(bookmarksFile());
        QVERIFY(exported.open(QIODevice::ReadOnly));
        m_exportedFile = exported.readAll();
        QFile prefs(profiles + "test/user.js");
        QVERIFY(prefs.open(QIODevice::Append));
        for (const QString& pref :
             QStringList{"\"browser.places.importBookmarksHTML\", true",
                         "\"browser.bookmarks.autoExportHTML\", true",
                         "\"browser.bookmarks.file\", \"" + bookmarksFile() + '"'})
            prefs.write(("user_pref(" + pref + ");\n").toUtf8());
        prefs.close();
        m_window = m_app->Start();
        m_window->Options().SetBrowser("app:firefox-esr.desktop");
    }

    void cleanupTestCase()
    {
        if (!m_window)
            return;
        ieList().Refresh();
        for (int i = 1; i <= ieList().Count(); ++i)
            m_windows->RequestClose(ieList().ItemhWnd(i));
        if (!m_firefox.waitForFinished(20000))
            m_firefox.kill();
    }

    void opensTabsAndWindowsAndTilesThem()
    {
        m_firefox.start("firefox-esr", {QUrl::fromLocalFile(page("Alpha")).toString()});
        QTRY_COMPARE_WITH_TIMEOUT(captions(), QStringList{"Alpha"}, 90000);
        // A new tab of the running instance: the same window shows the new page, in front.
        m_windows->Raise(m_window->winId());
        LinkOpener& opener = m_window->Browser().Opener();
        opener.OpenURLFile(m_app->Favorites() + "/Bravo.url", false);
        QTRY_COMPARE_WITH_TIMEOUT(captions(), QStringList{"Bravo"}, 30000);
        QTRY_COMPARE(m_windows->TopLevelWindows().value(0), ieList().ItemhWnd(1));
        opener.OpenURLFile(m_app->Favorites() + "/Charlie.url", true);
        QTRY_COMPARE_WITH_TIMEOUT(captions(), (QStringList{"Bravo", "Charlie"}), 30000);

        const Clock clock;
        const WindowArrangement::Screen screen{19200, 15360, 15, 15, {}}; // 1280 x 1024 pixels
        frmBrowserWindows arrange(ieList(), m_window->Browser().Launcher(), clock, screen);
        arrange.TileHoriz(); // full-width bands, the top window first
        const WindowSystem::Handle top = ieList().ItemhWnd(1), below = ieList().ItemhWnd(2);
        QTRY_COMPARE_WITH_TIMEOUT(m_windows->Geometry(top), QRect(0, 0, 1280, 512), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(m_windows->Geometry(below), QRect(0, 512, 1280, 512), 10000);
    }

    // A link dragged from the browser, as Firefox offers it (UTF-16 "address, title"),
    // becomes a shortcut in the folder it is dropped on.
    void dropsALinkAsFirefoxSendsIt()
    {
        const QString link = QUrl::fromLocalFile(page("Alpha")).toString() + "\nDropped";
        QMimeData data;
        data.setData("text/x-moz-url",
                     QByteArray(reinterpret_cast<const char*>(link.utf16()), link.size() * 2));
        QTreeWidget* tree = m_window->Tree().Widget();
        const QPoint at = tree->visualItemRect(m_window->Tree().Root()).center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(tree->viewport(), &enter);
        QCoreApplication::sendEvent(tree->viewport(), &drop);
        QFile made(m_app->Favorites() + "/Dropped.url");
        QVERIFY(made.open(QIODevice::ReadOnly));
        QVERIFY(made.readAll().contains(QUrl::fromLocalFile(page("Alpha")).toEncoded()));
    }

    // The exported links come back unchanged from the running profile's database (read
    // with its write-ahead log), and from the file Firefox writes when it quits.
    void bookmarksGoThroughFirefoxAndBack()
    {
        const auto imported = [this](const QString& source, const QString& name) {
            const QString target = m_app->env.Root() + u'/' + name;
            QDir(target).removeRecursively();
            BookmarkImport::Import(m_files, source, target);
            return links(target);
        };
        QTRY_COMPARE_WITH_TIMEOUT(imported(profile(), "places"), m_exported, 30000);
        ieList().Refresh();
        for (int i = 1; i <= ieList().Count(); ++i)
            m_windows->RequestClose(ieList().ItemhWnd(i));
        QVERIFY(m_firefox.waitForFinished(30000));
        QFile written(bookmarksFile());
        QVERIFY(written.open(QIODevice::ReadOnly) && written.readAll() != m_exportedFile);
        QCOMPARE(imported(bookmarksFile(), "html"), m_exported);
    }
};

int main(int argc, char* argv[])
{
    // Firefox finds its running instance over the session bus: run on a bus of our own.
    if (!qEnvironmentVariableIsSet("TAVORO_TEST_BUS") && qputenv("TAVORO_TEST_BUS", "1")) {
        char bus[] = "dbus-run-session", dashes[] = "--";
        std::vector<char*> arguments{bus, dashes};
        arguments.insert(arguments.end(), argv, argv + argc + 1);
        execvp("dbus-run-session", arguments.data()); // returns only when it is missing
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // to say that it skips
    QApplication app(argc, argv);
    TestFirefoxX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_firefox_x11.moc"
