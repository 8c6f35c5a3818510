#include "app/HelpViewer.h"

#include "app/HelpWindow.h"
#include "core/HelpTopics.h"

#include <QApplication>
#include <QWindow>

#include <utility>

HelpViewer::HelpViewer(QString folder)
    : m_folder(folder.isEmpty() ? HelpTopics::DefaultFolder() : std::move(folder))
{
}

HelpViewer::~HelpViewer()
{
    delete m_window.data();
}

void HelpViewer::ShowTopic(QWidget* owner, int topic)
{
    if (topic <= 0)
        return;
    const QWidget* modal = QApplication::activeModalWidget();
    const QWidget* placeBy = nullptr;
    if (!m_window) {
        m_window = new HelpWindow(m_folder);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        placeBy = modal ? modal : owner ? owner->window() : nullptr;
    } else if (modal && modal != m_window &&
               m_window->frameGeometry().intersects(modal->frameGeometry())) {
        // Kept above the dialog, the help must not hide the fields it explains.
        placeBy = modal;
    }
    HelpWindow& window = *m_window;
    // A modal dialog blocks every window that is not its own. Made transient for the
    // dialog, the help takes input while the dialog waits, and stays above it.
    QWindow* wanted = modal && modal != &window ? modal->windowHandle() : nullptr;
    window.winId();
    QWindow* handle = window.windowHandle();
    if (handle && handle->transientParent() != wanted) {
        // Qt settles whether a window is blocked when it is shown.
        if (window.isVisible())
            window.hide();
        handle->setTransientParent(wanted);
    }
    // Placed once hidden, so the window manager maps it there rather than where it was.
    if (placeBy)
        window.PlaceBeside(placeBy);
    window.show();
    if (window.isMinimized())
        window.showNormal();
    window.raise();
    window.activateWindow();
    window.ShowTopic(topic);
}

HelpWindow* HelpViewer::Window() const
{
    return m_window.data();
}
