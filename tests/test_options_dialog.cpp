#include "app/clsOptions.h"
#include "app/frmOptions.h"
#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"
#include "platform/ShellFolders.h"
#include "support/AppFixture.h"
#include "support/TestEnvironment.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString kRoot = QStringLiteral("Software\\Tavoro");

// Counts what OK asks of the main window and of the browser button.
struct Calls
{
    int addTray = 0;
    int removeTray = 0;
    int bringBack = 0;
    int pointer = 0;
    int clearSearch = 0;
    int install = 0;
    int remove = 0;
    bool windowVisible = true;
    bool buttonInstalled = false;
};

QString readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestOptionsDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::shared_ptr<ShellFolders> m_shell;
    std::unique_ptr<Registry> m_registry;
    std::unique_ptr<clsOptions> m_options;
    Calls m_calls;

    std::unique_ptr<frmOptions> makeDialog()
    {
        Calls* c = &m_calls;
        frmOptions::MainWindowHooks hooks;
        hooks.addTrayIcon = [c] { ++c->addTray; };
        hooks.removeTrayIcon = [c] { ++c->removeTray; };
        hooks.mainWindowVisible = [c] { return c->windowVisible; };
        hooks.bringBack = [c] { ++c->bringBack; };
        hooks.setLvwMousePointer = [c] { ++c->pointer; };
        hooks.clearSearchList = [c] { ++c->clearSearch; };
        frmOptions::BrowserButton button;
        button.isInstalled = [c] { return c->buttonInstalled; };
        button.install = [c] {
            ++c->install;
            c->buttonInstalled = true;
        };
        button.remove = [c] {
            ++c->remove;
            c->buttonInstalled = false;
        };
        return std::make_unique<frmOptions>(*m_options, *m_registry, hooks, button);
    }
    QString stored(const QString& name)
    {
        return ReadRegValue(*m_registry, kRoot, QStringLiteral("Settings"), name,
                            QStringLiteral("<none>"))
            .toString();
    }
    bool noCalls() const
    {
        const Calls& c = m_calls;
        return c.addTray + c.removeTray + c.bringBack + c.pointer + c.clearSearch + c.install +
                   c.remove ==
               0;
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_shell = std::make_shared<ShellFolders>();
        m_registry = std::make_unique<Registry>(m_env->RegistryDir(), m_shell);
        m_options = std::make_unique<clsOptions>(*m_registry, *m_shell, QStringLiteral("/fav"),
                                                 m_env->Root() + QStringLiteral("/bin/tavoro"));
        m_options->Load();
        m_calls = Calls();
    }
    void cleanup()
    {
        m_options.reset();
        m_registry.reset();
        m_env.reset();
    }

    void textsAreExact()
    {
        auto dialog = makeDialog();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Options"));
        QCOMPARE(dialog->chkRememberSearch()->text(),
                 QStringLiteral("Remember Searches / Add to Search List "));
        QCOMPARE(dialog->chkAutoHide()->text(), QStringLiteral("Hide Tavoro when Opening Browser"));
        QCOMPARE(dialog->chkAutoCenter()->text(),
                 QStringLiteral("Center Tavoro over Browser Window"));
        QCOMPARE(dialog->chkIEButton()->text(), QStringLiteral("Add Tavoro to Browser Toolbar"));
        QCOMPARE(dialog->chkRememberFolder()->text(),
                 QStringLiteral("Remember Last Selected Folder"));
        QCOMPARE(dialog->chkRememberPosition()->text(),
                 QStringLiteral("Remember Last Window Position"));
        QCOMPARE(dialog->chkConfirmExit()->text(), QStringLiteral("Prompt when Exiting Tavoro"));
        QCOMPARE(dialog->chkSystemTray()->text(), QStringLiteral("Add  Tavoro to Taskbar Tray"));
        QCOMPARE(dialog->chkStartupGroup()->text(), QStringLiteral("Add Tavoro to Startup Menu"));
        QCOMPARE(dialog->Frame1()->title(), QStringLiteral("Open List Items as Follows"));
        QCOMPARE(dialog->optDblClick()->text(),
                 QStringLiteral("Double-click to open a Link or Folder in the List"));
        QCOMPARE(dialog->optSingleClick()->text(),
                 QStringLiteral("Single-click to open a Link or Folder in the List"));
        QCOMPARE(dialog->cmdOK()->text(), QStringLiteral("OK"));
        QCOMPARE(dialog->cmdCancel()->text(), QStringLiteral("Cancel"));
        QCOMPARE(dialog->cmdHelp()->text(), QStringLiteral("Help"));
    }

    void okWithoutChangesSavesAndTouchesNothing()
    {
        m_calls.buttonInstalled = true;
        auto dialog = makeDialog();
        QVERIFY(dialog->chkIEButton()->isChecked());
        QCOMPARE(dialog->IEButtonTag(), QStringLiteral("1"));
        QCOMPARE(dialog->chkSystemTray()->isChecked(), m_options->SystemTray());
        QCOMPARE(stored(QStringLiteral("SystemTray")), QStringLiteral("<none>"));
        dialog->cmdOKClick();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(noCalls());
        QVERIFY(!m_options->StartupGroup());
        QCOMPARE(stored(QStringLiteral("SystemTray")), QStringLiteral("-1"));
    }

    void startupAndTrayInOneOkGiveAnEntryWithoutHide()
    {
        m_options->SetSystemTray(false);
        auto dialog = makeDialog();
        dialog->chkStartupGroup()->setChecked(true);
        dialog->chkSystemTray()->setChecked(true);
        dialog->cmdOKClick();
        QVERIFY(m_options->StartupGroup());
        QVERIFY(m_options->SystemTray());
        QCOMPARE(m_calls.addTray, 1);
        const QString entry = readFile(m_options->StartupEntryPath());
        QVERIFY(entry.contains(QStringLiteral("Exec=")));
        QVERIFY(!entry.contains(QStringLiteral("/Hide")));

        auto again = makeDialog();
        QVERIFY(again->chkStartupGroup()->isChecked());
        again->cmdOKClick();
        QCOMPARE(readFile(m_options->StartupEntryPath()), entry);
        QCOMPARE(m_calls.addTray, 1);
    }

    void trayOffWhileHiddenBringsTheWindowBack()
    {
        m_calls.windowVisible = false;
        auto dialog = makeDialog();
        dialog->chkSystemTray()->setChecked(false);
        dialog->cmdOKClick();
        QCOMPARE(m_calls.removeTray, 1);
        QCOMPARE(m_calls.bringBack, 1);
        QVERIFY(!m_options->SystemTray());
    }

    void trayOffOnTheRealWindowShowsIt()
    {
        AppFixture fixture;
        auto window = fixture.Start();
        QVERIFY(fixture.tray.shown);
        window->hide();
        frmOptions dialog(window->Options(), fixture.registry, frmOptions::HooksFor(*window));
        dialog.chkSystemTray()->setChecked(false);
        dialog.cmdOKClick();
        QVERIFY(!fixture.tray.shown);
        QVERIFY(window->isVisible());
    }

    void uncheckingRememberSearchDeletesTheHistory()
    {
        WriteRegValue(*m_registry, kRoot, QStringLiteral("Search"), QStringLiteral("Search1"),
                      QStringLiteral("pumpkin"));
        QCOMPARE(ReadRegValue(*m_registry, kRoot, QStringLiteral("Search"),
                              QStringLiteral("Search1"), QString())
                     .toString(),
                 QStringLiteral("pumpkin"));
        auto dialog = makeDialog();
        QVERIFY(dialog->chkRememberSearch()->isChecked());
        dialog->chkRememberSearch()->setChecked(false);
        dialog->cmdOKClick();
        QVERIFY(!m_options->RememberSearch());
        QCOMPARE(ReadRegValue(*m_registry, kRoot, QStringLiteral("Search"),
                              QStringLiteral("Search1"), QStringLiteral("<gone>"))
                     .toString(),
                 QStringLiteral("<gone>"));
        QCOMPARE(m_calls.clearSearch, 1);
    }

    void switchingClickModeSetsThePointer()
    {
        auto dialog = makeDialog();
        QVERIFY(dialog->optDblClick()->isChecked());
        dialog->optSingleClick()->setChecked(true);
        dialog->cmdOKClick();
        QVERIFY(!m_options->DblClick());
        QCOMPARE(m_calls.pointer, 1);

        auto back = makeDialog();
        QVERIFY(back->optSingleClick()->isChecked());
        back->optDblClick()->setChecked(true);
        back->cmdOKClick();
        QVERIFY(m_options->DblClick());
        QCOMPARE(m_calls.pointer, 2);
    }

    void cancelChangesNothing()
    {
        auto dialog = makeDialog();
        for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
            box->setChecked(!box->isChecked());
        dialog->optSingleClick()->setChecked(true);
        dialog->cmdCancelClick();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(noCalls());
        QVERIFY(m_options->RememberSearch() && m_options->SystemTray() && m_options->DblClick());
        QVERIFY(!m_options->AutoHide() && m_options->AutoCenter() && m_options->ConfirmExit());
        QVERIFY(!m_options->StartupGroup());
        QCOMPARE(stored(QStringLiteral("SystemTray")), QStringLiteral("<none>"));
    }

    void browserButtonOnlyWhenTheBoxChanged()
    {
        auto dialog = makeDialog();
        QCOMPARE(dialog->IEButtonTag(), QStringLiteral("0"));
        dialog->chkIEButton()->setChecked(true);
        dialog->cmdOKClick();
        QCOMPARE(m_calls.install, 1);

        makeDialog()->cmdOKClick();
        QCOMPARE(m_calls.install, 1);
        QCOMPARE(m_calls.remove, 0);

        auto off = makeDialog();
        QVERIFY(off->chkIEButton()->isChecked());
        off->chkIEButton()->setChecked(false);
        off->cmdOKClick();
        QCOMPARE(m_calls.remove, 1);
        QCOMPARE(m_calls.install, 1);
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "test_options_dialog.moc"
