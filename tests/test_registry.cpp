#include "platform/PathCodec.h"
#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"
#include "platform/ShellFolders.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

#include <limits>
#include <memory>

#include <sys/stat.h>

namespace {

const QString kRoot = "Software\\Tavoro", kSection = "Settings";
const QString kSettingsKey = "Software\\Tavoro\\Settings";
const QString kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Favorites somewhere other than the environment says, to tell an injected answer apart.
class FixedShellFolders : public ShellFolders
{
public:
    QString Favorites() const override { return "/srv/shared/Favorites"; }
};

QVariant Read(Registry& registry, const QString& name, const QVariant& fallback = QString())
{
    return ReadRegValue(registry, kRoot, kSection, name, fallback);
}

long Open(Registry& registry, HKEY parent, const QString& path, HKEY* key)
{
    return registry.RegOpenKeyEx(parent, path, 0, 0x3F, key);
}

QByteArray SettingsFile(const QByteArray& values)
{
    return "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]\r\n" + values;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;

    std::unique_ptr<Registry> OpenRegistry(std::shared_ptr<const ShellFolders> folders = {})
    {
        return std::make_unique<Registry>(m_env->RegistryDir(),
                                          folders ? folders : std::make_shared<ShellFolders>());
    }
    QString UserFile() const { return m_env->RegistryDir() + "/user.reg"; }
    void WriteFile(const QString& path, const QByteArray& bytes) const
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private Q_SLOTS:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    // The old environment must put its variables back before a new one saves them.
    void cleanup() { m_env.reset(); }

    void batchWritesOnceAtTheEnd()
    {
        auto registry = OpenRegistry();
        registry->BeginBatch();
        WriteRegValue(*registry, kRoot, kSection, "A", QStringLiteral("1"));
        WriteRegValue(*registry, kRoot, kSection, "B", QStringLiteral("2"));
        QCOMPARE(Read(*registry, "A"), QVariant("1"));
        QVERIFY(!QFile::exists(UserFile()));
        QVERIFY(registry->EndBatch());
        QCOMPARE(Read(*OpenRegistry(), "B"), QVariant("2"));
    }

    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("backslashes") << QString("C:\\Users\\me\\");
        QTest::newRow("quotes") << QString("say \"hi\" \\\"");
        QTest::newRow("non-ascii") << QString("Grüße ☃ 日本語");
        QTest::newRow("empty reads as missing") << QString();
        QTest::newRow("line breaks") << QString("one\r\ntwo\nthree");
        QTest::newRow("ends in NULs") << QString("two\nlines") + QChar(0) + QChar(0);
        QTest::newRow("looks like a section") << QString("[HKEY_CURRENT_USER\\Evil]");
    }
    void textRoundTrip()
    {
        QFETCH(QString, text);
        WriteRegValue(*OpenRegistry(), kRoot, kSection, "Text", text);
        WriteRegValue(*OpenRegistry(), kRoot, kSection, "After", "next");
        auto registry = OpenRegistry();
        QCOMPARE(Read(*registry, "Text", "fallback"), QVariant(text.isEmpty() ? "fallback" : text));
        // Nothing in the text may spill into the value after it.
        QCOMPARE(Read(*registry, "After"), QVariant("next"));
    }

    // A DWORD as it may stand in the file; those written in that very form come back so.
    void dword_data()
    {
        QTest::addColumn<QByteArray>("digits");
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QVariant>("written");
        QTest::newRow("ten") << QByteArray("0000000a") << 10 << QVariant(10);
        QTest::newRow("unsigned max") << QByteArray("ffffffff") << -1 << QVariant(0xFFFFFFFFu);
        QTest::newRow("sign bit") << QByteArray("80000000") << std::numeric_limits<qint32>::min()
                                  << QVariant(std::numeric_limits<qint32>::min());
        QTest::newRow("short form") << QByteArray("1f") << 31 << QVariant();
    }
    void dword()
    {
        QFETCH(QByteArray, digits);
        QFETCH(qint32, value);
        QFETCH(QVariant, written);
        const QByteArray line = "\"N\"=dword:" + digits + "\r\n";
        WriteFile(UserFile(), SettingsFile(line));
        const QVariant read = Read(*OpenRegistry(), "N", 0);
        QCOMPARE(read.metaType().id(), QMetaType::Int);
        QCOMPARE(read.value<qint32>(), value);
        if (written.isValid()) {
            QVERIFY(QFile::remove(UserFile()));
            WriteRegValue(*OpenRegistry(), kRoot, kSection, "N", written);
            QVERIFY(ReadAll(UserFile()).contains(line));
        }
    }

