#pragma once

#include <QObject>
#include <QString>

class frmFav1;
class WindowSystem;
class X11ControlFilter;

// The single-instance hand-over: a second start finds the first instance's main window
// by its class and exact title, finds its hidden text box by class and text, and sends it
// a one-letter command, which the first instance runs with ProcessCmd. Any program can send
// such letters, in any number: a burst runs each command once, one run at a time, after the
// messages waiting have been read.
class HandOver final : public QObject
{
    Q_OBJECT
public:
    static const QString MainWindowClass;
    static const QString TextBoxClass;
    static const QString TextBoxText;

    // The receiving side: makes the main window and its text box findable.
    HandOver(frmFav1& window, X11ControlFilter& filter);

    // The sending side; false when no running instance could be reached.
    static bool SendToPrevInstance(WindowSystem& windows, const QString& command);
    static quint64 FindChildTextBox(const WindowSystem& windows, quint64 parent,
                                    const QString& text);

private:
    void received(QWidget* control, QChar character);
    void runPending();

    frmFav1& m_window;
    QString m_pending; // each command once, in the order first received
    QChar m_running;   // the command being run; more of it until it ends add nothing
    bool m_scheduled = false;
};
