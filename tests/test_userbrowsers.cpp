#include "app/MainMenus.h"
#include "app/frmFav1.h"
#include "app/frmOptions.h"
#include "browser/BrowserCommands.h"
#include "browser/frmPasteLink.h"
#include "core/clsOptions.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesTreeWidget.h"
#include "favorites/ShortcutFile.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

// The user's own browsers (fakes found by desktop files), their windows, links dropped.
class TestUserBrowsers : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<frmFav1> m_window;

    QString bin() const { return m_app->env.Root() + "/bin/"; }
    void write(const QString& path, const QString& text)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0);
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString madeLinks() const
    {
        QStringList made;
        const QString root = m_app->Favorites() + "/";
        for (const QString& name : QDir(root).entryList({"*.url"}))
            made << name.chopped(4) + "=" +
                        ShortcutFile::ReadShortcutURL(m_app->fileSystem, root + name);
        made.sort();
        return made.join(';');
    }

private Q_SLOTS:
    void init()
    {
        m_window.reset();
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites()).Build("BBC.url = http://bbc.co.uk/\n");
        for (const QString exec : {"firefox %u", "chromium --flag %U", "custom"}) {
            const QString program = exec.section(' ', 0, 0);
            write(bin() + program, "");
            write(m_app->env.DataHome() + "/applications/" + program + ".desktop",
                  "[Desktop Entry]\nName=" + program + "\nExec=" + bin() + exec);
        }
        m_window = m_app->Start();
    }

    void opensThroughTheChosenBrowser_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("newWindow");
        QTest::addColumn<QString>("expected"); // program|arguments..., or the message
        const QString b = "http://bbc.co.uk/", h = "-P evil", refused = "begins with \"-\"";
        const QString ff = "app:firefox.desktop", chromium = "app:chromium.desktop";
        QTest::newRow("default") << "" << b << false << "chromium|--flag|--|" + b;
        QTest::newRow("firefox tab") << ff << b << false << "firefox|--new-tab|" + b;
        QTest::newRow("new window")
            << chromium << b << true << "chromium|--flag|--new-window|--|" + b;
        QTest::newRow("own") << "command:BIN/custom --x=%u 'a b'" << b << false
                             << "custom|--x=" + b + "|a b";
        QTest::newRow("hostile, firefox") << ff << h << false << refused;
        QTest::newRow("hostile, own") << "command:BIN/custom %u" << h << true << refused;
        QTest::newRow("missing") << "command:/no/browser %u" << b << false
                                 << "Unable to launch browser.\r\n\r\nThe program \"/no/browser\" "
                                    "was not found.";
    }
    void opensThroughTheChosenBrowser()
    {
        QFETCH(QString, setting);
        QFETCH(QString, address);
        QFETCH(bool, newWindow);
        QFETCH(QString, expected);
        write(m_app->env.ConfigHome() + "/mimeapps.list",
              "[Default Applications]\nx-scheme-handler/http=chromium.desktop\n");
        write(m_app->Favorites() + "/BBC.url", "[InternetShortcut]\nURL=" + address);
        m_window->Options().SetBrowser(setting.replace("BIN/", bin()));
        m_window->Options().SetAutoHide(true);
        m_window->List().SelectOnly(m_window->List().Item(0));
        m_window->Menus().Action(newWindow ? "mnuFileOpenLinkNew" : "mnuFileOpenLink")->trigger();
        const QList<FakeProgramLauncher::Call>& calls = m_app->programs.calls;
        QStringList outcome = m_app->prompts.texts();
        if (!calls.isEmpty())
            outcome =
                QStringList{calls.first().program.mid(bin().size())} + calls.first().arguments;
        QVERIFY2(outcome.join('|').contains(expected) && calls.size() < 2,
                 qPrintable(outcome.join('|')));
        // AutoHide acts as with the host, only when the browser was started.
        QCOMPARE(m_window->isVisible(), calls.isEmpty()); // the tray is on
    }

    // Without a desktop default, $BROWSER; the Options dialog takes a command of the user's own.
    void choosingTheBrowser()
    {
        qputenv("BROWSER", (bin() + "custom --go %s:other").toUtf8());
        QCOMPARE(BrowserChoice::Resolve("").command, (QStringList{bin() + "custom", "--go", "%s"}));
        frmOptions dialog(m_window->Options(), m_app->registry, {});
        dialog.cboBrowser()->setCurrentIndex(dialog.cboBrowser()->count() - 1); // a command
        dialog.txtBrowserCommand()->setText("browser %u");
        dialog.cmdOKClick();
        QCOMPARE(m_window->Options().Browser(), "command:browser %u");
    }

    void realBrowserWindowsBesideTheHost()
    {
        m_app->windows.AddFrame("IEFrame", "Host - Microsoft Internet Explorer", "http://host/");
        m_app->windows.AddWindow("firefox-esr", "Page \u2014 Mozilla Firefox");
        m_app->windows.AddWindow("Chromium", "Other - Chromium");
        // Add Link lists them all, the host's last: a real browser's title without the
        // browser's name, and the address from the clipboard.
        QGuiApplication::clipboard()->setText("https://copied.example/a");
        QString listed;
        m_app->prompts.dialogHandler = [&listed](QDialog& dialog) {
            auto& paste = static_cast<frmPasteLink&>(dialog);
            QTreeWidget* rows = paste.lvwPasteLink();
            listed = rows->topLevelItem(0)->text(0) + rows->topLevelItem(2)->text(0);
            rows->setCurrentItem(rows->topLevelItem(1));
            paste.txtTitle()->setText(rows->currentItem()->text(0));
            paste.cmdPasteLinkClick();
            return paste.result();
        };
        m_window->Menus().Action("mnuEditPasteLink")->trigger();
        QCOMPARE(listed, "OtherHost");
        QCOMPARE(madeLinks(), "BBC=http://bbc.co.uk/;Page=https://copied.example/a");
    }

    void linksDroppedOrPasted_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("made"); // besides BBC, in the root
        const QString moz = "https://a.example/\nBBC\nhttps://b.example/x/y\n";
        QTest::newRow("moz-url, a name taken")
            << "text/x-moz-url"
            << QByteArray(reinterpret_cast<const char*>(moz.utf16()), moz.size() * 2)
            << ";Beeb=https://a.example/;b.example x y=https://b.example/x/y";
        QTest::newRow("uri-list") << "text/uri-list" << QByteArray("# note\r\nhttp://c.example/")
                                  << ";c.example=http://c.example/";
        QTest::newRow("one address") << "text/plain" << QByteArray(" https://e.example/ \n")
                                     << ";e.example=https://e.example/";
        QTest::newRow("script") << "text/plain" << QByteArray("javascript:x") << "";
    }
    void linksDroppedOrPasted()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, data);
        QFETCH(QString, made);
        auto* mime = new QMimeData;
        mime->setData(format, data);
        m_app->prompts.inputs.enqueue("Beeb");
        // Plain text is pasted on the list, which shows the root; the rest dropped on it.
        if (format == QLatin1String("text/plain")) {
            QGuiApplication::clipboard()->setMimeData(mime);
            QTest::keyClick(m_window->List().Widget(), Qt::Key_V, Qt::ControlModifier);
        } else {
            auto* tree = static_cast<FavoritesTreeWidget*>(m_window->Tree().Widget());
            QVERIFY(tree->linksHook(m_window->Tree().Root(), *mime, true));
            delete mime;
        }
        QCOMPARE(madeLinks(), "BBC=http://bbc.co.uk/" + made);
        QCOMPARE(m_window->List().Count(), 1 + made.count('=')); // listed again
    }
};

QTEST_MAIN(TestUserBrowsers)
#include "test_userbrowsers.moc"