    void namesIgnoreCaseButKeepIt()
    {
        auto registry = OpenRegistry();
        WriteRegValue(*registry, kRoot, kSection, "WindowWidth", 640);
        WriteRegValue(*registry, "SOFTWARE\\tavoro", "settings", "WINDOWWIDTH", 800);
        CreateRegKey(*registry, "software\\TAVORO\\Settings\\Recent", HKEY_CURRENT_USER);
        CreateRegKey(*registry, "Software\\Tavoro\\Deep\\Below", HKEY_CURRENT_USER);
        QCOMPARE(ReadRegValue(*registry, "software\\TaVoRo", "SETTINGS", "windowwidth", 0),
                 QVariant(800));
        const QByteArray file = ReadAll(UserFile());
        QVERIFY(file.contains("[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]\r\n"
                              "\"WindowWidth\"=dword:00000320\r\n"));
        QVERIFY(file.contains("[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings\\Recent]"));
        QVERIFY(!file.contains("WINDOWWIDTH") && !file.contains("SOFTWARE"));
        // Subkeys are listed once each, direct children only, in their stored case.
        HKEY key = 0;
        QCOMPARE(Open(*registry, HKEY_CURRENT_USER, "software\\tavoro", &key), ERROR_SUCCESS);
        QStringList names;
        QCOMPARE(registry->RegEnumKeys(key, &names), ERROR_SUCCESS);
        QCOMPARE(names, (QStringList{"Deep", "Settings"}));
    }

