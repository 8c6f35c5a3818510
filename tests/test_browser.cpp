#include "app/MainMenus.h"
#include "app/frmFav1.h"
#include "browser/BrowserCommands.h"
#include "core/AppInfo.h"
#include "core/clsOptions.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "platform/RegistryRoutines.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QTest>
#include <QTreeWidget>

namespace {
const QString IE = "IEFrame", Cabinet = "CabinetWClass";
const QString Suffix = " - Microsoft Internet Explorer";
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
    void trigger(const char* action) { m_window->Menus().Action(action)->trigger(); }

    // The browser host answers a new-window request by printing a new frame's handle.
    void hostOpensFrames()
    {
        m_app->programs.onRun = [this](const QString&, const QStringList& arguments) {
            return std::optional(
                QString::number(windows().AddFrame(IE, "New" + Suffix, arguments.value(1))));
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
    QModelIndex entry(const QString& relative)
    {
        FavoritesList& list = m_window->List();
        for (int i = 0; i < list.Count(); ++i) {
            const QString tag = FavoritesList::Tag(list.Item(i));
            if (tag == fav(relative) || tag == u'*' + fav(relative))
                return list.Item(i);
        }
        return {};
    }
    void selectEntry(const QString& relative) { m_window->List().SelectOnly(entry(relative)); }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites())
            .Build("BBC.url = http://bbc.co.uk/\nNews/Daily.url = http://daily.example/\n")
            .File("Empty.url", "[InternetShortcut]\r\n");
        m_window = m_app->Start();
    }
    void cleanup()
    {
        m_window.reset();
        m_app.reset();
    }

    // Visible frames of the two browser classes only, the top one first, captions cut at
    // the first suffix.
    void listsVisibleFramesTopFirst()
    {
        clsIEList& list = browser().IEList();
        const auto lower = windows().AddFrame(IE, "Lower" + Suffix, "http://lower/");
        windows().AddFrame(IE, "Hidden" + Suffix, QString());
        windows().Get(windows().TopLevelWindows().first()).visible = false;
        const auto minimised = windows().AddFrame(IE, "A" + Suffix + Suffix, QString());
        windows().Get(minimised).state = WindowSystem::ShowState::Minimized;
        windows().AddWindow("Other", "Not a browser");
        windows().AddWindow("ieframe", "Wrong case");
        windows().AddFrame(Cabinet, "Docs", "/home/docs");
        const auto bare = windows().AddFrame(IE, "No bar" + Suffix, QString(), false);

        list.Refresh();
        QStringList seen;
        for (int i = 1; i <= list.Count(); ++i)
            seen << list.ItemCaption(i) + u'|' + list.ItemURL(i);
        QCOMPARE(seen, (QStringList{"No bar|", "Docs|/home/docs", "A|", "Lower|http://lower/"}));
        QCOMPARE(list.fGetURLInfo(1, clsIEList::FieldhEdit), QStringLiteral("0"));
        windows().Raise(lower);
        QCOMPARE(list.ItemhWnd(1), bare); // a snapshot, until the next Refresh
        list.Refresh();
        QCOMPARE(list.ItemhWnd(1), lower);
        // Nothing is typed into a frame without an address bar.
        list.NavigateTo(2, "http://x/");
        QVERIFY(windows().Get(bare).received.isEmpty());
    }

    void opensLinksInTheTopWindowOrANewOne()
    {
        hostOpensFrames();
        selectEntry("BBC.url");
        trigger("mnuFileOpenLink");
        QCOMPARE(launches(), (QList<QStringList>{{"--new-window", "--", "http://bbc.co.uk/"}}));

        // A folder window on top takes the address in its address bar, and comes forward.
        const auto folder = windows().AddFrame(Cabinet, "Docs", "/docs");
        windows().AddWindow("Editor", "Notes");
        browser().Opener().OpenListItem(entry("BBC.url"));
        QCOMPARE(windows().Get(windows().EditOf(folder)).received,
                 (QStringList{"settext:http://bbc.co.uk/", "keydown:13"}));
        QCOMPARE(windows().TopLevelWindows().first(), folder);
        QCOMPARE(launches().size(), 1);

        // A new window even with windows open; no address gives the home page.
        selectEntry("Empty.url");
        trigger("mnuFileOpenLinkNew");
        QCOMPARE(launches().last(), QStringList{"--new-window"});
        m_window->List().Widget()->setCurrentIndex({});
        trigger("mnuFileOpenLinkNew");
        QCOMPARE(launches().size(), 2);
        QVERIFY(prompts().messages.isEmpty());
        // A link whose file is gone opens nothing: said so, and its row goes.
        QVERIFY(QFile::remove(m_app->Favorites() + "/BBC.url"));
        browser().Opener().OpenListItem(entry("BBC.url"));
        QCOMPARE(prompts().texts(), QStringList{"'BBC' no longer exists."});
        QVERIFY(launches().size() == 2 && !entry("BBC.url").isValid());
    }

