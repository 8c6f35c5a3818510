#include "BrowserFrame.h"

#include "AddressBar.h"
#include "BrowserHost.h"
#include "PageLoader.h"
#include "PageView.h"

#include "platform/X11Control.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QProcess>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Browser windows tell what they are in their title; folder windows show the name alone.
QString caption(BrowserFrame::Kind kind, const QString& pageTitle)
{
    if (kind == BrowserFrame::Kind::Folder)
        return pageTitle;
    return pageTitle + QLatin1String(BrowserFrame::BrowserSuffix);
}

} // namespace

BrowserFrame::BrowserFrame(BrowserHost& host, Kind kind, bool addressBar)
    : m_host(host), m_kind(kind)
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(800, 600);
    // Other programs look for the frame by its class, which must be in place before the
    // window first shows.
    auto* frame = new X11Control(
        this, kind == Kind::Browser ? QStringLiteral("IEFrame") : QStringLiteral("CabinetWClass"),
        host.Filter());
    frame->Accept({}); // messages go to its address bar
    m_addressBar = new AddressBar(this, host.Filter());
    m_view = new PageView(this);
    m_view->setOpenLinks(false);
    m_loader = new PageLoader(host.Network(), this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenus();
    layout->addWidget(buildToolBar());
    layout->addWidget(m_addressBar);
    layout->addWidget(m_view, 1);

    connect(m_addressBar, &AddressBar::NavigateRequested, this,
            [this](const QString& address) { Navigate(address); });
    connect(m_view, &QTextBrowser::anchorClicked, this, &BrowserFrame::linkClicked);
    connect(m_loader, &PageLoader::Loaded, this, &BrowserFrame::showPage);
    m_addressBar->SetShown(addressBar);
    m_addressBarAction->setChecked(addressBar);
    updateActions();
}

void BrowserFrame::buildMenus()
{
    auto* menuBar = new QMenuBar(this);
    layout()->setMenuBar(menuBar);

    QMenu* file = menuBar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New Window"), QKeySequence::New, this,
                    [this] { m_host.OpenFrame(m_kind, Address()); });
    file->addSeparator();
    file->addAction(QStringLiteral("&Close"), QKeySequence::Close, this, &QWidget::close);

    QMenu* view = menuBar->addMenu(QStringLiteral("&View"));
    m_addressBarAction = view->addAction(QStringLiteral("&Address Bar"));
    m_addressBarAction->setCheckable(true);
    connect(m_addressBarAction, &QAction::toggled, m_addressBar, &AddressBar::SetShown);
    view->addSeparator();
    m_refresh =
        view->addAction(style()->standardIcon(QStyle::SP_BrowserReload), QStringLiteral("&Refresh"),
                        QKeySequence::Refresh, this, [this] { load(Address(), {}, m_current); });

    QMenu* go = menuBar->addMenu(QStringLiteral("&Go"));
    m_back = go->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"),
                           QKeySequence::Back, this,
                           [this] { load(m_history.value(m_current - 1), {}, m_current - 1); });
    m_forward = go->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                              QStringLiteral("&Forward"), QKeySequence::Forward, this,
                              [this] { load(m_history.value(m_current + 1), {}, m_current + 1); });
    m_home = go->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon),
                           QStringLiteral("&Home Page"), QKeySequence(Qt::ALT | Qt::Key_Home), this,
                           [this] { Navigate(m_host.HomeAddress()); });
}

QWidget* BrowserFrame::buildToolBar()
{
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addActions({m_back, m_forward, m_refresh, m_home});
    if (!m_host.Buttons().isEmpty())
        bar->addSeparator();
    for (const ExtensionButtons::Button& button : m_host.Buttons()) {
        const QPixmap picture(button.icon);
        QAction* action = bar->addAction(
            picture.isNull() ? style()->standardIcon(QStyle::SP_FileIcon) : QIcon(picture),
            button.text);
        const QString program = button.program;
        connect(action, &QAction::triggered, this, [program] {
            QProcess::startDetached(program, {}, QFileInfo(program).absolutePath());
        });
    }
    return bar;
}

void BrowserFrame::Navigate(const QString& address, const QString& selected)
{
    // Enter on an empty address bar goes nowhere.
    if (!address.trimmed().isEmpty())
        load(address, selected, -1);
}

void BrowserFrame::load(const QString& address, const QString& selected, int historyIndex)
{
    m_pendingIndex = historyIndex;
    m_addressBar->SetAddress(address);
    if (m_current < 0)
        setWindowTitle(caption(m_kind, address));
    m_loader->Load(address, selected);
}

void BrowserFrame::showPage(const Page& page)
{
    if (m_pendingIndex >= 0) {
        m_current = m_pendingIndex;
        m_history[m_current] = page.address;
    } else {
        m_history = m_history.mid(0, m_current + 1);
        // The same page again is a refresh, not a step to go back over.
        if (m_history.value(m_current) != page.address) {
            m_history.append(page.address);
            m_current = static_cast<int>(m_history.size()) - 1;
        }
    }
    m_base = page.base;
    m_view->document()->setBaseUrl(page.base);
    m_view->setHtml(page.html);
    m_view->scrollToAnchor(QStringLiteral("selected"));
    const QString title = m_view->documentTitle().simplified();
    setWindowTitle(caption(m_kind, title.isEmpty() ? page.address : title));
    m_addressBar->SetAddress(page.address);
    updateActions();
}

void BrowserFrame::linkClicked(const QUrl& link)
{
    if (link.isRelative() && link.path().isEmpty() && link.hasFragment()) {
        m_view->scrollToAnchor(link.fragment());
        return;
    }
    Navigate((m_base.isEmpty() ? link : m_base.resolved(link)).toString());
}

void BrowserFrame::updateActions()
{
    m_back->setEnabled(m_current > 0);
    m_forward->setEnabled(m_current + 1 < m_history.size());
    m_refresh->setEnabled(m_current >= 0);
}
