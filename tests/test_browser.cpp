#include "app/AppInfo.h"
#include "app/CommandDispatch.h"
#include "app/MainMenus.h"
#include "app/clsOptions.h"
#include "app/frmFav1.h"
#include "app/frmOptions.h"
#include "browser/BrowserCommands.h"
#include "browser/IEListError.h"
#include "browser/frmBrowserWindows.h"
#include "browser/frmPasteLink.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "platform/RegistryRoutines.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {
const QString IE = QStringLiteral("IEFrame");
const QString Cabinet = QStringLiteral("CabinetWClass");
const QString Suffix = QStringLiteral(" - Microsoft Internet Explorer");
const QString Unable = QStringLiteral("Unable to launch browser.");
const QString NeedsAddressBar =
    QStringLiteral("Navigation requires the Internet Explorer\r\nAddress Bar Toolbar to be turned on.");
} // namespace

class TestBrowser : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<frmFav1> m_window;

    FakeWindowSystem& windows() { return m_app->windows; }
    ScriptedPrompts& prompts() { return m_app->prompts; }
    BrowserCommands& browser() { return m_window->Browser(); }
    QString fav(const QString& relative) const { return m_app->Favorites() + u'/' + relative; }

    // The browser host answers a new-window request by printing a new frame's handle.
    void hostOpensFrames()
    {
        m_app->programs.onRun = [this](const QString&, const QStringList& arguments) {
            const QString address = arguments.value(1);
            return std::optional<QString>(QString::number(
                windows().AddFrame(IE, QStringLiteral("New") + Suffix, address)));
        };
    }
    QList<QStringList> launches() const
    {
        QList<QStringList> result;
        for (const FakeProgramLauncher::Call& call : m_app->programs.calls) {
            if (call.program.endsWith(QLatin1String("/tavoro-browserhost")))
                result.append(call.arguments);
        }
        return result;
    }
    QTreeWidgetItem* entry(const QString& relative)
    {
        FavoritesList& list = m_window->List();
        for (int i = 0; i < list.Count(); ++i) {
            const QString tag = FavoritesList::Tag(list.Item(i));
            if (tag == fav(relative) || tag == u'*' + fav(relative))
                return list.Item(i);
        }
        return nullptr;
    }
    void selectEntry(const QString& relative)
    {
        m_window->List().Widget()->clearSelection();
        QTreeWidgetItem* item = entry(relative);
        QVERIFY(item);
        m_window->List().Widget()->setCurrentItem(item);
        item->setSelected(true);
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites()).Build(QStringLiteral(R"(
            BBC.url = http://bbc.co.uk/
            Empty.url
            News/
            News/Daily.url = http://daily.example/
        )"));
        QFile empty(fav(QStringLiteral("Empty.url")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.write("[InternetShortcut]\r\n");
        empty.close();
        m_window = m_app->Start();
    }
    void cleanup()
    {
        m_window.reset();
        m_app.reset();
    }

    void listsVisibleFramesTopFirstWithCleanCaptions()
    {
        clsIEList& list = browser().IEList();
        list.Refresh();
        QCOMPARE(list.Count(), 0);
        QCOMPARE(list.ItemCaption(1), QString());
        QCOMPARE(list.fGetURLInfo(1, clsIEList::FieldhEdit), QString());

        const auto lower = windows().AddFrame(IE, QStringLiteral("Lower") + Suffix, QStringLiteral("http://lower/"));
        windows().AddFrame(IE, QStringLiteral("Hidden") + Suffix, QString());
        windows().Get(windows().TopLevelWindows().first()).visible = false;
        const auto minimised = windows().AddFrame(IE, QStringLiteral("A") + Suffix + Suffix, QString());
        windows().Get(minimised).state = WindowSystem::ShowState::Minimized;
        windows().AddWindow(QStringLiteral("Other"), QStringLiteral("Not a browser"));
        windows().AddWindow(QStringLiteral("ieframe"), QStringLiteral("Wrong case"));
        const auto folder = windows().AddFrame(Cabinet, QStringLiteral("Docs"), QStringLiteral("/home/docs"));
        const auto bare = windows().AddFrame(IE, QStringLiteral("No bar") + Suffix, QString(), false);

        list.Refresh();
        QCOMPARE(list.Count(), 4);
        QCOMPARE(list.ItemhWnd(1), bare);
        QCOMPARE(list.ItemCaption(1), QStringLiteral("No bar"));
        QCOMPARE(list.fGetURLInfo(1, clsIEList::FieldhEdit), QStringLiteral("0"));
        QCOMPARE(list.ItemURL(1), QString());
        QCOMPARE(list.ItemCaption(2), QStringLiteral("Docs"));
        QCOMPARE(list.ItemURL(2), QStringLiteral("/home/docs"));
        QCOMPARE(list.ItemhWnd(2), folder);
        QCOMPARE(list.ItemCaption(3), QStringLiteral("A")); // cut at the first suffix
        QCOMPARE(list.ItemCaption(4), QStringLiteral("Lower"));
        QCOMPARE(list.fGetURLInfo(4, 0), QString::number(lower));
        QCOMPARE(list.fGetURLInfo(4, 7), QString());

        // Clicking the lower window brings it up; the next snapshot follows.
        windows().Raise(lower);
        QCOMPARE(list.ItemhWnd(1), bare);
        list.Refresh();
        QCOMPARE(list.ItemhWnd(1), lower);

        // Nothing is typed into a frame without an address bar.
        list.Refresh();
        list.NavigateTo(2, QStringLiteral("http://x/"));
        QVERIFY(windows().Get(bare).received.isEmpty());

        try {
            list.ItemhWnd(9);
            QFAIL("a bad index must fail");
        } catch (const IEListError& error) {
            QCOMPARE(error.Source(), QStringLiteral("InetExplorer::ItemhWnd"));
        }
    }

    void opensLinksInTheTopWindowOrANewOne()
    {
        hostOpensFrames();
        // No browser window: a new one on the link's address.
        selectEntry(QStringLiteral("BBC.url"));
        m_window->Menus().Action(QStringLiteral("mnuFileOpenLink"))->trigger();
        QCOMPARE(launches(), (QList<QStringList>{{QStringLiteral("--new-window"), QStringLiteral("http://bbc.co.uk/")}}));

        // A folder window on top takes the address in its address bar, and comes forward.
        const auto folder = windows().AddFrame(Cabinet, QStringLiteral("Docs"), QStringLiteral("/docs"));
        windows().AddWindow(QStringLiteral("Editor"), QStringLiteral("Notes"));
        browser().Opener().OpenListItem(entry(QStringLiteral("BBC.url")));
        QCOMPARE(windows().Get(windows().EditOf(folder)).received,
                 (QStringList{QStringLiteral("settext:http://bbc.co.uk/"), QStringLiteral("keydown:13")}));
        QCOMPARE(windows().TopLevelWindows().first(), folder);
        QVERIFY(!windows().Get(folder).above);
        QCOMPARE(launches().size(), 1);

        // A new window is asked for even with windows open; no address gives the home page.
        selectEntry(QStringLiteral("Empty.url"));
        m_window->Menus().Action(QStringLiteral("mnuFileOpenLinkNew"))->trigger();
        QCOMPARE(launches().last(), QStringList{QStringLiteral("--new-window")});

        // Without a selection nothing opens.
        m_window->List().Widget()->clearSelection();
        m_window->List().Widget()->setCurrentItem(nullptr);
        m_window->Menus().Action(QStringLiteral("mnuFileOpenLinkNew"))->trigger();
        QCOMPARE(launches().size(), 2);
        QVERIFY(prompts().messages.isEmpty());
    }

    void refusesATopWindowWithoutAddressBar()
    {
        const auto below = windows().AddFrame(IE, QStringLiteral("Below") + Suffix, QStringLiteral("http://b/"));
        windows().AddFrame(IE, QStringLiteral("Bare") + Suffix, QString(), false);
        m_window->Options().SetAutoHide(true);
        browser().Opener().OpenListItem(entry(QStringLiteral("BBC.url")));
        QCOMPARE(prompts().texts(), QStringList{NeedsAddressBar});
        QCOMPARE(prompts().messages.first().icon, Prompts::Icon::Exclamation);
        QVERIFY(windows().Get(windows().EditOf(below)).received.isEmpty());
        QVERIFY(launches().isEmpty());
        QVERIFY(m_window->isVisible());
        QVERIFY(!m_window->isMinimized());
    }

    void autoHideMinimisesOrHides_data()
    {
        QTest::addColumn<bool>("systemTray");
        QTest::newRow("minimised") << false;
        QTest::newRow("hidden to the tray") << true;
    }
    void autoHideMinimisesOrHides()
    {
        QFETCH(bool, systemTray);
        windows().AddFrame(IE, QStringLiteral("Page") + Suffix, QStringLiteral("http://p/"));
        m_window->Options().SetAutoHide(true);
        m_window->Options().SetSystemTray(systemTray);
        browser().Opener().OpenURLFile(fav(QStringLiteral("BBC.url")), false);
        QCOMPARE(m_window->isMinimized(), !systemTray);
        QCOMPARE(m_window->isHidden(), systemTray);
        QCOMPARE(m_window->WindowShown(), !systemTray);
    }

    void launchRetriesOnceThenReports()
    {
        int runs = 0;
        m_app->programs.onRun = [&runs](const QString&, const QStringList&) {
            return ++runs == 2 ? std::optional<QString>() : std::optional<QString>(QStringLiteral("not a window"));
        };
        QCOMPARE(browser().Launcher().LaunchBrowser(QStringLiteral("http://a/\r\nevil")), WindowSystem::Handle(0));
        QCOMPARE(runs, 2);
        QCOMPARE(prompts().texts(), QStringList{Unable});
        QCOMPARE(prompts().messages.first().icon, Prompts::Icon::None);
        // The address reaches the host as one argument, without its line break.
        QCOMPARE(launches().first(), (QStringList{QStringLiteral("--new-window"), QStringLiteral("http://a/evil")}));

        hostOpensFrames();
        m_app->programs.calls.clear();
        m_window->Menus().Action(QStringLiteral("mnuHelpWebSite"))->trigger();
        QCOMPARE(launches(), (QList<QStringList>{{QStringLiteral("--new-window"), AppInfo::WebSite}}));
        QCOMPARE(prompts().messages.size(), 1);
    }

    void opensFolderEntriesInTheTree()
    {
        m_window->SelectView(FavoritesViews::SearchResults);
        m_window->List().AddRows({{QStringLiteral("K1"), QStringLiteral("News"), QStringLiteral("Closed"),
                                   u'*' + fav(QStringLiteral("News")), {}}});
        browser().Opener().OpenListItem(m_window->List().Item(0));
        QCOMPARE(m_window->Views().CurrentView(), FavoritesViews::Normal);
        QCOMPARE(FavoritesTree::Tag(m_window->Tree().SelectedItem()), fav(QStringLiteral("News")));
        QVERIFY(entry(QStringLiteral("News/Daily.url")));
        QVERIFY(launches().isEmpty());
    }

    void exploresTheFavorites()
    {
        const QString root = m_app->Favorites();
        const QString explorer = m_window->ProgramFolder() + QStringLiteral("/EXPLORER.EXE");
        m_window->Tree().Select(m_window->Tree().Root());
        m_window->Dispatch().Run(QStringLiteral("Explore"));
        selectEntry(QStringLiteral("News"));
        browser().Opener().Explore(QStringLiteral("L"));
        const QList<FakeProgramLauncher::Call>& calls = m_app->programs.calls;
        QCOMPARE(calls.size(), 2);
        QCOMPARE(calls[0].program, explorer);
        QVERIFY(calls[0].detached);
        QCOMPARE(calls[0].arguments, QStringList{QStringLiteral("/n,/e,/root,") + root});
        QCOMPARE(calls[1].arguments,
                 QStringList{QStringLiteral("/n,/e,/root,%1,/select,%1/News").arg(root)});

        OsVersionInfo nt4{2, 4, 0, 1381};
        QCOMPARE(BrowserLauncher::ExploreArgument(QStringLiteral("/f"), QStringLiteral("/f/a/b.url"), nt4),
                 QStringLiteral("/n,/e,/root,/f,/select,a/b.url"));
    }

    void versionNames_data()
    {
        QTest::addColumn<int>("platform");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("build");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shortName");
        QTest::newRow("NT 3.51") << 2 << 3 << 51 << 1057 << "Windows NT 3.51" << "NT351";
        QTest::newRow("NT 4") << 2 << 4 << 0 << 1381 << "Windows NT 4.0" << "NT4";
        QTest::newRow("2000") << 2 << 5 << 0 << 2195 << "Windows 2000" << "2000";
        QTest::newRow("XP") << 2 << 5 << 1 << 2600 << "Windows XP" << "XP";
        QTest::newRow("later NT") << 2 << 10 << 0 << 19045 << "" << "";
        QTest::newRow("98") << 1 << 4 << 10 << 1998 << "Windows 98" << "98";
        QTest::newRow("98 SP1 first") << 1 << 4 << 10 << 1999 << "Windows 98 SP1" << "98";
        QTest::newRow("98 SP1 last") << 1 << 4 << 10 << 2182 << "Windows 98 SP1" << "98";
        QTest::newRow("98 SE") << 1 << 4 << 10 << 2222 << "Windows 98 SE" << "98";
        QTest::newRow("before 98") << 1 << 4 << 10 << 1997 << "" << "";
        QTest::newRow("ME") << 1 << 4 << 90 << 3000 << "Windows ME" << "ME";
        QTest::newRow("other platform") << 3 << 5 << 0 << 0 << "" << "";
    }
    void versionNames()
    {
        QFETCH(int, platform);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, build);
        const OsVersionInfo info{std::uint32_t(platform), std::uint32_t(major), std::uint32_t(minor),
                                 std::uint32_t(build)};
        QTEST(SystemVersion::GetOSVersionName(info), "name");
        QTEST(SystemVersion::GetOSShortName(info), "shortName");
        // This system's own record names nothing.
        QCOMPARE(SystemVersion::GetOSVersionName(), QString());
    }

    void addLinkRefusals()
    {
        const QString wrongView = QStringLiteral("Add Link is only available in Normal View.");
        const QString noFolder = QStringLiteral("No Folder was selected to Add Link.");
        const QString noBrowser = QStringLiteral("No Instances of Internet Explorer are running.");
        QAction* addLink = m_window->Menus().Action(QStringLiteral("mnuEditPasteLink"));
        addLink->trigger();
        m_window->Tree().Widget()->setCurrentItem(nullptr);
        m_window->Tree().Widget()->clearSelection();
        addLink->trigger();
        m_window->SelectView(FavoritesViews::PhoneBook);
        addLink->trigger();
        QCOMPARE(prompts().texts(), (QStringList{noBrowser, noFolder, wrongView}));
    }

    void addLinkWritesTheChosenWindowsPage()
    {
        windows().AddFrame(IE, QStringLiteral("Second") + Suffix, QStringLiteral("http://second/"));
        windows().AddFrame(IE, QStringLiteral("http://www.Q: What?") + Suffix, QStringLiteral("http://first/"));
        selectEntry(QStringLiteral("News"));
        m_window->Tree().Select(m_window->Tree().Root());
        QStringList captions, proposed;
        int attempts = 0;
        bool savedAfterRefusal = true;
        prompts().dialogHandler = [&](QDialog& dialog) {
            auto& paste = static_cast<frmPasteLink&>(dialog);
            captions << paste.windowTitle();
            proposed << paste.txtTitle()->text() << QString::number(paste.lvwPasteLink()->topLevelItemCount());
            if (++attempts == 1) {
                paste.txtTitle()->setText(QStringLiteral("Daily"));
                paste.cmdPasteLink()->click(); // an existing name keeps the dialog open
                savedAfterRefusal = paste.IsSaved();
                paste.txtTitle()->setText(QStringLiteral("www.Second"));
                paste.lvwPasteLink()->setCurrentItem(paste.lvwPasteLink()->topLevelItem(1));
                paste.cmdPasteLink()->click();
                return paste.result();
            }
            paste.cmdCancel()->click();
            return paste.result();
        };
        // A folder entry of the list is the target when the list was touched last.
        browser().AddLink(QStringLiteral("L"));
        QCOMPARE(captions.last(), QStringLiteral("Add Link to '/News'"));
        QCOMPARE(proposed, (QStringList{QStringLiteral("Q What"), QStringLiteral("2")}));
        QVERIFY(!savedAfterRefusal);
        QCOMPARE(prompts().texts(), QStringList{QStringLiteral("Link already exists in the selected folder.")});
        QFile written(fav(QStringLiteral("News/Second.url")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().contains("URL=http://second/"));

        // The tree's folder otherwise; the list then shows the new link.
        selectEntry(QStringLiteral("BBC.url"));
        browser().AddLink(QStringLiteral("L"));
        QCOMPARE(captions.last(), QStringLiteral("Add Link to '/'"));
        QVERIFY(!QFile::exists(fav(QStringLiteral("Q What.url"))));
    }

    void browserButtonInTheRegistry()
    {
        BrowserButton& button = browser().Button();
        QVERIFY(!button.IsBrowserButtonInstalled());
        button.RemoveBrowserButton(); // never installed: the read-back is empty
        button.AddBrowserButton();
        button.AddBrowserButton();
        QVERIFY(button.IsBrowserButtonInstalled());
        const auto value = [this](const char* name) {
            return ReadRegValue(m_app->registry, BrowserButton::ExtensionsKey, BrowserButton::ButtonId,
                                QString::fromLatin1(name), QString()).toString();
        };
        const QString folder = m_window->ProgramFolder();
        QCOMPARE(value("Exec"), folder + QStringLiteral("\\\\tavoro.exe"));
        QCOMPARE(value("Icon"), folder + QStringLiteral("\\\\Tavoro-IE1.ico"));
        QCOMPARE(value("HotIcon"), value("Icon"));
        QCOMPARE(value("ButtonText"), QStringLiteral("Tavoro"));
        QCOMPARE(value("Default Visible"), QStringLiteral("Yes"));

        WriteRegValue(m_app->registry, BrowserButton::ExtensionsKey, BrowserButton::ButtonId,
                      QStringLiteral("CLSID"), BrowserButton::RunProgramClsid.toLower());
        QVERIFY(button.IsBrowserButtonInstalled());
        button.RemoveBrowserButton();
        QVERIFY(!button.IsBrowserButtonInstalled());

        const QStringList texts = prompts().texts();
        QCOMPARE(texts.size(), 4);
        QVERIFY(texts[0].startsWith(QLatin1String("Tavoro successfully removed from Internet Explorer Toolbar.\r\n\r\n")));
        QVERIFY(texts[1].endsWith(QLatin1String("close and \r\nreopen Internet Explorer and set toolbar to be visible.")));
        QCOMPARE(texts[2], texts[1]);
        QCOMPARE(texts[3], texts[0]);

        // The Options dialog's box installs it.
        prompts().dialogHandler = [](QDialog& dialog) {
            auto& options = static_cast<frmOptions&>(dialog);
            options.chkIEButton()->setChecked(true);
            options.cmdOKClick();
            return options.result();
        };
        m_window->Menus().Action(QStringLiteral("mnuToolsOptions"))->trigger();
        QVERIFY(button.IsBrowserButtonInstalled());
    }

    void arrangeListsTheBrowserWindows()
    {
        windows().AddFrame(IE, QStringLiteral("www.Page") + Suffix, QStringLiteral("http://p/"));
        QStringList listed;
        prompts().dialogHandler = [&listed](QDialog& dialog) {
            QTreeWidget* list = dialog.findChild<QTreeWidget*>();
            for (int i = 0; list && i < list->topLevelItemCount(); ++i)
                listed << list->topLevelItem(i)->text(0) << list->topLevelItem(i)->text(1);
            return int(QDialog::Rejected);
        };
        m_window->Menus().Action(QStringLiteral("mnuToolsArrange"))->trigger();
        QCOMPARE(listed, (QStringList{QStringLiteral("Page"), QStringLiteral("http://p/")}));
    }

    void centresOverTheFirstBrowserWindow()
    {
        const auto frame = windows().AddFrame(IE, QStringLiteral("Page") + Suffix, QString());
        windows().MoveResize(frame, QRect(-300, 100, 800, 600));
        m_window->resize(400, 300);
        m_window->Options().SetAutoCenter(true);
        m_window->ProcessCmd(QStringLiteral("A"));
        const QRect frameRect = m_window->frameGeometry();
        QCOMPARE(frameRect.left(), 0); // would be left of the screen: clamped
        QCOMPARE(frameRect.top() + frameRect.height() / 2, 100 + 300);
    }
};

QTEST_MAIN(TestBrowser)
#include "test_browser.moc"