    void refusesATopWindowWithoutAddressBar()
    {
        const auto below = windows().AddFrame(IE, "Below" + Suffix, "http://b/");
        windows().AddFrame(IE, "Bare" + Suffix, QString(), false);
        m_window->Options().SetAutoHide(true);
        browser().Opener().OpenListItem(entry("BBC.url"));
        QCOMPARE(prompts().texts(), QStringList{"Navigation requires the Internet Explorer\r\n"
                                                "Address Bar Toolbar to be turned on."});
        QVERIFY(windows().Get(windows().EditOf(below)).received.isEmpty());
        QVERIFY(launches().isEmpty());
        QVERIFY(m_window->isVisible() && !m_window->isMinimized());
    }

    void launchRetriesOnceThenReports()
    {
        int runs = 0;
        m_app->programs.onRun = [&runs](const QString&, const QStringList&) {
            return ++runs == 2 ? std::nullopt : std::optional<QString>("not a window");
        };
        QCOMPARE(browser().Launcher().LaunchBrowser("http://a/\r\nevil"), WindowSystem::Handle(0));
        QCOMPARE(runs, 2);
        QCOMPARE(prompts().texts(), QStringList{"Unable to launch browser."});
        // The address reaches the host as one argument, without its line break.
        QCOMPARE(launches().first(), (QStringList{"--new-window", "--", "http://a/evil"}));

        hostOpensFrames();
        m_app->programs.calls.clear();
        trigger("mnuHelpWebSite");
        QCOMPARE(launches(), (QList<QStringList>{{"--new-window", "--", AppInfo::WebSite}}));
    }

    void addLinkRefusals()
    {
        QAction* addLink = m_window->Menus().Action("mnuEditPasteLink");
        addLink->trigger();
        m_window->Tree().Widget()->setCurrentItem(nullptr);
        m_window->Tree().Widget()->clearSelection();
        addLink->trigger();
        m_window->SelectView(FavoritesViews::PhoneBook);
        addLink->trigger();
        QCOMPARE(prompts().texts(), (QStringList{"No Instances of Internet Explorer are running.",
                                                 "No Folder was selected to Add Link.",
                                                 "Add Link is only available in Normal View."}));
    }

    void browserButtonInTheRegistry()
    {
        BrowserButton& button = browser().Button();
        QVERIFY(!button.IsBrowserButtonInstalled());
        button.RemoveBrowserButton(); // never installed: nothing to remove
        button.AddBrowserButton();
        button.AddBrowserButton();
        QVERIFY(button.IsBrowserButtonInstalled());
        const auto value = [this](const char* name) {
            return ReadRegValue(m_app->registry, BrowserButton::ExtensionsKey,
                                BrowserButton::ButtonId, name, QString())
                .toString();
        };
        QCOMPARE(value("Exec"), m_window->ProgramFolder() + "\\\\tavoro.exe");
        QCOMPARE(value("HotIcon"), value("Icon"));
        // The class id is matched whatever its letter case.
        WriteRegValue(m_app->registry, BrowserButton::ExtensionsKey, BrowserButton::ButtonId,
                      "CLSID", BrowserButton::RunProgramClsid.toLower());
        QVERIFY(button.IsBrowserButtonInstalled());
        button.RemoveBrowserButton();
        QVERIFY(!button.IsBrowserButtonInstalled());
        QCOMPARE(prompts().messages.size(), 4);
    }
};

QTEST_MAIN(TestBrowser)
#include "test_browser.moc"
