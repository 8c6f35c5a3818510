#include "app/frmToolbar.h"

#include "app/ToolbarLayout.h"
#include "core/AppInfo.h"
#include "core/Help.h"
#include "core/HelpTopics.h"
#include "core/clsOptions.h"
#include "platform/Prompts.h"
#include "platform/TextFields.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kSeparatorText = QStringLiteral("<Separator>");
const QString kSeparatorKey = QStringLiteral("S");

QListWidget* newList(const QString& name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setIconSize(QSize(16, 16));
    list->setUniformItemSizes(true);
    list->setMinimumSize(230, 340);
    return list;
}

QPushButton* newButton(const QString& name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

frmToolbar::frmToolbar(Prompts& prompts, const IconSet& icons, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_icons(icons)
{
    setObjectName(QStringLiteral("frmToolbar"));
    setWindowTitle(QStringLiteral("Customize Toolbar"));
    buildWidgets();
}

void frmToolbar::buildWidgets()
{
    m_lvwAvailable = newList(QStringLiteral("lvwAvailable"), this);
    m_lvwMembers = newList(QStringLiteral("lvwMembers"), this);
    auto* lblAvailable = new QLabel(QStringLiteral("Available Buttons"), this);
    auto* lblMembers = new QLabel(QStringLiteral("Show these Buttons in this order"), this);

    m_cmdAdd = newButton(QStringLiteral("cmdAdd"), QStringLiteral("&Add ->"), this);
    m_cmdRemove = newButton(QStringLiteral("cmdRemove"), QStringLiteral("<- &Remove"), this);
    m_cmdSeparator =
        newButton(QStringLiteral("cmdSeparator"), QStringLiteral("&Separator ->"), this);
    m_cmdMoveUp = newButton(QStringLiteral("cmdMoveUp"), QStringLiteral("Move &Up"), this);
    m_cmdMoveDown = newButton(QStringLiteral("cmdMoveDown"), QStringLiteral("Move &Down"), this);
    m_cmdReset = newButton(QStringLiteral("cmdReset"), QStringLiteral("Rese&t..."), this);
    m_cmdOK = newButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    m_cmdCancel = newButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), this);
    m_cmdHelp = newButton(QStringLiteral("cmdHelp"), QStringLiteral("Help"), this);
    m_cmdOK->setDefault(true);

    auto* middle = new QVBoxLayout;
    middle->addWidget(m_cmdAdd);
    middle->addWidget(m_cmdRemove);
    middle->addSpacing(12);
    middle->addWidget(m_cmdSeparator);
    middle->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(m_cmdOK);
    right->addWidget(m_cmdCancel);
    right->addWidget(m_cmdReset);
    right->addWidget(m_cmdHelp);
    right->addStretch();
    right->addWidget(m_cmdMoveUp);
    right->addWidget(m_cmdMoveDown);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    grid->addWidget(lblAvailable, 0, 0);
    grid->addWidget(lblMembers, 0, 2);
    grid->addWidget(m_lvwAvailable, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_lvwMembers, 1, 2);
    grid->addLayout(right, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);

    connect(m_cmdAdd, &QPushButton::clicked, this, &frmToolbar::AddClick);
    connect(m_cmdRemove, &QPushButton::clicked, this, &frmToolbar::RemoveClick);
    connect(m_cmdSeparator, &QPushButton::clicked, this, &frmToolbar::SeparatorClick);
    connect(m_cmdMoveUp, &QPushButton::clicked, this, &frmToolbar::MoveUpClick);
    connect(m_cmdMoveDown, &QPushButton::clicked, this, &frmToolbar::MoveDownClick);
    connect(m_cmdReset, &QPushButton::clicked, this, &frmToolbar::ResetClick);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmToolbar::OKClick);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmToolbar::CancelClick);
    connect(m_cmdHelp, &QPushButton::clicked, this, &frmToolbar::HelpClick);
    connect(m_lvwAvailable, &QListWidget::itemDoubleClicked, this, &frmToolbar::AddClick);
    connect(m_lvwMembers, &QListWidget::itemDoubleClicked, this, &frmToolbar::RemoveClick);
}

void frmToolbar::SetToolbarButtons(const QString& layout)
{
    m_toolbarButtons = layout;
    m_shownLayout = layout;
}

QListWidgetItem* frmToolbar::newEntry(const QString& key) const
{
    auto* entry = new QListWidgetItem;
    if (key.isEmpty()) {
        entry->setText(kSeparatorText);
        entry->setIcon(m_icons.Icon(QStringLiteral("Blank")));
    } else {
        entry->setText(ToolbarLayout::ButtonDescription(key));
        entry->setIcon(m_icons.Icon(key));
    }
    entry->setData(Qt::UserRole, key);
    return entry;
}

QString frmToolbar::EntryKey(const QListWidgetItem* entry)
{
    return entry ? entry->data(Qt::UserRole).toString() : QString();
}

