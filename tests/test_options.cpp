// The settings in the registry, and the Options dialog that edits them.
#include "app/frmOptions.h"
#include "core/clsOptions.h"
#include "platform/RegistryRoutines.h"
#include "support/AppFixture.h"

#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QTest>

namespace {

const QString kRoot = QStringLiteral("Software\\Tavoro");

QString readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<clsOptions> m_options;
    QStringList m_calls; // what the dialog's OK asked of the main window and browser button
    bool m_windowVisible = true;
    bool m_buttonInstalled = false;

    clsOptions loaded(Registry& registry)
    {
        clsOptions options(registry, *m_app->shell, "/shell/Favorites", m_app->programPath);
        options.Load();
        return options;
    }
    QString userFile() const { return readFile(m_app->env.RegistryDir() + "/user.reg"); }
    std::unique_ptr<frmOptions> makeDialog()
    {
        const auto call = [this](const char* name) { return [this, name] { m_calls << name; }; };
        const frmOptions::MainWindowHooks hooks{
            call("addTray"),    call("removeTray"), [this] { return m_windowVisible; },
            call("bringBack"),  call("pointer"),    call("clearSearch"),
            [] { return true; }};
        const auto set = [this](bool installed, const char* name) {
            return [this, installed, name] {
                m_calls << name;
                m_buttonInstalled = installed;
            };
        };
        const frmOptions::BrowserButton button{[this] { return m_buttonInstalled; },
                                               set(true, "install"), set(false, "remove")};
        return std::make_unique<frmOptions>(*m_options, m_app->registry, hooks, button);
    }
    // Every box and option of the dialog, in its order.
    static QList<bool> boxes(const frmOptions& d)
    {
        QList<bool> checked;
        for (const QAbstractButton* button : d.findChildren<QAbstractButton*>())
            if (button->isCheckable())
                checked << button->isChecked();
        return checked;
    }

private Q_SLOTS:
    void init()
    {
        m_options.reset();
        m_app = std::make_unique<AppFixture>();
        m_options = std::make_unique<clsOptions>(loaded(m_app->registry));
        m_calls.clear();
        m_windowVisible = m_buttonInstalled = false;
    }

    // Loading alone writes nothing; a save writes the key, booleans as -1 and 0.
    void roundTripThroughTheRegistry()
    {
        const QString path = "Normal View/News \"Daily\"\\x";
        QVERIFY(!userFile().contains("Tavoro\\Settings]"));
        clsOptions& options = *m_options;
        options.SetlvwFont("DejaVu Sans\t9\tB");
        options.SetMainWidth(12345.5f);
        options.SetMainLeft(0);
        options.SetSelectedPath(path);
        options.SetAlwaysOnTop(true);
        options.SetDblClick(false);
        options.SetDeleteWithoutTrash(true);
        options.SetThemeName(QString());
        options.SetFavoritesPath("/data/Favoriten äöü");
        options.Save();
        QVERIFY(userFile().contains("[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]"));
        QVERIFY(userFile().contains("\"AutoHide\"=\"0\"") &&
                userFile().contains("\"AlwaysOnTop\"=\"-1\""));
        Registry fresh(m_app->env.RegistryDir(), m_app->shell);
        const clsOptions read = loaded(fresh);
        QCOMPARE(read.lvwFont(), "DejaVu Sans\t9\tB");
        QCOMPARE(read.MainWidth(), 12345.5f);
        QCOMPARE(read.MainLeft(), 0.0f);
        QCOMPARE(read.SelectedPath(), path);
        QVERIFY(read.AlwaysOnTop() && !read.DblClick() && read.DeleteWithoutTrash());
        // An emptied theme name stays empty, so the six appearance settings stand.
        QCOMPARE(read.ThemeName(), QString());
        QCOMPARE(read.FavoritesPath(), "/data/Favoriten äöü");
        // Without Remember Folder the path is written empty, yet kept while running.
        options.SetRememberFolder(false);
        options.Save();
        QVERIFY(userFile().contains("\"SelectedPath\"=\"\""));
        QCOMPARE(options.SelectedPath(), path);
    }

    void startupEntryIsMadeOnceAndRemoved()
    {
        clsOptions& options = *m_options;
        QCOMPARE(options.GroupDir(), m_app->env.DataHome() + "/applications");
        QVERIFY(!options.StartupGroup());
        options.SetSystemTray(true);
        options.SetStartupGroup(true, true);
        QVERIFY(options.StartupGroup());
        QCOMPARE(options.StartupEntryPath(), m_app->env.ConfigHome() + "/autostart/tavoro.desktop");
        const QString text = readFile(options.StartupEntryPath());
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY2(text.contains("\nExec=\"" + m_app->programPath + "\" /Hide\n"), qPrintable(text));
        QVERIFY(text.contains("\nIcon=tavoro\n"));
        QVERIFY(text.contains("\nPath=" + QFileInfo(m_app->programPath).absolutePath() + u'\n'));
        // A second switch-on leaves the entry as it was, tray setting and all.
        options.SetSystemTray(false);
        options.SetStartupGroup(true, true);
        QCOMPARE(readFile(options.StartupEntryPath()), text);
        options.SetStartupGroup(false, true);
        QVERIFY(!options.StartupGroup() && !QFile::exists(options.StartupEntryPath()));
        // Hidden only with the setting on and a tray to come back by.
        for (const bool setting : {false, true}) {
            options.SetSystemTray(setting);
            options.SetStartupGroup(true, !setting);
            QVERIFY(!readFile(options.StartupEntryPath()).contains("/Hide"));
            options.SetStartupGroup(false, true);
        }
    }

    // What each OK of the dialog asks for: after turning a box over, after leaving it, after
    // turning it back. A change is acted on once; only the history is cleared while its box
    // is off. Cancel after a change asks for nothing and keeps the settings.
    void dialogActsOnChanges_data()
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
    void dialogActsOnChanges()
    {
        QFETCH(QString, control);
        QFETCH(bool, windowVisible);
        QFETCH(QList<QStringList>, calls);
        m_windowVisible = windowVisible;
        WriteRegValue(m_app->registry, kRoot, "Search", "Search1", "pumpkin");
        QList<bool> shown = boxes(*makeDialog());
        for (int round = 0; round < 4; ++round) {
            const bool cancel = round == 3;
            m_calls.clear();
            auto dialog = makeDialog();
            QCOMPARE(boxes(*dialog), shown); // what the last OK stored
            QCOMPARE(dialog->IEButtonTag(), QString::number(int(m_buttonInstalled)));
            QRadioButton* other = dialog->optDblClick()->isChecked() ? dialog->optSingleClick()
                                                                     : dialog->optDblClick();
            if (round != 1 && control == "click")
                other->setChecked(true);
            else if (round != 1 && !control.isEmpty())
                dialog->findChild<QCheckBox*>(control)->toggle();
            cancel ? dialog->cmdCancelClick() : dialog->cmdOKClick();
            QCOMPARE(dialog->result(), int(cancel ? QDialog::Rejected : QDialog::Accepted));
            QCOMPARE(m_calls, cancel ? QStringList() : calls[round]);
            if (!cancel)
                shown = boxes(*dialog);
            QCOMPARE(m_app->Stored("SystemTray"), m_options->SystemTray() ? "-1" : "0");
            const QVariant history = ReadRegValue(m_app->registry, kRoot, "Search", "Search1", "");
            if (round == 0) // the history goes with its box
                QCOMPARE(history.toString().isEmpty(), !m_options->RememberSearch());
        }
        QCOMPARE(boxes(*makeDialog()), shown);
    }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"
