#include "app/HelpWindow.h"

#include "core/HelpTopics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextList>
#include <QVBoxLayout>

#include <optional>
#include <utility>

namespace {

// The context number a page stands for: its number in the topic table, else a page
// named after a number ("51003.html") stands for that number.
int topicOf(const QUrl& page)
{
    const QString name = page.fileName();
    if (const int topic = HelpTopics::TopicOfPage(name))
        return topic;
    bool isNumber = false;
    const int topic = QFileInfo(name).completeBaseName().toInt(&isNumber);
    return isNumber ? topic : 0;
}

QString noteFor(const QUrl& page)
{
    const QFileInfo file(page.toLocalFile());
    const int topic = topicOf(page);
    const QString what =
        topic > 0 ? QStringLiteral("The help topic %1 is not available.").arg(topic)
                  : QStringLiteral("The help page %1 is not available.").arg(file.fileName());
    return QStringLiteral(
               "<html><head><title>Help not available</title></head><body>"
               "<h2>Help not available</h2><p>%1</p>"
               "<p>Tavoro looked for the page <b>%2</b> in the folder <tt>%3</tt>. "
               "The Contents and the Index beside this page list the topics there are.</p>"
               "</body></html>")
        .arg(what.toHtmlEscaped(), file.fileName().toHtmlEscaped(),
             QDir::toNativeSeparators(file.absolutePath()).toHtmlEscaped());
}

// A browser that shows the note in place of a missing page, so the note has its place
// in the history like any page.
class HelpBrowser final : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override
    {
        const QVariant resource = QTextBrowser::loadResource(type, name);
        if (type == QTextDocument::HtmlResource && !resource.isValid() && name.isLocalFile())
            return noteFor(name);
        return resource;
    }
};

struct PageLink
{
    QString text;
    QString href;
    int depth = 0;
};

// The links that stand in list entries of a page, in order. Links elsewhere on the page
// (the line of links at its top) are not entries of the contents or the index.
QList<PageLink> listLinks(const QString& path)
{
    QList<PageLink> links;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return links;
    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(path));
    document.setHtml(QString::fromUtf8(file.readAll()));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextList* list = block.textList();
        if (!list)
            continue;
        int lastEnd = -1;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isAnchor() || format.anchorHref().isEmpty())
                continue;
            // One link broken into fragments by its formatting is still one entry.
            if (!links.isEmpty() && links.last().href == format.anchorHref() &&
                lastEnd == fragment.position())
                links.last().text += fragment.text();
            else
                links.append({fragment.text(), format.anchorHref(), list->format().indent()});
            lastEnd = fragment.position() + fragment.length();
        }
    }
    for (PageLink& link : links)
        link.text = link.text.simplified();
    return links;
}

// Narrower or lower than this, the help is of little use beside its owner.
constexpr int kSmallestWidth = 420;
constexpr int kSmallestHeight = 300;
constexpr int kGap = 8;

// Where a window of the length goes before or after the owner's span within the area's
// span, narrowed to the room there; nothing when neither side has the smallest length.
std::optional<std::pair<int, int>> besideOnAxis(int ownerStart, int ownerEnd, int areaStart,
                                                int areaEnd, int length, int smallest)
{
    const int after = areaEnd - ownerEnd - kGap;
    const int before = ownerStart - areaStart - kGap;
    if (length <= after)
        return std::pair(ownerEnd + 1 + kGap, length);
    if (length <= before)
        return std::pair(ownerStart - kGap - length, length);
    const int room = qMax(after, before);
    if (room < smallest)
        return std::nullopt;
    return after >= before ? std::pair(ownerEnd + 1 + kGap, after) : std::pair(areaStart, before);
}

} // namespace

HelpWindow::HelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(folder)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tavoro Help"));
    buildWidgets();
    loadLists();
    resize(880, 620);
}

