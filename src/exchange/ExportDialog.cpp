#include "exchange/ExportDialog.h"

#include "platform/FileSystemService.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ExportDialog::ExportDialog(const QString& favorites, const QString& selectedFolder,
                           const QString& file, QWidget* parent)
    : QDialog(parent), m_favorites(favorites), m_selectedFolder(selectedFolder)
{
    setWindowTitle(QStringLiteral("Export Bookmarks"));
    auto* optAll = new QRadioButton(QStringLiteral("&All Favorites"), this);
    const bool canSelect = !selectedFolder.isEmpty() && selectedFolder != favorites;
    m_optSelected = new QRadioButton(
        QStringLiteral("The &selected folder: %1")
            .arg(canSelect ? FileSystemService::GetFileName(selectedFolder) : QString()),
        this);
    m_optSelected->setEnabled(canSelect);
    (canSelect ? m_optSelected : optAll)->setChecked(true);
    m_cboFormat = new QComboBox(this);
    m_cboFormat->addItem(QStringLiteral("HTML (Firefox, Chromium and other browsers import it)"));
    m_cboFormat->addItem(QStringLiteral("XBEL"));
    m_cboFormat->setCurrentIndex(BookmarkExport::FormatFor({}, file) ==
                                 BookmarkExport::Format::Xbel);
    m_txtFile = new QLineEdit(file, this);
    m_txtFile->setMinimumWidth(380);
    auto* cmdBrowse = new QPushButton(QStringLiteral("Browse..."), this);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* scope = new QVBoxLayout;
    scope->addWidget(optAll);
    scope->addWidget(m_optSelected);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_txtFile, 1);
    fileRow->addWidget(cmdBrowse);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Export:"), scope);
    form->addRow(QStringLiteral("&Format:"), m_cboFormat);
    auto* lblFile = new QLabel(QStringLiteral("&To file:"), this);
    lblFile->setBuddy(m_txtFile);
    form->addRow(lblFile, fileRow);
    form->addRow(m_buttons);

    connect(m_cboFormat, &QComboBox::currentIndexChanged, this, &ExportDialog::formatChanged);
    connect(cmdBrowse, &QPushButton::clicked, this, &ExportDialog::browse);
    connect(m_txtFile, &QLineEdit::textChanged, this,
            [this] { m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!File().isEmpty()); });
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] {
        m_isSaved = true;
        accept();
    });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString ExportDialog::Folder() const
{
    return m_optSelected->isChecked() ? m_selectedFolder : m_favorites;
}

QString ExportDialog::File() const
{
    return m_txtFile->text().trimmed();
}

BookmarkExport::Format ExportDialog::Format() const
{
    return m_cboFormat->currentIndex() == 1 ? BookmarkExport::Format::Xbel
                                            : BookmarkExport::Format::Html;
}

void ExportDialog::formatChanged()
{
    // The file's extension follows the format, as long as it is one of ours.
    QString file = File();
    const QString extension = Format() == BookmarkExport::Format::Xbel ? QStringLiteral(".xbel")
                                                                       : QStringLiteral(".html");
    for (const char* old : {".html", ".xbel"}) {
        if (file.endsWith(QLatin1String(old), Qt::CaseInsensitive)) {
            file.chop(qstrlen(old));
            m_txtFile->setText(file + extension);
        }
    }
}

void ExportDialog::browse()
{
    const QString picked = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export Bookmarks"), File(),
        Format() == BookmarkExport::Format::Xbel ? QStringLiteral("XBEL (*.xbel)")
                                                 : QStringLiteral("HTML (*.html *.htm)"));
    if (!picked.isEmpty())
        m_txtFile->setText(picked);
}
