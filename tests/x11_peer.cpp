// The other process of the X11 window test: a browser-like frame with the address-bar
// chain and a second window, all built from X11Controls. Prints every message a control
// receives as "<class> <kind>:<value>", and hides its second window when told "hide" on stdin.
#include "platform/X11Control.h"
#include "platform/X11ControlFilter.h"

#include <QLineEdit>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

namespace {

void say(const QString& line)
{
    std::fputs((line + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QString classOf(QWidget* widget)
{
    const auto* control = widget->findChild<X11Control*>(QString(), Qt::FindDirectChildrenOnly);
    return control ? control->ClassName() : QStringLiteral("?");
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    X11ControlFilter filter;

    auto* frame = new QWidget;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowTitle(QStringLiteral("Page - Microsoft Internet Explorer"));
    frame->setGeometry(40, 40, 640, 480);
    new X11Control(frame, QStringLiteral("IEFrame"), filter);
    QWidget* parent = frame;
    for (const char* className : {"WorkerW", "ReBarWindow32", "ComboBoxEx32", "ComboBox"}) {
        auto* bar = new QWidget(parent);
        bar->setGeometry(0, 0, 600, 40);
        new X11Control(bar, QString::fromLatin1(className), filter);
        parent = bar;
    }
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(0, 0, 600, 30);
    auto* editControl = new X11Control(edit, QStringLiteral("Edit"), filter);
    editControl->SetText(QStringLiteral("about:blank"));
    edit->setText(editControl->Text());

    QWidget folder;
    folder.setWindowTitle(QStringLiteral("Docs"));
    folder.setGeometry(200, 200, 300, 200);
    new X11Control(&folder, QStringLiteral("CabinetWClass"), filter);

    QObject::connect(&filter, &X11ControlFilter::textSet, [edit](QWidget* c, const QString& t) {
        if (c == edit)
            edit->setText(t);
        say(classOf(c) + " text:" + t);
    });
    QObject::connect(&filter, &X11ControlFilter::keyDown,
                     [](QWidget* c, int key) { say(classOf(c) + " key:" + QString::number(key)); });
    QObject::connect(&filter, &X11ControlFilter::charReceived,
                     [](QWidget* c, QChar ch) { say(classOf(c) + " char:" + ch); });
    // Closing the frame ends the process, as closing a browser window does.
    QObject::connect(frame, &QObject::destroyed, &app, [] { QApplication::exit(0); });

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0)
            QApplication::exit(0); // the test is gone
        else if (pending.append(buffer, count).contains("hide\n"))
            folder.hide();
    });

    frame->show();
    folder.show();
    say(QStringLiteral("ready"));
    return app.exec();
}
