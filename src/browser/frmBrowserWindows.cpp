#include "browser/frmBrowserWindows.h"

#include "browser/BrowserLauncher.h"
#include "browser/clsIEList.h"
#include "core/Help.h"
#include "core/HelpTopics.h"
#include "platform/BusyCursor.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Role
{
    KeyRole = Qt::UserRole,
    TagRole
};

constexpr int ListWidth = 520;
constexpr int ListHeight = 260;

// Entries sort by their text without regard to case, as the titles are read.
class BrowserEntry final : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
    }
};

} // namespace

frmBrowserWindows::frmBrowserWindows(clsIEList& list, BrowserLauncher& launcher, const Clock& clock,
                                     const WindowArrangement::Screen& screen, QWidget* parent)
    : QDialog(parent), m_list(list), m_launcher(launcher), m_clock(clock),
      m_windows(list.Windows()), m_screen(screen)
{
    setObjectName(QStringLiteral("frmBrowserWindows"));
    setWindowTitle(QStringLiteral("Arrange Browser Windows"));
    buildWidgets();
    LoadList();
}

void frmBrowserWindows::buildWidgets()
{
    auto* label = new QLabel(
        QStringLiteral("Select one or more browser windows, and click the desired action button:"),
        this);
    m_lvwBrowser = new QTreeWidget(this);
    m_lvwBrowser->setObjectName(QStringLiteral("lvwBrowser"));
    m_lvwBrowser->setRootIsDecorated(false);
    m_lvwBrowser->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lvwBrowser->setMinimumSize(ListWidth, ListHeight);
    m_lvwBrowser->setHeaderLabels({QStringLiteral("Title"), QStringLiteral("Link")});
    m_lvwBrowser->setColumnWidth(0, ListWidth * 50 / 100);
    m_lvwBrowser->setColumnWidth(1, ListWidth * 45 / 100);
    m_lvwBrowser->header()->setSectionsClickable(true);

    struct Button
    {
        const char* name;
        const char* text;
        void (frmBrowserWindows::*handler)();
    };
    // A null name is a gap between groups of buttons.
    static const Button buttons[] = {
        {"cmdGoTo", "Go To", &frmBrowserWindows::GoToClick},
        {nullptr, nullptr, nullptr},
        {"cmdCascade", "Cascade", &frmBrowserWindows::CascadeClick},
        {"cmdTileHoriz", "Tile Horizontally", &frmBrowserWindows::TileHorizClick},
        {"cmdTileVert", "Tile Vertically", &frmBrowserWindows::TileVertClick},
        {"cmdMinimize", "Minimize", &frmBrowserWindows::MinimizeClick},
        {"cmdMaximize", "Maximize", &frmBrowserWindows::MaximizeClick},
        {nullptr, nullptr, nullptr},
        {"cmdNew", "New", &frmBrowserWindows::NewClick},
        {"cmdRefresh", "Refresh", &frmBrowserWindows::RefreshClick},
        {"cmdTerminate", "Terminate", &frmBrowserWindows::TerminateClick},
        {nullptr, nullptr, nullptr},
        {"cmdCancel", "Cancel", &frmBrowserWindows::CancelClick},
        {"cmdHelp", "Help", &frmBrowserWindows::HelpClick},
    };
    auto* column = new QVBoxLayout;
    for (const Button& entry : buttons) {
        if (!entry.name) {
            column->addSpacing(8);
            continue;
        }
        auto* button = new QPushButton(QString::fromLatin1(entry.text), this);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, entry.handler);
        column->addWidget(button);
    }
    column->addStretch();
    findChild<QPushButton*>(QStringLiteral("cmdGoTo"))->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_lvwBrowser, 1, 0);
    grid->addLayout(column, 0, 1, 2, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);

    connect(m_lvwBrowser, &QTreeWidget::itemDoubleClicked, this, &frmBrowserWindows::GoToClick);
    connect(m_lvwBrowser->header(), &QHeaderView::sectionClicked, this,
            &frmBrowserWindows::ColumnClick);
}

