#include "platform/X11WindowSystem.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QUrl>

using Handle = WindowSystem::Handle;

// The browser host's programs as other programs see them: through the X server only.
class TestBrowserHostX11 : public QObject
{
    Q_OBJECT

    TestEnvironment m_env;
    std::unique_ptr<X11WindowSystem> m_windows;
    QList<Handle> m_frames;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    const QString m_suffix = " - Microsoft Internet Explorer";

    QString url(const QString& name) const
    {
        return QUrl::fromLocalFile(m_env.Root() + u'/' + name).toString();
    }
    Handle edit(Handle frame) const
    {
        for (const char* className :
             {"WorkerW", "ReBarWindow32", "ComboBoxEx32", "ComboBox", "Edit"})
            frame = frame ? m_windows->FindChild(frame, className) : 0;
        return frame;
    }
    QProcess* start(const QString& program, const QStringList& arguments)
    {
        auto& process = m_processes.emplace_back(std::make_unique<QProcess>());
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(qEnvironmentVariable("TAVORO_PROGRAM_DIR") + u'/' + program, arguments);
        return process.get();
    }
    Handle waitForWindow(const QString& className, const QString& title)
    {
        Handle window = 0;
        if (QTest::qWaitFor([&] { return (window = m_windows->FindWindow(className, title)) != 0; },
                            10000))
            m_frames.append(window);
        return window;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X display; scripts/test runs this under Xvfb");
        m_windows = std::make_unique<X11WindowSystem>();
        QVERIFY(m_windows->IsConnected());
        // The hosts' Qt wants its runtime folder private.
        QFile::setPermissions(m_env.RuntimeDir(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(QDir().mkpath(m_env.Root() + "/My, Folder"));
        for (const QString page : {"A", "B", "My, Folder/C"}) {
            QFile file(m_env.Root() + u'/' + page + ".html");
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(("<title>Page " + page.right(1) + "</title>").toUtf8());
        }
    }
    void cleanup()
    {
        for (const Handle frame : std::as_const(m_frames))
            m_windows->RequestClose(frame);
        for (const Handle frame : std::as_const(m_frames))
            QTRY_VERIFY(!m_windows->Exists(frame));
        m_frames.clear();
        for (const auto& process : m_processes)
            if (!process->waitForFinished(5000))
                process->kill(), process->waitForFinished();
        m_processes.clear();
    }

    void newWindowPrintsItsIdAndTakesAddresses()
    {
        QProcess* launcher = start("tavoro-browserhost", {"--new-window", url("A.html")});
        // The frame lives on; the process the caller started does not.
        QVERIFY(launcher->waitForFinished(15000));
        QCOMPARE(launcher->exitCode(), 0);
        const QList<QByteArray> lines = launcher->readAllStandardOutput().split('\n');
        QCOMPARE(lines.size(), 2);
        const Handle frame = lines[0].toULongLong();
        m_frames.append(frame);
        QVERIFY(m_windows->IsVisible(frame) && m_windows->ClassName(frame) == "IEFrame");
        QCOMPARE(m_windows->Title(frame), "Page A" + m_suffix);
        const Handle address = edit(frame);
        QCOMPARE(m_windows->GetText(address), url("A.html"));
        QVERIFY(m_windows->SetText(address, url("B.html")));
        QVERIFY(m_windows->SendKeyDown(address, WindowSystem::VK_RETURN));
        QTRY_COMPARE(m_windows->Title(frame), "Page B" + m_suffix);
        QCOMPARE(m_windows->GetText(address), url("B.html"));
    }

    void hiddenAddressBarIsNotFound()
    {
        QProcess* host = start("tavoro-browserhost", {"--no-address-bar", url("A.html")});
        const Handle frame = waitForWindow("IEFrame", "Page A" + m_suffix);
        QVERIFY(frame != 0);
        QCOMPARE(m_windows->FindChild(m_windows->FindChild(frame, "WorkerW"), "ReBarWindow32"), 0u);
        // Closing the last frame ends its process.
        QVERIFY(m_windows->RequestClose(frame));
        QVERIFY(host->waitForFinished(10000));
        QVERIFY(host->exitStatus() == QProcess::NormalExit && host->exitCode() == 0);
    }

    void explorerOpensFolderWindow()
    {
        const QString folder = m_env.Root() + "/My, Folder";
        start("EXPLORER.EXE", {"/n,/e,/root," + folder + ",/select," + folder + "/C.html"});
        QCOMPARE(m_windows->GetText(edit(waitForWindow("CabinetWClass", "My, Folder"))), folder);
    }
};

int main(int argc, char* argv[])
{
    // Without a display the cases skip; offscreen lets the application start to say so.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestBrowserHostX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_browserhost_x11.moc"