QStringList frmToolbar::EntryKeys(const QListWidget* list)
{
    QStringList keys;
    for (int row = 0; row < list->count(); ++row) {
        const QString key = EntryKey(list->item(row));
        keys.append(key.isEmpty() ? kSeparatorKey : key);
    }
    return keys;
}

void frmToolbar::InitLists()
{
    m_lvwMembers->clear();
    m_lvwAvailable->clear();
    for (const ToolbarLayout::Button& button : ToolbarLayout::Parse(m_shownLayout))
        m_lvwMembers->addItem(newEntry(button.Separator ? QString() : button.Key));

    // Membership is a plain text test on the layout, as loose about case as the layout
    // found in the settings may be.
    const QString members = u',' + m_shownLayout + u',';
    const QString& catalogue = ToolbarLayout::Catalogue;
    const int fields = TextFields::CountChar(catalogue, u',') + 1;
    for (int n = 1; n <= fields; ++n) {
        const QString key = TextFields::GetField(catalogue, u',', n);
        if (key.isEmpty() || key == kSeparatorKey ||
            members.contains(u',' + key + u',', Qt::CaseInsensitive))
            continue;
        m_lvwAvailable->addItem(newEntry(key));
    }
}

void frmToolbar::AddClick()
{
    if (m_lvwAvailable->selectedItems().isEmpty())
        return;
    const int position =
        m_lvwMembers->currentItem() ? m_lvwMembers->currentRow() + 1 : m_lvwMembers->count();
    m_lvwMembers->clearSelection();
    // From the last up, each one inserted at the same place, so they keep their order.
    for (int row = m_lvwAvailable->count() - 1; row >= 0; --row) {
        if (!m_lvwAvailable->item(row)->isSelected())
            continue;
        QListWidgetItem* copy = newEntry(EntryKey(m_lvwAvailable->item(row)));
        m_lvwMembers->insertItem(position, copy);
        copy->setSelected(true);
        delete m_lvwAvailable->takeItem(row);
    }
}

void frmToolbar::RemoveClick()
{
    if (m_lvwMembers->selectedItems().isEmpty())
        return;
    m_lvwAvailable->clearSelection();
    for (int row = m_lvwMembers->count() - 1; row >= 0; --row) {
        if (!m_lvwMembers->item(row)->isSelected())
            continue;
        const QString key = EntryKey(m_lvwMembers->item(row));
        // A separator is not on offer: there are always as many as one likes.
        if (!key.isEmpty()) {
            QListWidgetItem* copy = newEntry(key);
            m_lvwAvailable->addItem(copy);
            copy->setSelected(true);
        }
        delete m_lvwMembers->takeItem(row);
    }
}

void frmToolbar::SeparatorClick()
{
    const int position =
        m_lvwMembers->currentItem() ? m_lvwMembers->currentRow() + 1 : m_lvwMembers->count();
    m_lvwMembers->insertItem(position, newEntry(QString()));
}

void frmToolbar::MoveUpClick()
{
    const int row = m_lvwMembers->currentItem() ? m_lvwMembers->currentRow() : -1;
    if (row < 1)
        return;
    moveMember(row, row - 1);
}

void frmToolbar::MoveDownClick()
{
    const int row = m_lvwMembers->currentItem() ? m_lvwMembers->currentRow() : -1;
    if (row < 0 || row + 1 >= m_lvwMembers->count())
        return;
    moveMember(row, row + 1);
}

void frmToolbar::moveMember(int from, int to)
{
    QListWidgetItem* entry = m_lvwMembers->takeItem(from);
    m_lvwMembers->insertItem(to, entry);
    // The moved entry stays the current one, so repeated moves carry it on.
    m_lvwMembers->setCurrentItem(entry, QItemSelectionModel::ClearAndSelect);
    m_lvwMembers->scrollToItem(entry);
}

void frmToolbar::ResetClick()
{
    const Prompts::Answer answer = m_prompts.MsgBox(
        this, QStringLiteral("Are you sure you want to reset the changes made to the toolbar?"),
        Prompts::Buttons::OkCancel, Prompts::Icon::Exclamation, AppInfo::ProductName);
    if (answer != Prompts::Answer::Ok)
        return;
    m_shownLayout = clsOptions::DefaultToolbarButtons;
    InitLists();
}

void frmToolbar::OKClick()
{
    m_toolbarButtons = EntryKeys(m_lvwMembers).join(u',');
    m_isSaved = true;
    accept();
}

void frmToolbar::CancelClick()
{
    reject();
}

void frmToolbar::HelpClick()
{
    Q_EMIT helpRequested(HelpTopics::CustomizeToolbar);
}

QString frmToolbar::Customize(const QString& layout, Prompts& prompts, Help& help,
                              const IconSet& icons, QWidget* owner)
{
    frmToolbar dialog(prompts, icons, owner);
    help.Serve(dialog);
    dialog.SetToolbarButtons(layout);
    dialog.InitLists();
    prompts.ShowModal(dialog);
    return dialog.ToolbarButtons();
}