    void readDefault_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("no key") << QByteArray("REGEDIT4\r\n");
        QTest::newRow("empty text") << SettingsFile("\"Name\"=\"\"\r\n");
        QTest::newRow("type never used") << SettingsFile("\"Name\"=hex:01,02,ff\r\n");
    }
    void readDefault()
    {
        QFETCH(QByteArray, file);
        WriteFile(UserFile(), file);
        // The fallback comes back as text, whatever its type.
        const QVariant value = Read(*OpenRegistry(), "Name", 42);
        QCOMPARE(value.metaType().id(), QMetaType::QString);
        QCOMPARE(value.toString(), QString("42"));
    }

    void writeCreatesKeyAndDeleteRemovesIt()
    {
        const QString lists = "Software\\Tavoro\\Lists";
        WriteRegValue(*OpenRegistry(), lists, "Recent", "File1", "a.url");
        auto registry = OpenRegistry();
        QCOMPARE(ReadRegValue(*registry, lists, "Recent", "File1", ""), QVariant("a.url"));
        QVERIFY(!DeleteRegKey(*registry, kRoot, "Lists")); // not while it has subkeys
        QVERIFY(!DeleteRegKey(*registry, lists, "Absent"));
        QVERIFY(DeleteRegKey(*registry, lists, "recent"));
        HKEY key = 0;
        QCOMPARE(Open(*OpenRegistry(), HKEY_CURRENT_USER, lists + "\\Recent", &key),
                 ERROR_FILE_NOT_FOUND);
        QCOMPARE(Open(*OpenRegistry(), HKEY_CURRENT_USER, lists, &key), ERROR_SUCCESS);
    }

    // Damage in the middle and at the very end of the file costs only the damaged lines,
    // and writing afterwards keeps the rest.
    void damagedFile_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QTest::addColumn<QString>("extraName");
        QTest::addColumn<QString>("extraValue");
        // clang-format off
        QTest::newRow("garbage lines")
            << QByteArray("this is not a line\r\n=\r\n\"Open=\"x\r\n\"N\"=dword:xyz\r\n\"M\"=bogus\r\n")
            << "N" << "";
        QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe\x01\x02[\x00]\r\n\x80\x80\r\n", 14) << "" << "";
        QTest::newRow("windows-1252") << QByteArray("\"Cafe\"=\"Caf\xe9 \x80\"\r\n") << "Cafe" << "Café €";
        QTest::newRow("cr only") << QByteArray("\r\"Cr\"=\"mac\"\r\"Next\"=\"y\"\r") << "Cr" << "mac";
        QTest::newRow("broken section drops its values")
            << QByteArray("[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings\r\n\"Lost\"=\"x\"\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]\r\n")
            << "Lost" << "";
        QTest::newRow("truncated at end") << QByteArray("\"Tail\"=\"no end") << "Tail" << "";
        // clang-format on
    }
    void damagedFile()
    {
        QFETCH(QByteArray, damage);
        QFETCH(QString, extraName);
        QFETCH(QString, extraValue);
        WriteFile(UserFile(), SettingsFile("\"Good\"=\"yes\"\r\n" + damage +
                                           "\r\n\"Count\"=dword:00000005\r\n" + damage));
        auto registry = OpenRegistry();
        if (!extraName.isEmpty())
            QCOMPARE(Read(*registry, extraName), QVariant(extraValue));
        WriteRegValue(*registry, kRoot, kSection, "Added", "new");
        auto reread = OpenRegistry();
        QCOMPARE((QVariantList{Read(*reread, "Good"), Read(*reread, "Count", 0),
                               Read(*reread, "Added")}),
                 (QVariantList{"yes", 5, "new"}));
    }

    // The file is rewritten whole and in order, in CR LF, with values of types we never
    // write kept as they were, and no temporary file left behind.
    void writtenFile()
    {
        WriteFile(UserFile(), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]\n"
                              "\"Expand\"=hex(2):25,00,41,00,00,00\n"
                              "\"Long\"=hex:01,02,\\\n  03,04\n");
        auto registry = OpenRegistry();
        for (int i = 0; i < 5; ++i)
            WriteRegValue(*registry, kRoot, kSection, QString("V%1").arg(i), i);
        CreateRegKey(*registry, "Software\\Tavoro\\Empty", HKEY_CURRENT_USER);
        QCOMPARE(QDir(m_env->RegistryDir()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"user.reg"});
        const QByteArray file = ReadAll(UserFile());
        QVERIFY(file.startsWith("REGEDIT4\r\n\r\n["));
        QCOMPARE(file.count('\n'), file.count("\r\n"));
        QVERIFY(file.contains("\"Expand\"=hex(2):25,00,41,00,00,00\r\n"));
        QVERIFY(file.contains("\"Long\"=hex:01,02,03,04\r\n"));
        QVERIFY(file.indexOf("\\Tavoro\\Empty]\r\n") < file.indexOf("\\Tavoro\\Settings]"));
        QVERIFY(file.indexOf("\"V0\"") < file.indexOf("\"V4\""));
    }

    void missingFolderIsCreatedAndFailedWriteKeepsChange()
    {
        const QString nested = m_env->Root() + "/not/yet/there";
        Registry created(nested, std::make_shared<ShellFolders>());
        WriteRegValue(created, kRoot, kSection, "A", 1);
        QVERIFY(QFileInfo::exists(nested + "/user.reg"));

        // A plain file where the folder should be makes every write fail; the user hears
        // of it once, however often the program tries again.
        WriteFile(m_env->Root() + "/blocker", "x");
        Registry registry(m_env->Root() + "/blocker/registry", std::make_shared<ShellFolders>());
        QStringList told;
        registry.SetProblemReporter([&](const QString& message) { told << message; });
        HKEY key = 0;
        QCOMPARE(registry.RegCreateKeyEx(HKEY_CURRENT_USER, kSettingsKey, 0, 0x3F, &key),
                 ERROR_WRITE_FAULT);
        QCOMPARE(Open(registry, HKEY_CURRENT_USER, kSettingsKey, &key), ERROR_SUCCESS);
        QCOMPARE(registry.RegSetValueEx(key, "Kept", REG_SZ, QString("in memory")),
                 ERROR_WRITE_FAULT);
        registry.BeginBatch();
        WriteRegValue(registry, kRoot, kSection, "Batch", 1);
        QVERIFY(!registry.EndBatch());
        QCOMPARE(Read(registry, "Kept"), QVariant("in memory"));
        QCOMPARE(told.size(), 1);
        QVERIFY(told.first().contains("blocker/registry/user.reg"));
    }

    void otherWriterIsSeen()
    {
        auto first = OpenRegistry();
        auto second = OpenRegistry();
        WriteRegValue(*first, kRoot, kSection, "Shared", "one");
        QCOMPARE(Read(*second, "Shared"), QVariant("one"));
        // The same size, written straight after: a size check alone would miss it.
        WriteRegValue(*second, kRoot, kSection, "Shared", "two");
        QCOMPARE(Read(*first, "Shared"), QVariant("two"));
        WriteRegValue(*first, kRoot, kSection, "Mine", 1);
        WriteRegValue(*second, kRoot, kSection, "Theirs", 2);
        auto third = OpenRegistry();
        QCOMPARE((QVariantList{Read(*third, "Mine", 0), Read(*third, "Theirs", 0)}),
                 (QVariantList{1, 2}));
    }

    // The Shell Folders keys answer from the environment, file or not; reading them makes
    // no folder.
    void shellFolders()
    {
        WriteFile(
            m_env->RegistryDir() + "/user.reg",
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + kShellFolders.toLatin1() +
                "]\r\n\"Favorites\"=\"C:\\\\Windows\\\\Favorites\"\r\n\"Cookies\"=\"/c\"\r\n");
        QVERIFY(!QFileInfo::exists(m_env->Favorites()));
        auto registry = OpenRegistry();
        const QString explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
        const auto read = [&](HKEY hive, const QString& key, const QString& name) {
            return ReadRegValueLM(*registry, explorer, key, name, "", hive);
        };
        QCOMPARE(read(HKEY_CURRENT_USER, "Shell Folders", "Favorites"),
                 QVariant(m_env->Favorites()));
        QVERIFY(!QFileInfo::exists(m_env->Favorites()));
        QCOMPARE(read(HKEY_CURRENT_USER, "Shell Folders", "Cookies"), QVariant("/c"));
        QCOMPARE(read(HKEY_LOCAL_MACHINE, "shell folders", "COMMON PROGRAMS"),
                 QVariant(m_env->DataHome() + "/applications"));
        QVERIFY(!QFileInfo::exists(m_env->RegistryDir() + "/machine.reg"));

        qunsetenv("TAVORO_FAVORITES");
        registry = OpenRegistry();
        QCOMPARE(read(HKEY_LOCAL_MACHINE, "Shell Folders", "Favorites"),
                 QVariant(m_env->Home() + "/Favorites"));
        QCOMPARE(read(HKEY_LOCAL_MACHINE, "Shell Folders", "Personal"), QVariant(""));
        auto injected = OpenRegistry(std::make_shared<FixedShellFolders>());
        QCOMPARE(ReadRegValue(*injected, kShellFolders, QString(), "Favorites", ""),
                 QVariant("/srv/shared/Favorites"));

        // A folder whose name is not UTF-8 is that very folder, and is stored so.
        const QByteArray native = QFile::encodeName(m_env->Root()) + "/Favoris \xe9t\xe9";
        qputenv("TAVORO_FAVORITES", native);
        const QString favorites = read(HKEY_CURRENT_USER, "Shell Folders", "Favorites").toString();
        QCOMPARE(PathCodec::Encode(favorites), native);
        WriteRegValue(*registry, kRoot, kSection, "FavoritesPath", favorites);
        QCOMPARE(Read(*OpenRegistry(), "FavoritesPath"), QVariant(favorites));
    }

    void defaultDirectory()
    {
        QCOMPARE(Registry::DefaultDirectory(), m_env->RegistryDir());
        qunsetenv("TAVORO_REGISTRY_DIR");
        QCOMPARE(Registry::DefaultDirectory(), m_env->ConfigHome() + "/tavoro");
        qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(Registry::DefaultDirectory(), m_env->Home() + "/.config/tavoro");
    }

    // Values survive what once lost them: a stray byte elsewhere, the UTF-16 export
    // format, values too long for a pattern. Each is read, then written back by an
    // unrelated save and read again.
    void valuesSurviveLoadAndSave_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("expected");
        const QString cyrillic = QString::fromUtf8("/home/Избранное");
        QTest::newRow("stray byte in a comment")
            << SettingsFile("; cut \xff\r\n\"Path\"=\"" + cyrillic.toUtf8() + "\"\r\n") << "Path"
            << QVariant(cyrillic);
        const QString export5 = "Windows Registry Editor Version 5.00\r\n\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Tavoro\\Settings]\r\n\"Path\"=\"" +
                                cyrillic + "\"\r\n";
        QByteArray utf16("\xff\xfe");
        utf16.append(reinterpret_cast<const char*>(export5.utf16()), export5.size() * 2);
        QTest::newRow("utf-16 export") << utf16 << "Path" << QVariant(cyrillic);
        QByteArray hex = "hex:00";
        for (int i = 0; i < 40000; ++i)
            hex += (i % 20 == 19) ? ",ab,\\\r\n  00" : ",ab";
        QTest::newRow("long hex") << SettingsFile("\"Blob\"=" + hex + "\r\n") << "Blob"
                                  << QVariant(QString::fromLatin1(hex).remove("\\\r\n  "));
    }
    void valuesSurviveLoadAndSave()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, name);
        QFETCH(QVariant, expected);
        const auto raw = [this](const QString& value) {
            auto registry = OpenRegistry();
            HKEY key = 0;
            QVariant data;
            if (Open(*registry, HKEY_CURRENT_USER, kSettingsKey, &key) == ERROR_SUCCESS)
                registry->RegQueryValueEx(key, value, nullptr, &data);
            return data;
        };
        WriteFile(UserFile(), file);
        QCOMPARE(raw(name), expected);
        WriteRegValue(*OpenRegistry(), kRoot, kSection, "Other", "x");
        QCOMPARE(raw(name), expected);
    }

    // What cannot be read is moved aside before the first write, never overwritten, never
    // waited on, and the user hears of it once.
    void unreadableFileIsKeptAside_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("random bytes") << "random";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("link to /dev/zero") << "zero";
        QTest::newRow("far too large") << "large";
    }
    void unreadableFileIsKeptAside()
    {
        QFETCH(QString, kind);
        QDir().mkpath(m_env->RegistryDir());
        const QByteArray random = QByteArray::fromBase64("q83vASNFZ4mrze8BI0VniQ==").repeated(256);
        const QByteArray native = QFile::encodeName(UserFile());
        if (kind == "random")
            WriteFile(UserFile(), random);
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        else if (kind == "zero")
            QVERIFY(QFile::link("/dev/zero", UserFile()));
        else
            WriteFile(UserFile(), QByteArray(33 << 20, ' '));

        auto registry = OpenRegistry();
        QStringList told;
        registry->SetProblemReporter([&](const QString& message) { told << message; });
        QCOMPARE(told.size(), 1);
        QVERIFY2(told.first().contains("cannot be read"), qPrintable(told.first()));
        WriteRegValue(*registry, kRoot, kSection, "After", "yes");
        WriteRegValue(*registry, kRoot, kSection, "Again", "yes");
        QCOMPARE(told.size(), 1);

        const QStringList aside =
            QDir(m_env->RegistryDir())
                .entryList({"user.reg.unreadable-*"}, QDir::System | QDir::Files);
        QCOMPARE(aside.size(), 1);
        const QFileInfo kept(m_env->RegistryDir() + "/" + aside.first());
        if (kind == "random")
            QCOMPARE(ReadAll(kept.filePath()), random);
        QCOMPARE(kept.isSymLink(), kind == "zero");
        QCOMPARE(Read(*OpenRegistry(), "After"), QVariant("yes"));
    }

    // Seeded mutations of the files in tests/data/registry: every load ends, and what a
    // load keeps is written so that a second save gives the very same file.
    void fuzzedFilesLoadAndRoundTrip()
    {
        const QDir corpus(QFINDTESTDATA("data/registry"));
        const QStringList seeds = corpus.entryList({"*.reg"}, QDir::Files);
        QVERIFY(seeds.size() >= 3);
        QRandomGenerator random(20261206);
        for (const QString& seed : seeds) {
            const QByteArray original = ReadAll(corpus.filePath(seed));
            for (int round = 0; round < 60; ++round) {
                QByteArray bytes = original;
                for (int edits = random.bounded(1, 6); edits > 0 && !bytes.isEmpty(); --edits) {
                    const qsizetype at = random.bounded(bytes.size());
                    switch (random.bounded(3)) {
                    case 0:
                        bytes[at] = static_cast<char>(random.bounded(256));
                        break;
                    case 1:
                        bytes.insert(at, "\\\r\n,\"=[]@"[random.bounded(9)]);
                        break;
                    default:
                        bytes.truncate(at);
                        break;
                    }
                }
                QDir(m_env->RegistryDir()).removeRecursively();
                QDir().mkpath(m_env->RegistryDir());
                WriteFile(UserFile(), bytes);
                WriteRegValue(*OpenRegistry(), kRoot, kSection, "Probe", "p");
                const QByteArray first = ReadAll(UserFile());
                WriteRegValue(*OpenRegistry(), kRoot, kSection, "Probe", "p");
                QCOMPARE(ReadAll(UserFile()), first);
                QCOMPARE(Read(*OpenRegistry(), "Probe"), QVariant("p"));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
