#include "app/HandOver.h"
#include "core/AppInfo.h"
#include "platform/X11Control.h"
#include "platform/X11ControlFilter.h"
#include "platform/X11WindowSystem.h"
#include "support/AppFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

// Another program on the display, sending Tavoro's main window and text box (and a control
// that takes texts) what a hostile client can: floods, huge texts, forged requests.
class TestHostileX11 : public QObject
{
    Q_OBJECT

private:
    xcb_connection_t* m_x = nullptr; // the hostile client's own connection
    xcb_atom_t m_messageType = XCB_ATOM_NONE;
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<frmFav1> m_window;
    std::unique_ptr<X11ControlFilter> m_filter;
    std::unique_ptr<QLineEdit> m_edit;
    QChar m_lastChar;

    xcb_atom_t atom(const char* name)
    {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(m_x, xcb_intern_atom(m_x, 0, qstrlen(name), name), nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    QByteArray property(xcb_window_t window, const char* name)
    {
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(
                m_x,
                xcb_get_property(m_x, 0, window, atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
                nullptr),
            &std::free);
        if (!reply || reply->type == XCB_ATOM_NONE)
            return "<none>";
        return {static_cast<const char*>(xcb_get_property_value(reply.get())),
                xcb_get_property_value_length(reply.get())};
    }
    void send(xcb_window_t window, int message, std::uint32_t wParam, std::uint32_t lParam = 0)
    {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = m_messageType;
        event.data.data32[0] = static_cast<std::uint32_t>(message);
        event.data.data32[1] = wParam;
        event.data.data32[2] = lParam;
        xcb_send_event(m_x, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&event));
    }
    // Everything sent before is handled once a last character comes through.
    bool settled(int timeoutMs = 5000)
    {
        m_lastChar = QChar();
        send(editWindow(), WindowSystem::WM_CHAR, 'Z');
        xcb_flush(m_x);
        return QTest::qWaitFor([this] { return m_lastChar == u'Z'; }, timeoutMs);
    }
    xcb_window_t mainWindow() const { return m_window->winId(); }
    xcb_window_t boxWindow() const { return m_window->txtMsg()->winId(); }
    xcb_window_t editWindow() const { return m_edit->winId(); }
    bool tavoroConnected() const
    {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        return x11 && !xcb_connection_has_error(x11->connection());
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X display; scripts/test runs this under Xvfb");
        m_x = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(m_x));
        m_messageType = atom(X11WindowSystem::MessageType);
        m_app = std::make_unique<AppFixture>();
        m_filter = std::make_unique<X11ControlFilter>();
        m_window = m_app->Start();
        new HandOver(*m_window, *m_filter);
        m_edit = std::make_unique<QLineEdit>();
        new X11Control(m_edit.get(), QStringLiteral("Edit"), *m_filter);
        connect(m_filter.get(), &X11ControlFilter::charReceived, this,
                [this](QWidget*, QChar character) { m_lastChar = character; });
        QVERIFY(settled());
    }

    void cleanupTestCase()
    {
        m_edit.reset();
        m_window.reset();
        if (m_x)
            xcb_disconnect(m_x);
    }

    void floodOfHandOversRunsOnce()
    {
        QCoreApplication::processEvents();
        const int before = m_app->windows.listings;
        for (int i = 0; i < 20000; ++i)
            send(boxWindow(), WindowSystem::WM_CHAR, 'A');
        QVERIFY2(settled(), "the flood froze the receiver");
        QTRY_VERIFY(m_app->windows.listings > before);
        QCoreApplication::processEvents();
        QVERIFY2(m_app->windows.listings - before <= 3,
                 qPrintable(QString::number(m_app->windows.listings - before)));
        QVERIFY(tavoroConnected());
    }

    void oversizedTextIsRefused_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("taken");
        QTest::newRow("within the limit") << QByteArray(1000, 'a') << true;
        QTest::newRow("over the limit")
            << QByteArray(X11Control::DefaultTextLimit + 1, 'a') << false;
        // Each byte that is not UTF-8 grows to three when decoded: past the server's limit.
        QTest::newRow("grows past the request limit")
            << QByteArray(12 * 1024 * 1024, '\xff') << false;
    }
    void oversizedTextIsRefused()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, taken);
        m_edit->findChild<X11Control*>()->SetText(QStringLiteral("before"));
        const char* name = "_TAVORO_REQUEST_HOSTILE";
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, editWindow(), atom(name),
                            atom("UTF8_STRING"), 8, text.size(), text.constData());
        send(editWindow(), WindowSystem::WM_SETTEXT, 0, atom(name));
        QVERIFY(settled());
        QVERIFY(tavoroConnected());
        QCOMPARE(property(editWindow(), X11WindowSystem::TextProperty),
                 taken ? text : QByteArray("before"));
        QCOMPARE(property(editWindow(), name), "<none>"); // read once, either way
    }

    // No message takes a window's class or the text box's text, which others find it by.
    void forgedRequestsKeepIdentity_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("property");
        QTest::newRow("box's class") << "box" << QByteArray("WM_CLASS");
        QTest::newRow("main window's class") << "main" << QByteArray("WM_CLASS");
        QTest::newRow("edit's class") << "edit" << QByteArray("WM_CLASS");
        QTest::newRow("box's text replaced") << "box" << QByteArray("_TAVORO_REQUEST_FORGED");
    }
    void forgedRequestsKeepIdentity()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, property);
        const xcb_window_t window = target == u"box"    ? boxWindow()
                                    : target == u"main" ? mainWindow()
                                                        : editWindow();
        const QByteArray classBefore = this->property(window, "WM_CLASS");
        xcb_change_property(m_x, XCB_PROP_MODE_REPLACE, window, atom("_TAVORO_REQUEST_FORGED"),
                            atom("UTF8_STRING"), 8, 6, "forged");
        send(window, WindowSystem::WM_SETTEXT, 0, atom(property.constData()));
        QVERIFY(settled());
        QCOMPARE(this->property(window, "WM_CLASS"), classBefore);
        X11WindowSystem windows;
        QCOMPARE(windows.ClassName(mainWindow()), HandOver::MainWindowClass);
        QCOMPARE(HandOver::FindChildTextBox(windows, mainWindow(), HandOver::TextBoxText),
                 WindowSystem::Handle(boxWindow()));
    }
};

int main(int argc, char* argv[])
{
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestHostileX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_hostile_x11.moc"
