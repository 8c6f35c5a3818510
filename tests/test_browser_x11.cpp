#include "app/frmFav1.h"
#include "browser/BrowserCommands.h"
#include "browser/frmBrowserWindows.h"
#include "browser/frmPasteLink.h"
#include "favorites/FavoritesTree.h"
#include "platform/Clock.h"
#include "platform/QtProgramLauncher.h"
#include "platform/X11WindowSystem.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"
#include "support/OpenboxSession.h"
#include "support/X11TestMain.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include <memory>

namespace {
const QString Suffix = QStringLiteral(" - Microsoft Internet Explorer");
}

// Tavoro and real browser-host frames on one display, without and with a window manager.
class TestBrowserX11 : public QObject
{
    Q_OBJECT

public:
    explicit TestBrowserX11(bool withManager) : m_withManager(withManager) {}

private:
    const bool m_withManager;
    std::unique_ptr<X11WindowSystem> m_windows;
    OpenboxSession m_openbox;
    QtProgramLauncher m_programs;
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<frmFav1> m_window;

    clsIEList& ieList() { return m_window->Browser().IEList(); }
    QString page(const QString& name) const { return m_app->env.Root() + u'/' + name + QStringLiteral(".html"); }
    QString pageUrl(const QString& name) const { return QUrl::fromLocalFile(page(name)).toString(); }
    QString fav(const QString& relative) const { return m_app->Favorites() + u'/' + relative; }

    // The listed captions, top first, after a fresh look.
    QStringList captions()
    {
        ieList().Refresh();
        QStringList result;
        for (int i = 1; i <= ieList().Count(); ++i)
            result << ieList().ItemCaption(i);
        return result;
    }
    WindowSystem::Handle launch(const QString& name, bool addressBar = true)
    {
        QStringList arguments{QStringLiteral("--new-window"), pageUrl(name)};
        if (!addressBar)
            arguments << QStringLiteral("--no-address-bar");
        const auto line = m_programs.FirstOutputLine(m_window->Browser().Launcher().BrowserProgram(),
                                                     arguments, 10000);
        return line ? line->toULongLong() : 0;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X display; scripts/test runs this under Xvfb");
        m_windows = std::make_unique<X11WindowSystem>();
        QVERIFY(m_windows->IsConnected());
        if (!m_withManager)
            return;
        if (!OpenboxSession::Available())
            QSKIP("openbox is not installed");
        QVERIFY(m_openbox.Start(*m_windows));
    }

    void cleanupTestCase()
    {
        if (m_windows)
            QVERIFY(m_openbox.Stop(*m_windows));
    }

    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_app->useWindows = m_windows.get();
        m_app->usePrograms = &m_programs;
        m_app->programPath = qEnvironmentVariable("TAVORO_PROGRAM_DIR") + QStringLiteral("/tavoro");
        for (const QString& name : {QStringLiteral("Alpha"), QStringLiteral("Bravo"), QStringLiteral("Charlie")}) {
            QFile file(page(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QStringLiteral("<html><head><title>%1</title></head><body>%1</body></html>").arg(name).toUtf8());
        }
        FavoritesBuilder(m_app->Favorites())
            .Link(QStringLiteral("Alpha.url"), pageUrl(QStringLiteral("Alpha")))
            .Link(QStringLiteral("Charlie.url"), pageUrl(QStringLiteral("Charlie")));
        m_window = m_app->Start();
    }

    void cleanup()
    {
        ieList().Refresh();
        QList<WindowSystem::Handle> frames;
        for (int i = 1; i <= ieList().Count(); ++i)
            frames << ieList().ItemhWnd(i);
        for (const WindowSystem::Handle frame : std::as_const(frames))
            m_windows->RequestClose(frame);
        QTRY_VERIFY_WITH_TIMEOUT(captions().isEmpty(), 10000);
        m_window.reset();
        m_app.reset();
    }

