#include "favorites/frmProperties.h"

#include "favorites/PropertiesTarget.h"
#include "platform/Prompts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* ReadOnlyText(QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setMinimumWidth(320);
    return box;
}

// Shows a tick without letting a click change it, and without greying it out.
QCheckBox* ReadOnlyCheck(const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

} // namespace

frmProperties::frmProperties(const FileSystemService& fileSystem, QWidget* parent)
    : QDialog(parent), m_fileSystem(fileSystem)
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(QStringLiteral("Properties"));

    m_txtName = ReadOnlyText(this);
    m_txtLocation = ReadOnlyText(this);
    m_txtURL = ReadOnlyText(this);
    m_lblCreated = new QLabel(this);
    m_lblModified = new QLabel(this);
    m_lblAccessed = new QLabel(this);
    for (QLabel* label : {m_lblCreated, m_lblModified, m_lblAccessed}) {
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_chkReadOnly = ReadOnlyCheck(QStringLiteral("Read Only"), this);
    m_chkHidden = ReadOnlyCheck(QStringLiteral("Hidden"), this);
    m_chkSystem = ReadOnlyCheck(QStringLiteral("System"), this);
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* attributes = new QHBoxLayout;
    attributes->addWidget(m_chkReadOnly);
    attributes->addWidget(m_chkHidden);
    attributes->addWidget(m_chkSystem);
    attributes->addStretch();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name"), m_txtName);
    form->addRow(QStringLiteral("Location"), m_txtLocation);
    form->addRow(QStringLiteral("URL"), m_txtURL);
    form->addRow(QStringLiteral("Created"), m_lblCreated);
    form->addRow(QStringLiteral("Modified"), m_lblModified);
    form->addRow(QStringLiteral("Accessed"), m_lblAccessed);
    form->addRow(QStringLiteral("Attributes"), attributes);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void frmProperties::LoadItem()
{
    const PropertiesInfo info = PropertiesInfo::Read(m_fileSystem, m_itemPath, m_itemType);
    m_txtName->setText(info.Name);
    m_txtLocation->setText(info.Location);
    m_txtURL->setText(info.URL);
    m_lblCreated->setText(info.Created);
    m_lblModified->setText(info.Modified);
    m_lblAccessed->setText(info.Accessed);
    m_chkReadOnly->setChecked(info.ReadOnly);
    m_chkHidden->setChecked(info.Hidden);
    m_chkSystem->setChecked(info.System);
    // Long paths and addresses read from their start.
    for (QLineEdit* box : {m_txtName, m_txtLocation, m_txtURL})
        box->setCursorPosition(0);
}

PropertiesInfo frmProperties::Shown() const
{
    PropertiesInfo info;
    info.Name = m_txtName->text();
    info.Location = m_txtLocation->text();
    info.URL = m_txtURL->text();
    info.Created = m_lblCreated->text();
    info.Modified = m_lblModified->text();
    info.Accessed = m_lblAccessed->text();
    info.ReadOnly = m_chkReadOnly->isChecked();
    info.Hidden = m_chkHidden->isChecked();
    info.System = m_chkSystem->isChecked();
    return info;
}

void frmProperties::ShowProperties(const PropertiesTarget& target,
                                   const FileSystemService& fileSystem, Prompts& prompts,
                                   QWidget* owner,
                                   const std::function<QString(const QString&)>& linkStatus)
{
    frmProperties dialog(fileSystem, owner);
    dialog.SetItemPath(target.ItemPath);
    dialog.SetItemType(target.ItemType);
    dialog.LoadItem();
    const QString address = dialog.Shown().URL;
    if (linkStatus && !address.isEmpty())
        dialog.SetLinkStatus(linkStatus(address));
    prompts.ShowModal(dialog);
}

void frmProperties::SetLinkStatus(const QString& text)
{
    if (text.isEmpty())
        return;
    auto* label = new QLabel(QStringLiteral("Last check: ") + text, this);
    label->setObjectName(QStringLiteral("lblLastCheck"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    // Under the facts, above the Close button.
    if (auto* box = qobject_cast<QVBoxLayout*>(layout()))
        box->insertWidget(1, label);
}
