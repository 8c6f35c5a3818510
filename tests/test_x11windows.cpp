#include "platform/X11WindowSystem.h"
#include "support/OpenboxSession.h"
#include "support/X11TestMain.h"

#include <QProcess>
#include <QTest>

namespace {

const QString kFrameTitle = "Page - Microsoft Internet Explorer";
const QStringList kAddressChain = {"WorkerW", "ReBarWindow32", "ComboBoxEx32", "ComboBox", "Edit"};
using ShowState = WindowSystem::ShowState;

} // namespace

// Talks to another process (x11_peer, built from X11Controls) through the X server only,
// once on the bare display and once with openbox managing the windows.
class TestX11Windows : public QObject
{
    Q_OBJECT

public:
    explicit TestX11Windows(bool withManager) : m_withManager(withManager) {}

private:
    const bool m_withManager;
    std::unique_ptr<X11WindowSystem> m_windows;
    OpenboxSession m_openbox;
    QProcess m_peer;
    QStringList m_said;
    WindowSystem::Handle m_frame = 0;
    WindowSystem::Handle m_folder = 0;

    bool peerSaid(const QString& line)
    {
        while (m_peer.canReadLine())
            m_said.append(QString::fromUtf8(m_peer.readLine()).trimmed());
        return m_said.contains(line);
    }
    WindowSystem::Handle topWindow() const { return m_windows->TopLevelWindows().value(0); }
    WindowSystem::Handle addressBar() const
    {
        WindowSystem::Handle control = m_frame;
        for (const QString& className : kAddressChain)
            control = m_windows->FindChild(control, className);
        return control;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X display; scripts/test runs this under Xvfb");
        m_windows = std::make_unique<X11WindowSystem>();
        QVERIFY(m_windows->IsConnected());
        if (!m_withManager) {
            QVERIFY2(!m_windows->WindowManagerRunning(), "a window manager runs already");
            return;
        }
        if (!OpenboxSession::Available())
            QSKIP("openbox is not installed");
        QVERIFY(m_openbox.Start(*m_windows));
    }

    void cleanupTestCase() { QVERIFY(m_openbox.Stop(*m_windows)); }