void HelpWindow::buildWidgets()
{
    m_cmdBack =
        new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"), this);
    m_cmdForward = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward),
                                   QStringLiteral("&Forward"), this);
    m_cmdHome = new QPushButton(style()->standardIcon(QStyle::SP_DirHomeIcon),
                                QStringLiteral("&Home"), this);
    m_cmdBack->setObjectName(QStringLiteral("cmdBack"));
    m_cmdForward->setObjectName(QStringLiteral("cmdForward"));
    m_cmdHome->setObjectName(QStringLiteral("cmdHome"));
    m_cmdBack->setEnabled(false);
    m_cmdForward->setEnabled(false);
    for (QPushButton* button : {m_cmdBack, m_cmdForward, m_cmdHome})
        button->setAutoDefault(false);
    m_cmdBack->setShortcut(QKeySequence::Back);
    m_cmdForward->setShortcut(QKeySequence::Forward);

    m_contents = new QListWidget(this);
    m_contents->setObjectName(QStringLiteral("lstContents"));
    m_keyword = new QLineEdit(this);
    m_keyword->setObjectName(QStringLiteral("txtKeyword"));
    m_keyword->setClearButtonEnabled(true);
    m_index = new QListWidget(this);
    m_index->setObjectName(QStringLiteral("lstIndex"));

    auto* indexPage = new QWidget(this);
    auto* keywordLabel = new QLabel(QStringLiteral("&Type a keyword to find:"), indexPage);
    keywordLabel->setBuddy(m_keyword);
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(keywordLabel);
    indexLayout->addWidget(m_keyword);
    indexLayout->addWidget(m_index);

    m_tabs = new QTabWidget(this);
    m_tabs->addTab(m_contents, QStringLiteral("&Contents"));
    m_tabs->addTab(indexPage, QStringLiteral("&Index"));

    m_browser = new HelpBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenExternalLinks(true);

    m_splitter = new QSplitter(this);
    m_splitter->addWidget(m_tabs);
    m_splitter->addWidget(m_browser);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({240, 640});
    m_splitter->setChildrenCollapsible(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdBack);
    buttons->addWidget(m_cmdForward);
    buttons->addWidget(m_cmdHome);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_splitter, 1);

    connect(m_cmdBack, &QPushButton::clicked, this, &HelpWindow::GoBack);
    connect(m_cmdForward, &QPushButton::clicked, this, &HelpWindow::GoForward);
    connect(m_cmdHome, &QPushButton::clicked, this, &HelpWindow::GoHome);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_cmdBack, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_cmdForward, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::sourceChanged);
    connect(m_contents, &QListWidget::itemActivated, this, &HelpWindow::listItemChosen);
    connect(m_contents, &QListWidget::itemClicked, this, &HelpWindow::listItemChosen);
    connect(m_index, &QListWidget::itemActivated, this, &HelpWindow::listItemChosen);
    connect(m_index, &QListWidget::itemClicked, this, &HelpWindow::listItemChosen);
    connect(m_keyword, &QLineEdit::textEdited, this, &HelpWindow::keywordEdited);
    connect(m_keyword, &QLineEdit::returnPressed, this, &HelpWindow::keywordEntered);
}

void HelpWindow::SetFolder(const QString& folder)
{
    if (folder == m_folder)
        return;
    m_folder = folder;
    m_browser->clearHistory();
    m_browser->clear();
    loadLists();
}

void HelpWindow::loadLists()
{
    m_contents->clear();
    m_index->clear();
    const QUrl contentsPage = pageUrl(HelpTopics::PageName(HelpTopics::Contents));
    for (const PageLink& link : listLinks(contentsPage.toLocalFile())) {
        const QString indent(qMax(0, link.depth - 1) * 4, u' ');
        auto* item = new QListWidgetItem(indent + link.text, m_contents);
        item->setData(Qt::UserRole, contentsPage.resolved(QUrl(link.href)));
    }
    const QUrl indexPage = pageUrl(HelpTopics::PageName(HelpTopics::Index));
    for (const PageLink& link : listLinks(indexPage.toLocalFile())) {
        auto* item = new QListWidgetItem(link.text, m_index);
        item->setData(Qt::UserRole, indexPage.resolved(QUrl(link.href)));
    }
}

QUrl HelpWindow::pageUrl(const QString& pageName) const
{
    return QUrl::fromLocalFile(QDir(m_folder).absoluteFilePath(pageName));
}

void HelpWindow::ShowTopic(int topic)
{
    if (topic <= 0)
        return;
    QString page = HelpTopics::PageName(topic);
    if (page.isEmpty())
        page = QString::number(topic) + QStringLiteral(".html");
    m_browser->setSource(pageUrl(page), QTextDocument::HtmlResource);
    m_topic = topic;
    // The Index's keywords and the Contents' topics are beside their own page.
    if (topic == HelpTopics::Index) {
        m_tabs->setCurrentIndex(1);
        m_keyword->setFocus();
    } else if (topic == HelpTopics::Contents) {
        m_tabs->setCurrentIndex(0);
    }
}

