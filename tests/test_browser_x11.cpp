#include "app/HandOver.h"
#include "app/frmFav1.h"
#include "browser/BrowserCommands.h"
#include "browser/frmBrowserWindows.h"
#include "browser/frmPasteLink.h"
#include "editing/ChangeHistory.h"
#include "favorites/FavoritesTree.h"
#include "platform/Clock.h"
#include "platform/QtProgramLauncher.h"
#include "platform/X11ControlFilter.h"
#include "platform/X11WindowSystem.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"
#include "support/OpenboxSession.h"
#include "support/X11TestMain.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QString Suffix = " - Microsoft Internet Explorer";
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
    QString page(const QString& name) const { return m_app->env.Root() + u'/' + name + ".html"; }
    QString pageUrl(const QString& name) const
    {
        return QUrl::fromLocalFile(page(name)).toString();
    }
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
    WindowSystem::Handle launch(const QString& name)
    {
        const auto line =
            m_programs.FirstOutputLine(m_window->Browser().Launcher().BrowserProgram(),
                                       {"--new-window", pageUrl(name)}, 10000);
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

    void cleanupTestCase() { QVERIFY(!m_windows || m_openbox.Stop(*m_windows)); }

    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_app->useWindows = m_windows.get();
        m_app->usePrograms = &m_programs;
        m_app->programPath = qEnvironmentVariable("TAVORO_PROGRAM_DIR") + "/tavoro";
        for (const char* name : {"Alpha", "Bravo", "Charlie"}) {
            QFile file(page(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QString("<title>%1</title><body>%1</body>").arg(name).toUtf8());
        }
        FavoritesBuilder(m_app->Favorites())
            .Link("Alpha.url", pageUrl("Alpha"))
            .Link("Charlie.url", pageUrl("Charlie"));
        m_window = m_app->Start();
    }

    void cleanup()
    {
        ieList().Refresh();
        for (int i = 1; i <= ieList().Count(); ++i)
            m_windows->RequestClose(ieList().ItemhWnd(i));
        QTRY_VERIFY_WITH_TIMEOUT(captions().isEmpty(), 10000);
        m_window.reset();
        m_app.reset();
    }

    void opensLinksInTheFrameUsedLast()
    {
        // No frame: the link opens in a new one.
        m_window->Browser().Opener().OpenURLFile(fav("Alpha.url"), false);
        QTRY_COMPARE_WITH_TIMEOUT(captions(), QStringList{"Alpha"}, 10000);
        QCOMPARE(ieList().ItemURL(1), pageUrl("Alpha"));
        const WindowSystem::Handle alpha = ieList().ItemhWnd(1);

        QVERIFY(launch("Bravo") != 0);
        QTRY_COMPARE_WITH_TIMEOUT(captions(), (QStringList{"Bravo", "Alpha"}), 10000);

        // The user goes back to the first frame; the next link opens there.
        QVERIFY(m_windows->Raise(alpha));
        QTRY_COMPARE_WITH_TIMEOUT(captions(), (QStringList{"Alpha", "Bravo"}), 10000);
        m_window->Browser().Opener().OpenURLFile(fav("Charlie.url"), false);
        QTRY_COMPARE_WITH_TIMEOUT(m_windows->Title(alpha), "Charlie" + Suffix, 10000);
        QCOMPARE(captions().value(1), "Bravo");
        QVERIFY(m_app->prompts.messages.isEmpty());
    }

    // Add Link writes the chosen frame's page.
    void addsTheChosenPage()
    {
        QVERIFY(launch("Bravo") != 0 && launch("Alpha") != 0);
        QTRY_COMPARE_WITH_TIMEOUT(captions(), (QStringList{"Alpha", "Bravo"}), 10000);
        m_window->Tree().Select(m_window->Tree().Root());
        m_app->prompts.dialogHandler = [](QDialog& dialog) {
            auto& paste = static_cast<frmPasteLink&>(dialog);
            QTreeWidget* rows = paste.lvwPasteLink();
            for (int i = 0; i < rows->topLevelItemCount(); ++i)
                if (rows->topLevelItem(i)->text(0) == "Bravo")
                    rows->setCurrentItem(rows->topLevelItem(i));
            paste.txtTitle()->setText("First page");
            paste.cmdPasteLink()->click();
            return paste.result();
        };
        m_window->Browser().AddLink("T");
        QFile written(fav("First page.url"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().contains(("URL=" + pageUrl("Bravo")).toUtf8()));
        QCOMPARE(m_window->findChild<QAction*>("mnuEditUndo")->text(),
                 "&Undo Add Link of 'First page'");
        QVERIFY(m_window->History().Undo() && !written.exists());
    }

    void arrangesAndClosesRealFrames()
    {
        const WindowSystem::Handle alpha = launch("Alpha"), bravo = launch("Bravo");
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
        // One in the corner, the other of the same size a step down and right.
        const auto cascaded = [&] {
            QRect a = m_windows->Geometry(alpha), b = m_windows->Geometry(bravo);
            if (a.x() > b.x())
                std::swap(a, b);
            return a.topLeft() == QPoint(0, 0) && a.size() == b.size() && b.x() > 0 && b.y() > 0 &&
                   a.width() < 1280;
        };
        QTRY_VERIFY_WITH_TIMEOUT(cascaded(), 10000);
        // The last one placed, a step down and right, ends above the other.
        const auto stack = m_windows->TopLevelWindows();
        QCOMPARE(stack.indexOf(alpha) < stack.indexOf(bravo),
                 m_windows->Geometry(alpha).x() > m_windows->Geometry(bravo).x());

        arrange.LoadList();
        arrange.TerminateClick();
        QCOMPARE(arrange.lvwBrowser()->topLevelItemCount(), 0);
        // Closing is up to each window's program, which may take a moment to go.
        QTRY_VERIFY_WITH_TIMEOUT(!m_windows->Exists(alpha) && !m_windows->Exists(bravo), 10000);
    }

    // Each run opens the window where the last one left it: nothing creeps under a manager.
    // Made in the program's order: placed, then given its X11 controls, then shown.
    void restoredWindowStaysPut()
    {
        m_app->Store("MainLeft", "1500");
        m_app->Store("MainTop", "1200");
        X11ControlFilter filter;
        for (int run = 0; run < 3; ++run) {
            auto window = m_app->Make();
            window->Load();
            new HandOver(*window, filter);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            if (m_withManager)
                QTRY_VERIFY(window->frameGeometry() != window->geometry());
            QTRY_COMPARE(window->frameGeometry().topLeft(), QPoint(100, 80));
            window->SaveSettings();
            QCOMPARE(m_app->Stored("MainLeft") + ' ' + m_app->Stored("MainTop"), "1500 1200");
        }
    }
};

template <bool withManager> struct Run : TestBrowserX11
{
    Run() : TestBrowserX11(withManager) {}
};

int main(int argc, char* argv[])
{
    return RunBareAndManaged<Run<false>, Run<true>>(argc, argv);
}

#include "test_browser_x11.moc"
