#include "app/clsOptions.h"
#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"
#include "platform/ShellFolders.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kRoot = QStringLiteral("Software\\Tavoro");
const QString kSection = QStringLiteral("Settings");

// A desktop without a programs folder, to reach the fallbacks.
class NoProgramsFolder final : public ShellFolders
{
public:
    QString CommonPrograms() const override { return QString(); }
};

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::shared_ptr<ShellFolders> m_shell;
    std::unique_ptr<Registry> m_registry;

    QString programPath() const { return m_env->Root() + QStringLiteral("/My Programs/tavoro"); }
    clsOptions makeOptions(const OsVersionInfo& os = SystemVersion::Current())
    {
        return clsOptions(*m_registry, *m_shell, QStringLiteral("/shell/Favorites"), programPath(), os);
    }
    void store(const QString& name, const QVariant& value)
    {
        WriteRegValue(*m_registry, kRoot, kSection, name, value);
    }
    QString userFile() const
    {
        QFile file(m_env->RegistryDir() + QStringLiteral("/user.reg"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_shell = std::make_shared<ShellFolders>();
        m_registry = std::make_unique<Registry>(m_env->RegistryDir(), m_shell);
    }
    void cleanup()
    {
        m_registry.reset();
        m_env.reset();
    }

    void firstStartGivesDefaultsAndFirstSaveCreatesTheKey()
    {
        clsOptions options = makeOptions();
        options.Load();
        QCOMPARE(options.lvwFont(), QString());
        QCOMPARE(options.MainWidth(), 11220.0f);
        QCOMPARE(options.MainHeight(), 6165.0f);
        QCOMPARE(options.MainLeft(), -1.0f);
        QCOMPARE(options.MainTop(), -1.0f);
        QCOMPARE(options.MainView(), 0);
        QCOMPARE(options.TreeWidth(), 3075.0f);
        QCOMPARE(options.lvwBackColor(), 16777215);
        QCOMPARE(options.tvwForeColor(), 0);
        QCOMPARE(options.ToolbarButtons(), clsOptions::DefaultToolbarButtons);
        QCOMPARE(options.ThemeName(), QStringLiteral("Pumpkin"));
        QCOMPARE(options.FavoritesPath(), QStringLiteral("/shell/Favorites"));
        QVERIFY(!options.AlwaysOnTop());
        QVERIFY(!options.AutoHide());
        QVERIFY(options.RememberSearch() && options.AutoCenter() && options.RememberFolder());
        QVERIFY(options.RememberPosition() && options.ConfirmExit() && options.SystemTray());
        QVERIFY(options.SysTrayPrompt() && options.FirstTime() && options.DblClick());
        QCOMPARE(options.RootKey(), kRoot);

        QVERIFY(!userFile().contains(QStringLiteral("[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]")));
        options.Save();
        QVERIFY(userFile().contains(QStringLiteral("[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]")));
    }

    void saveWritesEveryValueInItsOrder()
    {
        clsOptions options = makeOptions();
        options.Load();
        options.Save();
        QStringList names;
        const QRegularExpression value(QStringLiteral("^\"([^\"]+)\"="), QRegularExpression::MultilineOption);
        for (auto it = value.globalMatch(userFile()); it.hasNext();)
            names.append(it.next().captured(1));
        QCOMPARE(names.join(u','),
                 QStringLiteral("lvwFont,tvwFont,MainWidth,MainHeight,MainLeft,MainTop,MainView,"
                                "TreeWidth,SelectedPath,lvwForeColor,lvwBackColor,tvwForeColor,"
                                "tvwBackColor,AlwaysOnTop,RememberSearch,AutoHide,AutoCenter,"
                                "RememberFolder,RememberPosition,ToolbarButtons,ThemeName,ConfirmExit,"
                                "SystemTray,FavoritesPath,SysTrayPrompt,FirstTime,DblClick"));
        QVERIFY(userFile().contains(QStringLiteral("\"MainLeft\"=\"-1\"")));
        QVERIFY(userFile().contains(QStringLiteral("\"AutoHide\"=\"0\"")));
        QVERIFY(userFile().contains(QStringLiteral("\"DblClick\"=\"-1\"")));
    }

    void roundTripThroughTheRegistry()
    {
        {
            clsOptions options = makeOptions();
            options.Load();
            options.SetlvwFont(QStringLiteral("DejaVu Sans\t9\tB"));
            options.SetMainWidth(12345.5f);
            options.SetMainLeft(0);
            options.SetMainView(6);
            options.SetSelectedPath(QStringLiteral("Normal View/News \"Daily\"\\x"));
            options.SettvwBackColor(0x00336699);
            options.SetAlwaysOnTop(true);
            options.SetDblClick(false);
            options.SetToolbarButtons(QStringLiteral("S,Help"));
            options.SetThemeName(QString());
            options.SetFavoritesPath(QStringLiteral("/data/Favoriten äöü"));
            options.Save();
        }
        Registry fresh(m_env->RegistryDir(), m_shell);
        clsOptions options(fresh, *m_shell, QStringLiteral("/other"), programPath());
        options.Load();
        QCOMPARE(options.lvwFont(), QStringLiteral("DejaVu Sans\t9\tB"));
        QCOMPARE(options.MainWidth(), 12345.5f);
        QCOMPARE(options.MainLeft(), 0.0f);
        QCOMPARE(options.MainView(), 6);
        QCOMPARE(options.SelectedPath(), QStringLiteral("Normal View/News \"Daily\"\\x"));
        QCOMPARE(options.tvwBackColor(), 0x00336699);
        QVERIFY(options.AlwaysOnTop());
        QVERIFY(!options.DblClick());
        QCOMPARE(options.ToolbarButtons(), QStringLiteral("S,Help"));
        // An emptied theme name stays empty, so the six appearance settings stand.
        QCOMPARE(options.ThemeName(), QString());
        QCOMPARE(options.FavoritesPath(), QStringLiteral("/data/Favoriten äöü"));
    }

    void storedTextsConvert_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("view 2.5 rounds to even") << "MainView" << QVariant(QStringLiteral("2.5")) << "2";
        QTest::newRow("view 3.5 rounds to even") << "MainView" << QVariant(QStringLiteral("3.5")) << "4";
        QTest::newRow("view too large gives the default") << "MainView" << QVariant(QStringLiteral("40000")) << "0";
        QTest::newRow("colour 2.5") << "lvwForeColor" << QVariant(QStringLiteral("2.5")) << "2";
        QTest::newRow("colour not checked on load") << "lvwForeColor" << QVariant(QStringLiteral("-5")) << "-5";
        QTest::newRow("width as a dword") << "MainWidth" << QVariant(qint32(9000)) << "9000";
        QTest::newRow("width with text after it") << "MainWidth" << QVariant(QStringLiteral("8000twips")) << "8000";
        QTest::newRow("width not a number") << "MainWidth" << QVariant(QStringLiteral("wide")) << "0";
        QTest::newRow("bool -1") << "AutoHide" << QVariant(QStringLiteral("-1")) << "true";
        QTest::newRow("bool any non-zero") << "AutoHide" << QVariant(QStringLiteral("7")) << "true";
        QTest::newRow("bool dword 1") << "AutoHide" << QVariant(qint32(1)) << "true";
        QTest::newRow("bool zero") << "ConfirmExit" << QVariant(QStringLiteral("0")) << "false";
        QTest::newRow("bool text") << "ConfirmExit" << QVariant(QStringLiteral("True")) << "false";
        QTest::newRow("bool empty reads the default") << "ConfirmExit" << QVariant(QString()) << "true";
    }

    void storedTextsConvert()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, stored);
        QFETCH(QString, expected);
        store(name, stored);
        clsOptions options = makeOptions();
        options.Load();
        QString actual;
        if (name == QLatin1String("MainView"))
            actual = QString::number(options.MainView());
        else if (name == QLatin1String("lvwForeColor"))
            actual = QString::number(options.lvwForeColor());
        else if (name == QLatin1String("MainWidth"))
            actual = QString::number(options.MainWidth());
        else if (name == QLatin1String("AutoHide"))
            actual = options.AutoHide() ? QStringLiteral("true") : QStringLiteral("false");
        else
            actual = options.ConfirmExit() ? QStringLiteral("true") : QStringLiteral("false");
        QCOMPARE(actual, expected);
    }

    void colourWritesOutsideTheRangeStoreBlack_data()
    {
        QTest::addColumn<qint64>("written");
        QTest::addColumn<int>("stored");
        QTest::newRow("white") << qint64(16777215) << 16777215;
        QTest::newRow("black") << qint64(0) << 0;
        QTest::newRow("negative") << qint64(-1) << 0;
        QTest::newRow("system colour") << qint64(0x80000005) << 0;
        QTest::newRow("one above white") << qint64(16777216) << 0;
    }

    void colourWritesOutsideTheRangeStoreBlack()
    {
        QFETCH(qint64, written);
        QFETCH(int, stored);
        clsOptions options = makeOptions();
        options.SetlvwBackColor(written);
        options.SetlvwForeColor(written);
        options.SettvwBackColor(written);
        options.SettvwForeColor(written);
        QCOMPARE(options.lvwBackColor(), stored);
        QCOMPARE(options.lvwForeColor(), stored);
        QCOMPARE(options.tvwBackColor(), stored);
        QCOMPARE(options.tvwForeColor(), stored);
    }

    void selectedPathIsWrittenEmptyWithoutRememberFolder()
    {
        clsOptions options = makeOptions();
        options.Load();
        options.SetSelectedPath(QStringLiteral("Normal View/News"));
        options.SetRememberFolder(false);
        options.Save();
        QCOMPARE(ReadRegValue(*m_registry, kRoot, kSection, QStringLiteral("SelectedPath"),
                              QStringLiteral("<missing>")).toString(),
                 QStringLiteral("<missing>"));
        QVERIFY(userFile().contains(QStringLiteral("\"SelectedPath\"=\"\"")));
        QCOMPARE(options.SelectedPath(), QStringLiteral("Normal View/News"));
    }

    void damagedRegistryFileGivesDefaults()
    {
        QFile file(m_env->RegistryDir() + QStringLiteral("/user.reg"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        static const char damaged[] =
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]\r\n"
            "\"MainWidth\"=\"9000\"\r\n\"MainHeight\"=\"unterminated\r\n\xff\xfe\x00garbage\r\n"
            "\"AutoHide\"=dword:00000001\r\n";
        file.write(damaged, sizeof damaged - 1);
        file.close();
        Registry registry(m_env->RegistryDir(), m_shell);
        clsOptions options(registry, *m_shell, QString(), programPath());
        options.Load();
        QCOMPARE(options.MainWidth(), 9000.0f);
        QCOMPARE(options.MainHeight(), 6165.0f);
        QVERIFY(options.AutoHide());
    }

    void groupDirFollowsTheVersion_data()
    {
        QTest::addColumn<quint32>("platform");
        QTest::addColumn<quint32>("major");
        QTest::addColumn<quint32>("build");
        QTest::addColumn<bool>("fallbackExists");
        QTest::addColumn<QString>("expected");
        QTest::newRow("98, folder exists") << 1u << 4u << 1998u << true << "/Start Menu/Programs";
        QTest::newRow("98, folder missing") << 1u << 4u << 1998u << false << "";
        QTest::newRow("NT4") << 2u << 4u << 0u << true << "/Profiles/All Users/Start Menu/Programs";
        QTest::newRow("XP has no fallback") << 2u << 5u << 0u << true << "";
    }

    void groupDirFollowsTheVersion()
    {
        QFETCH(quint32, platform);
        QFETCH(quint32, major);
        QFETCH(quint32, build);
        QFETCH(bool, fallbackExists);
        QFETCH(QString, expected);
        const QString programFolder = QFileInfo(programPath()).absolutePath();
        if (fallbackExists && !expected.isEmpty())
            QVERIFY(QDir().mkpath(programFolder + expected));
        auto shell = std::make_shared<NoProgramsFolder>();
        Registry registry(m_env->RegistryDir(), shell);
        OsVersionInfo os{platform, major, 10, build};
        if (platform == 2)
            os.MinorVersion = 1;
        clsOptions options(registry, *shell, QString(), programPath(), os);
        options.Load();
        QCOMPARE(options.GroupDir(), expected.isEmpty() ? QString() : programFolder + expected);
    }

    void groupDirOnThisSystemIsTheApplicationsFolder()
    {
        clsOptions options = makeOptions();
        options.Load();
        QCOMPARE(options.GroupDir(), m_env->DataHome() + QStringLiteral("/applications"));
    }

    void startupEntryIsMadeOnceAndRemoved()
    {
        clsOptions options = makeOptions();
        options.Load();
        QVERIFY(!options.StartupGroup());
        options.SetSystemTray(true);
        options.SetStartupGroup(true);
        QVERIFY(options.StartupGroup());
        QCOMPARE(options.StartupEntryPath(), m_env->ConfigHome() + QStringLiteral("/autostart/tavoro.desktop"));

        QFile entry(options.StartupEntryPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(entry.readAll());
        entry.close();
        QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
        QVERIFY(text.contains(QStringLiteral("\nName=Tavoro\n")));
        QVERIFY(text.contains(QStringLiteral("\nComment=Tavoro\n")));
        QVERIFY2(text.contains(QStringLiteral("\nExec=\"") + programPath() + QStringLiteral("\" /Hide\n")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("\nPath=") + QFileInfo(programPath()).absolutePath() + u'\n'));

        // A second switch-on leaves the entry as it was, tray setting and all.
        options.SetSystemTray(false);
        options.SetStartupGroup(true);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(entry.readAll()), text);
        entry.close();

        options.SetStartupGroup(false);
        QVERIFY(!options.StartupGroup());
        QVERIFY(!QFile::exists(options.StartupEntryPath()));

        options.SetStartupGroup(true);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(!QString::fromUtf8(entry.readAll()).contains(QStringLiteral("/Hide")));
    }
};

QTEST_GUILESS_MAIN(TestOptions)
#include "test_options.moc"