void HelpWindow::FollowLink(const QUrl& link)
{
    const QUrl base =
        m_browser->source().isEmpty() ? pageUrl(QStringLiteral(".")) : m_browser->source();
    m_browser->setSource(base.resolved(link), QTextDocument::HtmlResource);
}

void HelpWindow::GoHome()
{
    ShowTopic(HelpTopics::Contents);
}

void HelpWindow::GoBack()
{
    m_browser->backward();
}

void HelpWindow::GoForward()
{
    m_browser->forward();
}

QString HelpWindow::CurrentPage() const
{
    return m_browser->source().fileName();
}

bool HelpWindow::IsShowingNote() const
{
    const QUrl source = m_browser->source();
    return source.isLocalFile() && !QFileInfo(source.toLocalFile()).isFile();
}

void HelpWindow::sourceChanged(const QUrl& source)
{
    m_topic = topicOf(source);
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Tavoro Help")
                                   : QStringLiteral("Tavoro Help - ") + title);
    // Mark the page in the contents, without following the entry again.
    const QUrl page = source.adjusted(QUrl::RemoveFragment);
    QListWidgetItem* match = nullptr;
    for (int row = 0; row < m_contents->count(); ++row) {
        QListWidgetItem* item = m_contents->item(row);
        const QUrl target = item->data(Qt::UserRole).toUrl();
        if (target == source) {
            match = item;
            break;
        }
        if (!match && target.adjusted(QUrl::RemoveFragment) == page)
            match = item;
    }
    const QSignalBlocker blocker(m_contents);
    if (match)
        m_contents->setCurrentItem(match);
    else
        m_contents->clearSelection();
}

void HelpWindow::listItemChosen(QListWidgetItem* item)
{
    if (!item)
        return;
    const QUrl target = item->data(Qt::UserRole).toUrl();
    if (target != m_browser->source())
        m_browser->setSource(target, QTextDocument::HtmlResource);
}

void HelpWindow::keywordEdited(const QString& text)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return;
    // The first keyword that begins with the text, as in a printed index.
    for (int row = 0; row < m_index->count(); ++row) {
        QListWidgetItem* item = m_index->item(row);
        if (item->text().startsWith(wanted, Qt::CaseInsensitive)) {
            const QSignalBlocker blocker(m_index);
            m_index->setCurrentItem(item);
            m_index->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpWindow::keywordEntered()
{
    listItemChosen(m_index->currentItem());
}

void HelpWindow::PlaceBeside(const QWidget* owner)
{
    if (!owner || !owner->isVisible())
        return;
    const QScreen* screen = owner->screen();
    if (!screen)
        return;
    // The frame's borders, once the window manager has put them on, take room as well.
    const QSize borders = frameGeometry().size() - size();
    const QRect place =
        Beside(owner->frameGeometry(), screen->availableGeometry(), size() + borders);
    const QSize inside = place.size() - borders;
    if (inside.width() != width()) {
        // Narrowed, the page keeps the larger share.
        const int lists = qMin(240, inside.width() * 3 / 10);
        m_splitter->setSizes({lists, inside.width() - lists});
    }
    resize(inside);
    move(place.topLeft());
}

QRect HelpWindow::Beside(const QRect& ownerFrame, const QRect& area, QSize size)
{
    size = size.boundedTo(area.size());
    if (const auto x = besideOnAxis(ownerFrame.left(), ownerFrame.right(), area.left(),
                                    area.right(), size.width(), kSmallestWidth)) {
        const int y = qBound(area.top(), ownerFrame.top(), area.bottom() + 1 - size.height());
        return QRect(x->first, y, x->second, size.height());
    }
    if (const auto y = besideOnAxis(ownerFrame.top(), ownerFrame.bottom(), area.top(),
                                    area.bottom(), size.height(), kSmallestHeight)) {
        const int x = qBound(area.left(), ownerFrame.left(), area.right() + 1 - size.width());
        return QRect(x, y->first, size.width(), y->second);
    }
    // No room anywhere: the screen's right edge, where the owner is least likely to be.
    const int y = qBound(area.top(), ownerFrame.top(), area.bottom() + 1 - size.height());
    return QRect(area.right() + 1 - size.width(), y, size.width(), size.height());
}