    void init()
    {
        m_said.clear();
        m_peer.setProgram(QCoreApplication::applicationDirPath() + "/x11_peer");
        m_peer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Looking for a session bus, libdbus would autolaunch one, which the sanitizer
        // build reports as a leak.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
        m_peer.setProcessEnvironment(environment);
        m_peer.start();
        QVERIFY(m_peer.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(peerSaid("ready"), 10000);
        // With a manager, windows are listed once it has taken them on.
        QTRY_VERIFY((m_frame = m_windows->FindWindow("IEFrame", kFrameTitle)) != 0);
        QTRY_VERIFY((m_folder = m_windows->FindWindow("CabinetWClass", "Docs")) != 0);
        QTRY_VERIFY(m_windows->IsVisible(m_frame) && m_windows->IsVisible(m_folder));
    }

    void cleanup()
    {
        if (m_peer.state() != QProcess::NotRunning) {
            m_peer.kill();
            m_peer.waitForFinished();
        }
        // The next peer's windows must not be confused with these.
        QTRY_VERIFY(!m_windows->Exists(m_frame));
    }

    void windowsAreListedTopFirstAndFoundByClass()
    {
        // Titles match exactly, and together with the class.
        QCOMPARE(m_windows->FindWindow("IEFrame", "Page - Microsoft Internet Explore"), 0u);
        QCOMPARE(m_windows->FindWindow("CabinetWClass", kFrameTitle), 0u);

        QVERIFY(m_windows->Raise(m_folder));
        QTRY_COMPARE(topWindow(), m_folder);
        QVERIFY(m_windows->Raise(m_frame));
        QTRY_COMPARE(topWindow(), m_frame);
        QCOMPARE(m_windows->ClassName(topWindow()), "IEFrame");
        // Qt's helper windows carry no class and are left out; frames are never listed.
        for (const WindowSystem::Handle window : m_windows->TopLevelWindows())
            QVERIFY(!m_windows->ClassName(window).isEmpty());

        // The address bar is found along its chain, by direct children only.
        QVERIFY(m_windows->IsVisible(addressBar()));
        QCOMPARE(m_windows->FindChild(m_frame, "Edit"), 0u);
        QCOMPARE(m_windows->GetText(addressBar()), "about:blank");
        QCOMPARE(m_windows->GetText(m_frame), kFrameTitle); // a window's text is its title
    }

    void messagesReachTheOwnerOnceAndInOrder()
    {
        const WindowSystem::Handle edit = addressBar();
        const QString address = "http://example.com/päge?q=1&r=✓";
        QVERIFY(m_windows->SetText(edit, address));
        QVERIFY(m_windows->SendKeyDown(edit, WindowSystem::VK_RETURN));
        QVERIFY(m_windows->SendChar(edit, QChar(u'A')));
        QTRY_VERIFY(peerSaid("Edit char:A"));
        QCOMPARE(m_said.mid(m_said.indexOf("ready") + 1),
                 QStringList({"Edit text:" + address, "Edit key:13", "Edit char:A"}));
        QCOMPARE(m_windows->GetText(edit), address);

        // A second text replaces the first; the first request is not seen again.
        QVERIFY(m_windows->SetText(edit, QString()));
        QVERIFY(m_windows->SendChar(edit, QChar(u'z')));
        QTRY_VERIFY(peerSaid("Edit char:z"));
        QVERIFY(m_said.count("Edit text:" + address) == 1 && m_said.contains("Edit text:"));
        QCOMPARE(m_windows->GetText(edit), QString());
    }

    // Maximized fills the screen; back to normal, and from minimized, the place comes back.
    // A minimized window stays listed and visible, and so does what it holds.
    void placementAndShowStates()
    {
        const QRect place(100, 80, 500, 400);
        QVERIFY(m_windows->MoveResize(m_frame, place));
        QTRY_COMPARE(m_windows->Geometry(m_frame), place);
        for (const ShowState state : {ShowState::Maximized, ShowState::Minimized}) {
            QVERIFY(m_windows->SetShowState(m_frame, state));
            QTRY_COMPARE(m_windows->GetShowState(m_frame), state);
            if (state == ShowState::Maximized)
                QTRY_COMPARE(m_windows->Geometry(m_frame), m_windows->ScreenGeometry());
            else
                QVERIFY(m_windows->IsVisible(m_frame) && m_windows->IsVisible(addressBar()) &&
                        m_windows->TopLevelWindows().contains(m_frame));
            QVERIFY(m_windows->SetShowState(m_frame, ShowState::Normal));
            QTRY_COMPARE(m_windows->GetShowState(m_frame), ShowState::Normal);
            QTRY_COMPARE(m_windows->Geometry(m_frame), place);
        }
    }

    void closeRequestEndsTheOwner()
    {
        QVERIFY(m_windows->RequestClose(m_frame));
        QVERIFY(m_peer.waitForFinished(10000));
        QVERIFY(m_peer.exitStatus() == QProcess::NormalExit && m_peer.exitCode() == 0);
        QTRY_VERIFY(!m_windows->Exists(m_frame));
        // A window that is gone takes no messages and is found nowhere.
        QVERIFY(!m_windows->SetText(m_frame, "x") && !m_windows->SendChar(m_frame, QChar(u'A')));
        QVERIFY(!m_windows->Raise(m_frame) && !m_windows->IsVisible(m_frame));
        QCOMPARE(m_windows->FindWindow("IEFrame", kFrameTitle), 0u);
    }
};

template <bool withManager> struct Run : TestX11Windows
{
    Run() : TestX11Windows(withManager) {}
};

int main(int argc, char* argv[])
{
    return RunBareAndManaged<Run<false>, Run<true>>(argc, argv);
}

#include "test_x11windows.moc"
