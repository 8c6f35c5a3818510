#include "app/clsOptions.h"
#include "app/frmOptions.h"
#include "platform/RegistryRoutines.h"
#include "support/AppFixture.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString kRoot = QStringLiteral("Software\\Tavoro");

QString readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Turns a box over by its name, or "click" switches the click mode.
void flip(frmOptions& dialog, const QString& control)
{
    if (control == QLatin1String("click"))
        (dialog.optDblClick()->isChecked() ? dialog.optSingleClick() : dialog.optDblClick())
            ->setChecked(true);
    else if (!control.isEmpty())
        dialog.findChild<QCheckBox*>(control)->toggle();
}

} // namespace

class TestOptionsDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<clsOptions> m_options;
    QStringList m_calls; // what OK asked of the main window and the browser button
    bool m_windowVisible = true;
    bool m_buttonInstalled = false;

    std::unique_ptr<frmOptions> makeDialog()
    {
        const auto call = [this](const char* name) {
            return [this, name] { m_calls << QString::fromLatin1(name); };
        };
        const frmOptions::MainWindowHooks hooks{
            call("addTray"),   call("removeTray"), [this] { return m_windowVisible; },
            call("bringBack"), call("pointer"),    call("clearSearch")};
        const frmOptions::BrowserButton button{[this] { return m_buttonInstalled; },
                                               [this] {
                                                   m_calls << "install";
                                                   m_buttonInstalled = true;
                                               },
                                               [this] {
                                                   m_calls << "remove";
                                                   m_buttonInstalled = false;
                                               }};
        return std::make_unique<frmOptions>(*m_options, m_app->registry, hooks, button);
    }
    QString searchHistory()
    {
        return ReadRegValue(m_app->registry, kRoot, "Search", "Search1", QString()).toString();
    }
    // The settings, then the boxes showing them, in the same order.
    QList<bool> settings() const
    {
        const clsOptions& o = *m_options;
        return {o.RememberSearch(), o.AutoHide(),         o.AutoCenter(),
                o.RememberFolder(), o.RememberPosition(), o.ConfirmExit(),
                o.SystemTray(),     o.StartupGroup(),     o.DblClick()};
    }
    static QList<bool> boxes(const frmOptions& d)
    {
        return {d.chkRememberSearch()->isChecked(),   d.chkAutoHide()->isChecked(),
                d.chkAutoCenter()->isChecked(),       d.chkRememberFolder()->isChecked(),
                d.chkRememberPosition()->isChecked(), d.chkConfirmExit()->isChecked(),
                d.chkSystemTray()->isChecked(),       d.chkStartupGroup()->isChecked(),
                d.optDblClick()->isChecked()};
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_options = std::make_unique<clsOptions>(m_app->registry, *m_app->shell,
                                                 QStringLiteral("/fav"), m_app->programPath);
        m_options->Load();
        m_calls.clear();
        m_windowVisible = true;
        m_buttonInstalled = false;
    }
    void cleanup()
    {
        m_options.reset();
        m_app.reset();
    }

    void textsAreExact()
    {
        auto d = makeDialog();
        const QList<std::pair<QString, QString>> shown{
            {d->windowTitle(), "Options"},
            {d->chkRememberSearch()->text(), "Remember Searches / Add to Search List "},
            {d->chkAutoHide()->text(), "Hide Tavoro when Opening Browser"},
            {d->chkAutoCenter()->text(), "Center Tavoro over Browser Window"},
            {d->chkIEButton()->text(), "Add Tavoro to Browser Toolbar"},
            {d->chkRememberFolder()->text(), "Remember Last Selected Folder"},
            {d->chkRememberPosition()->text(), "Remember Last Window Position"},
            {d->chkConfirmExit()->text(), "Prompt when Exiting Tavoro"},
            {d->chkSystemTray()->text(), "Add  Tavoro to Taskbar Tray"},
            {d->chkStartupGroup()->text(), "Add Tavoro to Startup Menu"},
            {d->Frame1()->title(), "Open List Items as Follows"},
            {d->optDblClick()->text(), "Double-click to open a Link or Folder in the List"},
            {d->optSingleClick()->text(), "Single-click to open a Link or Folder in the List"},
            {d->cmdOK()->text() + d->cmdCancel()->text() + d->cmdHelp()->text(), "OKCancelHelp"},
        };
        for (const auto& [text, expected] : shown)
            QCOMPARE(text, expected);
    }

    // What each OK asks for: after turning a box over, after leaving it, after turning it
    // back. A change is acted on once; only the history is cleared while its box is off.
    void okActsOnChanges_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("windowVisible");
        QTest::addColumn<QList<QStringList>>("calls");
        using Calls = QList<QStringList>;
        QTest::newRow("nothing") << "" << true << Calls{{}, {}, {}};
        QTest::newRow("tray, window shown")
            << "chkSystemTray" << true << Calls{{"removeTray"}, {}, {"addTray"}};
        QTest::newRow("tray, window hidden")
            << "chkSystemTray" << false << Calls{{"removeTray", "bringBack"}, {}, {"addTray"}};
        QTest::newRow("search history")
            << "chkRememberSearch" << true << Calls{{"clearSearch"}, {"clearSearch"}, {}};
        QTest::newRow("click mode") << "click" << true << Calls{{"pointer"}, {}, {"pointer"}};
        QTest::newRow("browser button")
            << "chkIEButton" << true << Calls{{"install"}, {}, {"remove"}};
    }
    void okActsOnChanges()
    {
        QFETCH(QString, control);
        QFETCH(bool, windowVisible);
        QFETCH(QList<QStringList>, calls);
        m_windowVisible = windowVisible;
        WriteRegValue(m_app->registry, kRoot, "Search", "Search1", "pumpkin");
        QCOMPARE(m_app->Stored("SystemTray"), QStringLiteral("<none>"));
        for (int round = 0; round < 3; ++round) {
            m_calls.clear();
            auto dialog = makeDialog();
            QCOMPARE(dialog->chkIEButton()->isChecked(), m_buttonInstalled);
            QCOMPARE(dialog->IEButtonTag(), QString::number(int(m_buttonInstalled)));
            if (round != 1)
                flip(*dialog, control);
            dialog->cmdOKClick();
            QCOMPARE(dialog->result(), int(QDialog::Accepted));
            QCOMPARE(m_calls, calls[round]);
            QCOMPARE(settings(), boxes(*dialog));
            QCOMPARE(m_app->Stored("SystemTray"),
                     QString::fromLatin1(m_options->SystemTray() ? "-1" : "0"));
            if (round == 0) // the history goes with its box
                QCOMPARE(searchHistory().isEmpty(), !m_options->RememberSearch());
        }
    }

    void startupAndTrayInOneOkGiveAnEntryWithoutHide()
    {
        m_options->SetSystemTray(false);
        auto dialog = makeDialog();
        dialog->chkStartupGroup()->setChecked(true);
        dialog->chkSystemTray()->setChecked(true);
        dialog->cmdOKClick();
        QVERIFY(m_options->StartupGroup() && m_options->SystemTray());
        const QString entry = readFile(m_options->StartupEntryPath());
        QVERIFY(entry.contains(QStringLiteral("Exec=")) &&
                !entry.contains(QStringLiteral("/Hide")));
        QCOMPARE(m_calls, QStringList{"addTray"});
    }

    void trayOffOnTheRealWindowShowsIt()
    {
        auto window = m_app->Start();
        QVERIFY(m_app->tray.shown);
        window->hide();
        frmOptions dialog(window->Options(), m_app->registry, frmOptions::HooksFor(*window));
        dialog.chkSystemTray()->setChecked(false);
        dialog.cmdOKClick();
        QVERIFY(!m_app->tray.shown);
        QVERIFY(window->isVisible());
    }

    void cancelChangesNothing()
    {
        const QList<bool> before = settings();
        auto dialog = makeDialog();
        QCOMPARE(boxes(*dialog), before);
        for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
            box->toggle();
        dialog->optSingleClick()->setChecked(true);
        dialog->cmdCancelClick();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(m_calls.isEmpty());
        QCOMPARE(settings(), before);
        QCOMPARE(m_app->Stored("SystemTray"), QStringLiteral("<none>"));
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "test_options_dialog.moc"