QString frmBrowserWindows::Key(const QTreeWidgetItem* item)
{
    return item ? item->data(0, KeyRole).toString() : QString();
}

QString frmBrowserWindows::Tag(const QTreeWidgetItem* item)
{
    return item ? item->data(0, TagRole).toString() : QString();
}

void frmBrowserWindows::LoadList()
{
    m_list.Refresh();
    m_lvwBrowser->clear();
    for (int i = 1; i <= m_list.Count(); ++i) {
        const QString caption = clsIEList::CleanCaption(m_list.ItemCaption(i));
        auto* entry = new BrowserEntry(m_lvwBrowser, {caption, m_list.ItemURL(i)});
        entry->setData(0, KeyRole, QStringLiteral("K%1").arg(i));
        entry->setData(0, TagRole, QString::number(m_list.ItemhWnd(i)));
        entry->setToolTip(0, caption);
        entry->setSelected(true);
    }
    if (m_sortColumn >= 0)
        m_lvwBrowser->sortItems(m_sortColumn, m_sortOrder);
    if (QTreeWidgetItem* first = m_lvwBrowser->topLevelItem(0)) {
        // Current without touching the selection: every window stays selected.
        m_lvwBrowser->selectionModel()->setCurrentIndex(m_lvwBrowser->indexFromItem(first),
                                                        QItemSelectionModel::NoUpdate);
        m_lvwBrowser->setFocus();
    }
}

void frmBrowserWindows::ColumnClick(int column)
{
    if (column == m_sortColumn)
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else
        m_sortOrder = Qt::AscendingOrder;
    m_sortColumn = column;
    m_lvwBrowser->header()->setSortIndicatorShown(true);
    m_lvwBrowser->sortItems(column, m_sortOrder);
}

QList<WindowSystem::Handle> frmBrowserWindows::selectedWindows() const
{
    QList<WindowSystem::Handle> windows;
    for (int row = 0; row < m_lvwBrowser->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* entry = m_lvwBrowser->topLevelItem(row);
        if (entry->isSelected())
            windows.append(Tag(entry).toULongLong());
    }
    return windows;
}

void frmBrowserWindows::showNormalInFront(WindowSystem::Handle window)
{
    m_windows->SetShowState(window, WindowSystem::ShowState::Normal);
    BringToFront(m_windows, window);
}

void frmBrowserWindows::place(const QList<WindowArrangement::Placement>& places,
                              const QList<WindowSystem::Handle>& windows)
{
    for (qsizetype i = 0; i < windows.size() && i < places.size(); ++i) {
        showNormalInFront(windows.at(i));
        m_windows->MoveResize(windows.at(i), WindowArrangement::ToPixels(places.at(i), m_screen));
    }
}

void frmBrowserWindows::CascadeWindows()
{
    const QList<WindowSystem::Handle> windows = selectedWindows();
    place(WindowArrangement::Cascade(static_cast<int>(windows.size()), m_screen), windows);
}

void frmBrowserWindows::TileHoriz()
{
    const QList<WindowSystem::Handle> windows = selectedWindows();
    place(WindowArrangement::TileHoriz(static_cast<int>(windows.size()), m_screen), windows);
}

void frmBrowserWindows::TileVert()
{
    const QList<WindowSystem::Handle> windows = selectedWindows();
    place(WindowArrangement::TileVert(static_cast<int>(windows.size()), m_screen), windows);
}

void frmBrowserWindows::MinimizeWindows()
{
    for (const WindowSystem::Handle window : selectedWindows())
        m_windows->SetShowState(window, WindowSystem::ShowState::Minimized);
}

void frmBrowserWindows::MaximizeWindows()
{
    for (const WindowSystem::Handle window : selectedWindows()) {
        m_windows->SetShowState(window, WindowSystem::ShowState::Maximized);
        BringToFront(m_windows, window);
    }
}

