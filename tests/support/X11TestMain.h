#pragma once

#include <QApplication>
#include <QTest>

// The main of a test that runs its cases once on the bare display and once under a
// window manager. Without a display the cases skip; offscreen lets the application
// start to say so.
template <typename Bare, typename Managed> int RunBareAndManaged(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    Bare bare;
    Managed managed;
    const int failures = QTest::qExec(&bare, argc, argv) + QTest::qExec(&managed, argc, argv);
    return failures == 0 ? 0 : 1;
}
