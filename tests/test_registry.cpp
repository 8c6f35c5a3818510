#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"
#include "platform/ShellFolders.h"
#include "platform/TextCodec.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <limits>
#include <memory>

namespace {

const QString kRoot = QStringLiteral("Software\\Tavoro");
const QString kSection = QStringLiteral("Settings");
const QString kSettingsKey = QStringLiteral("Software\\Tavoro\\Settings");
const QString kShellFolders =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");

// Favorites somewhere other than the environment says, to tell an injected answer apart.
class FixedShellFolders : public ShellFolders
{
public:
    QString Favorites() const override { return QStringLiteral("/srv/shared/Favorites"); }
};

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;

    std::unique_ptr<Registry> openRegistry(std::shared_ptr<const ShellFolders> folders = {})
    {
        if (!folders)
            folders = std::make_shared<ShellFolders>();
        return std::make_unique<Registry>(m_env->RegistryDir(), folders);
    }
    QString userFile() const { return m_env->RegistryDir() + "/user.reg"; }
    static QByteArray settingsFile(const QByteArray& values)
    {
        return "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]\r\n" + values;
    }
    QByteArray readFile(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeFile(const QString& path, const QByteArray& bytes) const
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private Q_SLOTS:
    void batchWritesOnceAtTheEnd()
    {
        auto registry = openRegistry();
        registry->BeginBatch();
        WriteRegValue(*registry, "Software\\Tavoro", "Settings", "A", QStringLiteral("1"));
        WriteRegValue(*registry, "Software\\Tavoro", "Settings", "B", QStringLiteral("2"));
        // Read back from memory meanwhile, but nothing on disk yet.
        QCOMPARE(ReadRegValue(*registry, "Software\\Tavoro", "Settings", "A", "").toString(), "1");
        QVERIFY(!QFile::exists(userFile()));
        QVERIFY(registry->EndBatch());
        auto fresh = openRegistry();
        QCOMPARE(ReadRegValue(*fresh, "Software\\Tavoro", "Settings", "B", "").toString(), "2");
    }

    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void decodeText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("utf-8") << QByteArray("Gr\xc3\xbc\xc3\x9f!") << QString("Grüß!");
        QTest::newRow("bom dropped") << QByteArray("\xef\xbb\xbfREGEDIT4") << QString("REGEDIT4");
        QTest::newRow("1252 latin") << QByteArray("Caf\xe9") << QString("Café");
        QTest::newRow("1252 table") << QByteArray("\x80\x93x\x94\x9f") << QString("€“x”Ÿ");
        QTest::newRow("1252 undefined") << QByteArray("\x81\x8d\x8f\x90\x9d")
                                        << QString::fromUtf16(u"\u0081\u008d\u008f\u0090\u009d");
        QTest::newRow("broken utf-8 is 1252") << QByteArray("\xc3\xa9\xe9") << QString("Ã©é");
    }
    void decodeText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(TextCodec::Decode(bytes), expected);
    }

    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("backslashes") << QString("C:\\Users\\me\\");
        QTest::newRow("quotes") << QString("say \"hi\" \\\"");
        QTest::newRow("non-ascii") << QString("Grüße ☃ 日本語");
        QTest::newRow("empty") << QString();
        QTest::newRow("line breaks") << QString("one\r\ntwo\nthree");
        QTest::newRow("looks like a section") << QString("[HKEY_CURRENT_USER\\Evil]");
    }
    void textRoundTrip()
    {
        QFETCH(QString, text);
        {
            auto registry = openRegistry();
            HKEY key = 0;
            QCOMPARE(registry->RegCreateKeyEx(HKEY_CURRENT_USER, kSettingsKey, 0, 0x3F, &key),
                     ERROR_SUCCESS);
            QCOMPARE(registry->RegSetValueEx(key, "Text", REG_SZ, text), ERROR_SUCCESS);
            QCOMPARE(registry->RegSetValueEx(key, "After", REG_SZ, QString("next")), ERROR_SUCCESS);
        }
        auto registry = openRegistry();
        HKEY key = 0;
        QCOMPARE(registry->RegOpenKeyEx(HKEY_CURRENT_USER, kSettingsKey, 0, 0x3F, &key),
                 ERROR_SUCCESS);
        std::uint32_t type = 0;
        QVariant data;
        QCOMPARE(registry->RegQueryValueEx(key, "Text", &type, &data), ERROR_SUCCESS);
        QCOMPARE(type, REG_SZ);
        QCOMPARE(data.toString(), text);
        QCOMPARE(ReadRegValue(*registry, kRoot, kSection, "After", "x"), QVariant("next"));
        QCOMPARE(ReadRegValue(*registry, kRoot, kSection, "Text", "fallback"),
                 QVariant(text.isEmpty() ? QString("fallback") : text));
    }

    void dwordFromFile_data()
    {
        QTest::addColumn<QByteArray>("digits");
        QTest::addColumn<qint32>("expected");
        QTest::newRow("ten") << QByteArray("0000000a") << 10;
        QTest::newRow("all bits") << QByteArray("ffffffff") << -1;
        QTest::newRow("sign bit") << QByteArray("80000000") << std::numeric_limits<qint32>::min();
        QTest::newRow("largest") << QByteArray("7FFFFFFF") << std::numeric_limits<qint32>::max();
        QTest::newRow("short form") << QByteArray("1f") << 31;
    }
    void dwordFromFile()
    {
        QFETCH(QByteArray, digits);
        QFETCH(qint32, expected);
        writeFile(userFile(), settingsFile("\"Width\"=dword:" + digits + "\r\n"));
        auto registry = openRegistry();
        const QVariant value = ReadRegValue(*registry, kRoot, kSection, "Width", 0);
        QCOMPARE(value.metaType().id(), QMetaType::Int);
        QCOMPARE(value.value<qint32>(), expected);
    }

    void dwordWritten_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<qint32>("readBack");
        QTest::newRow("small") << QVariant(10) << QByteArray("\"N\"=dword:0000000a\r\n") << 10;
        QTest::newRow("minus one") << QVariant(-1) << QByteArray("\"N\"=dword:ffffffff\r\n") << -1;
        QTest::newRow("unsigned max")
            << QVariant(0xFFFFFFFFu) << QByteArray("\"N\"=dword:ffffffff\r\n") << -1;
    }
    void dwordWritten()
    {
        QFETCH(QVariant, value);
        QFETCH(QByteArray, line);
        QFETCH(qint32, readBack);
        WriteRegValue(*openRegistry(), kRoot, kSection, "N", value);
        QVERIFY(readFile(userFile()).contains(line));
        QCOMPARE(ReadRegValue(*openRegistry(), kRoot, kSection, "N", 0), QVariant(readBack));
    }

    void namesIgnoreCaseButKeepIt()
    {
        auto registry = openRegistry();
        WriteRegValue(*registry, kRoot, kSection, "WindowWidth", 640);
        WriteRegValue(*registry, "SOFTWARE\\tavoro", "settings", "WINDOWWIDTH", 800);
        CreateRegKey(*registry, "software\\TAVORO\\Settings\\Recent", HKEY_CURRENT_USER);
        QCOMPARE(ReadRegValue(*registry, "software\\TaVoRo", "SETTINGS", "windowwidth", 0),
                 QVariant(800));

        const QByteArray file = readFile(userFile());
        QVERIFY(file.contains("[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]\r\n"
                              "\"WindowWidth\"=dword:00000320\r\n"));
        QVERIFY(file.contains("[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings\\Recent]"));
        QVERIFY(!file.contains("WINDOWWIDTH"));
        QVERIFY(!file.contains("SOFTWARE"));
        QCOMPARE(file.count("\"WindowWidth\""), 1);

        // Subkeys are listed once each, direct children only, in their stored case.
        CreateRegKey(*registry, "Software\\Tavoro\\Deep\\Below", HKEY_CURRENT_USER);
        HKEY key = 0;
        QCOMPARE(registry->RegOpenKeyEx(HKEY_CURRENT_USER, "software\\tavoro", 0, 0x3F, &key),
                 ERROR_SUCCESS);
        QStringList names;
        QCOMPARE(registry->RegEnumKeys(key, &names), ERROR_SUCCESS);
        QCOMPARE(names, (QStringList{"Deep", "Settings"}));
    }

    void statusCodes()
    {
        writeFile(userFile(),
                  settingsFile("\"Blob\"=hex:01,02,ff\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings\\Child]\r\n"));
        auto registry = openRegistry();
        HKEY key = 77;
        QCOMPARE(registry->RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Nobody", 0, 0x3F, &key),
                 ERROR_FILE_NOT_FOUND);
        QCOMPARE(key, HKEY(0));

        QCOMPARE(registry->RegOpenKeyEx(HKEY_CURRENT_USER, "\\Software\\Tavoro\\", 0, 0x3F, &key),
                 ERROR_SUCCESS);
        HKEY settings = 0;
        QCOMPARE(registry->RegOpenKeyEx(key, kSection, 0, 0x3F, &settings), ERROR_SUCCESS);
        HKEY same = 0;
        QCOMPARE(registry->RegOpenKeyEx(settings, QString(), 0, 0x3F, &same), ERROR_SUCCESS);
        QVERIFY(same != settings);

        std::uint32_t type = 0;
        QVariant data;
        QCOMPARE(registry->RegQueryValueEx(same, "Missing", &type, &data), ERROR_FILE_NOT_FOUND);
        QCOMPARE(registry->RegQueryValueEx(0, "Blob", &type, &data), ERROR_INVALID_HANDLE);
        QCOMPARE(registry->RegQueryValueEx(same, "Blob", &type, &data), ERROR_SUCCESS);
        QCOMPARE(type, REG_BINARY);
        QCOMPARE(data.toString(), QString("hex:01,02,ff"));

        QVariant value = "stale";
        QCOMPARE(QueryRegValue(*registry, same, "Blob", value), -1L);
        QVERIFY(!value.isValid());
        QCOMPARE(QueryRegValue(*registry, same, "Missing", value), ERROR_FILE_NOT_FOUND);
        QVERIFY(!value.isValid());

        QCOMPARE(registry->RegDeleteKey(key, kSection), ERROR_ACCESS_DENIED);
        QCOMPARE(registry->RegDeleteKey(key, "Nothing"), ERROR_FILE_NOT_FOUND);

        QCOMPARE(registry->RegCloseKey(same), ERROR_SUCCESS);
        QCOMPARE(registry->RegCloseKey(same), ERROR_INVALID_HANDLE);
        QCOMPARE(registry->RegQueryValueEx(same, "Blob", &type, &data), ERROR_INVALID_HANDLE);
        QCOMPARE(registry->RegSetValueEx(same, "X", REG_SZ, QString("x")), ERROR_INVALID_HANDLE);
        QCOMPARE(registry->RegOpenKeyEx(same, "Child", 0, 0x3F, &key), ERROR_INVALID_HANDLE);
    }

    void readDefault_data()
    {
        QTest::addColumn<QByteArray>("values");
        QTest::addColumn<bool>("withKey");
        QTest::newRow("no key") << QByteArray() << false;
        QTest::newRow("no value") << QByteArray("\"Other\"=\"x\"\r\n") << true;
        QTest::newRow("empty text") << QByteArray("\"Name\"=\"\"\r\n") << true;
        QTest::newRow("other type") << QByteArray("\"Name\"=hex(2):41,00,00,00\r\n") << true;
    }
    void readDefault()
    {
        QFETCH(QByteArray, values);
        QFETCH(bool, withKey);
        writeFile(userFile(), withKey ? settingsFile(values) : QByteArray("REGEDIT4\r\n"));
        const QVariant value = ReadRegValue(*openRegistry(), kRoot, kSection, "Name", 42);
        QCOMPARE(value.metaType().id(), QMetaType::QString);
        QCOMPARE(value.toString(), QString("42"));
    }

    void readLocalMachine()
    {
        writeFile(m_env->RegistryDir() + "/machine.reg",
                  "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Tavoro\\Settings]\r\n"
                  "\"Edition\"=\"site\"\r\n");
        writeFile(userFile(), settingsFile("\"Edition\"=\"personal\"\r\n"));
        auto registry = openRegistry();
        QCOMPARE(ReadRegValueLM(*registry, kRoot, kSection, "Edition", ""), QVariant("site"));
        QCOMPARE(ReadRegValue(*registry, kRoot, kSection, "Edition", ""), QVariant("personal"));
        QCOMPARE(ReadRegValueLM(*registry, kRoot, kSection, "Edition", "", HKEY_CURRENT_USER),
                 QVariant("personal"));
    }

    void writeCreatesKeyAndDeleteRemovesIt()
    {
        WriteRegValue(*openRegistry(), "Software\\Tavoro\\Lists", "Recent", "File1", "a.url");
        auto registry = openRegistry();
        QCOMPARE(ReadRegValue(*registry, "Software\\Tavoro\\Lists", "Recent", "File1", ""),
                 QVariant("a.url"));
        QVERIFY(!DeleteRegKey(*registry, "Software\\Tavoro", "Lists"));
        QVERIFY(!DeleteRegKey(*registry, "Software\\Nowhere", "Recent"));
        QVERIFY(!DeleteRegKey(*registry, "Software\\Tavoro\\Lists", "Absent"));
        QVERIFY(DeleteRegKey(*registry, "Software\\Tavoro\\Lists", "recent"));

        HKEY key = 0;
        QCOMPARE(openRegistry()->RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Tavoro\\Lists\\Recent",
                                              0, 0x3F, &key),
                 ERROR_FILE_NOT_FOUND);
        QCOMPARE(openRegistry()->RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Tavoro\\Lists", 0, 0x3F,
                                              &key),
                 ERROR_SUCCESS);
    }

    void damagedFile_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QTest::addColumn<QString>("extraName");
        QTest::addColumn<QString>("extraValue");
        QTest::newRow("garbage lines")
            << QByteArray(
                   "this is not a line\r\n=\r\n\"Open=\"x\r\n\"N\"=dword:xyz\r\n\"M\"=bogus\r\n")
            << QString("N") << QString();
        QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe\x01\x02[\x00]\r\n\x80\x80\r\n", 14)
                                     << QString() << QString();
        QTest::newRow("windows-1252")
            << QByteArray("\"Cafe\"=\"Caf\xe9 \x80\"\r\n") << QString("Cafe") << QString("Café €");
        QTest::newRow("lf only") << QByteArray("\n\"Lf\"=\"unix\"\n\n") << QString("Lf")
                                 << QString("unix");
        QTest::newRow("cr only") << QByteArray("\r\"Cr\"=\"mac\"\r") << QString("Cr")
                                 << QString("mac");
        QTest::newRow("broken section drops its values")
            << QByteArray("[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings\r\n\"Lost\"=\"x\"\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]\r\n")
            << QString("Lost") << QString();
        QTest::newRow("truncated at end")
            << QByteArray("\"Tail\"=\"no end") << QString("Tail") << QString();
    }
    void damagedFile()
    {
        QFETCH(QByteArray, damage);
        QFETCH(QString, extraName);
        QFETCH(QString, extraValue);
        // Damage in the middle and at the very end of the file.
        writeFile(userFile(), settingsFile("\"Good\"=\"yes\"\r\n" + damage +
                                           "\r\n\"Count\"=dword:00000005\r\n" + damage));

        auto registry = openRegistry();
        QCOMPARE(ReadRegValue(*registry, kRoot, kSection, "Good", ""), QVariant("yes"));
        QCOMPARE(ReadRegValue(*registry, kRoot, kSection, "Count", 0), QVariant(5));
        if (!extraName.isEmpty())
            QCOMPARE(ReadRegValue(*registry, kRoot, kSection, extraName, ""), QVariant(extraValue));

        WriteRegValue(*registry, kRoot, kSection, "Added", "new");
        auto reread = openRegistry();
        QCOMPARE(ReadRegValue(*reread, kRoot, kSection, "Good", ""), QVariant("yes"));
        QCOMPARE(ReadRegValue(*reread, kRoot, kSection, "Count", 0), QVariant(5));
        QCOMPARE(ReadRegValue(*reread, kRoot, kSection, "Added", ""), QVariant("new"));
    }

    void otherTypesWrittenBackUnchanged()
    {
        writeFile(userFile(), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]\n"
                              "\"Expand\"=hex(2):25,00,41,00,00,00\n"
                              "\"Long\"=hex:01,02,\\\n  03,04\n");
        auto registry = openRegistry();
        WriteRegValue(*registry, kRoot, kSection, "Text", "t");
        const QByteArray file = readFile(userFile());
        QVERIFY(file.contains("\"Expand\"=hex(2):25,00,41,00,00,00\r\n"));
        QVERIFY(file.contains("\"Long\"=hex:01,02,03,04\r\n"));
    }

    void writesAreAtomicAndComplete()
    {
        auto registry = openRegistry();
        for (int i = 0; i < 5; ++i)
            WriteRegValue(*registry, kRoot, kSection, QString("V%1").arg(i), i);
        CreateRegKey(*registry, "Software\\Tavoro\\Empty", HKEY_CURRENT_USER);

        QCOMPARE(QDir(m_env->RegistryDir()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"user.reg"});
        const QByteArray file = readFile(userFile());
        QVERIFY(file.startsWith("REGEDIT4\r\n\r\n["));
        QCOMPARE(file.count('\n'), file.count("\r\n"));
        QVERIFY(file.contains("[HKEY_CURRENT_USER\\Software\\Tavoro\\Empty]\r\n"));
        QVERIFY(file.indexOf("\\Tavoro\\Empty]") < file.indexOf("\\Tavoro\\Settings]"));
        QVERIFY(file.indexOf("\"V0\"") < file.indexOf("\"V4\""));
    }

    void missingFolderIsCreatedAndFailedWriteKeepsChange()
    {
        const QString nested = m_env->Root() + "/not/yet/there";
        {
            Registry registry(nested, std::make_shared<ShellFolders>());
            WriteRegValue(registry, kRoot, kSection, "A", "1");
        }
        QVERIFY(QFileInfo::exists(nested + "/user.reg"));

        // A plain file where the folder should be makes every write fail.
        const QString blocker = m_env->Root() + "/blocker";
        writeFile(blocker, "x");
        Registry registry(blocker + "/registry", std::make_shared<ShellFolders>());
        HKEY key = 0;
        QCOMPARE(registry.RegCreateKeyEx(HKEY_CURRENT_USER, kSettingsKey, 0, 0x3F, &key),
                 ERROR_WRITE_FAULT);
        QCOMPARE(registry.RegOpenKeyEx(HKEY_CURRENT_USER, kSettingsKey, 0, 0x3F, &key),
                 ERROR_SUCCESS);
        QCOMPARE(registry.RegSetValueEx(key, "Kept", REG_SZ, QString("in memory")),
                 ERROR_WRITE_FAULT);
        QCOMPARE(ReadRegValue(registry, kRoot, kSection, "Kept", ""), QVariant("in memory"));
    }

    void otherWriterIsSeen()
    {
        auto first = openRegistry();
        auto second = openRegistry();
        WriteRegValue(*first, kRoot, kSection, "Shared", "one");
        QCOMPARE(ReadRegValue(*second, kRoot, kSection, "Shared", ""), QVariant("one"));
        // The same size, written straight after: a size check alone would miss it.
        WriteRegValue(*second, kRoot, kSection, "Shared", "two");
        QCOMPARE(ReadRegValue(*first, kRoot, kSection, "Shared", ""), QVariant("two"));

        WriteRegValue(*first, kRoot, kSection, "Mine", 1);
        WriteRegValue(*second, kRoot, kSection, "Theirs", 2);
        auto third = openRegistry();
        QCOMPARE(ReadRegValue(*third, kRoot, kSection, "Mine", 0), QVariant(1));
        QCOMPARE(ReadRegValue(*third, kRoot, kSection, "Theirs", 0), QVariant(2));

        QVERIFY(DeleteRegKey(*second, kRoot, kSection));
        HKEY key = 0;
        QCOMPARE(first->RegOpenKeyEx(HKEY_CURRENT_USER, kSettingsKey, 0, 0x3F, &key),
                 ERROR_FILE_NOT_FOUND);
    }

    void shellFolders_data()
    {
        QTest::addColumn<HKEY>("hive");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("rootName");
        QTest::newRow("user") << HKEY_CURRENT_USER << QString("user.reg")
                              << QByteArray("HKEY_CURRENT_USER");
        QTest::newRow("machine") << HKEY_LOCAL_MACHINE << QString("machine.reg")
                                 << QByteArray("HKEY_LOCAL_MACHINE");
    }
    void shellFolders()
    {
        QFETCH(HKEY, hive);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, rootName);
        const QByteArray section = "[" + rootName + "\\" + kShellFolders.toLatin1() + "]\r\n";
        writeFile(m_env->RegistryDir() + "/" + fileName,
                  "REGEDIT4\r\n\r\n" + section +
                      "\"Favorites\"=\"C:\\\\Windows\\\\Favorites\"\r\n\"Cookies\"=\"/c\"\r\n");
        QVERIFY(!QFileInfo::exists(m_env->Favorites()));

        auto registry = openRegistry();
        const QString explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
        QCOMPARE(ReadRegValueLM(*registry, explorer, "Shell Folders", "Favorites", "", hive),
                 QVariant(m_env->Favorites()));
        QVERIFY(QFileInfo(m_env->Favorites()).isDir());
        QCOMPARE(ReadRegValueLM(*registry, explorer, "shell folders", "COMMON PROGRAMS", "", hive),
                 QVariant(m_env->DataHome() + "/applications"));
        QCOMPARE(ReadRegValueLM(*registry, explorer, "Shell Folders", "Cookies", "", hive),
                 QVariant("/c"));
    }

    void shellFoldersKeyOpensWithoutFile()
    {
        qunsetenv("TAVORO_FAVORITES");
        auto registry = openRegistry();
        HKEY key = 0;
        QCOMPARE(registry->RegOpenKeyEx(HKEY_LOCAL_MACHINE, kShellFolders, 0, 0x3F, &key),
                 ERROR_SUCCESS);
        std::uint32_t type = 0;
        QVariant data;
        QCOMPARE(registry->RegQueryValueEx(key, "Favorites", &type, &data), ERROR_SUCCESS);
        QCOMPARE(type, REG_SZ);
        QCOMPARE(data.toString(), m_env->Home() + "/Favorites");
        QCOMPARE(registry->RegQueryValueEx(key, "Personal", &type, &data), ERROR_FILE_NOT_FOUND);
        QVERIFY(!QFileInfo::exists(m_env->RegistryDir() + "/machine.reg"));

        auto injected = openRegistry(std::make_shared<FixedShellFolders>());
        QCOMPARE(ReadRegValue(*injected, kShellFolders, QString(), "Favorites", ""),
                 QVariant("/srv/shared/Favorites"));
    }

    void defaultDirectory()
    {
        QCOMPARE(Registry::DefaultDirectory(), m_env->RegistryDir());
        qunsetenv("TAVORO_REGISTRY_DIR");
        QCOMPARE(Registry::DefaultDirectory(), m_env->ConfigHome() + "/tavoro");
        qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(Registry::DefaultDirectory(), m_env->Home() + "/.config/tavoro");
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
