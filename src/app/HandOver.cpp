#include "app/HandOver.h"

#include "app/frmFav1.h"
#include "core/AppInfo.h"
#include "platform/WindowSystem.h"
#include "platform/X11Control.h"
#include "platform/X11ControlFilter.h"

#include <QLineEdit>

const QString HandOver::MainWindowClass = QStringLiteral("TavoroMainWindow");
const QString HandOver::TextBoxClass = QStringLiteral("TavoroTextBox");
const QString HandOver::TextBoxText = QStringLiteral("TXTMSG");

HandOver::HandOver(frmFav1& window, X11ControlFilter& filter) : QObject(&window), m_window(window)
{
    // Others find the window and read the box's text, which is its identity: the window
    // takes no message, the box only characters.
    auto* main = new X11Control(&window, MainWindowClass, filter);
    main->Accept({});
    auto* textBox = new X11Control(window.txtMsg(), TextBoxClass, filter);
    textBox->Accept(X11Control::Message::Char);
    textBox->SetText(TextBoxText);
    connect(&filter, &X11ControlFilter::charReceived, this, &HandOver::received);
}

void HandOver::received(QWidget* control, QChar character)
{
    if (control != m_window.txtMsg() || character == m_running || m_pending.contains(character))
        return;
    m_pending.append(character);
    if (m_scheduled)
        return;
    m_scheduled = true;
    // Queued behind the messages already read, so that a burst comes to one run.
    QMetaObject::invokeMethod(this, &HandOver::runPending, Qt::QueuedConnection);
}

void HandOver::runPending()
{
    m_scheduled = false;
    // ProcessCmd lets events through; a message arriving meanwhile waits for this run.
    if (!m_running.isNull() || m_pending.isEmpty())
        return;
    m_running = m_pending.front();
    m_pending.remove(0, 1);
    m_window.ProcessCmd(QString(m_running));
    m_running = QChar();
    if (!m_pending.isEmpty() && !m_scheduled) {
        m_scheduled = true;
        QMetaObject::invokeMethod(this, &HandOver::runPending, Qt::QueuedConnection);
    }
}

bool HandOver::SendToPrevInstance(WindowSystem& windows, const QString& command)
{
    if (command.isEmpty())
        return false;
    const WindowSystem::Handle main = windows.FindWindow(MainWindowClass, AppInfo::AppTitle);
    if (!main)
        return false;
    const WindowSystem::Handle textBox = FindChildTextBox(windows, main, TextBoxText);
    return textBox && windows.SendChar(textBox, command.at(0));
}

quint64 HandOver::FindChildTextBox(const WindowSystem& windows, quint64 parent, const QString& text)
{
    const WindowSystem::Handle textBox = windows.FindChild(parent, TextBoxClass);
    if (textBox && !windows.GetText(textBox).isEmpty() && windows.GetText(textBox) == text)
        return textBox;
    return 0;
}
