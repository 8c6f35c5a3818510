#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class X11Control;
class X11ControlFilter;

// The address bar as other programs find it: this "WorkerW" window holds the chain
// "ReBarWindow32" > "ComboBoxEx32" > "ComboBox" > "Edit", each a native window inside the
// last, the edit holding the address shown. Other programs find windows whether they are
// mapped or not, so a hidden bar destroys its chain below WorkerW and builds it anew when
// shown again.
class AddressBar : public QWidget
{
    Q_OBJECT

public:
    AddressBar(QWidget* frame, X11ControlFilter& filter);

    void SetShown(bool shown);
    bool IsShown() const { return m_rebar != nullptr; }
    // The address the page shows; a hidden bar shows it again when it comes back.
    void SetAddress(const QString& address);
    // What stands in the edit, typed or set by another program; empty while hidden.
    QString Text() const;

Q_SIGNALS:
    // Enter in the edit, pressed by the user or sent as a message.
    void NavigateRequested(const QString& address);

private:
    void build();
    void textSet(QWidget* control, const QString& text);
    void keyDown(QWidget* control, int virtualKey);

    X11ControlFilter& m_filter;
    QPointer<QWidget> m_rebar;
    QPointer<QLineEdit> m_edit;
    QString m_address;
};
