#include "HostCommandLine.h"
#include "PageLoader.h"
#include "browser/BrowserLauncher.h"
#include "support/FakeProgramLauncher.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QNetworkAccessManager>
#include <QTest>

#include <sys/stat.h>

// What reaches the browser host from outside: addresses on its command line and files
// named by a page's address, any of which may be made to hurt it.
class TestBrowserHostInput : public QObject
{
    Q_OBJECT

private:
    TestEnvironment m_env;

    QString path(const QString& name) const { return m_env.Root() + u'/' + name; }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(::mkfifo(path("pipe").toLocal8Bit().constData(), 0600), 0);
        QVERIFY(QFile::link("/proc/self/pagemap", path("link")));
        QFile big(path("big.txt"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.write(QByteArray(9 * 1024 * 1024, 'x')) > 0);
        QFile small(path("small.txt"));
        QVERIFY(small.open(QIODevice::WriteOnly) && small.write("just this") > 0);
    }

    // Tavoro's launch of a new window and the host's reading of it keep the address whole.
    void addressesNeverReadAsOptions_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("hides the bar") << "--no-address-bar";
        QTest::newRow("asks for a window") << "--new-window";
        QTest::newRow("ends the options") << "--";
        QTest::newRow("web address") << "http://example.org/-x";
    }
    void addressesNeverReadAsOptions()
    {
        QFETCH(QString, address);
        FakeProgramLauncher programs;
        ScriptedPrompts prompts;
        BrowserLauncher(programs, nullptr, prompts, m_env.Root(), nullptr).LaunchBrowser(address);
        QVERIFY(!programs.calls.isEmpty());
        const HostCommandLine line = HostCommandLine::Parse(programs.calls.first().arguments);
        QCOMPARE(line.address, address);
        QVERIFY(line.newWindow);
        QVERIFY(line.addressBar);
    }
    void optionsBeforeTheEndStillCount()
    {
        const HostCommandLine line = HostCommandLine::Parse({"--no-address-bar", "--", "-x"});
        QVERIFY(!line.addressBar);
        QCOMPARE(line.address, "-x");
    }

    // Every page comes back at once, a readable one as it is.
    void localFilesCannotHangOrFlood_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("shown"); // a part of the page shown
        const QString system = QStringLiteral("/proc, /sys and /dev are not shown");
        QTest::newRow("endless file of size 0") << "file:///proc/self/pagemap" << system;
        QTest::newRow("file whose reading blocks") << "/proc/kmsg" << system;
        QTest::newRow("link into /proc") << path("link") << system;
        QTest::newRow("kernel setting") << "/sys/kernel" << system;
        QTest::newRow("device") << "/dev/zero" << system;
        QTest::newRow("pipe") << path("pipe") << "not a file that can be shown";
        QTest::newRow("larger than a page") << path("big.txt") << "cut short";
        QTest::newRow("plain file") << path("small.txt") << "just this";
    }
    void localFilesCannotHangOrFlood()
    {
        QFETCH(QString, address);
        QFETCH(QString, shown);
        QNetworkAccessManager network;
        PageLoader loader(network);
        Page page;
        connect(&loader, &PageLoader::Loaded, this, [&page](const Page& loaded) { page = loaded; });
        loader.Load(address);
        QVERIFY2(page.html.contains(shown), qPrintable(page.html.left(300)));
        QVERIFY(page.html.size() < 9 * 1024 * 1024);
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TestBrowserHostInput test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_browserhost_input.moc"
