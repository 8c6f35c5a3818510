#include "app/HelpTopics.h"
#include "app/HelpWindow.h"
#include "app/frmAbout.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

namespace {

// The pages as the build copies them beside the program.
QString helpFolder()
{
    QString folder = qEnvironmentVariable("TAVORO_PROGRAM_DIR");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    return QDir(folder).absoluteFilePath(QStringLiteral("help"));
}

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestHelpAbout : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        HelpWindow::SetSharedFolder(helpFolder());
    }
    void cleanup()
    {
        delete HelpWindow::Shared();
        HelpWindow::SetSharedFolder(QString());
        m_env.reset();
    }

    void everyTopicHasAPage_data()
    {
        QTest::addColumn<int>("topic");
        for (int topic : {51001, 51002, 51005, 51006, 51007, 51008, 51009, 51010})
            QTest::addRow("%d", topic) << topic;
    }
    void everyTopicHasAPage()
    {
        QFETCH(int, topic);
        const QString page = HelpTopics::PageName(topic);
        QVERIFY2(QFileInfo(QDir(helpFolder()).filePath(page)).isFile(), qPrintable(page));
        QCOMPARE(HelpTopics::TopicOfPage(page), topic);

        ShowHelpTopic(nullptr, topic);
        HelpWindow* window = HelpWindow::Shared();
        QVERIFY(window && window->isVisible() && !window->IsShowingNote());
        QCOMPARE(window->CurrentTopic(), topic);
        QCOMPARE(window->CurrentPage(), page);
    }

    void linksResolve()
    {
        const QDir folder(helpFolder());
        const QStringList pages = folder.entryList({QStringLiteral("*.html")}, QDir::Files);
        QVERIFY(pages.size() >= 10);
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
        QSet<QString> linkedTo;
        for (const QString& page : pages) {
            const QString html = readAll(folder.filePath(page));
            QVERIFY2(html.contains(QLatin1String("<title>")), qPrintable(page));
            for (const auto& match : href.globalMatch(html)) {
                const QUrl link(match.captured(1));
                const QString what = page + QStringLiteral(" -> ") + match.captured(1);
                QVERIFY2(link.isRelative(), qPrintable(what));
                const QString target = link.path().isEmpty() ? page : link.path();
                QVERIFY2(folder.exists(target), qPrintable(what));
                if (link.hasFragment()) {
                    const QString anchor = QStringLiteral("name=\"%1\"").arg(link.fragment());
                    QVERIFY2(readAll(folder.filePath(target)).contains(anchor), qPrintable(what));
                }
                if (target != page)
                    linkedTo.insert(target);
            }
        }
        // No page is out of reach of the others.
        for (const QString& page : pages)
            QVERIFY2(linkedTo.contains(page), qPrintable(page));
    }

    void contentsIndexAndNavigation()
    {
        HelpWindow window(helpFolder());
        QVERIFY(window.ContentsList()->count() >= 10);
        QVERIFY(window.IndexList()->count() >= 40);
        QStringList keywords;
        for (int row = 0; row < window.IndexList()->count(); ++row)
            keywords.append(window.IndexList()->item(row)->text());
        QStringList sorted = keywords;
        sorted.sort(Qt::CaseInsensitive);
        QCOMPARE(keywords, sorted);

        window.ShowTopic(HelpTopics::Index);
        QTest::keyClicks(window.IndexKeyword(), QStringLiteral("drag"));
        QCOMPARE(window.IndexList()->currentItem()->text(), QStringLiteral("Drag and drop"));
        QTest::keyClick(window.IndexKeyword(), Qt::Key_Return);
        QCOMPARE(window.CurrentPage(), QStringLiteral("organising.html"));
        QCOMPARE(window.Browser()->source().fragment(), QStringLiteral("dragdrop"));

        // Links, history and home.
        window.FollowLink(QUrl(QStringLiteral("options.html")));
        QCOMPARE(window.CurrentTopic(), HelpTopics::Options);
        window.FollowLink(QUrl(QStringLiteral("views.html")));
        QCOMPARE(window.CurrentTopic(), 0); // a page without a number of its own
        window.GoBack();
        QCOMPARE(window.CurrentTopic(), HelpTopics::Options);
        window.GoForward();
        QCOMPARE(window.CurrentPage(), QStringLiteral("views.html"));
        window.GoHome();
        QCOMPARE(window.CurrentTopic(), HelpTopics::Contents);
    }

    void noTopicAndMissingPages()
    {
        QWidget owner;
        ShowHelpTopic(&owner, 0);
        ShowHelpTopic(&owner, -51001);
        QVERIFY(!HelpWindow::Shared());
        ShowHelpTopic(&owner, 51003); // a number without a page
        HelpWindow* shared = HelpWindow::Shared();
        QVERIFY(shared->IsShowingNote());
        QVERIFY(
            shared->Browser()->toPlainText().contains("The help topic 51003 is not available."));
        ShowHelpTopic(&owner, 0);
        QCOMPARE(shared->CurrentTopic(), 51003);

        // A folder without pages: notes instead of pages, empty lists, history still kept.
        HelpWindow window(m_env->Root());
        window.ShowTopic(HelpTopics::Options);
        QVERIFY(window.IsShowingNote() && window.ContentsList()->count() == 0);
        QVERIFY(window.Browser()->toPlainText().contains("The help topic 51006 is not available."));
        window.FollowLink(QUrl(QStringLiteral("gone.html")));
        QVERIFY(
            window.Browser()->toPlainText().contains("The help page gone.html is not available."));
        window.GoBack();
        QCOMPARE(window.CurrentTopic(), HelpTopics::Options);
    }

    void helpBesideAModalDialog()
    {
        QWidget mainWindow;
        ShowHelpTopic(&mainWindow, HelpTopics::GettingStarted);
        QDialog dialog;
        bool bothShown = false;
        QWindow* transientParent = nullptr;
        int topicAfterHome = 0;
        QTimer::singleShot(0, &dialog, [&] {
            ShowHelpTopic(&dialog, HelpTopics::CustomizeToolbar);
            if (HelpWindow* help = HelpWindow::Shared()) {
                bothShown = help->isVisible() && dialog.isVisible();
                transientParent = help->windowHandle()->transientParent();
                // Clicked through the window, so modal blocking would apply.
                const auto* home = help->findChild<QPushButton*>(QStringLiteral("cmdHome"));
                const QPoint at = home->mapTo(help, home->rect().center());
                QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, at);
                topicAfterHome = help->CurrentTopic();
            }
            dialog.accept();
        });
        dialog.exec();
        QVERIFY(bothShown);
        // Transient for the dialog, the help takes clicks while the dialog waits.
        QCOMPARE(topicAfterHome, HelpTopics::Contents);
        QCOMPARE(transientParent, dialog.windowHandle());
        // Asked for again from a window that is not modal, it stands on its own.
        ShowHelpTopic(&mainWindow, HelpTopics::Contents);
        QVERIFY(HelpWindow::Shared()->isVisible());
        QCOMPARE(HelpWindow::Shared()->windowHandle()->transientParent(), nullptr);
    }

    void about()
    {
        frmAbout box;
        QCOMPARE(box.lblAppName()->text(), QStringLiteral("Tavoro 1.1.3 Version 1.1.3"));
        QCOMPARE(box.lblCompany()->text(), QStringLiteral("The Tavoro developers"));
        QVERIFY(box.Label2()->text().contains(QLatin1String("without warranty")));
        box.cmdOk()->click();
        QCOMPARE(box.result(), int(QDialog::Accepted));

        ScriptedPrompts prompts;
        QString shown;
        prompts.dialogHandler = [&](QDialog& dialog) {
            shown = dialog.windowTitle();
            return int(QDialog::Accepted);
        };
        frmAbout::ShowAbout(prompts, nullptr);
        QCOMPARE(shown, QStringLiteral("About Tavoro 1.1.3"));
    }
};

QTEST_MAIN(TestHelpAbout)
#include "test_helpabout.moc"
