#pragma once

#include "BrowserFrame.h"
#include "ExtensionButtons.h"

#include "platform/X11ControlFilter.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>

// What one host process's frames share: the filter through which other programs reach
// their address bars, the network, and the home page and toolbar extensions, read from
// the registry store at start as the browser did.
class BrowserHost : public QObject
{
    Q_OBJECT

public:
    BrowserHost();
    // Frames still open go first: they use what the host holds.
    ~BrowserHost() override;

    // A new shown frame on the address, or on the home page when it is empty.
    BrowserFrame* OpenFrame(BrowserFrame::Kind kind, const QString& address, bool addressBar = true,
                            const QString& selected = {});

    X11ControlFilter& Filter() { return m_filter; }
    QNetworkAccessManager& Network() { return m_network; }
    QString HomeAddress() const { return m_homeAddress; }
    const QList<ExtensionButtons::Button>& Buttons() const { return m_buttons; }

private:
    X11ControlFilter m_filter;
    QNetworkAccessManager m_network;
    QString m_homeAddress;
    QList<ExtensionButtons::Button> m_buttons;
    QList<QPointer<BrowserFrame>> m_frames;
};