void frmBrowserWindows::arrange(void (frmBrowserWindows::*operation)())
{
    if (!m_windows || !m_lvwBrowser->currentItem())
        return;
    hide();
    (this->*operation)();
    accept();
}

void frmBrowserWindows::CascadeClick()
{
    arrange(&frmBrowserWindows::CascadeWindows);
}
void frmBrowserWindows::TileHorizClick()
{
    arrange(&frmBrowserWindows::TileHoriz);
}
void frmBrowserWindows::TileVertClick()
{
    arrange(&frmBrowserWindows::TileVert);
}
void frmBrowserWindows::MinimizeClick()
{
    arrange(&frmBrowserWindows::MinimizeWindows);
}
void frmBrowserWindows::MaximizeClick()
{
    arrange(&frmBrowserWindows::MaximizeWindows);
}

void frmBrowserWindows::GoToClick()
{
    const QTreeWidgetItem* current = m_lvwBrowser->currentItem();
    if (!m_windows || !current)
        return;
    hide();
    const WindowSystem::Handle window = Tag(current).toULongLong();
    if (m_windows->GetShowState(window) == WindowSystem::ShowState::Minimized)
        m_windows->SetShowState(window, WindowSystem::ShowState::Normal);
    BringToFront(m_windows, window);
    accept();
}

void frmBrowserWindows::NewClick()
{
    m_launcher.LaunchBrowser(QString());
    accept();
}

void frmBrowserWindows::RefreshClick()
{
    LoadList();
}

void frmBrowserWindows::waitUntilGone(WindowSystem::Handle window)
{
    const QDateTime posted = m_clock.Now();
    while (m_windows->Exists(window) && m_windows->IsVisible(window)) {
        const qint64 waited = posted.msecsTo(m_clock.Now());
        // A clock set back counts as time up, not as a longer wait.
        if (waited < 0 || waited >= CloseWaitMs)
            return;
        // Let the other program's answer and our own repaints in, not the user's clicks.
        QEventLoop pause;
        QTimer::singleShot(ClosePollMs, &pause, &QEventLoop::quit);
        pause.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

void frmBrowserWindows::TerminateClick()
{
    if (!m_windows)
        return;
    const BusyCursor busy;
    m_terminating = true;
    for (const WindowSystem::Handle window : selectedWindows()) {
        m_windows->RequestClose(window);
        waitUntilGone(window);
    }
    m_terminating = false;
    LoadList();
}

void frmBrowserWindows::CancelClick()
{
    reject();
}

void frmBrowserWindows::HelpClick()
{
    Q_EMIT helpRequested(HelpTopics::ArrangeBrowserWindows);
}

void frmBrowserWindows::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_lvwBrowser->setFocus();
}

void frmBrowserWindows::closeEvent(QCloseEvent* event)
{
    // Closing in the middle of Terminate would leave its wait running on a closed dialog.
    if (m_terminating)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

WindowArrangement::Screen frmBrowserWindows::ScreenOf(const QWidget* owner)
{
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const Twips units = screen ? Twips(screen->logicalDotsPerInchX()) : Twips();
    WindowArrangement::Screen result;
    result.twipsPerPixelX = units.PerPixel();
    result.twipsPerPixelY = units.PerPixel();
    if (screen) {
        // Window positions are in the display's own pixels.
        const QSize size = screen->geometry().size() * screen->devicePixelRatio();
        result.origin = screen->geometry().topLeft() * screen->devicePixelRatio();
        result.width = units.FromPixels(size.width());
        result.height = units.FromPixels(size.height());
    }
    return result;
}

void frmBrowserWindows::ShowArrange(clsIEList& list, BrowserLauncher& launcher, Prompts& prompts,
                                    Help& help, const Clock& clock, QWidget* owner)
{
    frmBrowserWindows dialog(list, launcher, clock, ScreenOf(owner), owner);
    help.Serve(dialog);
    prompts.ShowModal(dialog);
}