    void opensLinksInTheFrameUsedLast()
    {
        // No frame: the link opens in a new one.
        m_window->Browser().Opener().OpenURLFile(fav(QStringLiteral("Alpha.url")), false);
        QTRY_COMPARE_WITH_TIMEOUT(captions(), QStringList{QStringLiteral("Alpha")}, 10000);
        QCOMPARE(ieList().ItemURL(1), pageUrl(QStringLiteral("Alpha")));
        const WindowSystem::Handle alpha = ieList().ItemhWnd(1);

        QVERIFY(launch(QStringLiteral("Bravo")) != 0);
        QTRY_COMPARE_WITH_TIMEOUT(captions(), (QStringList{QStringLiteral("Bravo"), QStringLiteral("Alpha")}), 10000);

        // The user goes back to the first frame; the next link opens there.
        QVERIFY(m_windows->Raise(alpha));
        QTRY_COMPARE_WITH_TIMEOUT(captions(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Bravo")}), 10000);
        m_window->Browser().Opener().OpenURLFile(fav(QStringLiteral("Charlie.url")), false);
        QTRY_COMPARE_WITH_TIMEOUT(m_windows->Title(alpha), QStringLiteral("Charlie") + Suffix, 10000);
        QCOMPARE(captions().value(1), QStringLiteral("Bravo"));
        QVERIFY(m_app->prompts.messages.isEmpty());
    }

    void refusesAFrameWithoutAddressBar()
    {
        QVERIFY(launch(QStringLiteral("Bravo")) != 0);
        QVERIFY(launch(QStringLiteral("Alpha"), false) != 0);
        QTRY_COMPARE_WITH_TIMEOUT(captions(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Bravo")}), 10000);
        m_window->Browser().Opener().OpenURLFile(fav(QStringLiteral("Charlie.url")), false);
        QCOMPARE(m_app->prompts.texts().size(), 1);
        QVERIFY(m_app->prompts.texts().first().startsWith(QLatin1String("Navigation requires")));
        QCOMPARE(captions(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Bravo")}));
    }

    void addLinkWritesTheChosenFramesPage()
    {
        QVERIFY(launch(QStringLiteral("Alpha")) != 0);
        QVERIFY(launch(QStringLiteral("Bravo")) != 0);
        QTRY_COMPARE_WITH_TIMEOUT(captions().size(), 2, 10000);
        m_window->Tree().Select(m_window->Tree().Root());
        m_app->prompts.dialogHandler = [](QDialog& dialog) {
            auto& paste = static_cast<frmPasteLink&>(dialog);
            QTreeWidget* rows = paste.lvwPasteLink();
            for (int i = 0; i < rows->topLevelItemCount(); ++i) {
                if (rows->topLevelItem(i)->text(0) == QLatin1String("Alpha"))
                    rows->setCurrentItem(rows->topLevelItem(i));
            }
            paste.txtTitle()->setText(QStringLiteral("First page"));
            paste.cmdPasteLink()->click();
            return paste.result();
        };
        m_window->Browser().AddLink(QStringLiteral("T"));
        QFile written(fav(QStringLiteral("First page.url")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().contains(("URL=" + pageUrl(QStringLiteral("Alpha"))).toUtf8()));
    }

    void arrangesAndClosesRealFrames()
    {
        const WindowSystem::Handle alpha = launch(QStringLiteral("Alpha"));
        const WindowSystem::Handle bravo = launch(QStringLiteral("Bravo"));
        QVERIFY(alpha != 0 && bravo != 0);
        QTRY_COMPARE_WITH_TIMEOUT(captions().size(), 2, 10000);
        const Clock clock;
        const WindowArrangement::Screen screen{19200, 15360, 15, 15, {}}; // 1280 x 1024 pixels
        frmBrowserWindows arrange(ieList(), m_window->Browser().Launcher(), clock, screen);
        arrange.TileVert(); // Bravo is listed first, so it takes the left half
        QTRY_COMPARE_WITH_TIMEOUT(m_windows->Geometry(bravo), QRect(0, 0, 640, 1024), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(m_windows->Geometry(alpha), QRect(640, 0, 640, 1024), 10000);

        arrange.LoadList();
        arrange.CascadeWindows();
        const auto corners = [&] {
            QList<QRect> both{m_windows->Geometry(alpha), m_windows->Geometry(bravo)};
            std::sort(both.begin(), both.end(), [](QRect a, QRect b) { return a.x() < b.x(); });
            return both;
        };
        QTRY_COMPARE_WITH_TIMEOUT(corners(), (QList<QRect>{QRect(0, 0, 1227, 964), QRect(27, 30, 1227, 964)}), 10000);

        arrange.LoadList();
        arrange.TerminateClick();
        QCOMPARE(arrange.lvwBrowser()->topLevelItemCount(), 0);
        QVERIFY(!m_windows->Exists(alpha));
        QVERIFY(!m_windows->Exists(bravo));
    }
};

class TestBrowserWithoutManager : public TestBrowserX11
{
    Q_OBJECT
public:
    TestBrowserWithoutManager() : TestBrowserX11(false) {}
};

class TestBrowserWithOpenbox : public TestBrowserX11
{
    Q_OBJECT
public:
    TestBrowserWithOpenbox() : TestBrowserX11(true) {}
};

int main(int argc, char* argv[])
{
    return RunBareAndManaged<TestBrowserWithoutManager, TestBrowserWithOpenbox>(argc, argv);
}

#include "test_browser_x11.moc"
