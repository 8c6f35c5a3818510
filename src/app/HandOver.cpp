#include "app/HandOver.h"

#include "app/AppInfo.h"
#include "app/frmFav1.h"
#include "platform/WindowSystem.h"
#include "platform/X11Control.h"
#include "platform/X11ControlFilter.h"

#include <QLineEdit>

const QString HandOver::MainWindowClass = QStringLiteral("TavoroMainWindow");
const QString HandOver::TextBoxClass = QStringLiteral("TavoroTextBox");
const QString HandOver::TextBoxText = QStringLiteral("TXTMSG");

HandOver::HandOver(frmFav1& window, X11ControlFilter& filter) : QObject(&window)
{
    new X11Control(&window, MainWindowClass, filter);
    auto* textBox = new X11Control(window.txtMsg(), TextBoxClass, filter);
    textBox->SetText(TextBoxText);
    connect(&filter, &X11ControlFilter::charReceived, this,
            [&window](QWidget* control, QChar character) {
                if (control == window.txtMsg())
                    window.ProcessCmd(QString(character));
            });
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

quint64 HandOver::FindChildTextBox(const WindowSystem& windows, quint64 parent,
                                   const QString& text)
{
    const WindowSystem::Handle textBox = windows.FindChild(parent, TextBoxClass);
    if (textBox && !windows.GetText(textBox).isEmpty() && windows.GetText(textBox) == text)
        return textBox;
    return 0;
}
