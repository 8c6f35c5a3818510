#include "appearance/frmFonts.h"

#include "appearance/FontFaces.h"
#include "platform/Prompts.h"
#include "platform/TextFields.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kSizes[] = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                              "20", "22", "24", "26", "28", "36", "48", "72"};
// By position in the style list.
const char* const kStyleNames[] = {"Regular", "Italic", "Bold", "Bold Italic"};
const char* const kStyleLetters[] = {"", "I", "B", "BI"};

void selectRow(QListWidget* list, int row)
{
    if (row < 0 || row >= list->count()) {
        list->clearSelection();
        list->setCurrentItem(nullptr);
        return;
    }
    list->setCurrentRow(row);
}

QListWidget* newList(QWidget* parent, const char* name)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

frmFonts::frmFonts(QWidget* parent, FontSource source)
    : QDialog(parent),
      m_source(source ? std::move(source) : FontSource([] { return QFontDatabase::families(); }))
{
    setObjectName(QStringLiteral("frmFonts"));
    setWindowTitle(QStringLiteral("Fonts"));
    buildWidgets();
}

void frmFonts::buildWidgets()
{
    m_lstFontName = newList(this, "lstFontName");
    m_lstFontSize = newList(this, "lstFontSize");
    m_lstFontStyle = newList(this, "lstFontStyle");
    m_lstFontName->setMinimumWidth(220);
    m_lstFontSize->setFixedWidth(60);
    m_lstFontStyle->setFixedWidth(110);

    auto* lists = new QGridLayout;
    const auto addList = [&](int column, const QString& caption, QListWidget* list) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(list);
        lists->addWidget(label, 0, column);
        lists->addWidget(list, 1, column);
    };
    addList(0, QStringLiteral("Font Name:"), m_lstFontName);
    addList(1, QStringLiteral("Size:"), m_lstFontSize);
    addList(2, QStringLiteral("Style:"), m_lstFontStyle);
    lists->setColumnStretch(0, 1);

    auto* preview = new QGroupBox(QStringLiteral("Preview"), this);
    preview->setObjectName(QStringLiteral("fraPreview"));
    m_lblPreview = new QLabel(preview);
    m_lblPreview->setObjectName(QStringLiteral("lblPreview"));
    m_lblPreview->setAlignment(Qt::AlignCenter);
    // Big sizes are cut off rather than letting the window jump about.
    m_lblPreview->setFixedHeight(110);
    m_lblPreview->setMinimumWidth(1);
    auto* previewLayout = new QVBoxLayout(preview);
    previewLayout->addWidget(m_lblPreview);

    m_lblFontNote = new QLabel(this);
    m_lblFontNote->setObjectName(QStringLiteral("lblFontNote"));
    m_lblFontNote->setWordWrap(true);

    m_cmdOk = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setDefault(true);
    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_lblFontNote, 1);
    bottom->addWidget(m_cmdOk, 0, Qt::AlignBottom);
    bottom->addWidget(m_cmdCancel, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(preview);
    layout->addLayout(bottom);
    resize(480, 420);

    for (QListWidget* list : {m_lstFontName, m_lstFontSize, m_lstFontStyle})
        connect(list, &QListWidget::itemSelectionChanged, this, &frmFonts::listSelectionChanged);
    connect(m_cmdOk, &QPushButton::clicked, this, &frmFonts::cmdOkClick);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmFonts::cmdCancelClick);
}

int frmFonts::SelectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

void frmFonts::Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_isLoading = true;
    if (!m_fontString.isEmpty()) {
        m_fontName = TextFields::GetField(m_fontString, TextFields::Tab, 1);
        m_fontSize = TextFields::GetField(m_fontString, TextFields::Tab, 2);
        m_fontStyle = TextFields::GetField(m_fontString, TextFields::Tab, 3);
    }
    // Printing goes through the same font configuration as the screen here, so a
    // printer offers the screen's faces; only the caption names it.
    if (!m_printerName.isEmpty())
        setWindowTitle(QStringLiteral("Fonts - [") + m_printerName + u']');
    LoadFontNames();
    LoadFontSizes();
    LoadFontStyles();

    // A face this system lacks is offered as the face it is shown in.
    int face = m_fontName.isEmpty() ? 0 : findFace(m_fontName);
    if (face < 0)
        face = findFace(FontFaces::Resolve(m_fontName));
    selectRow(m_lstFontName, face);

    if (m_fontSize.isEmpty()) {
        selectRow(m_lstFontSize, 0);
    } else {
        for (int i = 0; i < m_lstFontSize->count(); ++i) {
            if (m_lstFontSize->item(i)->text().compare(m_fontSize, Qt::CaseInsensitive) == 0) {
                selectRow(m_lstFontSize, i);
                break;
            }
        }
    }

    int style = -1;
    for (int i = 0; i < 4; ++i) {
        if (m_fontStyle == QLatin1String(kStyleLetters[i]))
            style = i;
    }
    selectRow(m_lstFontStyle, style);

    m_isLoading = false;
    UpdatePreview();
}

