#include "exchange/ImportDialog.h"

#include "core/AppInfo.h"
#include "platform/Prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

QWidget* WithButton(QLineEdit* edit, QPushButton* button)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(button);
    return row;
}

} // namespace

ImportDialog::ImportDialog(const QList<BrowserProfile>& profiles,
                           std::function<QString(const QString&, const QString&)> defaultTarget,
                           Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_profiles(profiles), m_defaultTarget(std::move(defaultTarget)),
      m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("Import Bookmarks"));
    m_cboSource = new QComboBox(this);
    for (const BrowserProfile& profile : m_profiles)
        m_cboSource->addItem(profile.Text());
    m_cboSource->addItem(QStringLiteral("A bookmarks file (HTML, XBEL or Chromium)"));
    m_cboSource->addItem(QStringLiteral("Another folder of Internet Shortcuts"));
    m_txtSource = new QLineEdit(this);
    m_cmdSource = new QPushButton(QStringLiteral("Browse..."), this);
    m_txtTarget = new QLineEdit(this);
    m_txtTarget->setMinimumWidth(380);
    auto* cmdTarget = new QPushButton(QStringLiteral("Browse..."), this);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Import &from:"), m_cboSource);
    form->addRow(QString(), WithButton(m_txtSource, m_cmdSource));
    form->addRow(QStringLiteral("&Into folder:"), WithButton(m_txtTarget, cmdTarget));
    form->addRow(m_buttons);

    connect(m_cboSource, &QComboBox::currentIndexChanged, this, &ImportDialog::sourceChosen);
    connect(m_txtSource, &QLineEdit::textChanged, this, &ImportDialog::sourceChanged);
    connect(m_txtTarget, &QLineEdit::textEdited, this, [this] { m_targetEdited = true; });
    connect(m_txtTarget, &QLineEdit::textChanged, this, &ImportDialog::sourceChanged);
    connect(m_cmdSource, &QPushButton::clicked, this, &ImportDialog::browseSource);
    connect(cmdTarget, &QPushButton::clicked, this, &ImportDialog::browseTarget);
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] {
        m_isSaved = true;
        accept();
    });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    sourceChosen();
}

QString ImportDialog::Source() const
{
    return m_txtSource->text().trimmed();
}

QString ImportDialog::Target() const
{
    return m_txtTarget->text().trimmed();
}

void ImportDialog::sourceChosen()
{
    const int index = m_cboSource->currentIndex();
    const bool profile = index >= 0 && index < m_profiles.size();
    m_txtSource->setReadOnly(profile);
    m_cmdSource->setEnabled(!profile);
    m_txtSource->setText(profile ? m_profiles[index].Path : QString());
    if (!profile)
        browseSource();
}

void ImportDialog::sourceChanged()
{
    const int index = m_cboSource->currentIndex();
    if (!m_targetEdited && sender() != m_txtTarget) {
        const QString label = index < m_profiles.size() ? m_profiles[index].Browser : QString();
        m_txtTarget->setText(Source().isEmpty() ? QString() : m_defaultTarget(Source(), label));
    }
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!Source().isEmpty() && !Target().isEmpty());
}

void ImportDialog::browseSource()
{
    // Nothing to ask while the dialog is still being built.
    if (!isVisible())
        return;
    const bool folder = m_cboSource->currentIndex() == m_cboSource->count() - 1;
    const QString start = Source().isEmpty() ? QDir::homePath() : Source();
    const QString picked =
        folder
            ? m_prompts.BrowseForFolder(this, QStringLiteral("Import Favorites from"), start)
            : QFileDialog::getOpenFileName(
                  this, QStringLiteral("Import Bookmarks"), start,
                  QStringLiteral("Bookmarks (*.html *.htm *.xbel *.json Bookmarks places.sqlite);;"
                                 "All files (*)"));
    if (!picked.isEmpty())
        m_txtSource->setText(picked);
}

void ImportDialog::browseTarget()
{
    const QString picked = m_prompts.BrowseForFolder(this, QStringLiteral("Import into"), Target());
    if (!picked.isEmpty()) {
        m_targetEdited = true;
        m_txtTarget->setText(picked);
    }
}