int frmFonts::findFace(const QString& name) const
{
    const QString wanted = name.toUpper();
    for (int i = 0; i < m_lstFontName->count(); ++i) {
        if (m_lstFontName->item(i)->text().toUpper() == wanted)
            return i;
    }
    return -1;
}

void frmFonts::showEvent(QShowEvent* event)
{
    Load();
    QDialog::showEvent(event);
}

void frmFonts::LoadFontNames()
{
    m_lstFontName->clear();
    QStringList names;
    // A family that several foundries make is one face.
    for (const QString& name : m_source()) {
        const QString trimmed = FontFaces::WithoutFoundry(name);
        if (!trimmed.isEmpty())
            names.append(trimmed);
    }
    // Letter case ignored, but exact twins side by side so each face is listed once.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    m_lstFontName->addItems(names);
}

void frmFonts::LoadFontSizes()
{
    m_lstFontSize->clear();
    for (const char* size : kSizes)
        m_lstFontSize->addItem(QString::fromLatin1(size));
    selectRow(m_lstFontSize, 0);
}

void frmFonts::LoadFontStyles()
{
    m_lstFontStyle->clear();
    for (const char* style : kStyleNames)
        m_lstFontStyle->addItem(QString::fromLatin1(style));
    selectRow(m_lstFontStyle, -1);
}

void frmFonts::listSelectionChanged()
{
    if (!m_isLoading)
        UpdatePreview();
}

void frmFonts::UpdatePreview()
{
    QFont font = m_lblPreview->font();
    const int face = SelectedRow(m_lstFontName);
    if (face >= 0) {
        m_fontName = m_lstFontName->item(face)->text();
        m_lblPreview->setText(m_fontName);
        font.setFamily(m_fontName);
    }
    const int size = SelectedRow(m_lstFontSize);
    if (size >= 0) {
        m_fontSize = m_lstFontSize->item(size)->text();
        font.setPointSize(m_fontSize.toInt());
    }
    const int style = SelectedRow(m_lstFontStyle);
    if (style >= 0) {
        font.setBold(style >= 2);
        font.setItalic(style == 1 || style == 3);
        m_fontStyle = QString::fromLatin1(kStyleLetters[style]);
    }
    m_lblPreview->setFont(font);

    // A face the system replaced by another is not the face that will be used.
    const bool sameFace =
        face >= 0 && FontFaces::WithoutFoundry(QFontInfo(font).family()) == m_fontName;
    m_lblFontNote->setText(
        sameFace ? QStringLiteral(
                       "This is a TrueType font. The font will be used on both printer and screen.")
                 : QStringLiteral(
                       "This is a scalable font. The screen image may not match printed output."));
}

void frmFonts::cmdOkClick()
{
    const int face = SelectedRow(m_lstFontName);
    m_fontName = face >= 0 ? m_lstFontName->item(face)->text() : QString();
    const int size = SelectedRow(m_lstFontSize);
    m_fontSize = size >= 0 ? m_lstFontSize->item(size)->text() : QString();
    const int style = SelectedRow(m_lstFontStyle);
    m_fontStyle = QString::fromLatin1(kStyleLetters[std::max(style, 0)]);
    m_fontString = m_fontName + TextFields::Tab + m_fontSize + TextFields::Tab + m_fontStyle;
    m_isSaved = true;
    done(QDialog::Accepted);
}

void frmFonts::cmdCancelClick()
{
    done(QDialog::Rejected);
}

bool frmFonts::Choose(Prompts& prompts, QWidget* owner, QString& fontString)
{
    frmFonts dialog(owner);
    dialog.SetFontString(fontString);
    dialog.Load();
    prompts.ShowModal(dialog);
    if (!dialog.IsSaved())
        return false;
    fontString = dialog.FontString();
    return true;
}
